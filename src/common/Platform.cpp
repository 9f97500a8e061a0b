// The platform-independent utilities, and the portable cores that both OS implementations share.
#include "common/Platform.h"

#include <cctype>
#include <set>

#include "common/Logger.h"

namespace Vyro::Platform {

std::string ToLowerAscii(std::string_view text)
{
    std::string lower(text);
    for (char& c : lower) {
        c = static_cast<char>(std::tolower(static_cast<unsigned char>(c)));
    }
    return lower;
}

std::string HexEncode(const std::uint8_t* bytes, std::size_t size, bool upperCase)
{
    const char* digits = upperCase ? "0123456789ABCDEF" : "0123456789abcdef";
    std::string hex;
    hex.reserve(size * 2);
    for (std::size_t i = 0; i < size; ++i) {
        hex += digits[bytes[i] >> 4];
        hex += digits[bytes[i] & 0x0F];
    }
    return hex;
}

namespace {
int HexDigitValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    return -1;
}
} // namespace

std::string UrlDecode(std::string_view text)
{
    std::string decoded;
    decoded.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            const int high = HexDigitValue(text[i + 1]);
            const int low = HexDigitValue(text[i + 2]);
            if (high >= 0 && low >= 0) {
                decoded += static_cast<char>(high * 16 + low);
                i += 2;
                continue;
            }
        }
        decoded += text[i];
    }
    return decoded;
}

std::wstring CutAtLastSeparator(const std::wstring& path)
{
    const auto separator = path.find_last_of(L"\\/");
    return separator == std::wstring::npos ? path : path.substr(0, separator);
}

std::vector<ProcessAncestor> WalkAncestors(const ProcessSnapshot& snapshot, std::uint32_t selfId)
{
    std::vector<ProcessAncestor> ancestors;
    const auto self = snapshot.find(selfId);
    if (self == snapshot.end()) {
        return ancestors;
    }
    // Ourselves included: a stale parent id may have been reused for this very process.
    std::set<std::uint32_t> visited{selfId};
    for (std::uint32_t current = self->second.parentId; current != 0;) {
        if (!visited.insert(current).second) {
            Log(LogLevel::Warning, "Cycle detected in process tree at PID {}", current);
            break;
        }
        const auto record = snapshot.find(current);
        if (record == snapshot.end()) {
            break; // that process has exited
        }
        ancestors.push_back({current, WideToUtf8(record->second.exeName)});
        current = record->second.parentId;
    }
    return ancestors;
}

namespace {
// "--name=value" and "-name=value" give (name, value); anything else gives nothing.
std::optional<std::pair<std::wstring, std::wstring>> ParseOption(const std::wstring& argument)
{
    std::wstring rest;
    if (argument.starts_with(L"--") && argument.size() > 2) {
        rest = argument.substr(2);
    } else if (argument.starts_with(L"-") && argument.size() >= 2) {
        rest = argument.substr(1);
    } else {
        return std::nullopt;
    }
    const auto equals = rest.find(L'=');
    if (equals == std::wstring::npos || equals == 0) {
        return std::nullopt;
    }
    return std::pair{rest.substr(0, equals), rest.substr(equals + 1)};
}
} // namespace

CommandLineArgs ParseCommandLineArgs(const std::vector<std::wstring>& argv)
{
    CommandLineArgs args;
    if (argv.empty()) {
        return args;
    }
    const std::wstring& program = argv.front();
    const auto separator = program.find_last_of(L"\\/");
    args["program"] = WideToUtf8(separator == std::wstring::npos ? program : program.substr(separator + 1));
    for (std::size_t i = 1; i < argv.size(); ++i) {
        if (const auto option = ParseOption(argv[i])) {
            args[WideToUtf8(option->first)] = WideToUtf8(option->second);
        }
    }
    return args;
}

std::wstring GetModuleDirectory(ModuleHandle module)
{
    const std::wstring path = GetModulePath(module);
    if (path.empty()) {
        Log(LogLevel::Warning, "Platform::GetModuleDirectory() - GetModulePath returned empty");
        return {};
    }
    return CutAtLastSeparator(path);
}

} // namespace Vyro::Platform
