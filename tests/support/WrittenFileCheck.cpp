#include "support/WrittenFileCheck.h"

#include "declfile/ugAnaliseEstrutura.h"
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "rules/ugCriticaDeclaracao.h"

namespace {

class QuietValidationHost : public ValidationHost {
public:
    void ShowErrorLimit(const QString&) override {}
};

}  // namespace

std::string FileVerdict::Describe() const {
    return QStringLiteral("analysis %1, %2 establishments, %3 contracts, check %4, errors: %5")
        .arg(analysis)
        .arg(establishments)
        .arg(contracts)
        .arg(check)
        .arg(errors.join(QLatin1Char(' ')))
        .toStdString();
}

FileVerdict CheckWrittenFile(const QString& path, const QString& dataFolder, int anoBase) {
    FileVerdict v;
    declfile::TAnaliseEstrutura analyser;
    forms::ProgressHost host;
    v.analysis = analyser.AnalyseFile(path, quint16(anoBase), host, dataFolder, false, v.establishments, v.contracts,
                                      false);
    if (v.analysis != declfile::kAnaliseSemErro && v.analysis != declfile::kAnaliseRetificacao) return v;
    QuietValidationHost checkHost;
    // Every row of the working tables, the person responsible too, in the
    // analysis's mode: as the analysis wizard checks a file.
    v.check = ValidateDeclaration(checkHost, dataFolder, 1, nullptr, QString(), 1, 0, 1);
    if (v.check & 2) {
        db::Table findings(db::Database::forFolder(dataFolder), QStringLiteral("te8errwa.db"));
        findings.Open();
        for (findings.First(); !findings.Eof(); findings.Next())
            if (findings.FieldByName(QStringLiteral("errwar")).AsString() == QLatin1String("err"))
                v.errors << findings.FieldByName(QStringLiteral("retorno")).AsString() + QLatin1Char('/') +
                                findings.FieldByName(QStringLiteral("lbl")).AsString();
    }
    return v;
}
