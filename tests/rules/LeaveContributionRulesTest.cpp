#include "RulesFixture.h"

namespace {

class LeaveContributionRules : public RulesTest {};

TEST_F(LeaveContributionRules, Leaves) {
    EXPECT_CODE(CheckLeaveReason("10"), "0000");
    EXPECT_CODE(CheckLeaveReason("70"), "0000");
    EXPECT_CODE(CheckLeaveReason("15"), "3629");
    EXPECT_CODE(CheckLeaveReason("00"), "0000");
    EXPECT_CODE(CheckLeaveReason(""), "0040");

    EXPECT_CODE(CheckLeaveDate("3002", "2009"), "3630");
    EXPECT_CODE(CheckLeaveDate("2902", "2009"), "3630");
    EXPECT_CODE(CheckLeaveDate("2902", "2008"), "0000");
    EXPECT_CODE(CheckLeaveDate("0000", "2009"), "0000");
    EXPECT_CODE(CheckLeaveDate("", "2009"), "0040");

    EXPECT_CODE(CheckLeaveDateVsReason("0000", "10", 1), "3638");
    EXPECT_CODE(CheckLeaveDateVsReason("0000", "10", 0), "3643");
    EXPECT_CODE(CheckLeaveDateVsReason("1503", "10", 1), "0000");
    EXPECT_CODE(CheckLeaveDateVsReason("", "10", 1), "0000");
    EXPECT_CODE(CheckLeaveDateVsReason("1503", "00", 1), "3646");
    EXPECT_CODE(CheckLeaveDateVsReason("1503", "", 0), "3646");
    EXPECT_CODE(CheckLeaveDateVsReason("", "00", 0), "3646");
    EXPECT_CODE(CheckLeaveDateVsReason("0000", "00", 0), "0000");

    EXPECT_CODE(CheckLeaveNotBeforeAdmission("1003", "15032009", "2009"), "3632");
    EXPECT_CODE(CheckLeaveNotBeforeAdmission("1503", "15032009", "2009"), "0000");
    EXPECT_CODE(CheckLeaveNotBeforeAdmission("1003", "15032008", "2009"), "0000");
    EXPECT_CODE(CheckLeaveNotBeforeAdmission("0000", "15032009", "2009"), "0000");

    EXPECT_CODE(CheckLeaveNotAfterDismissal("1505", "1005", "2009"), "3631");
    EXPECT_CODE(CheckLeaveNotAfterDismissal("1005", "1005", "2009"), "0000");
    EXPECT_CODE(CheckLeaveNotAfterDismissal("0106", "3105", "2009"), "3631");
    EXPECT_CODE(CheckLeaveNotAfterDismissal("1505", "0000", "2009"), "0000");

    EXPECT_CODE(CheckLeaveDateOrder("1505", "1005"), "3633");
    EXPECT_CODE(CheckLeaveDateOrder("1505", "1505"), "0000");
    EXPECT_CODE(CheckLeaveDateOrder("3101", "0102"), "0000");
    EXPECT_CODE(CheckLeaveDateOrder("1505", "0000"), "0000");
    EXPECT_CODE(CheckLeaveDateOrder("0000", "1005"), "0000");

    EXPECT_CODE(CheckLeaveDays("366", "10"), "3640");
    EXPECT_CODE(CheckLeaveDays("365", ""), "3753");
    EXPECT_CODE(CheckLeaveDays("365", "00"), "3753");
    EXPECT_CODE(CheckLeaveDays("365", "10"), "0000");
    EXPECT_CODE(CheckLeaveDays("000", ""), "0000");
    EXPECT_CODE(CheckLeaveDays("36", "10"), "0040");

    EXPECT_CODE(CheckLeaveDaysRequired("10", "", "", "000"), "3644");
    EXPECT_CODE(CheckLeaveDaysRequired("00", "", "20", ""), "3644");
    EXPECT_CODE(CheckLeaveDaysRequired("10", "", "", "030"), "0000");
    EXPECT_CODE(CheckLeaveDaysRequired("00", "00", "", "000"), "0000");

    EXPECT_CODE(CheckLeaveReasonOrder("", "10", "20"), "3749");
    EXPECT_CODE(CheckLeaveReasonOrder("10", "00", "20"), "3749");
    EXPECT_CODE(CheckLeaveReasonOrder("", "10", ""), "3748");
    EXPECT_CODE(CheckLeaveReasonOrder("10", "20", "30"), "0000");
    EXPECT_CODE(CheckLeaveReasonOrder("00", "00", "00"), "0000");
}

TEST_F(LeaveContributionRules, ContributionCnpj) {
    const QString head = Cnpj("112223330001");
    const QString branch = Cnpj("112223330002");
    ASSERT_FALSE(IsValidCei(head));
    for (const char* kind : {"sindical", "sindicalestab", "associativa", "assistencial", "confederativa"})
        EXPECT_CODE(CheckContributionCnpj(head, kind, 1, 0), "0051") << kind;
    EXPECT_CODE(CheckContributionCnpj(branch, "associativa", 1, 0), "3684");
    EXPECT_CODE(CheckContributionCnpj(branch, "sindical", 1, 0), "0059");
    EXPECT_CODE(CheckContributionCnpj(branch, "sindical", 0, 0), "0059");
    EXPECT_CODE(CheckContributionCnpj(branch, "assistencial", 1, 0), "3690");
    EXPECT_CODE(CheckContributionCnpj(branch, "confederativa", 1, 0), "3692");
    // The one inscription the union tax accepts although it is no head office.
    const QString exempt = QString::fromLatin1(ugConstantes::kCnpjIsentoSindical.data());
    ASSERT_TRUE(IsNotHeadOffice(exempt));
    EXPECT_CODE(CheckContributionCnpj(exempt, "sindical", 1, 0), "0000");
    EXPECT_CODE(CheckContributionCnpj(exempt, "sindical", 0, 0), "0000");
    EXPECT_CODE(CheckContributionCnpj(exempt, "associativa", 1, 0), "3684");
    // Zeros, length, check digits.
    EXPECT_CODE(CheckContributionCnpj("00000000000000", "sindical", 1, 0), "3746");
    EXPECT_CODE(CheckContributionCnpj("00000000000000", "sindical", 1, 1), "0000");
    EXPECT_CODE(CheckContributionCnpj(head.left(13), "sindical", 1, 0), "0040");
    EXPECT_CODE(CheckContributionCnpj("", "sindical", 1, 1), "0040");
    EXPECT_CODE(CheckContributionCnpj(head.left(13) + QChar(head.at(13) == '0' ? '1' : '0'), "sindical", 1, 0),
                "0059");

    EXPECT_CODE(CheckContributionCnpjNotOwnOrBank(head, head, 0), "3742");
    EXPECT_CODE(CheckContributionCnpjNotOwnOrBank(head, head, 1), "3743");
    EXPECT_CODE(CheckContributionCnpjNotOwnOrBank("00000000000191", head, 1), "3741");
    EXPECT_CODE(CheckContributionCnpjNotOwnOrBank("00360305000104", head, 0), "3741");
    EXPECT_CODE(CheckContributionCnpjNotOwnOrBank(branch, head, 0), "0000");
    EXPECT_CODE(CheckContributionCnpjNotOwnOrBank("", head, 0), "0000");
}

TEST_F(LeaveContributionRules, ContributionAmounts) {
    EXPECT_CODE(CheckRequiredIfFlag("", 1), "0030");
    EXPECT_CODE(CheckRequiredIfFlag("", 0), "0000");
    EXPECT_CODE(CheckRequiredIfFlag("00000000", 1), "0000");

    EXPECT_CODE(CheckEstablishmentContributionAmount("000000000"), "0000");
    EXPECT_CODE(CheckEstablishmentContributionAmount(""), "3648");
    EXPECT_CODE(CheckEstablishmentContributionAmount("00000000"), "0040");
    EXPECT_CODE(CheckContractContributionAmount("00000000"), "0000");
    EXPECT_CODE(CheckContractContributionAmount(""), "3648");
    EXPECT_CODE(CheckContractContributionAmount("000000000"), "X");

    const QString cnpj = Cnpj("112223330001");
    EXPECT_CODE(CheckContributionValueVsCnpj("", "00001000", "associativa", "10", 0, 1), "3744");
    EXPECT_CODE(CheckContributionValueVsCnpj("00000000000000", "00001000", "sindical", "10", 1, 1), "3744");
    EXPECT_CODE(CheckContributionValueVsCnpj("", "00000000", "sindical", "10", 0, 1), "3687");
    EXPECT_CODE(CheckContributionValueVsCnpj("", "00000000", "sindical", "30", 0, 1), "0000");
    EXPECT_CODE(CheckContributionValueVsCnpj("", "00000000", "sindical", "", 0, 0), "3687");
    EXPECT_CODE(CheckContributionValueVsCnpj("", "000000000", "sindicalestab", "", 1, 0), "0000");
    EXPECT_CODE(CheckContributionValueVsCnpj("", "00000000", "associativa", "10", 0, 1), "0000");
    EXPECT_CODE(CheckContributionValueVsCnpj(cnpj, "00001000", "sindical", "10", 0, 1), "0000");
    EXPECT_CODE(CheckContributionValueVsCnpj(cnpj, "00000000", "sindical", "10", 0, 1), "0000");

    EXPECT_CODE(CheckAssociationCnpjsDiffer(cnpj, cnpj), "3745");
    EXPECT_CODE(CheckAssociationCnpjsDiffer("", ""), "3745");
    EXPECT_CODE(CheckAssociationCnpjsDiffer(cnpj, Cnpj("445556660001")), "0000");
}

TEST_F(LeaveContributionRules, Unionised) {
    const QString cnpj = Cnpj("112223330001");
    EXPECT_CODE(CheckAssociationVsUnionised("", "1", 0), "3713");
    EXPECT_CODE(CheckAssociationVsUnionised("00000000000000", "1", 1), "3702");
    EXPECT_CODE(CheckAssociationVsUnionised(cnpj, "2", 0), "3756");
    EXPECT_CODE(CheckAssociationVsUnionised(cnpj, "2", 1), "3757");
    EXPECT_CODE(CheckAssociationVsUnionised(cnpj, "1", 1), "0000");
    EXPECT_CODE(CheckAssociationVsUnionised("", "2", 1), "0000");

    EXPECT_CODE(CheckSecondAssociationVsUnionised(cnpj, "2"), "3757");
    EXPECT_CODE(CheckSecondAssociationVsUnionised("00000000000000", "2"), "0000");
    EXPECT_CODE(CheckSecondAssociationVsUnionised(cnpj, "1"), "0000");

    EXPECT_CODE(CheckUnionisedIndicator("1"), "0000");
    EXPECT_CODE(CheckUnionisedIndicator("2"), "0000");
    EXPECT_CODE(CheckUnionisedIndicator(""), "3704");

    EXPECT_CODE(CheckEmployerUnionCnpj(employerUnion()), "0000");
    EXPECT_CODE(CheckEmployerUnionCnpj(workerUnion()), "3688");
    EXPECT_CODE(CheckWorkerUnionCnpj(workerUnion()), "0000");
    EXPECT_CODE(CheckWorkerUnionCnpj(employerUnion()), "3689");
    EXPECT_CODE(CheckWorkerUnionCnpj(""), "3689");
}

TEST_F(LeaveContributionRules, TerminationPayments) {
    EXPECT_CODE(CheckNoticePayValue(""), "0335");
    EXPECT_CODE(CheckNoticePayValue("000100000"), "0000");
    EXPECT_CODE(CheckNoticePayValue("100000"), "0040");

    EXPECT_CODE(CheckNoticePayVsCause("000100000", "11"), "0000");
    EXPECT_CODE(CheckNoticePayVsCause("000100000", "21"), "0000");
    EXPECT_CODE(CheckNoticePayVsCause("000100000", "31"), "0335");
    EXPECT_CODE(CheckNoticePayVsCause("000100000", "00"), "0335");
    EXPECT_CODE(CheckNoticePayVsCause("000000000", "31"), "0000");
    EXPECT_CODE(CheckNoticePayVsCause("000100000", ""), "0000");

    EXPECT_CODE(CheckAmountDigits("00001000"), "0000");
    EXPECT_CODE(CheckAmountDigits("1000"), "3648");
    EXPECT_CODE(CheckAmountDigits("000010000"), "3648");
    EXPECT_CODE(CheckAmountDigits("0000100A"), "3648");
    EXPECT_CODE(CheckMonthsCount("02"), "0000");
    EXPECT_CODE(CheckMonthsCount("2"), "3648");

    EXPECT_CODE(CheckRescissionValueNeedsCause("00", "00001000"), "3675");
    EXPECT_CODE(CheckRescissionValueNeedsCause("", "00001000"), "3675");
    EXPECT_CODE(CheckRescissionValueNeedsCause("11", "00001000"), "0000");
    for (const char* none : {"0,00", "", "00000000", "0"})
        EXPECT_CODE(CheckRescissionValueNeedsCause("00", none), "0000") << none;

    EXPECT_CODE(CheckHourBankValueMonths("0,00", "02"), "3681");
    EXPECT_CODE(CheckHourBankValueMonths("00001000", "00"), "3680");
    EXPECT_CODE(CheckHourBankValueMonths("00001000", ""), "3680");
    EXPECT_CODE(CheckHourBankValueMonths("00001000", "02"), "0000");
    EXPECT_CODE(CheckHourBankValueMonths("00000000", "0"), "0000");
    EXPECT_CODE(CheckWageAgreementValueMonths("", "02"), "3682");
    EXPECT_CODE(CheckWageAgreementValueMonths("00001000", "00"), "3680");
    EXPECT_CODE(CheckBonusValueMonths("00000000", "03"), "3683");
    EXPECT_CODE(CheckBonusValueMonths("00001000", "03"), "0000");

    EXPECT_CODE(CheckRescissionValuesPresent("00000000", "00000000", "00000000", "00000000", "00000000"), "3758");
    EXPECT_CODE(CheckRescissionValuesPresent("", "", "", "", ""), "3758");
    EXPECT_CODE(CheckRescissionValuesPresent("00000000", "", "0000000A", "00000000", "00000001"), "0000");
}

}  // namespace
