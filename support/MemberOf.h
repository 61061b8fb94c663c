#pragma once

namespace kr6 {

// The class and the value type of a pointer to a data member.
template <class M> struct TMemberOf;
template <class C, class V> struct TMemberOf<V C::*> {
    using Class = C;
    using Value = V;
};

} // namespace kr6
