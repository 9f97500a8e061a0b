#pragma once

#include <functional>
#include <utility>

namespace Vyro {

// One registered event listener. Held by shared reference so that a listener unregistered while it
// is being called stays alive until the call returns.
template <typename... Args>
class Delegate {
public:
    explicit Delegate(std::function<void(Args...)> target) : target_(std::move(target)) {}

    void operator()(Args... args) const { target_(args...); }

private:
    std::function<void(Args...)> target_;
};

} // namespace Vyro
