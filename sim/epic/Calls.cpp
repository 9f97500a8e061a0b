#include "Calls.h"

namespace Vyro::EosSim {

namespace {

template <typename Handle>
Platform* ResolveInto(Call& call, Handle handle, const char* member)
{
    Platform* platform = call.Rt().platforms.Find(handle);
    call.Entry()[member] = platform == nullptr ? nlohmann::json() : nlohmann::json(platform->number);
    if (platform == nullptr) {
        std::string problem = "unknown or released ";
        problem.append(member).append(" handle");
        call.Misuse(problem);
    }
    return platform;
}

} // namespace

bool Call::Admitted(Needs needs)
{
    const SdkState sdk = Rt().sdk;
    if (sdk == SdkState::ShutDown) {
        Misuse("call after EOS_Shutdown");
        return false;
    }
    if (needs == Needs::Initialised && sdk == SdkState::NotInitialised) {
        Misuse("EOS_Initialize not called");
        return false;
    }
    return true;
}

Platform* Call::Resolve(Eos::HPlatform handle) { return ResolveInto(*this, handle, "platform"); }
Platform* Call::Resolve(Eos::HAuth handle) { return ResolveInto(*this, handle, "auth"); }
Platform* Call::Resolve(Eos::HEcom handle) { return ResolveInto(*this, handle, "ecom"); }

bool Call::AcceptsVersion(const std::int32_t* givenVersion, std::int32_t apiVersion, const char* record)
{
    if (givenVersion == nullptr) {
        Misuse(std::string("null ") + record);
        return false;
    }
    if (*givenVersion != apiVersion) {
        Misuse(std::string(record) + " ApiVersion " + std::to_string(*givenVersion) + ", expected " + std::to_string(apiVersion));
        return false;
    }
    return true;
}

bool Call::KnownAccount(Eos::EpicAccountId accountId, const char* member)
{
    return Requires(accountId == AccountHandle(), std::string(member) + " is not an account id the SDK handed out");
}

bool Call::HasCompletion(bool present) { return Requires(present, "null completion: nothing to answer through"); }

void Call::Queue(Platform& platform, void* clientData, ResultSequence results, Settle settle, bool held)
{
    Entry()["results"] = results;
    if (held) {
        Entry()["held"] = true;
    }
    PendingCompletion pending{0, Function(), clientData, std::move(results), 0, 0, held, std::move(settle)};
    platform.Queue(std::move(pending), Rt().settings.delayTicks);
}

} // namespace Vyro::EosSim
