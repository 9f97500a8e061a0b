#include "config/mmkv/Crypto.h"

#include <windows.h>

#include <bcrypt.h>

#include <climits>
#include <cwchar>
#include <vector>

// CNG offers CFB itself, but with 8-bit feedback unless BCRYPT_MESSAGE_BLOCK_LENGTH is set to 16,
// and Wine's bcrypt neither accepts that property nor does CFB128 (it answers STATUS_NOT_IMPLEMENTED
// and keeps 8-bit feedback). So this file builds CFB128 from CNG's AES in ECB and CBC mode, which
// behaves the same on Windows and under Wine, with one CNG call per message:
// the keystream block of block i is E_K(C_{i-1}), with C_{-1} = IV.
//  - Decrypting, every C is known: ECB over IV || C_0 .. C_{n-2} gives all keystream blocks.
//  - Encrypting, C_{i-1} = P_{i-1} XOR E_K(C_{i-2}), which is the chaining CBC does: CBC under a zero
//    IV over IV || P_0 .. P_{n-2} outputs E_K(IV), E_K(C_0), E_K(C_1), ...
namespace Vyro::Mmkv {

namespace {
constexpr std::size_t kBlockSize = 16;

class AlgorithmHandle {
public:
    AlgorithmHandle()
    {
        if (!BCRYPT_SUCCESS(BCryptOpenAlgorithmProvider(&handle_, BCRYPT_AES_ALGORITHM, nullptr, 0))) {
            handle_ = nullptr;
        }
    }
    ~AlgorithmHandle()
    {
        if (handle_ != nullptr) {
            BCryptCloseAlgorithmProvider(handle_, 0);
        }
    }
    AlgorithmHandle(const AlgorithmHandle&) = delete;
    AlgorithmHandle& operator=(const AlgorithmHandle&) = delete;

    BCRYPT_ALG_HANDLE get() const { return handle_; }

private:
    BCRYPT_ALG_HANDLE handle_ = nullptr;
};

class KeyHandle {
public:
    KeyHandle(BCRYPT_ALG_HANDLE algorithm, std::string_view key)
    {
        auto* bytes = reinterpret_cast<PUCHAR>(const_cast<char*>(key.data()));
        if (algorithm == nullptr || !BCRYPT_SUCCESS(BCryptGenerateSymmetricKey(algorithm, &handle_, nullptr, 0, bytes,
                                                                               static_cast<ULONG>(key.size()), 0))) {
            handle_ = nullptr;
        }
    }
    ~KeyHandle()
    {
        if (handle_ != nullptr) {
            BCryptDestroyKey(handle_);
        }
    }
    KeyHandle(const KeyHandle&) = delete;
    KeyHandle& operator=(const KeyHandle&) = delete;

    BCRYPT_KEY_HANDLE get() const { return handle_; }

private:
    BCRYPT_KEY_HANDLE handle_ = nullptr;
};

enum class Chaining { Ecb, Cbc };

// AES under one key, ECB or CBC without padding, over whole 16-byte blocks.
class BlockCipher {
public:
    BlockCipher(std::string_view key, Chaining chaining)
        : chaining_(chaining),
          key_(WithMode(algorithm_, chaining == Chaining::Cbc ? BCRYPT_CHAIN_MODE_CBC : BCRYPT_CHAIN_MODE_ECB), key)
    {
    }

    bool Ready() const { return key_.get() != nullptr; }

    // In place; CBC starts from a zero IV.
    bool Encrypt(std::vector<std::uint8_t>& blocks) const
    {
        std::uint8_t zeroIv[kBlockSize] = {};
        const bool cbc = chaining_ == Chaining::Cbc;
        const auto size = static_cast<ULONG>(blocks.size());
        ULONG written = 0;
        return BCRYPT_SUCCESS(BCryptEncrypt(key_.get(), blocks.data(), size, nullptr, cbc ? zeroIv : nullptr,
                                            cbc ? sizeof zeroIv : 0, blocks.data(), size, &written, 0)) &&
               written == size;
    }

private:
    // The provider switched to `mode`, or null when it could not be opened or switched.
    static BCRYPT_ALG_HANDLE WithMode(const AlgorithmHandle& algorithm, const wchar_t* mode)
    {
        auto* value = reinterpret_cast<PUCHAR>(const_cast<wchar_t*>(mode));
        const auto size = static_cast<ULONG>((std::wcslen(mode) + 1) * sizeof(wchar_t));
        const bool switched = algorithm.get() != nullptr &&
                              BCRYPT_SUCCESS(BCryptSetProperty(algorithm.get(), BCRYPT_CHAINING_MODE, value, size, 0));
        return switched ? algorithm.get() : nullptr;
    }

    Chaining chaining_;
    AlgorithmHandle algorithm_;
    KeyHandle key_;
};

// The keystream for `size` bytes of `data` (see the top of the file), XORed into it.
bool ApplyCfb(std::string_view key, const Iv& iv, std::uint8_t* data, std::size_t size, CfbDirection direction)
{
    if (size == 0) {
        return true;
    }
    const BlockCipher cipher(key, direction == CfbDirection::Encrypt ? Chaining::Cbc : Chaining::Ecb);
    const std::size_t blocks = (size + kBlockSize - 1) / kBlockSize;
    std::vector<std::uint8_t> keystream(iv.begin(), iv.end());
    keystream.insert(keystream.end(), data, data + (blocks - 1) * kBlockSize);
    if (!cipher.Ready() || !cipher.Encrypt(keystream)) {
        return false;
    }
    for (std::size_t i = 0; i < size; ++i) {
        data[i] ^= keystream[i];
    }
    return true;
}
} // namespace

std::optional<std::string> AesCfb128(std::string_view key, const Iv& iv, std::string_view input, CfbDirection direction)
{
    if ((key.size() != 16 && key.size() != 32) || input.size() > ULONG_MAX - kBlockSize) {
        return std::nullopt;
    }
    std::string output(input);
    if (!ApplyCfb(key, iv, reinterpret_cast<std::uint8_t*>(output.data()), output.size(), direction)) {
        return std::nullopt;
    }
    return output;
}

bool FillRandom(std::span<std::uint8_t> out)
{
    return out.size() <= ULONG_MAX &&
           BCRYPT_SUCCESS(
               BCryptGenRandom(nullptr, out.data(), static_cast<ULONG>(out.size()), BCRYPT_USE_SYSTEM_PREFERRED_RNG));
}

} // namespace Vyro::Mmkv
