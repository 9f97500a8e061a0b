#include "Records.h"

#include <string_view>

namespace VyroHost {

namespace {

Json ReplyValue(const char* text)
{
    if (text == nullptr) {
        return nullptr;
    }
    Json parsed = Json::parse(text, nullptr, false);
    return parsed.is_discarded() ? Json(text) : parsed;
}

} // namespace

Json StepRecord(std::size_t index, const Json& step)
{
    Json record{{"step", index}};
    record.update(step);
    return record;
}

Json CallbackRecord(int code, const char* reply)
{
    return Json{{"type", "callback"}, {"code", code}, {"reply", ReplyValue(reply)}};
}

Json EventRecord(int type, int code, const char* reply)
{
    return Json{{"type", "event"}, {"eventType", type}, {"code", code}, {"reply", ReplyValue(reply)}};
}

Json LogRecord(int level, const char* line)
{
    constexpr std::string_view kPrefix = "[VyroChannel][";
    const std::string_view text = line == nullptr ? std::string_view() : std::string_view(line);
    const std::size_t levelStart = text.starts_with(kPrefix) ? text.find("] [", kPrefix.size()) : std::string_view::npos;
    const std::size_t levelEnd = levelStart == std::string_view::npos ? levelStart : text.find("] ", levelStart + 3);
    if (levelEnd == std::string_view::npos) {
        return Json{{"type", "log"}, {"level", level}, {"line", text}};
    }
    return Json{{"type", "log"},
                {"level", text.substr(levelStart + 3, levelEnd - levelStart - 3)},
                {"message", text.substr(levelEnd + 2)}};
}

Json SimRecord(const char* reply) { return Json{{"type", "sim"}, {"reply", ReplyValue(reply)}}; }

Json ArgumentsRecord(const std::vector<std::string>& arguments)
{
    return Json{{"type", "arguments"}, {"arguments", arguments}};
}

} // namespace VyroHost
