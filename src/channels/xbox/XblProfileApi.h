#pragma once

// The profile record of the Xbox services C API as the library lays it out (64-bit): fixed UTF-8
// text fields, filled by the result functions into the caller's records. The layout is that of
// every GDK from the first one with this C API (November 2020) to the October 2025 GDK.
#include <cstddef>
#include <cstdint>

#include "channels/xbox/XblSocialApi.h"

namespace Vyro::Xbl {

struct XblUserProfile {
    std::uint64_t xboxUserId;
    char appDisplayName[kDisplayNameCharSize];
    char appDisplayPictureResizeUri[kDisplayPicUrlRawCharSize];
    char gameDisplayName[kDisplayNameCharSize];
    char gameDisplayPictureResizeUri[kDisplayPicUrlRawCharSize];
    char gamerscore[kGamerscoreCharSize];
    char gamertag[kGamertagCharSize];
    char modernGamertag[kModernGamertagCharSize];
    char modernGamertagSuffix[kModernGamertagSuffixCharSize];
    char uniqueModernGamertag[kUniqueModernGamertagCharSize];
};

static_assert(sizeof(XblUserProfile) == 1848 && offsetof(XblUserProfile, gameDisplayName) == 773 &&
              offsetof(XblUserProfile, gamerscore) == 1538 && offsetof(XblUserProfile, gamertag) == 1586 &&
              offsetof(XblUserProfile, uniqueModernGamertag) == 1746);

} // namespace Vyro::Xbl
