#pragma once

#include "Output.h"
#include "VyroChannel.h"

namespace VyroHost {

// The C functions handed to the library. They carry no user data, so they all write to the one
// output set here; it must outlive the library.
void RouteCallbacksTo(Output& output);

// Records every answer as a "callback" record.
ResultCallback ResultSink();
// Records events of `type` as "event" records; one distinct function per type, so the record names
// the type the callback was registered for. Null for a type outside 0 to kEventTypeCount - 1.
ResultCallback EventSink(int type);
// Records every log line as a "log" record.
LogHandler LogSink();

} // namespace VyroHost
