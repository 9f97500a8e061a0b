#include "PackCommand.h"

#include <string>
#include <type_traits>
#include <variant>
#include <vector>

#include "Failure.h"
#include "StoreStaging.h"
#include "config/ConfigPackFolder.h"
#include "config/ConfigPackStore.h"
#include "config/Utf8Path.h"

namespace ConfigPack {

namespace {

// Each entry through the setter of its own value type.
bool WriteEntry(MMKV* store, const Vyro::ConfigEntry& entry)
{
    return std::visit(
        [&](const auto& value) {
            using Value = std::decay_t<decltype(value)>;
            if constexpr (std::is_same_v<Value, bool>) {
                return Vyro::SetBool(store, entry.key, value);
            } else if constexpr (std::is_same_v<Value, std::int32_t>) {
                return Vyro::SetInt32(store, entry.key, value);
            } else if constexpr (std::is_same_v<Value, std::int64_t>) {
                return Vyro::SetInt64(store, entry.key, value);
            } else if constexpr (std::is_same_v<Value, double>) {
                return Vyro::SetDouble(store, entry.key, value);
            } else {
                return Vyro::SetString(store, entry.key, value);
            }
        },
        entry.value);
}

bool WriteEntries(MMKV* store, const std::vector<Vyro::ConfigEntry>& entries, std::string& error)
{
    for (const Vyro::ConfigEntry& entry : entries) {
        if (!WriteEntry(store, entry)) {
            error = "cannot write key '" + entry.key + "' (" + Vyro::ConfigValueTypeName(entry.value) + ")";
            return false;
        }
    }
    // Every key is distinct, so a different count means the store lost or kept something.
    if (const std::size_t count = Vyro::CountConfigKeys(store); count != entries.size()) {
        error = "the store holds " + std::to_string(count) + " keys instead of " + std::to_string(entries.size());
        return false;
    }
    if (!Vyro::FinishConfigStore(store)) {
        error = "cannot write the store";
        return false;
    }
    return true;
}

} // namespace

int RunPack(const std::filesystem::path& jsonFolder, const std::filesystem::path& storeFolder, std::FILE* out)
{
    std::string error;
    const std::vector<Vyro::ConfigEntry> entries = Vyro::LoadConfigFolder(jsonFolder, error);
    if (!error.empty()) {
        return Fail(error);
    }
    const std::unique_ptr<StoreStaging> staging = StoreStaging::Create(storeFolder, error);
    if (!staging) {
        return Fail(error);
    }
    MMKV* store = nullptr;
    if (!Vyro::CreateConfigStore(staging->Folder(), store)) {
        return kFailed;
    }
    if (!WriteEntries(store, entries, error) || !staging->Publish(error)) {
        return Fail(error);
    }
    std::fprintf(out, "wrote %zu entries to %s\n", entries.size(), Vyro::PathToUtf8(staging->PublishedDataFile()).c_str());
    return kSucceeded;
}

} // namespace ConfigPack
