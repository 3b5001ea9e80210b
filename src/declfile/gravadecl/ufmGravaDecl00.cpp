#include "declfile/gravadecl/ufmGravaDecl00.h"

#include "declfile/MainWindowState.h"
#include "declfile/gravadecl/ufmGravaDecl02.h"

#include "platform/ui/Forms.h"
#include "shell/udmDadosResp.h"
#include "shell/ugFuncoes.h"

#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

TfmGravaDecl00* fmGravaDecl00 = nullptr;

forms::WizardFrame GravaDeclFrame(const QString& objectName, const QString& memoName) {
    forms::WizardFrame f;
    f.objectName = objectName;
    f.memoName = memoName;
    if (dmDadosResp) {
        f.caption = dmDadosResp->TituloAssistente;
        f.picture = dmDadosResp->FiguraAssistente;
        f.endFlag = &dmDadosResp->EncerrarAssistente;
    }
    f.pictureName = QStringLiteral("im") + objectName.mid(2);
    f.bevelName = QStringLiteral("be") + objectName.mid(2);
    f.panelName = QStringLiteral("pa") + objectName.mid(2);
    return f;
}

QPushButton* GravaDeclButton(QWidget* parent, const char* name, const char* text) {
    auto* b = new QPushButton(QString::fromUtf8(text), parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

namespace {

// The first page makes the data module before its frame is built.
forms::WizardFrame firstFrame() {
    if (!dmDadosResp) dmDadosResp = new TdmDadosResp();
    dmDadosResp->TituloAssistente = QStringLiteral("Assistente para Gravação");
    return GravaDeclFrame(QStringLiteral("fmGravaDecl00"), QStringLiteral("meDecl00"));
}

}  // namespace

TfmGravaDecl00::TfmGravaDecl00(QWidget* parent) : forms::WizardPage(firstFrame(), parent) {
    fmGravaDecl00 = this;
    SetMemoLines({QString(), QStringLiteral("Este assistente vai auxiliá-lo na Gravação da Declaração Zuvo.")});
    lblAno = AddYearLabel(this);
    lbEmpresas00 = new QListWidget(this);
    lbEmpresas00->setObjectName(QStringLiteral("lbEmpresas00"));
    lbEmpresas00->setSelectionMode(QAbstractItemView::MultiSelection);
    lbEmpresas00->hide();
    BackButton()->setEnabled(false);
    pGuardaPosicao();
}

TfmGravaDecl00::~TfmGravaDecl00() {
    if (fmGravaDecl00 == this) fmGravaDecl00 = nullptr;
    FreeWizardModule();
}

QLabel* AddYearLabel(forms::WizardPage* page) {
    auto* label = new QLabel(QStringLiteral("Declaração Ano-Base ") + QString::number(declfile::ProgramAnoBase()),
                             page->Panel());
    label->setObjectName(QStringLiteral("lblAno"));
    QFont f = label->font();
    f.setBold(true);
    label->setFont(f);
    page->PanelLayout()->addWidget(label);
    return label;
}

void FreeWizardModule() {
    if (!dmDadosResp) return;
    dmDadosResp->quEmpresas.Close();
    delete dmDadosResp;
    dmDadosResp = nullptr;
}

void TfmGravaDecl00::pGuardaPosicao() {
    StoreGeometry(dmDadosResp->GeometriaAssistente);
    dmDadosResp->TituloAssistente = windowTitle();
}

void TfmGravaDecl00::PageShown() {
    setWindowTitle(dmDadosResp->TituloAssistente);
    NextButton()->setFocus();
}

bool OpenWizardEstablishments(QWidget* cancelButton) {
    dmDadosResp->AnoBaseAssistente = QString::number(declfile::ProgramAnoBase());
    db::Query& q = dmDadosResp->quEmpresas;
    q.Close();
    q.SetSQL(QStringLiteral("SELECT *\nFROM BD8Emp\nWHERE Anbase = :AnBase\n"
                            "ORDER BY CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"));
    q.ParamByName(QStringLiteral("AnBase")).AsString = dmDadosResp->AnoBaseAssistente;
    q.Open();
    if (!q.Eof()) return true;
    ShowMessageByCode(QStringLiteral("1700"));
    if (cancelButton) cancelButton->setFocus();
    return false;
}

void TfmGravaDecl00::bbAvancarClick() {
    if (!OpenWizardEstablishments(CancelButton())) return;
    db::Query& q = dmDadosResp->quEmpresas;
    lbEmpresas00->clear();
    for (q.First(); !q.Eof(); q.Next())
        lbEmpresas00->addItem(q.FieldByName(QStringLiteral("AnBase")).AsString() +
                              q.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString() +
                              q.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString());
    q.First();
    GoNext(std::make_unique<TfmGravaDecl02>());
}

void ShowGravaDecl(QWidget* parent) {
    auto* page = new TfmGravaDecl00(parent);
    forms::ShowModal(page);
    delete page;
}
