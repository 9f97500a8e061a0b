#include "Account.h"

#include "Texts.h"

namespace Vyro::EosSim {

namespace {

// Far from small integers and null, and aligned as a real handle would be.
constexpr std::uintptr_t kAccountHandle = 0xACC00010;

} // namespace

Eos::EpicAccountId AccountHandle() { return reinterpret_cast<Eos::EpicAccountId>(kAccountHandle); }

nlohmann::json DescribeAccountId(Eos::EpicAccountId accountId)
{
    if (accountId == nullptr) {
        return nullptr;
    }
    return accountId == AccountHandle() ? kAccountIdText : "<unknown>";
}

void Account::IssueTokens()
{
    ++signIns;
    accessToken = Numbered("sim-access-", signIns);
    refreshToken = Numbered("sim-refresh-", signIns);
}

} // namespace Vyro::EosSim
