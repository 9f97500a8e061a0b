#pragma once

// Lays a result's records, arrays and texts out in one buffer, as the Xbox services do for results
// the caller holds: every pointer points into the same buffer. The same layout code runs twice: once
// without a buffer to measure it, then into a buffer of that size.
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <new>
#include <optional>
#include <string>

namespace Vyro::XboxSim {

class ResultArena {
public:
    // Measures: nothing is written and every pointer is null.
    ResultArena() = default;
    // Writes into `buffer`, which holds at least the measured size and is aligned for any record.
    explicit ResultArena(void* buffer) : base_(static_cast<unsigned char*>(buffer)) {}

    // Room for `count` records of T, value-initialised.
    template <typename T>
    T* Place(std::size_t count = 1)
    {
        used_ = (used_ + alignof(T) - 1) / alignof(T) * alignof(T);
        T* placed = nullptr;
        for (std::size_t i = 0; base_ != nullptr && i < count; ++i) {
            T* record = new (base_ + used_ + i * sizeof(T)) T();
            placed = placed == nullptr ? record : placed;
        }
        used_ += sizeof(T) * count;
        return placed;
    }

    // A copy of the text with its terminator; null for no text.
    const char* Text(const std::optional<std::string>& text)
    {
        if (!text) {
            return nullptr;
        }
        char* copy = Place<char>(text->size() + 1);
        if (copy != nullptr) {
            std::memcpy(copy, text->c_str(), text->size() + 1);
        }
        return copy;
    }

    std::size_t Used() const { return used_; }

private:
    unsigned char* base_ = nullptr;
    std::size_t used_ = 0;
};

// Copies the text into a fixed field, cut to leave room for the terminator.
template <std::size_t Size>
void CopyField(char (&field)[Size], const std::string& text)
{
    const std::size_t length = text.size() < Size ? text.size() : Size - 1;
    std::memcpy(field, text.data(), length);
    field[length] = '\0';
}

} // namespace Vyro::XboxSim
