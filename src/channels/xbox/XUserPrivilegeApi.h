#pragma once

// The runtime's user privilege check and the system dialog that lets the player fix a missing
// privilege. Privilege and deny-reason numbers are passed through unchanged: the channel keeps no
// table of their names.
#include <cstdint>

namespace Vyro::Gdk {

enum class XUserPrivilegeOptions : std::uint32_t { None = 0x00, AllUsers = 0x01 };

// The privilege numbers are the console's own (185 cross play … 255 add friends); any number passes.
enum class XUserPrivilege : std::uint32_t {};

enum class XUserPrivilegeDenyReason : std::uint32_t {
    None = 0,
    PurchaseRequired = 1,
    Restricted = 2,
    Banned = 3,
    Unknown = 0xFFFFFFFF,
};

static_assert(sizeof(XUserPrivilegeOptions) == 4 && sizeof(XUserPrivilege) == 4 && sizeof(XUserPrivilegeDenyReason) == 4);

} // namespace Vyro::Gdk
