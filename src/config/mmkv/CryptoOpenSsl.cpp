#include "config/mmkv/Crypto.h"

#include <climits>
#include <memory>

#include <openssl/evp.h>
#include <openssl/rand.h>

namespace Vyro::Mmkv {

namespace {
using CipherContext = std::unique_ptr<EVP_CIPHER_CTX, decltype(&EVP_CIPHER_CTX_free)>;

const EVP_CIPHER* CipherFor(std::size_t keySize)
{
    switch (keySize) {
    case 16: return EVP_aes_128_cfb128();
    case 32: return EVP_aes_256_cfb128();
    default: return nullptr;
    }
}
} // namespace

std::optional<std::string> AesCfb128(std::string_view key, const Iv& iv, std::string_view input, CfbDirection direction)
{
    const EVP_CIPHER* cipher = CipherFor(key.size());
    if (cipher == nullptr || input.size() > INT_MAX) {
        return std::nullopt;
    }
    CipherContext context(EVP_CIPHER_CTX_new(), &EVP_CIPHER_CTX_free);
    const int encrypt = direction == CfbDirection::Encrypt ? 1 : 0;
    if (!context || EVP_CipherInit_ex(context.get(), cipher, nullptr,
                                      reinterpret_cast<const unsigned char*>(key.data()), iv.data(), encrypt) != 1) {
        return std::nullopt;
    }
    std::string output(input.size(), '\0');
    int written = 0;
    if (EVP_CipherUpdate(context.get(), reinterpret_cast<unsigned char*>(output.data()), &written,
                         reinterpret_cast<const unsigned char*>(input.data()), static_cast<int>(input.size())) != 1 ||
        static_cast<std::size_t>(written) != input.size()) {
        return std::nullopt;
    }
    return output;
}

bool FillRandom(std::span<std::uint8_t> out)
{
    return out.size() <= INT_MAX && RAND_bytes(out.data(), static_cast<int>(out.size())) == 1;
}

} // namespace Vyro::Mmkv
