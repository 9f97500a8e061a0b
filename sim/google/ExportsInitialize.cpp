// Initialising the SDK: the programmed result, delivered like every other completion.
#include "Answers.h"
#include "GoogleSim.h"

using namespace Vyro::PlayGamesSim;
namespace PlayGames = Vyro::PlayGames;

extern "C" void _GooglePlayInitialize(void* context, PlayGames::InitializeCompletion* completion)
{
    Answer answer = DecideCall("_GooglePlayInitialize", context, completion, [](Runtime& runtime, nlohmann::json&) {
        runtime.initialised = runtime.initialised || runtime.settings.init.code == Codes::kOk;
        return std::optional(runtime.settings.init);
    });
    Send(std::move(answer), [=](const PlayGames::Result& result) { completion(context, &result); });
}
