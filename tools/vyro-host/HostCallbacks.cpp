#include "HostCallbacks.h"

#include <array>
#include <utility>

#include "Records.h"
#include "Step.h"

namespace VyroHost {

namespace {

Output* routedOutput = nullptr;

void VYROCHANNEL_CALL OnResult(int code, const char* json) { routedOutput->Emit(CallbackRecord(code, json)); }

template <int Type>
void VYROCHANNEL_CALL OnEvent(int code, const char* json)
{
    routedOutput->Emit(EventRecord(Type, code, json));
}

template <std::size_t... Types>
constexpr std::array<ResultCallback, sizeof...(Types)> MakeEventSinks(std::index_sequence<Types...>)
{
    return {&OnEvent<static_cast<int>(Types)>...};
}

constexpr auto kEventSinks = MakeEventSinks(std::make_index_sequence<kEventTypeCount>{});

void VYROCHANNEL_CALL OnLog(int level, const char* line) { routedOutput->Emit(LogRecord(level, line)); }

} // namespace

void RouteCallbacksTo(Output& output) { routedOutput = &output; }

ResultCallback ResultSink() { return &OnResult; }

ResultCallback EventSink(int type)
{
    return type >= 0 && type < kEventTypeCount ? kEventSinks[static_cast<std::size_t>(type)] : nullptr;
}

LogHandler LogSink() { return &OnLog; }

} // namespace VyroHost
