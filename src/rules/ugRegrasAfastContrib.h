#pragma once
// Leaves of absence of a contract, union contributions of establishments
// (9-digit totals) and contracts (8-digit amounts), and termination
// payments. Every rule returns a message code ("0000" accepted). Leave and
// dismissal dates are ddmm.

#include <QString>

// Leaves. startFlag: 1 for a start date, 0 for an end date.
QString CheckLeaveReason(const QString& reason);
QString CheckLeaveDate(const QString& leaveDate, const QString& year);
QString CheckLeaveDateVsReason(const QString& leaveDate, const QString& reason, int startFlag);
QString CheckLeaveNotBeforeAdmission(const QString& leaveDate, const QString& admissionDate,
                                     const QString& referenceYear);
QString CheckLeaveNotAfterDismissal(const QString& leaveDate, const QString& dismissalDate,
                                    const QString& referenceYear);
QString CheckLeaveDateOrder(const QString& leaveStart, const QString& leaveEnd);
QString CheckLeaveDays(const QString& leaveDays, const QString& firstReason);
QString CheckLeaveDaysRequired(const QString& firstReason, const QString& secondReason,
                               const QString& thirdReason, const QString& leaveDays);
QString CheckLeaveReasonOrder(const QString& firstReason, const QString& secondReason, const QString& thirdReason);

// Union contributions. kind: "sindical", "sindicalestab", "associativa",
// "assistencial" or "confederativa"; record: 0 establishment, 1 contract;
// zerosAllowed and fileMode: 1 or 0.
QString CheckContributionCnpj(const QString& cnpj, const QString& kind, int record, int zerosAllowed);
QString CheckContributionCnpjNotOwnOrBank(const QString& cnpj, const QString& inscription, int record);
QString CheckRequiredIfFlag(const QString& value, int fileMode);
QString CheckEstablishmentContributionAmount(const QString& amount);
QString CheckContractContributionAmount(const QString& amount);
// contractType: empty for an establishment.
QString CheckContributionValueVsCnpj(const QString& cnpj, const QString& amount, const QString& kind,
                                     const QString& contractType, int fileMode, int record);
QString CheckAssociationCnpjsDiffer(const QString& firstCnpj, const QString& secondCnpj);
QString CheckAssociationVsUnionised(const QString& cnpj, const QString& unionised, int record);
QString CheckSecondAssociationVsUnionised(const QString& cnpj, const QString& unionised);
QString CheckUnionisedIndicator(const QString& unionised);
QString CheckEmployerUnionCnpj(const QString& cnpj);
QString CheckWorkerUnionCnpj(const QString& cnpj);

// Termination payments.
QString CheckNoticePayValue(const QString& noticePay);
QString CheckNoticePayVsCause(const QString& noticePay, const QString& cause);
QString CheckAmountDigits(const QString& amount);
QString CheckMonthsCount(const QString& months);
QString CheckRescissionValueNeedsCause(const QString& cause, const QString& amount);
QString CheckHourBankValueMonths(const QString& value, const QString& months);
QString CheckWageAgreementValueMonths(const QString& value, const QString& months);
QString CheckBonusValueMonths(const QString& value, const QString& months);
QString CheckRescissionValuesPresent(const QString& holidays, const QString& fines, const QString& hourBank,
                                     const QString& wageAgreement, const QString& bonuses);
