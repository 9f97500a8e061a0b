#include "SimSettings.h"

#include <mutex>
#include <set>

namespace Vyro::SteamSim {

namespace {

// Non-ASCII on purpose, so that a test sees whether UTF-8 survives the way to the game.
constexpr char kDefaultPersonaName[] = "Zo\xC3\xAB \xC3\x85ngstr\xC3\xB6m \xF0\x9F\x8E\xAE"; // "Zoë Ångström 🎮"

} // namespace

Settings::Settings() : personaName(InternPersonaName(kDefaultPersonaName)), ticket(TicketPattern(kDefaultTicketSize)) {}

std::vector<std::uint8_t> TicketPattern(std::size_t size)
{
    std::vector<std::uint8_t> bytes(size);
    for (std::size_t i = 0; i < size; ++i) {
        bytes[i] = static_cast<std::uint8_t>(i * 37 + 11);
    }
    return bytes;
}

std::string DefaultInitError(int initResult)
{
    switch (initResult) {
    case Steamworks::InitNoSteamClient:
        return "Cannot connect to the Steam client: Steam is not running or the user is not logged in";
    case Steamworks::InitVersionMismatch:
        return "The Steam client is older than the Steamworks version this game needs; update Steam";
    default:
        return "SteamAPI initialisation failed (result " + std::to_string(initResult) + ")";
    }
}

const char* InternPersonaName(const std::string& name)
{
    static std::mutex mutex;
    static std::set<std::string> names; // node-based: an entry never moves
    const std::lock_guard lock(mutex);
    return names.insert(name).first->c_str();
}

} // namespace Vyro::SteamSim
