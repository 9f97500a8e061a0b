// The system dialogs: an HRESULT's error dialog, a message dialog of up to three buttons, a player's
// profile card and the text entry. Each completes as programmed: S_OK with the player's choice, E_ABORT
// when the player closes it, any other failure as the system's. Every text and number the game passes
// is journalled.
#include <cstring>
#include <deque>
#include <string>

#include "DialogCalls.h"
#include "XboxSim.h"

namespace Vyro::XboxSim {

HResult StartDialog(Call& call, Gdk::XAsyncBlock* block, StoreCallSettings& settings, Work work)
{
    Settings& runtimeSettings = call.Rt().settings;
    const HoldWork usual = runtimeSettings.holdWork;
    if (call.Rt().online.dialogs.holdOpen) {
        // Held before its work starts, so that the end of the queue closes the dialog (E_ABORT)
        // instead of waiting for a player who is not there.
        runtimeSettings.holdWork = HoldWork::Queued;
        call.Entry()["heldOpen"] = true;
    }
    const HResult started = StartStoreCall(call, block, settings, std::move(work));
    runtimeSettings.holdWork = usual;
    return started;
}

HResult TakeDialogOutcome(Call& call, Gdk::XAsyncBlock* block, const char* startedBy, HResult programmed)
{
    HResult failure = Results::kOk;
    Operation* operation = ReadStoreResult(call, block, startedBy, programmed, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    operation->resultTaken = true;
    return call.Returns(Results::kOk);
}

} // namespace Vyro::XboxSim

using namespace Vyro::XboxSim;
namespace Gdk = Vyro::Gdk;

namespace {

constexpr char kErrorDialog[] = "XGameUiShowErrorDialogAsync";
constexpr char kMessageDialog[] = "XGameUiShowMessageDialogAsync";
constexpr char kProfileCard[] = "XGameUiShowPlayerProfileCardAsync";
constexpr char kTextEntry[] = "XGameUiShowTextEntryAsync";
constexpr std::uint32_t kLastButton = 2;
constexpr std::uint32_t kUnlimitedTextLength = 1024; // what a maxTextLength of 0 means

HResult Closed(SimState&, Operation&) { return Results::kOk; }

// A programmed choice is the player's in the dialog that opened; one that did not open leaves it.
template <typename Choice>
void TakeFirstWhenStarted(HResult started, std::deque<Choice>& choices)
{
    if (Gdk::Succeeded(started) && !choices.empty()) {
        choices.pop_front();
    }
}

HResult StartMessageDialog(Call& call, const char* title, const char* content, const char* const (&buttons)[3],
                           Gdk::XGameUiMessageDialogButton defaultButton, Gdk::XGameUiMessageDialogButton cancelButton,
                           Gdk::XAsyncBlock* block)
{
    const auto chosenByDefault = static_cast<std::uint32_t>(defaultButton);
    if (!call.Requires(title != nullptr && content != nullptr, "null title or content text") ||
        !call.Requires(buttons[0] != nullptr && buttons[1] != nullptr && buttons[2] != nullptr, "null button text") ||
        !call.Requires(chosenByDefault <= kLastButton && static_cast<std::uint32_t>(cancelButton) <= kLastButton,
                       "defaultButton or cancelButton is not a button")) {
        return call.Returns(Results::kInvalidArg);
    }
    DialogSettings& dialogs = call.Rt().online.dialogs;
    const std::uint32_t pressed = dialogs.buttons.empty() ? chosenByDefault : dialogs.buttons.front();
    const HResult started = StartDialog(call, block, dialogs.messageDialog, [pressed](SimState&, Operation& operation) {
        operation.value = pressed;
        return Results::kOk;
    });
    TakeFirstWhenStarted(started, dialogs.buttons);
    return started;
}

HResult TakeButton(Call& call, Gdk::XAsyncBlock* block, Gdk::XGameUiMessageDialogButton* button)
{
    if (!call.Requires(button != nullptr, "null resultButton")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    Operation* operation = ReadStoreResult(call, block, kMessageDialog, call.Rt().online.dialogs.messageDialog.resultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    const auto pressed = std::any_cast<std::uint32_t>(operation->value);
    *button = static_cast<Gdk::XGameUiMessageDialogButton>(pressed);
    operation->resultTaken = true;
    call.Entry()["button"] = pressed;
    return call.Returns(Results::kOk);
}

HResult StartProfileCard(Call& call, Gdk::XUserHandle user, Gdk::XAsyncBlock* block)
{
    // The card is shown to a signed-in player: without one the system refuses it.
    if (user == nullptr) {
        call.Entry()["user"] = nullptr;
        return call.Returns(Results::kInvalidArg);
    }
    if (!call.User(user)) {
        return call.Returns(Results::kInvalidArg);
    }
    return StartDialog(call, block, call.Rt().online.dialogs.profileCard, Closed);
}

// The text cut to `maxLength` characters, as the entry field lets no more be typed; a cut never
// splits a UTF-8 sequence.
std::string WithinLength(const std::string& text, std::uint32_t maxLength)
{
    const std::uint32_t limit = maxLength == 0 ? kUnlimitedTextLength : maxLength;
    std::uint32_t characters = 0;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const bool startsCharacter = (static_cast<unsigned char>(text[i]) & 0xC0) != 0x80;
        if (startsCharacter && characters++ == limit) {
            return text.substr(0, i);
        }
    }
    return text;
}

HResult StartTextEntry(Call& call, const char* defaultText, std::uint32_t maxLength, Gdk::XAsyncBlock* block)
{
    DialogSettings& dialogs = call.Rt().online.dialogs;
    const std::string offered = defaultText == nullptr ? "" : defaultText;
    const std::string entered = WithinLength(dialogs.texts.empty() ? offered : dialogs.texts.front(), maxLength);
    const HResult started = StartDialog(call, block, dialogs.textEntry, [entered](SimState&, Operation& operation) {
        operation.value = entered;
        return Results::kOk;
    });
    TakeFirstWhenStarted(started, dialogs.texts);
    return started;
}

// The size counts the terminator.
std::uint32_t TextSize(const Operation& operation)
{
    return static_cast<std::uint32_t>(std::any_cast<const std::string&>(operation.value).size() + 1);
}

HResult GiveTextSize(Call& call, Gdk::XAsyncBlock* block, std::uint32_t* size)
{
    if (!call.Requires(size != nullptr, "null resultTextBufferSize")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    const Operation* operation = ReadStoreResult(call, block, kTextEntry, call.Rt().online.dialogs.textEntry.resultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    *size = TextSize(*operation);
    call.Entry()["size"] = *size;
    return call.Returns(Results::kOk);
}

HResult GiveText(Call& call, Gdk::XAsyncBlock* block, std::uint32_t bufferSize, char* buffer, std::uint32_t* used)
{
    if (!call.Requires(buffer != nullptr, "null resultTextBuffer")) {
        return call.Returns(Results::kInvalidArg);
    }
    HResult failure = Results::kOk;
    Operation* operation = ReadStoreResult(call, block, kTextEntry, call.Rt().online.dialogs.textEntryResultResult, failure);
    if (operation == nullptr) {
        return call.Returns(failure);
    }
    const std::uint32_t required = TextSize(*operation);
    if (bufferSize < required) {
        call.Entry()["required"] = required;
        return call.Returns(Results::kNotSufficientBuffer);
    }
    const auto& text = std::any_cast<const std::string&>(operation->value);
    std::memcpy(buffer, text.c_str(), required);
    if (used != nullptr) {
        *used = required;
    }
    operation->resultTaken = true;
    call.Entry()["text"] = text;
    return call.Returns(Results::kOk);
}

} // namespace

extern "C" {

Gdk::HResult XGameUiShowErrorDialogAsync(Gdk::XAsyncBlock* async, Gdk::HResult errorCode, const char* context)
{
    return RuntimeCall(kErrorDialog, {{"errorCode", HResultText(errorCode)}, {"context", JournalText(context)}},
                       [&](Call& call) { return StartDialog(call, async, call.Rt().online.dialogs.errorDialog, Closed); });
}

Gdk::HResult XGameUiShowErrorDialogResult(Gdk::XAsyncBlock* async)
{
    return RuntimeCall("XGameUiShowErrorDialogResult", {}, [&](Call& call) {
        return TakeDialogOutcome(call, async, kErrorDialog, call.Rt().online.dialogs.errorDialog.resultResult);
    });
}

Gdk::HResult XGameUiShowMessageDialogAsync(Gdk::XAsyncBlock* async, const char* titleText, const char* contentText,
                                           const char* firstButtonText, const char* secondButtonText, const char* thirdButtonText,
                                           Gdk::XGameUiMessageDialogButton defaultButton, Gdk::XGameUiMessageDialogButton cancelButton)
{
    const char* const buttons[3] = {firstButtonText, secondButtonText, thirdButtonText};
    return RuntimeCall(kMessageDialog,
                       {{"title", JournalText(titleText)},
                        {"content", JournalText(contentText)},
                        {"buttons", {JournalText(firstButtonText), JournalText(secondButtonText), JournalText(thirdButtonText)}},
                        {"defaultButton", static_cast<std::uint32_t>(defaultButton)},
                        {"cancelButton", static_cast<std::uint32_t>(cancelButton)}},
                       [&](Call& call) {
                           return StartMessageDialog(call, titleText, contentText, buttons, defaultButton, cancelButton, async);
                       });
}

Gdk::HResult XGameUiShowMessageDialogResult(Gdk::XAsyncBlock* async, Gdk::XGameUiMessageDialogButton* resultButton)
{
    return RuntimeCall("XGameUiShowMessageDialogResult", {}, [&](Call& call) { return TakeButton(call, async, resultButton); });
}

Gdk::HResult XGameUiShowPlayerProfileCardAsync(Gdk::XAsyncBlock* async, Gdk::XUserHandle requestingUser, std::uint64_t targetPlayer)
{
    return RuntimeCall(kProfileCard, {{"targetPlayer", std::to_string(targetPlayer)}},
                       [&](Call& call) { return StartProfileCard(call, requestingUser, async); });
}

Gdk::HResult XGameUiShowPlayerProfileCardResult(Gdk::XAsyncBlock* async)
{
    return RuntimeCall("XGameUiShowPlayerProfileCardResult", {}, [&](Call& call) {
        return TakeDialogOutcome(call, async, kProfileCard, call.Rt().online.dialogs.profileCard.resultResult);
    });
}

Gdk::HResult XGameUiShowTextEntryAsync(Gdk::XAsyncBlock* async, const char* titleText, const char* descriptionText,
                                       const char* defaultText, Gdk::XGameUiTextEntryInputScope inputScope, std::uint32_t maxTextLength)
{
    return RuntimeCall(kTextEntry,
                       {{"title", JournalText(titleText)},
                        {"description", JournalText(descriptionText)},
                        {"defaultText", JournalText(defaultText)},
                        {"scope", static_cast<std::uint32_t>(inputScope)},
                        {"maxLength", maxTextLength}},
                       [&](Call& call) { return StartTextEntry(call, defaultText, maxTextLength, async); });
}

Gdk::HResult XGameUiShowTextEntryResultSize(Gdk::XAsyncBlock* async, std::uint32_t* resultTextBufferSize)
{
    return RuntimeCall("XGameUiShowTextEntryResultSize", {}, [&](Call& call) { return GiveTextSize(call, async, resultTextBufferSize); });
}

Gdk::HResult XGameUiShowTextEntryResult(Gdk::XAsyncBlock* async, std::uint32_t resultTextBufferSize, char* resultTextBuffer,
                                        std::uint32_t* resultTextBufferUsed)
{
    return RuntimeCall("XGameUiShowTextEntryResult", {{"size", resultTextBufferSize}},
                       [&](Call& call) { return GiveText(call, async, resultTextBufferSize, resultTextBuffer, resultTextBufferUsed); });
}

} // extern "C"
