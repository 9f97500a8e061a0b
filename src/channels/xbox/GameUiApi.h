#pragma once

// The runtime's system dialogs: the error dialog of an HRESULT, a message dialog of up to three
// buttons, a player's profile card and the on-screen text entry. Each is an asynchronous call whose
// result says what the player did; E_ABORT means the player dismissed the dialog.
#include <cstdint>

namespace Vyro::Gdk {

// The buttons of a message dialog, by position.
enum class XGameUiMessageDialogButton : std::uint32_t { First = 0, Second = 1, Third = 2 };

// The kind of text a text entry expects (a hint to the on-screen keyboard); any number passes.
enum class XGameUiTextEntryInputScope : std::uint32_t { Default = 0 };

static_assert(sizeof(XGameUiMessageDialogButton) == 4 && sizeof(XGameUiTextEntryInputScope) == 4);

} // namespace Vyro::Gdk
