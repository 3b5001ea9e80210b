// A clean analysis: what the working tables hold, the round trip through the
// writer, other line ends, the previous year's layout, interruption and a
// copy that fails.
#include "AnalyserFixture.h"

#include "declfile/MainWindowState.h"
#include "declfile/RecordReader.h"
#include "declfile/ugAnaliseEstrutura2009.h"
#include "declfile/ugEstrutura.h"

#include "support/CrashChild.h"
#include "support/DataFolder.h"
#include "support/NextStart.h"
#include "support/ScriptedMessages.h"
#include "support/SmallDisk.h"

#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "shell/UdmLobrix.h"
#include "shell/ufmLOBRIX.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProgressBar>
#include <QTemporaryDir>
#include <gtest/gtest.h>
#include <sys/stat.h>

using namespace analyserfixture;

namespace {

const QByteArray kKeyA = "1122233300018100";

// Reads one row of a working table by a column's value.
QMap<QString, QString> RowWhere(const QString& dataFolder, const QString& table, const QString& column,
                                const QString& value) {
    QMap<QString, QString> out;
    db::Table t(db::Database::forFolder(dataFolder), table);
    t.Open();
    for (t.First(); !t.Eof(); t.Next()) {
        if (t.FieldByName(column).AsString() != value) continue;
        for (int i = 0; i < t.FieldCount(); ++i) out.insert(t.Fields(i).FieldName(), t.Fields(i).AsString());
        break;
    }
    t.Close();
    return out;
}

int RowCount(const QString& dataFolder, const QString& table) {
    db::Table t(db::Database::forFolder(dataFolder), table);
    t.Open();
    const int n = t.RecordCount();
    t.Close();
    return n;
}

QString LookupText(db::Table& table, const QString& code, const QString& column) {
    return table.FindKey({code}) ? table.FieldByName(column).AsString() : QStringLiteral("<none>");
}

}  // namespace

class AnalyserLoad : public ::testing::Test {
protected:
    void SetUp() override {
        SeedDeclaration(program.dataFolder());
        valid = WriteFile(program.dataFolder(), false);
        ASSERT_EQ(valid.size(), 9 * 552);
    }
    QString data() const { return program.dataFolder(); }
    QMap<QString, QString> emp(const QString& inscricao) {
        return RowWhere(data(), "Te8emp.db", "CoCgcCeiEstabelecimento", inscricao);
    }
    QMap<QString, QString> vinc(const QString& pis) { return RowWhere(data(), "Te8vinc.db", "CoPisPasepEmpregado", pis); }

    QByteArray previousYearFile() const { return PreviousYearFile(valid); }

    // The valid file with `extra` more contracts of establishment C, so that
    // it spans several refills of the read buffer.
    QByteArray fileWithContracts(int extra) const {
        QByteArray f = valid.left(8 * 552);
        const QByteArray model = RecordOf(valid, 8);
        for (int i = 0; i < extra; ++i) {
            QByteArray rec = model;
            rec.replace(23, 11, QByteArray::number(20000000000LL + i));
            f += rec;
        }
        const int records = 9 + extra;
        for (int r = 1; r <= 8 + extra; ++r) Put(f, r, 1, QByteArray::number(r).rightJustified(6, '0'));
        QByteArray trailer = RecordOf(valid, 9);
        trailer.replace(0, 6, QByteArray::number(records).rightJustified(6, '0'));
        trailer.replace(29, 6, QByteArray::number(4 + extra).rightJustified(6, '0'));
        return f + trailer;
    }

    TempProgramWithModules program;
    QByteArray valid;
};

TEST_F(AnalyserLoad, CleanFileFillsTheWorkingTables) {
    TestHost host;
    AnalyseOptions options;
    options.host = &host;
    const Outcome o = AnalyseBytes(data(), valid, options);
    EXPECT_EQ(o.result, declfile::kAnaliseSemErro);
    EXPECT_EQ(o.establishments, 3);
    EXPECT_EQ(o.contracts, 4);
    EXPECT_TRUE(ReadFindings(data()).isEmpty());
    EXPECT_FALSE(QFile::exists(QDir(data()).filePath(declfile::kAnalysisCopyName)));
    EXPECT_EQ(RowCount(data(), "Te8emp.db"), 3);
    EXPECT_EQ(RowCount(data(), "Te8vinc.db"), 4);
    EXPECT_EQ(RowCount(data(), "Te8resp.db"), 1);

    // Counts of contracts and of foreign employees, written when the next
    // establishment or the trailer is read.
    EXPECT_EQ(emp(kInscricaoA).value("NuVinculosEstabelecimento"), "000003");
    EXPECT_EQ(emp(kInscricaoA).value("NuEstrangeirosEstabelec"), "00002");
    EXPECT_EQ(emp(kInscricaoB).value("NuVinculosEstabelecimento"), "000000");
    EXPECT_EQ(emp(kInscricaoB).value("NuEstrangeirosEstabelec"), "00000");
    EXPECT_EQ(emp(kInscricaoC).value("NuVinculosEstabelecimento"), "000001");

    const auto a = emp(kInscricaoA);
    EXPECT_EQ(a.value("AnBase"), "2009");
    EXPECT_EQ(a.value("NuSequencialRegistro"), "000002");
    EXPECT_EQ(a.value("NoRazaoEstabelecimento"), "COMERCIO ALFA LTDA");
    EXPECT_EQ(a.value("TxEmailEstabelecimento"), "RH@EMPRESA.COM.BR");
    EXPECT_EQ(a.value("CoCgcVinculado"), "00000000000000");
    EXPECT_EQ(a.value("InPorte"), "3");
    EXPECT_EQ(a.value("VaGlobalSindical"), "000054321");
    EXPECT_EQ(a.value("TxtCnae"), LookupText(dmLobrix->taCNAE, "0111301", "NoCnae").trimmed());
    EXPECT_EQ(a.value("TxtNatJur"), LookupText(dmLobrix->taNatJu, "2062", "NoNaturezaJuridica"));
    EXPECT_FALSE(a.value("TxtCnae").isEmpty());

    const auto maria = vinc("10000000001");
    EXPECT_EQ(maria.value("NoEmpregado"), QStringLiteral("MARIA JOSÉ DE SOUZA"));
    EXPECT_EQ(maria.value("AnBase"), "2009");
    EXPECT_EQ(maria.value("NuSequencialRegistro"), "000003");
    EXPECT_EQ(maria.value("CoCgcVinculado"), "00000000000000");
    EXPECT_EQ(maria.value("InInscrEstabelecimento"), "1");
    EXPECT_EQ(maria.value("VaDezembroEmpregado"), "000250000");
    EXPECT_EQ(maria.value("DaDesligamentoEmpregado"), "1511");
    EXPECT_EQ(maria.value("TxtNacionalidade"), LookupText(dmLobrix->taNacionalidade, "10", "NoNacionalidade"));
    EXPECT_EQ(maria.value("TxtCBO"), LookupText(dmLobrix->taCBO, "111105", "NoCbo").left(100));
    EXPECT_EQ(maria.value("NoMunicipioTrabalho"), "SAO PAULO");
    EXPECT_EQ(maria.value("SgUfTrabalho"), "SP");
    EXPECT_EQ(maria.value("TxtSalario"), LookupText(dmLobrix->taSalario, "1", "NoTipoSalarioContratual"));

    const auto resp = RowWhere(data(), "Te8resp.db", "CoCgcCeiResponsavel", "11222333000181");
    EXPECT_EQ(resp.value("NoResponsavelArquivo"), "EMPRESA RESPONSAVEL LTDA");
    EXPECT_EQ(resp.value("NuRespostaPesquisa"), "1234567890123456789012");
    EXPECT_EQ(resp.value("InRetificacao"), "False");
    EXPECT_EQ(resp.value("InReciboParaRespArquivo"), "True");
    EXPECT_EQ(resp.value("DaGeracao"), "15012010");
    EXPECT_EQ(resp.value("DaNascimentoRespArquivo"), "01011970");
    EXPECT_EQ(declfile::CreaDeclaracao(), "000000000000");

    // The bar runs 0 to 100 and never back.
    ASSERT_FALSE(host.positions.isEmpty());
    EXPECT_EQ(host.positions.front(), 0);
    EXPECT_EQ(host.positions.back(), 100);
    EXPECT_TRUE(std::is_sorted(host.positions.begin(), host.positions.end()));
    EXPECT_GE(host.pumps, 9);  // events let through at least once per record
}

// Analysed and written again from the working tables, the file comes back
// byte for byte, except the trailer's column 37 (written from the working
// tables: "2") and its digest, which the writing run itself produces.
TEST_F(AnalyserLoad, RoundTripThroughTheWriterGivesTheSameRecords) {
    ASSERT_EQ(AnalyseBytes(data(), valid).result, declfile::kAnaliseSemErro);
    const QByteArray again = WriteFile(data(), true, declfile::CreaDeclaracao());
    ASSERT_EQ(again.size(), valid.size());
    const qsizetype trailer = 8 * 552;
    for (qsizetype i = 0; i < valid.size(); ++i) {
        const int column = int(i % 552) + 1;
        const bool runField = i >= trailer && (column == 37 || (column >= 519 && column <= 550));
        if (runField) continue;
        ASSERT_EQ(valid.at(i), again.at(i)) << "record " << i / 552 + 1 << " column " << column;
    }
    EXPECT_EQ(valid.at(trailer + 36), '1');
    EXPECT_EQ(again.at(trailer + 36), '2');
}

TEST_F(AnalyserLoad, KeepCopyLeavesTheCopyInTheDataFolder) {
    AnalyseOptions options;
    options.keepCopy = true;
    ASSERT_EQ(AnalyseBytes(data(), valid, options).result, declfile::kAnaliseSemErro);
    QFile copy(QDir(data()).filePath(declfile::kAnalysisCopyName));
    ASSERT_TRUE(copy.open(QIODevice::ReadOnly));
    EXPECT_EQ(copy.readAll(), valid);
}

TEST_F(AnalyserLoad, OtherLineEndsReadAlike) {
    for (const QByteArray& end : {QByteArray("\n\r"), QByteArray("\r"), QByteArray("\n"), QByteArray()}) {
        SCOPED_TRACE(end.toHex().toStdString());
        const Outcome o = AnalyseBytes(data(), WithLineEnds(valid, end));
        EXPECT_EQ(o.result, declfile::kAnaliseSemErro);
        EXPECT_EQ(o.establishments, 3);
        EXPECT_EQ(o.contracts, 4);
        EXPECT_EQ(emp(kInscricaoA).value("NuVinculosEstabelecimento"), "000003");
    }
}

TEST_F(AnalyserLoad, EndOfFileMarkAfterTheTrailerEndsNormally) {
    EXPECT_EQ(AnalyseBytes(data(), valid + "\x1A").result, declfile::kAnaliseSemErro);
    // Anything longer than one record after the trailer is data.
    EXPECT_EQ(AnalyseBytes(data(), valid + "\x1A" + QByteArray(552, ' ')).result, declfile::kAnaliseComErro);
}

// Many records: the read buffer is refilled in the middle of records, with a
// step (551) that never divides the buffer.
TEST_F(AnalyserLoad, LongFileAcrossBufferRefills) {
    const QByteArray big = fileWithContracts(200);
    for (const QByteArray& end : {QByteArray("\r\n"), QByteArray("\r")}) {
        SCOPED_TRACE(end.toHex().toStdString());
        const QByteArray file = end.size() == 2 ? big : WithLineEnds(big, end);
        ASSERT_GT(file.size(), 3 * 32767);
        const Outcome o = AnalyseBytes(data(), file);
        EXPECT_EQ(o.result, declfile::kAnaliseSemErro);
        EXPECT_EQ(o.contracts, 204);
        EXPECT_EQ(emp(kInscricaoC).value("NuVinculosEstabelecimento"), "000201");
        EXPECT_EQ(vinc("20000000199").value("NuSequencialRegistro"), "000208");
    }
    // A finding far into the file names the right record.
    QByteArray bad = big;
    Put(bad, 120, 23, "7");
    EXPECT_EQ(AnalyseBytes(data(), bad).result, declfile::kAnaliseComErro);
    const auto rows = ReadFindings(data());
    ASSERT_EQ(rows.size(), 1);
    EXPECT_EQ(rows[0].coMsg, "1921");
    EXPECT_EQ(rows[0].sequencia, "000120");
}

TEST_F(AnalyserLoad, AmendmentMarkInTheHeader) {
    struct {
        char mark;
        int result;
    } cases[] = {{'x', declfile::kAnaliseRetificacao},
                 {'1', declfile::kAnaliseRetificacao},
                 {'X', declfile::kAnaliseRetificacao},
                 {'2', declfile::kAnaliseSemErro},
                 {' ', declfile::kAnaliseSemErro}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.mark);
        QByteArray f = valid;
        Put(f, 1, 223, QByteArray(1, c.mark));
        EXPECT_EQ(AnalyseBytes(data(), f).result, c.result);
        const auto resp = RowWhere(data(), "Te8resp.db", "CoCgcCeiResponsavel", "11222333000181");
        EXPECT_EQ(resp.value("InRetificacao"), c.result == declfile::kAnaliseRetificacao ? "True" : "False");
    }
    // A finding outranks the mark.
    QByteArray f = valid;
    Put(f, 1, 223, "1");
    Put(f, 9, 24, "000009");
    EXPECT_EQ(AnalyseBytes(data(), f).result, declfile::kAnaliseComErro);
}

TEST_F(AnalyserLoad, CreaOfTheHeaderReachesTheMainWindow) {
    QByteArray f = valid;
    Put(f, 1, 372, "123456789012");
    ASSERT_EQ(AnalyseBytes(data(), f).result, declfile::kAnaliseSemErro);
    EXPECT_EQ(declfile::CreaDeclaracao(), "123456789012");
}

TEST_F(AnalyserLoad, ProgressBarOfTheFormRunsToTheEnd) {
    QTemporaryDir dir;
    const QString path = dir.filePath("Zuvo.dec");
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly));
    f.write(valid);
    f.close();
    QProgressBar bar;
    bar.setRange(5, 7);
    declfile::TAnaliseEstrutura analyser;
    int establishments = 0, contracts = 0;
    {
        // The host shows the exact end when it goes, as a window's does after the run.
        forms::ProgressBarHost host(&bar);
        EXPECT_EQ(analyser.AnalyseFile(path, 2009, host, data(), false, establishments, contracts, false),
                  declfile::kAnaliseSemErro);
    }
    EXPECT_EQ(bar.minimum(), 0);
    EXPECT_EQ(bar.maximum(), 100);
    EXPECT_EQ(bar.value(), 100);
    EXPECT_EQ(contracts, 4);
}

TEST_F(AnalyserLoad, CreaIsSetOnTheMainWindowWhenThereIsOne) {
    TfmLOBRIX window;
    fmLOBRIX = &window;
    QByteArray f = valid;
    Put(f, 1, 372, "987654321098");
    const int result = AnalyseBytes(data(), f).result;
    fmLOBRIX = nullptr;
    EXPECT_EQ(result, declfile::kAnaliseSemErro);
    EXPECT_EQ(window.CreaDeclaracao, "987654321098");
}

TEST_F(AnalyserLoad, EstablishmentIndicatorsAreNormalised) {
    struct {
        int column;
        const char* byte;
        const char* field;
        const char* stored;
    } cases[] = {
        {299, "5", "InPorte", ""},         {299, "4", "InPorte", "4"},
        {301, "x", "InParticipaPAT", "1"}, {301, "Z", "InParticipaPAT", "Z"},
        {301, " ", "InParticipaPAT", "2"}, {301, "q", "InParticipaPAT", "Q"},
        {300, "x", "InOptanteSimples", "1"}, {300, " ", "InOptanteSimples", "2"},
        {332, "x", "InEncerramentoAtividade", "1"}, {332, "7", "InEncerramentoAtividade", "2"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(std::string(c.field) + " " + c.byte);
        QByteArray f = valid;
        Put(f, 2, c.column, c.byte);
        ASSERT_EQ(AnalyseBytes(data(), f).result, declfile::kAnaliseSemErro);
        EXPECT_EQ(emp(kInscricaoA).value(c.field), c.stored);
    }
}

TEST_F(AnalyserLoad, LinkedCeiGetsItsLeadingZeros) {
    QByteArray f = valid;
    Put(f, 2, 281, "  123456789012");
    ASSERT_EQ(AnalyseBytes(data(), f).result, declfile::kAnaliseSemErro);
    EXPECT_EQ(emp(kInscricaoA).value("CoCgcVinculado"), "00123456789012");
    EXPECT_EQ(vinc("10000000002").value("CoCgcVinculado"), "00123456789012");
    EXPECT_EQ(emp(kInscricaoB).value("CoCgcVinculado"), "00000000000000");
}

TEST_F(AnalyserLoad, UnknownCodesLeaveTheDescriptionsEmpty) {
    QByteArray f = valid;
    Put(f, 3, 95, "77");       // nationality
    Put(f, 3, 495, "9999999");  // municipality, state 99
    ASSERT_EQ(AnalyseBytes(data(), f).result, declfile::kAnaliseSemErro);
    const auto row = vinc("10000000001");
    EXPECT_EQ(row.value("CoNacionalidade"), "77");
    EXPECT_EQ(row.value("TxtNacionalidade"), "");
    EXPECT_EQ(row.value("NoMunicipioTrabalho"), "");
    EXPECT_EQ(row.value("SgUfTrabalho"), "");
    EXPECT_EQ(emp(kInscricaoA).value("NuEstrangeirosEstabelec"), "00003");
}

// Many codes in one file: a lookup is then read whole instead of asked code
// by code, and each description must be the one the code's own query gives,
// for codes it knows, codes it does not, and codes with blanks.
TEST_F(AnalyserLoad, ManyCodesFindTheDescriptionsTheirOwnQueriesFind) {
    declfile::TLayoutDescriptors layout;
    declfile::LoadLayout2009(layout);
    const declfile::TArquivo& cbo = layout.Tipo2.Slot(19);
    const declfile::TArquivo& municipality = layout.Tipo2.Slot(73);
    QByteArrayList cbos, municipalities;
    for (dmLobrix->taCBO.First(); !dmLobrix->taCBO.Eof() && cbos.size() < 90; dmLobrix->taCBO.Next())
        cbos << dmLobrix->taCBO.FieldByName("CoCbo").AsString().toLatin1();
    for (dmLobrix->taMunicipio.First(); !dmLobrix->taMunicipio.Eof() && municipalities.size() < 90;
         dmLobrix->taMunicipio.Next())
        municipalities << dmLobrix->taMunicipio.FieldByName("CoMunicipio").AsString().toLatin1();
    ASSERT_EQ(cbos.size(), 90);
    ASSERT_EQ(municipalities.size(), 90);
    // Known codes, unknown ones, a code with blanks at either end, and one shortened.
    cbos << "999999" << "000000" << " " + cbos[3].left(5) << cbos[4].left(5) + " ";
    municipalities << "9999999" << "0000000" << municipalities[5].left(6) + " " << " " + municipalities[6].left(6);
    // Municipalities of many states, so that the states are read whole too.
    for (int state = 10; state < 60; ++state) {
        cbos << cbos[state];
        municipalities << QByteArray::number(state) + "00001";
    }
    const int n = int(cbos.size());
    QByteArray f = fileWithContracts(n);
    for (int i = 0; i < n; ++i) {
        Put(f, 9 + i, cbo.Start, cbos[i].leftJustified(cbo.Length, ' '));
        Put(f, 9 + i, municipality.Start, municipalities[i].leftJustified(municipality.Length, ' '));
    }
    ASSERT_EQ(AnalyseBytes(data(), f).result, declfile::kAnaliseSemErro);
    for (int i = 0; i < n; ++i) {
        SCOPED_TRACE(cbos[i].toStdString() + " " + municipalities[i].toStdString());
        const auto row = vinc(QString::number(20000000000LL + i));
        ASSERT_FALSE(row.isEmpty());
        const auto expected = [](db::Table& t, const QByteArray& code, const char* column) {
            const QString text = LookupText(t, QString::fromLatin1(code), QLatin1String(column));
            return text == QLatin1String("<none>") ? QString() : db::normalizeText(text.left(100), 100);
        };
        EXPECT_EQ(row.value("TxtCBO"), expected(dmLobrix->taCBO, cbos[i], "NoCbo"));
        EXPECT_EQ(row.value("NoMunicipioTrabalho"),
                  expected(dmLobrix->taMunicipio, municipalities[i].trimmed(), "NoMunicipio"));
        EXPECT_EQ(row.value("SgUfTrabalho"), expected(dmLobrix->taUF, municipalities[i].left(2), "SgUf").toUpper());
    }
    EXPECT_NE(vinc("20000000000").value("TxtCBO"), "");
    EXPECT_EQ(vinc(QString::number(20000000000LL + 90)).value("TxtCBO"), "");
}

TEST_F(AnalyserLoad, PreviousYearFileLoadsThroughItsLayout) {
    const QByteArray f = previousYearFile();
    AnalyseOptions options;
    options.previousYear = true;
    const Outcome o = AnalyseBytes(data(), f, options);
    ASSERT_EQ(o.result, declfile::kAnaliseSemErro);
    EXPECT_EQ(o.contracts, 4);
    const auto a = emp(kInscricaoA);
    EXPECT_EQ(a.value("AnBase"), "2008");
    EXPECT_EQ(a.value("NoRazaoEstabelecimento"), "COMERCIO ALFA LTDA");
    EXPECT_EQ(a.value("InSindicalizada"), "1");  // column 445 of that layout
    EXPECT_EQ(a.value("NuVinculoPatMenor5"), "000000");
    EXPECT_EQ(a.value("PoServicoProprio"), "000");
    EXPECT_EQ(a.value("VaGlobalSindical"), "000000000");
    EXPECT_EQ(a.value("CoCNPJAssociativa"), "00000000000000");
    EXPECT_EQ(a.value("InCentralizada"), "");
    EXPECT_EQ(a.value("InAtividadeAnoBase"), "");
    const auto resp = RowWhere(data(), "Te8resp.db", "CoCgcCeiResponsavel", "11222333000181");
    EXPECT_EQ(resp.value("DaNascimentoRespArquivo"), "");
    const auto maria = vinc("10000000001");
    EXPECT_EQ(maria.value("AnBase"), "2008");
    EXPECT_EQ(maria.value("VaJaneiroEmpregado"), "000250000");  // the option is off
    EXPECT_EQ(maria.value("InSindicalizadoVinculo"), "1");
}

TEST_F(AnalyserLoad, PreviousYearPayIsZeroedOnRequest) {
    AnalyseOptions options;
    options.previousYear = true;
    options.zeroPay = true;
    ASSERT_EQ(AnalyseBytes(data(), previousYearFile(), options).result, declfile::kAnaliseSemErro);
    const auto maria = vinc("10000000001");
    EXPECT_EQ(maria.value("VaSalContratualEmpregado"), "000000000");
    EXPECT_EQ(maria.value("VaJaneiroEmpregado"), "000000000");
    EXPECT_EQ(maria.value("VaAvisoPrevioEmpregado"), "000000000");
    EXPECT_EQ(maria.value("Me13AdiantamentoEmpregado"), "00");
    EXPECT_EQ(maria.value("VaGlobalFerias"), "00000000");
    EXPECT_EQ(maria.value("VaGlobalSindical"), "00000000");
    EXPECT_EQ(maria.value("InSindicalizadoVinculo"), "2");
    EXPECT_EQ(maria.value("CoDeficienteFisico"), "");
    EXPECT_EQ(maria.value("InDeficienteFisico"), "");
    EXPECT_EQ(maria.value("CoMotivoPrimAfas"), "");
    EXPECT_EQ(maria.value("QtDiasAfas"), "");
    EXPECT_EQ(maria.value("CoCNPJSindical"), "");
    EXPECT_EQ(maria.value("HoTrabalhadasJaneiro"), "");
    // Identity, dates, codes and the permit come from the file.
    EXPECT_EQ(maria.value("NoEmpregado"), QStringLiteral("MARIA JOSÉ DE SOUZA"));
    EXPECT_EQ(maria.value("DaAdmissaoEmpregado"), "01032005");
    EXPECT_EQ(maria.value("CoCbo"), "111105");
    EXPECT_EQ(maria.value("InAlvaraEmpregado"), "2");

    // The base year's file is not another year: nothing is zeroed.
    options.previousYear = false;
    ASSERT_EQ(AnalyseBytes(data(), valid, options).result, declfile::kAnaliseSemErro);
    EXPECT_EQ(vinc("10000000001").value("VaJaneiroEmpregado"), "000250000");
}

TEST_F(AnalyserLoad, YearMustMatchTheLayout) {
    AnalyseOptions previous;
    previous.previousYear = true;
    EXPECT_EQ(AnalyseBytes(data(), valid, previous).result, declfile::kAnaliseComErro);
    EXPECT_EQ(ReadFindings(data()).value(0).coMsg, "1911");
    EXPECT_EQ(AnalyseBytes(data(), previousYearFile()).result, declfile::kAnaliseComErro);
    EXPECT_EQ(ReadFindings(data()).value(0).coMsg, "1911");
    // The analysis's own base year is the one expected.
    AnalyseOptions other;
    other.baseYear = 2010;
    EXPECT_EQ(AnalyseBytes(data(), valid, other).result, declfile::kAnaliseComErro);
    EXPECT_EQ(ReadFindings(data()).value(0).conteudo, "2009");
    EXPECT_EQ(ReadFindings(data()).value(0).anBase, "2010");
}

TEST_F(AnalyserLoad, OneAnalyserRunsManyAnalyses) {
    declfile::TAnaliseEstrutura analyser;
    AnalyseOptions options;
    options.analyser = &analyser;
    options.previousYear = true;
    EXPECT_EQ(AnalyseBytes(data(), previousYearFile(), options).result, declfile::kAnaliseSemErro);
    options.previousYear = false;
    QByteArray bad = valid;
    Put(bad, 4, 23, "3");
    EXPECT_EQ(AnalyseBytes(data(), bad, options).result, declfile::kAnaliseComErro);
    const Outcome o = AnalyseBytes(data(), valid, options);
    EXPECT_EQ(o.result, declfile::kAnaliseSemErro);
    EXPECT_EQ(o.establishments, 3);
    EXPECT_EQ(emp(kInscricaoA).value("AnBase"), "2009");
    EXPECT_EQ(analyser.Layout().Tipo0.Slot(26).Length, 8);
}

TEST_F(AnalyserLoad, InterruptAnsweredNoGoesOn) {
    ScriptedMessages boxes;
    boxes.answer("mrNo");
    declfile::TAnaliseEstrutura analyser;
    TestHost host;
    host.onPump = [&](int n) {
        if (n == 5) analyser.Cancel();
    };
    AnalyseOptions options;
    options.analyser = &analyser;
    options.host = &host;
    const Outcome o = AnalyseBytes(data(), valid, options);
    EXPECT_EQ(o.result, declfile::kAnaliseSemErro);
    EXPECT_EQ(o.contracts, 4);
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_EQ(boxes.texts().at(0), "Deseja interromper?");
}

TEST_F(AnalyserLoad, InterruptAnsweredYesRemovesTheWorkingTables) {
    ScriptedMessages boxes;
    boxes.answer("mrYes");
    declfile::TAnaliseEstrutura analyser;
    TestHost host;
    host.onPump = [&](int n) {
        if (n == 5) analyser.Cancel();
    };
    AnalyseOptions options;
    options.analyser = &analyser;
    options.host = &host;
    options.keepCopy = true;
    const Outcome o = AnalyseBytes(data(), valid, options);
    EXPECT_EQ(o.result, declfile::kAnaliseInterrompida);
    EXPECT_GE(o.establishments, 0);
    EXPECT_LE(o.establishments, 3);
    EXPECT_FALSE(WorkTablesExist(data()));
    EXPECT_FALSE(QFile::exists(QDir(data()).filePath(declfile::kAnalysisCopyName)));
    EXPECT_TRUE(ReadFindings(data()).isEmpty());
}

// A copy that fails is not a clean analysis: the caller gets a result of its
// own and no working tables.
TEST_F(AnalyserLoad, FailedCopyIsADistinctFailure) {
    ASSERT_EQ(AnalyseBytes(data(), valid).result, declfile::kAnaliseSemErro);  // tables of an earlier run
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    declfile::TAnaliseEstrutura analyser;
    TestHost host;
    int establishments = -7, contracts = -7;
    const QString missing = QDir(program.path()).filePath("naoexiste.dec");
    const int result = analyser.AnalyseFile(missing, 2009, host, data(), false, establishments, contracts, false);
    EXPECT_EQ(result, declfile::kAnaliseFalhaCopia);
    EXPECT_NE(result, declfile::kAnaliseSemErro);
    EXPECT_EQ(establishments, -7);
    EXPECT_EQ(contracts, -7);
    ASSERT_EQ(boxes.shown().size(), 1);
    EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Warning);
    EXPECT_EQ(boxes.texts().at(0), QStringLiteral("Ocorreu erro na cópia do arquivo ") + missing);
    EXPECT_FALSE(QFile::exists(QDir(data()).filePath(declfile::kAnalysisCopyName)));
    EXPECT_TRUE(ReadFindings(data()).isEmpty());
}

TEST_F(AnalyserLoad, ControlBytesInAFieldReadAsBlanks) {
    ASSERT_EQ(AnalyseBytes(data(), valid).result, declfile::kAnaliseSemErro);
    const QString name = emp(kInscricaoA).value("NoRazaoEstabelecimento");
    ASSERT_GE(name.size(), 8);
    // A NUL no longer cuts the value short: it is a blank, as a tab is.
    for (const char* bytes : {"\0", "\t", "\x1f"}) {
        QByteArray f = valid;
        Put(f, 2, 24 + 3, QByteArray(bytes, 1));
        ASSERT_EQ(AnalyseBytes(data(), f).result, declfile::kAnaliseSemErro) << int(bytes[0]);
        QString expected = name;
        expected[3] = QLatin1Char(' ');
        EXPECT_EQ(emp(kInscricaoA).value("NoRazaoEstabelecimento"), expected) << int(bytes[0]);
    }
}

TEST(AnalyserFieldReader, ReadsWithinTheRecordAndBlanksControlBytes) {
    const QByteArray record("AB\0C\xE9\r\n", 7);
    auto field = [](int start, int length) {
        declfile::TArquivo d;
        d.Start = start;
        d.Length = length;
        return d;
    };
    struct {
        int start, length;
        QString text;
    } cases[] = {
        {1, 4, QStringLiteral("AB C")},
        {5, 3, QString::fromUtf8("é  ")},
        {6, 10, QStringLiteral("  ")},  // cut where the record ends
        {8, 2, QString()},              // starts past it
        {0, 2, QString()},              // an empty descriptor
    };
    for (const auto& c : cases)
        EXPECT_EQ(declfile::FieldText(record.constData(), int(record.size()), field(c.start, c.length)), c.text)
            << c.start << "," << c.length;
}

// A field taken as its bytes is exactly a field FieldText takes as it
// stands: every byte value, at every place of a field longer than a word.
TEST(AnalyserFieldReader, PlainBytesAreTakenOnlyWhereTheTextIsTakenAsItStands) {
    declfile::TArquivo d;
    d.Start = 2;
    d.Length = 19;
    for (int b = 0; b < 256; ++b)
        for (int at = 0; at < d.Length; ++at) {
            QByteArray record(24, 'a');
            record[d.Start - 1 + at] = char(b);
            const QByteArrayView slice = declfile::FieldSlice(record.constData(), int(record.size()), d);
            const bool expectPlain = b >= 32 && b < 0x80;
            ASSERT_EQ(declfile::IsPlainText(slice), expectPlain) << b << " at " << at;
            if (expectPlain)
                ASSERT_EQ(QString::fromLatin1(slice), declfile::FieldText(record.constData(), int(record.size()), d));
        }
}

// What an analysis made in the data folder (the writer's receipt tables of
// the fixture are not its own).
QStringList MadeByARun(const QString& dataFolder) {
    QStringList made;
    for (const QString& name : QDir(dataFolder).entryList(QDir::Files | QDir::Hidden)) {
        const QString n = name.toLower();
        if (n.startsWith("te8pro")) continue;
        if (n.startsWith("te8") || n.contains("journal") || n == declfile::kAnalysisCopyName.toLower()) made << name;
    }
    return made;
}

TEST_F(AnalyserLoad, OnlyARegularFileIsAnalysedAndNothingIsCopiedOtherwise) {
    QTemporaryDir dir;
    const QString folder = dir.filePath("pasta.dec");
    ASSERT_TRUE(QDir().mkpath(folder));
    const QString fifo = dir.filePath("canal.dec");
    ASSERT_EQ(::mkfifo(fifo.toUtf8().constData(), 0600), 0);
    struct {
        QString path;
        QString what;
    } cases[] = {
        {folder, "é uma pasta"},
        {fifo, "é um dispositivo ou um canal de comunicação"},  // opening it would wait forever
        {"/dev/zero", "é um dispositivo ou um canal de comunicação"},  // it would never end
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.path.toStdString());
        ScriptedMessages boxes;
        boxes.acceptOkBoxes();
        declfile::TAnaliseEstrutura analyser;
        TestHost host;
        int establishments = -1, contracts = -1;
        EXPECT_EQ(analyser.AnalyseFile(c.path, 2009, host, data(), false, establishments, contracts, false),
                  declfile::kAnaliseFalhaCopia);
        EXPECT_EQ(boxes.texts(), QStringList{"O arquivo \"" + QDir::toNativeSeparators(c.path) +
                                              "\" não pode ser analisado: " + c.what + ", e não um arquivo."});
        EXPECT_TRUE(MadeByARun(data()).isEmpty()) << MadeByARun(data()).join(" ").toStdString();
    }
}

TEST_F(AnalyserLoad, InputLargerThanTheRoomInTheDataFolderIsRefusedBeforeTheCopy) {
    SmallDisk dados(data(), 8 << 20);
    if (!dados.mounted()) GTEST_SKIP() << "no right to mount a small file system";
    const QByteArray big = fileWithContracts(1500);  // about 830 KB
    dados.leaveFree(2 << 20);
    ScriptedMessages boxes;
    boxes.acceptOkBoxes();
    EXPECT_EQ(AnalyseBytes(data(), big).result, declfile::kAnaliseFalhaCopia);
    ASSERT_EQ(boxes.texts().size(), 1);
    EXPECT_TRUE(boxes.texts().at(0).startsWith("Não há espaço suficiente na pasta de dados \"" +
                                                QDir::toNativeSeparators(data()) + "\""))
        << boxes.texts().at(0).toStdString();
    EXPECT_TRUE(MadeByARun(data()).isEmpty()) << MadeByARun(data()).join(" ").toStdString();
    // With the room the run needs, the same file is analysed.
    dados.release();
    ASSERT_GE(dados.freeBytes(), declfile::AnalysisSpaceNeeded(big.size()));
    EXPECT_EQ(AnalyseBytes(data(), big).result, declfile::kAnaliseSemErro);
}

// A file of gigabytes, sparse so that it costs nothing: refused at its first
// record, or by its size once that record passes, before it is copied and
// without asking for room for the whole of it.
TEST_F(AnalyserLoad, AHugeFileIsRefusedAtItsFirstRecordOrItsSizeWithoutBeingCopied) {
    constexpr qint64 kHuge = qint64(6) << 30;
    const qint64 most = declfile::MaxDeclarationBytes(552);
    struct {
        const char* name;
        QByteArray start;
        qint64 size;
        int result;
        QString box;  // the start of the one box shown, or none
    } cases[] = {
        {"zeros from the start", {}, kHuge, declfile::kAnaliseComErro, {}},
        {"a valid header, then zeros", valid.left(552), kHuge, declfile::kAnaliseFalhaCopia,
         "\" não pode ser analisado: tem 6.442.450.944 bytes, mais do que uma declaração pode ter (552.000.000 bytes"},
        {"one byte more than the layout allows", valid.left(552), most + 1, declfile::kAnaliseFalhaCopia,
         "\" não pode ser analisado: tem 552.000.001 bytes"},
    };
    QTemporaryDir dir;
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        const QString path = dir.filePath("enorme.dec");
        {
            QFile f(path);
            ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
            ASSERT_EQ(f.write(c.start), c.start.size());
            ASSERT_TRUE(f.resize(c.size));
        }
        ScriptedMessages boxes;
        boxes.acceptOkBoxes();
        declfile::TAnaliseEstrutura analyser;
        TestHost host;
        int establishments = 0, contracts = 0;
        QElapsedTimer clock;
        clock.start();
        EXPECT_EQ(analyser.AnalyseFile(path, 2009, host, data(), false, establishments, contracts, false), c.result);
        EXPECT_LT(clock.elapsed(), 5000) << "ms to refuse it";
        if (c.box.isEmpty()) {
            EXPECT_TRUE(boxes.texts().isEmpty()) << boxes.texts().join('\n').toStdString();
            const auto findings = ReadFindings(data());
            ASSERT_EQ(findings.size(), 1);
            EXPECT_EQ(findings[0].coMsg, "1922");
        } else {
            ASSERT_EQ(boxes.texts().size(), 1);
            EXPECT_TRUE(boxes.texts().at(0).startsWith("O arquivo \"" + QDir::toNativeSeparators(path) + c.box))
                << boxes.texts().at(0).toStdString();
            EXPECT_TRUE(MadeByARun(data()).isEmpty()) << MadeByARun(data()).join(" ").toStdString();
        }
        EXPECT_FALSE(QFile::exists(QDir(data()).filePath(declfile::kAnalysisCopyName)));
    }
}

TEST_F(AnalyserLoad, DataFolderFillingDuringTheLoadLeavesNothingOfTheRun) {
    SmallDisk dados(data(), 16 << 20);
    if (!dados.mounted()) GTEST_SKIP() << "no right to mount a small file system";
    const QByteArray big = fileWithContracts(1500);
    const qint64 before = dados.freeBytes();
    TestHost host;
    host.onPump = [&](int n) {
        if (n == 200) dados.leaveFree(0);  // someone else fills the disk meanwhile
    };
    AnalyseOptions options;
    options.host = &host;
    EXPECT_THROW(AnalyseBytes(data(), big, options), db::DbError);
    EXPECT_TRUE(MadeByARun(data()).isEmpty()) << MadeByARun(data()).join(' ').toStdString();
    dados.release();
    EXPECT_EQ(dados.freeBytes(), before);
}

TEST_F(AnalyserLoad, CopyShowsItsProgressAndCanBeInterrupted) {
    const QByteArray big = fileWithContracts(400);  // several copy blocks
    ScriptedMessages boxes;
    boxes.answer("mrYes");
    declfile::TAnaliseEstrutura analyser;
    TestHost host;
    host.onPump = [&](int n) {
        if (n == 1) analyser.Cancel();
    };
    AnalyseOptions options;
    options.analyser = &analyser;
    options.host = &host;
    EXPECT_EQ(AnalyseBytes(data(), big, options).result, declfile::kAnaliseInterrompida);
    EXPECT_EQ(boxes.texts(), QStringList{"Deseja interromper?"});
    ASSERT_FALSE(host.positions.isEmpty());
    EXPECT_LE(host.positions.last(), 8);  // stopped within the copy's share
    EXPECT_TRUE(MadeByARun(data()).isEmpty()) << MadeByARun(data()).join(" ").toStdString();
}

TEST_F(AnalyserLoad, RoomNeededCoversWhatARunTakesAndNotMuchMore) {
    // Every contract fills each field and finds each description: the
    // heaviest rows a file can load.
    for (const int contracts : {1500, 12000}) {
        SCOPED_TRACE(contracts);
        const QByteArray big = fileWithContracts(contracts);
        ASSERT_EQ(AnalyseBytes(data(), big, {.keepCopy = true}).result, declfile::kAnaliseSemErro);
        // The copy and the tables at the end of the commit: the most the run holds.
        qint64 used = 0;
        for (const QString& name : MadeByARun(data())) used += QFileInfo(QDir(data()).filePath(name)).size();
        const qint64 needed = declfile::AnalysisSpaceNeeded(big.size());
        EXPECT_GE(needed, used);
        // A run that fits is not refused for a wide guess.
        EXPECT_LE(needed, used + used / 10 + (qint64(1) << 20)) << needed << " asked, " << used << " used";
        QFile::remove(QDir(data()).filePath(declfile::kAnalysisCopyName));
    }
}

TEST_F(AnalyserLoad, WorkTablesHaveTheDeclarationColumnsAndTheAnalyserKey) {
    ASSERT_EQ(AnalyseBytes(data(), valid).result, declfile::kAnaliseSemErro);
    auto database = db::Database::forFolder(data());
    const db::TableDef vincDef = database->tableDef("Te8vinc.db");
    const db::TableDef bd8 = database->tableDef("Bd8vinc.DB");
    ASSERT_EQ(vincDef.fields.size(), bd8.fields.size());
    ASSERT_NE(vincDef.primaryIndex(), nullptr);
    EXPECT_EQ(vincDef.primaryIndex()->name, "Te8vinc");
    EXPECT_EQ(vincDef.primaryIndex()->fields, QStringLiteral("AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;"
                                                             "CoPisPasepEmpregado;DaAdmissaoEmpregado;NoEmpregado;"
                                                             "NuSequencialRegistro")
                                                  .split(';'));
    const db::TableDef empDef = database->tableDef("Te8emp.db");
    ASSERT_NE(empDef.primaryIndex(), nullptr);
    EXPECT_EQ(empDef.primaryIndex()->fields.size(), 3);
    EXPECT_TRUE(database->tableDef("Te8resp.db").indexes.isEmpty());
}

// ---- buffer routines -------------------------------------------------------

TEST(AnalyserBufferRoutines, LineEndKinds) {
    struct {
        const char* bytes;
        int kind;
    } cases[] = {{"\r\n", 1}, {"\n\r", 2}, {"\r\r", 3}, {"\rA", 3}, {"\n\n", 4}, {"\nA", 4}, {"A\r", 0}, {"AB", 0}};
    for (const auto& c : cases) EXPECT_EQ(declfile::LineEndKind(c.bytes, 2), c.kind) << c.bytes;
    EXPECT_TRUE(declfile::HasLineEnd("xx\r\n", 4, 1));
    EXPECT_FALSE(declfile::HasLineEnd("xx\n\r", 4, 1));
    EXPECT_TRUE(declfile::HasLineEnd("xx\n", 3, 4));
    EXPECT_TRUE(declfile::HasLineEnd("xxx", 3, 0));
}

TEST(AnalyserBufferRoutines, SlicesAndBytes) {
    const char text[] = "12a4\x01\r";
    EXPECT_TRUE(declfile::IsAllDigitBytes(text, 1, 2));
    EXPECT_TRUE(declfile::IsAllDigitBytes(text, 1, 0));
    EXPECT_EQ(declfile::FirstNonDigit(text, 1, 4), 3);
    EXPECT_EQ(declfile::FirstNonDigit(text, 1, 2), 3);
    EXPECT_EQ(declfile::FirstNonPrintable(text, 1, 6), 5);
    EXPECT_TRUE(declfile::HasLineBreak(text, 1, 6));
    EXPECT_FALSE(declfile::HasLineBreak(text, 1, 5));
    // The earlier of the two breaks, whichever comes first, counted from the start given.
    EXPECT_EQ(declfile::FirstLineBreak("ab\ncd\ref", 1, 8), 3);
    EXPECT_EQ(declfile::FirstLineBreak("ab\rcd\nef", 1, 8), 3);
    EXPECT_EQ(declfile::FirstLineBreak("ab\rcd\nef", 4, 5), 3);
    EXPECT_EQ(declfile::FirstLineBreak("abcdef\n", 1, 6), 7);
    EXPECT_EQ(declfile::FirstLineBreak("abc", 1, 0), 1);
    EXPECT_EQ(declfile::CopyFromBuffer("abc\0def", 2, 5), QByteArray("bc"));
    EXPECT_EQ(declfile::CopyFromBuffer("abcdef", 0, 3), QByteArray());
    EXPECT_EQ(declfile::CopyFromBuffer("abcdef", 1, 257), QByteArray());
    EXPECT_EQ(declfile::ByteToHex(0x0d), "0D");
    EXPECT_EQ(declfile::PrintableOrHex('\r', true), "0D(hexadecimal)");
    EXPECT_EQ(declfile::PrintableOrHex('\r', false), "0D");
    EXPECT_EQ(declfile::PrintableOrHex(0xC9, true), QStringLiteral("É"));  // accented letters print
    EXPECT_EQ(declfile::PrintableOrHex(0xA4, true), "A4(hexadecimal)");     // a currency sign does not
    char buf[4] = {'a', 'b', 'c', 'd'};
    declfile::FillBuffer(buf, 2, 2, 'z');
    EXPECT_EQ(QByteArray(buf, 4), QByteArray("azzd"));
}

// ---- a run killed half way ---------------------------------------------------

TEST(CrashChild, DISABLED_Analysis) {
    if (!InCrashChild()) GTEST_SKIP();
    declfile::TAnaliseEstrutura analyser;
    TestHost host;
    int establishments = 0, contracts = 0;
    ASSERT_EQ(analyser.AnalyseFile(AppPaths::programFolder() + "entrada.dec", 2009, host, AppPaths::dataFolder(),
                                   false, establishments, contracts, false),
              declfile::kAnaliseSemErro);
}

TEST(AnalyserCrash, KilledAtAnyStepLeavesNothingOfTheRunAfterTheNextStart) {
    QByteArray file;
    {
        TempProgramWithModules source;
        SeedDeclaration(source.dataFolder());
        file = WriteFile(source.dataFolder(), false);
    }
    std::unique_ptr<TempProgramFolder> program;
    QMap<QString, QByteArray> tables;
    auto declarationTables = [&] {
        QMap<QString, QByteArray> m;
        for (const char* t : {"Bd8emp.DB", "Bd8vinc.DB", "bd8resp.DB"}) {
            QFile f(AppPaths::findNoCase(AppPaths::dataFolder(), t));
            m[t] = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        }
        return m;
    };
    int withDebris = 0;
    const int steps = KillAtEveryStep(
        "CrashChild.DISABLED_Analysis", "db.",
        [&] {
            program.reset();
            program = std::make_unique<TempProgramFolder>();
            QFile f(program->path() + "entrada.dec");
            EXPECT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(file);
            tables = declarationTables();
            return program->path();
        },
        [&](int, const QString&) {
            withDebris += !MadeByARun(AppPaths::dataFolder()).isEmpty();
            ScriptedMessages boxes;
            NextStart start;
            ASSERT_EQ(start.outcome(), StartOutcome::Started);
            EXPECT_TRUE(MadeByARun(AppPaths::dataFolder()).isEmpty())
                << MadeByARun(AppPaths::dataFolder()).join(' ').toStdString();
            EXPECT_EQ(QDir(AppPaths::dataFolder()).entryList({"*.new"}, QDir::Files | QDir::Hidden), QStringList{});
            EXPECT_EQ(declarationTables(), tables);
        },
        400, 7);  // the analyser's hundred or so writes, syncs and deletions, in steps of seven
    EXPECT_GT(steps, 10);
    EXPECT_EQ(withDebris, steps);
}

