#include "PackageLayout.h"

#include <system_error>

namespace VyroHost {

namespace fs = std::filesystem;

namespace {

fs::path BesideOr(const fs::path& beside, const fs::path& inPackage)
{
    std::error_code ignored;
    return !fs::exists(beside, ignored) && fs::exists(inPackage, ignored) ? inPackage : beside;
}

} // namespace

fs::path LibraryFor(const fs::path& bin, const std::string& fileName)
{
#if defined(_WIN32)
    const char* libraryFolder = "bin";
#else
    const char* libraryFolder = "lib";
#endif
    return BesideOr(bin / fileName, bin.parent_path() / libraryFolder / fileName);
}

fs::path StoreRuntimeFor(const fs::path& bin, const std::string& store, const std::string& source)
{
    return BesideOr(bin / source, bin.parent_path() / "devkit" / store / source);
}

} // namespace VyroHost
