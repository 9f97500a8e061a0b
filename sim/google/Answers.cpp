#include "Answers.h"

namespace Vyro::PlayGamesSim {

void JournalNullCompletion(const char* function)
{
    WithState([&](SimState& state) {
        state.runtime.journal.Add({{"fn", function}, {"error", "null completion: nothing to answer through"}});
    });
}

} // namespace Vyro::PlayGamesSim
