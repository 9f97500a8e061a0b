#include "CommandLine.h"

namespace VyroHost {

namespace {

// The value after an option, or null with `error` set when the command line ends there.
const std::string* OptionValue(const std::vector<std::string>& arguments, std::size_t& index, std::string& error)
{
    if (index + 1 >= arguments.size()) {
        error = arguments[index] + " needs a value";
        return nullptr;
    }
    return &arguments[++index];
}

} // namespace

std::optional<Options> ParseCommandLine(const std::vector<std::string>& arguments, std::string& error)
{
    Options options;
    std::optional<std::filesystem::path> scenario;
    for (std::size_t index = 0; index < arguments.size(); ++index) {
        const std::string& argument = arguments[index];
        if (argument == "--check") {
            options.check = true;
        } else if (argument == "--store" || argument == "--library") {
            const std::string* value = OptionValue(arguments, index, error);
            if (value == nullptr) {
                return std::nullopt;
            }
            if (argument == "--store") {
                options.store = *value;
            } else {
                options.library = *value;
            }
        } else if (argument.starts_with("-") || scenario) {
            error = "unexpected argument " + argument;
            return std::nullopt;
        } else {
            scenario = argument;
        }
    }
    if (!scenario) {
        error = "no scenario file given";
        return std::nullopt;
    }
    options.scenario = *scenario;
    return options;
}

} // namespace VyroHost
