// vyro-launch PROGRAM [ARGUMENT...]
//
// Runs PROGRAM with the arguments on this process's standard input, output and error, waits for it
// and exits with its exit code. Copied under a store client's or a launcher's executable name, it
// stands in for that process among a game's ancestors.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "ChildProcess.h"

namespace {

constexpr int kCannotStart = 2;

int Launch(const std::vector<std::string>& arguments)
{
    if (arguments.empty()) {
        std::fprintf(stderr, "usage: vyro-launch PROGRAM [ARGUMENT...]\n");
        return kCannotStart;
    }
    const std::filesystem::path program(std::u8string(arguments[0].begin(), arguments[0].end()));
    std::string error;
    const auto exitCode =
        VyroTools::RunChild(program, std::vector<std::string>(arguments.begin() + 1, arguments.end()), error);
    if (!exitCode) {
        std::fprintf(stderr, "vyro-launch: cannot start %s: %s\n", arguments[0].c_str(), error.c_str());
        return kCannotStart;
    }
    return *exitCode;
}

} // namespace

#if defined(_WIN32)
// The wide command line, so that paths outside the ANSI code page reach the child intact.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> arguments;
    for (int index = 1; index < argc; ++index) {
        const std::u8string utf8 = std::filesystem::path(argv[index]).u8string();
        arguments.emplace_back(utf8.begin(), utf8.end());
    }
    return Launch(arguments);
}
#else
int main(int argc, char** argv) { return Launch(std::vector<std::string>(argv + 1, argv + argc)); }
#endif
