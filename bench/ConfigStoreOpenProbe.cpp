// vyro_config_open_probe STORE_FOLDER COPY_FOLDER: opens the configuration store in STORE_FOLDER
// and then the copy of it in COPY_FOLDER, each read-only with one string read, in this fresh
// process, and prints the two times in nanoseconds: the first open (which pays the cryptography's
// start-up) and a warm one.
#include <chrono>
#include <cstdio>
#include <string>

#include "config/ConfigStore.h"
#include "config/mmkv/MMKV.h"

namespace {

long long TimedOpen(const std::string& folder)
{
    const auto start = std::chrono::steady_clock::now();
    MMKV* store = Vyro::OpenConfigStore(folder, MMKV_SINGLE_PROCESS | MMKV_READ_ONLY);
    std::string value;
    if (store == nullptr || !store->getString("game.setting1", value)) {
        return -1;
    }
    return std::chrono::duration_cast<std::chrono::nanoseconds>(std::chrono::steady_clock::now() - start).count();
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3) {
        std::fputs("usage: vyro_config_open_probe STORE_FOLDER COPY_FOLDER\n", stderr);
        return 2;
    }
    MMKV::initializeMMKV(argv[1], MMKVLogWarning);
    const long long first = TimedOpen(argv[1]);
    const long long warm = TimedOpen(argv[2]);
    std::printf("%lld %lld\n", first, warm);
    return first < 0 || warm < 0 ? 1 : 0;
}
