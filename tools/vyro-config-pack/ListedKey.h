#pragma once

#include <optional>
#include <string>

namespace ConfigPack {

// How --list shows a key on one line whatever it holds: a backslash as \\, a newline, carriage
// return and tab as \n, \r and \t, any other control character (below 0x20, and 0x7F) as \xHH;
// every other byte as it is.
std::string ListedKey(const std::string& key);
// The key `listed` shows, or nothing when it holds a backslash that starts none of those escapes.
std::optional<std::string> KeyFromListing(const std::string& listed);

} // namespace ConfigPack
