#pragma once

#include <string>

#include "channels/xbox/GameRuntimeApi.h"

namespace Vyro::XboxSim {

using Gdk::HResult;

// The HRESULTs the simulator answers with, under the names the GDK and the Xbox services API give them.
namespace Results {
inline constexpr HResult kOk = 0;
inline constexpr HResult kPending = Gdk::kPending;                                             // E_PENDING
inline constexpr HResult kAbort = Gdk::kAbort;                                                 // E_ABORT
inline constexpr HResult kIllegalMethodCall = static_cast<HResult>(0x8000000E);                // E_ILLEGAL_METHOD_CALL
inline constexpr HResult kInvalidArg = static_cast<HResult>(0x80070057);                       // E_INVALIDARG
inline constexpr HResult kNotSufficientBuffer = static_cast<HResult>(0x8007007A);              // E_NOT_SUFFICIENT_BUFFER
inline constexpr HResult kNoTaskQueue = static_cast<HResult>(0x800701AB);                      // E_NO_TASK_QUEUE
inline constexpr HResult kRuntimeNotInitialized = static_cast<HResult>(0x89240100);            // E_GAMERUNTIME_NOT_INITIALIZED
inline constexpr HResult kRuntimeUninitializeActiveObjects = static_cast<HResult>(0x89240105); // E_GAMERUNTIME_UNINITIALIZE_ACTIVEOBJECTS
inline constexpr HResult kMultiplayerNotConfigured = static_cast<HResult>(0x89240106);         // E_GAMERUNTIME_MULTIPLAYER_NOT_CONFIGURED
inline constexpr HResult kUserSignedOut = static_cast<HResult>(0x89245101);                    // E_GAMEUSER_SIGNED_OUT
inline constexpr HResult kNoDefaultUser = static_cast<HResult>(0x89245106);                    // E_GAMEUSER_NO_DEFAULT_USER
inline constexpr HResult kXblAlreadyInitialized = static_cast<HResult>(0x89235207);            // E_XBL_ALREADY_INITIALIZED
inline constexpr HResult kXblNotInitialized = static_cast<HResult>(0x89235208);                // E_XBL_NOT_INITIALIZED
} // namespace Results

// "0x89245106": an HRESULT as the journal and the state show it.
std::string HResultText(HResult result);

} // namespace Vyro::XboxSim
