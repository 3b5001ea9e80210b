#include "ugCriticaDeclaracao.h"

#include "platform/ui/MessageService.h"
#include "rules/RuleText.h"
#include "rules/ugConstantes.h"
#include "rules/ugCriticaVinculo.h"
#include "shell/UdmLobrix.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugFuncoes.h"

#include <QCoreApplication>
#include <QProgressBar>
#include <algorithm>
#include <cmath>

namespace {

// Carried over every run until the program ends.
int gSequence = 0;
forms::StopRequest gStopRequested;

const QStringList kLookupFiles = {
    "TB8base.db", "TB8cbo.db",  "TB8Afast.db", "TB8cnae.db",  "TB8desl.db",   "TB8instr.db", "TB8msg.db",
    "TB8munic.db", "TB8nacio.db", "TB8raca.db", "TB8natju.db", "TB8tpadm.db", "TB8tpsal.db", "TBuf.db",
    "TB8vinc.db", "TBdefi.db",  "TBempreg.db", "TBtrab.db",   "tbsindic.db"};

db::TableDef findingsTableDef() {
    db::TableDef t;
    t.fileName = QStringLiteral("te8errwa.db");
    for (auto [name, width] : std::initializer_list<std::pair<const char*, int>>{
             {"errwar", 3}, {"inscricao", 14}, {"tipoinscricao", 1}, {"prefixo", 2}, {"tiporegistro", 1},
             {"retorno", 4}, {"razaosocial", 52}, {"copispasep", 11}, {"noempregado", 52}, {"DaAdmissao", 8},
             {"usoempresa", 12}, {"lbl", 4}, {"Conteudo", 52}, {"Sequencial", 6}, {"CoCgcVinculado", 14}})
        t.fields << db::textField(QString::fromLatin1(name), width);
    return t;
}

// Reads a stored count; anything that is not a whole number counts as none.
int storedCount(const QString& text, bool* ok = nullptr) {
    bool good = false;
    const int n = text.trimmed().toInt(&good);
    if (ok) *ok = good;
    return good ? n : 0;
}

struct Progress {
    double accumulator = 0;
    double step = 0;
    int position = 0;
};

}  // namespace

void WidgetValidationHost::SetProgress(int position) {
    if (!ranged_) {
        pump_.SetProgressMaximum(100);
        ranged_ = true;
    }
    pump_.SetProgress(position);
}

void WidgetValidationHost::ProcessEvents() { pump_.ProcessEvents(); }

bool WidgetValidationHost::AskInterrupt() { return pump_.AskInterrupt(); }

void WidgetValidationHost::ShowErrorLimit(const QString& text) {
    pump_.ShowExactPosition();
    msg::ShowWarning(text);
}

QString ErrorLimitText() {
    return QStringLiteral("Quantidade de erros excede o valor máximo permitido. Será exibido aproximadamente as 100 "
                          "primeiras ocorrências") +
           QStringLiteral("\n\r") +
           QStringLiteral("Visualize/Imprima os erros e após a correção, inicie novamente a análise da declaração.");
}

QString ValidationRun::EstablishmentTable() const {
    return useWorkingTables ? QStringLiteral("te8emp") : QStringLiteral("BD8Emp");
}

QString ValidationRun::ContractTable() const {
    return useWorkingTables ? QStringLiteral("te8vinc") : QStringLiteral("BD8Vinc");
}

void ValidationRun::AddValidationFinding(const QString& kind, int recordType, const QString& result,
                                         const QString& label, const QString& content) {
    if (!findings) {
        findingsDatabase->createTable(findingsTableDef());
        findings = std::make_unique<db::Table>(findingsDatabase, QStringLiteral("te8errwa.db"));
        findings->Open();
        findingsTransaction = std::make_unique<db::Transaction>(*findingsDatabase);
    }
    if (kind == QLatin1String("err")) errorsWritten = true;
    if (kind == QLatin1String("war")) warningsWritten = true;
    ++gSequence;
    db::Table& f = *findings;
    f.Append();
    f.FieldByName("errwar").SetAsString(kind);
    f.FieldByName("tiporegistro").SetAsString(QString::number(recordType));
    f.FieldByName("retorno").SetAsString(result);
    f.FieldByName("lbl").SetAsString(label);
    f.FieldByName("Conteudo").SetAsString(content);
    f.FieldByName("Sequencial").SetAsString(PadLeftZeros(QString::number(gSequence), 6));
    if (recordType >= 1) {
        f.FieldByName("inscricao").SetAsString(emp->FieldByName("CoCgcCeiEstabelecimento").AsString());
        f.FieldByName("tipoinscricao").SetAsString(emp->FieldByName("InInscrEstabelecimento").AsString());
        f.FieldByName("prefixo").SetAsString(emp->FieldByName("NuPrefixoEstabelecimento").AsString());
        f.FieldByName("razaosocial").SetAsString(emp->FieldByName("NoRazaoEstabelecimento").AsString());
    }
    if (recordType == 2) {
        f.FieldByName("copispasep").SetAsString(currentPis);
        f.FieldByName("noempregado").SetAsString(vinc->FieldByName("NoEmpregado").AsString());
        f.FieldByName("DaAdmissao").SetAsString(currentAdmission);
        f.FieldByName("usoempresa").SetAsString(vinc->FieldByName("TxUsoEmpregado").AsString());
        f.FieldByName("CoCgcVinculado").SetAsString(vinc->FieldByName("CoCgcVinculado").AsString());
    }
    f.Post();
}

void ValidationRun::CountValidationError() {
    ++errorCount;
    if (errorCount > errorLimit && host) host->ShowErrorLimit(ErrorLimitText());
}

void RequestValidationStop() { gStopRequested.Request(); }

namespace {

class ValidationRunner {
public:
    ValidationRunner(ValidationHost& host, const QString& dataDirectory, std::uint8_t useWorkingTables,
                     const std::vector<bool>* list, const QString& filter, std::uint8_t fileAnalysisMode)
        : list_(list), filter_(filter) {
        run_.host = &host;
        run_.database = db::Database::forFolder(dataDirectory);
        run_.findingsDatabase = std::make_shared<db::Database>(dataDirectory);
        run_.useWorkingTables = useWorkingTables;
        run_.baseYear = fmLOBRIX ? fmLOBRIX->AnoBase : ugConstantes::kAnoBase;
        run_.fileAnalysisMode = fileAnalysisMode;
    }

    ValidationResult Run(bool checkResponsible) {
        gStopRequested.Clear();
        // The field rules read their lookups many times per contract: one
        // read transaction for the whole run instead of one per lookup.
        const db::ReadSnapshot lookups(dmLobrix ? dmLobrix->dbZuvo : nullptr);
        const rules::LookupMemory answers;
        OpenValidationTables();
        ValidationHost& host = *run_.host;

        // Counting pass, for the progress bar.
        double total = 0;
        std::size_t listIndex = 0;
        for (run_.emp->First(); !run_.emp->Eof(); run_.emp->Next()) {
            if (IsEstablishmentSkipped()) continue;
            if (selected(listIndex))
                total += 1 + storedCount(run_.emp->FieldByName("NuVinculosEstabelecimento").AsString());
            ++listIndex;
        }
        run_.emp->First();
        run_.vinc->First();
        progress_ = Progress{0, total / 100.0, 0};
        host.SetProgress(0);

        if (checkResponsible) CheckResponsibleRecord(run_);

        listIndex = 0;
        bool stopped = false;
        for (run_.emp->First(); !run_.emp->Eof() && !stopped; run_.emp->Next()) {
            if (IsEstablishmentSkipped()) continue;
            if (!selected(listIndex++)) continue;
            stopped = CheckEstablishmentWithContracts();
        }
        if (!stopped) {
            host.SetProgress(100);
            host.ProcessEvents();
        }
        return CloseValidationTables();
    }

private:
    bool selected(std::size_t index) const {
        return !list_ || (index < list_->size() && (*list_)[index]);
    }

    bool IsEstablishmentSkipped() {
        return !filter_.isEmpty() && run_.emp->FieldByName("AnBase").AsString() != filter_;
    }

    // Returns true when the run must end (stop answered Yes or too many errors).
    bool CheckEstablishmentWithContracts() {
        db::Table& emp = *run_.emp;
        db::Table& vinc = *run_.vinc;
        run_.currentBaseYear = emp.FieldByName("AnBase").AsString();
        CheckEstablishmentRecord(run_);
        StepValidationProgress();
        if (PollValidationStop() || run_.AboveLimit()) return true;

        const QString inscricao = emp.FieldByName("CoCgcCeiEstabelecimento").AsString();
        const QString prefixo = emp.FieldByName("NuPrefixoEstabelecimento").AsString();
        int contracts = 0;
        // The establishment's contracts as a range: found by key alone, the
        // read past its last contract would fetch a whole batch of the next
        // establishment's only to stop at its first row.
        const QStringList key{run_.currentBaseYear, inscricao, prefixo};
        vinc.SetRange(key, key);
        if (!vinc.Eof()) {
            const db::Field& year = vinc.FieldByName("AnBase");
            const db::Field& number = vinc.FieldByName("CoCgcCeiEstabelecimento");
            const db::Field& prefix = vinc.FieldByName("NuPrefixoEstabelecimento");
            while (!vinc.Eof() && year.AsString() == run_.currentBaseYear && number.AsString() == inscricao &&
                   prefix.AsString() == prefixo) {
                CheckEmployeeRecord(run_);
                ++contracts;
                StepValidationProgress();
                if (PollValidationStop() || run_.AboveLimit()) return true;
                vinc.Next();
            }
        }
        SummaryChecks(contracts);
        return false;
    }

    void SummaryChecks(int contracts) {
        db::Table& emp = *run_.emp;
        if (contracts == 0 && emp.FieldByName("InZuvoNegEstabelecimento").AsString() == QLatin1String("0")) {
            // Written, not counted.
            run_.AddValidationFinding("err", 1, "1673", "1661", "0");
            run_.AddValidationFinding("err", 1, "1673", "1622", emp.FieldByName("InZuvoNegEstabelecimento").AsString());
        }
        const int foreigners = storedCount(emp.FieldByName("NuEstrangeirosEstabelec").AsString());
        if (contracts > 4 && foreigners > 0 && contracts / 3 < foreigners) {
            run_.AddValidationFinding("war", 1, "1670", "1661", QString::number(contracts));
            run_.AddValidationFinding("war", 1, "1670", "1659", QString::number(foreigners));
        }
    }

    void StepValidationProgress() {
        progress_.accumulator += 1;
        if (progress_.step > 0 && progress_.accumulator > progress_.step) {
            const int increment = int(std::trunc(progress_.accumulator / progress_.step));
            // The stored counts can be short of the real ones: never past 100.
            progress_.position = std::min(100, progress_.position + increment);
            run_.host->SetProgress(progress_.position);
            run_.host->ProcessEvents();
            progress_.accumulator -= increment * progress_.step;
        }
    }

    bool PollValidationStop() {
        return forms::PollStop(*run_.host, gStopRequested);
    }

    void OpenValidationTables() {
        const auto& database = run_.database;
        const bool work = run_.useWorkingTables != 0;
        run_.resp = std::make_unique<db::Table>(database, work ? "te8resp.db" : "BD8Resp.db");
        run_.emp = std::make_unique<db::Table>(database, work ? "te8emp.db" : "BD8Emp.db");
        run_.vinc = std::make_unique<db::Table>(database, work ? "te8vinc.db" : "BD8Vinc");
        // The contract table is the one read at length: only the columns the
        // checks read.
        run_.vinc->SetFieldDefs(critica::ContractFieldsRead());
        run_.resp->Open();
        run_.emp->Open();
        run_.vinc->Open();
        for (const QString& file : kLookupFiles) {
            if (file.compare("TBuf.db", Qt::CaseInsensitive) == 0) continue;
            if (!database->tableExists(file))
                throw db::DbError(db::ErrorKind::NotFound, db::kTableNotFound,
                                  QStringLiteral("Table does not exist.\nTable: %1").arg(database->resolve(file)));
        }
        run_.tbUf = std::make_unique<db::Table>(database, "TBuf.db");
        run_.tbUf->SetIndexName("ISgUf");
        run_.tbUf->Open();
        run_.establishmentGroupQuery = std::make_unique<db::Query>(database);
        run_.duplicateQuery = std::make_unique<db::Query>(database);
        run_.pisIdentityQuery = std::make_unique<db::Query>(database);
        run_.findingsDatabase->dropTable("te8errwa.db");
    }

    ValidationResult CloseValidationTables() {
        if (run_.findingsTransaction) run_.findingsTransaction->commit();
        run_.findings.reset();
        if (gStopRequested.Pending()) return 4;
        return ValidationResult((run_.errorsWritten ? 2 : 0) | (run_.warningsWritten ? 1 : 0));
    }

    ValidationRun run_;
    const std::vector<bool>* list_;
    QString filter_;
    Progress progress_;
};

}  // namespace

ValidationResult ValidateDeclaration(ValidationHost& host, const QString& dataDirectory,
                                     std::uint8_t useWorkingTables, const std::vector<bool>* establishmentList,
                                     const QString& baseYearFilter, std::uint8_t checkResponsible,
                                     std::uint8_t /*reservedFlag*/, std::uint8_t fileAnalysisMode) {
    ValidationRunner runner(host, dataDirectory, useWorkingTables, establishmentList, baseYearFilter,
                            fileAnalysisMode);
    return runner.Run(checkResponsible != 0);
}
