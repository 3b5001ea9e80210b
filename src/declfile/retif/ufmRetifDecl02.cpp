#include "declfile/retif/ufmRetifDecl02.h"

#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/gravadecl/ufmGravaDecl01.h"
#include "declfile/gravadecl/ufmGravaDecl02.h"

#include "platform/ui/MessageService.h"
#include "platform/ui/TickList.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"
#include "shell/ugFuncoes.h"

#include <QCheckBox>
#include <QEvent>
#include <QFontDatabase>
#include <QLabel>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int kLargeContractList = 8000;

forms::TickList* tickList(QWidget* parent, const char* name) {
    auto* list = new forms::TickList(parent);
    list->setObjectName(QString::fromLatin1(name));
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    return list;
}

}  // namespace

TfmRetifDecl02::TfmRetifDecl02(QWidget* parent)
    : forms::WizardPage(GravaDeclFrame(QStringLiteral("fmRetifDecl02")), parent) {
    setWindowTitle(QStringLiteral("Assistente para Retificação de Declaração"));
    auto* estLabel = new QLabel(QStringLiteral("Selecione a empresa que terá seus empregados/servidores retificados"), Panel());
    clEmpresas = tickList(Panel(), "clEmpresas");
    auto* vincLabel = new QLabel(QStringLiteral("Selecione os vínculos que serão retificados"), Panel());
    clVinculos = tickList(Panel(), "clVinculos");
    ckSelecVinculos = new QCheckBox(QStringLiteral("Seleciona / Desmarca todos os vínculos."), Panel());
    ckSelecVinculos->setObjectName(QStringLiteral("ckSelecVinculos"));
    ckSelecVinculos->setEnabled(false);
    for (QWidget* w : {static_cast<QWidget*>(estLabel), static_cast<QWidget*>(clEmpresas)}) PanelLayout()->addWidget(w);
    PanelLayout()->addWidget(vincLabel);
    PanelLayout()->addWidget(clVinculos, 1);
    PanelLayout()->addWidget(ckSelecVinculos);

    db::Query& q = dmDadosResp->quEmpresas;
    for (q.First(); !q.Eof(); q.Next()) {
        auto text = [&q](const char* name) { return q.FieldByName(QString::fromLatin1(name)).AsString(); };
        Selection.AddEstablishment(text("AnBase"), text("CoCgcCeiEstabelecimento"), text("NuPrefixoEstabelecimento"),
                                   text("InZuvoNegEstabelecimento") == QLatin1String("0"));
        clEmpresas->AddLine(EstablishmentTickLine(text("CoCgcCeiEstabelecimento"), text("InInscrEstabelecimento"),
                                                  text("NuPrefixoEstabelecimento"), text("NoRazaoEstabelecimento"),
                                                  text("NuVinculosEstabelecimento")));
    }
    q.First();

    // A tick, or reaching a line with the keyboard, runs the establishment
    // handling for that line; none without a current line. A press of the
    // mouse makes its line current before the click toggles it: the handling
    // waits for the click, so that the box it may show ("1304") comes after
    // the toggle and cannot swallow the click.
    connect(clEmpresas, &forms::TickList::LineTicked, this, [this](int row, bool) {
        // A click on the box of a line that is not the current one ticks it
        // without making it current: it becomes current here, quietly, or
        // the list's old current line would be handled after it and judge
        // the line just ticked as left without contracts.
        if (clEmpresas->currentRow() != row) {
            movingCurrent_ = true;
            clEmpresas->setCurrentRow(row);
            movingCurrent_ = false;
        }
        EstablishmentTickHandling(row);
    });
    connect(clEmpresas, &QListWidget::currentRowChanged, this, [this](int row) {
        if (!mouseDown_ && !movingCurrent_) EstablishmentTickHandling(row);
    });
    clEmpresas->viewport()->installEventFilter(this);
    connect(clVinculos, &forms::TickList::LineTicked, this, [this](int row, bool ticked) { ContractTickHandling(row, ticked); });
    connect(ckSelecVinculos, &QCheckBox::clicked, this, [this] { ckSelecVinculosClick(); });
}

TfmRetifDecl02::~TfmRetifDecl02() { ReleaseSelection(); }

void TfmRetifDecl02::PageShown() {
    BackButton()->setEnabled(true);
    NextButton()->setEnabled(true);
    clEmpresas->setFocus();
}

bool TfmRetifDecl02::eventFilter(QObject* watched, QEvent* event) {
    if (watched == clEmpresas->viewport()) {
        if (event->type() == QEvent::MouseButtonPress || event->type() == QEvent::MouseButtonDblClick) {
            mouseDown_ = true;
        } else if (event->type() == QEvent::MouseButtonRelease) {
            mouseDown_ = false;
            // A release that clicked no line (the mouse moved away) still
            // settles the line the press made current.
            QTimer::singleShot(0, this, [this] {
                const int row = clEmpresas->currentRow();
                if (row >= 0 && row != Selection.Current()) EstablishmentTickHandling(row);
            });
        }
    }
    return forms::WizardPage::eventFilter(watched, event);
}

void TfmRetifDecl02::showEstablishmentLacking(int line) {
    ShowMessageByCode(QStringLiteral("1304"));
    clEmpresas->SetTicked(line, false);
}

void TfmRetifDecl02::EstablishmentTickHandling(int line) {
    if (line < 0 || line >= Selection.Count()) return;
    const declfile::RetifSelection::Outcome out = Selection.EstablishmentTicked(line, clEmpresas->IsTicked(line));
    if (out.untickLine >= 0) showEstablishmentLacking(out.untickLine);
    ckSelecVinculos->setChecked(false);
    if (out.loadContracts) {
        LoadContracts();
    } else {
        ckSelecVinculos->setEnabled(false);
        clVinculos->clear();
        contractKeys_.clear();
    }
}

void TfmRetifDecl02::LoadContracts() {
    clVinculos->clear();
    contractKeys_.clear();
    const int current = Selection.Current();
    if (current < 0) return;
    const declfile::RetifEstablishment& e = Selection.Entry(current);
    db::Query& q = dmDadosResp->quVinculos;
    q.Close();
    // The list's line K is the query's row K + 1 only while the order is fixed.
    // Only the columns the list and the choice read: a large establishment's
    // rows stay small in memory.
    const QStringList keyColumns = QStringList{QStringLiteral("AnBase"), QStringLiteral("CoCgcCeiEstabelecimento"),
                                               QStringLiteral("NuPrefixoEstabelecimento")} +
                                   declfile::RetifContractColumns();
    q.SetSQL(QStringLiteral("SELECT ") + keyColumns.join(QStringLiteral(", ")) +
             QStringLiteral("\nFROM BD8Vinc\nWHERE AnBase = :AnBase AND\n"
                            "CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento AND\n"
                            "NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento\nORDER BY ") +
             keyColumns.join(QStringLiteral(", ")));
    q.ParamByName(QStringLiteral("AnBase")).AsString = e.year;
    q.ParamByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString = e.inscription;
    q.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString = e.prefix;
    q.Open();
    if (q.Eof()) {
        ckSelecVinculos->setEnabled(false);
        return;
    }
    const QStringList columns = declfile::RetifContractColumns();
    QList<db::Field*> keyFields;
    for (const QString& c : columns) keyFields << &q.FieldByName(c);
    db::Field& pis = q.FieldByName(QStringLiteral("CoPisPasepEmpregado"));
    db::Field& admission = q.FieldByName(QStringLiteral("DaAdmissaoEmpregado"));
    db::Field& name = q.FieldByName(QStringLiteral("NoEmpregado"));
    clVinculos->setUpdatesEnabled(false);
    for (; !q.Eof(); q.Next()) {
        QStringList key;
        for (db::Field* f : keyFields) key << f->AsString();
        contractKeys_ << key;
        clVinculos->AddLine(FormatPisPasep(pis.AsString()) + QStringLiteral("  ") + FormatDate8(admission.AsString()) +
                            QStringLiteral("  ") + name.AsString());
    }
    // The contracts this establishment's entry holds show ticked again.
    for (int line : Selection.ChosenLines()) clVinculos->SetTicked(line, true);
    clVinculos->setUpdatesEnabled(true);
    if (contractKeys_.size() > kLargeContractList)
        msg::ShowWarning(QStringLiteral("Pode ocorrer problemas na visualização dos dados na tela,\r"
                                        "devido a quantidade de empregados cadastrados."));
    ckSelecVinculos->setEnabled(true);
}

void TfmRetifDecl02::ContractTickHandling(int line, bool ticked) {
    if (line < 0 || line >= contractKeys_.size()) return;
    Selection.ContractTicked(line, ticked, contractKeys_.at(line));
}

void TfmRetifDecl02::ckSelecVinculosClick() {
    const bool all = ckSelecVinculos->isChecked();
    clVinculos->SetAllTicked(all);
    if (all) Selection.ChooseAllContracts(contractKeys_);
    else Selection.ChooseNoContract();
}

void TfmRetifDecl02::bbAvancarClick() {
    if (forms::CountTickedItems(clEmpresas) == 0) {
        ShowMessageByCode(QStringLiteral("1301"));
        clEmpresas->setFocus();
        return;
    }
    if (Selection.CurrentLacksContracts()) {
        const int line = Selection.Current();
        Selection.UnchooseCurrent();
        showEstablishmentLacking(line);
        clVinculos->clear();
        contractKeys_.clear();
        ckSelecVinculos->setEnabled(false);
        clEmpresas->setFocus();
        return;
    }
    BackButton()->setEnabled(false);
    NextButton()->setEnabled(false);
    auto page = std::make_unique<TfmGravaDecl01>();
    page->CopyToWork = [this] { return CopySelectionToWork(); };
    page->BeforeWritingPage = [this] { ReleaseSelection(); };
    GoNext(std::move(page));
}

bool TfmRetifDecl02::CopySelectionToWork() {
    // The data module holds the working tables exclusively only while it copies.
    dmDadosResp->te8Emp.Close();
    dmDadosResp->te8Vinc.Close();
    if (declfile::CopySelectionToWork(Selection, TdmLobrix::OpenAlias())) return true;
    ReleaseSelection();
    return false;
}
