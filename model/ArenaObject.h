#pragma once

#include <cstddef>
#include <memory_resource>
#include <new>
#include <type_traits>

namespace kr6 {

class Tdex6Dataobject;

// The import arena of Root, or the general allocator without a root.
std::pmr::memory_resource* ArenaOf(Tdex6Dataobject* Root);

// Base of the classes of which an import makes tens of thousands: an object made as
// new (Root) T(Root, ...), as MakeListItem does it, lives in the root's import arena
// while the import has room there; any other object with the general allocator. The
// class must be final, so that the size freed is the size made.
template <class T> class TArenaObject {
public:
    // As the arena gives memory of the general allocator back, through this resource.
    static void* operator new(std::size_t Size) {
        return std::pmr::new_delete_resource()->allocate(Size, alignof(T));
    }
    static void* operator new(std::size_t Size, Tdex6Dataobject* Root) {
        return ArenaOf(Root)->allocate(Size, alignof(T));
    }
    // Only for a constructor that throws.
    static void operator delete(void* Place, Tdex6Dataobject* Root) noexcept {
        ArenaOf(Root)->deallocate(Place, sizeof(T), alignof(T));
    }
    // The model is read before the object is gone: it says where the memory goes back to.
    // The arena takes back memory of the general allocator too.
    static void operator delete(TArenaObject* Base, std::destroying_delete_t) noexcept {
        static_assert(std::is_final_v<T>);
        T* const Object = static_cast<T*>(Base);
        std::pmr::memory_resource* const Memory = ArenaOf(Object->Root());
        Object->~T();
        Memory->deallocate(Object, sizeof(T), alignof(T));
    }
};

} // namespace kr6
