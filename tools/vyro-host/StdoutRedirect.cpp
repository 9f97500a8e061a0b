#include "StdoutRedirect.h"

#include <cerrno>
#include <cstring>

#if defined(_WIN32)
#include <fcntl.h>
#include <io.h>
#else
#include <unistd.h>
#endif

namespace VyroHost {

namespace {

// The harness and the library share one C runtime (msvcrt.dll on Windows, even with both linked
// statically; libc on POSIX), so descriptor 1 is the same for both.
constexpr int kStdout = 1;
constexpr int kStderr = 2;

#if defined(_WIN32)
int Duplicate(int fd) { return _dup(fd); }
int DuplicateTo(int fd, int target) { return _dup2(fd, target); }
// Binary mode: records end in "\n" alone on every platform.
std::FILE* OpenStream(int fd) { return _fdopen(fd, "wb"); }
void Close(int fd) { _close(fd); }
#else
int Duplicate(int fd) { return dup(fd); }
int DuplicateTo(int fd, int target) { return dup2(fd, target); }
std::FILE* OpenStream(int fd) { return fdopen(fd, "w"); }
void Close(int fd) { close(fd); }
#endif

std::string Failure(const char* what) { return std::string(what) + " failed: " + std::strerror(errno); }

} // namespace

std::FILE* DivertStandardOutput(std::string& error)
{
    std::fflush(stdout);
    const int original = Duplicate(kStdout);
    if (original < 0) {
        error = Failure("duplicating standard output");
        return nullptr;
    }
    if (DuplicateTo(kStderr, kStdout) < 0) {
        error = Failure("redirecting standard output to standard error");
        Close(original);
        return nullptr;
    }
    std::FILE* stream = OpenStream(original);
    if (stream == nullptr) {
        error = Failure("opening the saved standard output");
        Close(original);
    }
    return stream;
}

} // namespace VyroHost
