#pragma once

#include <string>

#include "channels/epic/EosApi.h"

namespace Vyro::Eos {

// EOS's name of a result ("EOS_Success", ...), "" when it gives none.
std::string ResultName(const EosApi& api, EResult result);
// The account id's 32-character text, "" when the id is not valid or EOS cannot write it.
std::string AccountIdToString(const EosApi& api, EpicAccountId accountId);
// A text field of an EOS record: null reads as "".
inline std::string TextOrEmpty(const char* text) { return text == nullptr ? std::string() : std::string(text); }

} // namespace Vyro::Eos
