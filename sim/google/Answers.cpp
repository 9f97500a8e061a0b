#include "Answers.h"

namespace Vyro::PlayGamesSim {

bool RefuseNullCompletion(const char* function, bool completionIsNull)
{
    if (!completionIsNull) {
        return false;
    }
    WithState([&](SimState& state) {
        state.runtime.journal.Add({{"fn", function}, {"error", "null completion: nothing to answer through"}});
    });
    return true;
}

} // namespace Vyro::PlayGamesSim
