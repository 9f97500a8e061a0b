#pragma once

#include <exception>
#include <functional>
#include <memory>
#include <string>
#include <utility>

#include "channels/google/GoogleApi.h"
#include "channels/google/PlayRecords.h"
#include "common/Logger.h"

namespace Vyro::PlayGames {

// A completion's outcome in owned form: the SDK's result code and message and, converted from the
// completion's record, its value.
template <typename Value>
struct PlayResult {
    std::int32_t code = 0;
    std::string message;
    Value value{};
};

struct NoValue {};

template <typename Value>
using PlayCallable = std::function<void(PlayResult<Value>)>;

// The context handed to the SDK for one request: the callable that answers it.
template <typename Value>
void* NewRequestContext(PlayCallable<Value> callable)
{
    return new PlayCallable<Value>(std::move(callable));
}

// Runs in the SDK's completion, on whatever thread the SDK uses: converts the records while they
// are valid, hands the result to the context's callable once and frees the context. Nothing may
// unwind into the SDK.
template <typename Value, typename Convert>
void CompleteRequest(void* context, const Result* result, Convert&& convert) noexcept
{
    const std::unique_ptr<PlayCallable<Value>> callable(static_cast<PlayCallable<Value>*>(context));
    try {
        // A missing result record is no success.
        PlayResult<Value> owned{result != nullptr ? result->code : -1,
                                CopyText(result != nullptr ? result->message : nullptr), convert()};
        (*callable)(std::move(owned));
    } catch (const std::exception& error) {
        Log(LogLevel::Error, "Exception in Play Games completion: {}", error.what());
    } catch (...) {
        Log(LogLevel::Error, "Unknown exception in Play Games completion");
    }
}

} // namespace Vyro::PlayGames
