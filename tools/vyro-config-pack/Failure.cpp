#include "Failure.h"

#include <cstdio>

namespace ConfigPack {

int Fail(const std::string& message)
{
    std::fprintf(stderr, "error: %s\n", message.c_str());
    return kFailed;
}

} // namespace ConfigPack
