#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace VyroFuzz {

// The fuzzer's bytes, read front to back; an exhausted input reads as zeros.
class FuzzInput {
public:
    FuzzInput(const std::uint8_t* data, std::size_t size) : data_(data), size_(size) {}

    bool Empty() const { return position_ >= size_; }

    std::uint8_t Byte() { return Empty() ? 0 : data_[position_++]; }

    // Up to `limit` raw bytes, any values (invalid UTF-8 and NUL included).
    std::string Bytes(std::size_t limit)
    {
        const std::size_t count = std::min<std::size_t>(Byte() % (limit + 1), size_ - std::min(position_, size_));
        std::string bytes(reinterpret_cast<const char*>(data_) + position_, count);
        position_ += count;
        return bytes;
    }

private:
    const std::uint8_t* data_;
    std::size_t size_;
    std::size_t position_ = 0;
};

} // namespace VyroFuzz
