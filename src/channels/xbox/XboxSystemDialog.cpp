#include "channels/xbox/XboxSystemDialog.h"

#include <array>
#include <cstdint>
#include <cstring>
#include <memory>
#include <vector>

#include <nlohmann/json.hpp>

#include "channels/xbox/HResultText.h"
#include "channels/xbox/IXboxContext.h"
#include "channels/xbox/XboxParameters.h"
#include "channels/xbox/XboxServiceAnswers.h"
#include "channels/xbox/XuidText.h"
#include "common/Logger.h"
#include "core/BaseChannelSDK.h"
#include "core/Envelope.h"
#include "core/RequestMembers.h"

namespace Vyro {

namespace {

using nlohmann::json;
using Gdk::HResult;

constexpr std::uint32_t kDefaultMaxTextLength = 256;
constexpr std::size_t kMessageButtons = 3;

// The request and the reader of its top-level parameters.
struct DialogRequest {
    json request;
    std::string requestId;
    XboxParameters members;

    explicit DialogRequest(const std::string& params)
        : request(ParseParameters(params.c_str())), requestId(GetRequestId(request)), members(request, "")
    {
    }
    // False, answered, when a parameter had the wrong type or the runtime is not started.
    bool Accepted(IXboxContext& context, ResultCallback cb) const
    {
        if (!members.Refusal().empty()) {
            AnswerFailure(cb, requestId, members.Refusal());
            return false;
        }
        return RequireRuntime(context, cb, requestId);
    }
};

// An HRESULT given either as a signed 32-bit number or as its unsigned value (0x80004005 written as
// 2147500037).
HResult ErrorCode(XboxParameters& members)
{
    if (const auto unsignedCode = Uint32Member(members.Object(), "errorCode")) {
        return static_cast<HResult>(*unsignedCode);
    }
    return members.Int32("errorCode", 0);
}

// The three button texts: the first three strings of "button"; missing ones are empty, never null.
std::array<std::string, kMessageButtons> ButtonTexts(XboxParameters& members)
{
    std::array<std::string, kMessageButtons> texts;
    const json& object = members.Object();
    const auto buttons = object.find("button");
    if (buttons == object.end() || !buttons->is_array()) {
        return texts;
    }
    for (std::size_t i = 0; i < kMessageButtons && i < buttons->size(); ++i) {
        const json& text = (*buttons)[i];
        if (!text.is_string()) {
            members.Refuse(("button[" + std::to_string(i) + "]").c_str(), "a string");
            continue;
        }
        texts[i] = text.get<std::string>();
    }
    return texts;
}

// Logs "<call> failed: 0x…" and answers -1 "<operation> failed: 0x…".
void AnswerDialogFailure(ResultCallback cb, const std::string& requestId, const char* call, const char* operation, HResult result)
{
    AnswerFailedResult(cb, requestId, call, std::string(operation) + " failed: " + HResultText(result), result);
}

void AnswerDialogSuccess(ResultCallback cb, const std::string& requestId, int code, const json& result)
{
    BaseChannelSDK::Answer(cb, code, MakeSuccessResponse(result, ChannelType::Xbox, requestId));
}

// The player closing the dialog is an answer too.
bool ClosedOrDone(HResult result) { return Gdk::Succeeded(result) || result == Gdk::kAbort; }

void CompleteTextEntry(IXboxContext& context, Gdk::XAsyncBlock* block, ResultCallback cb, const std::string& requestId)
{
    const Gdk::GameRuntimeApi& runtime = context.Runtime();
    std::uint32_t size = 0;
    const HResult sized = runtime.XGameUiShowTextEntryResultSize(block, &size);
    if (sized == Gdk::kAbort) {
        AnswerDialogSuccess(cb, requestId, VYROCHANNEL_CANCELED, json{{"text", ""}, {"size", 0}});
        return;
    }
    if (!Gdk::Succeeded(sized)) {
        AnswerFailedResult(cb, requestId, "XGameUiShowTextEntryResultSize", "Text entry failed: " + HResultText(sized), sized);
        return;
    }
    // One byte more than asked keeps the text terminated whatever the runtime wrote.
    std::vector<char> buffer(static_cast<std::size_t>(size) + 1, '\0');
    std::uint32_t used = 0;
    const HResult read = runtime.XGameUiShowTextEntryResult(block, size, buffer.data(), &used);
    if (!Gdk::Succeeded(read)) {
        AnswerFailedResult(cb, requestId, "XGameUiShowTextEntryResult", "Text entry result failed: " + HResultText(read), read);
        return;
    }
    const std::string text(buffer.data());
    AnswerDialogSuccess(cb, requestId, VYROCHANNEL_OK, json{{"text", text}, {"size", text.size()}});
}

} // namespace

XboxSystemDialog::XboxSystemDialog(IXboxContext* context) : context_(context) {}

void XboxSystemDialog::ShowErrorDialog(const std::string& params, ResultCallback cb)
{
    DialogRequest dialog(params);
    const HResult errorCode = ErrorCode(dialog.members);
    const std::string content = dialog.members.String("content", "");
    if (!dialog.Accepted(*context_, cb)) {
        return;
    }
    IXboxContext& context = *context_;
    const std::string& requestId = dialog.requestId;
    StartCall(
        context, cb, requestId, "XGameUiShowErrorDialogAsync",
        [&context, cb, requestId](Gdk::XAsyncBlock* block) {
            const HResult result = context.Runtime().XGameUiShowErrorDialogResult(block);
            if (!ClosedOrDone(result)) {
                AnswerDialogFailure(cb, requestId, "XGameUiShowErrorDialogResult", "ShowErrorDialog", result);
                return;
            }
            AnswerDialogSuccess(cb, requestId, VYROCHANNEL_OK, json::object());
        },
        [&](Gdk::XAsyncBlock* block) { return context.Runtime().XGameUiShowErrorDialogAsync(block, errorCode, content.c_str()); });
}

void XboxSystemDialog::ShowMessageDialog(const std::string& params, ResultCallback cb)
{
    DialogRequest dialog(params);
    const std::string title = dialog.members.String("title", "");
    const std::string content = dialog.members.String("content", "");
    const std::array<std::string, kMessageButtons> buttons = ButtonTexts(dialog.members);
    const auto defaultButton = static_cast<Gdk::XGameUiMessageDialogButton>(dialog.members.Int32("defaultButton", 0));
    const auto cancelButton = static_cast<Gdk::XGameUiMessageDialogButton>(dialog.members.Int32("cancelButton", 0));
    if (!dialog.Accepted(*context_, cb)) {
        return;
    }
    IXboxContext& context = *context_;
    const std::string& requestId = dialog.requestId;
    StartCall(
        context, cb, requestId, "XGameUiShowMessageDialogAsync",
        [&context, cb, requestId, cancelButton](Gdk::XAsyncBlock* block) {
            auto chosen = Gdk::XGameUiMessageDialogButton::First;
            const HResult result = context.Runtime().XGameUiShowMessageDialogResult(block, &chosen);
            if (!ClosedOrDone(result)) {
                AnswerDialogFailure(cb, requestId, "XGameUiShowMessageDialogResult", "ShowMessageDialog", result);
                return;
            }
            const auto button = result == Gdk::kAbort ? cancelButton : chosen;
            AnswerDialogSuccess(cb, requestId, VYROCHANNEL_OK, json{{"button", static_cast<std::int32_t>(button)}});
        },
        [&](Gdk::XAsyncBlock* block) {
            return context.Runtime().XGameUiShowMessageDialogAsync(block, title.c_str(), content.c_str(), buttons[0].c_str(),
                                                                   buttons[1].c_str(), buttons[2].c_str(), defaultButton,
                                                                   cancelButton);
        });
}

void XboxSystemDialog::ShowProfileCard(const std::string& params, ResultCallback cb)
{
    DialogRequest dialog(params);
    const std::string xuidText = dialog.members.String("xuid", "");
    if (!dialog.Accepted(*context_, cb)) {
        return;
    }
    const std::string& requestId = dialog.requestId;
    if (xuidText.empty()) {
        Log(LogLevel::Error, "ShowProfileCard: xuid is required");
        AnswerFailure(cb, requestId, "xuid is required");
        return;
    }
    const DecimalReading<std::uint64_t> xuid = ReadXuidText(xuidText);
    if (!xuid.Ok()) {
        Log(LogLevel::Error, "ShowProfileCard: Invalid xuid format: {}", xuidText);
        AnswerFailure(cb, requestId, "Invalid xuid format: " + xuidText);
        return;
    }
    IXboxContext& context = *context_;
    StartCall(
        context, cb, requestId, "XGameUiShowPlayerProfileCardAsync",
        [&context, cb, requestId](Gdk::XAsyncBlock* block) {
            const HResult result = context.Runtime().XGameUiShowPlayerProfileCardResult(block);
            if (!ClosedOrDone(result)) {
                AnswerDialogFailure(cb, requestId, "XGameUiShowPlayerProfileCardResult", "ShowProfileCard", result);
                return;
            }
            AnswerDialogSuccess(cb, requestId, VYROCHANNEL_OK, json::object());
        },
        [&](Gdk::XAsyncBlock* block) {
            return context.Runtime().XGameUiShowPlayerProfileCardAsync(block, context.GetUserHandle(), xuid.value);
        });
}

void XboxSystemDialog::ShowTextEntry(const std::string& params, ResultCallback cb)
{
    DialogRequest dialog(params);
    const std::string title = dialog.members.String("title", "");
    const std::string description = dialog.members.String("description", "");
    const std::string defaultValue = dialog.members.String("defaultValue", "");
    const auto scope = static_cast<Gdk::XGameUiTextEntryInputScope>(dialog.members.Uint32("scope", 0));
    const std::uint32_t maxLength = dialog.members.Uint32("maxLength", kDefaultMaxTextLength);
    if (!dialog.Accepted(*context_, cb)) {
        return;
    }
    IXboxContext& context = *context_;
    const std::string& requestId = dialog.requestId;
    StartCall(
        context, cb, requestId, "XGameUiShowTextEntryAsync",
        [&context, cb, requestId](Gdk::XAsyncBlock* block) { CompleteTextEntry(context, block, cb, requestId); },
        [&](Gdk::XAsyncBlock* block) {
            return context.Runtime().XGameUiShowTextEntryAsync(block, title.c_str(), description.c_str(), defaultValue.c_str(),
                                                               scope, maxLength);
        });
}

} // namespace Vyro
