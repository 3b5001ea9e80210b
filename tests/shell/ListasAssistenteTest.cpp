#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugFuncoes.h"
#include "shell/ugListasAssistente.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/ScriptedMessages.h"

#include <QComboBox>
#include <QListWidget>
#include <gtest/gtest.h>

namespace {

struct ListasFixture : ::testing::Test {
    TempProgramWithModules program;
    ListasFixture() {
        dmEntradaDados->ta8Empresa.Open();
        dmEntradaDados->ta8Empreg.Open();
    }
    void establishment(const QString& cnpj, const QString& type, const QString& prefix, const QString& name,
                       const QString& semEmpregados = "0", const QString& marker = QString()) {
        AppendRow(dmEntradaDados->ta8Empresa,
                  {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", cnpj}, {"InInscrEstabelecimento", type},
                   {"NuPrefixoEstabelecimento", prefix}, {"NoRazaoEstabelecimento", name},
                   {"InZuvoNegEstabelecimento", semEmpregados}, {"InOpcaoAberta", marker}});
    }
    void contract(const QString& pis, const QString& admissao, const QString& name, const QString& seq,
                  const QString& cnpj = "11222333000181") {
        AppendRow(dmEntradaDados->ta8Empreg,
                  {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", cnpj},
                   {"NuPrefixoEstabelecimento", "01"}, {"CoPisPasepEmpregado", pis},
                   {"DaAdmissaoEmpregado", admissao}, {"NoEmpregado", name}, {"NuSequencialRegistro", seq}});
    }
    QString marker(const QString& cnpj) {
        db::Table& t = dmEntradaDados->ta8Empresa;
        EXPECT_TRUE(t.FindKey({"2009", cnpj, "01"}));
        return t.FieldByName("InOpcaoAberta").AsString();
    }
};

}  // namespace

TEST_F(ListasFixture, EstablishmentLinesPutThePrefixInColumn21) {
    const QString cnpj = EstablishmentLine("11222333000181", "1", "01", "EMPRESA CNPJ");
    const QString cei = EstablishmentLine("00123456789012", "3", "02", "OBRA CEI");
    EXPECT_EQ(cnpj, "11.222.333/0001-81  01  EMPRESA CNPJ");
    EXPECT_EQ(cei, "12345.67890-12      02  OBRA CEI");
    EXPECT_EQ(cnpj.mid(20, 2), "01");
    EXPECT_EQ(cei.mid(20, 2), "02");
}

TEST_F(ListasFixture, ComboLeavesOutDeclarationsWithoutEmployeesWhenAsked) {
    establishment("11222333000181", "1", "01", "COM EMPREGADOS");
    establishment("11444777000161", "1", "01", "SEM EMPREGADOS", "1");
    QComboBox combo;
    combo.addItem("velho");
    FillEstablishmentCombo(&combo, "2009", 'N');
    ASSERT_EQ(combo.count(), 1);
    EXPECT_TRUE(combo.itemText(0).endsWith("COM EMPREGADOS"));
    EXPECT_EQ(LineKey(&combo, 0), QStringList({"2009", "11222333000181", "01"}));
    FillEstablishmentCombo(&combo, "2009", 'S');
    EXPECT_EQ(combo.count(), 2);
    FillEstablishmentCombo(&combo, "2010", 'S');
    EXPECT_EQ(combo.count(), 0);
}

TEST_F(ListasFixture, CheckListOrdersByKeyOrByName) {
    establishment("11444777000161", "1", "01", "ALFA");
    establishment("11222333000181", "1", "01", "BETA");
    QListWidget list;
    FillEstablishmentCheckList(&list, "2009", 'S', '0');
    ASSERT_EQ(list.count(), 2);
    EXPECT_TRUE(list.item(0)->text().endsWith("BETA"));
    FillEstablishmentCheckList(&list, "2009", 'S', '1');
    EXPECT_TRUE(list.item(0)->text().endsWith("ALFA"));
    EXPECT_EQ(list.item(0)->checkState(), Qt::Unchecked);
}

TEST_F(ListasFixture, CollectedByNameLinesKeepTheContractKey) {
    // Two contracts that the 65-character lines cannot tell apart: the same
    // long name, a PIS/PASEP of zeros and different admission dates.
    const QString name = "MARIA DA CONCEICAO DOS SANTOS OLIVEIRA PEREIRA SILVA";  // 52 characters
    ASSERT_EQ(name.size(), 52);
    contract("00000000000", "01022009", name, "000001");
    contract("00000000000", "15062009", name, "000002");
    contract("12345678901", "01012009", "ANA", "000003");
    QListWidget list;
    FillEmployeeCheckList(&list, "2009", "11222333000181", "01", '1');
    ASSERT_EQ(list.count(), 3);
    EXPECT_EQ(list.item(1)->text().size(), 80);
    for (int i = 0; i < list.count(); ++i) list.item(i)->setCheckState(i == 0 ? Qt::Unchecked : Qt::Checked);

    CheckedLines lines;
    EXPECT_EQ(CollectCheckedLines(&list, lines), 2);
    ASSERT_EQ(lines.size(), 2);
    EXPECT_EQ(lines.Line(0).size(), 65);
    EXPECT_TRUE(lines.Line(0).endsWith(name + "  000.00000.0"));
    EXPECT_EQ(lines.Line(0), lines.Line(1));  // what the cut loses...
    EXPECT_NE(lines.Key(0), lines.Key(1));    // ...the key keeps
    EXPECT_EQ(lines.Key(0),
              QStringList({"2009", "11222333000181", "01", "00000000000", "01022009", name, "000001", "", "", "", ""}));
    EXPECT_EQ(lines.Key(1).at(4), "15062009");
}

TEST_F(ListasFixture, ARefilledListKeysEachLineByItsOwnFill) {
    establishment("11222333000181", "1", "01", "BETA");
    establishment("11444777000161", "1", "01", "ALFA");
    contract("12345678901", "01012009", "ANA", "000001");
    contract("12345678902", "01012009", "BIA", "000002");
    contract("12345678903", "01012009", "CAIO", "000003");
    contract("22345678901", "02022009", "ZECA", "000004", "11444777000161");
    contract("32345678901", "03032009", "ABEL", "000005", "11444777000161");
    QListWidget list;
    FillEmployeeCheckList(&list, "2009", "11222333000181", "01", '0');
    ASSERT_EQ(list.count(), 3);
    FillEmployeeCheckList(&list, "2009", "11444777000161", "01", '1');
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(list.item(0)->text(), EmployeeLine("32345678901", "03032009", "ABEL", '1'));
    EXPECT_EQ(LineKey(&list, 1),
              QStringList({"2009", "11444777000161", "01", "22345678901", "02022009", "ZECA", "000004", "", "", "", ""}));
    EXPECT_EQ(LineKey(&list, 2), QStringList());  // no such line
    list.item(1)->setCheckState(Qt::Checked);
    CheckedLines lines;
    ASSERT_EQ(CollectCheckedLines(&list, lines), 1);
    EXPECT_EQ(lines.Line(0), EmployeeLine("22345678901", "02022009", "ZECA", '1').left(65));
    EXPECT_EQ(lines.Key(0), LineKey(&list, 1));

    FillEstablishmentCheckList(&list, "2009", 'S', '1');
    ASSERT_EQ(list.count(), 2);
    EXPECT_EQ(LineKey(&list, 0), QStringList({"2009", "11444777000161", "01"}));
    EXPECT_EQ(LineKey(&list, 1), QStringList({"2009", "11222333000181", "01"}));
    // The lines collected before the list was filled again are still whole.
    EXPECT_EQ(lines.Line(0), EmployeeLine("22345678901", "02022009", "ZECA", '1').left(65));
    EXPECT_EQ(lines.Key(0),
              QStringList({"2009", "11444777000161", "01", "22345678901", "02022009", "ZECA", "000004", "", "", "", ""}));
    // An establishment's line, which its key cannot make, is collected as shown.
    list.item(0)->setCheckState(Qt::Checked);
    ASSERT_EQ(CollectCheckedLines(&list, lines), 1);
    EXPECT_EQ(lines.Line(0), list.item(0)->text().left(65));
    EXPECT_EQ(lines.Key(0), QStringList({"2009", "11444777000161", "01"}));
}

TEST_F(ListasFixture, EmployeeLinesByPis) {
    contract("12345678901", "01012009", "ANA", "000003");
    QListWidget list;
    FillEmployeeCheckList(&list, "2009", "11222333000181", "01", '0');
    ASSERT_EQ(list.count(), 1);
    EXPECT_EQ(list.item(0)->text(), "123.45678.90.1  01/01/2009  ANA");
    EXPECT_EQ(MaxItemLength(&list), 31);
    QListWidget empty;
    EXPECT_EQ(MaxItemLength(&empty), 0);
}

TEST_F(ListasFixture, InterruptedOperationsAreReportedOnceAndCleared) {
    struct Case {
        QString marker, code;
    } cases[] = {{"0", "0500"}, {"1", "0501"}, {"3", "0502"}, {"4", "0503"}, {"5", "0504"}, {"2", ""}};
    int n = 0;
    for (const Case& c : cases) {
        const QString cnpj = QStringLiteral("112223330%1").arg(10000 + n++);
        establishment(cnpj, "1", "01", "EMPRESA", "0", c.marker);
        ScriptedMessages boxes;
        boxes.acceptOkBoxes();
        RecoverInterruptedOperation("2009", cnpj, "01");
        EXPECT_EQ(boxes.codes(), c.code.isEmpty() ? QStringList() : QStringList{c.code}) << c.marker.toStdString();
        if (!c.code.isEmpty()) {
            EXPECT_EQ(boxes.shown().at(0).kind, msg::BoxKind::Information);
            EXPECT_TRUE(boxes.texts().at(0).startsWith(FormatInscricao(cnpj, "1") + "  - 01  - EMPRESA   ")) << boxes.texts().at(0).toStdString();
        }
        EXPECT_EQ(marker(cnpj), QString()) << c.marker.toStdString();
        boxes.clear();
        RecoverInterruptedOperation("2009", cnpj, "01");
        EXPECT_TRUE(boxes.shown().isEmpty());
    }
    ScriptedMessages none;
    RecoverInterruptedOperation("2009", "99999999999999", "01");  // no such row
    EXPECT_TRUE(none.shown().isEmpty());
}
