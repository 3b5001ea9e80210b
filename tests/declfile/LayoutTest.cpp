#include "DeclfileTestSupport.h"
#include "declfile/Windows1252.h"
#include "declfile/ugAnaliseEstrutura2008.h"
#include "declfile/ugAnaliseEstrutura2009.h"
#include "declfile/ugClArquivo.h"
#include "platform/db/Table.h"
#include "shell/DeclarationTables.h"
#include "support/Builders.h"
#include "support/DataFolder.h"

#include <gtest/gtest.h>

using namespace declfile;

namespace {

// An expected record assembled column by column, independently of the
// writer's layout table.
class Expected {
public:
    Expected() : bytes_(550, ' ') {}
    Expected& at(int column, const QByteArray& text) {
        bytes_.replace(column - 1, text.size(), text);
        return *this;
    }
    Expected& at(int column, const QString& text) { return at(column, cp1252::Encode(text)); }
    Expected& at(int column, const char* text) { return at(column, QByteArray(text)); }
    QByteArray record() const { return bytes_ + "\r\n"; }

private:
    QByteArray bytes_;
};

void expectSameColumns(const QByteArray& actual, const QByteArray& expected) {
    ASSERT_EQ(actual.size(), 552);
    ASSERT_EQ(expected.size(), 552);
    for (int i = 0; i < 552; ++i)
        if (actual.at(i) != expected.at(i)) {
            ADD_FAILURE() << "first difference at column " << i + 1 << ": got \"" << actual.mid(i, 20).toStdString()
                          << "\", expected \"" << expected.mid(i, 20).toStdString() << "\"";
            return;
        }
}

db::Table& openWithRow(std::unique_ptr<db::Table>& t, const QString& folder, const QString& file,
                       const QMap<QString, QString>& values) {
    t = std::make_unique<db::Table>(db::Database::forFolder(folder), file);
    t->Open();
    t->EmptyTable();
    AppendRow(*t, values);
    t->First();
    return *t;
}

}  // namespace

TEST(RecordLayout, EveryTypeFillsExactly550ContiguousColumns) {
    for (char type : {'0', '1', '2', '9'}) {
        int next = 1;
        for (const LayoutItem& it : RecordLayout(type)) {
            EXPECT_EQ(it.start, next) << "type " << type;
            next = it.start + it.width;
        }
        EXPECT_EQ(next, 551) << "type " << type;
    }
}

TEST(RecordLayout, FieldWidthsEqualTheDeclaredTableWidths) {
    const struct {
        char type;
        db::TableDef def;
    } cases[] = {{'0', DeclarationTables::BD8Resp()}, {'9', DeclarationTables::BD8Resp()},
                 {'1', DeclarationTables::BD8Emp()}, {'2', DeclarationTables::BD8Vinc()}};
    for (const auto& c : cases)
        for (const LayoutItem& it : RecordLayout(c.type)) {
            if (!it.field) continue;
            const int i = c.def.fieldIndex(QLatin1String(it.field));
            ASSERT_GE(i, 0) << it.field;
            EXPECT_EQ(c.def.fields[i].width, it.width) << it.field;
        }
}

TEST(RecordLayout, DescriptorsReadTheColumnsTheWriterFills) {
    for (char type : {'0', '1', '2', '9'}) {
        for (const DescriptorRow& d : DescriptorTable2009(type)) {
            if (!d.field) continue;
            bool found = false;
            for (const LayoutItem& it : RecordLayout(type))
                if (it.field && QLatin1String(it.field) == QLatin1String(d.field)) {
                    found = true;
                    EXPECT_EQ(it.start, d.start) << type << " slot " << d.slot;
                    EXPECT_EQ(it.start + it.width - 1, d.end) << type << " slot " << d.slot;
                }
            if (QLatin1String(d.field) != QLatin1String("CoCgcCeiEstabelecimento") &&
                QLatin1String(d.field) != QLatin1String("NuPrefixoEstabelecimento"))
                EXPECT_TRUE(found) << type << " slot " << d.slot << " " << d.field;
        }
    }
}

TEST(FieldDescriptors, SlotCountsEmptySlotsAndYearDifferences) {
    EXPECT_EQ(TArquivoZuvoTipoZero::SlotCount, 26);
    EXPECT_EQ(TArquivoZuvoTipoUm::SlotCount, 52);
    EXPECT_EQ(TArquivoZuvoTipoDois::SlotCount, 87);
    EXPECT_EQ(TArquivoZuvoTipoNove::SlotCount, 10);

    TLayoutDescriptors a;
    EXPECT_EQ(a.Tipo1.Slot(5).Start, 0);  // new descriptors are empty
    LoadLayout2009(a);
    EXPECT_EQ(a.RecordLength, 550);
    QByteArray record(550, ' ');
    record.replace(282, 12, "123456789012");
    record.replace(35, 2, "41");
    record.replace(383, 8, "15061970");

    struct Case {
        char type;
        int slot, start, length;
        const char* label;
    };
    const Case y2009[] = {
        {'0', 26, 384, 8, "Data de Nascimento do Responsavel"},
        {'1', 22, 283, 12, "Matrícula CEI vinculada a uma inscrição CNPJ"},
        {'1', 23, 295, 4, "2009"},
        {'1', 25, 0, 0, ""},
        {'1', 26, 0, 0, ""},
        {'1', 39, 299, 1, "Porte da Empresa"},
        {'1', 40, 219, 45, "E-mail do Estabelecimento"},
        {'1', 42, 355, 9, "Valor global acumulado e repassado como contribuição associativa"},
        {'1', 52, 434, 1, "Indicador Centralizada"},
        {'2', 55, 339, 8, "Valores  férias indenizadas."},
        {'2', 87, 294, 1, "Código de deficiência"},
        {'9', 7, 0, 0, ""},
        {'9', 8, 36, 2, "Estatística"},
        {'9', 10, 519, 32, "Hashcode"},
    };
    for (const Case& c : y2009) {
        const TArquivo* d = DescriptorOf(a, c.type, c.slot);
        ASSERT_NE(d, nullptr);
        EXPECT_EQ(d->Start, c.start) << c.type << " slot " << c.slot;
        EXPECT_EQ(d->Length, c.length) << c.type << " slot " << c.slot;
        EXPECT_EQ(d->Label, QString::fromUtf8(c.label)) << c.type << " slot " << c.slot;
    }
    EXPECT_EQ(DescriptorOf(a, '1', 22)->ValueIn(record), QByteArray("123456789012"));
    EXPECT_EQ(DescriptorOf(a, '9', 8)->ValueIn(record), QByteArray("41"));
    EXPECT_EQ(DescriptorOf(a, '0', 26)->ValueIn(record), QByteArray("15061970"));

    LoadLayout2008(a);
    const Case y2008[] = {
        {'0', 26, 0, 0, ""},
        {'1', 23, 295, 4, "2008"},
        {'1', 42, 355, 8, "Valor global acumulado e repassado como contribuição associativa"},
        {'1', 43, 363, 14, "CNPJ da entidade sindical patronal beneficiada pela contribuição sindical"},
        {'1', 48, 421, 8, "Valor global acumulado e repassado como contribuição prevista na negociação coletiva (confederativa)"},
        {'1', 49, 429, 1, "Esteve em Atividade no ano base"},
        {'1', 50, 431, 14, "CNPJ Centralizadora"},
        {'1', 51, 445, 1, "Indicador Sindicalizada"},
        {'1', 52, 430, 1, "Indicador Centralizada"},
        {'1', 41, 341, 14, "CNPJ da entidade sindical patronal beneficiada pela contribuição associativa"},
        {'2', 87, 294, 1, "Código de deficiência"},
    };
    for (const Case& c : y2008) {
        const TArquivo* d = DescriptorOf(a, c.type, c.slot);
        EXPECT_EQ(d->Start, c.start) << c.type << " slot " << c.slot;
        EXPECT_EQ(d->Length, c.length) << c.type << " slot " << c.slot;
        EXPECT_EQ(d->Label, QString::fromUtf8(c.label)) << c.type << " slot " << c.slot;
    }
    EXPECT_TRUE(DescriptorOf(a, '0', 26)->ValueIn(record).isEmpty());
    // Loading 2009 again restores what 2008 emptied.
    LoadLayout2009(a);
    EXPECT_EQ(DescriptorOf(a, '0', 26)->Length, 8);
    EXPECT_EQ(DescriptorOf(a, '1', 0), nullptr);
    EXPECT_EQ(DescriptorOf(a, '1', 53), nullptr);
}

TEST(GoldenRecords, EstablishmentRecordColumnByColumn) {
    TempProgramFolder program;
    std::unique_ptr<db::Table> t;
    db::Table& emp = openWithRow(t, program.dataFolder(), DeclarationTables::BD8Emp().fileName, {
        {"AnBase", "2008"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"NuPrefixoEstabelecimento", "00"},
        {"NoRazaoEstabelecimento", QString::fromUtf8("padaria são joão ltda")}, {"EdEstabelecimento", "Rua A"},
        {"NuEnderecoEstabelecimento", "12"}, {"NoBairroEstabelecimento", "Centro"},
        {"CoCepEstabelecimento", "01001000"}, {"CoMunicipio", "3550308"}, {"NoMunicEstabelecimento", "Sao Paulo"},
        {"SgUf", "sp"}, {"NuDDD", "11"}, {"NuTelefone", "12345678"}, {"TxEmailEstabelecimento", "a@b.com"},
        {"CoCnae2", "6201500"}, {"CoNaturezaJuridica", "2062"}, {"NuProprietEstabelecimento", "01"},
        {"MeDataBase", "05"}, {"InInscrEstabelecimento", "1"}, {"InZuvoNegEstabelecimento", "0"},
        {"CoCgcVinculado", "00123456789012"}, {"InPorte", "3"}, {"InOptanteSimples", "1"},
        {"InParticipaPAT", "2"}, {"NuVinculoPatMaior5", "000012"}, {"PoAdmCozinha", "050"},
        {"InEncerramentoAtividade", "1"}, {"VaGlobalAssociativa", "12345"},
        {"CoCNPJSindical", "33000167000101"}, {"InAtividadeAnoBase", "1"}, {"TxUsoEstabelecimento", "uso livre"}});
    RecordContext c;
    c.key = "11222333000181" "00";
    c.sequence = 2;
    const QByteArray actual = RecordBuilder('1', &emp).Build(c);
    const QByteArray expected =
        Expected()
            .at(1, "000002").at(7, "1122233300018100").at(23, "1")
            .at(24, QString::fromUtf8("PADARIA SãO JOãO LTDA")).at(76, "RUA A").at(116, "12")
            .at(143, "CENTRO").at(162, "01001000").at(170, "3550308").at(177, "SAO PAULO").at(207, "SP")
            .at(209, "11").at(211, "12345678").at(219, "A@B.COM").at(264, "6201500").at(271, "2062")
            .at(275, "01").at(277, "05").at(279, "1").at(280, "0").at(281, "00123456789012")
            .at(295, "2009")  // the program's base year, not the row's
            .at(299, "3").at(300, "1").at(301, "2").at(302, "000000").at(308, "000012")
            .at(314, "000").at(317, "050").at(320, "000").at(323, "000").at(326, "000").at(329, "000")
            .at(332, "1").at(333, "00000000").at(341, "00000000000000").at(355, "12345")
            .at(364, "33000167000101").at(378, "000000000").at(387, "00000000000000").at(401, "000000000")
            .at(410, "00000000000000").at(424, "000000000").at(433, "1").at(434, "2")
            .at(435, "00000000000000").at(449, "2").at(539, "USO LIVRE")
            .record();
    expectSameColumns(actual, expected);
    // The accented letters keep their Windows-1252 bytes.
    EXPECT_EQ(static_cast<unsigned char>(actual.at(23 + 9)), 0xE3);
}

TEST(GoldenRecords, ContractRecordColumnByColumn) {
    TempProgramFolder program;
    std::unique_ptr<db::Table> t;
    db::Table& vinc = openWithRow(t, program.dataFolder(), DeclarationTables::BD8Vinc().fileName, {
        {"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", "11222333000181"}, {"NuPrefixoEstabelecimento", "00"},
        {"CoPisPasepEmpregado", "12345678901"}, {"NoEmpregado", "maria da conceição"},
        {"DaNascimentoEmpregado", "01021980"}, {"CoNacionalidade", "10"}, {"CoInstrucao", "07"},
        {"CoCpfEmpregado", "11122233344"}, {"NuCartTrabEmpregado", "12345"}, {"DaAdmissaoEmpregado", "02012008"},
        {"CoTipoAdmissao", "2"}, {"VaSalContratualEmpregado", "000250000"}, {"CoTipoSalarioContratual", "1"},
        {"HoSemanaisEmpregado", "44"}, {"CoCbo", "212405"}, {"CoVinculo", "10"}, {"CoCausaDesligamento", "11"},
        {"DaDesligamentoEmpregado", "3112"}, {"VaJaneiroEmpregado", "000100000"}, {"VaMarcoEmpregado", "000300000"},
        {"VaDezembroEmpregado", "000120000"}, {"Va13ParcelaFinalEmpregado", "000125000"},
        {"Me13ParcelaFinalEmpregado", "12"}, {"InDeficienteFisico", "2"}, {"InAlvaraEmpregado", "2"},
        {"VaAvisoPrevioEmpregado", "000050000"}, {"InSexo", "2"}, {"CoMotivoPrimAfas", "10"},
        {"DaInicioprimeiroAfas", "0103"}, {"DaFinalPrimeiroAfas", "1503"}, {"QtDiasAfas", "15"},
        {"VaGlobalFerias", "00012345"}, {"VaGlobalMultas", "00054321"}, {"CoCNPJSindical", "33000167000101"},
        {"VaGlobalSindical", "00001000"}, {"HoTrabalhadasMarco", "012"}, {"InSindicalizadoVinculo", "1"},
        {"TxUsoEmpregado", "matricula 7"}});
    RecordContext c;
    c.key = "11222333000181" "00";
    c.sequence = 3;
    const QByteArray actual = RecordBuilder('2', &vinc).Build(c);
    const QByteArray expected =
        Expected()
            .at(1, "000003").at(7, "1122233300018100").at(23, "2").at(24, "12345678901")
            .at(35, QString::fromUtf8("MARIA DA CONCEIçãO")).at(87, "01021980").at(95, "10").at(101, "07")
            .at(103, "11122233344").at(114, "12345").at(122, "00000").at(127, "02012008").at(135, "2")
            .at(136, "000250000").at(145, "1").at(146, "44").at(148, "212405").at(154, "10").at(156, "11")
            .at(158, "3112").at(162, "000100000").at(180, "000300000").at(261, "000120000")
            .at(281, "000125000").at(290, "12")
            .at(292, "9").at(293, "2").at(294, "0").at(295, "2").at(296, "000050000").at(305, "2")
            .at(306, "10").at(308, "0103").at(312, "1503").at(336, "15").at(339, "00012345")
            .at(377, "00054321").at(385, "00000000000000")  // 399-406 stay blank
            .at(407, "00000000000000").at(421, "00000000").at(429, "33000167000101").at(443, "00001000")
            .at(451, "00000000000000").at(473, "00000000000000").at(495, "0000000")
            .at(502, "000").at(505, "000").at(508, "012").at(511, "000000000000000000000000000")
            .at(538, "1").at(539, "MATRICULA 7")
            .record();
    expectSameColumns(actual, expected);
}

TEST(GoldenRecords, EveryValueTakesTheColumnsOfItsTableText) {
    TempProgramFolder program;
    // Values whose bytes and characters differ. Read as the store's bytes, as
    // the writer reads a row, and read field by field while the row is
    // edited, each takes the columns its table text takes.
    const QString values[] = {
        QStringLiteral("plain ascii name"),
        QString::fromUtf8("maria da conceição"),
        QStringLiteral("tab\there\nline\rend\x7f"),
        QString::fromUtf8("€ sign and ł"),
        QString::fromUtf8("smile 😀 then text past twelve"),
        QString::fromUtf8("abcdefghijkçx"),
        QStringLiteral(" 7"),
        QString(),
    };
    const struct {
        const char* field;
        int column;
        int width;
        const char* fill;
    } fields[] = {{"NoEmpregado", 35, 52, nullptr},
                  {"TxUsoEmpregado", 539, 12, nullptr},
                  {"SeCartTrabEmpregado", 122, 5, "00000"},
                  {"CoTipoRaca", 292, 1, "9"}};
    for (const QString& v : values) {
        QMap<QString, QString> row{{"AnBase", "2009"}};
        for (const auto& f : fields) row[f.field] = v;
        std::unique_ptr<db::Table> t;
        db::Table& vinc = openWithRow(t, program.dataFolder(), DeclarationTables::BD8Vinc().fileName, row);
        const RecordBuilder builder('2', &vinc);
        RecordContext c;
        const QByteArray asRead = builder.Build(c);
        vinc.Edit();
        const QByteArray asEdited = builder.Build(c);
        vinc.Cancel();
        EXPECT_EQ(asRead, asEdited) << v.toStdString();
        for (const auto& f : fields) {
            const QString stored = vinc.FieldByName(f.field).AsString();
            const QByteArray expected = f.fill && stored.trimmed().isEmpty() ? QByteArray(f.fill)
                                                                             : cp1252::Encode(TableText(stored, f.width));
            EXPECT_EQ(Cols(asRead, f.column, f.column + f.width - 1), expected) << f.field << ": " << v.toStdString();
        }
    }
}

TEST(GoldenRecords, HeaderAndTrailerColumnByColumn) {
    TempProgramFolder program;
    std::unique_ptr<db::Table> t;
    db::Table& resp = openWithRow(t, program.dataFolder(), DeclarationTables::BD8Resp().fileName, {
        {"CoCgcCeiResponsavel", "11222333000181"}, {"InInscrResponsavel", "1"},
        {"NoResponsavelArquivo", "Escritorio Modelo"}, {"EdLogradouroRespArquivo", "Rua B"},
        {"NuLogradouroRespArquivo", "7"}, {"TxComplementoRespArquivo", "sala 1"}, {"NoBairroRespArquivo", "Se"},
        {"CoCepRespArquivo", "01001000"}, {"CoMunicipioRespArquivo", "3550308"},
        {"NoMunicipioRespArquivo", "Sao Paulo"}, {"SgUfRespArquivo", "SP"}, {"NuFoneDDD", "11"},
        {"NuFoneAssinante", "32221111"}, {"TxEMailRespArquivo", "x@y.br"}, {"NoResponsavelDeclaracao", "Jose"},
        {"CoCpfResponsavel", "11122233344"}, {"DaNascimentoRespArquivo", "15061970"},
        {"DaRetificacao", "01012010"}, {"DaGeracao", "02012010"}, {"NuRespostaPesquisa", "12a"}});
    RecordContext c;
    c.key = "99888777000100" "01";
    c.generationDate = QStringLiteral("15012010");
    const QByteArray header = RecordBuilder('0', &resp).Build(c);
    expectSameColumns(header, Expected()
                                  .at(1, "000001").at(7, "9988877700010001").at(23, "0").at(24, "1")
                                  .at(25, "11222333000181").at(39, "1").at(40, "ESCRITORIO MODELO").at(80, "RUA B")
                                  .at(120, "7").at(126, "SALA 1").at(147, "SE").at(166, "01001000")
                                  .at(174, "3550308").at(181, "SAO PAULO").at(211, "SP").at(213, "11")
                                  .at(215, "32221111").at(223, "2").at(224, "00000000").at(232, "15012010")
                                  .at(240, "X@Y.BR").at(285, "JOSE").at(357, "0550").at(361, "11122233344")
                                  .at(372, "000000000000").at(384, "15061970").at(392, "V0100").at(397, "A ")
                                  .record());

    c.sequence = 9;
    c.count1 = 3;
    c.count2 = 5;
    c.osCode = QStringLiteral("4");
    c.splitMode = true;
    const QByteArray trailer = RecordBuilder('9', &resp).Build(c);
    expectSameColumns(trailer, Expected()
                                   .at(1, "000009").at(7, "9988877700010001").at(23, "9").at(24, "000003")
                                   .at(30, "000005").at(36, "4").at(37, "1").at(38, "12A")
                                   .record());
    c.fromWorkingTables = true;
    EXPECT_EQ(RecordBuilder('9', &resp).Build(c).at(36), '2');
    EXPECT_EQ(Cols(RecordBuilder('0', &resp).Build(c), 397, 398), QByteArray(" P"));
}

// Columns 224-239 by kind of file and source, and the receipt number in
// 372-383: always their full width, whatever the caller hands over.
TEST(GoldenRecords, HeaderDatesAndReceiptNumberKeepTheirWidth) {
    TempProgramFolder program;
    std::unique_ptr<db::Table> t;
    db::Table& resp = openWithRow(t, program.dataFolder(), DeclarationTables::BD8Resp().fileName,
                                  {{"DaRetificacao", "01012010"}, {"DaGeracao", "02012010"}});
    const struct {
        bool amendment, working, blankRow;
        const char* generation;
        const char* expected;
    } cases[] = {
        {false, false, false, "15012010", "0000000015012010"},
        {false, false, false, "", "0000000000000000"},
        {false, true, false, "15012010", "0101201002012010"},
        {false, true, true, "15012010", "                "},
        {true, true, false, "15012010", "0101201002012010"},
        {true, true, true, "15012010", "1501201015012010"},
        {true, true, true, "", "0000000000000000"},
        {true, false, false, "15012010", "1501201015012010"},
        {true, false, false, "", "0000000000000000"},
    };
    for (const auto& k : cases) {
        resp.Close();
        resp.Open();
        if (k.blankRow) {
            resp.Edit();
            resp.FieldByName("DaRetificacao").SetAsString("");
            resp.FieldByName("DaGeracao").SetAsString("");
            resp.Post();
        }
        RecordContext c;
        c.amendment = k.amendment;
        c.fromWorkingTables = k.working;
        c.generationDate = QLatin1String(k.generation);
        const QByteArray h = RecordBuilder('0', &resp).Build(c);
        EXPECT_EQ(h.size(), 552);
        EXPECT_EQ(Cols(h, 224, 239), QByteArray(k.expected))
            << "amendment " << k.amendment << " working " << k.working << " blank " << k.blankRow << " date "
            << k.generation;
        EXPECT_EQ(h.at(222), k.amendment ? '1' : '2');
        if (k.blankRow) {
            resp.Edit();
            resp.FieldByName("DaRetificacao").SetAsString("01012010");
            resp.FieldByName("DaGeracao").SetAsString("02012010");
            resp.Post();
        }
    }
    const struct {
        const char* crea;
        const char* expected;
    } creas[] = {{"", "000000000000"}, {"   ", "000000000000"}, {"590123456789", "590123456789"},
                 {"123", "000000000123"}, {"5901234567891", "590123456789"}};
    for (const auto& k : creas) {
        RecordContext c;
        c.crea = QLatin1String(k.crea);
        const QByteArray h = RecordBuilder('0', &resp).Build(c);
        EXPECT_EQ(h.size(), 552);
        EXPECT_EQ(Cols(h, 372, 383), QByteArray(k.expected)) << k.crea;
    }
}

TEST(GoldenRecords, FileNameCarriesThePartNumberInCharacters26And27) {
    const struct {
        int part;
        bool amendment;
        const char* name;
    } cases[] = {
        {1, false, "Zuvo2009_112223330001810001G.dec"},  {7, false, "Zuvo2009_112223330001810007G.dec"},
        {9, false, "Zuvo2009_112223330001810009G.dec"},  {10, false, "Zuvo2009_112223330001810010G.dec"},
        {12, true, "Zuvo2009_112223330001810012R.dec"},  {99, false, "Zuvo2009_112223330001810099G.dec"},
        {100, false, "Zuvo2009_1122233300018100100G.dec"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(DeclarationFileName(2009, "1122233300018100", c.part, c.amendment), QString::fromLatin1(c.name))
            << c.part;
}

TEST(Windows1252, EncodesOneBytePerCharacter) {
    const QString text = QString::fromUtf8("AçÃ€ž\u4e2d");
    const QByteArray b = cp1252::Encode(text);
    ASSERT_EQ(b.size(), text.size());
    EXPECT_EQ(static_cast<unsigned char>(b.at(1)), 0xE7);
    EXPECT_EQ(static_cast<unsigned char>(b.at(2)), 0xC3);
    EXPECT_EQ(static_cast<unsigned char>(b.at(3)), 0x80);
    EXPECT_EQ(static_cast<unsigned char>(b.at(4)), 0x9E);
    EXPECT_EQ(b.at(5), '?');
    EXPECT_EQ(cp1252::Decode(b.left(5)), text.left(5));
    EXPECT_EQ(TableText(QString::fromUtf8("aéz"), 5), QString::fromUtf8("AéZ  "));
}
