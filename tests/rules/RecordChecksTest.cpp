#include "rules/ugCriticaDeclaracao.h"
#include "rules/ugCriticaRegras.h"
#include "shell/UdmLobrix.h"
#include "support/DataFolder.h"
#include "support/ValidDeclaration.h"

#include <QFile>
#include <gtest/gtest.h>
#include <ostream>

#if LOBRIX_CRITICA_REGRAS

namespace {

struct Row {
    QString kind, type, result, label, content, inscricao, pis;
};

std::ostream& operator<<(std::ostream& os, const Row& r) {
    return os << r.kind.toStdString() << " t" << r.type.toStdString() << " " << r.result.toStdString() << " "
              << r.label.toStdString() << " [" << r.content.toStdString() << "]";
}

class QuietHost : public ValidationHost {
public:
    void SetProgress(int) override {}
    void ProcessEvents() override {}
    bool AskInterrupt() override { return true; }
    void ShowErrorLimit(const QString&) override { ++limitBoxes; }
    int limitBoxes = 0;
};

class RecordChecksTest : public ::testing::Test {
protected:
    void SetUp() override { valid::RegisterUnionEntities(); }

    void Write(const valid::Row& resp, const QList<valid::Row>& establishments, const QList<valid::Row>& contracts) {
        auto database = dmLobrix->dbZuvo;
        db::Table r(database, "BD8Resp.db"), e(database, "BD8Emp.db"), v(database, "BD8Vinc.db");
        r.Open();
        e.Open();
        v.Open();
        r.EmptyTable();
        e.EmptyTable();
        v.EmptyTable();
        valid::Append(r, resp);
        for (const auto& row : establishments) valid::Append(e, row);
        for (const auto& row : contracts) valid::Append(v, row);
    }

    ValidationResult Run(std::uint8_t checkResponsible = 1, std::uint8_t fileMode = 0) {
        return ValidateDeclaration(host, program.dataFolder(), 0, nullptr, QString(), checkResponsible, 0, fileMode);
    }

    QList<Row> Findings() {
        QList<Row> out;
        if (!dmLobrix->dbZuvo->tableExists("te8errwa.db")) return out;
        db::Table t(dmLobrix->dbZuvo, "te8errwa.db");
        t.Open();
        for (t.First(); !t.Eof(); t.Next())
            out << Row{t.FieldByName("errwar").AsString(),    t.FieldByName("tiporegistro").AsString(),
                       t.FieldByName("retorno").AsString(),   t.FieldByName("lbl").AsString(),
                       t.FieldByName("Conteudo").AsString(),  t.FieldByName("inscricao").AsString(),
                       t.FieldByName("copispasep").AsString()};
        return out;
    }

    static QString Dump(const QList<Row>& rows) {
        QString s;
        for (const Row& r : rows)
            s += QStringLiteral("%1 t%2 %3 %4 [%5]\n").arg(r.kind, r.type, r.result, r.label, r.content);
        return s;
    }

    TempProgramWithModules program;
    QuietHost host;
};

TEST_F(RecordChecksTest, ACleanDeclarationHasNoFindings) {
    const valid::Row est = valid::Establishment(0, 3);
    Write(valid::Responsible(), {est}, {valid::Contract(est, 0), valid::Contract(est, 1), valid::Contract(est, 2)});
    EXPECT_EQ(Run(), 0) << Dump(Findings()).toStdString();
    EXPECT_FALSE(QFile::exists(program.dataFolder() + "/te8errwa.db"));
}

// One field broken at a time: the finding's result, label and kind.
struct BrokenField {
    int recordType;  // 0 responsible, 1 establishment, 2 contract
    const char* field;
    const char* value;
    const char* result;
    const char* label;
    const char* kind;
};

std::ostream& operator<<(std::ostream& os, const BrokenField& b) {
    return os << "t" << b.recordType << " " << b.field << "=[" << b.value << "]";
}

class BrokenFieldTest : public RecordChecksTest, public ::testing::WithParamInterface<BrokenField> {};

TEST_P(BrokenFieldTest, GivesItsFinding) {
    const BrokenField& b = GetParam();
    const valid::Row over{{b.field, b.value}};
    valid::Row resp = valid::Responsible();
    valid::Row est = valid::Establishment(0, 2);
    if (b.recordType == 0) resp = valid::With(resp, over);
    if (b.recordType == 1) est = valid::With(est, over);
    valid::Row first = valid::Contract(est, 0);
    if (b.recordType == 2) first = valid::With(first, over);
    Write(resp, {est}, {first, valid::Contract(est, 1)});
    Run();
    const QList<Row> rows = Findings();
    bool found = false;
    for (const Row& r : rows)
        found = found || (r.type == QString::number(b.recordType) && r.result == QLatin1String(b.result) &&
                          r.label == QLatin1String(b.label) && r.kind == QLatin1String(b.kind));
    EXPECT_TRUE(found) << Dump(rows).toStdString();
}

INSTANTIATE_TEST_SUITE_P(Cases, BrokenFieldTest, ::testing::Values(
    BrokenField{2, "CoPisPasepEmpregado", "12345678901", "0000", "1624", "err"}
));

}  // namespace

#endif
