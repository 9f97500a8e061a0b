#include "OnlineControl.h"

#include <limits>
#include <string>

#include "ControlOpShapes.h"
#include "ControlReaders.h"
#include "SimState.h"

namespace Vyro::XboxSim {

namespace {

using Sim::Assign;
using Sim::ControlFields;
using nlohmann::json;

constexpr std::int64_t kUint32Max = std::numeric_limits<std::uint32_t>::max();
constexpr std::int64_t kLastButton = 2;

std::optional<std::uint32_t> ReadNumber(ControlFields& fields, const char* name)
{
    const auto value = fields.Integer(name, 0, kUint32Max);
    return value ? std::optional(static_cast<std::uint32_t>(*value)) : std::nullopt;
}

void ReadPrivilege(ControlFields& parent, const json& object, const std::string& where, PrivacySettings& privacy)
{
    ControlFields fields(parent, object, where, {"privilege", "granted", "denyReason", "resolvable"});
    fields.Require("privilege");
    const auto number = ReadNumber(fields, "privilege");
    SimPrivilege privilege;
    Assign(fields.Bool("granted"), privilege.granted);
    Assign(ReadNumber(fields, "denyReason"), privilege.denyReason);
    Assign(fields.Bool("resolvable"), privilege.resolvable);
    if (number) {
        privacy.privileges[*number] = privilege;
    }
}

void ReadPrivacyPrivileges(ControlFields& fields, PrivacySettings& privacy)
{
    if (const json* privileges = fields.Array("privileges")) {
        privacy.privileges.clear();
        for (std::size_t i = 0; i < privileges->size(); ++i) {
            ReadPrivilege(fields, (*privileges)[i], "privileges[" + std::to_string(i) + "]", privacy);
        }
    }
    ReadHResult(fields, "checkResult", privacy.checkResult);
    ReadCall(fields, "resolve", privacy.resolve);
}

SimDenyReason ReadReason(ControlFields& parent, const json& object, const std::string& where)
{
    ControlFields fields(parent, object, where, {"reason", "privilege", "privacySetting"});
    SimDenyReason reason;
    Assign(ReadNumber(fields, "reason"), reason.reason);
    Assign(ReadNumber(fields, "privilege"), reason.privilege);
    Assign(ReadNumber(fields, "privacySetting"), reason.privacySetting);
    return reason;
}

SimPermissionRule ReadRule(ControlFields& parent, const json& object, const std::string& where)
{
    ControlFields fields(parent, object, where, {"xuid", "anonymous", "permission", "allowed", "reasons"});
    fields.Exclusive("xuid", "anonymous");
    SimPermissionRule rule;
    if (fields.Has("xuid")) {
        rule.xuid = fields.Unsigned64("xuid");
    }
    if (fields.Has("anonymous")) {
        rule.anonymous = ReadNumber(fields, "anonymous");
    }
    if (fields.Has("permission")) {
        rule.permission = ReadNumber(fields, "permission");
    }
    Assign(fields.Bool("allowed"), rule.allowed);
    if (const json* reasons = fields.Array("reasons")) {
        for (std::size_t i = 0; i < reasons->size(); ++i) {
            rule.reasons.push_back(ReadReason(fields, (*reasons)[i], "reasons[" + std::to_string(i) + "]"));
        }
    }
    return rule;
}

void ReadPermissions(ControlFields& fields, PrivacySettings& privacy)
{
    if (const json* rules = fields.Array("rules")) {
        privacy.rules.clear();
        for (std::size_t i = 0; i < rules->size(); ++i) {
            privacy.rules.push_back(ReadRule(fields, (*rules)[i], "rules[" + std::to_string(i) + "]"));
        }
    }
    ReadHResult(fields, "startResult", privacy.permissionStart);
    ReadOutcomes(fields, "results", privacy.permission.next);
    ReadOutcome(fields, "default", privacy.permission.fallback);
    ReadHResult(fields, "resultSizeResult", privacy.permissionResultSize);
    ReadHResult(fields, "resultResult", privacy.permissionResult);
}

void ReadButtons(ControlFields& fields, std::deque<std::uint32_t>& buttons)
{
    const json* list = fields.Array("buttons");
    if (list == nullptr) {
        return;
    }
    std::deque<std::uint32_t> read;
    for (const json& button : *list) {
        if (!button.is_number_integer() || button.get<std::int64_t>() < 0 || button.get<std::int64_t>() > kLastButton) {
            fields.Fail("buttons", "an array of button indexes 0 to 2");
            return;
        }
        read.push_back(button.get<std::uint32_t>());
    }
    buttons = std::move(read);
}

void ReadTexts(ControlFields& fields, std::deque<std::string>& texts)
{
    const json* list = fields.Array("texts");
    if (list == nullptr) {
        return;
    }
    std::deque<std::string> read;
    for (const json& text : *list) {
        if (!text.is_string()) {
            fields.Fail("texts", "an array of strings");
            return;
        }
        read.push_back(text.get<std::string>());
    }
    texts = std::move(read);
}

void ReadDialogs(ControlFields& fields, DialogSettings& dialogs)
{
    Assign(fields.Bool("holdOpen"), dialogs.holdOpen);
    ReadCall(fields, "errorDialog", dialogs.errorDialog);
    ReadCall(fields, "messageDialog", dialogs.messageDialog);
    ReadButtons(fields, dialogs.buttons);
    ReadCall(fields, "profileCard", dialogs.profileCard);
    ReadHResult(fields, "textEntryStartResult", dialogs.textEntry.startResult);
    ReadOutcomes(fields, "textEntryResults", dialogs.textEntry.outcomes.next);
    ReadOutcome(fields, "textEntryDefault", dialogs.textEntry.outcomes.fallback);
    ReadHResult(fields, "textEntryResultSizeResult", dialogs.textEntry.resultResult);
    ReadHResult(fields, "textEntryResultResult", dialogs.textEntryResultResult);
    ReadTexts(fields, dialogs.texts);
}

json DescribeRule(const SimPermissionRule& rule)
{
    json reasons = json::array();
    for (const SimDenyReason& reason : rule.reasons) {
        reasons.push_back({{"reason", reason.reason}, {"privilege", reason.privilege}, {"privacySetting", reason.privacySetting}});
    }
    json described{{"allowed", rule.allowed}, {"reasons", std::move(reasons)}};
    if (rule.xuid) {
        described["xuid"] = std::to_string(*rule.xuid);
    }
    if (rule.anonymous) {
        described["anonymous"] = *rule.anonymous;
    }
    if (rule.permission) {
        described["permission"] = *rule.permission;
    }
    return described;
}

} // namespace

json ProgramPrivileges(const json& request)
{
    ControlFields fields(request, "privileges",
                         {"privileges", "checkResult", "resolveStartResult", "resolveResults", "resolveDefault", "resolveResultResult"});
    return WithState([&](SimState& state) { return Sim::UpdateSettings(fields, state.runtime.online.privacy, ReadPrivacyPrivileges); });
}

json ProgramPermissions(const json& request)
{
    ControlFields fields(request, "permissions", {"rules", "startResult", "results", "default", "resultSizeResult", "resultResult"});
    return WithState([&](SimState& state) { return Sim::UpdateSettings(fields, state.runtime.online.privacy, ReadPermissions); });
}

json ProgramDialogs(const json& request)
{
    ControlFields fields(request, "dialogs",
                         {"holdOpen", "errorDialogStartResult", "errorDialogResults", "errorDialogDefault", "errorDialogResultResult",
                          "messageDialogStartResult", "messageDialogResults", "messageDialogDefault", "messageDialogResultResult",
                          "buttons", "profileCardStartResult", "profileCardResults", "profileCardDefault", "profileCardResultResult",
                          "textEntryStartResult", "textEntryResults", "textEntryDefault", "textEntryResultSizeResult",
                          "textEntryResultResult", "texts"});
    return WithState([&](SimState& state) { return Sim::UpdateSettings(fields, state.runtime.online.dialogs, ReadDialogs); });
}

json DescribeOnline(const OnlineData& online)
{
    json privileges = json::array();
    for (const auto& [number, privilege] : online.privacy.privileges) {
        privileges.push_back({{"privilege", number},
                              {"granted", privilege.granted},
                              {"denyReason", privilege.denyReason},
                              {"resolvable", privilege.resolvable}});
    }
    json rules = json::array();
    for (const SimPermissionRule& rule : online.privacy.rules) {
        rules.push_back(DescribeRule(rule));
    }
    return {{"privileges", std::move(privileges)},
            {"permissionRules", std::move(rules)},
            {"dialogsHeldOpen", online.dialogs.holdOpen},
            {"buttonsLeft", online.dialogs.buttons.size()},
            {"textsLeft", online.dialogs.texts.size()}};
}

} // namespace Vyro::XboxSim
