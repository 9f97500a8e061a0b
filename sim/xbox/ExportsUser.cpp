// Users: the one account added silently as a new handle per call, its id, gamertag and store flag.
#include <cstring>
#include <string>

#include "AsyncCalls.h"
#include "Calls.h"
#include "XboxSim.h"

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

constexpr char kAddUser[] = "XUserAddAsync";
constexpr std::uint32_t kKnownAddOptions = static_cast<std::uint32_t>(Gdk::XUserAddOptions::AddDefaultUserSilently) |
                                           static_cast<std::uint32_t>(Gdk::XUserAddOptions::AllowGuests) |
                                           static_cast<std::uint32_t>(Gdk::XUserAddOptions::AddDefaultUserAllowingUI);

// The work of XUserAddAsync: a new handle's number for the account, unless the system has signed it out.
HResult AddUser(SimState& state, Operation& operation)
{
    if (!state.runtime.account.signedIn) {
        return Results::kNoDefaultUser;
    }
    operation.value = state.NextNumber();
    return Results::kOk;
}

// Every option adds the default account without any UI: the simulated device has one account.
HResult StartAddUser(Call& call, std::uint32_t options, Gdk::XAsyncBlock* block)
{
    if (!call.Requires((options & ~kKnownAddOptions) == 0, "unknown options")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult refusal = Results::kOk;
    TaskQueue* queue = AcceptBlock(call, block, refusal);
    if (queue == nullptr) {
        return call.Returns(refusal);
    }
    return Launch(call, block, *queue, call.Rt().settings.addUser.Take(), AddUser);
}

HResult TakeAddedUser(Call& call, Gdk::XAsyncBlock* block, Gdk::XUserHandle* newUser)
{
    if (!call.Requires(newUser != nullptr, "null newUser")) {
        return call.Returns(Results::kInvalidArg);
    }
    const ResultRead read = ReadResult(call, block, kAddUser);
    if (read.operation == nullptr) {
        return call.Returns(read.failure);
    }
    read.operation->resultTaken = true;
    return call.HandsOut(call.Rt().users, std::any_cast<std::uint64_t>(read.operation->value), UserRecord{}, newUser, "newUser");
}

// The text of a gamertag component: the account has a classic gamertag only, which is also its
// modern gamertag, without a suffix.
std::optional<std::string> GamertagComponent(const Settings& settings, Gdk::XUserGamertagComponent component)
{
    switch (component) {
    case Gdk::XUserGamertagComponent::Classic:
    case Gdk::XUserGamertagComponent::Modern:
    case Gdk::XUserGamertagComponent::UniqueModern:
        return settings.gamertag;
    case Gdk::XUserGamertagComponent::ModernSuffix:
        return std::string();
    }
    return std::nullopt;
}

// The buffer size the runtime requires for each component, terminator included.
std::size_t ComponentBufferSize(Gdk::XUserGamertagComponent component)
{
    switch (component) {
    case Gdk::XUserGamertagComponent::Classic:
        return Gdk::kGamertagClassicMaxBytes;
    case Gdk::XUserGamertagComponent::Modern:
        return Gdk::kGamertagModernMaxBytes;
    case Gdk::XUserGamertagComponent::ModernSuffix:
        return Gdk::kGamertagModernSuffixMaxBytes;
    case Gdk::XUserGamertagComponent::UniqueModern:
        return Gdk::kGamertagUniqueModernMaxBytes;
    }
    return 0;
}

HResult CopyGamertag(Call& call, Gdk::XUserHandle user, Gdk::XUserGamertagComponent component, std::size_t size,
                     char* gamertag, std::size_t* used)
{
    const std::optional<std::string> text = GamertagComponent(call.Rt().settings, component);
    if (!call.User(user) || !call.Requires(text.has_value(), "not a gamertag component") ||
        !call.Requires(gamertag != nullptr, "null gamertag buffer")) {
        return call.Returns(Results::kInvalidArg);
    }
    const std::size_t required = ComponentBufferSize(component);
    if (size < required) {
        call.Entry()["required"] = required;
        return call.Returns(Results::kNotSufficientBuffer);
    }
    std::memcpy(gamertag, text->c_str(), text->size() + 1);
    if (used != nullptr) {
        *used = text->size() + 1;
    }
    call.Entry()["gamertag"] = *text;
    return call.Returns(Results::kOk);
}

} // namespace

extern "C" {

Gdk::HResult XUserAddAsync(Gdk::XUserAddOptions options, Gdk::XAsyncBlock* asyncBlock)
{
    const auto optionBits = static_cast<std::uint32_t>(options);
    return RuntimeCall(kAddUser, {{"options", optionBits}}, [&](Call& call) { return StartAddUser(call, optionBits, asyncBlock); });
}

Gdk::HResult XUserAddResult(Gdk::XAsyncBlock* asyncBlock, Gdk::XUserHandle* newUser)
{
    return RuntimeCall("XUserAddResult", {}, [&](Call& call) { return TakeAddedUser(call, asyncBlock, newUser); });
}

Gdk::HResult XUserGetId(Gdk::XUserHandle user, std::uint64_t* userId)
{
    return RuntimeCall("XUserGetId", {}, [&](Call& call) {
        if (!call.User(user) || !call.Requires(userId != nullptr, "null userId")) {
            return call.Returns(Results::kInvalidArg);
        }
        *userId = call.Rt().settings.xuid;
        call.Entry()["userId"] = std::to_string(*userId);
        return call.Returns(Results::kOk);
    });
}

Gdk::HResult XUserGetGamertag(Gdk::XUserHandle user, Gdk::XUserGamertagComponent gamertagComponent, std::size_t gamertagSize,
                              char* gamertag, std::size_t* gamertagUsed)
{
    return RuntimeCall(
        "XUserGetGamertag", {{"component", static_cast<std::uint32_t>(gamertagComponent)}, {"gamertagSize", gamertagSize}},
        [&](Call& call) { return CopyGamertag(call, user, gamertagComponent, gamertagSize, gamertag, gamertagUsed); });
}

bool XUserIsStoreUser(Gdk::XUserHandle user)
{
    return JournalledCall("XUserIsStoreUser", {}, [&](Call& call) {
        return call.ReturnsValue(call.Admitted() && call.User(user) && call.Rt().settings.storeUser);
    });
}

void XUserCloseHandle(Gdk::XUserHandle user)
{
    JournalledCall("XUserCloseHandle", {}, [&](Call& call) {
        if (call.Admitted() && call.User(user)) {
            call.Rt().users.Remove(*NumberOf(user));
        }
    });
}

} // extern "C"
