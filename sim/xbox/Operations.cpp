#include "Operations.h"

namespace Vyro::XboxSim {

Operation* Operations::Find(const Gdk::XAsyncBlock* block)
{
    const auto found = byBlock_.find(block);
    return found == byBlock_.end() ? nullptr : &found->second;
}

Operation* Operations::Find(const Gdk::XAsyncBlock* block, std::uint64_t id)
{
    Operation* operation = Find(block);
    return operation != nullptr && operation->id == id ? operation : nullptr;
}

std::size_t Operations::UnfinishedOn(std::uint64_t queue) const
{
    std::size_t unfinished = 0;
    for (const auto& [block, operation] : byBlock_) {
        unfinished += operation.queue == queue && WorkUnfinished(operation);
    }
    return unfinished;
}

const char* StageName(Stage stage)
{
    switch (stage) {
    case Stage::Queued:
        return "queued";
    case Stage::Running:
        return "running";
    case Stage::Held:
        return "held";
    case Stage::Completed:
        return "completed";
    case Stage::Delivering:
        return "delivering";
    case Stage::Delivered:
        return "delivered";
    }
    return "";
}

} // namespace Vyro::XboxSim
