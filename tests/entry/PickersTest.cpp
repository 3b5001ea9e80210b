#include "entry/StartupPickers.h"
#include "entry/ufmMesesAno.h"
#include "entry/ufmTb8Afast.h"
#include "entry/ufmTb8CBO.h"
#include "entry/ufmTb8Munic.h"
#include "entry/ufmTb8NatJu.h"
#include "entry/ufmTb8Raca.h"
#include "entry/ufmTb8TpSal.h"
#include "entry/ufmTb8Vinc.h"
#include "entry/ufmTb8cnae.h"
#include "entry/ufmtb8Deficiente.h"
#include "entry/ufmtb8Instr.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTreeWidget>
#include <gtest/gtest.h>

namespace {

QStringList rootTexts(QTreeWidget* tree) {
    QStringList texts;
    for (int i = 0; i < tree->topLevelItemCount(); ++i) texts << tree->topLevelItem(i)->text(0);
    return texts;
}

QTreeWidgetItem* nodeStartingWith(QTreeWidget* tree, const QString& prefix) {
    for (QTreeWidgetItem* n : TreeNodesInDisplayOrder(tree))
        if (n->text(0).startsWith(prefix)) return n;
    return nullptr;
}

void clickNode(QTreeWidget* tree, QTreeWidgetItem* node, bool twice = false) {
    tree->scrollToItem(node);
    const QPoint at = tree->visualItemRect(node).center();
    QTest::mouseClick(tree->viewport(), Qt::LeftButton, {}, at);
    if (twice) QTest::mouseDClick(tree->viewport(), Qt::LeftButton, {}, at);
}

// A contract being edited, with the lookup rows the tests need.
class Pickers : public ::testing::Test {
protected:
    TempProgramWithModules program;
    db::Table& contract = dmEntradaDados->ta8Empreg;

    void SetUp() override {
        contract.Open();
        contract.Append();
    }
    void TearDown() override {
        contract.Cancel();
        contract.Close();
    }
    QString field(const char* name) { return contract.FieldByName(QString::fromLatin1(name)).AsString(); }
    // The program reads lookups read-only; the fixture writes through a table of its own.
    static void replaceRows(db::Table& lookup, const QList<QMap<QString, QString>>& rows) {
        db::Table table(dmLobrix->dbZuvo, lookup.TableName());
        table.Open();
        table.EmptyTable();
        for (const auto& row : rows) AppendRow(table, row);
        table.Close();
    }
};

TEST_F(Pickers, FlatPickerListsTheTableAndWritesOnlyTheCode) {
    replaceRows(dmLobrix->taRaca, {{{"CoRaca", "2"}, {"NoRaca", "BRANCA"}}, {{"CoRaca", "1"}, {"NoRaca", "INDIGENA"}}});
    TfmTb8Raca picker;
    EXPECT_EQ(picker.windowTitle(), QStringLiteral("Relação de Raça/Cor"));
    EXPECT_EQ(rootTexts(picker.TreeView1), (QStringList{"1  - INDIGENA", "2  - BRANCA"}));
    ASSERT_TRUE(gui::showActive(&picker));
    clickNode(picker.TreeView1, picker.TreeView1->topLevelItem(1));
    EXPECT_TRUE(picker.isVisible()) << "a single click only selects";
    EXPECT_EQ(field("CoTipoRaca"), QString());
    clickNode(picker.TreeView1, picker.TreeView1->topLevelItem(1), true);
    // "2 " copied; the 1-character field keeps the code.
    EXPECT_EQ(field("CoTipoRaca"), QStringLiteral("2"));
    EXPECT_FALSE(picker.isVisible());
}

TEST_F(Pickers, SingleClickPickersChooseAtOnceAndEnterChoosesEverywhere) {
    replaceRows(dmLobrix->taSalario, {{{"CoTipoSalarioContratual", "1"}, {"NoTipoSalarioContratual", "MENSAL"}},
                                      {{"CoTipoSalarioContratual", "5"}, {"NoTipoSalarioContratual", "HORARIO"}}});
    TfmTb8TpSal salary;
    ASSERT_TRUE(gui::showActive(&salary));
    clickNode(salary.TreeView1, salary.TreeView1->topLevelItem(1));
    EXPECT_EQ(field("CoTipoSalarioContratual"), QStringLiteral("5"));
    EXPECT_FALSE(salary.isVisible());

    TfmTb8Instr education;
    ASSERT_TRUE(gui::showActive(&education));
    QTreeWidgetItem* node = nodeStartingWith(education.TreeView1, QStringLiteral("05"));
    ASSERT_NE(node, nullptr);
    education.TreeView1->setFocus();
    education.TreeView1->setCurrentItem(node);
    QTest::keyClick(education.TreeView1, Qt::Key_Return);
    EXPECT_EQ(field("CoInstrucao"), QStringLiteral("05"));
}

TEST_F(Pickers, NothingSelectedOrAnEmptyTableChoosesNothing) {
    replaceRows(dmLobrix->taRaca, {});
    TfmTb8Raca picker;
    EXPECT_EQ(picker.TreeView1->topLevelItemCount(), 0);
    ASSERT_TRUE(gui::showActive(&picker));
    picker.SelectCode();
    EXPECT_TRUE(picker.isVisible());
    EXPECT_EQ(field("CoTipoRaca"), QString());
}

TEST_F(Pickers, MonthPickerWritesTheMonthOfItsTargetOnly) {
    contract.FieldByName(QStringLiteral("Me13ParcelaFinalEmpregado")).SetAsString(QStringLiteral("11"));
    PickAdvanceMonth = true;
    TfmMesesAno picker;
    EXPECT_EQ(picker.TreeView1->topLevelItemCount(), 12);
    EXPECT_EQ(picker.TreeView1->topLevelItem(2)->text(0), QStringLiteral("03 - Março"));
    ASSERT_TRUE(gui::showActive(&picker));
    clickNode(picker.TreeView1, picker.TreeView1->topLevelItem(11));
    EXPECT_EQ(field("Me13AdiantamentoEmpregado"), QStringLiteral("12"));
    EXPECT_EQ(field("Me13ParcelaFinalEmpregado"), QStringLiteral("11"));
    EXPECT_FALSE(picker.isVisible());
}

TEST_F(Pickers, AbsenceSlotAndDisabilityDescription) {
    replaceRows(dmLobrix->TaAfastamento, {{{"CoAfastamento", "10"}, {"NoAfastamento", "DOENCA"}}});
    AbsenceSlot = 2;
    TfmTb8Afast absence;
    absence.TreeView1->setCurrentItem(absence.TreeView1->topLevelItem(0));
    absence.SelectCode();
    EXPECT_EQ(field("CoMotivoSeguAfas"), QStringLiteral("10"));
    EXPECT_EQ(field("CoMotivoPrimAfas"), QString());
    AbsenceSlot = 1;

    replaceRows(dmLobrix->taDeficiente, {{{"CoTipoDeficiencia", "3"}, {"NoTipoDeficiencia", "VISUAL"}}});
    QWidget employeeForm;
    auto* box = new QLineEdit(&employeeForm);
    box->setObjectName(QStringLiteral("edTxDeficiente"));
    TfmTb8Deficiente disability(&employeeForm);
    disability.TreeView1->setCurrentItem(disability.TreeView1->topLevelItem(0));
    disability.SelectCode();
    EXPECT_EQ(field("CoDeficienteFisico"), QStringLiteral("3"));
    EXPECT_EQ(box->text(), QStringLiteral("VISUAL"));
}

TEST_F(Pickers, HierarchicalPickersChooseOnlyTheBottomLevel) {
    dmEntradaDados->ta8Empresa.Open();
    dmEntradaDados->ta8Empresa.Append();
    replaceRows(dmLobrix->taCNAE, {{{"CoCnae", "01"}, {"NoCnae", "AGRICULTURA"}},
                                   {{"CoCnae", "0113000"}, {"NoCnae", "CANA"}},
                                   {{"CoCnae", "0111301"}, {"NoCnae", "ARROZ"}},
                                   {{"CoCnae", "05"}, {"NoCnae", "CARVAO"}},
                                   {{"CoCnae", "0500301"}, {"NoCnae", "CARVAO MINERAL"}}});
    TfmTb8Cnae activity;
    ASSERT_EQ(activity.TreeView1->topLevelItemCount(), 2);
    QTreeWidgetItem* section = activity.TreeView1->topLevelItem(0);
    EXPECT_EQ(section->text(0), QStringLiteral("01  - AGRICULTURA"));
    ASSERT_EQ(section->childCount(), 2);
    EXPECT_EQ(section->child(0)->text(0), QStringLiteral("0111301  - ARROZ"));  // kept sorted by text

    ASSERT_TRUE(gui::showActive(&activity));
    activity.TreeView1->setCurrentItem(section);
    activity.SelectCode();
    EXPECT_TRUE(activity.isVisible()) << "a section is no activity";
    // Enter on a section expands it with everything below.
    activity.TreeView1->setFocus();
    QTest::keyClick(activity.TreeView1, Qt::Key_Return);
    EXPECT_TRUE(section->isExpanded());
    activity.TreeView1->setCurrentItem(section->child(1));
    QTest::mouseClick(activity.BitBtn3, Qt::LeftButton);
    EXPECT_EQ(dmEntradaDados->ta8Empresa.FieldByName(QStringLiteral("CoCnae2")).AsString(), QStringLiteral("0113000"));
    EXPECT_FALSE(activity.isVisible());
    dmEntradaDados->ta8Empresa.Cancel();
    dmEntradaDados->ta8Empresa.Close();

    replaceRows(dmLobrix->taCBO, {{{"CoCbo", "21"}, {"NoCbo", "PROFISSIONAIS DAS CIENCIAS"}},
                                  {{"CoCbo", "212"}, {"NoCbo", "INFORMATICA"}},
                                  {{"CoCbo", "2124"}, {"NoCbo", "ANALISTAS DE SISTEMAS"}},
                                  {{"CoCbo", "212405"}, {"NoCbo", "ANALISTA DE DESENVOLVIMENTO"}}});
    TfmTb8CBO occupation;
    QTreeWidgetItem* leaf = nodeStartingWith(occupation.TreeView1, QStringLiteral("212405"));
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->parent()->text(0).left(4), QStringLiteral("2124"));
    EXPECT_EQ(leaf->parent()->parent()->parent()->text(0).left(2), QStringLiteral("21"));
    for (const char* family : {"21 ", "212 ", "2124"}) {
        occupation.TreeView1->setCurrentItem(nodeStartingWith(occupation.TreeView1, QString::fromLatin1(family)));
        occupation.SelectCode();
        EXPECT_EQ(field("CoCbo"), QString()) << family;
    }
    occupation.TreeView1->setCurrentItem(leaf);
    occupation.SelectCode();
    EXPECT_EQ(field("CoCbo"), QStringLiteral("212405"));
}

TEST_F(Pickers, SearchFindsCapitalsGoesBothWaysAndSaysWhenItEnds) {
    replaceRows(dmLobrix->taMunicipio, {{{"CoMunicipio", "53"}, {"NoMunicipio", "DISTRITO FEDERAL"}},
                                        {{"CoMunicipio", "5300108"}, {"NoMunicipio", "BRASILIA"}},
                                        {{"CoMunicipio", "52"}, {"NoMunicipio", "GOIAS"}},
                                        {{"CoMunicipio", "5208707"}, {"NoMunicipio", "GOIÂNIA"}},
                                        {{"CoMunicipio", "5201405"}, {"NoMunicipio", "APARECIDA DE GOIANIA"}}});
    ScriptedMessages messages;
    messages.acceptOkBoxes();
    TfrmT8Munic picker;
    ASSERT_TRUE(gui::showActive(&picker));
    struct Step {
        const char* text;
        bool forward;
        const char* expected;   // the node selected afterwards
        const char* box;        // the box shown, if any
    };
    const Step steps[] = {
        {"goian", true, "5201405  - APARECIDA DE GOIANIA", nullptr},  // nothing selected: from the top
        {"goian", true, "5208707  - GOIÂNIA", nullptr},  // accents do not count, either side
        {"goian", true, "5208707  - GOIÂNIA", "Fim da Pesquisa"},
        {"goiân", false, "5201405  - APARECIDA DE GOIANIA", nullptr},
        {"goiân", false, "5201405  - APARECIDA DE GOIANIA", "Fim da pesquisa"},
        {"goi", false, "52  - GOIAS", nullptr},
        {"goi", true, "5201405  - APARECIDA DE GOIANIA", nullptr},
        {"goi", true, "5208707  - GOIÂNIA", nullptr},
        {"", true, "5208707  - GOIÂNIA", "Fim da Pesquisa"},
    };
    for (const Step& s : steps) {
        SCOPED_TRACE(std::string(s.text) + (s.forward ? " next" : " prev"));
        messages.clear();
        picker.Edit1->setText(QString::fromUtf8(s.text));
        s.forward ? picker.FindNextNode() : picker.FindPrevNode();
        ASSERT_NE(picker.TreeView1->currentItem(), nullptr);
        EXPECT_EQ(picker.TreeView1->currentItem()->text(0), QString::fromUtf8(s.expected));
        EXPECT_EQ(messages.texts(), s.box ? QStringList{QString::fromUtf8(s.box)} : QStringList{});
    }
    EXPECT_TRUE(picker.TreeView1->currentItem()->parent() == nullptr ||
                picker.TreeView1->currentItem()->parent()->isExpanded());
}

TEST_F(Pickers, SearchTextIsCheckedWhenTheBoxIsLeft) {
    ScriptedMessages messages;
    messages.acceptOkBoxes();
    TfrmT8Munic picker;
    ASSERT_TRUE(gui::showActive(&picker));
    // An accented letter passes as its plain letter; a quotation mark does not.
    const std::pair<const char*, const char*> cases[] = {{"GO", "0010"}, {"GÔ", "0010"}, {"GO\"I", "0020"}};
    for (const auto& [text, code] : cases) {
        SCOPED_TRACE(text);
        messages.clear();
        picker.Edit1->setFocus();
        QApplication::processEvents();
        picker.Edit1->setText(QString::fromUtf8(text));
        // Próxima pressed with the mouse: the box's check comes first and the search does not run.
        gui::click(picker.btnNext);
        EXPECT_EQ(messages.codes(), QStringList{QString::fromLatin1(code)});
        EXPECT_EQ(QApplication::focusWidget(), picker.Edit1);
    }
    // A search text with accents, as the descriptions have them, is taken.
    messages.clear();
    picker.Edit1->setFocus();
    QApplication::processEvents();
    picker.Edit1->setText(QString::fromUtf8("administração pública"));
    gui::click(picker.btnNext);
    EXPECT_FALSE(messages.codes().contains("0020"));
    EXPECT_FALSE(messages.codes().contains("0010"));
    EXPECT_EQ(SearchKey(QString::fromUtf8("administração pública")), SearchKey("ADMINISTRACAO PUBLICA"));
}

TEST_F(Pickers, SelectMunicipalityWritesOnlyAChoiceOfThisShowing) {
    replaceRows(dmLobrix->taMunicipio, {{{"CoMunicipio", "53"}, {"NoMunicipio", "DISTRITO FEDERAL"}},
                                        {{"CoMunicipio", "5300108"}, {"NoMunicipio", "BRASILIA"}}});
    CreateStartupPickers();
    FormsScript script;
    script.expect(QStringLiteral("frmT8Munic"), [](QWidget* form) {
        auto* picker = static_cast<TfrmT8Munic*>(form);
        picker->TreeView1->setCurrentItem(nodeStartingWith(picker->TreeView1, QStringLiteral("5300108")));
        picker->SelectCode();
        return forms::mrNone;
    });
    script.expect(QStringLiteral("frmT8Munic"), forms::mrCancel);

    db::Field& workplace = contract.FieldByName(QStringLiteral("CoMunicipioTrabalho"));
    EXPECT_TRUE(TfrmT8Munic::SelectMunicipality(workplace));
    EXPECT_EQ(workplace.AsString(), QStringLiteral("5300108"));
    workplace.SetAsString(QStringLiteral("5208707"));
    EXPECT_FALSE(TfrmT8Munic::SelectMunicipality(workplace));  // closed without a choice
    EXPECT_EQ(workplace.AsString(), QStringLiteral("5208707"));
    EXPECT_TRUE(script.unexpected().isEmpty());
    FreeStartupPickers();
}

// Enter in a picker that has just opened takes the entry drawn as the current
// one, whether the picker chooses on a single click (the months) or on a
// double click (the contract types).
TEST_F(Pickers, EnterInAJustOpenedPickerTakesTheHighlightedEntry) {
    PickAdvanceMonth = false;
    TfmMesesAno months;
    TfmTb8Vinc types;
    const struct {
        TLookupPicker* picker;
        const char* field;
    } cases[] = {{&months, "Me13ParcelaFinalEmpregado"}, {&types, "CoVinculo"}};
    for (const auto& c : cases) {
        SCOPED_TRACE(c.field);
        ASSERT_TRUE(gui::showActive(c.picker));
        ASSERT_EQ(gui::focused(), c.picker->TreeView1);
        QTreeWidgetItem* current = c.picker->TreeView1->currentItem();
        ASSERT_NE(current, nullptr);
        gui::key(Qt::Key_Return);
        EXPECT_FALSE(c.picker->isVisible());
        EXPECT_FALSE(field(c.field).isEmpty());
        EXPECT_TRUE(current->text(0).startsWith(field(c.field))) << current->text(0).toStdString();
    }
}

}  // namespace
