#include "ufmDadosEmpreg.h"

#include "EmployeeFormParts.h"
#include "EntryShared.h"
#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/ControlTable.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/SilentAbort.h"
#include "rules/ugRegrasContrato.h"
#include "rules/ugRegrasEmpregado.h"
#include "rules/ugRegrasIdentificacao.h"
#include "rules/ugRegrasRemuneracao.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"
#include "ufmConEmpreg.h"
#include "ufmConEstab.h"
#include "ufmDadosEstab.h"
#include "ufmMesesAno.h"
#include "ufmTb8CBO.h"
#include "ufmTb8Nacio.h"
#include "ufmTb8Raca.h"
#include "ufmTb8TpAdm.h"
#include "ufmTb8TpSal.h"
#include "ufmtb8Deficiente.h"
#include "ufmtb8Instr.h"

#include <QComboBox>
#include <QFrame>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QShowEvent>
#include <QStyle>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>
#include <QValidator>

QString ContextBaseYear;
QString ContextInscription;
QString ContextPrefix;
QString ContextInscriptionType;
QString ContextEstablishmentName;
QString ContextLinkedCei;
std::uint8_t ContextFollowingYear = 0;
QString ContextPis;
QString ContextAdmission;
QString ContextEmployeeName;
QString ContextDismissal;
QString ContextCbo;

QString LastMessageCode;

std::function<void(const QString&)> EmployeeListSearchPis;

TfmDadosEmpreg* fmDadosEmpreg = nullptr;

using namespace employee_form;

namespace {

const QString kOk = QStringLiteral("0000");

// The months as the field and control names write them, and as the page shows them.
const char* const kMonthKeys[12] = {"Janeiro", "Fevereiro", "Marco",    "Abril",   "Maio",     "Junho",
                                    "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};
const char* const kMonthCaptions[12] = {"Janeiro", "Fevereiro", "Março",    "Abril",   "Maio",     "Junho",
                                        "Julho",   "Agosto",    "Setembro", "Outubro", "Novembro", "Dezembro"};

QString monthField(int m) { return QStringLiteral("Va%1Empregado").arg(QLatin1String(kMonthKeys[m])); }
QString hoursField(int m) { return QStringLiteral("HoTrabalhadas%1").arg(QLatin1String(kMonthKeys[m])); }
QString monthNumber(int m) { return QStringLiteral("%1").arg(m + 1, 2, 10, QLatin1Char('0')); }

}  // namespace

// ---- Creation ---------------------------------------------------------------

TfmDadosEmpreg::TfmDadosEmpreg(QWidget* parent) : QDialog(parent), kit_(new ui::EntryFormController(this)) {
    setObjectName(QStringLiteral("fmDadosEmpreg"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);  // no border icons
    setToolTipDuration(6000);
    buildControls();
    connectHandlers();
    forms::ScaleForm(this, QSize(790, 540), QSize(1024, 550));
    forms::CenterOnActivate(this);
}

TfmDadosEmpreg::~TfmDadosEmpreg() {
    if (fmDadosEmpreg == this) fmDadosEmpreg = nullptr;
}

db::Table& TfmDadosEmpreg::contract() const { return dmEntradaDados->ta8Empreg; }
db::Table& TfmDadosEmpreg::establishment() const { return dmEntradaDados->ta8Empresa; }

QString TfmDadosEmpreg::F(const char* name) const {
    return contract().FieldByName(QLatin1String(name)).AsString();
}

void TfmDadosEmpreg::SetF(const char* name, const QString& value) {
    contract().FieldByName(QLatin1String(name)).SetAsString(value);
}

EstablishmentKey TfmDadosEmpreg::establishmentKey() const {
    return {ContextBaseYear, ContextInscription, ContextPrefix};
}

void TfmDadosEmpreg::fail(const QString& code, QWidget* focus) {
    LastMessageCode = code;
    ShowMessageByCode(code);
    ui::FocusBack(focus);
    throw SilentAbort();
}

const QString& TfmDadosEmpreg::rule(const QString& code) {
    LastMessageCode = code;
    return LastMessageCode;
}

void TfmDadosEmpreg::buildControls() {
    auto* outer = new QHBoxLayout(this);

    auto* paBotoes = new QFrame(this);
    paBotoes->setObjectName(QStringLiteral("paBotoes"));
    paBotoes->setFrameShape(QFrame::StyledPanel);
    auto* buttons = new QVBoxLayout(paBotoes);
    auto button = [&](const char* name, const char* text, QStyle::StandardPixmap icon) {
        QPushButton* b = MakeFormButton(paBotoes, name, text, icon);
        b->setMinimumHeight(32);
        buttons->addWidget(b);
        return b;
    };
    BtOk = button("BtOk", "&Ok", QStyle::SP_DialogOkButton);
    BtExcluir = button("BtExcluir", "&Excluir", QStyle::SP_TrashIcon);
    BtCancelar = button("BtCancelar", "&Cancelar", QStyle::SP_DialogCancelButton);
    BtAjuda = button("BtAjuda", "&Ajuda", QStyle::SP_DialogHelpButton);
    BtAjuda->setToolTip(QStringLiteral("Selecione o campo e clique aqui para obter o Ajuda"));
    // Help refers to the field entered last: the button must not take the focus.
    BtAjuda->setFocusPolicy(Qt::NoFocus);
    buttons->addStretch();
    outer->addWidget(paBotoes);

    pcEmpregados = new ui::PageControl(this);
    pcEmpregados->setObjectName(QStringLiteral("pcEmpregados"));
    // Seven long captions share the width: each stays whole, the tab bar scrolls when they do not fit.
    pcEmpregados->setUsesScrollButtons(true);
    pcEmpregados->setElideMode(Qt::ElideNone);
    outer->addWidget(pcEmpregados, 1);
    auto page = [&](QWidget*& sheet, const char* name, const char* text) {
        sheet = new QWidget;
        sheet->setObjectName(QLatin1String(name));
        pcEmpregados->addTab(sheet, QString::fromUtf8(text));
    };
    page(tDadosPessoais, "tDadosPessoais", "Dados Pessoais do Empregado/Servidor");
    page(tAdmissao, "tAdmissao", "Informações Admissão");
    page(tVinculo, "tVinculo", "Vínculo Empregatício");
    page(tAfastamento, "tAfastamento", "Afastamento");
    page(tSindicais, "tSindicais", "Informações Sindicais");
    page(tRemuneracoes, "tRemuneracoes", "Remunerações Mensais");
    page(tVerbas, "tVerbas", "Verbas Pagas na Rescisão");
    // The tab bar takes the focus on a click only, so that the field being left runs its check.
    pcEmpregados->tabBar()->setFocusPolicy(Qt::ClickFocus);
    kit_->AttachPageControl(pcEmpregados);

    controls_ = new ui::ControlTable(kit_, &dmEntradaDados->ta8Empreg, pcEmpregados);
    buildPersonalPage();
    buildAdmissionPage();
    buildContractPages();
    buildPayPage();

    kit_->SetCancelButton(BtCancelar);
}

QWidget* TfmDadosEmpreg::buildPersonalPage() {
    using namespace ui;
    const int p = kPersonal;
    controls_->Add({
        EditRow("dePisPasep", p, 63, "CoPisPasepEmpregado", 0, "Informe o código PIS/PASEP do empregado.", &dePisPasep),
        EditRow("deNomeEmpregado", p, 64, "NoEmpregado", kUpper, "Informe o Nome do Empregado.", &deNomeEmpregado),
        EditRow("deNascimento", p, 65, "DaNascimentoEmpregado", 0,
                "Informe a Data de Nascimento do Empregado no formato dia/mês/ano.", &deNascimento),
        EditRow("deRaca", p, 66, "CoTipoRaca", 0,
                "Informe a Raça/Cor do Empregado ou selecione-o clicando no botão ao lado", &deRaca),
        DescriptionRow("edTxRaca", p, &edTxRaca),
    });
    ControlRow disability;
    disability.name = QStringLiteral("dgDeficiencia");
    disability.page = p;
    disability.help = 176;
    disability.field = QStringLiteral("InDeficienteFisico");
    disability.hint = QStringLiteral("Informe se o empregado é portador de deficiência.");
    disability.title = QStringLiteral("Portador de Deficiência");
    disability.items = {QStringLiteral("Sim "), QStringLiteral("Não")};
    disability.values = {QStringLiteral("1"), QStringLiteral("2")};
    disability.columns = 2;
    disability.group = &dgDeficiencia;
    controls_->Add(disability);
    controls_->Add({
        // "0" stands for no disability: the type box shows it empty.
        EditRow("deDeficiente", p, 194, "CoDeficienteFisico", kZerosEmpty,
                "Informe o Tipo de Deficiência do Empregado ou selecione-o clicando no botão ao lado", &deDeficiente),
        DescriptionRow("edTxDeficiente", p, &edTxDeficiente),
        EditRow("deNacionalidade", p, 69, "CoNacionalidade", 0,
                "Informe o código da Nacionalidade do Empregado ou selecione-o clicando no botão ao lado",
                &deNacionalidade),
        DescriptionRow("edTxNacionalidade", p, &edTxNacionalidade),
        EditRow("deAnoChegada", p, 70, "AnChegadaEmpregado", kReadOnly,
                "Informe o Ano de Chegada ao país, para empregado estrangeiro ou naturalizado.", &deAnoChegada),
        EditRow("deInstrucao", p, 71, "CoInstrucao", 0,
                "Informe o Grau de Instrução do Empregado ou selecione-o clicando no botão ao lado", &deInstrucao),
        DescriptionRow("edTxInstrucao", p, &edTxInstrucao),
        EditRow("deCarteiraTrab", p, 72, "NuCartTrabEmpregado", kUpper,
                "Informe o Número da Carteira de Trabalho do Empregado", &deCarteiraTrab),
        EditRow("deCarteiraTrabSerie", p, 72, "SeCartTrabEmpregado", kUpper,
                "Informe a Série da Carteira de Trabalho do Empregado", &deCarteiraTrabSerie),
        EditRow("deCPF", p, 73, "CoCpfEmpregado", 0, "Informe o CPF do Empregado.", &deCPF),
        EditRow("deUsoEmpregado", p, 74, "TxUsoEmpregado", kUpper, "Informação de uso exclusivo da empresa.",
                &deUsoEmpregado),
    });
    // The disability group's buttons are reached by clicks and Tab; its type is read-only until "Sim ".
    SetLocked(deDeficiente, true);

    cbSexo = new QComboBox(tDadosPessoais);
    cbSexo->setObjectName(QStringLiteral("cbSexo"));
    cbSexo->addItems({QStringLiteral("1-Masculino"), QStringLiteral("2-Feminino")});
    cbSexo->setCurrentIndex(-1);
    cbSexo->setToolTip(QStringLiteral("Informe o sexo do Empregado"));
    SetHelpContext(cbSexo, 68);

    sbRaca = PickerButton(tDadosPessoais, "sbRaca");
    sbDeficiente = PickerButton(tDadosPessoais, "sbDeficiente");
    sbDeficiente->setEnabled(false);
    sbNacionalidade = PickerButton(tDadosPessoais, "sbNacionalidade");
    sbInstrucao = PickerButton(tDadosPessoais, "sbInstrucao");

    auto* grid = new QGridLayout(tDadosPessoais);
    Compact(grid);
    auto* ident = Group("Identificação do empregado / servidor", tDadosPessoais);
    auto* identRow = RowIn(ident);
    identRow->addWidget(Caption("PIS/PASEP", dePisPasep));
    FitWidthToText(dePisPasep, QStringLiteral("999.99999.99.9"));
    identRow->addWidget(dePisPasep);
    identRow->addWidget(Caption("Nome", deNomeEmpregado));
    identRow->addWidget(deNomeEmpregado, 1);
    identRow->addWidget(Caption("Data de Nascimento (dd/mm/aaaa)", deNascimento));
    deNascimento->setMaximumWidth(110);
    identRow->addWidget(deNascimento);
    grid->addWidget(ident, 0, 0, 1, 2);

    RowIn(Group("Raça/Cor", tDadosPessoais), grid, 1, 0)->addWidget(CodeRow(deRaca, sbRaca, edTxRaca, 40));
    grid->addWidget(dgDeficiencia, 1, 1);
    RowIn(Group("Tipo de Deficiência", tDadosPessoais), grid, 2, 0)
        ->addWidget(CodeRow(deDeficiente, sbDeficiente, edTxDeficiente, 40));
    RowIn(Group("Sexo", tDadosPessoais), grid, 2, 1)->addWidget(cbSexo);
    auto* natRow = RowIn(Group("Nacionalidade", tDadosPessoais), grid, 3, 0);
    natRow->addWidget(CodeRow(deNacionalidade, sbNacionalidade, edTxNacionalidade, 40), 1);
    natRow->addWidget(Caption("Ano de chegada", deAnoChegada));
    deAnoChegada->setMaximumWidth(60);
    natRow->addWidget(deAnoChegada);
    RowIn(Group("Grau de instrução ", tDadosPessoais), grid, 3, 1)
        ->addWidget(CodeRow(deInstrucao, sbInstrucao, edTxInstrucao, 40));
    auto* cardRow = RowIn(Group("Carteira de Trabalho ", tDadosPessoais), grid, 4, 0);
    cardRow->addWidget(Caption("Número", deCarteiraTrab));
    cardRow->addWidget(deCarteiraTrab, 2);
    cardRow->addWidget(Caption("Série", deCarteiraTrabSerie));
    cardRow->addWidget(deCarteiraTrabSerie, 1);
    RowIn(Group("CPF ", tDadosPessoais), grid, 4, 1)->addWidget(deCPF);
    RowIn(Group("Para uso da Empresa", tDadosPessoais), grid, 5, 0)->addWidget(deUsoEmpregado);
    auto* note = new QLabel(QStringLiteral(
        "Devem ser informadas para cada empregado/servidor,  exclusivamente, as remunerações referentes ao "
        "ano-base devidas em cada mês, pagas ou não, computados  os valores considerados rendimentos dotrabalho. "
        "Informar em REAIS (com centavos).Informar a quantidadede horas efetivamente trabalhadas  a cada mês "
        "( horas normais + horas extras)."));
    note->setWordWrap(true);
    grid->addWidget(note, 6, 0, 1, 2);
    grid->setRowStretch(7, 1);
    grid->setColumnStretch(0, 1);
    grid->setColumnStretch(1, 1);

    QWidget* order[] = {dePisPasep, deNomeEmpregado, deNascimento, deRaca, dgDeficiencia->Button(0),
                        dgDeficiencia->Button(1), deDeficiente, cbSexo, deNacionalidade, deAnoChegada, deInstrucao,
                        deCarteiraTrab, deCarteiraTrabSerie, deCPF, deUsoEmpregado};
    for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    return tDadosPessoais;
}

QWidget* TfmDadosEmpreg::buildAdmissionPage() {
    using namespace ui;
    const int p = kAdmission;
    controls_->Add({
        EditRow("deAdmissao", p, 75, "DaAdmissaoEmpregado", 0,
                "Informe a Data de Admissão/Transferência do Empregado no formato dia/mês/ano.", &deAdmissao),
        EditRow("deTipoAdmissao", p, 76, "CoTipoAdmissao", 0,
                "Informe o tipo de Admissão/Transferência do Empregado ou selecione-o clicando no botão ao lado",
                &deTipoAdmissao),
        DescriptionRow("edTxAdmissao", p, &edTxAdmissao),
        EditRow("edSalario", p, 124, nullptr, 0,
                "Informe o valor do Salário Contratual do Empregado, em reais (com centavos).", &edSalario),
        EditRow("deHoras", p, 78, "HoSemanaisEmpregado", 0, "Informe o número de horas normais de trabalho por semana.",
                &deHoras),
        EditRow("deTipoSalContratual", p, 79, "CoTipoSalarioContratual", 0,
                "Informe o Tipo de Salário de acordo com o contrato de trabalho ou selecione-o clicando no botão ao "
                "lado",
                &deTipoSalContratual),
        DescriptionRow("edTxSalContratual", p, &edTxSalContratual),
        EditRow("deCBO", p, 80, "CoCbo", 0, "Informe o código de ocupação ou selecione-o clicando no botão ao lado",
                &deCBO),
        DescriptionRow("edTxCBO", p, &edTxCBO),
        EditRow("tabInnerAd", p, 0, nullptr, 0, nullptr, &tabInnerAd),
    });
    MakeMoneyEdit(edSalario);
    // The pass-through edit only hands the focus on to the next page.
    tabInnerAd->setFixedSize(1, 1);
    sbAdmissao = PickerButton(tAdmissao, "sbAdmissao");
    sbSalarioContratual = PickerButton(tAdmissao, "sbSalarioContratual");
    sbCBO = PickerButton(tAdmissao, "sbCBO");

    auto* grid = new QGridLayout(tAdmissao);
    Compact(grid);
    auto* admission = Group("Admissão/Transferência/Movimentação", tAdmissao);
    auto* admGrid = new QGridLayout(admission);
    Compact(admGrid);
    admGrid->addWidget(Caption("Data (dd/mm/aaaa)", deAdmissao), 0, 0);
    admGrid->addWidget(Caption("Tipo", deTipoAdmissao), 0, 1);
    admGrid->addWidget(deAdmissao, 1, 0);
    admGrid->addWidget(CodeRow(deTipoAdmissao, sbAdmissao, edTxAdmissao, 40), 1, 1);
    admGrid->setColumnStretch(1, 1);
    auto* admNote = new QLabel(QStringLiteral(
        "Informe a data de admissão do empregado/servidor na empresa/entidade ou a data da "
        "transferência/movimentação  para o novo local de trabalho. "));
    admNote->setWordWrap(true);
    admGrid->addWidget(admNote, 2, 0, 1, 2);
    grid->addWidget(admission, 0, 0);

    auto* salary = Group("Salário Contratual / Vencimento Básico", tAdmissao);
    auto* salGrid = new QGridLayout(salary);
    Compact(salGrid);
    salGrid->addWidget(Caption("Valor (R$)", edSalario), 0, 0);
    salGrid->addWidget(Caption("Horas", deHoras), 0, 1);
    salGrid->addWidget(Caption("Tipo", deTipoSalContratual), 0, 2);
    edSalario->setMaximumWidth(140);
    deHoras->setMaximumWidth(50);
    salGrid->addWidget(edSalario, 1, 0);
    salGrid->addWidget(deHoras, 1, 1);
    salGrid->addWidget(CodeRow(deTipoSalContratual, sbSalarioContratual, edTxSalContratual, 40), 1, 2);
    salGrid->setColumnStretch(2, 1);
    auto* salNote = new QLabel(QStringLiteral(
        "Informe o valor  do último mês trabalhado no ano-base e deve corresponder ao tipo de salário. Informar em "
        "REAIS (com centavos)."));
    salNote->setWordWrap(true);
    salGrid->addWidget(salNote, 2, 0, 1, 3);
    grid->addWidget(salary, 1, 0);

    auto* cbo = Group("Código Brasileiro de Ocupações (CBO) ", tAdmissao);
    auto* cboLayout = RowIn(cbo);
    cboLayout->addWidget(CodeRow(deCBO, sbCBO, edTxCBO, 80));
    cboLayout->addWidget(tabInnerAd);
    grid->addWidget(cbo, 2, 0);
    grid->setRowStretch(3, 1);

    QWidget* order[] = {deAdmissao, deTipoAdmissao, edSalario, deHoras, deTipoSalContratual, deCBO, tabInnerAd};
    for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    return tAdmissao;
}

QWidget* TfmDadosEmpreg::buildPayPage() {
    using namespace ui;
    const int p = kPay;
    for (int m = 0; m < 12; ++m) {
        const QByteArray pay = "ed" + QByteArray(kMonthKeys[m]);
        const QByteArray hours = "deHoras" + QByteArray(kMonthKeys[m]);
        const QByteArray hoursName = hoursField(m).toLatin1();
        controls_->Add(EditRow(pay.constData(), p, 91, nullptr, 0,
                               m == 5 ? "Informe a remuneração no mês, em reais , em reais (com centavos)."
                                      : "Informe a remuneração no mês, em reais (com centavos).",
                               &edMonths[m]));
        controls_->Add(EditRow(hours.constData(), p, 178, hoursName.constData(), 0,
                               "Informe o total de horas extras efetivamente trabalhadas no mês.", &deHours[m]));
        MakeMoneyEdit(edMonths[m]);
    }
    controls_->Add({
        EditRow("deMesAdiantamento", p, 95, "Me13AdiantamentoEmpregado", 0,
                "Informe o mês do pagamento do adiantamento do 13 salário ou selecione-o clicando no botão ao lado",
                &deMesAdiantamento),
        DescriptionRow("edTxAdiantamento", p, &edTxAdiantamento),
        EditRow("edAdiantamento", p, 95, nullptr, 0,
                "Informe o valor da parcela do 13º salário, em reais ( com centavos).", &edAdiantamento),
        EditRow("deMesParcelaFinal", p, 96, "Me13ParcelaFinalEmpregado", 0,
                "Informe o mês do pagamento da parcela final ou única (99) do 13 salário ou selecione-o clicando no "
                "botão ao lado",
                &deMesParcelaFinal),
        DescriptionRow("edTxParcelaFinal", p, &edTxParcelaFinal),
        EditRow("edParcelaFinal", p, 96, nullptr, 0,
                "Informe o valor da parcela do 13º salário, em reais (com centavos).", &edParcelaFinal),
    });
    MakeMoneyEdit(edAdiantamento);
    MakeMoneyEdit(edParcelaFinal);
    sbMesAdiantamento = PickerButton(tRemuneracoes, "sbMesAdiantamento");
    sbMesParcelaFinal = PickerButton(tRemuneracoes, "sbMesParcelaFinal");

    auto* outer = new QVBoxLayout(tRemuneracoes);
    Compact(outer);
    auto* heading = new QLabel(QStringLiteral(
        "<b>Remunerações Mensais - </b>Informar para cada empregado/servidor, exclusivamente, as remunerações "
        "referentes ao ano-base, devidas em cada mês.<br><b>Hora Extras - </b>Informar o total de horas extras "
        "trabalhadas se houver."));
    heading->setWordWrap(true);
    outer->addWidget(heading);
    auto* body = new QHBoxLayout;
    outer->addLayout(body, 1);
    auto* grpRemuneracoes = Group("Remunerações Mensais e Horas Extras Mensais", tRemuneracoes);
    grpRemuneracoes->setObjectName(QStringLiteral("grpRemuneracoes"));
    SetHelpContext(grpRemuneracoes, 82);
    auto* grid = new QGridLayout(grpRemuneracoes);
    Compact(grid);
    for (int half = 0; half < 2; ++half) {
        grid->addWidget(Caption("Valor (R$)"), 0, half * 3 + 1);
        grid->addWidget(Caption("Hora Extra"), 0, half * 3 + 2);
    }
    for (int m = 0; m < 12; ++m) {
        const int row = 1 + m % 6;
        const int col = (m / 6) * 3;
        grid->addWidget(Caption(kMonthCaptions[m], edMonths[m]), row, col);
        edMonths[m]->setMaximumWidth(130);
        deHours[m]->setMaximumWidth(50);
        grid->addWidget(edMonths[m], row, col + 1);
        grid->addWidget(deHours[m], row, col + 2);
    }
    grid->setRowStretch(7, 1);
    body->addWidget(grpRemuneracoes, 2);

    auto* grp13salario = Group("13 salário ", tRemuneracoes);
    grp13salario->setObjectName(QStringLiteral("grp13salario"));
    auto* thirteenth = new QVBoxLayout(grp13salario);
    Compact(thirteenth);
    auto part = [&](const char* name, const char* title, QLineEdit* month, QToolButton* button, QLineEdit* text,
                    QLineEdit* value) {
        auto* g = Group(title, grp13salario);
        g->setObjectName(QLatin1String(name));
        auto* l = new QGridLayout(g);
        Compact(l);
        l->addWidget(Caption("Mês", month), 0, 0);
        l->addWidget(CodeRow(month, button, text, 40), 1, 0);
        l->addWidget(Caption("Valor (R$)", value), 2, 0);
        value->setMaximumWidth(130);
        l->addWidget(value, 3, 0);
        thirteenth->addWidget(g);
    };
    part("grpAdiantamento", "Adiantamento ", deMesAdiantamento, sbMesAdiantamento, edTxAdiantamento, edAdiantamento);
    part("grpParcelaFinal", "Parcela Final ", deMesParcelaFinal, sbMesParcelaFinal, edTxParcelaFinal, edParcelaFinal);
    thirteenth->addStretch();
    body->addWidget(grp13salario, 1);

    std::vector<QWidget*> order;
    for (int m = 0; m < 12; ++m) {
        order.push_back(edMonths[m]);
        order.push_back(deHours[m]);
    }
    for (QWidget* w : {static_cast<QWidget*>(deMesAdiantamento), static_cast<QWidget*>(edAdiantamento),
                       static_cast<QWidget*>(deMesParcelaFinal), static_cast<QWidget*>(edParcelaFinal)})
        order.push_back(w);
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
    return tRemuneracoes;
}

// ---- Handlers -----------------------------------------------------------------

void TfmDadosEmpreg::connectHandlers() {
    auto onExit = [this](QWidget* field, std::function<void()> handler) { kit_->OnExit(field, std::move(handler)); };
    auto onEnter = [this](QWidget* field, std::function<void()> handler) { kit_->OnEnter(field, std::move(handler)); };
    auto filled = [](QLineEdit* edit) { return !ui::EditValue(edit).trimmed().isEmpty(); };
    // The pages whose fields skip their check when the focus goes to another page's tab.
    auto samePage = [this] { return CheckFocusNotOnButton() && CheckFocusNotOnOtherPage(); };

    // Personal data.
    onEnter(dePisPasep, [this] { dePisPasepEnter(); });
    onExit(dePisPasep, [this] { dePisPasepExit(); });
    onExit(deNomeEmpregado, [=, this] {
        if (filled(deNomeEmpregado) && CheckFocusNotOnButton()) deNomeEmpregadoCheck();
    });
    onExit(deNascimento, [=, this] {
        if (filled(deNascimento) && CheckFocusNotOnButton()) deNascimentoCheck(1);
    });
    onExit(deRaca, [=, this] {
        if (!CheckFocusNotOnButton()) return;
        if (!filled(deRaca)) {
            edTxRaca->clear();
            return;
        }
        deRacaCheck(1);
        if (CheckFocusNotOnOtherPage()) dgDeficienciaEnter();
    });
    onEnter(dgDeficiencia, [this] { dgDeficienciaEnter(); });
    onExit(dgDeficiencia, [this] { dgDeficienciaExit(); });
    onEnter(deDeficiente, [this] {
        if (IsAllZeros(F("CoDeficienteFisico"))) SetF("CoDeficienteFisico", QString());
    });
    onExit(deDeficiente, [this] {
        if (CheckFocusNotOnButton()) dgDeficienciaCheck(1);
    });
    auto storeSex = [this] { SetF("InSexo", cbSexo->currentIndex() < 0 ? QString() : cbSexo->currentText().left(1)); };
    // The move below leaves the list without its exit: the choice is stored here.
    connect(cbSexo, &QComboBox::activated, this, [=, this] {
        kit_->RunAction([=, this] {
            storeSex();
            moveFocus(deNacionalidade);
        });
    });
    onExit(cbSexo, [=, this] {
        storeSex();
        if (samePage()) cbSexoCheck(1);
    });
    onExit(deNacionalidade, [this] { deNacionalidadeExit(); });
    onExit(deAnoChegada, [this] {
        if (CheckFocusNotOnButton()) deAnoChegadaCheck();
    });
    onExit(deInstrucao, [=, this] {
        if (!CheckFocusNotOnButton()) return;
        if (!filled(deInstrucao)) {
            edTxInstrucao->clear();
            return;
        }
        deInstrucaoCheck();
    });
    onExit(deCarteiraTrab, [this] {
        if (CheckFocusNotOnButton()) deCarteiraTrabCheck();
    });
    onExit(deCarteiraTrabSerie, [this] {
        if (CheckFocusNotOnButton()) deCarteiraTrabSerieCheck();
    });
    onExit(deCPF, [=, this] {
        if (filled(deCPF) && CheckFocusNotOnButton()) deCPFCheck();
    });
    onExit(deUsoEmpregado, [=, this] {
        if (!CheckFocusNotOnButton()) return;
        if (filled(deUsoEmpregado)) deUsoEmpregadoCheck();
        if (CheckFocusNotOnOtherPage()) moveFocus(deAdmissao);
    });

    // Admission.
    onExit(deAdmissao, [=, this] {
        if (filled(deAdmissao) && samePage()) deAdmissaoCheck(1);
    });
    onExit(deTipoAdmissao, [=, this] {
        if (!samePage()) return;
        if (!filled(deTipoAdmissao)) {
            edTxAdmissao->clear();
            return;
        }
        deTipoAdmissaoCheck();
    });
    onEnter(edSalario, [this] { moneyEnter(edSalario); });
    onExit(edSalario, [this] { edSalarioExit(); });
    onExit(deHoras, [=, this] {
        if (filled(deHoras) && samePage()) deHorasCheck();
    });
    onExit(deTipoSalContratual, [=, this] {
        if (!samePage()) return;
        if (!filled(deTipoSalContratual)) {
            edTxSalContratual->clear();
            return;
        }
        deTipoSalContratualCheck(1);
    });
    onExit(deCBO, [=, this] {
        if (samePage()) deCBOCheck(1);
    });
    onEnter(tabInnerAd, [this] { moveFocus(tVinculoFirstField()); });

    // Monthly pay, hours, 13th salary.
    for (int m = 0; m < 12; ++m) {
        QLineEdit* pay = edMonths[m];
        onEnter(pay, [this, pay] { moneyEnter(pay); });
        onExit(pay, [=, this] {
            if (!samePage()) return;
            if (m == 11) {
                DecemberExtras();
                return;
            }
            MonthCheck(m);
        });
        onExit(deHours[m], [=, this] {
            if (samePage()) HoursCheck(m);
        });
    }
    onExit(deMesAdiantamento, [=, this] {
        if (samePage()) deMesExit(true);
    });
    onExit(deMesParcelaFinal, [=, this] {
        if (samePage()) deMesExit(false);
    });
    onEnter(edAdiantamento, [this] { moneyEnter(edAdiantamento); });
    onEnter(edParcelaFinal, [this] { moneyEnter(edParcelaFinal); });
    onExit(edAdiantamento, [=, this] {
        if (samePage()) edAdiantamentoExit();
    });
    onExit(edParcelaFinal, [=, this] {
        if (samePage()) edParcelaFinalExit();
    });

    // Pickers.
    auto picker = [this](QToolButton* button, std::function<void()> action) {
        connect(button, &QToolButton::clicked, this, [this, action] {
            // The check of the field being left comes first, as for any other move.
            if (!kit_->RunPendingChecks()) return;
            kit_->RunAction(action);
        });
    };
    picker(sbRaca, [this] { sbRacaClick(); });
    picker(sbDeficiente, [this] { sbDeficienteClick(); });
    picker(sbNacionalidade, [this] { sbNacionalidadeClick(); });
    picker(sbInstrucao, [this] { sbInstrucaoClick(); });
    picker(sbAdmissao, [this] { sbAdmissaoClick(); });
    picker(sbSalarioContratual, [this] { sbSalarioContratualClick(); });
    picker(sbCBO, [this] { sbCBOClick(); });
    picker(sbMesAdiantamento, [this] { sbMesClick(true); });
    picker(sbMesParcelaFinal, [this] { sbMesClick(false); });

    connectContractHandlers();

    connect(BtOk, &QPushButton::clicked, this, [this] { kit_->RunAction([this] { BtOkClick(); }); });
    connect(BtExcluir, &QPushButton::clicked, this, [this] { kit_->RunAction([this] { BtExcluirClick(); }); });
    connect(BtCancelar, &QPushButton::clicked, this, [this] { kit_->RunAction([this] { BtCancelarClick(); }); });
    connect(BtAjuda, &QPushButton::clicked, this, [this] { BtAjudaClick(); });
}

bool TfmDadosEmpreg::CheckFocusNotOnButton() const {
    const QWidget* target = kit_->ExitTarget();
    return target != BtCancelar && target != BtExcluir && target != BtAjuda;
}

bool TfmDadosEmpreg::CheckFocusNotOnOtherPage() const {
    // A page's tab takes the focus only when it is clicked to change the page.
    return !qobject_cast<const QTabBar*>(kit_->ExitTarget());
}

void TfmDadosEmpreg::moveFocus(QWidget* control) {
    // A move of the form's own, not a failed check: page changes stay allowed.
    kit_->MoveFocus(control);
    kit_->AllowPageChange = 1;
}

void TfmDadosEmpreg::moneyEnter(QLineEdit* edit) {
    edit->setText(MoneyForEditing(edit->text()));
    edit->selectAll();
}

void TfmDadosEmpreg::BtAjudaClick() {
    const int context = ui::HelpContextOf(kit_->LastEnteredControl());
    if (context == 0) {
        msg::ShowInformation(QStringLiteral("Para exibir a Ajuda do Campo, posicione o cursor\r\nno campo desejado e "
                                            "clique no botão Ajuda, ou aperte a tecla F1."));
        return;
    }
    if (kit_->ShowHelp) kit_->ShowHelp(context);
}

// ---- Personal data ----------------------------------------------------------

void TfmDadosEmpreg::dePisPasepEnter() { LoadedPis = F("CoPisPasepEmpregado"); }

void TfmDadosEmpreg::dePisPasepExit() {
    if (EntryMode == QLatin1String("A")) {
        if (F("CoPisPasepEmpregado") != LoadedPis) {
            msg::ShowError(QStringLiteral("Você não pode alterar o código PIS/PASEP.\rSe o código está errado exclua "
                                          "esse empregado e inclua-o novamente."));
            SetF("CoPisPasepEmpregado", LoadedPis);
        }
        return;
    }
    if (!CheckFocusNotOnButton()) return;
    dePisPasepCheck();
    if (!IsAllZeros(ContextPis) && ContextPis != LastAcceptedPis) {
        const QString result = CopyPersonFromOtherContract();
        LastMessageCode = result;
        if (result == QLatin1String("2")) {
            LastAcceptedPis = ContextPis;
            kit_->RefreshAll();
            moveFocus(deCPF);
        } else if (result == QLatin1String("1")) {
            if (EmployeeListSearchPis) EmployeeListSearchPis(ui::EditValue(dePisPasep));
            contract().Cancel();
            closeForm(forms::mrCancel, -1);
            return;
        }
    }
    LastAcceptedPis = ContextPis;
}

void TfmDadosEmpreg::dePisPasepCheck() {
    ContextPis = ui::EditValue(dePisPasep).trimmed();
    if (rule(CheckPisPasep(ContextPis)) != kOk) fail(LastMessageCode, dePisPasep);
    rule(CheckPisForInscriptionType(ContextPis, ContextInscriptionType));
}

void TfmDadosEmpreg::deNomeEmpregadoCheck() {
    if (ContextPis.isEmpty()) return;
    QString name = F("NoEmpregado");
    if (rule(CheckEmployeeName(name, ContextPis)) != kOk) fail(LastMessageCode, deNomeEmpregado);
    SetF("NoEmpregado", name);
}

void TfmDadosEmpreg::deNascimentoCheck(int onExit) {
    const QString birth = F("DaNascimentoEmpregado");
    if (rule(CheckBirthDate(birth)) != kOk) fail(LastMessageCode, deNascimento);
    const QString code = rule(CheckEmployeeAge(birth, QString::number(ReferenceYear)));
    if (code == QLatin1String("0171") || code == QLatin1String("0176")) {
        if (onExit) ShowMessageByCode(code);
    } else if (code != kOk) {
        fail(code, deNascimento);
    }
}

void TfmDadosEmpreg::deRacaCheck(int) {
    const QString race = F("CoTipoRaca");
    if (rule(CheckRace(race)) != kOk) fail(LastMessageCode, deRaca);
    const QString name = LookupName(dmLobrix->taRaca, race, "NoRaca");
    if (name.isEmpty()) return;
    edTxRaca->setText(name);
    SetF("TxtRaca", name.left(100));
}

void TfmDadosEmpreg::dgDeficienciaEnter() {
    for (int i = 0; i < dgDeficiencia->Count(); ++i) {
        ui::SetHelpContext(dgDeficiencia->Button(i), 176);
        dgDeficiencia->Button(i)->setToolTip(
            QStringLiteral("Informe se o empregado é portador de deficiência habilitado"));
    }
    const int chosen = dgDeficiencia->ItemIndex();
    moveFocus(dgDeficiencia->Button(chosen >= 0 ? chosen : 0));
}

void TfmDadosEmpreg::dgDeficienciaExit() {
    if (!CheckFocusNotOnButton()) return;
    pcEmpregados->SetCurrentPage(kPersonal);
    if (dgDeficiencia->ItemIndex() == 0) {
        ui::SetLocked(deDeficiente, false);
        sbDeficiente->setEnabled(true);
        edTxDeficiente->clear();
        if (CheckFocusNotOnOtherPage()) moveFocus(deDeficiente);
        return;
    }
    ui::SetLocked(deDeficiente, true);
    sbDeficiente->setEnabled(false);
    SetF("CoDeficienteFisico", QStringLiteral("0"));
    edTxDeficiente->clear();
    if (dgDeficiencia->ItemIndex() != 1) SetF("InDeficienteFisico", QString());
    if (CheckFocusNotOnOtherPage()) moveFocus(cbSexo);
}

void TfmDadosEmpreg::dgDeficienciaCheck(int) {
    const QString type = F("CoDeficienteFisico");
    if (rule(CheckDisability(type, F("InDeficienteFisico"), 0)) != kOk) {
        const int chosen = dgDeficiencia->ItemIndex();
        fail(LastMessageCode, dgDeficiencia->Button(chosen >= 0 ? chosen : 0));
    }
    const QString name = LookupName(dmLobrix->taDeficiente, type, "NoTipoDeficiencia");
    if (!name.isEmpty()) edTxDeficiente->setText(name);
}

void TfmDadosEmpreg::cbSexoCheck(int onExit) {
    const QString code = rule(CheckSex(F("InSexo")));
    // From Ok the sex never stops the save: it is enforced on leaving the combo only.
    if (onExit && code != kOk) fail(code, cbSexo);
}

void TfmDadosEmpreg::deNacionalidadeExit() {
    if (!CheckFocusNotOnButton()) return;
    if (ui::EditValue(deNacionalidade).trimmed().isEmpty()) {
        edTxNacionalidade->clear();
        return;
    }
    deNacionalidadeCheck(1);
}

void TfmDadosEmpreg::deNacionalidadeCheck(int onExit) {
    const QString nationality = F("CoNacionalidade");
    if (rule(CheckNationality(nationality)) != kOk) fail(LastMessageCode, deNacionalidade);
    const QString name = LookupName(dmLobrix->taNacionalidade, nationality, "NoNacionalidade");
    edTxNacionalidade->setText(name);
    SetF("TxtNacionalidade", name);
    if (!onExit) return;
    pcEmpregados->SetCurrentPage(kPersonal);
    const bool moveOn = CheckFocusNotOnOtherPage();
    if (nationality.trimmed() != QLatin1String("10")) {
        deAnoChegada->setFocusPolicy(Qt::StrongFocus);
        ui::SetLocked(deAnoChegada, false);
        if (moveOn) moveFocus(deAnoChegada);
        CountEmployees();
        if (EmployeeCount > 5 && ForeignerCount > EmployeeCount / 3.0) ShowMessageByCode(QStringLiteral("0393"));
    } else {
        deAnoChegada->setFocusPolicy(Qt::ClickFocus);
        ui::SetLocked(deAnoChegada, true);
        SetF("AnChegadaEmpregado", QString());
        if (moveOn) moveFocus(deInstrucao);
    }
}

void TfmDadosEmpreg::deAnoChegadaCheck() {
    QString year = F("AnChegadaEmpregado").trimmed();
    if (year.isEmpty()) year = QStringLiteral("0000");
    const QString nationality = F("CoNacionalidade");
    if (rule(CheckArrivalYear(year)) != kOk) fail(LastMessageCode, deAnoChegada);
    if (rule(CheckArrivalYearVsNationality(year, nationality)) != kOk) fail(LastMessageCode, deAnoChegada);
    if (rule(CheckArrivalNotAfterBaseYear(year, QString::number(ReferenceYear), nationality)) != kOk)
        fail(LastMessageCode, deAnoChegada);
    if (rule(CheckArrivalAfterBirth(year, F("DaNascimentoEmpregado"), nationality)) != kOk)
        fail(LastMessageCode, deAnoChegada);
}

void TfmDadosEmpreg::deInstrucaoCheck() {
    QString schooling = F("CoInstrucao").trimmed();
    if (schooling.size() == 1) {
        schooling = QLatin1Char('0') + schooling;
        SetF("CoInstrucao", schooling);
    }
    if (rule(CheckSchooling(schooling)) != kOk) fail(LastMessageCode, deInstrucao);
    const QString name = LookupName(dmLobrix->taInstrucao, schooling, "NoInstrucao");
    edTxInstrucao->setText(name);
    SetF("TxtInstrucao", name.left(100));
}

void TfmDadosEmpreg::deCarteiraTrabCheck() {
    if (rule(CheckWorkCardNumber(PadLeftZeros(F("NuCartTrabEmpregado").trimmed(), 8), F("CoVinculo"))) != kOk)
        fail(LastMessageCode, deCarteiraTrab);
}

void TfmDadosEmpreg::deCarteiraTrabSerieCheck() {
    const QString series = F("SeCartTrabEmpregado").trimmed();
    const QString number = F("NuCartTrabEmpregado").trimmed();
    if (rule(CheckWorkCardSeries(series)) != kOk) fail(LastMessageCode, deCarteiraTrabSerie);
    const QString code = rule(CheckWorkCardNumberAndSeries(number, series));
    if (code != kOk) fail(code, code == QLatin1String("3723") ? deCarteiraTrab : deCarteiraTrabSerie);
    if (!number.isEmpty() && !series.isEmpty() &&
        rule(CheckWorkCardSeriesFormat(series, F("CoNacionalidade").trimmed(), number)) != kOk)
        fail(LastMessageCode, deCarteiraTrabSerie);
}

void TfmDadosEmpreg::deCPFCheck() {
    const QString cpf = F("CoCpfEmpregado").trimmed();
    const QString card = F("NuCartTrabEmpregado");
    const QString type = F("CoVinculo");
    const QString dismissal = F("DaDesligamentoEmpregado");
    const QString code = rule(CheckWorkCardOrCpf(card, cpf, type, dismissal));
    if (code == QLatin1String("3759")) {
        ShowMessageByCode(code);  // a work card without CPF on a dismissed contract: told, not stopped
        return;
    }
    if (code != kOk) fail(code, deCPF);
    if (rule(CheckCpf(cpf)) != kOk) fail(LastMessageCode, deCPF);
    if (rule(CheckCpfRequired(cpf, type, dismissal, F("InAlvaraEmpregado"))) != kOk) fail(LastMessageCode, deCPF);
}

void TfmDadosEmpreg::deUsoEmpregadoCheck() {
    if (rule(CheckFreeText(F("TxUsoEmpregado"))) != kOk) fail(LastMessageCode, deUsoEmpregado);
}

// ---- Admission ----------------------------------------------------------------

void TfmDadosEmpreg::deAdmissaoCheck(int onExit) {
    ContextAdmission = F("DaAdmissaoEmpregado");
    const QString birth = F("DaNascimentoEmpregado");
    if (rule(CheckAdmissionDate(ContextAdmission)) != kOk) fail(LastMessageCode, deAdmissao);
    if (rule(CheckAdmissionNotAfterBaseYear(ContextAdmission, QString::number(ReferenceYear))) != kOk)
        fail(LastMessageCode, deAdmissao);
    const QString closing = establishment().Active() && establishment().FindField(QStringLiteral("DaEncerramentoAtividade"))
                                ? establishment().FieldByName(QStringLiteral("DaEncerramentoAtividade")).AsString()
                                : QString();
    if (rule(CheckAdmissionBeforeClosing(closing, ContextAdmission)) != kOk) fail(LastMessageCode, deAdmissao);
    const QString age = rule(CheckAgeAtAdmission(birth, ContextAdmission));
    const bool youngWarning = age == QLatin1String("0171");
    if (!youngWarning && age != kOk) fail(age, deNascimento);
    if (rule(CheckAdmissionAfterArrival(F("AnChegadaEmpregado"), ContextAdmission, F("CoNacionalidade"))) != kOk)
        fail(LastMessageCode, deAnoChegada);
    if (youngWarning && onExit) {
        LastMessageCode = age;
        ShowMessageByCode(age);
    }
}

void TfmDadosEmpreg::deTipoAdmissaoCheck() {
    const QString type = F("CoTipoAdmissao");
    if (rule(CheckAdmissionType(type)) != kOk) fail(LastMessageCode, deTipoAdmissao);
    const QString name = LookupName(dmLobrix->taAdmissao, type, "NoTipoAdmissao");
    edTxAdmissao->setText(name);
    SetF("TxtAdmisao", name.left(100));
}

void TfmDadosEmpreg::edSalarioExit() {
    const QString t = edSalario->text().trimmed();
    if (t.isEmpty() || t == QLatin1String("0,00")) return;
    if (CheckFocusNotOnButton() && CheckFocusNotOnOtherPage()) edSalarioCheck();
}

void TfmDadosEmpreg::edSalarioCheck() {
    const MoneyText money = ReadMoneyText(edSalario->text(), 9);
    if (money.code != kOk) fail(rule(money.code), edSalario);
    if (rule(CheckContractSalary(money.cents)) != kOk) {
        edSalario->setText(RemoveDots(money.formatted));
        fail(LastMessageCode, edSalario);
    }
    edSalario->setText(money.formatted);
}

void TfmDadosEmpreg::deHorasCheck() {
    if (rule(CheckWeeklyHours(PadLeftZeros(F("HoSemanaisEmpregado").trimmed(), 2))) != kOk)
        fail(LastMessageCode, deHoras);
}

// The contract salary in cents as the rules take it: an amount typed but not
// yet formatted is read as the user meant it.
static QString salaryCents(const QLineEdit* edit) {
    const MoneyText money = ReadMoneyText(edit->text(), 9);
    return money.code == QLatin1String("0000") ? money.cents : DisplayToCents9(edit->text());
}

void TfmDadosEmpreg::deTipoSalContratualCheck(int onExit) {
    const QString type = F("CoTipoSalarioContratual");
    if (rule(CheckSalaryType(type)) != kOk) fail(LastMessageCode, deTipoSalContratual);
    if (onExit) {
        const QString code = rule(CheckContractSalaryVsType(salaryCents(edSalario), type, F("CoVinculo")));
        if (code != kOk) {
            ShowMessageByCode(code);
            SalaryTypeWarningShown = 1;
            if (code == QLatin1String("0232")) {
                SalaryTypeWarningShown = 0;
                ui::FocusBack(edSalario);
                throw SilentAbort();
            }
        }
    }
    const QString name = LookupName(dmLobrix->taSalario, type, "NoTipoSalarioContratual");
    edTxSalContratual->setText(name);
    SetF("TxtSalario", name);
}

void TfmDadosEmpreg::deCBOCheck(int onExit) {
    const QString cbo = F("CoCbo");
    const QString code = rule(CheckCbo(cbo));
    if (code == kOk) {
        const QString schooling = rule(CheckCboForSchooling(F("CoInstrucao"), cbo));
        if (onExit && schooling != kOk) fail(schooling, deInstrucao);
        const QString name = LookupName(dmLobrix->taCBO, cbo, "NoCbo");
        edTxCBO->setText(name);
        SetF("TxtCBO", name.left(100));
        return;
    }
    if (code == QLatin1String("3645")) {
        if (onExit) fail(code, tVinculoFirstField());
        return;
    }
    fail(code, deCBO);
}

void TfmDadosEmpreg::edSalarioRequiredCheck() {
    const QString code = rule(CheckContractSalaryRequired(F("CoVinculo").trimmed(), DisplayToCents9(edSalario->text()),
                                                          F("DaInicioprimeiroAfas"), F("DaFinalPrimeiroAfas")));
    if (code != kOk) fail(QStringLiteral("0232"), edSalario);
}

// ---- Monthly pay, hours, 13th salary --------------------------------------------

QString TfmDadosEmpreg::monthCents(int month) const { return DisplayToCents9(edMonths[month]->text()); }

MonthCents TfmDadosEmpreg::allMonthCents() const {
    MonthCents cents;
    for (int m = 0; m < 12; ++m) cents[m] = monthCents(m);
    return cents;
}

void TfmDadosEmpreg::MonthCheck(int month) {
    QLineEdit* edit = edMonths[month];
    const QString mm = monthNumber(month);
    ContextAdmission = F("DaAdmissaoEmpregado");
    ContextDismissal = F("DaDesligamentoEmpregado");
    const QString salaryType = F("CoTipoSalarioContratual");
    const QString contractType = F("CoVinculo");
    const QString schooling = F("CoInstrucao");
    const QString birth = F("DaNascimentoEmpregado");
    const QString disability = F("CoDeficienteFisico");
    const QString salary = DisplayToCents9(edSalario->text());
    const QString legalNature = establishment().Active()
                                    ? establishment().FieldByName(QStringLiteral("CoNaturezaJuridica")).AsString()
                                    : QString();
    const QString reference = QString::number(ReferenceYear);

    QString value = edit->text();
    QString previous = month == 0 ? value : edMonths[month - 1]->text();
    if (value.trimmed().isEmpty()) value = QStringLiteral("000000000");
    if (previous.trimmed().isEmpty()) previous = QStringLiteral("000000000");
    auto failMonth = [&](const QString& code) {
        edit->setText(RemoveDots(value));  // what was typed, without the grouping dots
        fail(code, edit);
    };
    auto warn = [&](const QString& code) {
        ShowMessageByCode(code);
        kit_->AllowPageChange = 0;
    };

    const MoneyText typed = ReadMoneyText(value, 9);
    if (typed.code == QLatin1String("0040")) failMonth(rule(typed.code));
    const QString formattedPrevious = FormatMoneyText(previous);
    if (formattedPrevious == QLatin1String("Erro")) failMonth(rule(QStringLiteral("0040")));
    if (typed.code != kOk) failMonth(rule(typed.code));
    const QString formatted = typed.formatted;
    const QString cents = typed.cents;

    QString code = rule(CheckMonthlyPayVsMinimumWage(cents, mm, salaryType, reference, ContextAdmission,
                                                     ContextDismissal, legalNature, contractType));
    if (code == QLatin1String("0312") || code == QLatin1String("0313")) warn(code);
    else if (code != kOk) failMonth(code);
    code = rule(CheckMonthlyPayTenfold(cents, mm, DisplayToCents9(formattedPrevious)));
    if (code != kOk) warn(code);
    if (!IsAllZeros(cents)) {
        code = rule(CheckPayBeforeAdmissionMonth(mm, ContextAdmission, reference));
        if (code != kOk) failMonth(code);
        code = rule(CheckPayAfterDismissalMonth(mm, ContextDismissal));
        if (code != kOk) warn(code);
        code = rule(CheckApprenticeAgeInMonth(mm, contractType, birth, reference, disability));
        if (code != kOk) failMonth(code);
    }
    edit->setText(formatted);

    code = rule(CheckMonthlyPayForSchooling(DisplayToCents9(edit->text()), schooling, legalNature, mm));
    if (code != kOk) {
        pcEmpregados->SetCurrentPage(kPay);
        ShowMessageByCode(code);
    }
    code = rule(CheckMonthlyPayVsContractSalary(cents, mm, salaryType, ContextAdmission, ContextDismissal, contractType,
                                                F("DaInicioprimeiroAfas"), F("DaFinalPrimeiroAfas"),
                                                F("DaInicioSegundoAfas"), F("DaFinalSegundoAfas"),
                                                F("DaInicioTerceiroAfas"), F("DaFinalTerceiroAfas"), salary));
    if (code == QLatin1String("3728")) {
        pcEmpregados->SetCurrentPage(kPay);
        if (!msg::AskYesNo(QStringLiteral("Atenção: O valor da remuneração declarada é menor do que o valor do "
                                          "salário contratual informado. Confirma?"))) {
            edit->setText(RemoveDots(value));
            ui::FocusBack(edit);
            throw SilentAbort();
        }
    }
}

void TfmDadosEmpreg::DecemberExtras() {
    const QString reasons = F("CoMotivoPrimAfas").trimmed() + F("CoMotivoSeguAfas").trimmed() +
                            F("CoMotivoTercAfas").trimmed();
    const QString cause = F("CoCausaDesligamento").trimmed();
    const QString admissionMonth = F("DaAdmissaoEmpregado").mid(2, 2);
    MonthCheck(11);
    for (int m = 0; m < 12; ++m) {
        if (monthCents(m) == QLatin1String("000000000") && cause.isEmpty() && admissionMonth == monthNumber(m) &&
            reasons.isEmpty()) {
            LastMessageCode = QStringLiteral("3679");
            ShowMessageByCode(LastMessageCode);
            ui::FocusBack(deHours[11]);
            throw SilentAbort();
        }
    }
    if (YearTotal(allMonthCents(), QString(), QString()) == 0) ShowMessageByCode(QStringLiteral("1060"));
}

void TfmDadosEmpreg::HoursCheck(int month) {
    QLineEdit* edit = deHours[month];
    if (edit->text().trimmed().isEmpty()) {
        edit->setText(QStringLiteral("000"));
        SetF(hoursField(month).toLatin1().constData(), QStringLiteral("000"));
    }
    const QString text = edit->text();
    if (rule(CheckWorkedHoursFormat(text)) != kOk) fail(LastMessageCode, edit);
    const qint64 hours = text.trimmed().toLongLong();
    const QString payCents = DisplayToCents9(RemoveDots(edMonths[month]->text()));
    const qint64 pay = CentsOrZero(payCents);
    const QString dismissal = F("DaDesligamentoEmpregado").trimmed();
    const int dismissalMonth = IsAllDigits(dismissal) ? dismissal.mid(2, 2).toInt() : 0;
    const QString admission = F("DaAdmissaoEmpregado").mid(2, 6);
    const QString closingYear = establishment().Active()
                                    ? establishment().FieldByName(QStringLiteral("DaEncerramentoAtividade"))
                                          .AsString().mid(4, 4).trimmed()
                                    : QString();
    if (rule(CheckWorkedHoursVsPay(text, PadLeftZeros(QString::number(pay), 9))) != kOk) fail(LastMessageCode, edit);
    if (rule(CheckWorkedHoursPeriod(pay, hours, month + 1, dismissalMonth, admission, closingYear)) != kOk)
        fail(LastMessageCode, edit);
    const QString code = rule(CheckWorkedHoursLimit(text));
    if (code == QLatin1String("3698")) {
        pcEmpregados->SetCurrentPage(kPay);
        const QString answer = ShowMessageByCode(QStringLiteral("3699"));
        LastMessageCode = answer;
        if (answer == QLatin1String("mrNo")) {
            ui::FocusBack(edit);
            throw SilentAbort();
        }
        moveFocus(month < 11 ? static_cast<QWidget*>(edMonths[month + 1]) : deMesAdiantamento);
        return;
    }
    if (code != kOk) fail(code, edit);
}

void TfmDadosEmpreg::deMesExit(bool advance) {
    QLineEdit* month = advance ? deMesAdiantamento : deMesParcelaFinal;
    QLineEdit* box = advance ? edTxAdiantamento : edTxParcelaFinal;
    if (ui::EditValue(month).trimmed().isEmpty()) {
        box->setText(MonthName(QStringLiteral("00")));
        return;
    }
    if (advance) deMesAdiantamentoCheck(1);
    else deMesParcelaFinalCheck(1);
}

void TfmDadosEmpreg::deMesAdiantamentoCheck(int onExit) {
    const QString month = PadLeftZeros(F("Me13AdiantamentoEmpregado").trimmed(), 2);
    if (rule(CheckThirteenthAdvanceMonth(month)) != kOk) fail(LastMessageCode, deMesAdiantamento);
    if (rule(CheckThirteenthAdvanceAfterAdmission(month, ContextAdmission, QString::number(ReferenceYear))) != kOk)
        fail(LastMessageCode, deMesAdiantamento);
    if (!onExit) return;
    if (rule(CheckThirteenthAdvanceBeforeDismissal(month, F("DaDesligamentoEmpregado"))) != kOk) {
        ShowMessageByCode(LastMessageCode);
        throw SilentAbort();
    }
    edTxAdiantamento->setText(MonthName(month));
    SetF("Me13AdiantamentoEmpregado", month);
}

void TfmDadosEmpreg::deMesParcelaFinalCheck(int onExit) {
    const QString finalMonth = PadLeftZeros(F("Me13ParcelaFinalEmpregado").trimmed(), 2);
    const QString advance = PadLeftZeros(F("Me13AdiantamentoEmpregado").trimmed(), 2);
    if (rule(CheckThirteenthFinalMonth(finalMonth)) != kOk) fail(LastMessageCode, deMesParcelaFinal);
    if (rule(CheckThirteenthMonthsOrder(advance, finalMonth)) != kOk) fail(LastMessageCode, deMesAdiantamento);
    if (rule(CheckThirteenthFinalAfterAdmission(finalMonth, ContextAdmission, QString::number(ReferenceYear))) != kOk)
        fail(LastMessageCode, deMesParcelaFinal);
    if (!onExit) return;
    if (rule(CheckThirteenthFinalBeforeDismissal(finalMonth,
                                                 PadLeftZeros(F("DaDesligamentoEmpregado").trimmed(), 4))) != kOk) {
        ShowMessageByCode(LastMessageCode);
        throw SilentAbort();
    }
    edTxParcelaFinal->setText(MonthName(finalMonth));
    SetF("Me13ParcelaFinalEmpregado", finalMonth);
}

namespace {
// The 13th-salary value checks: the advance and the final parcel take the same steps.
struct ThirteenthValue {
    QLineEdit* edit;
    const char* monthField;
    QString (*valueRule)(const QString&);
    QString (*monthRule)(const QString&, const QString&);
};
}  // namespace

static void checkThirteenthValue(TfmDadosEmpreg* form, const ThirteenthValue& v, int onExit,
                                 const std::function<void(const QString&, QWidget*)>& fail) {
    const QString month =
        PadLeftZeros(dmEntradaDados->ta8Empreg.FieldByName(QLatin1String(v.monthField)).AsString().trimmed(), 2);
    const MoneyText money = ReadMoneyText(v.edit->text(), 9);
    if (money.code != QLatin1String("0000")) fail(money.code, v.edit);
    LastMessageCode = v.valueRule(money.cents);
    if (LastMessageCode != QLatin1String("0000")) {
        v.edit->setText(RemoveDots(money.formatted));
        fail(LastMessageCode, v.edit);
    }
    LastMessageCode = v.monthRule(month, money.cents);
    if (LastMessageCode == QLatin1String("0332")) {
        if (onExit) ShowMessageByCode(LastMessageCode);  // 150 minimum wages or more: a warning
    } else if (LastMessageCode != QLatin1String("0000")) {
        v.edit->setText(RemoveDots(money.formatted));
        fail(LastMessageCode, v.edit);
    }
    v.edit->setText(money.formatted);
    Q_UNUSED(form);
}

void TfmDadosEmpreg::edAdiantamentoCheck(int onExit) {
    checkThirteenthValue(this, {edAdiantamento, "Me13AdiantamentoEmpregado", CheckThirteenthAdvanceValue,
                                CheckThirteenthAdvance},
                         onExit, [this](const QString& code, QWidget* focus) { fail(code, focus); });
}

void TfmDadosEmpreg::edParcelaFinalCheck(int onExit) {
    checkThirteenthValue(this, {edParcelaFinal, "Me13ParcelaFinalEmpregado", CheckThirteenthFinalValue,
                                CheckThirteenthFinal},
                         onExit, [this](const QString& code, QWidget* focus) { fail(code, focus); });
}

void TfmDadosEmpreg::edAdiantamentoExit() {
    const QString t = edAdiantamento->text().trimmed();
    if (!t.isEmpty() && t != QLatin1String("0,00")) {
        edAdiantamentoCheck(1);
        return;
    }
    edAdiantamento->setText(FormatMoneyText(QStringLiteral("000000000")));
}

void TfmDadosEmpreg::edParcelaFinalExit() {
    const QString t = edParcelaFinal->text().trimmed();
    if (!t.isEmpty() && t != QLatin1String("0,00")) edParcelaFinalCheck(1);
    else edParcelaFinal->setText(FormatMoneyText(QStringLiteral("000000000")));
    qint64 total = 0;
    for (QLineEdit* e : {edAdiantamento, edParcelaFinal}) {
        const QString cents = DisplayToCents9(e->text());
        if (!IsAllDigits(cents)) e->setText(QStringLiteral("000000000"));
        total += CentsOrZero(cents);
    }
    if (total == 0) ShowMessageByCode(QStringLiteral("1061"));
    if (pcEmpregados->isTabEnabled(kTermination)) {
        pcEmpregados->SetCurrentPage(kTermination);
        moveFocus(terminationFirstField());
    }
}

void TfmDadosEmpreg::PayAgainstAdmissionCheck() {
    ContextAdmission = F("DaAdmissaoEmpregado");
    ContextDismissal = F("DaDesligamentoEmpregado");
    const QString reference = QString::number(ReferenceYear);
    const QString baseYear = QString::number(DeclarationBaseYear());
    for (int m = 0; m < 12; ++m) {
        if (IsAllZeros(monthCents(m))) continue;
        if (rule(CheckPayBeforeAdmissionMonth(monthNumber(m), ContextAdmission, reference)) != kOk)
            fail(LastMessageCode, edMonths[m]);
        if (rule(CheckApprenticeAgeInMonth(monthNumber(m), F("CoVinculo"), F("DaNascimentoEmpregado"), baseYear,
                                           F("CoDeficienteFisico"))) != kOk)
            fail(LastMessageCode, edMonths[m]);
    }
    if (!IsAllZeros(DisplayToCents9(edAdiantamento->text())) &&
        rule(CheckThirteenthAdvanceAfterAdmission(F("Me13AdiantamentoEmpregado"), ContextAdmission, reference)) != kOk)
        fail(LastMessageCode, deAdmissao);
    if (!IsAllZeros(DisplayToCents9(edParcelaFinal->text())) &&
        rule(CheckThirteenthFinalAfterAdmission(F("Me13ParcelaFinalEmpregado"), ContextAdmission, reference)) != kOk)
        fail(LastMessageCode, deAdmissao);
}

// ---- Showing and loading ----------------------------------------------------------

void TfmDadosEmpreg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (event->spontaneous()) return;  // the window coming back, not a new contract
    kit_->RunAction([this] { FormShow(); });
}

void TfmDadosEmpreg::FormShow() {
    ClearEdits(this);
    if (!contract().Active()) contract().Open();
    if (!establishment().Active()) establishment().Open();
    ReferenceYear = ReferenceYearFor(ContextBaseYear, ContextFollowingYear != 0, DeclarationBaseYear());
    if (establishment().State() == db::DataSetState::Browse)
        establishment().FindKey({ContextBaseYear, ContextInscription, ContextPrefix});
    LoadContract();
}

void TfmDadosEmpreg::rememberLoadedZeros() {
    loadedZeros_.clear();
    db::Table& c = contract();
    for (int i = 0; i < c.FieldCount(); ++i) {
        const QString value = c.Fields(i).AsString();
        if (!value.isEmpty() && IsAllZeros(value)) loadedZeros_.insert(c.Fields(i).FieldName(), value);
    }
}

void TfmDadosEmpreg::restoreLoadedZeros() {
    // The form shows a stored value of zeros empty (a disability type "0" of "Não", a CNPJ of zeros):
    // a field still empty means the same value, which stays as it was stored.
    for (auto it = loadedZeros_.cbegin(); it != loadedZeros_.cend(); ++it) {
        db::Field& f = contract().FieldByName(it.key());
        if (f.AsString().isEmpty()) f.SetAsString(it.value());
    }
}

void TfmDadosEmpreg::LoadContract() {
    SalaryTypeWarningShown = 0;
    setWindowTitle(EmployeeFormCaption(ContextEstablishmentName, ContextInscription, ContextInscriptionType,
                                       ContextPrefix));
    LastAcceptedPis = ContextPis;
    db::Table& c = contract();
    if (c.State() != db::DataSetState::Browse) c.Cancel();
    if (!ContextPis.isEmpty()) {
        bool found = c.FindKey({ContextBaseYear, ContextInscription, ContextPrefix, ContextPis, ContextAdmission,
                                ContextEmployeeName, QString(), ContextLinkedCei, ContextInscriptionType,
                                ContextDismissal, ContextCbo});
        // A contract that came from a declaration file carries its record number.
        if (!found)
            found = c.Locate(QStringLiteral("AnBase;CoCgcCeiEstabelecimento;NuPrefixoEstabelecimento;"
                                            "CoPisPasepEmpregado;DaAdmissaoEmpregado;NoEmpregado;CoCgcVinculado;"
                                            "InInscrEstabelecimento;DaDesligamentoEmpregado;CoCbo")
                                 .split(QLatin1Char(';')),
                             {ContextBaseYear, ContextInscription, ContextPrefix, ContextPis, ContextAdmission,
                              ContextEmployeeName, ContextLinkedCei, ContextInscriptionType, ContextDismissal,
                              ContextCbo});
        if (!found) {
            // Never edit another row in its place.
            msg::ShowError(QStringLiteral("O vínculo não foi encontrado: ele pode ter sido excluído ou alterado em "
                                          "outra janela."));
            QMetaObject::invokeMethod(this, [this] { closeForm(forms::mrCancel, -1); }, Qt::QueuedConnection);
            return;
        }
        LoadedKey = {F("CoPisPasepEmpregado"), F("DaAdmissaoEmpregado"), F("DaDesligamentoEmpregado"), F("CoCbo")};
        rememberLoadedZeros();
        c.Edit();
        EntryMode = QStringLiteral("A");
        BtExcluir->setEnabled(true);
    } else {
        loadedZeros_.clear();
        c.Append();
        EntryMode = QStringLiteral("I");
        BtExcluir->setEnabled(false);
        LoadedKey = {QStringLiteral("000000000"), QStringLiteral("00000000"), QStringLiteral("0000"),
                     QStringLiteral("000000")};
    }

    auto emptyZeros = [this](const char* name) {
        if (IsAllZeros(F(name))) SetF(name, QString());
    };
    emptyZeros("AnChegadaEmpregado");
    emptyZeros("NuCartTrabEmpregado");
    emptyZeros("CoCpfEmpregado");
    const QString series = F("SeCartTrabEmpregado").trimmed();
    if (!series.isEmpty()) SetF("SeCartTrabEmpregado", IsAllZeros(series) ? QString() : PadLeftZeros(series, 5));

    edSalario->setText(CentsToDisplay(F("VaSalContratualEmpregado")));
    edAvisoPrevio->setText(CentsToDisplay(F("VaAvisoPrevioEmpregado")));
    LoadTerminationState();
    for (int m = 0; m < 12; ++m) edMonths[m]->setText(CentsToDisplay(F(monthField(m).toLatin1().constData())));
    edAdiantamento->setText(CentsToDisplay(F("Va13AdiantamentoEmpregado")));
    edParcelaFinal->setText(CentsToDisplay(F("Va13ParcelaFinalEmpregado")));

    // Nationality and arrival year.
    if (!F("CoNacionalidade").isEmpty()) {
        emptyZeros("CoNacionalidade");
        const QString nationality = F("CoNacionalidade");
        edTxNacionalidade->setText(LookupName(dmLobrix->taNacionalidade, nationality, "NoNacionalidade"));
        const bool locked = F("AnChegadaEmpregado").isEmpty() && nationality == QLatin1String("10");
        ui::SetLocked(deAnoChegada, locked);
        deAnoChegada->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
    }
    if (!F("CoTipoRaca").isEmpty()) edTxRaca->setText(LookupName(dmLobrix->taRaca, F("CoTipoRaca"), "NoRaca"));
    emptyZeros("CoDeficienteFisico");
    if (F("InDeficienteFisico") != QLatin1String("1")) {
        ui::SetLocked(deDeficiente, true);
        sbDeficiente->setEnabled(false);
        edTxDeficiente->clear();
    } else {
        edTxDeficiente->setText(LookupName(dmLobrix->taDeficiente, F("CoDeficienteFisico"), "NoTipoDeficiencia"));
        ui::SetLocked(deDeficiente, false);
        sbDeficiente->setEnabled(true);
    }
    const std::tuple<const char*, QLineEdit*, db::Table*, const char*> described[] = {
        {"CoInstrucao", edTxInstrucao, &dmLobrix->taInstrucao, "NoInstrucao"},
        {"CoTipoAdmissao", edTxAdmissao, &dmLobrix->taAdmissao, "NoTipoAdmissao"},
        {"CoTipoSalarioContratual", edTxSalContratual, &dmLobrix->taSalario, "NoTipoSalarioContratual"},
        {"CoCbo", edTxCBO, &dmLobrix->taCBO, "NoCbo"},
    };
    for (const auto& [fieldName, box, table, nameField] : described) {
        if (F(fieldName).isEmpty()) continue;
        emptyZeros(fieldName);
        box->setText(LookupName(*table, F(fieldName), nameField));
    }
    LoadContractPage();
    const QString sex = F("InSexo");
    cbSexo->setCurrentIndex(sex == QLatin1String("1") ? 0 : sex == QLatin1String("2") ? 1 : -1);
    LoadDismissalAndAbsences();
    for (const auto& [fieldName, box] : {std::pair{"Me13AdiantamentoEmpregado", edTxAdiantamento},
                                         std::pair{"Me13ParcelaFinalEmpregado", edTxParcelaFinal}}) {
        const QString month = F(fieldName).trimmed();
        if (month.isEmpty() || IsAllZeros(month)) {
            SetF(fieldName, QString());
            box->setText(MonthName(QStringLiteral("00")));
        } else {
            box->setText(MonthName(month));
        }
    }
    LoadUnionAndTermination();

    kit_->LoadAll();
    pcEmpregados->SetCurrentPage(kPersonal);
    if (EntryMode == QLatin1String("A")) {
        LoadedPis = ContextPis;
        moveFocus(deNomeEmpregado);
    } else {
        moveFocus(dePisPasep);
    }
}

// ---- Ok, Excluir, Cancelar --------------------------------------------------------

void TfmDadosEmpreg::BtOkClick() { SaveContract(); }

void TfmDadosEmpreg::showMoneyAgain() {
    for (int m = 0; m < 12; ++m) edMonths[m]->setText(CentsToDisplay(edMonths[m]->text()));
    for (QLineEdit* e : {edAdiantamento, edParcelaFinal, edAvisoPrevio, edSalario}) e->setText(CentsToDisplay(e->text()));
    ShowTerminationMoneyAgain();
}

void TfmDadosEmpreg::SaveContract() {
    // 1. The checks, in their order.
    dePisPasepCheck();
    deNomeEmpregadoCheck();
    deNascimentoCheck(0);
    deRacaCheck(0);
    dgDeficienciaCheck(1);
    cbSexoCheck(0);
    deNacionalidadeCheck(0);
    deAnoChegadaCheck();
    deInstrucaoCheck();
    deCarteiraTrabCheck();
    deCarteiraTrabSerieCheck();
    deCPFCheck();
    deUsoEmpregadoCheck();
    deAdmissaoCheck(0);
    deTipoAdmissaoCheck();
    edSalarioCheck();
    deHorasCheck();
    deTipoSalContratualCheck(SalaryTypeWarningShown ? 0 : 1);
    deCBOCheck(0);
    ContractChecks();                 // checks 20 to 23
    CheckSamePisOtherPerson();        // 24
    CheckSameContract();              // 25
    NoticeAndAbsenceChecks();         // 26 to 30
    edSalarioRequiredCheck();         // 31
    UnionChecks();                    // 32 to 43
    deMesAdiantamentoCheck(0);        // 44
    edAdiantamentoCheck(0);           // 45
    deMesParcelaFinalCheck(0);        // 46
    edParcelaFinalCheck(0);           // 47
    // A month left towards a button or a page's tab was never formatted: read
    // it as the user meant it before it becomes cents.
    for (QLineEdit* month : edMonths) {
        if (month->text().trimmed().isEmpty()) month->setText(QStringLiteral("0"));
        const MoneyText money = ReadMoneyText(month->text(), 9);
        if (money.code != kOk) fail(rule(money.code), month);
        month->setText(money.formatted);
    }
    PayAgainstAdmissionCheck();       // 48
    TerminationChecks();              // 49 to 53

    // 2. The notice pay.
    edAvisoPrevio->setText(DisplayToCents9(edAvisoPrevio->text()));
    SetF("VaAvisoPrevioEmpregado", edAvisoPrevio->text());
    // 3. The 13th salary against the average month.
    if (!ThirteenthIsPlausible(allMonthCents(), DisplayToCents9(edAdiantamento->text()),
                               DisplayToCents9(edParcelaFinal->text()))) {
        pcEmpregados->SetCurrentPage(kPay);
        LastMessageCode = QStringLiteral("3508");
        ShowMessageByCode(LastMessageCode);
    }
    // 4. The pay as cents.
    for (QLineEdit* e : edMonths) e->setText(DisplayToCents9(e->text()));
    for (QLineEdit* e : {edAdiantamento, edParcelaFinal}) e->setText(DisplayToCents9(e->text()));
    for (QLineEdit* e : edMonths)
        if (!IsAllDigits(e->text())) e->setText(QStringLiteral("0"));
    if (!IsAllDigits(edAdiantamento->text())) edAdiantamento->setText(QStringLiteral("0"));
    // 5, 6. Some pay in the year, or an absence or dismissal that explains none.
    MonthCents months;
    std::array<long long, 12> amounts{};
    for (int m = 0; m < 12; ++m) {
        months[m] = edMonths[m]->text();
        amounts[m] = CentsOrZero(months[m]);
    }
    const qint64 total = YearTotal(months, edAdiantamento->text(), edParcelaFinal->text());
    const QString presence = rule(CheckRemunerationPresence(
        F("CoMotivoPrimAfas"), F("DaInicioprimeiroAfas"), F("DaFinalPrimeiroAfas"), total,
        F("DaDesligamentoEmpregado"), F("CoCausaDesligamento"), F("DaAdmissaoEmpregado"), amounts, F("QtDiasAfas")));
    // 7. None: the amounts go back to display, for a second Ok to convert afresh.
    if (presence != kOk) {
        for (QLineEdit* e : edMonths) e->setText(CentsToDisplay(e->text()));
        for (QLineEdit* e : {edAdiantamento, edParcelaFinal, edAvisoPrevio}) e->setText(CentsToDisplay(e->text()));
        pcEmpregados->SetCurrentPage(kPay);
        LastMessageCode = QStringLiteral("1674");
        ShowMessageByCode(LastMessageCode);
        QStringList texts;
        for (QLineEdit* e : edMonths) texts << e->text();
        const int unpaid = FirstUnpaidMonth(texts);
        if (unpaid >= 0) ui::FocusBack(edMonths[unpaid]);
        throw SilentAbort();
    }

    // 8. The record in stored form.
    edSalario->setText(DisplayToCents9(edSalario->text()));
    StoreUnionAndTerminationAmounts();
    SetF("CoCgcCeiEstabelecimento", ContextInscription);
    SetF("AnBase", ContextBaseYear);
    SetF("NuPrefixoEstabelecimento", ContextPrefix);
    SetF("CoCgcVinculado", ContextLinkedCei);
    SetF("InInscrEstabelecimento", ContextInscriptionType);
    PadContractFields(contract());
    restoreLoadedZeros();
    SetF("VaSalContratualEmpregado", edSalario->text());
    for (int m = 0; m < 12; ++m) SetF(monthField(m).toLatin1().constData(), edMonths[m]->text());
    SetF("Va13AdiantamentoEmpregado", edAdiantamento->text());
    SetF("Va13ParcelaFinalEmpregado", edParcelaFinal->text());
    pcEmpregados->SetCurrentPage(kPersonal);
    try {
        const ContractCounts counts = PostContractWithCounts(contract(), establishment(), establishmentKey());
        EmployeeCount = counts.employees;
        ForeignerCount = counts.foreigners;
    } catch (const std::exception& e) {
        ReportSaveError(e);
        return;
    }
    closeForm(forms::mrOk, EmployeeCount < 1 ? 1 : 0);
}

void TfmDadosEmpreg::ReportSaveError(const std::exception& e) {
    const auto* engine = dynamic_cast<const db::DbError*>(&e);
    if (engine && engine->kind() == db::ErrorKind::KeyViolation) {
        // What was typed is lost: the stored contract and the counts stay as they were.
        LastMessageCode = QStringLiteral("1059");
        ShowMessageByCode(LastMessageCode);
        if (contract().State() != db::DataSetState::Browse) contract().Cancel();
        closeForm(forms::mrCancel, -1);
        return;
    }
    if (engine) {
        // Nothing was written: the form stays open with what was typed, amounts shown again.
        msg::ShowError(EngineErrorBoxText(*engine));
        showMoneyAgain();
        kit_->RefreshAll();
        return;
    }
    throw;
}

void TfmDadosEmpreg::BtExcluirClick() { DeleteContract(); }

void TfmDadosEmpreg::DeleteContract() {
    if (!msg::AskYesNo(QStringLiteral("Deseja excluir o vínculo?"))) {
        pcEmpregados->SetCurrentPage(kPersonal);
        moveFocus(deNomeEmpregado);
        return;
    }
    DeleteContractWithoutAsking();
}

void TfmDadosEmpreg::DeleteContractWithoutAsking() {
    try {
        const ContractCounts counts = DeleteContractWithCounts(contract(), establishment(), establishmentKey());
        EmployeeCount = counts.employees;
        ForeignerCount = counts.foreigners;
    } catch (const db::DbError& e) {
        ShowEngineErrorBox(e);
        if (contract().State() != db::DataSetState::Browse) contract().Cancel();
        closeForm(forms::mrCancel, -1);
        throw SilentAbort();
    }
    closeForm(forms::mrOk, EmployeeCount == 0 ? 1 : -1);
    throw SilentAbort();  // whatever asked for the deletion stops here
}

void TfmDadosEmpreg::BtCancelarClick() { CancelContract(); }

void TfmDadosEmpreg::CancelContract() {
    if (!F("CoPisPasepEmpregado").isEmpty() &&
        !msg::AskYesNo(QStringLiteral("As informações não salvas serão perdidas. Deseja sair ?"))) {
        pcEmpregados->SetCurrentPage(kPersonal);
        moveFocus(deNomeEmpregado);
        return;
    }
    contract().Cancel();
    CountEmployees();
    closeForm(forms::mrCancel, EmployeeCount <= 0 ? 1 : 0);
}

void TfmDadosEmpreg::closeForm(int result, int returnToList) {
    forms::SetModalResult(this, result);
    hide();
    if (contract().Active()) {
        if (contract().State() != db::DataSetState::Browse) contract().Cancel();
        contract().Close();
    }
    // Back to where the user came from: the establishment list, or the employee list. The list
    // shown in front takes the keyboard too, which the window manager may have given elsewhere.
    auto toFront = [](QWidget* list) {
        list->setVisible(true);
        list->raise();
        list->activateWindow();
    };
    if (fmDadosEstab && returnToList >= 0) fmDadosEstab->ReturnToEstablishmentList = std::uint8_t(returnToList);
    if (fmDadosEstab && fmDadosEstab->ReturnToEstablishmentList) {
        if (fmConEmpreg) fmConEmpreg->close();  // the establishment form, waiting on it, closes after it
        if (fmConEstab) toFront(fmConEstab);
    } else if (fmConEmpreg) {
        toFront(fmConEmpreg);
    }
}

// ---- Counts and duplicates ----------------------------------------------------------

void TfmDadosEmpreg::CountEmployees() {
    const ContractCounts counts = ::CountEmployees(establishmentKey());
    EmployeeCount = counts.employees;
    ForeignerCount = counts.foreigners;
}

void TfmDadosEmpreg::CheckSamePisOtherPerson() {
    const PersonData person{F("NoEmpregado"), F("DaNascimentoEmpregado").trimmed(), F("CoCpfEmpregado").trimmed()};
    pisContracts_ = FindContractsWithPis(dmEntradaDados->quBuscaEmpreg, ContextPis);
    pisContractsOf_ = ContextPis;
    if (!SamePisOtherPerson(pisContracts_, ContextBaseYear, EntryMode == QLatin1String("A"), person)) return;
    LastMessageCode = QStringLiteral("3761");
    pcEmpregados->SetCurrentPage(kPersonal);
    ShowMessageByCode(LastMessageCode);
}

void TfmDadosEmpreg::CheckSameContract() {
    ContextCbo = F("CoCbo").trimmed();
    ContextDismissal = F("DaDesligamentoEmpregado").trimmed();
    if (ContextCbo.isEmpty()) ContextCbo = QStringLiteral("000000");
    if (ContextDismissal.isEmpty()) ContextDismissal = QStringLiteral("0000");
    if (ContextAdmission.isEmpty()) ContextAdmission = QStringLiteral("00000000");
    const bool unchanged = EntryMode == QLatin1String("A") && ContextPis == LoadedKey[0] &&
                           ContextAdmission == LoadedKey[1] && ContextDismissal == LoadedKey[2] &&
                           ContextCbo == LoadedKey[3];
    // Check 24 has just read the contracts of this PIS/PASEP.
    if (pisContractsOf_ != ContextPis) {
        pisContracts_ = FindContractsWithPis(dmEntradaDados->quBuscaEmpreg, ContextPis);
        pisContractsOf_ = ContextPis;
    }
    if (!SameContractExists(pisContracts_, ContextPis, ContextAdmission, ContextDismissal, ContextCbo,
                            ui::EditValue(deNomeEmpregado), unchanged ? 1 : 0))
        return;
    fail(rule(QStringLiteral("1671")), deAdmissao);
}

QString TfmDadosEmpreg::CopyPersonFromOtherContract() {
    CopiedPerson person;
    if (!FindPersonWithPis(dmEntradaDados->quBuscaEmpreg, ContextBaseYear, ContextPis, &person))
        return QStringLiteral("3");
    LastMessageCode = ShowMessageByCode(QStringLiteral("1050"));
    if (LastMessageCode == QLatin1String("mrNo")) return QStringLiteral("1");
    auto zerosEmpty = [](const QString& v) { return IsAllZeros(v) ? QString() : v; };
    SetF("NoEmpregado", person.name);
    SetF("DaNascimentoEmpregado", person.birthDate);
    SetF("CoNacionalidade", person.nationality);
    edTxNacionalidade->setText(LookupName(dmLobrix->taNacionalidade, person.nationality, "NoNacionalidade"));
    SetF("AnChegadaEmpregado", zerosEmpty(person.arrivalYear));
    SetF("CoTipoRaca", person.race);
    edTxRaca->setText(LookupName(dmLobrix->taRaca, person.race, "NoRaca"));
    SetF("InDeficienteFisico", person.disabilityIndicator);
    SetF("CoDeficienteFisico", person.disabilityType);
    edTxDeficiente->setText(LookupName(dmLobrix->taDeficiente, person.disabilityType, "NoTipoDeficiencia"));
    SetF("CoInstrucao", person.schooling);
    edTxInstrucao->setText(LookupName(dmLobrix->taInstrucao, person.schooling, "NoInstrucao"));
    SetF("NuCartTrabEmpregado", zerosEmpty(person.workCard));
    SetF("SeCartTrabEmpregado", person.workCardSeries);
    SetF("CoCpfEmpregado", zerosEmpty(person.cpf));
    SetF("InSexo", person.sex);
    cbSexo->setCurrentIndex(person.sex == QLatin1String("1") ? 0 : person.sex == QLatin1String("2") ? 1 : -1);
    return QStringLiteral("2");
}

// ---- Pickers ----------------------------------------------------------------------

void TfmDadosEmpreg::sbRacaClick() {
    TfmTb8Raca picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    pcEmpregados->SetCurrentPage(kPersonal);
    if (!F("CoTipoRaca").isEmpty()) {
        deRacaCheck(1);
        dgDeficienciaEnter();
    }
}

void TfmDadosEmpreg::sbDeficienteClick() {
    TfmTb8Deficiente picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    pcEmpregados->SetCurrentPage(kPersonal);
    moveFocus(cbSexo);
}

void TfmDadosEmpreg::sbNacionalidadeClick() {
    TfmTb8Nacio picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    if (F("CoNacionalidade").trimmed().isEmpty()) return;
    deNacionalidadeCheck(1);
}

void TfmDadosEmpreg::sbInstrucaoClick() {
    TfmTb8Instr picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    if (!F("CoInstrucao").trimmed().isEmpty()) deInstrucaoCheck();
    pcEmpregados->SetCurrentPage(kPersonal);
    moveFocus(deCarteiraTrab);
}

void TfmDadosEmpreg::sbAdmissaoClick() {
    TfmTp8adm picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    if (!F("CoTipoAdmissao").trimmed().isEmpty()) deTipoAdmissaoCheck();
    pcEmpregados->SetCurrentPage(kAdmission);
    moveFocus(edSalario);
}

void TfmDadosEmpreg::sbSalarioContratualClick() {
    TfmTb8TpSal picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    if (!F("CoTipoSalarioContratual").trimmed().isEmpty()) deTipoSalContratualCheck(1);
    pcEmpregados->SetCurrentPage(kAdmission);
    moveFocus(deCBO);
}

void TfmDadosEmpreg::sbCBOClick() {
    TfmTb8CBO picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    moveFocus(deCBO);
    deCBOCheck(1);
}

void TfmDadosEmpreg::sbMesClick(bool advance) {
    PickAdvanceMonth = advance;
    TfmMesesAno picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    deMesExit(advance);
    pcEmpregados->SetCurrentPage(kPay);
    moveFocus(advance ? edAdiantamento : edParcelaFinal);
}

void ShowDadosEmpreg(QWidget* parent) {
    if (!fmDadosEmpreg) fmDadosEmpreg = new TfmDadosEmpreg(parent);
    forms::ShowModal(fmDadosEmpreg);
}
