// What the check finds, what the writer writes and what the analyser loads,
// pinned by their digests over two declarations with valid and faulty
// records, the second as varied as real ones, so that work on the speed of
// the store, the check, the writer or the analyser cannot change a byte of
// their results unnoticed. When a result is changed on purpose, the failing
// test prints the new digest to put here.
#include "AnalyserFixture.h"

#include "declfile/DeclarationWriter.h"
#include "declfile/ugAnaliseEstrutura.h"
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "rules/ugCriticaDeclaracao.h"
#include "shell/UdmLobrix.h"
#include "support/DataFolder.h"
#include "support/ValidDeclaration.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <algorithm>
#include <gtest/gtest.h>
#include <string>

namespace {

class QuietValidation : public ValidationHost {
public:
    void SetProgress(int) override {}
    void ProcessEvents() override {}
    bool AskInterrupt() override { return false; }
    void ShowErrorLimit(const QString&) override {}
};

// Valid establishments and contracts, with faults sprinkled over some of
// them, and values at the edges of the store: texts longer than their
// column, trailing blanks, characters outside ASCII.
void SeedMixedDeclaration() {
    valid::RegisterUnionEntities();
    auto database = dmLobrix->dbZuvo;
    db::Transaction tx(*database);
    valid::DeclarationTablesOpen tables(database);
    auto& [resp, emp, vinc] = tables;
    // The person responsible is checked as a file would carry it.
    valid::Append(resp, valid::ResponsibleAsInAFile());
    int serial = 0;
    for (int e = 0; e < 4; ++e) {
        valid::Row est = valid::Establishment(e, 30);
        if (e == 1) est = valid::With(est, {{"CoMunicipio", "9999999"}, {"NoRazaoEstabelecimento", "   "}});
        if (e == 2) est = valid::With(est, {{"NuVinculosEstabelecimento", "000007"}});
        valid::Append(emp, est);
        for (int k = 0; k < 30; ++k) {
            valid::Row c = valid::Contract(est, serial++);
            switch (k % 10) {
            case 1: c = valid::With(c, {{"CoCbo", "999999"}}); break;
            case 2: c = valid::With(c, {{"NoEmpregado", QStringLiteral("JOSÉ  D'ÁVILA   ")}}); break;
            case 3: c = valid::With(c, {{"DaNascimentoEmpregado", "31021980"}}); break;
            case 4: c = valid::With(c, {{"CoNacionalidade", "20"}}); break;
            case 5:
                c = valid::With(c, {{"NoEmpregado", QStringLiteral("NOME MUITO COMPRIDO QUE PASSA DA LARGURA DA "
                                                                   "COLUNA DO NOME DO EMPREGADO")}});
                break;
            case 6: c = valid::With(c, {{"VaMarcoEmpregado", "00A150000"}, {"CoCausaDesligamento", "11"}}); break;
            default: break;
            }
            valid::Append(vinc, c);
        }
    }
    tx.commit();
}

// The varied declaration with faults of its own besides those above: a
// contract repeating another's PIS/PASEP, admission, dismissal and
// occupation in its own establishment and in another, a PIS/PASEP given two
// names, a dismissal with pay after it, a code no table has, a text for the
// company's use, worked hours and leaves, some of them wrong, a year paid
// below the minimum wage and the contract salary, a union number of its own.
void SeedVariedDeclaration() {
    valid::RegisterUnionEntities();
    const valid::Variety variety;
    auto database = dmLobrix->dbZuvo;
    db::Transaction tx(*database);
    valid::DeclarationTablesOpen tables(database);
    auto& [resp, emp, vinc] = tables;
    valid::Append(resp, valid::ResponsibleAsInAFile());
    // The same person in the same job from the same day: only the register number differs.
    const auto same = [](const valid::Row& c, const valid::Row& as) {
        valid::Row copy = as;
        copy["NuSequencialRegistro"] = c["NuSequencialRegistro"];
        for (const char* key : {"AnBase", "CoCgcCeiEstabelecimento", "NuPrefixoEstabelecimento"}) copy[key] = c[key];
        return copy;
    };
    valid::Row first;
    int serial = 0;
    for (int e = 0; e < 4; ++e) {
        const valid::Row est = variety.Establishment(e, 40);
        valid::Append(emp, est);
        valid::Row previous;
        for (int k = 0; k < 40; ++k) {
            valid::Row c = variety.Contract(est, serial++);
            switch (k % 10) {
            case 1: c = same(c, previous); break;
            case 2:
                if (e > 0 && k == 2) c = same(c, first);
                break;
            case 3: c = valid::With(c, {{"CoPisPasepEmpregado", previous["CoPisPasepEmpregado"]}}); break;
            case 4:
                c = valid::With(c, {{"DaDesligamentoEmpregado", "1506"}, {"CoCausaDesligamento", "11"}});
                break;
            case 5: c = valid::With(c, {{"NoEmpregado", QStringLiteral("JOSÉ  D'ÁVILA   ")}}); break;
            case 6: c = valid::With(c, {{"CoCbo", "999999"}, {"CoMunicipioTrabalho", "9999999"}}); break;
            case 7: c = valid::With(c, {{"VaMarcoEmpregado", "00A150000"}, {"TxUsoEmpregado", "USO INTERNO"}}); break;
            case 8:
                c = valid::With(c, {{"HoTrabalhadasMarco", "120"},
                                    {"CoMotivoPrimAfas", "10"},
                                    {"DaInicioprimeiroAfas", "0503"},
                                    {"DaFinalPrimeiroAfas", "2003"},
                                    {"QtDiasAfas", "015"}});
                break;
            case 9:
                c = valid::With(c, {{"HoTrabalhadasAbril", "040"},
                                    {"VaAbrilEmpregado", "000000000"},
                                    {"CoMotivoSeguAfas", "20"},
                                    {"DaInicioSegundoAfas", "2003"},
                                    {"DaFinalSegundoAfas", "0503"},
                                    {"QtDiasAfas", "000"}});
                break;
            default:
                if (k == 20) c["CoCNPJSindical"] = "12345678000199";  // a union number of its own, wrong
                if (k == 10) {
                    // Paid below the minimum wage and the contract salary all year.
                    c["CoTipoSalarioContratual"] = "1";
                    c["VaSalContratualEmpregado"] = "000090000";
                    for (const char* month : {"Janeiro", "Fevereiro", "Marco", "Abril", "Maio", "Junho", "Julho",
                                              "Agosto", "Setembro", "Outubro", "Novembro", "Dezembro"})
                        c[QStringLiteral("Va%1Empregado").arg(QLatin1String(month))] = "000040000";
                }
                break;
            }
            if (e == 0 && k == 0) first = c;
            valid::Append(vinc, c);
            previous = c;
        }
    }
    tx.commit();
}

// Every row of a table in key order, every column, as one digest. A run's
// findings are numbered on from the run before it in the same program, so
// their sequence is left out: it depends on what ran earlier in this process.
std::string TableDigest(const QString& dataFolder, const QString& table) {
    QCryptographicHash hash(QCryptographicHash::Md5);
    db::Table t(db::Database::forFolder(dataFolder), table);
    t.Open();
    int rows = 0;
    for (t.First(); !t.Eof(); t.Next(), ++rows) {
        for (int i = 0; i < t.FieldCount(); ++i) {
            if (t.Fields(i).FieldName() == QLatin1String("Sequencial")) continue;
            hash.addData(t.Fields(i).FieldName().toUtf8());
            hash.addData(QByteArrayView("="));
            hash.addData(t.Fields(i).AsString().toUtf8());
            hash.addData(QByteArrayView("\x1f"));
        }
        hash.addData(QByteArrayView("\n"));
    }
    return std::to_string(rows) + ':' + hash.result().toHex().toStdString();
}

TEST(OutputsUnchangedTest, FindingsWrittenBytesAndLoadedRowsKeepTheirDigests) {
    TempProgramWithModules program;
    QDir().mkpath(program.path() + QStringLiteral("Transmite"));
    const QString dados = program.dataFolder();
    SeedMixedDeclaration();

    QuietValidation host;
    const ValidationResult checked = ValidateDeclaration(host, dados, 0, nullptr, QString(), 1, 0, 0);
    EXPECT_EQ(int(checked), 2);
    EXPECT_EQ(TableDigest(dados, QStringLiteral("te8errwa.db")), "98:9827eb0ad2c53c577ca052d158334d4c");
    {
        // The run's own findings are numbered one after another.
        db::Table errors(db::Database::forFolder(dados), QStringLiteral("te8errwa.db"));
        errors.Open();
        QList<int> sequence;
        for (errors.First(); !errors.Eof(); errors.Next())
            sequence << errors.FieldByName(QStringLiteral("Sequencial")).AsString().toInt();
        std::sort(sequence.begin(), sequence.end());
        for (int i = 1; i < sequence.size(); ++i) EXPECT_EQ(sequence[i], sequence[i - 1] + 1);
    }

    const QByteArray written = analyserfixture::WriteFile(dados, false);
    EXPECT_EQ(std::to_string(written.size()) + ':' +
                  QCryptographicHash::hash(written, QCryptographicHash::Md5).toHex().toStdString(),
              "69552:64456e9af0a1804c91a744ef1c8a5b1c");

    const analyserfixture::Outcome loaded = analyserfixture::AnalyseBytes(dados, written);
    EXPECT_EQ(loaded.result, declfile::kAnaliseSemErro);
    EXPECT_EQ(TableDigest(dados, QStringLiteral("Te8resp.db")), "1:eabcef54edd1835e9ab59de86cd5c59a");
    EXPECT_EQ(TableDigest(dados, QStringLiteral("Te8emp.db")), "4:2a07b98ee8905792db11e305aabd387a");
    EXPECT_EQ(TableDigest(dados, QStringLiteral("Te8vinc.db")), "120:d874c070df663da036c0ebe863006738");
}

TEST(OutputsUnchangedTest, VariedDeclarationKeepsItsDigestsInBothTablesets) {
    TempProgramWithModules program;
    QDir().mkpath(program.path() + QStringLiteral("Transmite"));
    const QString dados = program.dataFolder();
    SeedVariedDeclaration();

    QuietValidation host;
    EXPECT_EQ(int(ValidateDeclaration(host, dados, 0, nullptr, QString(), 1, 0, 0)), 3);
    EXPECT_EQ(TableDigest(dados, QStringLiteral("te8errwa.db")), "1095:689742611a96bf5e8e0383f8f8cf6f60");

    const QByteArray written = analyserfixture::WriteFile(dados, false);
    EXPECT_EQ(std::to_string(written.size()) + ':' +
                  QCryptographicHash::hash(written, QCryptographicHash::Md5).toHex().toStdString(),
              "91632:92b90617939d1874072d3441e9d2937a");
    const analyserfixture::Outcome loaded = analyserfixture::AnalyseBytes(dados, written);
    EXPECT_EQ(loaded.result, declfile::kAnaliseSemErro);
    EXPECT_EQ(TableDigest(dados, QStringLiteral("Te8emp.db")), "4:08bb1ffa7ebcd0729b820a476bcd2220");
    EXPECT_EQ(TableDigest(dados, QStringLiteral("Te8vinc.db")), "160:b1ca005d9cf42bd8e044766d1b597bdb");

    // The analysis wizard's check, over the rows just loaded.
    EXPECT_EQ(int(ValidateDeclaration(host, dados, 1, nullptr, QString(), 1, 0, 1)), 3);
    EXPECT_EQ(TableDigest(dados, QStringLiteral("te8errwa.db")), "1180:5c60b816f5ea9b94d181577bc7c80234");
}

}  // namespace
