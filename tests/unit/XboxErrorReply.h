#pragma once

// The error reply the Xbox channel answers: the message, the request's id and, when there is one,
// the HRESULT as third_error_code.
#include "XboxChannelFixture.h"

namespace XboxTest {

inline json ErrorReply(const std::string& message, const char* requestId, std::uint32_t result = 0)
{
    json error{{"channel", "xbox"}, {"message", message}, {"requestId", requestId}};
    if (result != 0) {
        error["third_error_code"] = Signed(result);
    }
    return error;
}

} // namespace XboxTest
