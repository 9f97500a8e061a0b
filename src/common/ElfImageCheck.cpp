#include "common/ElfImageCheck.h"

#include <elf.h>

#include <cstdint>
#include <cstring>
#include <fstream>
#include <vector>

namespace Vyro::Platform {

namespace {

bool ReadAt(std::ifstream& file, std::uint64_t offset, void* out, std::size_t size)
{
    file.seekg(static_cast<std::streamoff>(offset));
    file.read(static_cast<char*>(out), static_cast<std::streamsize>(size));
    return file.gcount() == static_cast<std::streamsize>(size);
}

std::string Needed(std::uint64_t end, std::uint64_t size)
{
    return "the file is truncated: " + std::to_string(size) + " bytes where its ELF headers need " + std::to_string(end);
}

} // namespace

std::optional<std::string> TruncatedElfImage(const std::string& path)
{
    std::ifstream file(path, std::ios::binary | std::ios::ate);
    if (!file) {
        return std::nullopt; // the loader says why it cannot open it
    }
    const auto size = static_cast<std::uint64_t>(file.tellg());
    Elf64_Ehdr header{};
    if (!ReadAt(file, 0, &header, sizeof(header)) || std::memcmp(header.e_ident, ELFMAG, SELFMAG) != 0 ||
        header.e_ident[EI_CLASS] != ELFCLASS64 || header.e_phentsize != sizeof(Elf64_Phdr)) {
        return std::nullopt;
    }
    const std::uint64_t tableEnd = header.e_phoff + std::uint64_t{header.e_phnum} * sizeof(Elf64_Phdr);
    if (header.e_phoff > size || tableEnd > size) {
        return Needed(tableEnd, size);
    }
    std::vector<Elf64_Phdr> segments(header.e_phnum);
    if (!ReadAt(file, header.e_phoff, segments.data(), segments.size() * sizeof(Elf64_Phdr))) {
        return Needed(tableEnd, size);
    }
    for (const Elf64_Phdr& segment : segments) {
        // Compared without adding first: a hostile header's sum could wrap.
        if (segment.p_type == PT_LOAD && (segment.p_offset > size || segment.p_filesz > size - segment.p_offset)) {
            return Needed(segment.p_offset + segment.p_filesz, size);
        }
    }
    return std::nullopt;
}

} // namespace Vyro::Platform
