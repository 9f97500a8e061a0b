#pragma once

// The achievement records of the Xbox services C API as the library lays them out (64-bit): texts are
// UTF-8 and may be null; every array and text lives in the result handle's memory and is valid only
// until that handle is closed. The layout is that of every GDK from the first one with this C API
// (November 2020) to the October 2025 GDK.
#include <cstddef>
#include <cstdint>
#include <ctime>

namespace Vyro::Xbl {

enum class XblAchievementType : std::uint32_t { Unknown = 0, All = 1, Persistent = 2, Challenge = 3 };
enum class XblAchievementOrderBy : std::uint32_t { DefaultOrder = 0, TitleId = 1, UnlockTime = 2 };
enum class XblAchievementProgressState : std::uint32_t { Unknown = 0, Achieved = 1, NotStarted = 2, InProgress = 3 };
enum class XblAchievementMediaAssetType : std::uint32_t { Unknown = 0, Icon = 1, Art = 2 };
enum class XblAchievementParticipationType : std::uint32_t { Unknown = 0, Individual = 1, Group = 2 };
enum class XblAchievementRewardType : std::uint32_t { Unknown = 0, Gamerscore = 1, InApp = 2, Art = 3 };

// The service names the type of a reward's value with a text; whole numbers are "Int".
inline constexpr char kRewardValueTypeInteger[] = "Int";

struct XblAchievementTitleAssociation {
    const char* name;
    std::uint32_t titleId;
};

struct XblAchievementRequirement {
    const char* id;
    const char* currentProgressValue;
    const char* targetProgressValue;
};

struct XblAchievementProgression {
    XblAchievementRequirement* requirements;
    std::size_t requirementsCount;
    std::time_t timeUnlocked;
};

struct XblAchievementTimeWindow {
    std::time_t startDate;
    std::time_t endDate;
};

struct XblAchievementMediaAsset {
    const char* name;
    XblAchievementMediaAssetType mediaAssetType;
    const char* url;
};

struct XblAchievementReward {
    const char* name;
    const char* description;
    const char* value;
    XblAchievementRewardType rewardType;
    const char* valueType;
    XblAchievementMediaAsset* mediaAsset;
};

struct XblAchievement {
    const char* id;
    const char* serviceConfigurationId;
    const char* name;
    XblAchievementTitleAssociation* titleAssociations;
    std::size_t titleAssociationsCount;
    XblAchievementProgressState progressState;
    XblAchievementProgression progression;
    XblAchievementMediaAsset* mediaAssets;
    std::size_t mediaAssetsCount;
    const char** platformsAvailableOn;
    std::size_t platformsAvailableOnCount;
    bool isSecret;
    const char* unlockedDescription;
    const char* lockedDescription;
    const char* productId;
    XblAchievementType type;
    XblAchievementParticipationType participationType;
    XblAchievementTimeWindow available;
    XblAchievementReward* rewards;
    std::size_t rewardsCount;
    std::uint64_t estimatedUnlockTime;
    const char* deepLink;
    bool isRevoked;
};

using XblAchievementsResultHandle = struct XblAchievementsResult*;

static_assert(sizeof(std::time_t) == 8, "the Xbox services records carry 64-bit times");
static_assert(sizeof(XblAchievementTitleAssociation) == 16 && sizeof(XblAchievementRequirement) == 24);
static_assert(sizeof(XblAchievementProgression) == 24 && offsetof(XblAchievementProgression, timeUnlocked) == 16);
static_assert(sizeof(XblAchievementTimeWindow) == 16 && sizeof(XblAchievementMediaAsset) == 24);
static_assert(sizeof(XblAchievementReward) == 48 && offsetof(XblAchievementReward, valueType) == 32);
static_assert(sizeof(XblAchievement) == 200 && offsetof(XblAchievement, progressState) == 40 &&
              offsetof(XblAchievement, progression) == 48 && offsetof(XblAchievement, isSecret) == 104 &&
              offsetof(XblAchievement, type) == 136 && offsetof(XblAchievement, available) == 144 &&
              offsetof(XblAchievement, rewards) == 160 && offsetof(XblAchievement, deepLink) == 184 &&
              offsetof(XblAchievement, isRevoked) == 192);

} // namespace Vyro::Xbl
