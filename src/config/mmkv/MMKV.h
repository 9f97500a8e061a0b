#pragma once

#include <cstddef>
#include <cstdint>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

// Our own implementation of the on-disk format of the MMKV 2.4 key-value store (AES-256-CFB
// encrypted stores, single process), behind the subset of MMKV's API that the configuration code
// uses, so that stores we write are read by MMKV 2.4 and the other way round.

namespace Vyro::Mmkv {
class Store;
}

enum MMKVMode : std::uint32_t {
    MMKV_SINGLE_PROCESS = 1u << 0,
    MMKV_READ_ONLY = 1u << 5,
};

inline MMKVMode operator|(MMKVMode a, MMKVMode b)
{
    return static_cast<MMKVMode>(static_cast<std::uint32_t>(a) | static_cast<std::uint32_t>(b));
}

enum MMKVLogLevel : int {
    MMKVLogDebug = 0,
    MMKVLogInfo = 1,
    MMKVLogWarning = 2,
    MMKVLogError = 3,
    MMKVLogNone = 4,
};

using MMKVLogHandler = void (*)(MMKVLogLevel level, const char* file, int line, const char* function,
                                const std::string& message);

class MMKV {
public:
    // Sets the default root folder of stores opened without one, and the level below which the
    // store's own diagnostics are dropped (they go to the library's log; `handler` is accepted for
    // compatibility and not called). Repeated calls only change the level. Creates nothing: the
    // folder appears with the first writable store in it.
    static void initializeMMKV(const std::string& rootDir, MMKVLogLevel logLevel = MMKVLogInfo,
                               MMKVLogHandler handler = nullptr);

    // The process's instance for `mmapID` in `rootPath` (or the initialised root), created on first
    // use and kept for the life of the process (later calls get it with the first call's mode and
    // key). Null before initializeMMKV, for an empty id or one holding any of \ / : * ? " < > |, or
    // when a writable store's files cannot be created. A read-only store whose files are missing,
    // damaged or written under another key opens as an empty store (with a warning), as MMKV does;
    // it never creates or changes a file. A key longer than the AES key size (32 bytes with
    // `aes256`, else 16) is cut, a shorter one padded with zeros; a null or empty key means a plain
    // store. `expectedCapacity` is not needed: files grow as they must.
    static MMKV* mmkvWithID(const std::string& mmapID, MMKVMode mode = MMKV_SINGLE_PROCESS,
                            const std::string* cryptKey = nullptr, const std::string* rootPath = nullptr,
                            std::size_t expectedCapacity = 0, bool aes256 = false);

    bool getString(const std::string& key, std::string& result, bool inplaceModification = true);
    bool getBool(const std::string& key, bool defaultValue = false, bool* hasValue = nullptr);
    std::int32_t getInt32(const std::string& key, std::int32_t defaultValue = 0, bool* hasValue = nullptr);
    std::int64_t getInt64(const std::string& key, std::int64_t defaultValue = 0, bool* hasValue = nullptr);
    float getFloat(const std::string& key, float defaultValue = 0, bool* hasValue = nullptr);
    double getDouble(const std::string& key, double defaultValue = 0, bool* hasValue = nullptr);

    // Setters write through to the files at once; false for an empty key, a read-only store, or a
    // failed write (the value then stays as it was). A null `const char*` removes the key.
    bool set(bool value, const std::string& key);
    bool set(std::int32_t value, const std::string& key);
    bool set(std::int64_t value, const std::string& key);
    bool set(float value, const std::string& key);
    bool set(double value, const std::string& key);
    bool set(const std::string& value, const std::string& key);
    bool set(const char* value, const std::string& key);

    // Removes every key; the data file shrinks to one page whatever `keepSpace` says.
    void clearAll(bool keepSpace = false);
    // Our own, not MMKV's: setters from here on change the values in memory only, until
    // writeHeld() writes the store once (false when that write fails); for building a whole store.
    void holdWrites();
    bool writeHeld();
    std::size_t count();
    std::vector<std::string> allKeys();

    ~MMKV();
    MMKV(const MMKV&) = delete;
    MMKV& operator=(const MMKV&) = delete;

private:
    explicit MMKV(std::unique_ptr<Vyro::Mmkv::Store> store);

    std::unique_ptr<Vyro::Mmkv::Store> store_;
};
