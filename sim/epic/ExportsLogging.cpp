// Where the SDK's log output goes, and how much of it.
#include "Calls.h"
#include "EosSim.h"

using namespace Vyro::EosSim;
namespace Eos = Vyro::Eos;

extern "C" {

Eos::EResult EOS_Logging_SetCallback(Eos::LogMessageFunction* callback)
{
    return JournalledCall("EOS_Logging_SetCallback", {{"callback", DescribePointer(callback)}}, [&](Call& call) {
        if (!call.Admitted(Needs::Initialised)) {
            return call.Returns(Results::kNotConfigured);
        }
        call.Rt().logging.callback = callback;
        return call.Returns(Results::kSuccess);
    });
}

// One threshold serves every category: the simulated SDK's messages carry a category name only.
Eos::EResult EOS_Logging_SetLogLevel(Eos::LogCategory category, Eos::LogLevel level)
{
    return JournalledCall("EOS_Logging_SetLogLevel", {{"category", category}, {"level", level}}, [&](Call& call) {
        if (!call.Admitted(Needs::Initialised)) {
            return call.Returns(Results::kNotConfigured);
        }
        call.Rt().logging.threshold = level;
        return call.Returns(Results::kSuccess);
    });
}

} // extern "C"
