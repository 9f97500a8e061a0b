// vyro-config-pack: packs a folder of JSON files into the library's encrypted configuration store,
// and lists or reads a finished store.
#include <cstdio>
#include <filesystem>
#include <string>
#include <vector>

#include "CommandLine.h"
#include "Failure.h"
#include "PackCommand.h"
#include "StoreQueries.h"
#include "VyroVersion.h"
#include "vyro-host/StdoutRedirect.h"

#if defined(_WIN32)
#include "common/Platform.h"
#endif

namespace {

using namespace ConfigPack;

int Dispatch(const Command& command, std::FILE* out)
{
    if (command.kind == Command::Kind::Pack) {
        return RunPack(command.jsonFolder, command.storeFolder, out);
    }
    if (command.kind == Command::Kind::List) {
        return RunList(command.storeFolder, out);
    }
    return RunGet(command.storeFolder, command.type, command.key, out);
}

int Run(const std::vector<std::string>& args)
{
    std::string error;
    const std::optional<Command> command = ParseCommandLine(args, error);
    if (!command) {
        std::fprintf(stderr, "error: %s\n\n%s", error.c_str(), UsageText());
        return kBadCommandLine;
    }
    if (command->kind == Command::Kind::Help) {
        std::fputs(UsageText(), stdout);
        return kSucceeded;
    }
    if (command->kind == Command::Kind::Version) {
        std::printf("vyro-config-pack %s\n", VYRO_VERSION_TEXT);
        return kSucceeded;
    }
    // The library's own log lines go to standard output; they must not mix with the results.
    std::FILE* out = VyroHost::DivertStandardOutput(error);
    if (out == nullptr) {
        return Fail(error);
    }
    int status = kFailed;
    try {
        status = Dispatch(*command, out);
    } catch (const std::filesystem::filesystem_error& failure) {
        status = Fail(failure.what());
    }
    std::fclose(out);
    return status;
}

} // namespace

#if defined(_WIN32)
// The wide entry point: arguments arrive as Unicode whatever the system code page.
int wmain(int argc, wchar_t** argv)
{
    std::vector<std::string> args;
    for (int i = 1; i < argc; ++i) {
        args.push_back(Vyro::Platform::WideToUtf8(argv[i]));
    }
    return Run(args);
}
#else
int main(int argc, char** argv)
{
    return Run(std::vector<std::string>(argv + 1, argv + argc));
}
#endif
