// Tokens: XUserGetTokenAndSignatureAsync journals the whole request and completes with the account's
// token and signature; the result functions hand them out in the caller's buffer.
#include <string>

#include "AsyncCalls.h"
#include "Calls.h"
#include "TokenLayout.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

constexpr char kGetToken[] = "XUserGetTokenAndSignatureAsync";
constexpr std::uint32_t kKnownTokenOptions = static_cast<std::uint32_t>(Gdk::XUserGetTokenAndSignatureOptions::ForceRefresh) |
                                             static_cast<std::uint32_t>(Gdk::XUserGetTokenAndSignatureOptions::AllUsers);

nlohmann::json DescribeHeaders(std::size_t count, const Gdk::XUserGetTokenAndSignatureHttpHeader* headers)
{
    nlohmann::json list = nlohmann::json::array();
    for (std::size_t i = 0; headers != nullptr && i < count; ++i) {
        list.push_back({{"name", JournalText(headers[i].name)}, {"value", JournalText(headers[i].value)}});
    }
    return list;
}

// The work of a token request: the account's token, fresh for a ForceRefresh, unless the system has
// signed the account out.
Work IssueWork(bool forceRefresh)
{
    return [forceRefresh](SimState& state, Operation& operation) {
        Runtime& runtime = state.runtime;
        if (!runtime.account.signedIn) {
            return Results::kUserSignedOut;
        }
        operation.value = IssueToken(runtime.account, runtime.settings, forceRefresh);
        return Results::kOk;
    };
}

struct TokenRequest {
    Gdk::XUserHandle user;
    std::uint32_t options;
    const char* method;
    const char* url;
    std::size_t headerCount;
    const Gdk::XUserGetTokenAndSignatureHttpHeader* headers;
    std::size_t bodySize;
    const void* body;
};

bool RequestIsWellFormed(Call& call, const TokenRequest& request)
{
    return call.User(request.user) && call.Requires((request.options & ~kKnownTokenOptions) == 0, "unknown options") &&
           call.Requires(request.method != nullptr && request.url != nullptr, "null method or url") &&
           call.Requires(request.headerCount == 0 || request.headers != nullptr, "headerCount without headers") &&
           call.Requires(request.bodySize == 0 || request.body != nullptr, "bodySize without a body");
}

HResult StartTokenRequest(Call& call, const TokenRequest& request, Gdk::XAsyncBlock* block)
{
    if (!RequestIsWellFormed(call, request)) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult refusal = Results::kOk;
    TaskQueue* queue = AcceptBlock(call, block, refusal);
    if (queue == nullptr) {
        return call.Returns(refusal);
    }
    Settings& settings = call.Rt().settings;
    if (!Gdk::Succeeded(settings.tokenStartResult)) {
        return call.Returns(settings.tokenStartResult);
    }
    const bool forceRefresh = (request.options & static_cast<std::uint32_t>(Gdk::XUserGetTokenAndSignatureOptions::ForceRefresh)) != 0;
    return Launch(call, block, *queue, settings.token.Take(), IssueWork(forceRefresh));
}

// The completed request, unless the result function is programmed to fail (or cannot read it).
Operation* ReadToken(Call& call, Gdk::XAsyncBlock* block, HResult programmed, HResult& failure)
{
    const ResultRead read = ReadResult(call, block, kGetToken);
    failure = read.operation == nullptr ? read.failure : programmed;
    return Gdk::Succeeded(failure) ? read.operation : nullptr;
}

const TokenAndSignature& AnswerOf(const Operation& operation) { return std::any_cast<const TokenAndSignature&>(operation.value); }

HResult GiveResultSize(Call& call, Gdk::XAsyncBlock* block, std::size_t* bufferSize)
{
    if (!call.Requires(bufferSize != nullptr, "null bufferSize")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    const Operation* operation = ReadToken(call, block, call.Rt().settings.tokenResultSizeResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    *bufferSize = TokenResultSize(AnswerOf(*operation));
    call.Entry()["bufferSize"] = *bufferSize;
    return call.Returns(Results::kOk);
}

HResult GiveResult(Call& call, Gdk::XAsyncBlock* block, std::size_t bufferSize, void* buffer,
                   Gdk::XUserGetTokenAndSignatureData** ptrToBuffer, std::size_t* bufferUsed)
{
    if (!call.Requires(buffer != nullptr && ptrToBuffer != nullptr, "null buffer or ptrToBuffer")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    Operation* operation = ReadToken(call, block, call.Rt().settings.tokenResultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    const TokenAndSignature& answer = AnswerOf(*operation);
    const std::size_t required = TokenResultSize(answer);
    if (bufferSize < required) {
        call.Entry()["required"] = required;
        return call.Returns(Results::kNotSufficientBuffer);
    }
    *ptrToBuffer = LayOutToken(answer, buffer);
    if (bufferUsed != nullptr) {
        *bufferUsed = required;
    }
    operation->resultTaken = true;
    call.Entry()["token"] = answer.token;
    call.Entry()["signature"] = answer.signature ? nlohmann::json(*answer.signature) : nlohmann::json();
    return call.Returns(Results::kOk);
}

} // namespace

extern "C" {

Gdk::HResult XUserGetTokenAndSignatureAsync(Gdk::XUserHandle user, Gdk::XUserGetTokenAndSignatureOptions options,
                                            const char* method, const char* url, std::size_t headerCount,
                                            const Gdk::XUserGetTokenAndSignatureHttpHeader* headers, std::size_t bodySize,
                                            const void* bodyBuffer, Gdk::XAsyncBlock* asyncBlock)
{
    const TokenRequest request{user, static_cast<std::uint32_t>(options), method, url, headerCount, headers, bodySize, bodyBuffer};
    return RuntimeCall(kGetToken,
                       {{"options", request.options},
                        {"method", JournalText(method)},
                        {"url", JournalText(url)},
                        {"headerCount", headerCount},
                        {"headers", DescribeHeaders(headerCount, headers)},
                        {"bodySize", bodySize}},
                       [&](Call& call) { return StartTokenRequest(call, request, asyncBlock); });
}

Gdk::HResult XUserGetTokenAndSignatureResultSize(Gdk::XAsyncBlock* asyncBlock, std::size_t* bufferSize)
{
    return RuntimeCall("XUserGetTokenAndSignatureResultSize", {},
                       [&](Call& call) { return GiveResultSize(call, asyncBlock, bufferSize); });
}

Gdk::HResult XUserGetTokenAndSignatureResult(Gdk::XAsyncBlock* asyncBlock, std::size_t bufferSize, void* buffer,
                                             Gdk::XUserGetTokenAndSignatureData** ptrToBuffer, std::size_t* bufferUsed)
{
    return RuntimeCall("XUserGetTokenAndSignatureResult", {{"bufferSize", bufferSize}},
                       [&](Call& call) { return GiveResult(call, asyncBlock, bufferSize, buffer, ptrToBuffer, bufferUsed); });
}

} // extern "C"
