// The simulated social manager in process: local users and groups checked, what DoWork and GetUsers
// hand out valid only until the next DoWork, graph changes given out as events in order, and lists
// read count first.
#include <gtest/gtest.h>

#include <nlohmann/json.hpp>

#include "XboxServicesSimFixture.h"

using namespace Vyro;
using nlohmann::json;
using namespace SimControlRequests;
using Gdk::HResult;
using Gdk::XAsyncBlock;
using Xbl::XblSocialManagerEventType;

namespace {

constexpr auto kDetail = Xbl::XblSocialManagerExtraDetailLevel::TitleHistoryLevel;
using XboxServicesSimTest::Misuse;

class XboxSocialSim : public XboxServicesSimTest::ServicesSimTest {
protected:
    std::vector<XblSocialManagerEventType> DoWork()
    {
        const Xbl::XblSocialManagerEvent* events = nullptr;
        std::size_t count = 0;
        EXPECT_EQ(XblSocialManagerDoWork(&events, &count), 0);
        std::vector<XblSocialManagerEventType> types;
        for (std::size_t i = 0; i < count; ++i) {
            types.push_back(events[i].eventType);
        }
        return types;
    }
};

} // namespace

TEST_F(XboxSocialSim, LocalUsersAndGroupsAreCheckedAndThoseLeftAreReported)
{
    Xbl::XblSocialManagerUserGroupHandle group = nullptr;
    EXPECT_NE(XblSocialManagerCreateSocialUserGroupFromFilters(user, Xbl::XblPresenceFilter::All, Xbl::XblRelationshipFilter::Friends, &group), 0);
    EXPECT_NE(XblSocialManagerRemoveLocalUser(user), 0);
    ASSERT_EQ(XblSocialManagerAddLocalUser(user, kDetail, queue), 0);
    EXPECT_NE(XblSocialManagerAddLocalUser(user, kDetail, queue), 0);
    ASSERT_EQ(XblSocialManagerCreateSocialUserGroupFromFilters(user, Xbl::XblPresenceFilter::All, Xbl::XblRelationshipFilter::Friends, &group), 0);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"]["socialGroups"], 1);
    EXPECT_EQ(Sim({{"op", "state"}})["leftOpen"]["socialLocalUsers"], 1);
    ASSERT_EQ(XblSocialManagerDestroySocialUserGroup(group), 0);
    EXPECT_NE(XblSocialManagerDestroySocialUserGroup(group), 0);
    XUserCloseHandle(user);
    EXPECT_NE(XblSocialManagerRemoveLocalUser(user), 0) << "a closed handle names no user";
    EXPECT_EQ(Misuse(), json::array({json::array({"XblSocialManagerCreateSocialUserGroupFromFilters",
                                                         "group for a user not added to the social manager"}),
                                            json::array({"XblSocialManagerRemoveLocalUser", "user not added to the social manager"}),
                                            json::array({"XblSocialManagerAddLocalUser", "user already added to the social manager"}),
                                            json::array({"XblSocialManagerDestroySocialUserGroup", "unknown or destroyed social user group"}),
                                            json::array({"XblSocialManagerRemoveLocalUser", "unknown or closed user handle"})}));
}

TEST_F(XboxSocialSim, TheGroupLoadsAfterTheProgrammedDoWorksAndChangesComeOutInOrder)
{
    Sim({{"op", "social"}, {"loadAfterDoWorks", 2}});
    ASSERT_EQ(XblSocialManagerAddLocalUser(user, kDetail, queue), 0);
    Xbl::XblSocialManagerUserGroupHandle group = nullptr;
    ASSERT_EQ(XblSocialManagerCreateSocialUserGroupFromFilters(user, Xbl::XblPresenceFilter::AllOnline, Xbl::XblRelationshipFilter::Friends, &group), 0);
    EXPECT_EQ(DoWork(), std::vector{XblSocialManagerEventType::LocalUserAdded});
    EXPECT_EQ(DoWork(), std::vector{XblSocialManagerEventType::SocialUserGroupLoaded});
    EXPECT_TRUE(DoWork().empty());

    Xbl::XblSocialManagerUserPtrArray users = nullptr;
    std::size_t count = 0;
    ASSERT_EQ(XblSocialManagerUserGroupGetUsers(group, &users, &count), 0);
    ASSERT_EQ(count, 2u) << "the offline friend is not online";
    const Xbl::XblSocialManagerUser* first = users[0];
    EXPECT_EQ(first->xboxUserId, 2533274900000101u);
    EXPECT_STREQ(first->gamertag, "Quiet Harbor");
    EXPECT_EQ(first->presenceRecord.userState, Xbl::XblPresenceUserState::Online);
    EXPECT_EQ(first->presenceRecord.presenceTitleRecordCount, 1u);
    EXPECT_STREQ(first->presenceRecord.presenceTitleRecords[0].presenceText, "Exploring the caves");

    ASSERT_EQ(Sim({{"op", "socialChanges"},
                   {"changes", {{{"kind", "added"}, {"xuid", 5}, {"gamertag", "New One"}}, {{"kind", "removed"}, {"xuid", 2533274900000102}}}}})["queued"],
              2);
    EXPECT_EQ(DoWork(), (std::vector{XblSocialManagerEventType::UsersAddedToSocialGraph, XblSocialManagerEventType::UsersRemovedFromSocialGraph}));
    EXPECT_EQ(first->xboxUserId, 0xDDDDDDDDDDDDDDDDu) << "records handed out before are scribbled by the next DoWork";
    EXPECT_EQ(Control(R"({"op":"socialChanges","changes":[{"kind":"removed","xuid":77}]})")["error"], "socialChanges: 77 is no friend");

    ASSERT_EQ(XblSocialManagerDestroySocialUserGroup(group), 0);
    ASSERT_EQ(XblSocialManagerRemoveLocalUser(user), 0);
    EXPECT_EQ(Misuse(), json::array());
}

TEST_F(XboxSocialSim, AListIsReadCountFirstIntoABufferOfExactlyThatCountOnce)
{
    XAsyncBlock block = Block();
    ASSERT_EQ(XblPrivacyGetAvoidListAsync(context, &block), 0);
    ASSERT_EQ(XAsyncGetStatus(&block, true), 0);
    std::size_t count = 0;
    ASSERT_EQ(XblPrivacyGetAvoidListResultCount(&block, &count), 0);
    ASSERT_EQ(count, 2u);
    std::uint64_t xuids[2] = {};
    EXPECT_NE(XblPrivacyGetAvoidListResult(&block, 1, xuids), 0);
    ASSERT_EQ(XblPrivacyGetAvoidListResult(&block, 2, xuids), 0);
    EXPECT_EQ(xuids[1], 2533274900000202u);
    EXPECT_NE(XblPrivacyGetAvoidListResult(&block, 2, xuids), 0) << "a result is read once";

    XAsyncBlock profiles = Block();
    ASSERT_EQ(XblProfileGetUserProfilesAsync(context, xuids, 2, &profiles), 0);
    ASSERT_EQ(XAsyncGetStatus(&profiles, true), 0);
    ASSERT_EQ(XblProfileGetUserProfilesResultCount(&profiles, &count), 0);
    ASSERT_EQ(count, 1u) << "the second avoided player has no profile";
    Xbl::XblUserProfile profile{};
    ASSERT_EQ(XblProfileGetUserProfilesResult(&profiles, 1, &profile), 0);
    EXPECT_STREQ(profile.gamertag, "Rusty Comet");
    EXPECT_EQ(Misuse().size(), 2u);
}
