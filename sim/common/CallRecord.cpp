#include "CallRecord.h"

#include <utility>

namespace Vyro::Sim {

CallRecord::CallRecord(Journal& journal, const char* function, nlohmann::json arguments)
    : journal_(journal), function_(function), entry_(std::move(arguments))
{
    entry_["fn"] = function;
}

CallRecord::~CallRecord()
{
    if (!taken_ && (!onlyMisuse_ || HasMisuse())) {
        journal_.Add(std::move(entry_));
    }
}

void CallRecord::Misuse(const std::string& why)
{
    if (!HasMisuse()) {
        entry_["misuse"] = why;
    }
}

bool CallRecord::Requires(bool condition, const std::string& why)
{
    if (!condition) {
        Misuse(why);
    }
    return condition;
}

nlohmann::json CallRecord::TakeEntry()
{
    taken_ = true;
    return std::move(entry_);
}

} // namespace Vyro::Sim
