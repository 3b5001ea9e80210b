#include "rules/ugCriticaDeclaracao.h"
#include "shell/UdmLobrix.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/ValidDeclaration.h"

#include <QFile>
#include <functional>
#include <gtest/gtest.h>

namespace {

class RecordingHost : public ValidationHost {
public:
    void SetProgress(int position) override { positions.push_back(position); }
    void ProcessEvents() override {
        ++pumps;
        if (onPump) onPump(pumps);
    }
    bool AskInterrupt() override {
        ++questions;
        return answerYes;
    }
    void ShowErrorLimit(const QString&) override { ++limitBoxes; }

    std::vector<int> positions;
    int pumps = 0;
    int questions = 0;
    int limitBoxes = 0;
    bool answerYes = true;
    std::function<void(int)> onPump;
};

struct Finding {
    QString kind, type, result, label, content, inscricao, sequencial;
};

class ValidationRunTest : public ::testing::Test {
protected:
    // Valid records, so that only the run's own findings appear.
    void addEstablishment(const QString& year, const QString& inscricao, const QString& decl, int contracts,
                          int foreigners, const QString& storedCount = QString()) {
        valid::RegisterUnionEntities();
        db::Table emp(dmLobrix->dbZuvo, "Bd8emp.DB");
        emp.Open();
        const valid::Row est = valid::With(
            valid::Establishment(0, contracts),
            {{"AnBase", year}, {"CoCgcCeiEstabelecimento", inscricao}, {"InZuvoNegEstabelecimento", decl},
             {"NuEstrangeirosEstabelec", QString::number(foreigners)},
             {"NuVinculosEstabelecimento", storedCount.isNull() ? QString::number(contracts) : storedCount}});
        valid::Append(emp, est);
        db::Table vinc(dmLobrix->dbZuvo, "Bd8vinc.DB");
        vinc.Open();
        for (int i = 0; i < contracts; ++i) {
            valid::Row c = valid::Contract(est, serial++);
            if (i < foreigners) c = valid::With(c, {{"CoNacionalidade", "20"}, {"AnChegadaEmpregado", "1995"}});
            valid::Append(vinc, c);
        }
    }
    static QString cnpj(int n) { return valid::EstablishmentCnpj(n); }
    ValidationResult run(const std::vector<bool>* list = nullptr, const QString& filter = QString()) {
        return ValidateDeclaration(host, program.dataFolder(), 0, list, filter, 0, 0, 0);
    }
    QList<Finding> findings() {
        QList<Finding> out;
        if (!dmLobrix->dbZuvo->tableExists("te8errwa.db")) return out;
        db::Table t(dmLobrix->dbZuvo, "te8errwa.db");
        t.Open();
        for (t.First(); !t.Eof(); t.Next())
            out << Finding{t.FieldByName("errwar").AsString(),  t.FieldByName("tiporegistro").AsString(),
                           t.FieldByName("retorno").AsString(), t.FieldByName("lbl").AsString(),
                           t.FieldByName("Conteudo").AsString(), t.FieldByName("inscricao").AsString(),
                           t.FieldByName("Sequencial").AsString()};
        return out;
    }
    TempProgramWithModules program;
    RecordingHost host;
    int serial = 0;
};

TEST_F(ValidationRunTest, ACleanDeclarationLeavesNoFindingsTable) {
    addEstablishment("2009", cnpj(11), "0", 3, 0);
    EXPECT_EQ(run(), 0);
    EXPECT_FALSE(QFile::exists(program.dataFolder() + "/te8errwa.db"));
    EXPECT_EQ(host.positions.back(), 100);
}

TEST_F(ValidationRunTest, SummaryChecksOfAnEstablishment) {
    addEstablishment("2009", cnpj(11), "0", 0, 0);   // employees declared, none listed
    addEstablishment("2009", cnpj(22), "0", 5, 2);   // 5 contracts, 2 foreigners: warning
    addEstablishment("2009", cnpj(33), "0", 4, 4);   // 4 contracts: never a warning
    addEstablishment("2009", cnpj(44), "1", 0, 0);   // without employees: fine
    EXPECT_EQ(run(), 3);
    const auto rows = findings();
    ASSERT_EQ(rows.size(), 4);
    EXPECT_EQ(rows[0].kind, "err");
    EXPECT_EQ(rows[0].result, "1673");
    EXPECT_EQ(rows[0].label, "1661");
    EXPECT_EQ(rows[0].content, "0");
    EXPECT_EQ(rows[1].label, "1622");
    EXPECT_EQ(rows[1].inscricao, cnpj(11));
    EXPECT_EQ(rows[2].kind, "war");
    EXPECT_EQ(rows[2].result, "1670");
    EXPECT_EQ(rows[2].content, "5");
    EXPECT_EQ(rows[3].label, "1659");
    EXPECT_EQ(rows[3].content, "2");
    EXPECT_EQ(rows[3].inscricao, cnpj(22));
}

TEST_F(ValidationRunTest, OnlyWarningsGiveOne) {
    addEstablishment("2009", cnpj(22), "0", 5, 2);
    EXPECT_EQ(run(), 1);
    EXPECT_EQ(findings().size(), 2);
}

TEST_F(ValidationRunTest, SelectionCountsOnlyEstablishmentsThatPassTheFilter) {
    addEstablishment("2008", cnpj(10), "0", 0, 0);
    addEstablishment("2009", cnpj(11), "0", 0, 0);
    addEstablishment("2009", cnpj(22), "0", 0, 0);
    addEstablishment("2010", cnpj(33), "0", 0, 0);
    const std::vector<bool> second = {false, true};
    EXPECT_EQ(run(&second, "2009"), 2);
    const auto rows = findings();
    ASSERT_EQ(rows.size(), 2);
    EXPECT_EQ(rows[0].inscricao, cnpj(22));
    // An empty filter takes every year: the analysis of a file must not skip them.
    // The two of other years also get their base-year finding.
    EXPECT_EQ(run(), 2);
    EXPECT_EQ(findings().size(), 10);
}

TEST_F(ValidationRunTest, TheSequenceCarriesOverRuns) {
    addEstablishment("2009", cnpj(11), "0", 0, 0);
    run();
    const int last = findings().last().sequencial.toInt();
    run();
    EXPECT_EQ(findings().first().sequencial.toInt(), last + 1);
    EXPECT_EQ(findings().first().sequencial.size(), 6);
}

TEST_F(ValidationRunTest, InterruptionAnsweredYesEndsWithFourAndNoGoesOn) {
    addEstablishment("2009", cnpj(11), "0", 0, 0);
    addEstablishment("2009", cnpj(22), "0", 0, 0);
    host.onPump = [](int n) { if (n == 1) RequestValidationStop(); };
    host.answerYes = true;
    EXPECT_EQ(run(), 4);
    EXPECT_EQ(host.questions, 1);

    RecordingHost again;
    again.onPump = [](int n) { if (n == 1) RequestValidationStop(); };
    again.answerYes = false;
    EXPECT_EQ(ValidateDeclaration(again, program.dataFolder(), 0, nullptr, QString(), 0, 0, 0), 2);
    EXPECT_EQ(again.questions, 1);
    EXPECT_EQ(findings().size(), 4);
}

TEST_F(ValidationRunTest, ProgressNeverPassesOneHundredWhenStoredCountsFallShort) {
    addEstablishment("2009", cnpj(11), "0", 300, 0, "1");
    addEstablishment("2009", cnpj(22), "0", 3, 0, "X");
    run();
    ASSERT_FALSE(host.positions.empty());
    for (int p : host.positions) {
        EXPECT_GE(p, 0);
        EXPECT_LE(p, 100);
    }
    EXPECT_EQ(host.positions.back(), 100);
}

TEST_F(ValidationRunTest, AMissingTablePassesOutAsAnEngineError) {
    dmLobrix->tbTrab.Close();
    dmLobrix->dbZuvo->dropTable("tbTrab.db");
    EXPECT_THROW(run(), db::DbError);
    EXPECT_THROW(ValidateDeclaration(host, program.dataFolder(), 1, nullptr, QString(), 1, 0, 1), db::DbError);
}

}  // namespace
