#include "Output.h"

#include <string>

namespace VyroHost {

void Output::Emit(Json record)
{
    // Library texts need not be valid UTF-8; invalid bytes are shown as U+FFFD.
    const std::string line = record.dump(-1, ' ', false, Json::error_handler_t::replace) + "\n";
    std::lock_guard lock(mutex_);
    std::fwrite(line.data(), 1, line.size(), sink_);
    std::fflush(sink_);
    records_.push_back(std::move(record));
}

std::vector<Json> Output::Records() const
{
    std::lock_guard lock(mutex_);
    return records_;
}

} // namespace VyroHost
