#include "Scenario.h"

#include <algorithm>
#include <fstream>
#include <string_view>

#include "PlainFileName.h"
#include "StepParser.h"
#include "Utf8Path.h"

namespace VyroHost {

namespace {

// "binding" says which Xbox binding a scenario is about ("by-name" or "linked"), for the test suite
// that picks the scenarios of each library it built; the harness plays any scenario against any library.
constexpr std::string_view kMembers[] = {"description", "store", "binding", "launchedBy", "arguments", "stage",
                                         "stageDirs", "config", "steps", "expect", "expectCount"};

std::optional<Json> ReadJson(const std::filesystem::path& file, std::string& error)
{
    std::ifstream stream(file, std::ios::binary);
    if (!stream) {
        error = "cannot read the scenario file";
        return std::nullopt;
    }
    Json document = Json::parse(stream, nullptr, false);
    if (document.is_discarded()) {
        error = "the scenario file is not valid JSON";
        return std::nullopt;
    }
    return document;
}

bool CheckMembers(const Json& document, std::string& error)
{
    if (!document.is_object()) {
        error = "a scenario must be a JSON object";
        return false;
    }
    for (const auto& member : document.items()) {
        if (std::find(std::begin(kMembers), std::end(kMembers), member.key()) == std::end(kMembers)) {
            error = "unknown member \"" + member.key() + "\"";
            return false;
        }
    }
    if (!document.contains("steps") || !document["steps"].is_array()) {
        error = "\"steps\" must be an array";
        return false;
    }
    return true;
}

bool ReadSteps(const Json& steps, Scenario& scenario, std::string& error)
{
    for (std::size_t index = 0; index < steps.size(); ++index) {
        auto step = ParseStep(steps[index], error);
        if (!step) {
            error = "step " + std::to_string(index) + ": " + error;
            return false;
        }
        scenario.steps.push_back(std::move(*step));
    }
    return true;
}

bool ReadInOrder(const Json& document, Expectations& expectations, std::string& error)
{
    const Json expect = document.value("expect", Json::array());
    if (!expect.is_array() || !std::all_of(expect.begin(), expect.end(), [](const Json& e) { return e.is_object(); })) {
        error = "\"expect\" must be an array of objects";
        return false;
    }
    expectations.inOrder.assign(expect.begin(), expect.end());
    return true;
}

bool ReadCounts(const Json& document, Expectations& expectations, std::string& error)
{
    const Json counts = document.value("expectCount", Json::array());
    if (!counts.is_array()) {
        error = "\"expectCount\" must be an array";
        return false;
    }
    for (const Json& entry : counts) {
        const bool valid = entry.is_object() && entry.size() == 2 && entry.contains("match") &&
                           entry["match"].is_object() && entry.contains("count") &&
                           entry["count"].is_number_unsigned();
        if (!valid) {
            error = "each \"expectCount\" entry must be {\"match\": {...}, \"count\": N} with N >= 0";
            return false;
        }
        expectations.counts.push_back({entry["match"], entry["count"].get<std::size_t>()});
    }
    return true;
}

bool ReadStage(const Json& document, Scenario& scenario, std::string& error)
{
    const Json stage = document.value("stage", Json::object());
    if (!stage.is_object()) {
        error = "\"stage\" must be an object of file name -> source path";
        return false;
    }
    for (const auto& entry : stage.items()) {
        if (!IsPlainFileName(entry.key()) || !entry.value().is_string()) {
            error = "\"stage\" entry \"" + entry.key() + "\" must map a plain file name to a source path";
            return false;
        }
        scenario.stage[entry.key()] = entry.value().get<std::string>();
    }
    return true;
}

bool ReadStore(const Json& document, Scenario& scenario, std::string& error)
{
    if (!document.contains("store")) {
        return true;
    }
    if (!document["store"].is_string()) {
        error = "\"store\" must be a store name";
        return false;
    }
    scenario.store = document["store"].get<std::string>();
    return true;
}

bool IsAnyText(const std::string&) { return true; }

// An optional member that must be an array of strings that each pass `valid`; `texts` is left
// unset when the member is absent.
bool ReadTexts(const Json& document, const char* name, bool (*valid)(const std::string&), const char* mustBe,
               std::optional<std::vector<std::string>>& texts, std::string& error)
{
    if (!document.contains(name)) {
        return true;
    }
    const Json& array = document[name];
    const auto isValid = [valid](const Json& text) { return text.is_string() && valid(text.get<std::string>()); };
    if (!array.is_array() || !std::all_of(array.begin(), array.end(), isValid)) {
        error = "\"" + std::string(name) + "\" must be " + mustBe;
        return false;
    }
    texts = array.get<std::vector<std::string>>();
    return true;
}

bool ReadLists(const Json& document, Scenario& scenario, std::string& error)
{
    std::optional<std::vector<std::string>> stageDirs;
    const bool valid =
        ReadTexts(document, "launchedBy", IsPlainFileName, "an array of executable file names, outermost first",
                  scenario.launchedBy, error) &&
        ReadTexts(document, "arguments", IsAnyText, "an array of the game's command-line arguments",
                  scenario.arguments, error) &&
        ReadTexts(document, "stageDirs", IsPathInsideFolder,
                  "an array of folder paths relative to the staged folder", stageDirs, error);
    scenario.stageDirs = stageDirs.value_or(std::vector<std::string>());
    return valid;
}

// "config": a folder relative to the scenario file's folder, or null for no configuration store.
bool ReadConfig(const Json& document, const std::filesystem::path& file, Scenario& scenario, std::string& error)
{
    if (!document.contains("config")) {
        return true;
    }
    const Json& config = document["config"];
    if (config.is_null()) {
        scenario.config = ConfigFolder();
        return true;
    }
    if (!config.is_string() || config.get<std::string>().empty()) {
        error = "\"config\" must be a folder of JSON files, relative to the scenario's folder, or null";
        return false;
    }
    scenario.config = file.parent_path() / PathFromUtf8(config.get<std::string>());
    return true;
}

} // namespace

std::optional<Scenario> LoadScenario(const std::filesystem::path& file, std::string& error)
{
    const auto document = ReadJson(file, error);
    Scenario scenario;
    const bool valid = document && CheckMembers(*document, error) && ReadSteps((*document)["steps"], scenario, error) &&
                       ReadInOrder(*document, scenario.expectations, error) &&
                       ReadCounts(*document, scenario.expectations, error) && ReadStage(*document, scenario, error) &&
                       ReadStore(*document, scenario, error) && ReadLists(*document, scenario, error) &&
                       ReadConfig(*document, file, scenario, error);
    if (!valid) {
        error = PathToUtf8(file) + ": " + error;
        return std::nullopt;
    }
    return scenario;
}

} // namespace VyroHost
