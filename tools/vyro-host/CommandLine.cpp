#include "CommandLine.h"

#include <algorithm>

#include "PlainFileName.h"
#include "Utf8Path.h"

namespace VyroHost {

namespace {

constexpr const char* kLaunchedBy = "--launched-by";
// Ends the harness's own arguments; the game's follow.
constexpr const char* kGameArguments = "--";

// The value after an option, or null with `error` set when the command line ends there.
const std::string* OptionValue(const std::vector<std::string>& arguments, std::size_t& index, std::string& error)
{
    if (index + 1 >= arguments.size()) {
        error = arguments[index] + " needs a value";
        return nullptr;
    }
    return &arguments[++index];
}

// "a.exe,b.exe" as its names; "" as none.
std::optional<std::vector<std::string>> LauncherNames(const std::string& list, std::string& error)
{
    std::vector<std::string> names;
    for (std::size_t start = 0; !list.empty() && start <= list.size();) {
        const std::size_t comma = std::min(list.find(',', start), list.size());
        names.push_back(list.substr(start, comma - start));
        if (!IsPlainFileName(names.back())) {
            error = kLaunchedBy;
            error.append(": \"").append(names.back()).append("\" is not an executable file name");
            return std::nullopt;
        }
        start = comma + 1;
    }
    return names;
}

bool SetOption(Options& options, const std::string& name, const std::string& value, std::string& error)
{
    if (name == kLaunchedBy) {
        options.launchedBy = LauncherNames(value, error);
        return options.launchedBy.has_value();
    }
    if (name == "--store") {
        options.store = value;
    } else {
        options.library = PathFromUtf8(value);
    }
    return true;
}

// Reads the argument at `index` and, for an option with a value, moves `index` to that value.
bool ReadArgument(const std::vector<std::string>& arguments, std::size_t& index, Options& options,
                  std::optional<std::string>& scenario, std::string& error)
{
    const std::string& argument = arguments[index];
    if (argument == "--check") {
        options.check = true;
        return true;
    }
    if (argument == "--store" || argument == "--library" || argument == kLaunchedBy) {
        const std::string* value = OptionValue(arguments, index, error);
        return value != nullptr && SetOption(options, argument, *value, error);
    }
    if (argument.starts_with("-") || scenario) {
        error = "unexpected argument " + argument;
        return false;
    }
    scenario = argument;
    return true;
}

} // namespace

std::optional<Options> ParseCommandLine(const std::vector<std::string>& arguments, std::string& error)
{
    Options options;
    std::optional<std::string> scenario;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        if (arguments[index] == kGameArguments) {
            options.gameArguments.emplace(arguments.begin() + index + 1, arguments.end());
            break;
        }
        const std::size_t first = index;
        if (!ReadArgument(arguments, index, options, scenario, error)) {
            return std::nullopt;
        }
        if (arguments[first] != kLaunchedBy) {
            options.passedOn.insert(options.passedOn.end(), arguments.begin() + first, arguments.begin() + index + 1);
        }
    }
    if (!scenario) {
        error = "no scenario file given";
        return std::nullopt;
    }
    options.scenario = PathFromUtf8(*scenario);
    return options;
}

std::vector<std::string> GameProcessArguments(const Options& options, const std::vector<std::string>& gameArguments)
{
    std::vector<std::string> arguments = options.passedOn;
    arguments.push_back(kGameArguments);
    arguments.insert(arguments.end(), gameArguments.begin(), gameArguments.end());
    return arguments;
}

} // namespace VyroHost
