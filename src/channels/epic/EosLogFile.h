#pragma once

#include <atomic>
#include <fstream>
#include <memory>
#include <mutex>
#include <string_view>

#include "channels/epic/EosApi.h"

namespace Vyro {

// The verbose EOS log file, one per process and shared by every channel object: EOS logs from its
// own threads, so the stream is only touched under the lock, and the flag lets the callback skip the
// lock while file logging is off.
class EosLogFile {
public:
    static EosLogFile& Instance();

    // Installs `stream` in place of any earlier one, then turns file logging on.
    void Install(std::unique_ptr<std::ofstream> stream);
    // Turns file logging off, then closes the file.
    void Close();
    // One line "[LEVEL][category] message", when file logging is on.
    void Write(Eos::LogLevel level, std::string_view category, std::string_view message);

private:
    EosLogFile() = default;

    std::atomic<bool> enabled_{false};
    std::mutex mutex_;
    std::unique_ptr<std::ofstream> stream_;
};

// The callback EOS calls with every log message, from any thread.
void EosLogCallback(const Eos::LogMessage* message);

} // namespace Vyro
