#pragma once

#include <new>

namespace Vyro {

// One object of type T per Tag, built in static storage at first use and never destroyed: it outlives
// the library's own static destruction, during which a channel going away may still reach it, and
// what it holds stays reachable (not a leak) for the rest of the process.
template <typename T, typename Tag = T>
T& NeverDestroyed()
{
    alignas(T) static unsigned char storage[sizeof(T)];
    static T* const object = new (storage) T;
    return *object;
}

} // namespace Vyro
