#pragma once

// Which Xbox services thunks libraries the channel can read. Their records are laid out as the
// October 2024 GDK's (Xbox services 2024.10) and every later one's; an older library lays the social
// manager's users out otherwise (no `isFriend`, every text one byte earlier), so its friends' names
// would be read from the wrong bytes.
#include <optional>
#include <string>

namespace Vyro::Xbl {

// The refusal for the thunks library the channel has loaded, when its file version names an Xbox
// services release older than 2024.10 (year and month lead the version); none when it names a later
// one, or when it carries no such version (a library of another numbering is taken to be current).
std::optional<std::string> RefuseOlderServices();

} // namespace Vyro::Xbl
