#pragma once

#include <cstddef>

#include "SimState.h"

namespace Vyro::EosSim {

// Changes the account's login status. When it changes, every login status handler of every live
// platform gets one notification {previous, current} at that platform's next Tick; how many were
// queued.
std::size_t ChangeLoginStatus(Runtime& runtime, Eos::LoginStatus status);
// A successful login: fresh tokens, and the account logged in.
void SignIn(Runtime& runtime);

} // namespace Vyro::EosSim
