#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "common/NeverDestroyed.h"

namespace Vyro {

// The store calls in flight, or the store notifications registered, whose callback needs a `Record`,
// process-wide. The context handed to the store is a number that names the record, never its
// address: a callback that the store delivers late, twice, or after the record's owner has gone
// finds nothing, instead of touching freed memory. Every `Record` has an `owner` member naming the
// object that made it. Game thread only: the stores that use it (EOS, the Gaming Runtime) run these
// callbacks inside the channel's Tick, on the thread that calls it.
template <typename Record>
class PendingCalls {
public:
    static void* Add(Record record)
    {
        const std::uintptr_t id = NextId()++;
        Records().emplace(id, std::move(record));
        return reinterpret_cast<void*>(id);
    }

    // The record a completion names, or null when the call is no longer pending. Valid until Take.
    static Record* Find(void* clientData)
    {
        const auto found = Records().find(reinterpret_cast<std::uintptr_t>(clientData));
        return found == Records().end() ? nullptr : &found->second;
    }

    static std::optional<Record> Take(void* clientData)
    {
        const auto found = Records().find(reinterpret_cast<std::uintptr_t>(clientData));
        if (found == Records().end()) {
            return std::nullopt;
        }
        Record record = std::move(found->second);
        Records().erase(found);
        return record;
    }

    // Whether a pending record of `owner` satisfies `test`.
    template <typename Owner, typename Test>
    static bool AnyOf(const Owner* owner, Test test)
    {
        for (const auto& [id, record] : Records()) {
            if (record.owner == owner && test(record)) {
                return true;
            }
        }
        return false;
    }

    // Every pending record of `owner`, in the order the calls started; none remain pending.
    template <typename Owner>
    static std::vector<Record> TakeAllOf(const Owner* owner)
    {
        std::vector<Record> taken;
        for (auto entry = Records().begin(); entry != Records().end();) {
            if (entry->second.owner == owner) {
                taken.push_back(std::move(entry->second));
                entry = Records().erase(entry);
            } else {
                ++entry;
            }
        }
        return taken;
    }

private:
    // Never destroyed, so that a channel destroyed during the library's own static destruction
    // still finds it; empty, it holds no heap block that unloading the library would leave behind.
    using RecordMap = std::map<std::uintptr_t, Record>;
    static RecordMap& Records() { return NeverDestroyed<RecordMap>(); }
    static std::uintptr_t& NextId()
    {
        static std::uintptr_t next = 1;
        return next;
    }
};

} // namespace Vyro
