#include "TokenLayout.h"

#include <cstring>
#include <new>

namespace Vyro::XboxSim {

namespace {

std::size_t TextSize(const std::optional<std::string>& text) { return text ? text->size() + 1 : 0; }

// Copies the text with its terminator to `at`; the copy, or null for no text.
const char* Place(const std::optional<std::string>& text, char* at)
{
    if (!text) {
        return nullptr;
    }
    std::memcpy(at, text->c_str(), text->size() + 1);
    return at;
}

} // namespace

std::size_t TokenResultSize(const TokenAndSignature& answer)
{
    return sizeof(Gdk::XUserGetTokenAndSignatureData) + TextSize(answer.token) + TextSize(answer.signature);
}

Gdk::XUserGetTokenAndSignatureData* LayOutToken(const TokenAndSignature& answer, void* buffer)
{
    char* texts = static_cast<char*>(buffer) + sizeof(Gdk::XUserGetTokenAndSignatureData);
    const std::size_t tokenSize = TextSize(answer.token);
    const char* token = Place(answer.token, texts);
    const char* signature = Place(answer.signature, texts + tokenSize);
    return new (buffer) Gdk::XUserGetTokenAndSignatureData{tokenSize, TextSize(answer.signature), token, signature};
}

} // namespace Vyro::XboxSim
