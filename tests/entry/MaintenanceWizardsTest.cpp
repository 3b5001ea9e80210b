#include "entry/MaintenanceWizards.h"
#include "entry/QueryGrid.h"
#include "entry/ufmAltVinculo00.h"
#include "entry/ufmAltVinculo01.h"
#include "entry/ufmAltVinculo02.h"
#include "entry/ufmConEstab.h"
#include "entry/ufmCopEstab00.h"
#include "entry/ufmCopEstab03.h"
#include "entry/ufmExclMult00.h"
#include "entry/ufmExclMult04.h"
#include "entry/ufmTipoInscricao.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/TickList.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugListasAssistente.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ScriptedMessages.h"
#include "support/ValidDeclaration.h"

#include <QAction>
#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>
#include <QTextDocument>
#include <gtest/gtest.h>
#include <sqlite3.h>

static void PrintTo(const QString& text, std::ostream* os) { *os << '"' << text.toStdString() << '"'; }

namespace {

using Row = QMap<QString, QString>;

// Valid both as a CNPJ and as a CEI ("00" + 12 digits).
const QString kBoth = QStringLiteral("00100009000174");
const QString kName52 = QStringLiteral("MARIA DA CONCEICAO DOS SANTOS OLIVEIRA PEREIRA SILVA");

using gui::child;
using gui::clickChild;
using gui::settle;

// The offscreen platform activates no window by itself; the page takes the
// focus it gave itself when shown.
void activate(QWidget* page) {
    QWidget* wanted = page->focusWidget();
    QApplication::setActiveWindow(page);
    settle();
    if (wanted && QApplication::focusWidget() != wanted) wanted->setFocus();
    settle();
}

// Alt + the key on the page, as the user presses an access key.
void accessKey(QWidget* page, Qt::Key key) {
    activate(page);
    QWidget* focus = QApplication::focusWidget();
    QTest::keyClick(focus && page->isAncestorOf(focus) ? focus : page, key, Qt::AltModifier);
    settle();
}

// A click on the text of a line (not on its box).
void clickLineText(forms::TickList* list, int row) {
    list->scrollToItem(list->item(row));
    const QRect r = list->visualItemRect(list->item(row));
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {}, QPoint(r.left() + 60, r.center().y()));
    QTest::qWait(QApplication::doubleClickInterval() + 20);
}

// Chooses the combo's entry whose line holds `text`, as the keyboard would.
void choose(QComboBox* combo, const QString& text) {
    const int index = combo->findText(text, Qt::MatchContains);
    ASSERT_GE(index, 0) << text.toStdString();
    combo->setFocus();
    combo->setCurrentIndex(index);
    emit combo->activated(index);
}

class MaintenanceWizards : public ::testing::Test {
protected:
    TempProgramWithModules program;
    ScriptedMessages messages;

    void SetUp() override {
        messages.acceptOkBoxes();
        ASSERT_EQ(CheckInscription(kBoth), "0050");
    }
    void TearDown() override {
        delete fmConEstab;
        fmConEstab = nullptr;
    }
    void store(const QString& table, const Row& row) { StoreRow(dmLobrix->dbZuvo, table, row); }
    QList<Row> rows(const QString& table) { return ReadRows(dmLobrix->dbZuvo, table); }
    QList<Row> contractsOf(const Row& e) {
        QList<Row> out;
        for (const Row& r : rows("Bd8vinc.DB"))
            if (r.value("AnBase") == e.value("AnBase") &&
                r.value("CoCgcCeiEstabelecimento") == e.value("CoCgcCeiEstabelecimento") &&
                r.value("NuPrefixoEstabelecimento") == e.value("NuPrefixoEstabelecimento"))
                out << r;
        return out;
    }
    Row establishmentRow(const QString& inscricao, const QString& prefixo) {
        for (const Row& r : rows("Bd8emp.DB"))
            if (r.value("CoCgcCeiEstabelecimento") == inscricao && r.value("NuPrefixoEstabelecimento") == prefixo)
                return r;
        return {};
    }
    Row estab(int n, int contracts, const Row& overrides = {}) {
        Row e = valid::With(valid::Establishment(n, contracts), overrides);
        store("Bd8emp.DB", e);
        for (int i = 0; i < contracts; ++i) store("Bd8vinc.DB", valid::Contract(e, n * 100 + i));
        return e;
    }
    Row contract(const Row& e, int n, const Row& overrides) {
        Row c = valid::With(valid::Contract(e, n), overrides);
        store("Bd8vinc.DB", c);
        return c;
    }
    // Fills the list as the wizard does, ticks the lines whose key `pick` wants, and collects them.
    CheckedLines ticked(const Row& e, QChar order, const std::function<bool(const QStringList&)>& pick) {
        forms::TickList list;
        FillEmployeeCheckList(&list, "2009", e.value("CoCgcCeiEstabelecimento"), e.value("NuPrefixoEstabelecimento"),
                              order);
        for (int i = 0; i < list.count(); ++i) list.SetTicked(i, pick(LineKey(&list, i)));
        CheckedLines lines;
        CollectCheckedLines(&list, lines);
        return lines;
    }
    int deleteTicked(const Row& e, QChar order, const std::function<bool(const QStringList&)>& pick) {
        return DeleteSelectedEmployees(ticked(e, order, pick), "2009", e.value("CoCgcCeiEstabelecimento"),
                                       e.value("NuPrefixoEstabelecimento"));
    }
};

// ---- multi-delete ---------------------------------------------------------------

// A contract is told by its sequence and occupation ("000001:513205").
QString tag(const QStringList& key) { return key.value(6) + ':' + key.value(10); }
QString tag(const Row& r) { return r.value("NuSequencialRegistro") + ':' + r.value("CoCbo"); }

TEST_F(MaintenanceWizards, MultiDeleteRemovesExactlyTheTickedContractsAndRecounts) {
    const QString cei = valid::Cei(QStringLiteral("51234567890")).mid(2);
    ASSERT_EQ(cei.size(), 12);
    auto seq = [](int n) { return Row{{"NuSequencialRegistro", QStringLiteral("%1").arg(n, 6, 10, QLatin1Char('0'))}}; };
    auto with = [](Row a, const Row& b) { return valid::With(a, b); };
    const Row zeroPis{{"CoPisPasepEmpregado", "00000000000"}, {"NoEmpregado", kName52}, {"DaAdmissaoEmpregado", "01022009"}};
    struct Case {
        const char* what;
        Row establishment;
        QList<Row> contracts;
        QChar order;
        QStringList tick;        // tags
        int deleted;
        QString count, foreigners;
    };
    QList<Row> ten;
    for (int i = 1; i <= 10; ++i) ten << seq(i);
    const Case cases[] = {
        {"3 of 10", {}, ten, '0', {"000002:513205", "000005:513205", "000009:513205"}, 3, "000007", "00000"},
        {"a CEI establishment",
         {{"CoCgcCeiEstabelecimento", "00" + cei}, {"InInscrEstabelecimento", "3"}},
         {seq(1), seq(2), seq(3), seq(4)}, '0', {"000001:513205", "000003:513205"}, 2, "000002", "00000"},
        {"two contracts differing only in CoCbo",
         {},
         {with(seq(7), {{"CoPisPasepEmpregado", valid::ContractPis(1)}, {"NoEmpregado", "JOSE"}, {"CoCbo", "513205"}}),
          with(seq(7), {{"CoPisPasepEmpregado", valid::ContractPis(1)}, {"NoEmpregado", "JOSE"}, {"CoCbo", "514320"}})},
         '0', {"000007:514320"}, 1, "000001", "00000"},
        {"zero PIS/PASEP and a 52-character name, by PIS/PASEP",
         {}, {with(seq(1), zeroPis), with(seq(2), zeroPis)}, '0', {"000002:513205"}, 1, "000001", "00000"},
        {"zero PIS/PASEP and a 52-character name, by name",
         {}, {with(seq(1), zeroPis), with(seq(2), zeroPis)}, '1', {"000001:513205"}, 1, "000001", "00000"},
        {"quotes and a backslash in a name",
         {}, {with(seq(1), {{"NoEmpregado", "JOAO \"ZE\" D\\AVILA"}}), seq(2)}, '0', {"000001:513205"}, 1,
         "000001", "00000"},
        {"foreigners recounted",
         {{"NuEstrangeirosEstabelec", "00002"}},
         {with(seq(1), {{"CoNacionalidade", "20"}}), with(seq(2), {{"CoNacionalidade", "20"}}), seq(3)},
         '0', {"000001:513205"}, 1, "000002", "00001"},
    };
    int n = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        Row e = valid::With(valid::Establishment(n, int(c.contracts.size())),
                            valid::With({{"NuPrefixoEstabelecimento", "01"}}, c.establishment));
        store("Bd8emp.DB", e);
        int i = 0;
        for (const Row& over : c.contracts) {
            store("Bd8vinc.DB", valid::With(valid::Contract(e, n * 100 + i++), over));
        }
        // The same contracts under another prefix are not touched.
        store("Bd8vinc.DB", valid::With(valid::Contract(e, 1), {{"NuPrefixoEstabelecimento", "02"}}));
        QStringList expectedLeft;
        for (const Row& r : contractsOf(e))
            if (!c.tick.contains(tag(r))) expectedLeft << tag(r);
        EXPECT_EQ(deleteTicked(e, c.order, [&](const QStringList& k) { return c.tick.contains(tag(k)); }), c.deleted);
        QStringList left;
        for (const Row& r : contractsOf(e)) left << tag(r);
        EXPECT_EQ(left, expectedLeft);
        const Row after = establishmentRow(e.value("CoCgcCeiEstabelecimento"), "01");
        EXPECT_EQ(after.value("NuVinculosEstabelecimento"), c.count);
        EXPECT_EQ(after.value("NuEstrangeirosEstabelec"), c.foreigners);
        EXPECT_EQ(after.value("InOpcaoAberta"), "");
        ++n;
    }
    int otherPrefix = 0;
    for (const Row& r : rows("Bd8vinc.DB")) otherPrefix += r.value("NuPrefixoEstabelecimento") == "02";
    EXPECT_EQ(otherPrefix, int(std::size(cases)));
    EXPECT_TRUE(messages.shown().isEmpty());
}

TEST_F(MaintenanceWizards, ThousandsOfTickedContractsAreDeletedExactly) {
    // More lines than one statement takes: the lines left unticked sit on
    // either side of where one statement's lines end and the next one's begin.
    const int contracts = 2300;
    const Row e = valid::Establishment(1, contracts);
    store("Bd8emp.DB", e);
    {
        db::Transaction tx(*dmLobrix->dbZuvo);
        db::Table vinc(dmLobrix->dbZuvo, QStringLiteral("Bd8vinc.DB"));
        vinc.Open();
        for (int i = 0; i < contracts; ++i) valid::Append(vinc, valid::Contract(e, i));
        vinc.Close();
        tx.commit();
    }
    forms::TickList list;
    FillEmployeeCheckList(&list, "2009", e.value("CoCgcCeiEstabelecimento"), "00", '0');
    ASSERT_EQ(list.count(), contracts);
    const QList<int> kept = {0, 998, 999, 1000, 1001, 1999, 2000, contracts - 1};
    QStringList expectedLeft;
    for (int i = 0; i < list.count(); ++i) {
        list.SetTicked(i, !kept.contains(i));
        if (kept.contains(i)) expectedLeft << tag(LineKey(&list, i));
    }
    CheckedLines lines;
    ASSERT_EQ(CollectCheckedLines(&list, lines), contracts - int(kept.size()));
    EXPECT_EQ(DeleteSelectedEmployees(lines, "2009", e.value("CoCgcCeiEstabelecimento"), "00"),
              contracts - int(kept.size()));
    QStringList left;
    for (const Row& r : contractsOf(e)) left << tag(r);
    left.sort();
    expectedLeft.sort();
    EXPECT_EQ(left, expectedLeft);
    EXPECT_EQ(establishmentRow(e.value("CoCgcCeiEstabelecimento"), "00").value("NuVinculosEstabelecimento"),
              QStringLiteral("%1").arg(kept.size(), 6, 10, QLatin1Char('0')));
}

TEST_F(MaintenanceWizards, MultiDeleteWalkedAsAUser) {
    // A multi-delete that stopped half-way is reported when the establishment is chosen.
    const Row e = estab(1, 5, {{"NoRazaoEstabelecimento", "ALFA LTDA"}, {"InOpcaoAberta", "4"}});
    estab(2, 3, {{"NoRazaoEstabelecimento", "BETA SA"}});
    estab(3, 0, {{"NoRazaoEstabelecimento", "SEM EMPREGADOS"}, {"InZuvoNegEstabelecimento", "1"}});
    QStringList names;
    for (const Row& r : contractsOf(e)) names << r.value("NoEmpregado");
    names.sort();
    FormsScript script;
    script.expect("fmExclMult00", [](QWidget* p) {
        clickChild(p, "btAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmExclMult01", [](QWidget* p) {
        auto* combo = child<QComboBox>(p, "cbEstabelecimentos");
        EXPECT_EQ(combo->count(), 2);  // the declaration without employees is not offered
        EXPECT_EQ(combo->currentIndex(), -1);
        clickChild(p, "btAvancar");  // nothing chosen
        choose(combo, "ALFA LTDA");
        clickChild(p, "btAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmExclMult02", [&](QWidget* p) {
        EXPECT_EQ(child<QLineEdit>(p, "edNomeEstabelecimento")->text(), "ALFA LTDA");
        EXPECT_EQ(child<QLineEdit>(p, "edPrefixo")->text(), "00");
        QTest::mouseClick(child<ui::RadioGroup>(p, "rgOrdem")->Button(1), Qt::LeftButton);
        clickChild(p, "btAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmExclMult03", [&](QWidget* p) {
        auto* list = child<forms::TickList>(p, "clVinculos");
        EXPECT_EQ(list->count(), 5);
        EXPECT_TRUE(list->item(0)->text().startsWith(names[0]));  // in name order
        clickChild(p, "btAvancar");  // nothing ticked
        clickLineText(list, 0);
        clickLineText(list, 3);
        clickChild(p, "btAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmExclMult04", [](QWidget* p) {
        EXPECT_EQ(child<QLineEdit>(p, "edTotalEmpregados")->text(), "2");
        accessKey(p, Qt::Key_C);
        return int(forms::mrNone);
    });
    StartMultiDeleteWizard();
    settle();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(messages.codes().mid(0, 3), (QStringList{"1301", "0503", "1310"}));
    EXPECT_TRUE(messages.texts().contains("2 Empregado(s) excluído(s) com sucesso.")) << messages.texts().join('|').toStdString();
    QStringList left;
    for (const Row& r : contractsOf(e)) left << r.value("NoEmpregado");
    left.sort();
    EXPECT_EQ(left, (QStringList{names[1], names[2], names[4]}));
    EXPECT_EQ(establishmentRow(e.value("CoCgcCeiEstabelecimento"), "00").value("NuVinculosEstabelecimento"), "000003");
}

// ---- transfer -----------------------------------------------------------------------

class Transfer : public MaintenanceWizards {
protected:
    // Page 4 of a wizard whose earlier pages chose `source` and the contracts `pick` wants.
    QStringList transfer(const Row& source, const std::function<bool(const QStringList&)>& pick,
                         const QString& typed, const QString& prefixo) {
        messages.clear();
        TfmCopEstab00 wizard;
        wizard.AnoBase = "2009";
        wizard.Inscricao = source.value("CoCgcCeiEstabelecimento");
        wizard.Prefixo = source.value("NuPrefixoEstabelecimento");
        wizard.Linhas = ticked(source, '0', pick);
        TfmCopEstab03* page = wizard.fmCopEstab03.get();
        page->show();
        settle();
        ui::SetEditValue(page->mdCGCCEI, typed);
        page->edPrefixo->setText(prefixo);
        page->BtConcluirClick();  // the access key: neither box was left
        return messages.codes();
    }
    QList<Row> listedUnder(const Row& dest) {
        // What the destination's employee list shows: its identity whole.
        QList<Row> out;
        for (const Row& r : contractsOf(dest))
            if (r.value("CoCgcVinculado") == dest.value("CoCgcVinculado") &&
                r.value("InInscrEstabelecimento") == dest.value("InInscrEstabelecimento"))
                out << r;
        return out;
    }
};

TEST_F(Transfer, MovesTheTickedContractsToANewDestinationWithItsIdentity) {
    const QString linked = valid::Cei(QStringLiteral("51234567890"));
    const Row source = estab(1, 5, {{"CoCgcVinculado", linked}, {"NuEstrangeirosEstabelec", "00001"}});
    // One of the moved contracts is foreign.
    {
        QList<Row> cs = contractsOf(source);
        db::Query q(dmLobrix->dbZuvo);
        q.SetSQL("update Bd8vinc set CoNacionalidade = '20' where NuSequencialRegistro = :s");
        q.ParamByName("s").AsString = cs[0].value("NuSequencialRegistro");
        q.ExecSQL();
    }
    const QList<Row> before = contractsOf(source);
    const QStringList moved = {before[0].value("NuSequencialRegistro"), before[3].value("NuSequencialRegistro")};
    const QString dest = valid::EstablishmentCnpj(7);
    EXPECT_EQ(transfer(source, [&](const QStringList& k) { return moved.contains(k[6]); }, dest, "01"),
              QStringList{"1309"});
    const Row src = establishmentRow(source.value("CoCgcCeiEstabelecimento"), "00");
    EXPECT_EQ(src.value("NuVinculosEstabelecimento"), "000003");
    EXPECT_EQ(src.value("NuEstrangeirosEstabelec"), "00000");
    EXPECT_EQ(contractsOf(source).size(), 3);
    const Row d = establishmentRow(dest, "01");
    EXPECT_EQ(d.value("NuVinculosEstabelecimento"), "000002");
    EXPECT_EQ(d.value("NuEstrangeirosEstabelec"), "00001");
    EXPECT_EQ(d.value("InInscrEstabelecimento"), "1");
    EXPECT_EQ(d.value("InOpcaoAberta"), "");
    EXPECT_EQ(d.value("NoRazaoEstabelecimento"), "");
    EXPECT_EQ(d.value("EdEstabelecimento"), "");
    EXPECT_EQ(d.value("InAtividadeAnoBase"), "1");
    EXPECT_EQ(listedUnder(d).size(), 2);
}

TEST_F(Transfer, RefusedOrFailedTransfersChangeNothing) {
    const QString cei = valid::Cei(QStringLiteral("51234567890")).mid(2);  // as typed
    const Row source = estab(1, 3);
    const Row other = estab(2, 1);
    const QString src = source.value("CoCgcCeiEstabelecimento");
    struct Case {
        const char* what;
        QString typed, prefixo;
        QStringList codes;
        bool changes;
    } cases[] = {
        {"an existing destination", other.value("CoCgcCeiEstabelecimento"), "00", {"1308"}, false},
        {"the source itself", src, "00", {"1308"}, false},
        {"an invalid number", "11111111111111", "01", {CheckInscription("11111111111111")}, false},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        const auto emp = rows("Bd8emp.DB");
        const auto vinc = rows("Bd8vinc.DB");
        EXPECT_EQ(transfer(source, [](const QStringList&) { return true; }, c.typed, c.prefixo), c.codes);
        EXPECT_EQ(rows("Bd8emp.DB"), emp);
        EXPECT_EQ(rows("Bd8vinc.DB"), vinc);
    }

    // A failure in the middle (a contract of that key is already there, left
    // behind without its establishment) undoes the whole transfer.
    const QList<Row> cs = contractsOf(source);
    store("Bd8vinc.DB", valid::With(cs[1], {{"CoCgcCeiEstabelecimento", "00" + cei},
                                            {"NuPrefixoEstabelecimento", "01"},
                                            {"InInscrEstabelecimento", "3"},
                                            {"CoCgcVinculado", "00000000000000"}}));
    const auto emp = rows("Bd8emp.DB");
    const auto vinc = rows("Bd8vinc.DB");
    const QStringList codes = transfer(source, [](const QStringList&) { return true; }, cei, "01");
    EXPECT_FALSE(codes.contains("1309"));
    ASSERT_EQ(messages.shown().size(), 1);
    EXPECT_EQ(messages.shown()[0].kind, msg::BoxKind::Error);
    EXPECT_EQ(rows("Bd8emp.DB"), emp);
    EXPECT_EQ(rows("Bd8vinc.DB"), vinc);

    // Without the stray contract the CEI typed with 12 digits is stored with its zeros.
    db::Query q(dmLobrix->dbZuvo);
    q.SetSQL("delete from Bd8vinc where CoCgcCeiEstabelecimento = :c");
    q.ParamByName("c").AsString = "00" + cei;
    q.ExecSQL();
    EXPECT_EQ(transfer(source, [](const QStringList&) { return true; }, cei, "01"), QStringList{"1309"});
    EXPECT_EQ(establishmentRow("00" + cei, "01").value("InInscrEstabelecimento"), "3");
    EXPECT_EQ(contractsOf(establishmentRow("00" + cei, "01")).size(), 3);
}

TEST_F(Transfer, ANumberValidAsBothTakesTheChosenType) {
    const Row source = estab(1, 1);
    struct Case {
        int button;  // of rbCGC, rbCEI, rbCNPJ
        QString prefixo, type;
    } cases[] = {{0, "01", "1"}, {2, "02", "1"}, {1, "03", "3"}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.button);
        // Each case moves the one contract back to a source of its own.
        const Row from = c.prefixo == "01" ? source : establishmentRow(kBoth, QStringLiteral("0%1").arg(c.prefixo.toInt() - 1));
        FormsScript chooser;
        chooser.expect("fmTipoInscricao", [&](QWidget* form) {
            auto* t = static_cast<TfmTipoInscricao*>(form);
            QRadioButton* buttons[] = {t->rbCGC, t->rbCEI, t->rbCNPJ};
            buttons[c.button]->click();
            t->btOKClick();
            return int(forms::mrNone);
        });
        EXPECT_EQ(transfer(from, [](const QStringList&) { return true; }, kBoth, c.prefixo), QStringList{"1309"});
        EXPECT_EQ(chooser.pending(), 0);
        const Row d = establishmentRow(kBoth, c.prefixo);
        EXPECT_EQ(d.value("InInscrEstabelecimento"), c.type);
        EXPECT_EQ(listedUnder(d).size(), 1);
    }
}

TEST_F(Transfer, WalkedAsAUser) {
    const Row source = estab(1, 4, {{"NoRazaoEstabelecimento", "ORIGEM LTDA"}});
    const QString dest = valid::EstablishmentCnpj(9);
    FormsScript script;
    script.expect("fmCopEstab00", [](QWidget* p) {
        clickChild(p, "BtAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmCopEstab01", [](QWidget* p) {
        // The first page stays visible behind.
        bool firstVisible = false;
        for (QWidget* w : QApplication::topLevelWidgets())
            if (w->objectName() == "fmCopEstab00") firstVisible = w->isVisible();
        EXPECT_TRUE(firstVisible);
        choose(child<QComboBox>(p, "cbEstabelecimento"), "ORIGEM LTDA");
        clickChild(p, "BtAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmCopEstab02", [](QWidget* p) {
        auto* list = child<forms::TickList>(p, "clVinculos");
        EXPECT_EQ(list->count(), 4);
        QTest::mouseClick(child<QRadioButton>(p, "rbSelecaoTodos"), Qt::LeftButton);
        EXPECT_EQ(forms::CountTickedItems(list), 4);
        clickLineText(list, 2);  // all but one
        EXPECT_EQ(forms::CountTickedItems(list), 3);
        clickChild(p, "btAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmCopEstab03", [&](QWidget* p) {
        activate(p);
        auto* box = child<QLineEdit>(p, "mdCGCCEI");
        EXPECT_EQ(child<QLineEdit>(p, "edTotalEmpregados")->text(), "3");
        EXPECT_EQ(QApplication::focusWidget(), box);
        QTest::keyClicks(box, dest);
        QTest::keyClick(box, Qt::Key_Tab);
        settle();
        EXPECT_EQ(child<QLineEdit>(p, "edTipoCGCCEI")->text(), "CNPJ");
        auto* prefixo = child<QLineEdit>(p, "edPrefixo");
        EXPECT_EQ(QApplication::focusWidget(), prefixo);
        QTest::keyClicks(prefixo, "015");  // two characters at most
        EXPECT_EQ(prefixo->text(), "01");
        accessKey(p, Qt::Key_C);
        return int(forms::mrNone);
    });
    StartTransferWizard();
    settle();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(messages.codes(), QStringList{"1309"});
    EXPECT_EQ(contractsOf(source).size(), 1);
    EXPECT_EQ(listedUnder(establishmentRow(dest, "01")).size(), 3);
}

// ---- contract type ------------------------------------------------------------------

TEST_F(MaintenanceWizards, ContractTypeFollowsTheInscriptionType) {
    const QString cei = valid::Cei(QStringLiteral("51234567890"));
    struct Case {
        const char* what;
        QString inscricao, tipo, vinculo, code;
    } cases[] = {
        {"CNPJ refuses 15", valid::EstablishmentCnpj(1), "1", "15", "1307"},
        {"CNPJ takes 10", valid::EstablishmentCnpj(1), "1", "10", "1305"},
        {"CEI takes 15", cei, "3", "15", "1305"},
        {"CEI refuses 10", cei, "3", "10", "1307"},
        {"valid as both, stored as CNPJ, refuses 15", kBoth, "1", "15", "1307"},
        {"valid as both, stored as CEI, takes 15", kBoth, "3", "15", "1305"},
    };
    int n = 1;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        messages.clear();
        const QString prefixo = QStringLiteral("%1").arg(n++, 2, 10, QLatin1Char('0'));
        const Row e = estab(50 + n, 2, {{"CoCgcCeiEstabelecimento", c.inscricao}, {"InInscrEstabelecimento", c.tipo},
                                        {"NuPrefixoEstabelecimento", prefixo}});
        // Another prefix of the same inscription keeps its types.
        const Row other = estab(80 + n, 1, {{"CoCgcCeiEstabelecimento", c.inscricao}, {"InInscrEstabelecimento", c.tipo},
                                            {"NuPrefixoEstabelecimento", "9" + prefixo.right(1)}});
        TfmAltVinculo00 wizard;
        AltVinculoCodigo = CheckInscription(c.inscricao);
        AltVinculoInscricao = c.inscricao;
        AltVinculoAnoBase = "2009";
        AltVinculoPrefixo = prefixo;
        TfmAltVinculo02* page = wizard.fmAltVinculo02.get();
        page->show();
        settle();
        page->llVinculo->setCurrentIndex(page->llVinculo->findText(c.vinculo));
        page->BtConcluirClick();
        EXPECT_EQ(messages.codes(), QStringList{c.code});
        const bool changed = c.code == "1305";
        for (const Row& r : contractsOf(e)) {
            EXPECT_EQ(r.value("CoVinculo"), changed ? c.vinculo : "10");
            if (changed) EXPECT_EQ(r.value("TxtVinculo"), page->dbcdDescrVinculo->text().left(100));
        }
        for (const Row& r : contractsOf(other)) EXPECT_EQ(r.value("CoVinculo"), "10");
        EXPECT_EQ(establishmentRow(c.inscricao, prefixo).value("InOpcaoAberta"), "");
    }
}

TEST_F(MaintenanceWizards, ContractTypeWalkedFromTheEstablishmentListMenu) {
    const Row e = estab(1, 3, {{"NoRazaoEstabelecimento", "ALFA LTDA"}});
    // Another establishment of the inscription with another name, stored after it.
    estab(2, 0, {{"CoCgcCeiEstabelecimento", e.value("CoCgcCeiEstabelecimento")},
                 {"NuPrefixoEstabelecimento", "05"}, {"NoRazaoEstabelecimento", "OUTRO NOME"}});
    fmConEstab = new TfmConEstab();
    QAction* start = nullptr;
    QStringList keys;
    for (QAction* a : fmConEstab->DBGridEstab->actions()) {
        keys << a->shortcut().toString();
        if (a->objectName() == "acAlterarVinculo") start = a;
    }
    EXPECT_EQ(keys, (QStringList{"Alt+F3", "Alt+F4", "Alt+F5"}));
    EXPECT_EQ(fmConEstab->DBGridEstab->contextMenuPolicy(), Qt::ActionsContextMenu);
    ASSERT_NE(start, nullptr);
    FormsScript script;
    script.expect("fmConEstab", [&](QWidget*) {
        settle();
        start->trigger();
        return int(forms::mrNone);
    });
    script.expect("fmAltVinculo00", [](QWidget* p) {
        // The note in paragraphs that wrap at the page's width, not the design's broken lines.
        auto* note = child<QPlainTextEdit>(p, "meDicas");
        EXPECT_EQ(note->document()->blockCount(), 3) << note->toPlainText().toStdString();
        EXPECT_TRUE(note->toPlainText().startsWith("Este assistente permite que você altere o código de vínculo de "
                                                   "TODOS os empregados/servidor de um estabelecimento"));
        EXPECT_LE(note->document()->size().height() * note->fontMetrics().lineSpacing(), note->viewport()->height());
        clickChild(p, "BtAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmAltVinculo01", [](QWidget* p) {
        choose(child<QComboBox>(p, "cbSelecaoEstab"), "ALFA LTDA");
        clickChild(p, "BtAvancar");
        return int(forms::mrNone);
    });
    script.expect("fmAltVinculo02", [](QWidget* p) {
        EXPECT_EQ(child<QLineEdit>(p, "EdMostraNome")->text(), "ALFA LTDA");
        // The boxes of the chosen establishment show their texts whole.
        for (const char* name : {"EdMostraCGC", "EdMostraNome"}) {
            auto* box = child<QLineEdit>(p, name);
            EXPECT_GT(box->contentsRect().width(), box->fontMetrics().horizontalAdvance(box->text()) + 4) << name;
        }
        activate(p);
        auto* combo = child<QComboBox>(p, "llVinculo");
        EXPECT_EQ(QApplication::focusWidget(), combo);
        clickChild(p, "BtConcluir");  // nothing chosen
        combo->setCurrentIndex(combo->findText("15"));
        emit combo->activated(combo->currentIndex());  // refused for a CNPJ
        combo->setCurrentIndex(combo->findText("20"));
        EXPECT_FALSE(child<QLineEdit>(p, "dbcdDescrVinculo")->text().isEmpty());
        accessKey(p, Qt::Key_C);
        return int(forms::mrNone);
    });
    fmConEstab->ModoExclusao = 0;
    forms::ShowModal(fmConEstab);
    settle();
    EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();
    EXPECT_EQ(script.pending(), 0);
    EXPECT_EQ(messages.codes(), (QStringList{"1306", "1307", "1305"})) << messages.codes().join(",").toStdString();
    for (const Row& r : contractsOf(e)) EXPECT_EQ(r.value("CoVinculo"), "20");
    EXPECT_FALSE(fmConEstab->isVisible());
}

// ---- failures -----------------------------------------------------------------------

// A table that refuses a change half-way, as a full disk would.
void Refuse(const QString& file, const QString& trigger) {
    sqlite3* raw = nullptr;
    ASSERT_EQ(sqlite3_open(dmLobrix->dbZuvo->resolve(file).toUtf8().constData(), &raw), SQLITE_OK);
    char* error = nullptr;
    EXPECT_EQ(sqlite3_exec(raw, trigger.toUtf8().constData(), nullptr, nullptr, &error), SQLITE_OK) << error;
    sqlite3_free(error);
    sqlite3_close(raw);
}

TEST_F(MaintenanceWizards, AFailureHalfWayLeavesTheTablesAsTheyWere) {
    const Row e = estab(1, 4);
    const QString third = contractsOf(e)[2].value("NuSequencialRegistro");
    Refuse("Bd8vinc.DB", QStringLiteral("create trigger refuse before delete on Bd8vinc when old.NuSequencialRegistro "
                                        "= '%1' begin select raise(abort, 'disk full'); end").arg(third));
    Refuse("Bd8vinc.DB", QStringLiteral("create trigger refuse2 before update of CoVinculo on Bd8vinc when "
                                        "old.NuSequencialRegistro = '%1' begin select raise(abort, 'disk full'); end")
                             .arg(third));
    const auto emp = rows("Bd8emp.DB");
    const auto vinc = rows("Bd8vinc.DB");
    const QString inscricao = e.value("CoCgcCeiEstabelecimento");
    {
        SCOPED_TRACE("multi-delete");
        TfmExclMult00 wizard;
        wizard.AnoBase = "2009";
        wizard.KeyInscricao = inscricao;
        wizard.Prefixo = "00";
        wizard.Linhas = ticked(e, '0', [](const QStringList&) { return true; });
        wizard.fmExclMult04->btConcluirClick();
    }
    {
        SCOPED_TRACE("contract type");
        TfmAltVinculo00 wizard;
        AltVinculoCodigo = CheckInscription(inscricao);
        AltVinculoInscricao = inscricao;
        AltVinculoPrefixo = "00";
        TfmAltVinculo02* page = wizard.fmAltVinculo02.get();
        page->llVinculo->setCurrentIndex(page->llVinculo->findText("20"));
        page->BtConcluirClick();
    }
    ASSERT_EQ(messages.shown().size(), 2) << messages.texts().join('|').toStdString();
    for (const msg::BoxRequest& box : messages.shown()) EXPECT_EQ(box.kind, msg::BoxKind::Error);
    for (const QString& text : messages.texts()) EXPECT_TRUE(text.contains("disk full")) << text.toStdString();
    EXPECT_EQ(rows("Bd8emp.DB"), emp);  // no marker left either
    EXPECT_EQ(rows("Bd8vinc.DB"), vinc);
}

}  // namespace
