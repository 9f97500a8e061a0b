#include "config/mmkv/Crypto.h"

#include <cerrno>

#include <nettle/aes.h>
#include <nettle/cfb.h>
#include <sys/random.h>

// Nettle rather than OpenSSL: its AES needs no provider start-up, which made a process's first store
// open several times dearer than the later ones.
namespace Vyro::Mmkv {

namespace {

template <typename Context>
std::string Cfb128(const Context& context, nettle_cipher_func* encryptBlock, const Iv& iv, std::string_view input,
                   CfbDirection direction)
{
    Iv feedback = iv; // the cipher advances it in place
    std::string output(input.size(), '\0');
    auto* out = reinterpret_cast<std::uint8_t*>(output.data());
    const auto* in = reinterpret_cast<const std::uint8_t*>(input.data());
    if (direction == CfbDirection::Encrypt) {
        cfb_encrypt(&context, encryptBlock, AES_BLOCK_SIZE, feedback.data(), input.size(), out, in);
    } else {
        cfb_decrypt(&context, encryptBlock, AES_BLOCK_SIZE, feedback.data(), input.size(), out, in);
    }
    return output;
}

} // namespace

std::optional<std::string> AesCfb128(std::string_view key, const Iv& iv, std::string_view input, CfbDirection direction)
{
    const auto* keyBytes = reinterpret_cast<const std::uint8_t*>(key.data());
    if (key.size() == AES128_KEY_SIZE) {
        aes128_ctx context;
        aes128_set_encrypt_key(&context, keyBytes);
        return Cfb128(context, reinterpret_cast<nettle_cipher_func*>(&aes128_encrypt), iv, input, direction);
    }
    if (key.size() == AES256_KEY_SIZE) {
        aes256_ctx context;
        aes256_set_encrypt_key(&context, keyBytes);
        return Cfb128(context, reinterpret_cast<nettle_cipher_func*>(&aes256_encrypt), iv, input, direction);
    }
    return std::nullopt;
}

bool FillRandom(std::span<std::uint8_t> out)
{
    std::size_t filled = 0;
    while (filled < out.size()) {
        const ssize_t got = getrandom(out.data() + filled, out.size() - filled, 0);
        if (got < 0 && errno != EINTR) {
            return false;
        }
        filled += got > 0 ? static_cast<std::size_t>(got) : 0;
    }
    return true;
}

} // namespace Vyro::Mmkv
