#pragma once

#include <cstdint>

// How a POSIX file carries its file version (the counterpart of a Windows version resource): an
// ELF note in a section of its own, read from the file without loading it.
namespace Vyro {

inline constexpr char kFileVersionNoteName[] = "VyroChannel"; // 12 bytes with the terminator
inline constexpr std::uint32_t kFileVersionNoteType = 1;

struct FileVersionNote {
    std::uint32_t nameSize;
    std::uint32_t descSize;
    std::uint32_t type;
    char name[sizeof(kFileVersionNoteName)];
    std::uint16_t version[4]; // major, minor, build, revision
};

static_assert(sizeof(FileVersionNote) == 32, "ELF notes are 4-byte aligned with no padding");

} // namespace Vyro

#if !defined(_WIN32)
// Embeds a file version into the shared library or program being built.
#define VYRO_EMBED_FILE_VERSION(major, minor, build, revision)                                         \
    extern "C" __attribute__((used, section(".note.vyro.version"), aligned(4)))                        \
    const Vyro::FileVersionNote vyroFileVersionNote = {sizeof(Vyro::kFileVersionNoteName), 8,         \
        Vyro::kFileVersionNoteType, "VyroChannel", {major, minor, build, revision}};
#endif
