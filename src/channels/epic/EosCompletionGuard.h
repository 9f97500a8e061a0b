#pragma once

#include <exception>

#include "common/Logger.h"

namespace Vyro {

// Runs a completion's work inside an EOS callback: nothing may unwind into EOS's frames, so an
// exception (out of memory while building a reply) is logged and stops there.
template <typename Work>
void GuardEosCallback(const char* callback, Work&& work)
{
    try {
        work();
    } catch (const std::exception& error) {
        Log(LogLevel::Error, "Exception in {}: {}", callback, error.what());
    } catch (...) {
        Log(LogLevel::Error, "Unknown exception in {}", callback);
    }
}

} // namespace Vyro
