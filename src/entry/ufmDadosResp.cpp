#include "ufmDadosResp.h"

#include "PickerIcons.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/SilentAbort.h"
#include "rules/UgDadosResp.h"
#include "shell/udmDadosResp.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"
#include "ufmTb8Munic.h"

#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScreen>
#include <QStyle>
#include <QToolButton>
#include <QVBoxLayout>

TfmDadosResp* fmDadosResp = nullptr;

namespace {

const QString kMaskInscricaoDigits = QStringLiteral("99999999999999;0;_");
const QString kMaskCpfDigits = QStringLiteral("99999999999;0;_");

db::Table& resp() { return dmDadosResp->ta8Resp; }

QLineEdit* makeEdit(QWidget* parent, const char* name, int help, const char* hint) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(QString::fromLatin1(name));
    ui::SetHelpContext(edit, help);
    if (hint && *hint) edit->setToolTip(QString::fromUtf8(hint));
    return edit;
}

QLabel* label(const char* text, QWidget* buddy) {
    auto* l = new QLabel(QString::fromUtf8(text));
    l->setBuddy(buddy);
    return l;
}

// This form was designed for a 640 x 480 screen.
QSize scaledSize(QSize screen) {
    const QSize design(655, 380);
    if (screen.width() > 1024) return QSize(850, 550);
    if (screen.width() == 640 || screen.width() <= 0 || screen.height() <= 0) return design;
    return QSize(design.width() * screen.width() / 640, design.height() * screen.height() / 480);
}

}  // namespace

TfmDadosResp::TfmDadosResp(QWidget* parent) : QDialog(parent), kit_(new ui::EntryFormController(this)) {
    setObjectName(QStringLiteral("fmDadosResp"));
    setWindowTitle(QStringLiteral("Informações do Responsável pela Declaração da Zuvo"));
    // No border icons: the form closes through its buttons only.
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    buildControls();

    QSize screen(800, 600);
    if (QScreen* s = this->screen()) screen = s->size();
    resize(scaledSize(screen));
    forms::CenterOnActivate(this);

    dmDadosResp = new TdmDadosResp();
    resp().Open();
    bindFields();
}

void TfmDadosResp::buildControls() {
    auto* outer = new QHBoxLayout(this);

    // The left panel with the buttons.
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnlBotoes"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    bbOk = new QPushButton(QStringLiteral("&Ok"), panel);
    bbOk->setObjectName(QStringLiteral("bbOk"));
    bbOk->setIcon(style()->standardIcon(QStyle::SP_DialogOkButton));
    bbCancelar = new QPushButton(QStringLiteral("&Cancelar"), panel);
    bbCancelar->setObjectName(QStringLiteral("bbCancelar"));
    bbCancelar->setIcon(style()->standardIcon(QStyle::SP_DialogCancelButton));
    for (QPushButton* b : {bbOk, bbCancelar}) {
        b->setAutoDefault(false);
        b->setMinimumHeight(32);
        panelLayout->addWidget(b);
    }
    panelLayout->addStretch();
    outer->addWidget(panel);

    auto* group = new QGroupBox(QStringLiteral("Dados do Responsável"), this);
    group->setObjectName(QStringLiteral("gbDadosResponsavel"));
    outer->addWidget(group, 1);
    auto* grid = new QGridLayout(group);
    grid->setHorizontalSpacing(8);
    grid->setVerticalSpacing(6);

    // Inscription: the type and the number.
    auto* inscricao = new QGroupBox(QStringLiteral("Inscrição"), group);
    auto* inscricaoLayout = new QGridLayout(inscricao);
    dbrTipoInscr = new ui::RadioGroup(QStringLiteral("Tipo"), {QStringLiteral("CNPJ"), QStringLiteral("CEI"), QStringLiteral("CPF")}, 3, inscricao);
    dbrTipoInscr->setObjectName(QStringLiteral("dbrTipoInscr"));
    dbrTipoInscr->setToolTip(QStringLiteral("Selecione o tipo de Inscrição do Responsável pela declaração."));
    ui::SetHelpContext(dbrTipoInscr, 133);
    mdInscricao = makeEdit(inscricao, "mdInscricao", 46, "Informe a inscrição CNPJ/CEI/CPF do responsável.");
    edTipodeInscricao = makeEdit(inscricao, "edTipodeInscricao", 0, nullptr);
    edTipodeInscricao->setReadOnly(true);
    edTipodeInscricao->hide();
    inscricaoLayout->addWidget(dbrTipoInscr, 0, 0, 2, 1);
    inscricaoLayout->addWidget(label("Número", mdInscricao), 0, 1);
    inscricaoLayout->addWidget(mdInscricao, 1, 1);
    inscricaoLayout->setColumnStretch(2, 1);
    grid->addWidget(inscricao, 0, 0, 1, 4);

    deNome = makeEdit(group, "deNome", 117, "Informe o Nome/Razão Social do responsável.");
    grid->addWidget(label("Nome/Razão Social", deNome), 1, 0, 1, 4);
    grid->addWidget(deNome, 2, 0, 1, 4);

    deLogradouro = makeEdit(group, "deLogradouro", 35, "Informe o logradouro(rua,avenida,praça,...) do responsável.");
    deNumero = makeEdit(group, "deNumero", 36, "Informe o número do logradouro do responsável.");
    deComplemento = makeEdit(group, "deComplemento", 37, "Informe o complemento do endereço do responsável.");
    grid->addWidget(label("Logradouro (rua, avenida, praça,...)", deLogradouro), 3, 0, 1, 2);
    grid->addWidget(label("Número", deNumero), 3, 2);
    grid->addWidget(label("Complemento", deComplemento), 3, 3);
    grid->addWidget(deLogradouro, 4, 0, 1, 2);
    grid->addWidget(deNumero, 4, 2);
    grid->addWidget(deComplemento, 4, 3);

    deBairro = makeEdit(group, "deBairro", 38, "Informe o bairro/distrito do responsável.");
    deCep = makeEdit(group, "deCep", 39, "Informe o Código de Endereçamento Postal (CEP).");
    grid->addWidget(label("Bairro/Distrito", deBairro), 5, 0, 1, 2);
    grid->addWidget(label("CEP", deCep), 5, 2);
    grid->addWidget(deBairro, 6, 0, 1, 2);
    grid->addWidget(deCep, 6, 2);

    // Municipality: code with its picker button, name and state.
    auto* municipio = new QGroupBox(QStringLiteral("Dados do Município"), group);
    ui::SetHelpContext(municipio, 41);
    auto* municipioLayout = new QGridLayout(municipio);
    deCodMunicipio = makeEdit(municipio, "deCodMunicipio", 42,
                              "Informe o código do município do responsável ou selecione-o clicando no ícone ao lado.");
    bbCodMunicipio = new QToolButton(municipio);
    bbCodMunicipio->setObjectName(QStringLiteral("bbCodMunicipio"));
    bbCodMunicipio->setIcon(PickerIcons::OpenFolder());
    bbCodMunicipio->setFocusPolicy(Qt::ClickFocus);  // no tab stop
    deNomeMunicipio = makeEdit(municipio, "deNomeMunicipio", 43, nullptr);
    deUF = makeEdit(municipio, "deUF", 44, nullptr);
    for (QLineEdit* e : {deNomeMunicipio, deUF}) {
        ui::SetLocked(e, true);
        e->setFocusPolicy(Qt::ClickFocus);
    }
    municipioLayout->addWidget(label("Cód. Munic.", deCodMunicipio), 0, 0, 1, 2);
    municipioLayout->addWidget(label("Nome do Município", deNomeMunicipio), 0, 2);
    municipioLayout->addWidget(label("UF", deUF), 0, 3);
    municipioLayout->addWidget(deCodMunicipio, 1, 0);
    municipioLayout->addWidget(bbCodMunicipio, 1, 1);
    municipioLayout->addWidget(deNomeMunicipio, 1, 2);
    municipioLayout->addWidget(deUF, 1, 3);
    municipioLayout->setColumnStretch(2, 1);
    grid->addWidget(municipio, 7, 0, 1, 3);

    auto* telefone = new QGroupBox(QStringLiteral("Telefone"), group);
    auto* telefoneLayout = new QGridLayout(telefone);
    deDDD = makeEdit(telefone, "deDDD", 45, "Informe o código DDD.");
    deTelefone = makeEdit(telefone, "deTelefone", 45, "Informe o número do telefone para contato.");
    telefoneLayout->addWidget(label("DDD", deDDD), 0, 0);
    telefoneLayout->addWidget(label("Número", deTelefone), 0, 1);
    telefoneLayout->addWidget(deDDD, 1, 0);
    telefoneLayout->addWidget(deTelefone, 1, 1);
    telefoneLayout->setColumnStretch(1, 1);
    grid->addWidget(telefone, 7, 3);

    deCpfResponsavel = makeEdit(group, "deCpfResponsavel", 204, "Informe o CPF do responsável");
    deNomeResp = makeEdit(group, "deNomeResp", 170, "Informe o Nome do responsável.");
    deDataNascResp = makeEdit(group, "deDataNascResp", 209, nullptr);
    deEmail = makeEdit(group, "deEmail", 205, "Informe o e-mail para contato com o responsável.");
    grid->addWidget(label("CPF do Responsável", deCpfResponsavel), 8, 0);
    grid->addWidget(label("Nome do Responsável", deNomeResp), 8, 1, 1, 3);
    grid->addWidget(deCpfResponsavel, 9, 0);
    grid->addWidget(deNomeResp, 9, 1, 1, 3);
    grid->addWidget(label("Data de Nascimento", deDataNascResp), 10, 0);
    grid->addWidget(label("E-mail", deEmail), 10, 1, 1, 3);
    grid->addWidget(deDataNascResp, 11, 0);
    grid->addWidget(deEmail, 11, 1, 1, 3);
    grid->setColumnStretch(1, 3);
    grid->setColumnStretch(0, 2);
    grid->setRowStretch(12, 1);

    for (QLineEdit* e : {deNome, deLogradouro, deNumero, deComplemento, deBairro, deNomeMunicipio, deUF, deDDD,
                         deTelefone, deNomeResp})
        ui::SetUpperCase(e);
    // Short fields keep a width that fits what they hold.
    const std::pair<QLineEdit*, int> widths[] = {{mdInscricao, 220}, {deNumero, 110}, {deCep, 110},
                                                 {deCodMunicipio, 90}, {deUF, 40}, {deDDD, 50},
                                                 {deTelefone, 120}, {deCpfResponsavel, 160}, {deDataNascResp, 110}};
    for (const auto& [edit, width] : widths) edit->setMaximumWidth(width);

    // Tab order of the design.
    QWidget* order[] = {dbrTipoInscr->Button(0), dbrTipoInscr->Button(1), dbrTipoInscr->Button(2), mdInscricao,
                        deNome, deLogradouro, deNumero, deComplemento, deBairro, deCep, deCodMunicipio, deDDD,
                        deTelefone, deCpfResponsavel, deNomeResp, deDataNascResp, deEmail, bbOk, bbCancelar};
    for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);

    connect(bbOk, &QPushButton::clicked, this, &TfmDadosResp::bbOkClick);
    connect(bbCancelar, &QPushButton::clicked, this, &TfmDadosResp::bbCancelarClick);
    connect(bbCodMunicipio, &QToolButton::clicked, this, &TfmDadosResp::bbCodMunicipioClick);
}

void TfmDadosResp::bindFields() {
    db::Table* t = &resp();
    kit_->Bind(dbrTipoInscr, t, QStringLiteral("InInscrResponsavel"),
               {QStringLiteral("1"), QStringLiteral("3"), QStringLiteral("4")});
    const std::pair<QLineEdit*, const char*> bound[] = {
        {deNome, "NoResponsavelArquivo"},        {deLogradouro, "EdLogradouroRespArquivo"},
        {deNumero, "NuLogradouroRespArquivo"},   {deComplemento, "TxComplementoRespArquivo"},
        {deBairro, "NoBairroRespArquivo"},       {deCep, "CoCepRespArquivo"},
        {deCodMunicipio, "CoMunicipioRespArquivo"}, {deNomeMunicipio, "NoMunicipioRespArquivo"},
        {deUF, "SgUfRespArquivo"},               {deDDD, "NuFoneDDD"},
        {deTelefone, "NuFoneAssinante"},         {deNomeResp, "NoResponsavelDeclaracao"},
        {deDataNascResp, "DaNascimentoRespArquivo"}, {deEmail, "TxEMailRespArquivo"},
    };
    for (const auto& [edit, name] : bound) kit_->Bind(edit, t, QString::fromLatin1(name));
    // The inscription and the CPF reach the record only through their checks.
    mdInscricao->setMaxLength(14);
    deCpfResponsavel->setMaxLength(11);

    kit_->SkipChecksFor(bbCancelar);
    kit_->SetCancelButton(bbCancelar);

    kit_->OnEnter(dbrTipoInscr, [this] { dbrTipoInscrEnter(); });
    kit_->OnEnter(mdInscricao, [this] { mdInscricaoEnter(); });
    kit_->OnExit(mdInscricao, [this] { mdInscricaoExit(); });
    kit_->OnEnter(deCpfResponsavel, [this] { deCpfResponsavelEnter(); });
    kit_->OnExit(deCodMunicipio, [this] { deCodMunicipioExit(); });

    BindResponsibleExitChecks(*kit_, {deNome, deLogradouro, deNumero, deComplemento, deBairro, deCep, deDDD,
                                      deTelefone, deEmail, deCpfResponsavel, deNomeResp, deDataNascResp});
}

void TfmDadosResp::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    kit_->RunAction([this] { FormShow(); });
}

void TfmDadosResp::FormShow() {
    ClearEdits(this);
    db::Table& t = resp();
    t.First();
    if (t.IsEmpty())
        t.Append();
    else
        t.Edit();
    ShowResponsibleStreetNumberPlain();  // Ok pads it again
    kit_->LoadAll();
    ShowResponsibleInscription(mdInscricao, edTipodeInscricao);
    ShowResponsibleCpf(deCpfResponsavel);
    dbrTipoInscrEnter();
}

void TfmDadosResp::dbrTipoInscrEnter() {
    for (int i = 0; i < dbrTipoInscr->Count(); ++i) ui::SetHelpContext(dbrTipoInscr->Button(i), 46);
    dbrTipoInscr->FocusChosenOrFirst();
}

void TfmDadosResp::pTipoInscricaoPreenchido() {
    if (dbrTipoInscr->ItemIndex() >= 0) return;
    ShowMessageByCode(QStringLiteral("0049"));
    ui::FocusBack(dbrTipoInscr->Button(0));
    throw SilentAbort();
}

void TfmDadosResp::mdInscricaoEnter() {
    ui::SetDesignMask(mdInscricao, kMaskInscricaoDigits);
    pTipoInscricaoPreenchido();
}

void TfmDadosResp::mdInscricaoExit() {
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

void TfmDadosResp::deCpfResponsavelEnter() { ui::SetDesignMask(deCpfResponsavel, kMaskCpfDigits); }

void TfmDadosResp::deCodMunicipioExit() {
    if (ui::EditValue(deCodMunicipio).trimmed().isEmpty()) {
        resp().FieldByName(QStringLiteral("NoMunicipioRespArquivo")).SetAsString(QString());
        resp().FieldByName(QStringLiteral("SgUfRespArquivo")).SetAsString(QString());
        return;
    }
    if (FocusOnMunicipalityCode()) return;  // the picker checks
    if (FocusNotOnCancel()) CheckResponsibleMunicipalityCep(deCep, deDDD, deCodMunicipio);
}

void TfmDadosResp::bbCodMunicipioClick() {
    // The check of the field being left comes first, as for any other move.
    if (!kit_->RunPendingChecks()) return;
    kit_->RunAction([this] {
        TfrmT8Munic::SelectMunicipality(resp().FieldByName(QStringLiteral("CoMunicipioRespArquivo")));
        kit_->RefreshAll();
        CheckResponsibleMunicipalityCep(deCep, deDDD, deCodMunicipio);
    });
}

void TfmDadosResp::bbOkClick() {
    kit_->RunAction([this] {
        pTipoInscricaoPreenchido();
        CheckResponsibleInscription(mdInscricao, edTipodeInscricao);
        CheckResponsibleName(deNome);
        CheckResponsibleStreet(deLogradouro);
        CheckResponsibleStreetNumber(deNumero);
        CheckResponsibleComplement(deComplemento);
        CheckResponsibleDistrict(deBairro);
        CheckResponsibleCep(deCep);
        CheckResponsibleMunicipalityCep(deCep, deDDD, deCodMunicipio);
        CheckResponsibleAreaCode(deDDD);
        CheckResponsiblePhone(deTelefone, deDDD);
        CheckResponsibleEmail(deEmail);
        CheckResponsibleDeclarantName(deNomeResp);
        CheckResponsibleCpf(deCpfResponsavel);
        CheckInscriptionAgainstCpf(mdInscricao, deCpfResponsavel);
        CheckResponsibleBirthDate(deDataNascResp);

        StoreResponsibleNumbers();
        try {
            resp().Post();
        } catch (const db::DbError& e) {
            // Refused (another user holds the table, the disk is full): the
            // form keeps what was typed for another try.
            ShowEngineErrorBox(e);
            return;
        }
        forms::SetModalResult(this, forms::mrOk);
        accept();
    });
}

void TfmDadosResp::bbCancelarClick() {
    forms::SetModalResult(this, forms::mrCancel);
    reject();
}

void ShowDadosResp(QWidget* parent) {
    fmDadosResp = new TfmDadosResp(parent);
    forms::ShowModal(fmDadosResp);
    delete fmDadosResp;
    fmDadosResp = nullptr;
    if (dmDadosResp) {
        dmDadosResp->ta8Resp.Close();
        delete dmDadosResp;
        dmDadosResp = nullptr;
    }
}
