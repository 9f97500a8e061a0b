#include "CommandLine.h"

#include "config/Utf8Path.h"

namespace ConfigPack {

namespace {

bool IsOption(const std::string& arg) { return arg.rfind("-", 0) == 0; }

} // namespace

std::optional<Command> ParseCommandLine(const std::vector<std::string>& args, std::string& error)
{
    using Vyro::PathFromUtf8;
    if (args.size() == 1 && (args[0] == "--help" || args[0] == "-h")) {
        return Command{};
    }
    if (args.size() == 1 && args[0] == "--version") {
        return Command{Command::Kind::Version, {}, {}, {}, {}};
    }
    if (args.size() == 2 && args[0] == "--list") {
        return Command{Command::Kind::List, {}, PathFromUtf8(args[1]), {}, {}};
    }
    if (args.size() == 4 && args[0] == "--get") {
        return Command{Command::Kind::Get, {}, PathFromUtf8(args[1]), args[2], args[3]};
    }
    if (args.size() == 2 && !IsOption(args[0]) && !IsOption(args[1])) {
        return Command{Command::Kind::Pack, PathFromUtf8(args[0]), PathFromUtf8(args[1]), {}, {}};
    }
    error = args.empty() ? "missing arguments" : "invalid arguments";
    return std::nullopt;
}

const char* UsageText()
{
    return R"(Usage:
  vyro-config-pack <json-folder> <store-folder>
      Packs every .json file directly in <json-folder> (extension in lower case, files in
      sorted order) into the encrypted configuration store "VyroChannelConfig" (with its
      ".crc" companion) in <store-folder>, which is created if needed. Nested objects become
      dotted keys ("epic": {"clientId": ...} is "epic.clientId"); each value is written with
      the setter of its type: booleans as bool, integers as int32 when they fit and int64
      otherwise (beyond the int64 range: double, with a warning), other numbers as double,
      strings as string, arrays as the string of their compact JSON; null members are
      skipped with a warning. A key that two files, or one file twice, define is an error.
      The store is built beside <store-folder> and moved into place only when complete, so
      earlier keys never survive and a failed run leaves no store behind it.
      Prints "wrote <n> entries to <store file>" and exits 0.

  vyro-config-pack --list <store-folder>
      Prints the store's keys, sorted, one per line. A key with a backslash or a control
      character is shown escaped: \\, \n, \r, \t, or \xHH for any other control character
      (a note on standard error says so).

  vyro-config-pack --get <store-folder> <type> <key>
      Prints the value of <key> read as <type>: bool, int32, int64, float, double or string.
      Strings are printed as stored, followed by a newline. <key> is read as --list shows it
      and, when no key of that form is found, exactly as given.

  vyro-config-pack --help | -h
      Prints this text.

  vyro-config-pack --version
      Prints "vyro-config-pack <version>".

The store is only read by --list and --get, never changed.
Exit status: 0 on success, 1 on failure (a message on standard error: bad JSON, duplicate
key, a store that cannot be written or read, an absent key), 2 for a bad command line.
)";
}

} // namespace ConfigPack
