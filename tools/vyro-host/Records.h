#pragma once

#include <cstddef>
#include <string>
#include <vector>

#include "Json.h"

namespace VyroHost {

// The harness's output records, one JSON object per line. Texts from the library are copied:
// they are valid only during the call that hands them over.

// {"step": N, ...the step as written}
Json StepRecord(std::size_t index, const Json& step);
// {"type":"callback","code":C,"reply":...}: the reply parsed, or the raw text if it is not JSON.
Json CallbackRecord(int code, const char* reply);
// {"type":"event","eventType":T,"code":C,"reply":...}
Json EventRecord(int type, int code, const char* reply);
// {"type":"log","level":"WARNING","message":"..."} from "[VyroChannel][hh:mm:ss] [LEVEL] message";
// a line of any other shape is kept whole: {"type":"log","level":N,"line":"..."}.
Json LogRecord(int level, const char* line);
// {"type":"sim","reply":...}
Json SimRecord(const char* reply);
// {"type":"arguments","arguments":[...]}: the game's command line the harness was started with.
Json ArgumentsRecord(const std::vector<std::string>& arguments);

} // namespace VyroHost
