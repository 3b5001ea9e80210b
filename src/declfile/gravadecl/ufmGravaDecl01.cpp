#include "declfile/gravadecl/ufmGravaDecl01.h"

#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/gravadecl/ufmGravaDecl03.h"

#include "entry/ufmTb8Munic.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/SilentAbort.h"
#include "rules/UgDadosResp.h"
#include "rules/ugCriticaDeclaracao.h"
#include "shell/UdmLobrix.h"
#include "shell/udmDadosResp.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"

#include <QFrame>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QToolButton>
#include <QVBoxLayout>

namespace {

const QString kMaskInscricaoDigits = QStringLiteral("99999999999999;0;_");
const QString kMaskCpfDigits = QStringLiteral("99999999999;0;_");

db::Table& resp() { return dmDadosResp->ta8Resp; }

// One edit of the data panel: where it sits, what it holds and its check on
// leaving it ("always": also when it is empty).
struct EditRow {
    QLineEdit* TfmGravaDecl01::*member;
    const char* name;
    const char* label;
    const char* field;  // bound field of BD8Resp, or null
    int help;
    int row, column, span;
    bool upper;
};

const EditRow kEdits[] = {
    {&TfmGravaDecl01::mdInscricao, "mdInscricao", "Inscrição", nullptr, 46, 0, 2, 2, false},
    {&TfmGravaDecl01::deNome, "deNome", "Nome/Razão Social", "NoResponsavelArquivo", 117, 2, 0, 4, true},
    {&TfmGravaDecl01::deLogradouro, "deLogradouro", "Logradouro", "EdLogradouroRespArquivo", 35, 4, 0, 2, true},
    {&TfmGravaDecl01::deNumero, "deNumero", "Número", "NuLogradouroRespArquivo", 0, 4, 2, 1, true},
    {&TfmGravaDecl01::deComplemento, "deComplemento", "Complemento", "TxComplementoRespArquivo", 37, 4, 3, 1, true},
    {&TfmGravaDecl01::deBairro, "deBairro", "Bairro/Distrito", "NoBairroRespArquivo", 38, 6, 0, 2, true},
    {&TfmGravaDecl01::deCep, "deCep", "CEP", "CoCepRespArquivo", 39, 6, 2, 1, false},
    {&TfmGravaDecl01::deCodMunicipio, "deCodMunicipio", "Município", "CoMunicipioRespArquivo", 42, 8, 0, 1, false},
    {&TfmGravaDecl01::deNomeMunicipio, "deNomeMunicipio", "Nome do Município", "NoMunicipioRespArquivo", 0, 8, 1, 2, false},
    {&TfmGravaDecl01::deUF, "deUF", "UF", "SgUfRespArquivo", 0, 8, 3, 1, false},
    {&TfmGravaDecl01::deDDD, "deDDD", "DDD", "NuFoneDDD", 45, 10, 0, 1, false},
    {&TfmGravaDecl01::deTelefone, "deTelefone", "Telefone", "NuFoneAssinante", 45, 10, 1, 1, false},
    {&TfmGravaDecl01::deEmail, "deEmail", "E-mail", "TxEMailRespArquivo", 205, 10, 2, 2, false},
    {&TfmGravaDecl01::deCpfResponsavel, "deCpfResponsavel", "CPF do Responsável", nullptr, 204, 12, 0, 1, false},
    {&TfmGravaDecl01::deNomeResp, "deNomeResp", "Nome do Responsável", "NoResponsavelDeclaracao", 70, 12, 1, 2, true},
    {&TfmGravaDecl01::deDataNasc, "deDataNasc", "Data Nasc.", "DaNascimentoRespArquivo", 209, 12, 3, 1, false},
};

}  // namespace

TfmGravaDecl01::TfmGravaDecl01(QWidget* parent)
    : forms::WizardPage(GravaDeclFrame(QStringLiteral("fmGravaDecl01")), parent), kit_(new ui::EntryFormController(this)) {
    buildControls();
    const forms::WizardGeometry& g = dmDadosResp->GeometriaAssistente;
    ApplyGeometry(g, forms::wgPage | forms::wgPicture | forms::wgPanel | forms::wgButtons);
    BackButton()->setFocusPolicy(Qt::ClickFocus);  // no tab stop
    paVerificar->hide();
    setWindowTitle(dmDadosResp->TituloAssistente);
    bindFields();
}

TfmGravaDecl01::~TfmGravaDecl01() {
    if (dmDadosResp) resp().Close();
}

void TfmGravaDecl01::buildControls() {
    laResponsavel = new QLabel(QStringLiteral("Dados do Responsável"), Panel());
    laResponsavel->setObjectName(QStringLiteral("laResponsavel"));
    QFont bold = laResponsavel->font();
    bold.setBold(true);
    laResponsavel->setFont(bold);
    PanelLayout()->addWidget(laResponsavel);

    paDadosResp = new QFrame(Panel());
    paDadosResp->setObjectName(QStringLiteral("paDadosResp"));
    auto* grid = new QGridLayout(paDadosResp);
    grid->setContentsMargins(0, 0, 0, 0);
    grid->setHorizontalSpacing(6);
    grid->setVerticalSpacing(1);
    PanelLayout()->addWidget(paDadosResp, 1);

    dbrTipoInscr = new ui::RadioGroup(QStringLiteral("Tipo"), {QStringLiteral("CNPJ"), QStringLiteral("CEI"), QStringLiteral("CPF")},
                                      3, paDadosResp);
    dbrTipoInscr->setObjectName(QStringLiteral("dbrTipoInscr"));
    ui::SetHelpContext(dbrTipoInscr, 133);
    grid->addWidget(dbrTipoInscr, 0, 0, 2, 2);

    for (const EditRow& r : kEdits) {
        auto* edit = new QLineEdit(paDadosResp);
        edit->setObjectName(QString::fromLatin1(r.name));
        if (r.help) ui::SetHelpContext(edit, r.help);
        if (r.upper) ui::SetUpperCase(edit);
        this->*r.member = edit;
        auto* label = new QLabel(QString::fromUtf8(r.label), paDadosResp);
        label->setBuddy(edit);
        if (r.member == &TfmGravaDecl01::deCodMunicipio) {
            bbMunicipios = new QToolButton(paDadosResp);
            bbMunicipios->setObjectName(QStringLiteral("bbMunicipios"));
            bbMunicipios->setText(QStringLiteral("..."));
            auto* box = new QHBoxLayout;
            box->setSpacing(2);
            box->addWidget(edit, 1);
            box->addWidget(bbMunicipios);
            grid->addWidget(label, r.row, r.column, 1, r.span);
            grid->addLayout(box, r.row + 1, r.column, 1, r.span);
            continue;
        }
        grid->addWidget(label, r.row, r.column, 1, r.span);
        grid->addWidget(edit, r.row + 1, r.column, 1, r.span);
    }
    edTipodeInscricao = new QLineEdit(paDadosResp);
    edTipodeInscricao->setObjectName(QStringLiteral("edTipodeInscricao"));
    edTipodeInscricao->setReadOnly(true);
    edTipodeInscricao->hide();
    for (QLineEdit* e : {deNomeMunicipio, deUF}) {
        ui::SetLocked(e, true);
        e->setFocusPolicy(Qt::NoFocus);
    }
    mdInscricao->setMaxLength(14);
    deCpfResponsavel->setMaxLength(11);

    paVerificar = new QFrame(Panel());
    paVerificar->setObjectName(QStringLiteral("paVerificar"));
    auto* checking = new QVBoxLayout(paVerificar);
    auto* caption = new QLabel(QStringLiteral("Verificando Informações . . ."), paVerificar);
    prDecl01 = new QProgressBar(paVerificar);
    prDecl01->setObjectName(QStringLiteral("prDecl01"));
    Animate1 = new forms::BusyIndicator(paVerificar);
    checking->addStretch();
    checking->addWidget(Animate1, 0, Qt::AlignHCenter);
    checking->addWidget(caption, 0, Qt::AlignHCenter);
    checking->addWidget(prDecl01);
    checking->addStretch();
    PanelLayout()->addWidget(paVerificar, 1);

    // Tab order of the design.
    QWidget* order[] = {dbrTipoInscr->Button(0), dbrTipoInscr->Button(1), dbrTipoInscr->Button(2), mdInscricao, deNome,
                        deLogradouro, deNumero, deComplemento, deBairro, deCep, deCodMunicipio, bbMunicipios, deDDD,
                        deTelefone, deEmail, deCpfResponsavel, deNomeResp, deDataNasc, NextButton(), CancelButton()};
    for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    connect(bbMunicipios, &QToolButton::clicked, this, [this] { bbMunicipiosClick(); });
}

void TfmGravaDecl01::bindFields() {
    db::Table* t = &resp();
    kit_->Bind(dbrTipoInscr, t, QStringLiteral("InInscrResponsavel"),
               {QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("4")});
    for (const EditRow& r : kEdits)
        if (r.field) kit_->Bind(this->*r.member, t, QString::fromLatin1(r.field));
    kit_->SkipChecksFor(CancelButton());
    kit_->SetCancelButton(CancelButton());

    kit_->OnEnter(dbrTipoInscr, [this] { dbrTipoInscrEnter(); });
    kit_->OnEnter(mdInscricao, [this] { ui::SetDesignMask(mdInscricao, kMaskInscricaoDigits); });
    kit_->OnExit(mdInscricao, [this] { mdInscricaoExit(); });
    kit_->OnEnter(deCpfResponsavel, [this] { ui::SetDesignMask(deCpfResponsavel, kMaskCpfDigits); });
    kit_->OnExit(deCodMunicipio, [this] { deCodMunicipioExit(); });

    BindResponsibleExitChecks(*kit_, {deNome, deLogradouro, deNumero, deComplemento, deBairro, deCep, deDDD,
                                      deTelefone, deEmail, deCpfResponsavel, deNomeResp, deDataNasc});
}

void TfmGravaDecl01::PageShown() {
    showDataPanel(true);
    NextButton()->setFocus();
    kit_->RunAction([this] {
        ClearEdits(this);
        db::Table& t = resp();
        if (!t.Active()) t.Open();
        t.First();
        if (t.IsEmpty())
            t.Append();
        else if (t.State() != db::DataSetState::Edit)
            t.Edit();
        ShowResponsibleStreetNumberPlain();  // Next pads it again
        kit_->LoadAll();
        ShowResponsibleInscription(mdInscricao, edTipodeInscricao);
        ShowResponsibleCpf(deCpfResponsavel);
        dbrTipoInscrEnter();
    });
}

void TfmGravaDecl01::dbrTipoInscrEnter() { dbrTipoInscr->FocusChosenOrFirst(); }

void TfmGravaDecl01::mdInscricaoExit() {
    if (ui::EditValue(mdInscricao).trimmed().isEmpty()) {
        edTipodeInscricao->clear();
        return;
    }
    if (FocusNotOnCancel()) CheckResponsibleInscription(mdInscricao, edTipodeInscricao);
    if (edTipodeInscricao->text() == QLatin1String("CPF")) {
        ui::SetDesignMask(deCpfResponsavel, kMaskCpf);
        ui::SetEditValue(deCpfResponsavel, ui::EditValue(mdInscricao));
    }
}

void TfmGravaDecl01::deCodMunicipioExit() {
    if (ui::EditValue(deCodMunicipio).trimmed().isEmpty()) {
        resp().FieldByName(QStringLiteral("NoMunicipioRespArquivo")).SetAsString(QString());
        resp().FieldByName(QStringLiteral("SgUfRespArquivo")).SetAsString(QString());
        kit_->RefreshAll();
        return;
    }
    if (FocusOnMunicipalities()) return;  // the picker checks
    if (FocusNotOnCancel()) CheckResponsibleMunicipalityCep(deCep, deDDD, deCodMunicipio);
}

void TfmGravaDecl01::bbMunicipiosClick() {
    if (!kit_->RunPendingChecks()) return;
    kit_->RunAction([this] {
        TfrmT8Munic::SelectMunicipality(resp().FieldByName(QStringLiteral("CoMunicipioRespArquivo")));
        bbMunicipios->setFocusPolicy(Qt::ClickFocus);
        kit_->RefreshAll();
        CheckResponsibleMunicipalityCep(deCep, deDDD, deCodMunicipio);
    });
}

void TfmGravaDecl01::bbVoltarClick() {
    resp().Cancel();
    GoBack();
}

void TfmGravaDecl01::showDataPanel(bool data) {
    laResponsavel->setVisible(data);
    BackButton()->setEnabled(data);
    NextButton()->setEnabled(data);
    paDadosResp->setVisible(data);
    paVerificar->setVisible(!data);
    repaint();
}

void TfmGravaDecl01::bbAvancarClick() {
    const bool saved = kit_->RunAction([this] {
        CheckResponsibleInscription(mdInscricao, edTipodeInscricao);
        CheckResponsibleName(deNome);
        CheckResponsibleAreaCode(deDDD);
        CheckResponsiblePhone(deTelefone, deDDD);
        CheckResponsibleStreet(deLogradouro);
        CheckResponsibleStreetNumber(deNumero);
        CheckResponsibleComplement(deComplemento);
        CheckResponsibleDistrict(deBairro);
        CheckResponsibleCep(deCep);
        CheckResponsibleMunicipalityCep(deCep, deDDD, deCodMunicipio);
        CheckResponsibleEmail(deEmail);
        CheckResponsibleDeclarantName(deNomeResp);
        CheckResponsibleCpf(deCpfResponsavel);
        CheckInscriptionAgainstCpf(mdInscricao, deCpfResponsavel);
        CheckResponsibleBirthDate(deDataNasc);

        StoreResponsibleNumbers();
        try {
            resp().Post();
        } catch (const db::DbError& e) {
            // Refused (another user holds the table, the disk is full): the
            // page keeps what was typed for another try.
            ShowEngineErrorBox(e);
            throw SilentAbort();
        }
    });
    if (!saved) return;
    if (CopyToWork && !CopyToWork()) {
        CancelWizard();
        return;
    }

    showDataPanel(false);
    prDecl01->setValue(0);
    ValidationResult result = 0;
    const bool amendment = dmDadosResp->ModoRetificacao != 0;
    // The n-th entry stands for the n-th establishment of the year in key order.
    std::vector<bool> chosen;
    if (!amendment) {
        const QListWidget* list = fmGravaDecl00->lbEmpresas00;
        for (int i = 0; i < list->count(); ++i) chosen.push_back(list->item(i)->isSelected());
    }
    RunBusy([] { RequestValidationStop(); }, [&] {
        forms::ProgressBarHost bar(prDecl01);
        WidgetValidationHost host(bar);
        result = ValidateDeclaration(host, TdmLobrix::OpenAlias()->folder(), dmDadosResp->ModoRetificacao,
                                     amendment ? nullptr : &chosen, dmDadosResp->AnoBaseAssistente, 0, 0, 0);
    });
    dmDadosResp->ResultadoCritica = result;

    if (result & 4) {
        msg::ShowInformation(QStringLiteral("Consistência interrompida pelo usuário"));
        db::Table& t = resp();
        t.First();
        t.Edit();
        // As on showing: the number without the zeros it was stored with.
        kit_->RunAction([this] {
            ShowResponsibleStreetNumberPlain();
            kit_->LoadAll();
        });
        showDataPanel(true);
        return;
    }
    if (BeforeWritingPage) BeforeWritingPage();
    GoNext(std::make_unique<TfmGravaDecl03>());
}
