#pragma once

namespace Vyro {

// The store a channel talks to; its lower-case name is the `channel` member of every reply.
enum ChannelType : int { None = 0, Steam = 1, Google = 2, Xbox = 3, Epic = 4 };

// The C callback every request answers through and every event is delivered to.
using ResultCallback = void (*)(int code, const char* json);

namespace CallbackCode {
inline constexpr int Success = 0;
inline constexpr int Failure = -1;
} // namespace CallbackCode

} // namespace Vyro
