#pragma once

#include <string>

#include "VyroChannel.h"

namespace Vyro {

class IXboxContext;

// The runtime's system dialogs: an HRESULT's error dialog, a message dialog of up to three buttons,
// a player's profile card and the on-screen text entry. They need no Xbox services context and no
// signed-in user; each request's parameters sit at the top level of the request. Several dialogs may
// be open at once; completions reach the channel only.
class XboxSystemDialog {
public:
    explicit XboxSystemDialog(IXboxContext* context);

    // {"errorCode", "content"} -> {} (also when the player dismisses it).
    void ShowErrorDialog(const std::string& params, ResultCallback cb);
    // {"title", "content", "button": [up to three texts], "defaultButton", "cancelButton"} -> {"button"};
    // a dismissed dialog answers the cancel button.
    void ShowMessageDialog(const std::string& params, ResultCallback cb);
    // {"xuid": decimal text} -> {} (also when the player dismisses it).
    void ShowProfileCard(const std::string& params, ResultCallback cb);
    // {"title", "description", "defaultValue", "scope", "maxLength"} -> {"text", "size"}; -6 with an
    // empty text when the player cancels.
    void ShowTextEntry(const std::string& params, ResultCallback cb);

private:
    IXboxContext* context_;
};

} // namespace Vyro
