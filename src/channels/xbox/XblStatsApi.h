#pragma once

// The statistics and leaderboard records of the Xbox services C API as the library lays them out
// (64-bit). Results are laid out in the caller's buffer: the records' arrays and texts point into it.
// The layout is that of every GDK from the first one with this C API (November 2020) to the October
// 2025 GDK.
#include <cstddef>
#include <cstdint>

namespace Vyro::Xbl {

// Text fields holding a service configuration id: 36 characters, terminator, padding.
inline constexpr std::size_t kScidLength = 40;
// The classic gamertag field: 16 characters of up to three UTF-8 bytes each.
inline constexpr std::size_t kGamertagCharSize = 16 * 3;
inline constexpr std::size_t kModernGamertagCharSize = 97;
inline constexpr std::size_t kModernGamertagSuffixCharSize = 15;
inline constexpr std::size_t kUniqueModernGamertagCharSize = 101;

// The service's statistic: every member a text, the type as the service names it ("Integer",
// "Double", "String").
struct XblStatistic {
    const char* statisticName;
    const char* statisticType;
    const char* value;
};

struct XblServiceConfigurationStatistic {
    char serviceConfigurationId[kScidLength];
    XblStatistic* statistics;
    std::uint32_t statisticsCount;
};

struct XblUserStatisticsResult {
    std::uint64_t xboxUserId;
    XblServiceConfigurationStatistic* serviceConfigStatistics;
    std::uint32_t serviceConfigStatisticsCount;
};

enum class XblTitleManagedStatType : std::uint32_t { Number = 0, String = 1 };

struct XblTitleManagedStatistic {
    const char* statisticName;
    XblTitleManagedStatType statisticType;
    double numberValue;
    const char* stringValue;
};

enum class XblLeaderboardStatType : std::uint32_t { Uint64 = 0, Boolean = 1, Double = 2, String = 3, Other = 4 };
enum class XblLeaderboardSortOrder : std::uint32_t { Descending = 0, Ascending = 1 };
enum class XblSocialGroupType : std::uint32_t { None = 0, People = 1, Favorites = 2 };
enum class XblLeaderboardQueryType : std::uint32_t {
    UserStatBacked = 0,
    TitleManagedStatBackedGlobal = 1,
    TitleManagedStatBackedSocial = 2,
};

struct XblLeaderboardColumn {
    const char* statName;
    XblLeaderboardStatType statType;
};

struct XblLeaderboardRow {
    char gamertag[kGamertagCharSize];
    char modernGamertag[kModernGamertagCharSize];
    char modernGamertagSuffix[kModernGamertagSuffixCharSize];
    char uniqueModernGamertag[kUniqueModernGamertagCharSize];
    std::uint64_t xboxUserId;
    double percentile;
    std::uint32_t rank;
    std::uint32_t globalRank;
    // Each column's value as JSON text, in column order.
    const char** columnValues;
    std::size_t columnValuesCount;
};

struct XblLeaderboardQuery {
    std::uint64_t xboxUserId;
    char scid[kScidLength];
    const char* leaderboardName;
    const char* statName;
    XblSocialGroupType socialGroup;
    const char** additionalColumnleaderboardNames;
    std::size_t additionalColumnleaderboardNamesCount;
    XblLeaderboardSortOrder order;
    std::uint32_t maxItems;
    std::uint64_t skipToXboxUserId;
    std::uint32_t skipResultToRank;
    const char* continuationToken;
    XblLeaderboardQueryType queryType;
};

struct XblLeaderboardResult {
    std::uint32_t totalRowCount;
    XblLeaderboardColumn* columns;
    std::size_t columnsCount;
    XblLeaderboardRow* rows;
    std::size_t rowsCount;
    bool hasNext;
    XblLeaderboardQuery nextQuery;
};

static_assert(sizeof(XblStatistic) == 24 && sizeof(XblUserStatisticsResult) == 24);
static_assert(sizeof(XblServiceConfigurationStatistic) == 56 && offsetof(XblServiceConfigurationStatistic, statistics) == 40);
static_assert(sizeof(XblTitleManagedStatistic) == 32 && offsetof(XblTitleManagedStatistic, numberValue) == 16);
static_assert(sizeof(XblLeaderboardColumn) == 16);
static_assert(sizeof(XblLeaderboardRow) == 304 && offsetof(XblLeaderboardRow, xboxUserId) == 264 &&
              offsetof(XblLeaderboardRow, rank) == 280 && offsetof(XblLeaderboardRow, columnValues) == 288);
static_assert(sizeof(XblLeaderboardQuery) == 128 && offsetof(XblLeaderboardQuery, leaderboardName) == 48 &&
              offsetof(XblLeaderboardQuery, order) == 88 && offsetof(XblLeaderboardQuery, skipToXboxUserId) == 96 &&
              offsetof(XblLeaderboardQuery, continuationToken) == 112 && offsetof(XblLeaderboardQuery, queryType) == 120);
static_assert(sizeof(XblLeaderboardResult) == 176 && offsetof(XblLeaderboardResult, hasNext) == 40 &&
              offsetof(XblLeaderboardResult, nextQuery) == 48);
static_assert(sizeof(XblTitleManagedStatType) == 4 && sizeof(XblLeaderboardQueryType) == 4 && sizeof(XblSocialGroupType) == 4);

} // namespace Vyro::Xbl
