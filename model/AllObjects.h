#pragma once

#include <cstddef>

namespace kr6 {

class TCustomdex6Object;

// The root's register of its data objects, in creation order. The links live in the
// objects, so adding and removing cost the same for any size of model.
class TAllObjects {
public:
    TAllObjects() = default;
    TAllObjects(const TAllObjects&) = delete;
    TAllObjects& operator=(const TAllObjects&) = delete;

    std::size_t Count() const { return FCount; }
    bool Empty() const { return FCount == 0; }
    TCustomdex6Object* First() const { return FFirst; }
    TCustomdex6Object* Last() const { return FLast; }
    static TCustomdex6Object* Next(const TCustomdex6Object* Object);

    void Add(TCustomdex6Object* Object);
    void Remove(TCustomdex6Object* Object);

private:
    TCustomdex6Object* FFirst = nullptr;
    TCustomdex6Object* FLast = nullptr;
    std::size_t FCount = 0;
};

} // namespace kr6
