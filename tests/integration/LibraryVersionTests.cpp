// The built library carries the project's version where the platform's file-version reader finds
// it, and under Windows the version resource's texts that crash reporters and store tools show.
#include <string>

#include <gtest/gtest.h>

#include "VyroVersion.h"
#include "common/Platform.h"

#if defined(_WIN32)
#include <windows.h>

#include <vector>
#endif

namespace {

using Vyro::Platform::FileVersion;

const std::wstring kLibrary = Vyro::Platform::Utf8ToWide(VYRO_LIBRARY);

TEST(LibraryVersion, IsTheProjectVersion)
{
    const auto version = Vyro::Platform::GetFileVersion(kLibrary);
    ASSERT_TRUE(version.has_value());
    EXPECT_EQ(*version, (FileVersion{VYRO_VERSION_MAJOR, VYRO_VERSION_MINOR, VYRO_VERSION_PATCH, 0}));
}

#if defined(_WIN32)
std::string ResourceText(const std::vector<char>& resource, const wchar_t* name)
{
    void* value = nullptr;
    UINT length = 0;
    const std::wstring path = std::wstring(L"\\StringFileInfo\\040904B0\\") + name;
    if (!VerQueryValueW(resource.data(), path.c_str(), &value, &length) || length == 0) {
        return "(none)";
    }
    return Vyro::Platform::WideToUtf8(std::wstring(static_cast<const wchar_t*>(value), length - 1));
}

TEST(LibraryVersion, ResourceNamesTheProductAndTheFile)
{
    const DWORD size = GetFileVersionInfoSizeW(kLibrary.c_str(), nullptr);
    ASSERT_NE(size, 0u);
    std::vector<char> resource(size);
    ASSERT_TRUE(GetFileVersionInfoW(kLibrary.c_str(), 0, size, resource.data()));
    EXPECT_EQ(ResourceText(resource, L"ProductName"), "VyroChannel");
    EXPECT_EQ(ResourceText(resource, L"ProductVersion"), VYRO_VERSION_TEXT);
    EXPECT_EQ(ResourceText(resource, L"FileVersion"), VYRO_VERSION_TEXT ".0");
    EXPECT_EQ(ResourceText(resource, L"OriginalFilename"), "VyroChannel.dll");
    EXPECT_EQ(ResourceText(resource, L"FileDescription"), "VyroChannel store integration for PC games");
    EXPECT_EQ(ResourceText(resource, L"LegalCopyright"), "Copyright (C) 2026 VyroChannel");
}
#endif

} // namespace
