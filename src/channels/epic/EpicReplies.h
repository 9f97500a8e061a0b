#pragma once

#include <string>

namespace Vyro {

// The error reply of an Epic start-up failure: the common error reply plus "epic" {"errorType"},
// with "thirdErrorCode" and "eosResultString" when EOS gave a result.
std::string MakeEpicErrorResponse(const std::string& requestId, const std::string& errorType, const std::string& message,
                                  int eosResult, const std::string& eosResultName);

} // namespace Vyro
