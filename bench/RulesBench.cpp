// Runs the field rules of one contract (the coded lookups, the date, pay and
// leave rules for twelve months) 10,000 times over the shipped lookup tables,
// as the whole-declaration check would over a declaration of 10,000
// contracts. Prints the time. Target: under 10 s.
#include "BenchSupport.h"
#include "platform/AppPaths.h"
#include "rules/UgRegrasNegocio.h"
#include "shell/UdmLobrix.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    dmLobrix = new TdmLobrix;

    constexpr int kContracts = 10000;
    static const char* const months[] = {"01", "02", "03", "04", "05", "06", "07", "08", "09", "10", "11", "12"};
    int refused = 0;
    auto count = [&refused](const QString& code) { refused += code != QLatin1String("0000"); };
    QElapsedTimer timer;
    timer.start();
    for (int i = 0; i < kContracts; ++i) {
        const QString pis = QStringLiteral("%1").arg(12000000000LL + i);
        QString name = QStringLiteral("EMPREGADO NUMERO %1").arg(i);
        count(CheckPisPasep(pis));
        count(CheckEmployeeName(name, pis));
        count(CheckBirthDate("15061980"));
        count(CheckEmployeeAge("15061980", "2009"));
        count(CheckNationality("10"));
        count(CheckSchooling("07"));
        count(CheckRace("2"));
        count(CheckAdmissionDate("01022005"));
        count(CheckAdmissionType("2"));
        count(CheckContractType("10"));
        count(CheckCbo("411010"));
        count(CheckCboForSchooling("07", "411010"));
        count(CheckSalaryType("1"));
        count(CheckContractSalaryVsType("000100000", "1", "10"));
        count(CheckDismissalCause("00"));
        count(CheckWorkMunicipality("3550308"));
        count(CheckMinorAdmission("2", "15061980", "10", "01022005"));
        for (const char* m : months) {
            count(CheckMonthlyPayVsMinimumWage("000100000", m, "1", "2009", "01022005", "0000", "2062", "10"));
            count(CheckMonthlyPayVsContractSalary("000100000", m, "1", "01022005", "0000", "10", "0000", "0000",
                                                  "0000", "0000", "0000", "0000", "000100000"));
            count(CheckMonthlyPayForSchooling("000100000", "07", "2062", m));
        }
        count(CheckLeaveReason("00"));
        count(CheckLeaveDays("000", "00"));
    }
    const qint64 ms = timer.elapsed();
    std::printf("rules of %d contracts: %lld ms (%d codes other than 0000)\n", kContracts, static_cast<long long>(ms),
                refused);
    delete dmLobrix;
    return 0;
}
