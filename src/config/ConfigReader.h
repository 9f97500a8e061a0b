#pragma once

#include <cstdint>
#include <string>

class MMKV;

namespace Vyro {

// Read-only access to the configuration store shipped beside the library. Once open it stays
// open for the life of the process; a failed open leaves it closed so that a later call retries.
// The process uses Instance(); separate objects exist only so that tests can start closed.
class ConfigReader {
public:
    constexpr ConfigReader() = default;
    ConfigReader(const ConfigReader&) = delete;
    ConfigReader& operator=(const ConfigReader&) = delete;

    static ConfigReader& Instance();

    bool IsOpen() const { return store_ != nullptr; }
    // The store in the folder of the library's own module.
    bool Open();
    bool OpenAt(const std::wstring& folder);

    // False when closed, for an empty key or an absent key; `out` is then left as it was.
    bool GetString(const std::string& key, std::string& out) const;
    std::int32_t GetInt32(const std::string& key, std::int32_t defaultValue) const;
    std::int64_t GetInt64(const std::string& key, std::int64_t defaultValue) const;

private:
    // Not owned: MMKV keeps its instances for the life of the process.
    MMKV* store_ = nullptr;
};

} // namespace Vyro
