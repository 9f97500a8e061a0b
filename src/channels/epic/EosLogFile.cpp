#include "channels/epic/EosLogFile.h"

#include <new>

#include "common/Logger.h"

namespace Vyro {

namespace {

const char* FileLevelName(Eos::LogLevel level)
{
    switch (level) {
    case Eos::kLogFatal:
        return "FATAL";
    case Eos::kLogError:
        return "ERROR";
    case Eos::kLogWarning:
        return "WARN";
    default:
        return "INFO";
    }
}

// Fatal and error messages are errors to the game, warnings warnings; the rest only reach the file.
void LogToLibrary(Eos::LogLevel level, std::string_view category, std::string_view text)
{
    if (level == Eos::kLogFatal || level == Eos::kLogError) {
        Log(LogLevel::Error, "[EOS:{}] {}", category, text);
    } else if (level == Eos::kLogWarning) {
        Log(LogLevel::Warning, "[EOS:{}] {}", category, text);
    }
}

} // namespace

EosLogFile& EosLogFile::Instance()
{
    // Built in static storage and never destroyed: EOS may log from its threads while the process
    // exits, and unloading the library leaves no heap block behind (the channel closes the file).
    alignas(EosLogFile) static unsigned char storage[sizeof(EosLogFile)];
    static EosLogFile* const instance = new (storage) EosLogFile;
    return *instance;
}

void EosLogFile::Install(std::unique_ptr<std::ofstream> stream)
{
    {
        const std::lock_guard lock(mutex_);
        stream_ = std::move(stream);
    }
    enabled_.store(true);
}

void EosLogFile::Close()
{
    enabled_.store(false);
    const std::lock_guard lock(mutex_);
    stream_.reset();
}

void EosLogFile::Write(Eos::LogLevel level, std::string_view category, std::string_view message)
{
    if (!enabled_.load()) {
        return;
    }
    const std::lock_guard lock(mutex_);
    if (!stream_ || !stream_->is_open()) {
        return;
    }
    try {
        *stream_ << '[' << FileLevelName(level) << "][" << category << "] " << message << '\n';
        stream_->flush();
    } catch (...) {
        // A full disk must not take EOS's logging thread down.
    }
}

void EosLogCallback(const Eos::LogMessage* message)
{
    if (message == nullptr) {
        return;
    }
    const std::string_view category = message->category == nullptr ? "Unknown" : message->category;
    const std::string_view text = message->message == nullptr ? "" : message->message;
    try {
        LogToLibrary(message->level, category, text);
    } catch (...) {
        // Nothing may escape into EOS's frames.
    }
    EosLogFile::Instance().Write(message->level, category, text);
}

} // namespace Vyro
