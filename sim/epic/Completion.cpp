#include "Completion.h"

namespace Vyro::EosSim {

bool IsComplete(const Runtime& runtime, Eos::EResult result)
{
    return result != Results::kOperationWillRetry && !runtime.settings.incompleteResults.contains(result);
}

} // namespace Vyro::EosSim
