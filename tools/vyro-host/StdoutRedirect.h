#pragma once

#include <cstdio>
#include <string>

namespace VyroHost {

// Points the process's standard output descriptor at standard error, so that whatever the library
// prints to stdout cannot interleave with the harness's records, and returns a stream on the
// original standard output for those records. Null with `error` set on failure.
std::FILE* DivertStandardOutput(std::string& error);

} // namespace VyroHost
