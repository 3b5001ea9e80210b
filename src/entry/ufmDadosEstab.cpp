#include "ufmDadosEstab.h"

#include "EntryShared.h"
#include "MoneyText.h"
#include "PickerIcons.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/SilentAbort.h"
#include "rules/UgDadosResp.h"
#include "rules/ugCriticaRegras.h"
#include "rules/ugRegrasAfastContrib.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasEstabelecimento.h"
#include "rules/ugRegrasIdentificacao.h"
#include "rules/ugZuvoCrit2001.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"
#include "shell/ugHtmlHelpAPI.h"
#include "shell/ugListasAssistente.h"
#include "ufmConEmpreg.h"
#include "ufmConEstab.h"
#include "ufmDadosEmpreg.h"
#include "ufmNovaDecl.h"
#include "ufmSemEmpregados.h"
#include "ufmTb8Munic.h"
#include "ufmTb8NatJu.h"
#include "ufmTb8cnae.h"

#include <QApplication>
#include <QCheckBox>
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
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

TfmDadosEstab* fmDadosEstab = nullptr;

namespace {

using namespace ui;

const QString kMaskCeiAsCnpj = QStringLiteral("99\\.999\\.999\\.999\\-9;0;_");
const QString kMaskCeiDigits = QStringLiteral("999999999999;0;_");
const QString kMaskCnpjColumn = QStringLiteral("99\\.999\\.999\\/9999\\-99;0;");
const QString kZeroMoney = QStringLiteral("0,00");
const QString kEntityQuestionSindical = QStringLiteral(
    "Este campo deve ser preenchido obrigatoriamente como CNPJ da entidade sindical patronal. Confirma?");
const QString kEntityQuestion = QStringLiteral(
    "Este campo deve ser preenchido obrigatoriamente com o CNPJ da entidade sindical patronal. Confirma?");

db::Field& col(const QString& name) { return EstablishmentTable().FieldByName(name); }
QString text(const QLineEdit* e) { return EditValue(e); }

// The display form of a stored count or percentage: all zeros empty, digits
// without their leading zeros, anything else as stored.
QString displayForm(const QString& stored) {
    if (!stored.isEmpty() && IsAllZeros(stored)) return QString();
    if (IsAllDigits(stored) && !stored.isEmpty()) return QString::number(stored.toLongLong());
    return stored;
}

// Written back as its integer value when it is one.
QString integerValue(const QString& value) {
    const QString t = value.trimmed();
    if (t.isEmpty() || !IsAllDigits(t)) return t;
    return QString::number(t.toLongLong());
}

QLabel* label(const QString& text, QWidget* buddy = nullptr) {
    auto* l = new QLabel(text);
    if (buddy) l->setBuddy(buddy);
    return l;
}

QToolButton* pickerButton(QWidget* parent, const char* name, const char* hint) {
    return MakeSpeedButton(parent, QString::fromLatin1(name), PickerIcons::OpenFolder(), QString::fromUtf8(hint));
}

const QStringList kSimNao = {QStringLiteral("Sim"), QStringLiteral("Não")};
const QStringList kValues12 = {QStringLiteral("1"), QStringLiteral("2")};

}  // namespace

// ---- Creation ---------------------------------------------------------------

TfmDadosEstab::TfmDadosEstab(QWidget* parent)
    : QDialog(parent), kit_(new EntryFormController(this)), rows_(kit_, nullptr) {
    setObjectName(QStringLiteral("fmDadosEstab"));
    setWindowTitle(QStringLiteral("Lobrix - Informações Referentes ao Estabelecimento"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    kit_->AllowPageChange = 1;
    buildControls();
    buildLayout();
    CompactLayouts(this);
    // Placing a control in a group box moves it in the focus chain: the order is set once all are placed.
    rows_.ApplyTabOrder({BtOk, BtVinculos, BtCancelar});
    QWidget::setTabOrder(deRazao, cbEncerramento);  // the closing box comes before its date
    connectHandlers();
    QSize screen(800, 600);
    if (QScreen* s = this->screen()) screen = s->size();
    forms::ScaleFormForScreen(this, screen, QSize(790, 560), QSize(1024, 600));
    forms::CenterOnActivate(this);
}

TfmDadosEstab::~TfmDadosEstab() {
    if (fmDadosEstab == this) fmDadosEstab = nullptr;
}

void TfmDadosEstab::buildControls() {
    pcInformacoes = new PageControl(this);
    pcInformacoes->setObjectName(QStringLiteral("pcInformacoes"));
    const std::pair<const char*, const char*> pages[] = {
        {"tCadastrais", "Informações Cadastrais"},        {"tEconomicas", "Informações Econômicas"},
        {"tEconomicas2", "Informações Econômicas (Cont)"}, {"tEconomicas3", "Informações Econômicas (Cont)"},
        {"tSindicais", "Informações Sindicais"},
    };
    for (const auto& [name, caption] : pages) {
        auto* page = new QWidget;
        page->setObjectName(QString::fromLatin1(name));
        pcInformacoes->addTab(page, QString::fromUtf8(caption));
    }
    rows_ = ControlTable(kit_, &EstablishmentTable(), pcInformacoes);

    // Checks on leaving a field; kIfFilled: only when it holds something.
    auto exit = [this](void (TfmDadosEstab::*check)()) { return [this, check] { (this->*check)(); }; };
    const QString cnpjHint = QStringLiteral("Informe o CNPJ da entidade sindical patronal beneficiada ");
    const QString percentHint = QStringLiteral("Informe o percentual de utilização desta modalidade");
    const QString patCountHint = QStringLiteral(
        "Informe o número de trabalhadores por estabelecimento(CNPJ) beneficiados pelo PAT de acordo com a faixa salarial.");

    rows_.Add({
        // Outside the pages.
        {.name = "dbrTipoInscr", .help = 115, .field = "InInscrEstabelecimento",
         .hint = "Selecione o tipo de Inscrição do Estabelecimento.", .title = "Tipo",
         .items = {"CNPJ", "CEI"}, .values = {"1", "3"}, .columns = 2, .group = &dbrTipoInscr},
        {.name = "mdInscricao", .help = 28, .flags = kReadOnly | kNoTabStop,
         .hint = "Informe a inscrição CNPJ/CEI do estabelecimento.", .edit = &mdInscricao},
        {.name = "edPrefixo", .width = 2, .help = 29, .flags = kReadOnly | kNoTabStop | kUpper,
         .hint = "Informe prefixos diferentes para agrupar informações.", .edit = &edPrefixo},
        {.name = "meCeiVinc", .width = 14, .help = 30,
         .exit = [this] { if (!EstablishmentValue("CoCgcVinculado").trimmed().isEmpty()) CheckLinkedCei(); },
         .flags = kDisabled, .hint = "Informe a inscrição CEI Vinculado.", .edit = &meCeiVinc},
        {.name = "deUsoEmpresa", .help = 32, .field = "TxUsoEstabelecimento", .exit = exit(&TfmDadosEstab::checkFreeText),
         .flags = kUpper | kIfFilled, .hint = "Informação de uso exclusivo da empresa.", .edit = &deUsoEmpresa},
        {.name = "dgTipoZuvo", .help = 27, .field = "InZuvoNegEstabelecimento",
         .hint = "Informe o tipo de ZUVO da declaração.", .title = "Tipo de Declaração",
         .items = {"Com Empregados", "Sem Empregados"}, .values = {"0", "1"}, .columns = 1, .group = &dgTipoZuvo},
        {.name = "deRazao", .help = 117, .field = "NoRazaoEstabelecimento", .exit = exit(&TfmDadosEstab::checkName),
         .flags = kUpper | kIfFilled, .hint = "Informe a Razão Social do estabelecimento.", .edit = &deRazao},
        {.name = "edTotalEmpreg", .flags = kReadOnly | kNoTabStop,
         .hint = "Mostra o Total de Empregados Cadastrados", .edit = &edTotalEmpreg},
        {.name = "deDataEncerramento", .help = 61, .field = "DaEncerramentoAtividade",
         .exit = [this] { CheckClosingDate(1); }, .flags = kIfFilled,
         .hint = "Informar a Data de Encerramento das Atividades no formato dia/mês/ano.", .edit = &deDataEncerramento},
        {.name = "dgEmAtividade", .help = 171, .field = "InAtividadeAnoBase",
         .hint = "Informe se o estabelecimento esteve em  atividade no ano-base.", .title = "Exerceu atividade",
         .items = kSimNao, .values = kValues12, .columns = 2, .group = &dgEmAtividade},

        // tCadastrais
        {.name = "deLogradouro", .page = tCadastrais, .help = 35, .field = "EdEstabelecimento",
         .exit = exit(&TfmDadosEstab::checkStreet), .flags = kUpper | kIfFilled,
         .hint = "Informe o logradouro(rua,avenida,praça,...) do estabelecimento.", .edit = &deLogradouro},
        {.name = "deNumero", .page = tCadastrais, .help = 36, .field = "NuEnderecoEstabelecimento",
         .exit = exit(&TfmDadosEstab::checkNumber), .flags = kIfFilled,
         .hint = "Informe o número do estabelecimento no logradouro.", .edit = &deNumero},
        {.name = "deComplemento", .page = tCadastrais, .help = 37, .field = "TxComplemEstabelecimento",
         .exit = exit(&TfmDadosEstab::checkComplement), .flags = kUpper | kIfFilled,
         .hint = "Informe o complemento do endereço do estabelecimento.", .edit = &deComplemento},
        {.name = "deBairro", .page = tCadastrais, .help = 38, .field = "NoBairroEstabelecimento",
         .exit = exit(&TfmDadosEstab::checkDistrict), .flags = kUpper | kIfFilled,
         .hint = "Informe o bairro/distrito que está localizado o estabelecimento.", .edit = &deBairro},
        {.name = "deCEP", .page = tCadastrais, .mask = "99999-999;0;", .help = 39, .field = "CoCepEstabelecimento",
         .exit = exit(&TfmDadosEstab::checkCep), .flags = kIfFilled,
         .hint = "Informe o Código de Endereçamento Postal (CEP).", .edit = &deCEP},
        {.name = "deMunicipio", .page = tCadastrais, .mask = "99-99999;0;", .help = 42, .field = "CoMunicipio",
         .exit = [this] {
             if (text(deMunicipio).trimmed().isEmpty()) {
                 SetEstablishmentValue("NoMunicEstabelecimento", QString());
                 SetEstablishmentValue("SgUf", QString());
                 return;
             }
             checkMunicipality();
         },
         .hint = "Informe o código do município do estabelecimento ou selecione-o clicando no botão ao lado.",
         .edit = &deMunicipio},
        {.name = "deNomeMunicipio", .page = tCadastrais, .help = 43, .field = "NoMunicEstabelecimento",
         .flags = kReadOnly | kNoTabStop, .edit = &deNomeMunicipio},
        {.name = "deSiglaUF", .page = tCadastrais, .help = 44, .field = "SgUf", .flags = kReadOnly | kNoTabStop | kUpper,
         .edit = &deSiglaUF},
        {.name = "deDDD", .page = tCadastrais, .help = 45, .field = "NuDDD", .exit = [this] { checkAreaCode(1); },
         .flags = kIfFilled, .hint = "Informe o código DDD da cidade.", .edit = &deDDD},
        {.name = "deTelefone", .page = tCadastrais, .help = 45, .field = "NuTelefone",
         .exit = [this] {
             if (!text(deTelefone).trimmed().isEmpty()) checkPhone();
             deEmail->setFocus(Qt::OtherFocusReason);
         },
         .hint = "Informe o número do telefone no estabelecimento.", .edit = &deTelefone},
        {.name = "deEmail", .page = tCadastrais, .help = 40, .field = "TxEmailEstabelecimento",
         .exit = exit(&TfmDadosEstab::checkEmail), .flags = kLower, .hint = "Informe o e-mail do estabelecimento.",
         .edit = &deEmail},
        {.name = "InfCadDummy", .page = tCadastrais, .edit = &InfCadDummy},

        // tEconomicas
        {.name = "deCNAE", .page = tEconomicas, .mask = "99.99-9/99;0;", .help = 193, .field = "CoCnae2",
         .exit = [this] { checkCnae(1); }, .flags = kUpper | kIfFilled,
         .hint = "Informe o Código da Atividade Econômica ou selecione-o clicando no botão ao lado", .edit = &deCNAE},
        {.name = "edTxCNAE", .page = tEconomicas, .help = 46, .flags = kReadOnly | kNoTabStop, .edit = &edTxCNAE},
        {.name = "deNatJuridica", .page = tEconomicas, .mask = "999-9;0;", .help = 47, .field = "CoNaturezaJuridica",
         .exit = [this] {
             if (text(deNatJuridica).trimmed().isEmpty()) {
                 edTxNatJuridica->clear();
                 return;
             }
             checkLegalNature(1);
         },
         .hint = "Informe o Código da Natureza Jurídica do estabelecimento ou selecione-o clicando no botão ao lado",
         .edit = &deNatJuridica},
        {.name = "edTxNatJuridica", .page = tEconomicas, .help = 47, .flags = kReadOnly | kNoTabStop,
         .edit = &edTxNatJuridica},
        {.name = "deProprietarios", .page = tEconomicas, .help = 53, .field = "NuProprietEstabelecimento",
         .exit = exit(&TfmDadosEstab::checkOwners), .flags = kIfFilled,
         .hint = "Informar o número de proprietários/sócios que exercem atividade no estabelecimento.",
         .edit = &deProprietarios},
        {.name = "deDataBase", .page = tEconomicas, .help = 54, .field = "MeDataBase",
         .exit = [this] {
             // Leaving for a button checks nothing, but the move to the size page happens anyway.
             if (!kit_->LeftForSkipped() && !text(deDataBase).trimmed().isEmpty()) checkBaseMonth();
             pcInformacoes->SetCurrentPage(tEconomicas2);
             dgPorte->FocusChosenOrFirst();
             dgPorteEnter();
         },
         .flags = kExitEvenForSkipped, .hint = "Obrigatório somente para ZUVO com empregados.", .edit = &deDataBase},

        // tEconomicas2
        {.name = "dgPorte", .page = tEconomicas2, .help = 55, .field = "InPorte",
         .exit = exit(&TfmDadosEstab::dgPorteExit), .hint = "Informe o Porte do estabelecimento",
         .title = "Porte do Estabelecimento",
         .items = {"Microempresa", "Empresa de Pequeno Porte", "Empresa/orgão não classificados nos ítens anteriores",
                   "Microempreendedor Individual"},
         .values = {"1", "2", "3", "4"}, .columns = 1, .group = &dgPorte},
        {.name = "dgOptanteSimples", .page = tEconomicas2, .help = 56, .field = "InOptanteSimples",
         .exit = [this] { dgPat->FocusChosenOrFirst(); }, .flags = kExitEvenForSkipped,
         .hint = "Informe se Opta pelo Simples",
         .title = "Optante pelo Simples", .items = kSimNao, .values = kValues12, .columns = 2,
         .group = &dgOptanteSimples},
        {.name = "dgPat", .page = tEconomicas2, .help = 58, .field = "InParticipaPAT",
         .exit = exit(&TfmDadosEstab::dgPatExit), .hint = "Informe se a empresa participa do PAT",
         .title = "Programa de Alimentação do Trabalhador (PAT)", .items = kSimNao, .values = kValues12,
         .columns = 2, .group = &dgPat},
        {.name = "PatDummy", .page = tEconomicas2, .edit = &PatDummy},

        // tEconomicas3
        {.name = "dePATVincMaior5", .page = tEconomicas3, .help = 58, .field = "NuVinculoPatMaior5",
         .exit = exit(&TfmDadosEstab::checkPatCountAbove), .flags = kIfFilled, .hint = patCountHint,
         .edit = &dePATVincMaior5},
        {.name = "dePATVincMenor5", .page = tEconomicas3, .help = 58, .field = "NuVinculoPatMenor5",
         .exit = exit(&TfmDadosEstab::checkPatCountUpTo), .flags = kIfFilled, .hint = patCountHint,
         .edit = &dePATVincMenor5},
        {.name = "deServProprio", .page = tEconomicas3, .help = 58, .field = "PoServicoProprio",
         .exit = [this] { checkPercentage(0); }, .flags = kIfFilled, .hint = percentHint, .edit = &deServProprio},
        {.name = "deAdmCozinha", .page = tEconomicas3, .help = 58, .field = "PoAdmCozinha",
         .exit = [this] { checkPercentage(1); }, .flags = kIfFilled, .hint = percentHint, .edit = &deAdmCozinha},
        {.name = "deRefeicaoTransportadora", .page = tEconomicas3, .help = 58, .field = "PoRefeicaoTransportadora",
         .exit = [this] { checkPercentage(2); }, .flags = kIfFilled, .hint = percentHint,
         .edit = &deRefeicaoTransportadora},
        {.name = "deRefeicaoConvenio", .page = tEconomicas3, .help = 58, .field = "PoRefeicaoConvenio",
         .exit = [this] { checkPercentage(3); }, .flags = kIfFilled, .hint = percentHint,
         .edit = &deRefeicaoConvenio},
        {.name = "deCestaAlimento", .page = tEconomicas3, .help = 58, .field = "PoCestaAlimento",
         .exit = [this] { checkPercentage(4); }, .flags = kIfFilled, .hint = percentHint, .edit = &deCestaAlimento},
        {.name = "deAlimentacaoConvenio", .page = tEconomicas3, .help = 58, .field = "PoAlimentacaoConvenio",
         .exit = [this] {
             checkPercentage(5);
             checkPatModalities();
             enterCentralisation();
         },
         .hint = percentHint, .edit = &deAlimentacaoConvenio},
        {.name = "PercentDummy", .page = tEconomicas3, .edit = &PercentDummy},

        // tSindicais
        {.name = "dbrCentralizada", .page = tSindicais, .help = 125, .field = "InCentralizada",
         .exit = exit(&TfmDadosEstab::dbrCentralizadaExit), .flags = kExitEvenForSkipped,
         .hint = "Selecione se o Estabelecimento teve pagamento da Contribuição Sindical Centralizada.",
         .title = "O recolhimento da Contribuição Sindical foi centralizado em outro estabelecimento (matriz/filial)?",
         .items = kSimNao, .values = kValues12, .columns = 2, .group = &dbrCentralizada},
        {.name = "dbeCNPJCentralizada", .page = tSindicais, .help = 175, .field = "CoCNPJCentralizada",
         .exit = [this] {
             if (EstablishmentValue("CoCNPJCentralizada").trimmed().isEmpty()) return;
             checkCentralisingCnpj();
             checkCentralisation();
         },
         .hint = "Informe o CNPJ da matriz ou filial que centralizou o pagamento da contribuição sindical.",
         .edit = &dbeCNPJCentralizada},
        {.name = "deSindical", .page = tSindicais, .help = 175, .field = "CoCNPJSindical",
         .exit = [this] { checkUnionCnpj(true); }, .flags = kIfFilled,
         .hint = cnpjHint + "pela contribuição sindical.", .edit = &deSindical},
        {.name = "deValorSindical", .page = tSindicais, .width = 12, .help = 175,
         .exit = [this] {
             const QString t = deValorSindical->text().trimmed();
             if (!t.isEmpty() && t != kZeroMoney) CheckSindicalValue(deValorSindical);
             dbrSindicato->FocusChosenOrFirst();
         },
         .hint = "Informe o valor total pago pelo estabelecimento a título de contribuição sindical patronal.",
         .edit = &deValorSindical},
        {.name = "dbrSindicato", .page = tSindicais, .help = 200, .field = "InSindicalizada",
         .exit = exit(&TfmDadosEstab::dbrSindicatoExit), .flags = kExitEvenForSkipped, .hint = "Selecione se Empresa é filiada a sindicato.",
         .title = "Empresa é Filiada a Sindicato?", .items = kSimNao, .values = kValues12, .columns = 2,
         .group = &dbrSindicato},
        {.name = "deAssociativa", .page = tSindicais, .help = 175, .field = "CoCNPJAssociativa",
         .exit = [this] { checkAssociationCnpj(true); }, .flags = kIfFilled,
         .hint = cnpjHint + "pela contribuição associativa.", .edit = &deAssociativa},
        {.name = "deValorAssociativa", .page = tSindicais, .width = 12, .help = 175,
         .exit = [this] {
             const QString t = deValorAssociativa->text().trimmed();
             if (!t.isEmpty() && t != kZeroMoney) CheckSindicalValue(deValorAssociativa);
         },
         .hint = "Informe o valor total pago pelo estabelecimento a título de contribuição associativa patronal.",
         .edit = &deValorAssociativa},
        {.name = "deAssistencial", .page = tSindicais, .help = 175, .field = "CoCNPJAssistencial",
         .exit = [this] { checkOtherContributionCnpj(deAssistencial, "CoCNPJAssistencial", "assistencial", true); },
         .flags = kIfFilled, .hint = cnpjHint + "na contribuição assistencial.", .edit = &deAssistencial},
        {.name = "deValorAssistencial", .page = tSindicais, .width = 12, .help = 175,
         .exit = [this] {
             const QString t = deValorAssistencial->text().trimmed();
             if (!t.isEmpty() && t != kZeroMoney) CheckSindicalValue(deValorAssistencial);
         },
         .hint = "Informe o valor total pago pelo estabelecimento a título de contribuição assistencial patronal.",
         .edit = &deValorAssistencial},
        {.name = "deConfederativa", .page = tSindicais, .help = 175, .field = "CoCNPJConfederativa",
         .exit = [this] { checkOtherContributionCnpj(deConfederativa, "CoCNPJConfederativa", "confederativa", true); },
         .flags = kIfFilled, .hint = cnpjHint + "pela contribuição confederativa.", .edit = &deConfederativa},
        {.name = "deValorConfederativa", .page = tSindicais, .width = 12, .help = 175,
         .exit = [this] {
             const QString t = deValorConfederativa->text().trimmed();
             if (!t.isEmpty() && t != kZeroMoney) CheckSindicalValue(deValorConfederativa);
         },
         .hint = "Informe o valor total pago pelo estabelecimento a título de contribuição confederativa patronal.",
         .edit = &deValorConfederativa},
    });

    for (QLineEdit* amount : {deValorSindical, deValorAssociativa, deValorAssistencial, deValorConfederativa})
        amount->setAlignment(Qt::AlignRight);
    // They only catch Tab at the end of the address, of the PAT answer and of the percentages, so
    // that it does not land on Ok.
    for (QLineEdit* dummy : {InfCadDummy, PatDummy, PercentDummy}) {
        dummy->setFixedSize(1, 1);
        dummy->setFrame(false);
    }

    cbEncerramento = new QCheckBox(QStringLiteral("Encerrou as Atividades"), this);
    cbEncerramento->setObjectName(QStringLiteral("cbEncerramento"));
    cbEncerramento->setToolTip(QStringLiteral("Informe se o estabelecimento encerrou as atividades"));
    SetHelpContext(cbEncerramento, 60);

    paAnoBase = new QFrame(this);
    paAnoBase->setObjectName(QStringLiteral("paAnoBase"));
    paAnoBase->setFrameShape(QFrame::StyledPanel);
    lbAnoBase = new QLabel(paAnoBase);
    QFont bold = lbAnoBase->font();
    bold.setBold(true);
    bold.setPointSizeF(bold.pointSizeF() * 1.3);
    lbAnoBase->setFont(bold);
    (new QHBoxLayout(paAnoBase))->addWidget(lbAnoBase, 0, Qt::AlignCenter);

    lbCeiVinculado = label(QStringLiteral("CEI Vinculado"), meCeiVinc);
    lbCeiVinculado->setObjectName(QStringLiteral("lbCeiVinculado"));
    lbCeiVinculado->setEnabled(false);

    sbCodMunicipio = pickerButton(this, "sbCodMunicipio", "Selecione o Código do Município.");
    sbCNAE = pickerButton(this, "sbCNAE", "Selecione o Código da Atividade Econômica.");
    sbNatJuridica = pickerButton(this, "sbNatJuridica", "Selecione o Código da Natureza Jurídica.");

    BtOk = MakeFormButton(this, "BtOk", "&Ok", QStyle::SP_DialogOkButton);
    BtVinculos = MakeFormButton(this, "BtVinculos", "&Vínculos", QStyle::SP_FileDialogDetailedView);
    BtCancelar = MakeFormButton(this, "BtCancelar", "&Cancelar", QStyle::SP_DialogCancelButton);
    BtAjuda = MakeFormButton(this, "BtAjuda", "&Ajuda", QStyle::SP_DialogHelpButton);
    for (QPushButton* b : {BtOk, BtVinculos, BtCancelar, BtAjuda}) b->setMinimumHeight(32);
    BtAjuda->setToolTip(QStringLiteral("Aciona o Ajuda do campo selecionado"));
    // Ajuda shows the help of the control entered last: it must not become that control.
    BtAjuda->setFocusPolicy(Qt::NoFocus);

    for (QWidget* b : {static_cast<QWidget*>(BtOk), static_cast<QWidget*>(BtVinculos),
                       static_cast<QWidget*>(BtCancelar), static_cast<QWidget*>(BtAjuda)})
        kit_->SkipChecksFor(b);
    kit_->SetCancelButton(BtCancelar);
    kit_->AttachPageControl(pcInformacoes);
}

void TfmDadosEstab::buildLayout() {
    auto* outer = new QHBoxLayout(this);
    auto* panel = new QFrame(this);
    panel->setObjectName(QStringLiteral("pnlBotoes"));
    panel->setFrameShape(QFrame::StyledPanel);
    auto* panelLayout = new QVBoxLayout(panel);
    for (QPushButton* b : {BtOk, BtVinculos, BtCancelar, BtAjuda}) panelLayout->addWidget(b);
    panelLayout->addStretch();
    outer->addWidget(panel);

    auto* body = new QVBoxLayout;
    outer->addLayout(body, 1);

    // Above the pages, two columns of one-line groups: the form must fit its design height.
    auto* top = new QGridLayout;
    body->addLayout(top);
    top->addWidget(paAnoBase, 0, 0, 1, 2);
    auto* inscricao = new QGroupBox(QStringLiteral("Inscrição"), this);
    auto* il = new QHBoxLayout(inscricao);
    dbrTipoInscr->setTitle(QString());
    il->addWidget(label(QStringLiteral("Tipo"), dbrTipoInscr));
    il->addWidget(dbrTipoInscr);
    il->addWidget(label(QStringLiteral("Número"), mdInscricao));
    il->addWidget(mdInscricao);
    il->addWidget(label(QStringLiteral("Prefixo"), edPrefixo));
    il->addWidget(edPrefixo);
    il->addWidget(lbCeiVinculado);
    il->addWidget(meCeiVinc);
    edPrefixo->setMaximumWidth(40);
    FitWidthToText(mdInscricao, QStringLiteral("99.999.999/9999-99"));
    top->addWidget(inscricao, 1, 0);
    top->addWidget(dgTipoZuvo, 1, 1, 2, 1);

    auto* razao = new QGroupBox(QStringLiteral("Razão Social "), this);
    auto* rl = new QHBoxLayout(razao);
    rl->addWidget(deRazao, 1);
    rl->addWidget(label(QStringLiteral("Total Empregados"), edTotalEmpreg));
    rl->addWidget(edTotalEmpreg);
    edTotalEmpreg->setMaximumWidth(80);
    auto* uso = new QGroupBox(QStringLiteral("Para Uso da Empresa"), this);
    (new QHBoxLayout(uso))->addWidget(deUsoEmpresa);
    auto* razaoUso = new QHBoxLayout;
    razaoUso->addWidget(razao, 1);
    razaoUso->addWidget(uso);
    top->addLayout(razaoUso, 2, 0);

    auto* encerra = new QGroupBox(QStringLiteral("Encerramento Atividades"), this);
    encerra->setObjectName(QStringLiteral("gbEncerraAtiv"));
    auto* el = new QHBoxLayout(encerra);
    el->addWidget(cbEncerramento);
    el->addWidget(label(QStringLiteral("Data de Encerramento\n(DD/MM/AAAA)"), deDataEncerramento));
    el->addWidget(deDataEncerramento);
    el->addStretch();
    deDataEncerramento->setMaximumWidth(110);
    top->addWidget(encerra, 3, 0);
    auto* atividade = new QHBoxLayout;
    atividade->addWidget(dgEmAtividade, 1);
    atividade->addWidget(label(QStringLiteral("no ano-base")));
    top->addLayout(atividade, 3, 1);
    top->setColumnStretch(0, 3);
    top->setColumnStretch(1, 1);
    body->addWidget(pcInformacoes, 1);

    // tCadastrais
    {
        auto* grid = new QGridLayout(pcInformacoes->widget(tCadastrais));
        auto* endereco = new QGroupBox(QStringLiteral("Endereço"));
        auto* g = new QGridLayout(endereco);
        g->addWidget(label(QStringLiteral("Logradouro ( rua, avenida, praça, ... )"), deLogradouro), 0, 0, 1, 2);
        g->addWidget(label(QStringLiteral("Número"), deNumero), 0, 2);
        g->addWidget(deLogradouro, 1, 0, 1, 2);
        g->addWidget(deNumero, 1, 2);
        g->addWidget(label(QStringLiteral("Complemento ( apto, sala... )"), deComplemento), 2, 0);
        g->addWidget(label(QStringLiteral("Bairro/Distrito"), deBairro), 2, 1);
        g->addWidget(label(QStringLiteral("CEP"), deCEP), 2, 2);
        g->addWidget(deComplemento, 3, 0);
        g->addWidget(deBairro, 3, 1);
        g->addWidget(deCEP, 3, 2);
        auto* municipio = new QGroupBox(QStringLiteral("Município"));
        auto* m = new QGridLayout(municipio);
        m->addWidget(label(QStringLiteral("Código"), deMunicipio), 0, 0, 1, 2);
        m->addWidget(label(QStringLiteral("Nome"), deNomeMunicipio), 0, 2);
        m->addWidget(label(QStringLiteral("UF"), deSiglaUF), 0, 3);
        m->addWidget(deMunicipio, 1, 0);
        m->addWidget(sbCodMunicipio, 1, 1);
        m->addWidget(deNomeMunicipio, 1, 2);
        m->addWidget(deSiglaUF, 1, 3);
        m->setColumnStretch(2, 1);
        deMunicipio->setMaximumWidth(90);
        deSiglaUF->setMaximumWidth(40);
        g->addWidget(municipio, 4, 0, 1, 2);
        auto* telefone = new QGroupBox(QStringLiteral("Telefone Estabelecimento "));
        auto* t = new QGridLayout(telefone);
        t->addWidget(label(QStringLiteral("DDD"), deDDD), 0, 0);
        t->addWidget(label(QStringLiteral("Número"), deTelefone), 0, 1);
        t->addWidget(deDDD, 1, 0);
        t->addWidget(deTelefone, 1, 1);
        deDDD->setMaximumWidth(50);
        g->addWidget(telefone, 4, 2);
        g->addWidget(label(QStringLiteral("E-mail do Estabelecimento"), deEmail), 5, 0, 1, 3);
        g->addWidget(deEmail, 6, 0, 1, 2);
        g->addWidget(InfCadDummy, 6, 2);
        g->setColumnStretch(0, 2);
        g->setColumnStretch(1, 2);
        grid->addWidget(endereco, 0, 0);
        grid->setRowStretch(1, 1);
    }
    // tEconomicas
    {
        auto* grid = new QGridLayout(pcInformacoes->widget(tEconomicas));
        auto* cnae = new QGroupBox(QStringLiteral("Atividade Econômica (CNAE)"));
        auto* c = new QGridLayout(cnae);
        c->addWidget(label(QStringLiteral("Informe a principal atividade econômica do estabelecimento.")), 0, 0, 1, 3);
        c->addWidget(label(QStringLiteral("Código"), deCNAE), 1, 0, 1, 2);
        c->addWidget(label(QStringLiteral("Descrição"), edTxCNAE), 1, 2);
        c->addWidget(deCNAE, 2, 0);
        c->addWidget(sbCNAE, 2, 1);
        c->addWidget(edTxCNAE, 2, 2);
        c->setColumnStretch(2, 1);
        deCNAE->setMaximumWidth(110);
        auto* natju = new QGroupBox(QStringLiteral("Natureza Jurídica"));
        auto* n = new QGridLayout(natju);
        n->addWidget(label(QStringLiteral("Informe a Natureza Jurídica que caracteriza o estabelecimento.")), 0, 0, 1, 3);
        n->addWidget(label(QStringLiteral("Classificação "), deNatJuridica), 1, 0, 1, 2);
        n->addWidget(label(QStringLiteral("Descrição"), edTxNatJuridica), 1, 2);
        n->addWidget(deNatJuridica, 2, 0);
        n->addWidget(sbNatJuridica, 2, 1);
        n->addWidget(edTxNatJuridica, 2, 2);
        n->setColumnStretch(2, 1);
        deNatJuridica->setMaximumWidth(110);
        auto* prop = new QGroupBox(QStringLiteral("Proprietários"));
        auto* p = new QVBoxLayout(prop);
        p->addWidget(label(QStringLiteral("Informe o número de proprietários")));
        p->addWidget(deProprietarios);
        auto* data = new QGroupBox(QStringLiteral("Data-Base"));
        auto* d = new QVBoxLayout(data);
        d->addWidget(label(QStringLiteral("Informe a Data-Base da maioria dos empregados")));
        d->addWidget(label(QStringLiteral("Mês"), deDataBase));
        d->addWidget(deDataBase);
        deProprietarios->setMaximumWidth(60);
        deDataBase->setMaximumWidth(60);
        grid->addWidget(cnae, 0, 0, 1, 2);
        grid->addWidget(natju, 1, 0, 1, 2);
        grid->addWidget(prop, 2, 0);
        grid->addWidget(data, 2, 1);
        grid->setRowStretch(3, 1);
    }
    // tEconomicas2
    {
        auto* grid = new QGridLayout(pcInformacoes->widget(tEconomicas2));
        grid->addWidget(dgPorte, 0, 0, 2, 1);
        grid->addWidget(dgOptanteSimples, 0, 1);
        auto* pat = new QGroupBox(QStringLiteral("Programa de Alimentação do Trabalhador (PAT)"));
        SetHelpContext(pat, 57);
        pat->setToolTip(QStringLiteral("Informe se a empresa participa do PAT"));
        auto* p = new QVBoxLayout(pat);
        p->addWidget(label(QStringLiteral(" Informe se a empresa participa do PAT.")));
        dgPat->setTitle(QString());
        p->addWidget(dgPat);
        p->addWidget(PatDummy);
        grid->addWidget(pat, 1, 1);
        grid->setRowStretch(2, 1);
        for (RadioGroup* g : {dgPorte, dgOptanteSimples})
            for (int i = 0; i < g->Count(); ++i) {
                QFont plain = g->Button(i)->font();
                plain.setBold(false);
                g->Button(i)->setFont(plain);
            }
    }
    // tEconomicas3
    {
        auto* grid = new QGridLayout(pcInformacoes->widget(tEconomicas3));
        paPAT = new QFrame;
        paPAT->setObjectName(QStringLiteral("paPAT"));
        auto* p = new QGridLayout(paPAT);
        auto* counts = new QGroupBox(QStringLiteral("Número de Trabalhadores Beneficiados pelo PAT"));
        auto* c = new QGridLayout(counts);
        c->addWidget(label(QStringLiteral("Trabalhadores com mais\nde 5 salários mínimos"), dePATVincMaior5), 0, 0);
        c->addWidget(label(QStringLiteral("Trabalhadores com menos/igual\na 5 salários mínimos"), dePATVincMenor5), 0, 1);
        c->addWidget(dePATVincMaior5, 1, 0);
        c->addWidget(dePATVincMenor5, 1, 1);
        p->addWidget(counts, 0, 0, 1, 3);
        const std::pair<QLineEdit*, const char*> percents[] = {
            {deServProprio, "Serviço Próprio (%)"},
            {deAdmCozinha, "Administração de Cozinhas (%)"},
            {deRefeicaoTransportadora, "Refeições Transportadas (%)"},
            {deRefeicaoConvenio, "Refeição Convênio (%)"},
            {deCestaAlimento, "Cesta de Alimentos (%)"},
            {deAlimentacaoConvenio, "Alimentação Convênio (%)"},
        };
        int i = 0;
        for (const auto& [edit, caption] : percents) {
            p->addWidget(label(QString::fromUtf8(caption), edit), 1 + (i / 3) * 2, i % 3);
            p->addWidget(edit, 2 + (i / 3) * 2, i % 3);
            edit->setMaximumWidth(80);
            ++i;
        }
        p->addWidget(PercentDummy, 5, 0);
        paPAT->setEnabled(false);
        grid->addWidget(paPAT, 0, 0);
        grid->setRowStretch(1, 1);
    }
    // tSindicais
    {
        auto* grid = new QGridLayout(pcInformacoes->widget(tSindicais));
        grid->addWidget(dbrCentralizada, 0, 0, 1, 3);
        grid->addWidget(label(QStringLiteral("Estabelecimento Centralizador"), dbeCNPJCentralizada), 1, 0);
        grid->addWidget(dbeCNPJCentralizada, 1, 1);
        grid->addWidget(label(QStringLiteral("CNPJ da entidade sindical beneficiária")), 2, 1);
        grid->addWidget(label(QStringLiteral("Valor Total Recolhido (R$)")), 2, 2);
        const std::tuple<QLineEdit*, QLineEdit*, const char*> contributions[] = {
            {deSindical, deValorSindical, "Contribuição (Tributo) Sindical"},
            {deAssociativa, deValorAssociativa, "             Contribuição Associativa\n(Mensalidade Sindical do Filiado)"},
            {deAssistencial, deValorAssistencial, "Contribuição Assistencial"},
            {deConfederativa, deValorConfederativa, "Contribuição Confederativa"},
        };
        int row = 3;
        for (const auto& [cnpj, amount, caption] : contributions) {
            if (cnpj == deAssociativa) grid->addWidget(dbrSindicato, row++, 0, 1, 3);
            grid->addWidget(label(QString::fromUtf8(caption), cnpj), row, 0);
            grid->addWidget(cnpj, row, 1);
            grid->addWidget(amount, row, 2);
            ++row;
        }
        grid->setRowStretch(row, 1);
    }
}

void TfmDadosEstab::connectHandlers() {
    // A click acts after the check of the field being left, as any other move.
    auto onClick = [this](RadioGroup* group, void (TfmDadosEstab::*handler)()) {
        for (int i = 0; i < group->Count(); ++i)
            connect(group->Button(i), &QRadioButton::clicked, this, [this, handler] {
                if (!kit_->RunPendingChecks()) return;
                kit_->RunAction([this, handler] { (this->*handler)(); });
            });
    };
    onClick(dbrTipoInscr, &TfmDadosEstab::pInscricao);
    onClick(dgTipoZuvo, &TfmDadosEstab::dgTipoZuvoClick);
    onClick(dgPorte, &TfmDadosEstab::SyncSimplesWithPorte);
    onClick(dgPat, &TfmDadosEstab::dgPatClick);
    connect(cbEncerramento, &QCheckBox::clicked, this, [this] {
        if (!kit_->RunPendingChecks()) return;
        kit_->RunAction([this] { cbEncerramentoClick(); });
    });

    // Entering a radio group gives its buttons its help and focuses its choice.
    const std::pair<RadioGroup*, int> groups[] = {{dbrTipoInscr, 115}, {dgTipoZuvo, 27},   {dgEmAtividade, 171},
                                                  {dgOptanteSimples, 56}, {dgPorte, 55}, {dgPat, 58},
                                                  {dbrCentralizada, 125}, {dbrSindicato, 200}};
    for (const auto& [group, help] : groups) {
        RadioGroup* g = group;
        const int context = help;
        kit_->OnEnter(g, [this, g, context] {
            for (int i = 0; i < g->Count(); ++i) SetHelpContext(g->Button(i), context);
            if (g == dgPorte) return dgPorteEnter();
            if (g == dgPat) return dgPatEnter();
            if (g == dbrCentralizada) return dbrCentralizadaEnter();
            g->FocusChosenOrFirst();
        });
    }

    kit_->OnEnter(meCeiVinc, [this] {
        const QString v = text(meCeiVinc);
        SetDesignMask(meCeiVinc, kMaskCeiDigits);
        SetEditValue(meCeiVinc, v);
    });
    for (QLineEdit* amount : {deValorSindical, deValorAssociativa, deValorAssistencial, deValorConfederativa}) {
        kit_->OnEnter(amount, [amount] {
            const QString t = amount->text().trimmed();
            amount->setText(t.isEmpty() ? kZeroMoney : RemoveDots(t));
            amount->selectAll();
        });
    }
    kit_->OnEnter(dePATVincMaior5, [this] { dePATVincMaior5->setCursorPosition(2); });
    kit_->OnEnter(dbeCNPJCentralizada, [this] {
        const QString own = EstablishmentValue("CoCgcCeiEstabelecimento");
        if (own.left(8) == EstablishmentValue("CoCNPJCentralizada").left(8)) dbeCNPJCentralizada->setSelection(11, 7);
    });
    kit_->OnEnter(InfCadDummy, [this] { kit_->MoveFocus(deCNAE); });  // its page comes to the front

    connect(BtOk, &QPushButton::clicked, this, &TfmDadosEstab::BtOkClick);
    connect(BtVinculos, &QPushButton::clicked, this, &TfmDadosEstab::BtVinculosClick);
    connect(BtCancelar, &QPushButton::clicked, this, &TfmDadosEstab::BtCancelarClick);
    connect(BtAjuda, &QPushButton::clicked, this, &TfmDadosEstab::BtAjudaClick);
    connect(sbCodMunicipio, &QToolButton::clicked, this, &TfmDadosEstab::sbCodMunicipioClick);
    connect(sbCNAE, &QToolButton::clicked, this, &TfmDadosEstab::sbCNAEClick);
    connect(sbNatJuridica, &QToolButton::clicked, this, &TfmDadosEstab::sbNatJuridicaClick);
}

// ---- Showing and loading ------------------------------------------------------

void TfmDadosEstab::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

bool TfmDadosEstab::findRow() { return EstablishmentTable().FindKey({KeyAnoBase, KeyInscricao, KeyPrefixo}); }

void TfmDadosEstab::FormShow() {
    ClearEdits(this);
    SetDesignMask(meCeiVinc, QString());
    if (!EstablishmentTable().Active()) EstablishmentTable().Open();
    found_ = findRow();
    if (!found_) {
        ShowMessageByCode(QStringLiteral("1006"));
        // Nothing to edit: the form closes instead of showing an empty row.
        QMetaObject::invokeMethod(this, [this] {
            forms::SetModalResult(this, forms::mrCancel);
            reject();
        }, Qt::QueuedConnection);
        return;
    }
    if (!IsNewEstablishment) {
        RecoverInterruptedOperation(KeyAnoBase, KeyInscricao, KeyPrefixo);
        findRow();
    }
    LoadEstablishment();
    ShowContributionValues();
    SyncSimplesWithPorte();
    kit_->RefreshAll();
}

void TfmDadosEstab::LoadEstablishment() {
    EstablishmentTable().Edit();
    // The form shows stored zeros empty (a CNPJ, the closing date): a field still empty when the
    // form saves means the same value, which stays as it was stored.
    loadedZeros_.clear();
    for (int i = 0; i < EstablishmentTable().FieldCount(); ++i) {
        const db::Field& f = EstablishmentTable().Fields(i);
        if (!f.AsString().isEmpty() && IsAllZeros(f.AsString())) loadedZeros_.insert(f.FieldName(), f.AsString());
    }
    loadedCeiVinculado_ = EstablishmentValue("CoCgcVinculado");

    // The inscription and its type.
    const QString inscricao = EstablishmentValue("CoCgcCeiEstabelecimento");
    const bool cnpj = EstablishmentValue("InInscrEstabelecimento") == QLatin1String("1");
    if (cnpj) {
        SetDesignMask(mdInscricao, kMaskCnpj);
        SetEditValue(mdInscricao, inscricao);
    } else {
        SetDesignMask(mdInscricao, kMaskCei);
        SetEditValue(mdInscricao, inscricao.mid(2, 12));
    }
    ContextInscriptionType = cnpj ? QStringLiteral("1") : QStringLiteral("3");
    meCeiVinc->setEnabled(cnpj);
    lbCeiVinculado->setEnabled(cnpj);
    SetLocked(meCeiVinc, !cnpj);
    edPrefixo->setText(EstablishmentValue("NuPrefixoEstabelecimento"));

    // The linked CEI.
    const QString cei = EstablishmentValue("CoCgcVinculado");
    if (!IsAccepted(CheckDigitsLength(cei, QStringLiteral("14")))) {
        SetDesignMask(meCeiVinc, QString());
        meCeiVinc->setText(cei.mid(2, 12));
    } else if (!IsAllZeros(cei)) {
        SetDesignMask(meCeiVinc, kMaskCei);
        SetEditValue(meCeiVinc, cei.mid(2, 12));
    }

    // The employee count, recounted.
    WorkEmpregados = EstablishmentValue("NuVinculosEstabelecimento");
    const int count = dmEntradaDados->CountContracts(KeyAnoBase, KeyInscricao, KeyPrefixo);
    if (QString::number(count) != WorkEmpregados) WorkEmpregados = PadLeftZeros(QString::number(count), 6);
    edTotalEmpreg->setText(QString::number(WorkEmpregados.toInt()));

    // Zero placeholders are shown empty.
    const std::pair<const char*, const char*> placeholders[] = {
        {"CoCepEstabelecimento", "00000000"}, {"CoMunicipio", "0000000"}, {"CoCnae", "00000"},
        {"CoNaturezaJuridica", "0000"}};
    for (const auto& [name, zeros] : placeholders)
        if (EstablishmentValue(QString::fromLatin1(name)) == QLatin1String(zeros)) SetEstablishmentValue(QString::fromLatin1(name), QString());

    // Descriptions of the activity and the legal nature.
    const QString cnae = EstablishmentValue("CoCnae2");
    if (cnae != QLatin1String("0000000"))
        edTxCNAE->setText(!cnae.isEmpty() && dmLobrix->taCNAE.FindKey({cnae})
                              ? dmLobrix->taCNAE.FieldByName(QStringLiteral("NoCnae")).AsString()
                              : QString());
    const QString natju = EstablishmentValue("CoNaturezaJuridica");
    if (natju != QLatin1String("0000"))
        edTxNatJuridica->setText(!natju.isEmpty() && dmLobrix->taNatJu.FindKey({natju})
                                     ? dmLobrix->taNatJu.FieldByName(QStringLiteral("NoNaturezaJuridica")).AsString()
                                     : QString());

    // Declaration type.
    const bool comEmpregados = EstablishmentValue("InZuvoNegEstabelecimento") == QLatin1String("0");
    BtVinculos->setEnabled(comEmpregados);
    dgEmAtividade->setEnabled(!comEmpregados);
    if (!comEmpregados) edTotalEmpreg->setText(QStringLiteral("0"));
    if (EstablishmentValue("InAtividadeAnoBase").isEmpty()) SetEstablishmentValue("InAtividadeAnoBase", QStringLiteral("1"));

    kit_->LoadAll();
    loadSizeSimplesPatClosing();
    loadUnionControls();
    kit_->LoadAll();

    SetEstablishmentValue("InOpcaoAberta", QStringLiteral("0"));
    pcInformacoes->SetCurrentPage(tCadastrais);
    QPointer<QLineEdit> street = deLogradouro;
    QMetaObject::invokeMethod(this, [street] { if (street) street->setFocus(Qt::OtherFocusReason); },
                              Qt::QueuedConnection);
}

void TfmDadosEstab::loadSizeSimplesPatClosing() {
    dgOptanteSimples->setEnabled(true);
    const QString pat = EstablishmentValue("InParticipaPAT").trimmed();
    if (pat == QLatin1String("2")) {
        paPAT->setEnabled(false);
    } else if (pat == QLatin1String("1")) {
        paPAT->setEnabled(true);
    } else {
        SetEstablishmentValue("InParticipaPAT", QString());
        paPAT->setEnabled(false);
    }

    if (EstablishmentValue("InEncerramentoAtividade") == QLatin1String("1")) {
        cbEncerramento->setChecked(true);
        cbEncerramentoClick();
    } else {
        cbEncerramento->setChecked(false);
    }
    if (EstablishmentValue("DaEncerramentoAtividade") == QLatin1String("00000000")) SetEstablishmentValue("DaEncerramentoAtividade", QString());
    ShowBaseYear(EstablishmentValue("DaEncerramentoAtividade"));

    WorkNumero = displayForm(EstablishmentValue("NuEnderecoEstabelecimento"));
    SetEstablishmentValue("NuEnderecoEstabelecimento", WorkNumero);
    WorkPatMaior5 = displayForm(EstablishmentValue("NuVinculoPatMaior5"));
    SetEstablishmentValue("NuVinculoPatMaior5", WorkPatMaior5);
    WorkPatMenor5 = displayForm(EstablishmentValue("NuVinculoPatMenor5"));
    SetEstablishmentValue("NuVinculoPatMenor5", WorkPatMenor5);
    const char* percents[] = {"PoServicoProprio",   "PoAdmCozinha",    "PoRefeicaoTransportadora",
                              "PoRefeicaoConvenio", "PoCestaAlimento", "PoAlimentacaoConvenio"};
    for (int i = 0; i < 6; ++i) {
        const QString name = QString::fromLatin1(percents[i]);
        WorkPercent[i] = displayForm(EstablishmentValue(name));
        SetEstablishmentValue(name, WorkPercent[i]);
    }
}

void TfmDadosEstab::loadUnionControls() {
    for (const char* name : {"CoCNPJSindical", "CoCNPJAssociativa", "CoCNPJAssistencial", "CoCNPJConfederativa",
                             "CoCNPJCentralizada"})
        if (EstablishmentValue(QString::fromLatin1(name)) == QLatin1String("00000000000000")) SetEstablishmentValue(QString::fromLatin1(name), QString());
    const QString centralizada = EstablishmentValue("InCentralizada");
    if (centralizada == QLatin1String("2")) {
        SetLocked(deSindical, false);
        SetLocked(dbeCNPJCentralizada, EstablishmentValue("CoCNPJCentralizada").isEmpty());
    } else if (centralizada == QLatin1String("1")) {
        SetLocked(dbeCNPJCentralizada, false);
        SetLocked(deSindical, EstablishmentValue("CoCNPJSindical").isEmpty());
    } else {
        SetLocked(deSindical, false);
        SetLocked(dbeCNPJCentralizada, false);
    }
}

void TfmDadosEstab::ShowContributionValues() {
    const std::pair<QLineEdit*, const char*> amounts[] = {
        {deValorSindical, "VaGlobalSindical"}, {deValorAssociativa, "VaGlobalAssociativa"},
        {deValorAssistencial, "VaGlobalAssistencial"}, {deValorConfederativa, "VaGlobalConfederativa"}};
    for (const auto& [edit, name] : amounts) {
        const QString v = EstablishmentValue(QString::fromLatin1(name));
        if (v.isEmpty() || v == QLatin1String("000000000")) {
            edit->setText(kZeroMoney);
            continue;
        }
        const QString padded = PadLeftZeros(v, 9);
        edit->setText(FormatMoneyText(padded.left(7) + QLatin1Char(',') + padded.mid(7)).trimmed());
    }
}

QString TfmDadosEstab::CentsText(const QString& display) {
    const int length = int(display.trimmed().size());
    QString t = RemoveDots(display);
    QString head = t.left(length);
    head.remove(QLatin1Char(','));
    t = head + t.mid(length);
    // Padded, never cut: a longer text is what the length check refuses.
    return t.size() >= 9 ? t : PadLeftZeros(t, 9);
}

// ---- Refusals -----------------------------------------------------------------

QString TfmDadosEstab::rule(const QString& code) {
    lastCode_ = code;
    return code;
}

void TfmDadosEstab::refuse(const QString& code, QWidget* focus) {
    ShowMessageByCode(code);
    kit_->FocusBack(focus);
    throw SilentAbort();
}

void TfmDadosEstab::refuseKeepingPage(const QString& code, QWidget* focus) {
    ShowMessageByCode(code);
    kit_->FocusBack(focus);
    throw SilentAbort::KeepingPageChange();
}

// ---- Identification -----------------------------------------------------------

void TfmDadosEstab::pInscricao() {
    KeyInscricao = EstablishmentValue("CoCgcCeiEstabelecimento");
    const QString inscricao = KeyInscricao;
    const int length = int(inscricao.trimmed().size());
    const QString type = EstablishmentValue("InInscrEstabelecimento");
    const QString number = length == 12 ? QStringLiteral("00") + inscricao : inscricao;

    if (!IsAccepted(rule(CheckInscriptionByType(number, type))))
        refuseKeepingPage(lastCode_, dbrTipoInscr->Button(dbrTipoInscr->ItemIndex() == 0 ? 1 : 0));
    const QString code = rule(CheckInscription(number));
    if (code == QLatin1String("0050")) {
        auto disableCei = [this] {
            meCeiVinc->setEnabled(false);
            SetLocked(meCeiVinc, true);
            meCeiVinc->clear();
            lbCeiVinculado->setEnabled(false);
            SetEstablishmentValue("CoCgcVinculado", QString());
        };
        if (length == 14 && type == QLatin1String("1")) {
            SetDesignMask(mdInscricao, kMaskCnpj);
            SetEditValue(mdInscricao, inscricao);
            meCeiVinc->setEnabled(true);
            SetLocked(meCeiVinc, false);
            lbCeiVinculado->setEnabled(true);
        } else if (length == 14 && type == QLatin1String("3")) {
            SetDesignMask(mdInscricao, kMaskCeiAsCnpj);
            SetEditValue(mdInscricao, inscricao.mid(2, 12));
        } else if (length == 12) {
            disableCei();
            if (type == QLatin1String("1")) {
                SetDesignMask(mdInscricao, kMaskCnpj);
                SetEditValue(mdInscricao, number);
            } else {
                SetDesignMask(mdInscricao, kMaskCeiAsCnpj);
                SetEditValue(mdInscricao, inscricao);
            }
        }
        return;
    }
    if (code == QLatin1String("0051") || code == QLatin1String("0052")) return;
    meCeiVinc->setEnabled(false);
    meCeiVinc->clear();
    SetLocked(meCeiVinc, true);
    lbCeiVinculado->setEnabled(false);
    SetEstablishmentValue("CoCgcVinculado", QString());
    refuseKeepingPage(code, mdInscricao);
}

void TfmDadosEstab::CheckLinkedCei() {
    const QString typed = text(meCeiVinc).trimmed();
    if (typed.isEmpty() || IsAllZeros(typed)) {
        SetDesignMask(meCeiVinc, QString());
        meCeiVinc->clear();
        return;
    }
    if (EstablishmentValue("InInscrEstabelecimento") == QLatin1String("3")) {
        ShowMessageByCode(rule(QStringLiteral("0350")));
        SetDesignMask(meCeiVinc, QString());
        meCeiVinc->clear();
        QPointer<QPushButton> okButton = BtOk;
        QMetaObject::invokeMethod(this, [okButton] { if (okButton) okButton->setFocus(); }, Qt::QueuedConnection);
        throw SilentAbort::KeepingPageChange();
    }
    const QString widened = QStringLiteral("00") + typed;
    if (!IsAccepted(rule(CheckCeiNumber(widened)))) refuseKeepingPage(lastCode_, meCeiVinc);
    if (!IsAccepted(rule(CheckLinkedCeiForInscriptionType(EstablishmentValue("InInscrEstabelecimento"), widened))))
        refuseKeepingPage(lastCode_, meCeiVinc);
    SetDesignMask(meCeiVinc, kMaskCei);
    SetEditValue(meCeiVinc, typed);
    if (!IsAccepted(rule(CheckNegativeDeclarationType(EstablishmentValue("InZuvoNegEstabelecimento"), EstablishmentValue("InInscrEstabelecimento"),
                                              widened))))
        refuseKeepingPage(lastCode_, dgTipoZuvo->Button(qMax(0, dgTipoZuvo->ItemIndex())));
}

void TfmDadosEstab::checkName() {
    QString name = EstablishmentValue("NoRazaoEstabelecimento");
    const QString code =
        rule(CheckCompanyName(name, EstablishmentValue("CoCgcCeiEstabelecimento"), EstablishmentValue("InInscrEstabelecimento")));
    SetEstablishmentValue("NoRazaoEstabelecimento", name);
    if (!IsAccepted(code)) refuseKeepingPage(code, deRazao);
}

void TfmDadosEstab::checkFreeText() {
    if (!IsAccepted(rule(CheckFreeText(EstablishmentValue("TxUsoEstabelecimento"))))) refuseKeepingPage(lastCode_, deUsoEmpresa);
}

void TfmDadosEstab::checkStreet() {
    QString street = EstablishmentValue("EdEstabelecimento");
    const QString code = rule(CheckStreet(street));
    if (!IsAccepted(code)) refuse(code, deLogradouro);
    SetEstablishmentValue("EdEstabelecimento", street);
}

void TfmDadosEstab::checkNumber() {
    const QString number = EstablishmentValue("NuEnderecoEstabelecimento").trimmed();
    WorkNumero = PadLeftZeros(number, 6);
    if (!IsAccepted(rule(CheckStreetNumber(WorkNumero)))) refuse(lastCode_, deNumero);
    if (!number.isEmpty()) SetEstablishmentValue("NuEnderecoEstabelecimento", integerValue(number));
}

void TfmDadosEstab::checkComplement() {
    QString complement = EstablishmentValue("TxComplemEstabelecimento");
    const QString code = rule(CheckComplement(complement));
    if (!IsAccepted(code)) refuse(code, deComplemento);
    SetEstablishmentValue("TxComplemEstabelecimento", complement);
    if (!IsAccepted(rule(CheckNumberOrComplement(EstablishmentValue("NuEnderecoEstabelecimento"), complement)))) refuse(lastCode_, deNumero);
}

void TfmDadosEstab::checkDistrict() {
    QString district = EstablishmentValue("NoBairroEstabelecimento");
    const QString code = rule(CheckDistrict(district));
    if (!IsAccepted(code)) refuse(code, deBairro);
    SetEstablishmentValue("NoBairroEstabelecimento", district);
}

void TfmDadosEstab::checkCep() {
    if (!IsAccepted(rule(CheckCep(EstablishmentValue("CoCepEstabelecimento"))))) refuse(lastCode_, deCEP);
}

void TfmDadosEstab::checkMunicipality() {
    QString name, state, code, kind;
    TCriticaZuvo().CheckMunicipalityCep(EstablishmentValue("CoMunicipio"), name, state, EstablishmentValue("CoCepEstabelecimento"), code, kind);
    SetEstablishmentValue("NoMunicEstabelecimento", name);
    SetEstablishmentValue("SgUf", state);
    lastCode_ = code;
    if (kind != QLatin1String("0") && kind != QLatin1String("4"))
        refuse(code, kind == QLatin1String("1") ? deMunicipio : deCEP);
    pcInformacoes->SetCurrentPage(tCadastrais);
}

void TfmDadosEstab::checkAreaCode(int mode) {
    if (!IsAccepted(rule(CheckAreaCode(EstablishmentValue("NuDDD"))))) refuse(lastCode_, deDDD);
    const QString warning = CheckAreaCodeForState(EstablishmentValue("NuDDD"), EstablishmentValue("CoMunicipio").left(2));
    if (mode == 1 && !IsAccepted(warning)) ShowMessageByCode(rule(warning));
}

void TfmDadosEstab::checkPhone() {
    if (!IsAccepted(rule(CheckPhoneNumber(EstablishmentValue("NuTelefone"))))) refuse(lastCode_, deTelefone);
    if (!IsAccepted(rule(CheckPhoneAndAreaCode(EstablishmentValue("NuDDD"), EstablishmentValue("NuTelefone"))))) refuse(lastCode_, deDDD);
}

void TfmDadosEstab::checkEmail() {
    QString email = EstablishmentValue("TxEmailEstabelecimento");
    const QString code = rule(CheckEmail(email));
    if (!IsAccepted(code)) {
        // Left for a page tab, the refusal must also keep the page, or the
        // focus would go back to a field the user no longer sees.
        if (qobject_cast<QTabBar*>(kit_->ExitTarget())) refuse(code, deEmail);
        refuseKeepingPage(code, deEmail);
    }
    SetEstablishmentValue("TxEmailEstabelecimento", email);
}

void TfmDadosEstab::checkCnae(int mode) {
    const QString cnae = EstablishmentValue("CoCnae2");
    if (!IsAccepted(rule(CheckCnae(cnae)))) refuse(lastCode_, deCNAE);
    const QString forName = rule(CheckCnaeForName(cnae, EstablishmentValue("NoRazaoEstabelecimento")));
    if (!IsAccepted(forName) && forName != QLatin1String("0363")) refuse(forName, deCNAE);
    const QString description = dmLobrix->taCNAE.FindKey({cnae})
                                    ? dmLobrix->taCNAE.FieldByName(QStringLiteral("NoCnae")).AsString()
                                    : QString();
    edTxCNAE->setText(description);
    SetEstablishmentValue("TxtCnae", description);
    if (mode == 1 && forName == QLatin1String("0363")) ShowMessageByCode(forName);
}

void TfmDadosEstab::checkLegalNature(int mode) {
    const QString natju = EstablishmentValue("CoNaturezaJuridica");
    if (!IsAccepted(rule(CheckLegalNature(natju)))) refuse(lastCode_, deNatJuridica);
    const QString description = dmLobrix->taNatJu.FindKey({natju})
                                    ? dmLobrix->taNatJu.FieldByName(QStringLiteral("NoNaturezaJuridica")).AsString()
                                    : QString();
    edTxNatJuridica->setText(description);
    SetEstablishmentValue("TxtNatJur", description);
    const QString warning = rule(CheckLegalNatureForName(natju, EstablishmentValue("NoRazaoEstabelecimento")));
    if (mode == 1 && !IsAccepted(warning)) ShowMessageByCode(warning);
}

void TfmDadosEstab::checkOwners() {
    const QString owners = EstablishmentValue("NuProprietEstabelecimento").trimmed();
    if (!IsAccepted(rule(CheckDigitsLength(PadLeftZeros(owners, 2), QStringLiteral("2"))))) refuse(lastCode_, deProprietarios);
    if (!owners.isEmpty()) SetEstablishmentValue("NuProprietEstabelecimento", integerValue(owners));
}

void TfmDadosEstab::checkBaseMonth() {
    const QString month = PadLeftZeros(EstablishmentValue("MeDataBase"), 2);
    if (!IsAccepted(rule(CheckBaseMonth(month)))) refuse(lastCode_, deDataBase);
    if (!IsAccepted(rule(CheckBaseMonthRequired(month, EstablishmentValue("InZuvoNegEstabelecimento"))))) refuse(lastCode_, deDataBase);
}

void TfmDadosEstab::CheckSameInscription() {
    db::Query& q = dmEntradaDados->quValidaEstab;
    q.Close();
    q.SQL().clear();
    q.SQL() << QStringLiteral("select distinct NoRazaoEstabelecimento,CoNaturezaJuridica,CoCnae2")
            << QStringLiteral("from BD8Emp") << QStringLiteral("where AnBase = :sAnoBase and")
            << QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao and")
            << QStringLiteral("      InInscrEstabelecimento = :tipoinscricao and")
            << QStringLiteral("      CoCgcVinculado = :sCeiVinc");
    q.ParamByName(QStringLiteral("sInscricao")).AsString = EstablishmentValue("CoCgcCeiEstabelecimento");
    q.ParamByName(QStringLiteral("tipoinscricao")).AsString = ContextInscriptionType;
    q.ParamByName(QStringLiteral("sAnoBase")).AsString = KeyAnoBase;
    q.ParamByName(QStringLiteral("sCeiVinc")).AsString = EstablishmentValue("CoCgcVinculado");
    q.Open();
    if (q.RecordCount() > 1) {
        bool nameGiven = false, natureGiven = false, cnaeGiven = false;
        for (q.First(); !q.Eof(); q.Next()) {
            if (q.FieldByName(QStringLiteral("NoRazaoEstabelecimento")).AsString() != EstablishmentValue("NoRazaoEstabelecimento")) {
                if (nameGiven) continue;
                nameGiven = true;
                msg::ShowWarning(QStringLiteral(
                    "Esta inscrição já esta cadastrada com outra Razão Social. Verificar qual a correta."));
            } else if (q.FieldByName(QStringLiteral("CoNaturezaJuridica")).AsString() != EstablishmentValue("CoNaturezaJuridica")) {
                if (natureGiven) continue;
                natureGiven = true;
                pcInformacoes->SetCurrentPage(tEconomicas);
                msg::ShowWarning(QStringLiteral(
                    "Esta Inscrição já esta cadastrada com outra Natureza Jurídica. Verificar qual a correta."));
            } else if (q.FieldByName(QStringLiteral("CoCnae2")).AsString() != EstablishmentValue("CoCnae2")) {
                if (cnaeGiven) continue;
                cnaeGiven = true;
                pcInformacoes->SetCurrentPage(tEconomicas);
                msg::ShowWarning(
                    QStringLiteral("Esta inscrição já esta cadastrada com outro CNAE. Verificar qual o correto."));
            } else {
                continue;
            }
            kit_->AllowPageChange = 0;
        }
    }
    q.Close();
}

// ---- Size, Simples, PAT, closing -------------------------------------------------

void TfmDadosEstab::SyncSimplesWithPorte() {
    const int index = dgPorte->ItemIndex();
    if (index == 2) {
        // Cleared first: the bound group writes its (empty) choice into the field.
        dgOptanteSimples->SetItemIndex(-1);
        SetEstablishmentValue("InOptanteSimples", QStringLiteral("2"));
        dgOptanteSimples->setEnabled(false);
    } else if (index < 0) {
        dgOptanteSimples->setEnabled(true);
        dgOptanteSimples->SetItemIndex(-1);
        SetEstablishmentValue("InOptanteSimples", QString());
    } else {
        dgOptanteSimples->setEnabled(true);
    }
}

void TfmDadosEstab::dgPorteEnter() {
    if (dgPorte->ItemIndex() >= 0) return dgPorte->FocusChosenOrFirst();
    dgPorte->FocusChosenOrFirst();
    SetEstablishmentValue("InPorte", QStringLiteral("5"));
    dgOptanteSimples->SetItemIndex(-1);
    SetEstablishmentValue("InOptanteSimples", QStringLiteral("2"));
    dgOptanteSimples->setEnabled(false);
}

void TfmDadosEstab::dgPorteExit() {
    if (dgOptanteSimples->isEnabled())
        dgOptanteSimples->FocusChosenOrFirst();
    else
        dgPat->FocusChosenOrFirst();
}

void TfmDadosEstab::checkSize() {
    if (!IsAccepted(rule(CheckCompanySize(EstablishmentValue("InPorte")))))
        refuseKeepingPage(lastCode_, dgPorte->Button(qMax(0, dgPorte->ItemIndex())));
}

void TfmDadosEstab::checkSimples() {
    if (!dgOptanteSimples->isEnabled()) return;
    QWidget* focus = dgOptanteSimples->Button(qMax(0, dgOptanteSimples->ItemIndex()));
    if (!IsAccepted(rule(CheckSimplesOption(EstablishmentValue("InOptanteSimples"))))) refuseKeepingPage(lastCode_, focus);
    if (!IsAccepted(rule(CheckSimplesForSize(EstablishmentValue("InOptanteSimples"), EstablishmentValue("InPorte")))))
        refuseKeepingPage(lastCode_, focus);
}

void TfmDadosEstab::setPatValuesEmpty() {
    for (const char* name : {"NuVinculoPatMaior5", "NuVinculoPatMenor5", "PoServicoProprio", "PoAdmCozinha",
                             "PoRefeicaoTransportadora", "PoRefeicaoConvenio", "PoCestaAlimento",
                             "PoAlimentacaoConvenio"})
        SetEstablishmentValue(QString::fromLatin1(name), QString());
}

void TfmDadosEstab::dgPatClick() {
    if (EstablishmentValue("InParticipaPAT") == QLatin1String("1")) return;
    paPAT->setEnabled(false);
    setPatValuesEmpty();
}

void TfmDadosEstab::dgPatEnter() {
    dgPat->FocusChosenOrFirst();
    if (dgPat->ItemIndex() >= 0) return;
    SetEstablishmentValue("InParticipaPAT", QString());
}

void TfmDadosEstab::dgPatExit() {
    int index = dgPat->ItemIndex();
    if (index < 0) {
        const bool yes = msg::AskYesNo(QStringLiteral("A empresa participa do PAT ?"));
        index = yes ? 0 : 1;
        dgPat->SetItemIndex(index);
        SetEstablishmentValue("InParticipaPAT", yes ? QStringLiteral("1") : QStringLiteral("2"));
        if (!yes) dgPatClick();
    }
    if (index == 0) {
        pcInformacoes->SetCurrentPage(tEconomicas3);
        paPAT->setEnabled(true);
        dePATVincMaior5->setFocus(Qt::OtherFocusReason);
    } else {
        enterCentralisation();
    }
}

void TfmDadosEstab::focusPatPlace(QWidget* field) {
    if (paPAT->isEnabled()) {
        kit_->FocusBack(field);
    } else {
        kit_->FocusBack(dgPat->Button(qMax(0, dgPat->ItemIndex())));
    }
}

void TfmDadosEstab::checkPatCountAbove() {
    const QString count = EstablishmentValue("NuVinculoPatMaior5").trimmed();
    WorkPatMaior5 = PadLeftZeros(count, 6);
    if (!IsAccepted(rule(CheckPatWorkerCount(WorkPatMaior5)))) {
        ShowMessageByCode(lastCode_);
        focusPatPlace(dePATVincMaior5);
        throw SilentAbort();
    }
    if (!count.isEmpty()) SetEstablishmentValue("NuVinculoPatMaior5", integerValue(count));
}

void TfmDadosEstab::checkPatCountUpTo() {
    const QString count = EstablishmentValue("NuVinculoPatMenor5").trimmed();
    WorkPatMenor5 = PadLeftZeros(count, 6);
    const bool bothZero = IsAllZeros(WorkPatMenor5) && IsAllZeros(PadLeftZeros(WorkPatMaior5, 6));
    const QString code = rule(bothZero && EstablishmentValue("InParticipaPAT") == QLatin1String("1") ? QStringLiteral("3626")
                                                                                      : CheckPatWorkerCount(WorkPatMenor5));
    if (!IsAccepted(code)) {
        pcInformacoes->SetCurrentPage(tEconomicas3);
        ShowMessageByCode(code);
        focusPatPlace(dePATVincMenor5);
        throw SilentAbort();
    }
    if (!count.isEmpty()) SetEstablishmentValue("NuVinculoPatMenor5", integerValue(count));
}

void TfmDadosEstab::checkPatCounts() {
    checkPatCountAbove();
    checkPatCountUpTo();
    const QString code = rule(CheckPatWorkers(EstablishmentValue("InParticipaPAT"), WorkPatMenor5, WorkPatMaior5));
    if (IsAccepted(code)) return;
    if (code == QLatin1String("3525")) {
        ShowMessageByCode(code);
        return;
    }
    refuse(code, dgPat->Button(qMax(0, dgPat->ItemIndex())));
}

void TfmDadosEstab::checkPercentage(int index) {
    QLineEdit* edits[] = {deServProprio,      deAdmCozinha,    deRefeicaoTransportadora,
                          deRefeicaoConvenio, deCestaAlimento, deAlimentacaoConvenio};
    const QString name = rows_.Row(edits[index]->objectName())->field;
    const QString value = EstablishmentValue(name).trimmed();
    WorkPercent[index] = PadLeftZeros(value, 3);
    const QString code = rule(CheckPercentage(WorkPercent[index]));
    if (code == QLatin1String("3521")) {
        ShowMessageByCode(code);
        if (paPAT->isEnabled()) {
            pcInformacoes->SetCurrentPage(tEconomicas3);
            kit_->FocusBack(edits[index]);
            throw SilentAbort();
        }
    } else if (!IsAccepted(code)) {
        ShowMessageByCode(code);
        focusPatPlace(edits[index]);
        throw SilentAbort();
    }
    if (!value.isEmpty()) SetEstablishmentValue(name, integerValue(value));
}

void TfmDadosEstab::checkPatModalities() {
    const char* names[] = {"PoServicoProprio",   "PoAdmCozinha",    "PoRefeicaoTransportadora",
                           "PoRefeicaoConvenio", "PoCestaAlimento", "PoAlimentacaoConvenio"};
    std::array<QString, 6> percents;
    for (int i = 0; i < 6; ++i) {
        WorkPercent[i] = PadLeftZeros(EstablishmentValue(QString::fromLatin1(names[i])).trimmed(), 3);
        percents[i] = WorkPercent[i];
    }
    if (!IsAccepted(rule(CheckPatModalities(EstablishmentValue("InParticipaPAT"), percents)))) {
        ShowMessageByCode(lastCode_);
        focusPatPlace(deServProprio);
        throw SilentAbort();
    }
}

void TfmDadosEstab::cbEncerramentoClick() {
    if (cbEncerramento->isChecked()) {
        SetLocked(deDataEncerramento, false);
        SetEstablishmentValue("InEncerramentoAtividade", QStringLiteral("1"));
    } else {
        SetEstablishmentValue("InEncerramentoAtividade", QStringLiteral("2"));
        SetEstablishmentValue("DaEncerramentoAtividade", QString());
        SetLocked(deDataEncerramento, true);
    }
    ShowBaseYear(EstablishmentValue("DaEncerramentoAtividade"));
}

void TfmDadosEstab::ShowBaseYear(const QString& date) {
    const int year = date.mid(4, 4) == QString::number(DeclarationBaseYear() + 1) ? DeclarationBaseYear() + 1 : DeclarationBaseYear();
    lbAnoBase->setText(QStringLiteral("Ano-Base %1").arg(year));
}

std::uint8_t TfmDadosEstab::FollowingYearFlag() {
    return EstablishmentValue("InEncerramentoAtividade") == QLatin1String("1") &&
                   EstablishmentValue("DaEncerramentoAtividade").mid(4, 4) == QString::number(DeclarationBaseYear() + 1)
               ? 1
               : 0;
}

void TfmDadosEstab::CheckClosingDate(int mode) {
    if (!IsAccepted(rule(CheckClosingOfActivity(EstablishmentValue("InEncerramentoAtividade"), EstablishmentValue("DaEncerramentoAtividade"),
                                        QString::number(DeclarationBaseYear()), 0))))
        refuse(lastCode_, IsLocked(deDataEncerramento) ? static_cast<QWidget*>(cbEncerramento)
                                                       : static_cast<QWidget*>(deDataEncerramento));
    if (mode != 1) return;
    const QString date = EstablishmentValue("DaEncerramentoAtividade");
    ShowBaseYear(date);
    const int next = DeclarationBaseYear() + 1;
    if (date.mid(4, 4) != QString::number(next)) return;
    const bool yes = msg::AskYesNo(
        QStringLiteral("Ao preencher este campo, você estará declarando a ZUVO, ano-base %1 antecipada. "
                       "Esta opção deve ser utilizada somente quando o estabelecimento está encerrando as "
                       "atividades no exercício de %1.\r\nConfirma o Encerramento?")
            .arg(next));
    if (yes) {
        msg::ShowWarning(
            QStringLiteral("Não se esqueça de entregar também a declaração referente ao ano-base %1").arg(DeclarationBaseYear()));
        return;
    }
    SetEstablishmentValue("InEncerramentoAtividade", QStringLiteral("2"));
    SetEstablishmentValue("DaEncerramentoAtividade", QString());
    cbEncerramento->setChecked(false);
    cbEncerramentoClick();
}

// ---- Union contributions and centralisation ---------------------------------------

void TfmDadosEstab::CheckSindicalValue(QLineEdit* amount) {
    if (amount->text().trimmed().isEmpty()) amount->setText(kZeroMoney);
    // A text that is no amount in cents (more than two decimals too) is refused, never rounded away.
    const MoneyText money = ReadMoneyText(amount->text(), 9);
    if (money.code == QLatin1String("0040")) refuse(rule(money.code), amount);
    const QString formatted = money.formatted;
    if (CentsText(formatted).trimmed().size() > 9) refuse(rule(QStringLiteral("0315")), amount);
    const QString code = rule(CheckEstablishmentContributionAmount(CentsText(formatted)));
    if (!IsAccepted(code)) {
        amount->setText(RemoveDots(formatted).trimmed());
        refuse(code, amount);
    }
    // Trimmed: the edit's length limit is for typing, the format pads with blanks.
    amount->setText(FormatMoneyText(formatted).trimmed());
    const std::pair<QLineEdit*, QLineEdit*> pairs[] = {{deValorSindical, deSindical},
                                                       {deValorAssociativa, deAssociativa},
                                                       {deValorAssistencial, deAssistencial},
                                                       {deValorConfederativa, deConfederativa}};
    for (const auto& [value, cnpj] : pairs) {
        if (value != amount) continue;
        const QString column = rows_.Row(cnpj->objectName())->field;
        if (EstablishmentValue(column).trimmed().isEmpty() && amount->text().trimmed() != kZeroMoney)
            refuse(rule(QStringLiteral("3744")), cnpj);
    }
}

void TfmDadosEstab::confirmEntity(QLineEdit* edit, const QString& question, bool refusePageChange) {
    const QString column = rows_.Row(edit->objectName())->field;
    if (IsAccepted(CheckEmployerUnionCnpj(EstablishmentValue(column)))) return;
    pcInformacoes->SetCurrentPage(tSindicais);
    if (msg::AskYesNo(question)) return;
    kit_->FocusBack(edit);
    if (!refusePageChange) throw SilentAbort::KeepingPageChange();
    throw SilentAbort();
}

void TfmDadosEstab::checkUnionCnpj(bool onExit) {
    const QString cnpj = EstablishmentValue("CoCNPJSindical");
    if (cnpj.isEmpty()) return;
    if (!IsAccepted(rule(CheckContributionCnpjNotOwnOrBank(cnpj, EstablishmentValue("CoCgcCeiEstabelecimento"), 0)))) refuse(lastCode_, deSindical);
    const QString code = rule(CheckContributionCnpj(cnpj, QStringLiteral("sindical"), 0, 0));
    if (!IsAccepted(code) && code != QLatin1String("0050") && code != QLatin1String("0051")) refuse(code, deSindical);
    col("CoCNPJSindical").SetEditMask(kMaskCnpjColumn);
    if (onExit && !critica::IsExemptUnionTaxCnpj(cnpj)) confirmEntity(deSindical, kEntityQuestionSindical, true);
}

void TfmDadosEstab::checkAssociationCnpj(bool onExit) {
    const QString cnpj = EstablishmentValue("CoCNPJAssociativa");
    if (!cnpj.isEmpty()) {
        const QString code = rule(CheckContributionCnpj(cnpj, QStringLiteral("associativa"), 0, 0));
        if (!IsAccepted(code) && code != QLatin1String("0050") && code != QLatin1String("0051")) refuse(code, deAssociativa);
        if (!IsAccepted(rule(CheckContributionCnpjNotOwnOrBank(cnpj, EstablishmentValue("CoCgcCeiEstabelecimento"), 0))))
            refuse(lastCode_, deAssociativa);
        col("CoCNPJAssociativa").SetEditMask(kMaskCnpjColumn);
    }
    if (!onExit) return;
    checkMembership();
    if (!cnpj.isEmpty()) confirmEntity(deAssociativa, kEntityQuestion, true);
}

void TfmDadosEstab::checkOtherContributionCnpj(QLineEdit* edit, const QString& column, const QString& kind,
                                               bool onExit) {
    const QString cnpj = EstablishmentValue(column);
    if (cnpj.isEmpty()) return;
    if (!IsAccepted(rule(CheckContributionCnpjNotOwnOrBank(cnpj, EstablishmentValue("CoCgcCeiEstabelecimento"), 0)))) refuse(lastCode_, edit);
    const QString code = rule(CheckContributionCnpj(cnpj, kind, 0, 0));
    if (code != QLatin1String("0050") && code != QLatin1String("0051") && !IsAccepted(code)) refuse(code, edit);
    col(column).SetEditMask(kMaskCnpjColumn);
    if (onExit) confirmEntity(edit, kEntityQuestion, false);
}

void TfmDadosEstab::lockAssociation(bool locked) {
    for (QLineEdit* e : {deAssociativa, deValorAssociativa}) {
        e->setReadOnly(locked);
        QPalette palette = e->palette();
        palette.setColor(QPalette::Base, locked ? QApplication::palette().color(QPalette::Button)
                                                : QApplication::palette().color(QPalette::Base));
        e->setPalette(palette);
        e->setFocusPolicy(locked ? Qt::ClickFocus : Qt::StrongFocus);
    }
}

void TfmDadosEstab::dbrSindicatoExit() {
    const int index = dbrSindicato->ItemIndex();
    if (index < 0) {
        SetEstablishmentValue("InSindicalizada", QString());
    } else if (index == 1) {
        SetEstablishmentValue("CoCNPJAssociativa", QString());
        SetEstablishmentValue("VaGlobalAssociativa", QString());
        lockAssociation(true);
        deValorAssociativa->setText(kZeroMoney);
        deAssistencial->setFocus(Qt::OtherFocusReason);
    } else {
        lockAssociation(false);
        deAssociativa->setFocus(Qt::OtherFocusReason);
    }
}

void TfmDadosEstab::checkMembership() {
    const QString member = EstablishmentValue("InSindicalizada").trimmed();
    const QString cnpj = EstablishmentValue("CoCNPJAssociativa").trimmed();
    pcInformacoes->SetCurrentPage(tSindicais);
    if (member == QLatin1String("1")) {
        SetLocked(deAssociativa, false);
        if (cnpj.isEmpty()) refuse(rule(QStringLiteral("3713")), deAssociativa);
    } else if (member == QLatin1String("2")) {
        SetLocked(deAssociativa, true);
        if (!cnpj.isEmpty()) {
            SetLocked(deAssociativa, false);
            refuse(rule(QStringLiteral("3756")), deAssociativa);
        }
    } else if (member.isEmpty()) {
        refuse(rule(QStringLiteral("3721")), dbrSindicato->Button(0));
    }
}

void TfmDadosEstab::enterCentralisation() {
    pcInformacoes->SetCurrentPage(tSindicais);
    dbrCentralizada->FocusChosenOrFirst();
    dbrCentralizadaEnter();
}

void TfmDadosEstab::dbrCentralizadaEnter() {
    dbrCentralizada->FocusChosenOrFirst();
    if (dbrCentralizada->ItemIndex() >= 0) return;
    SetEstablishmentValue("InCentralizada", QString());
}

void TfmDadosEstab::dbrCentralizadaExit() {
    pcInformacoes->SetCurrentPage(tSindicais);
    const int index = dbrCentralizada->ItemIndex();
    if (index == 1) {
        SetEstablishmentValue("CoCNPJCentralizada", QString());
        dbeCNPJCentralizada->clear();
        SetLocked(dbeCNPJCentralizada, true);
        SetLocked(deSindical, false);
        SetLocked(deValorSindical, false);
        deSindical->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (index < 0) {
        SetLocked(dbeCNPJCentralizada, false);
        SetEstablishmentValue("InCentralizada", QString());
        dbeCNPJCentralizada->setFocus(Qt::OtherFocusReason);
        return;
    }
    const QString code =
        rule(CheckCentralisationFlag(EstablishmentValue("InInscrEstabelecimento"), QStringLiteral("centralizado"), EstablishmentValue("InCentralizada"), 0));
    if (!IsAccepted(code)) {
        ShowMessageByCode(code);
        SetEstablishmentValue("CoCNPJCentralizada", QString());
        SetLocked(dbeCNPJCentralizada, true);
        SetEstablishmentValue("InCentralizada", QStringLiteral("2"));
        kit_->FocusBack(deSindical);
        throw SilentAbort();
    }
    SetLocked(dbeCNPJCentralizada, false);
    SetEstablishmentValue("CoCNPJSindical", QString());
    SetLocked(deSindical, true);
    deValorSindical->setText(kZeroMoney);
    SetEstablishmentValue("VaGlobalSindical", QStringLiteral("000000000"));
    SetLocked(deValorSindical, true);
    if (EstablishmentValue("InInscrEstabelecimento") == QLatin1String("1") && EstablishmentValue("CoCNPJCentralizada").isEmpty()) {
        SetEstablishmentValue("CoCNPJCentralizada", EstablishmentValue("CoCgcCeiEstabelecimento").left(8));
        return;
    }
    dbeCNPJCentralizada->setFocus(Qt::OtherFocusReason);
}

void TfmDadosEstab::checkCentralisation() {
    const QString flag = EstablishmentValue("InCentralizada").trimmed();
    const QString cnpj = EstablishmentValue("CoCNPJCentralizada").trimmed();
    pcInformacoes->SetCurrentPage(tSindicais);
    QWidget* focus = dbrCentralizada->Button(qMax(0, dbrCentralizada->ItemIndex()));
    if (flag == QLatin1String("1")) {
        SetLocked(dbeCNPJCentralizada, false);
        if (cnpj.isEmpty()) refuse(rule(QStringLiteral("3707")), focus);
    } else if (flag == QLatin1String("2")) {
        SetLocked(dbeCNPJCentralizada, true);
        if (!cnpj.isEmpty()) {
            SetLocked(dbeCNPJCentralizada, false);
            refuse(rule(QStringLiteral("3719")), focus);
        }
    } else if (flag.isEmpty()) {
        refuse(rule(QStringLiteral("3720")), focus);
    }
}

void TfmDadosEstab::checkCentralisingCnpj() {
    const QString cnpj = EstablishmentValue("CoCNPJCentralizada");
    if (cnpj.isEmpty()) return;
    const QString own = EstablishmentValue("CoCgcCeiEstabelecimento");
    const QString code = rule(CheckCentralisingCnpj(cnpj, own, 0));
    if (!IsAccepted(code) && code != QLatin1String("0050") && code != QLatin1String("0051") && code != QLatin1String("3740"))
        refuse(code, dbeCNPJCentralizada);
    col("CoCNPJCentralizada").SetEditMask(kMaskCnpjColumn);
    if (!EstablishmentValue("CoCNPJSindical").isEmpty()) refuse(rule(QStringLiteral("3695")), deSindical);
    if (!IsAccepted(rule(CheckCentralisationFlag(EstablishmentValue("InInscrEstabelecimento"), cnpj, EstablishmentValue("InCentralizada"), 0)))) {
        SetLocked(dbeCNPJCentralizada, false);
        refuse(lastCode_, dbeCNPJCentralizada);
    }
    if (own.left(8) != cnpj.left(8)) refuse(rule(QStringLiteral("3740")), dbeCNPJCentralizada);
}

void TfmDadosEstab::unionTaxReminder() {
    if (!EstablishmentValue("CoCNPJSindical").isEmpty() || !EstablishmentValue("CoCNPJCentralizada").isEmpty()) return;
    if (EstablishmentValue("InZuvoNegEstabelecimento") == QLatin1String("1")) return;
    const QString nature = EstablishmentValue("CoNaturezaJuridica").left(1);
    if (nature != QLatin1String("2") && nature != QLatin1String("4") && nature != QLatin1String("5")) return;
    if (EstablishmentValue("InOptanteSimples") == QLatin1String("1")) return;
    ShowMessageByCode(rule(QStringLiteral("3687")));
}

// ---- Declaration type -------------------------------------------------------------

void TfmDadosEstab::dgTipoZuvoClick() {
    if (EstablishmentValue("InZuvoNegEstabelecimento") == QLatin1String("0")) {
        dgEmAtividade->setEnabled(false);
        BtVinculos->setEnabled(true);
    } else {
        dgEmAtividade->setEnabled(true);
        BtVinculos->setEnabled(false);
        if (ContextInscriptionType == QLatin1String("3")) {
            ShowMessageByCode(rule(QStringLiteral("0133")));
        } else {
            const QString code = rule(CheckNegativeDeclarationType(
                EstablishmentValue("InZuvoNegEstabelecimento"), EstablishmentValue("InInscrEstabelecimento"), PadLeftZeros(text(meCeiVinc).trimmed(), 14)));
            ShowMessageByCode(IsAccepted(code) ? QStringLiteral("1007") : code);
        }
        if (dgTipoZuvo->ItemIndex() == 1) ShowNoEmployeesNotice(this);
    }
    dgTipoZuvo->FocusChosenOrFirst();
}

// ---- Pickers and help ---------------------------------------------------------------

void TfmDadosEstab::sbCodMunicipioClick() {
    if (!kit_->RunPendingChecks()) return;
    kit_->RunAction([this] {
        const bool chosen = TfrmT8Munic::SelectMunicipality(col("CoMunicipio"));
        kit_->RefreshAll();
        // The municipality's check runs here, as leaving the code for the DDD would run it.
        if (chosen) checkMunicipality();
        kit_->MoveFocus(deDDD);
    });
}

void TfmDadosEstab::sbCNAEClick() {
    if (!kit_->RunPendingChecks()) return;
    kit_->RunAction([this] {
        if (fmTb8Cnae) forms::ShowModal(fmTb8Cnae);
        kit_->RefreshAll();
        checkCnae(1);
    });
}

void TfmDadosEstab::sbNatJuridicaClick() {
    if (!kit_->RunPendingChecks()) return;
    kit_->RunAction([this] {
        {
            TfmTb8NatJu picker(this);
            forms::ShowModal(&picker);
        }
        kit_->RefreshAll();
        if (text(deNatJuridica).trimmed().isEmpty()) {
            edTxNatJuridica->clear();
            return;
        }
        checkLegalNature(1);
    });
}

void TfmDadosEstab::BtAjudaClick() {
    const int context = HelpContextOf(kit_->LastEnteredControl());
    if (context == 0) {
        msg::ShowInformation(QStringLiteral("Para exibir a Ajuda do Campo, posicione o cursor\r\nno campo desejado e "
                                            "clique no botão Ajuda, ou aperte a tecla F1."));
        return;
    }
    if (kit_->ShowHelp) kit_->ShowHelp(context);
}

// ---- The save -------------------------------------------------------------------------

bool TfmDadosEstab::ValidateAndSave() {
    if (!found_) return false;
    // The checks, in the order the user meets the fields.
    pInscricao();
    CheckLinkedCei();
    checkName();
    checkFreeText();
    CheckClosingDate(0);
    checkStreet();
    checkNumber();
    checkComplement();
    checkDistrict();
    checkCep();
    checkMunicipality();
    checkAreaCode(0);
    checkPhone();
    checkEmail();
    checkCnae(0);
    checkLegalNature(0);
    CheckSameInscription();
    checkOwners();
    checkBaseMonth();
    checkSize();
    checkSimples();
    if (!IsAccepted(rule(CheckPatParticipation(EstablishmentValue("InParticipaPAT"))))) {
        ShowMessageByCode(lastCode_);
        pcInformacoes->SetCurrentPage(tEconomicas2);
        kit_->AllowPageChange = 0;
        throw SilentAbort();
    }
    checkPatCounts();
    for (int i = 0; i < 6; ++i) checkPercentage(i);
    checkPatModalities();
    checkCentralisation();
    checkUnionCnpj(false);
    CheckSindicalValue(deValorSindical);
    checkMembership();
    checkAssociationCnpj(false);
    CheckSindicalValue(deValorAssociativa);
    CheckSindicalValue(deValorAssistencial);
    CheckSindicalValue(deValorConfederativa);
    checkOtherContributionCnpj(deAssistencial, QStringLiteral("CoCNPJAssistencial"), QStringLiteral("assistencial"), false);
    checkOtherContributionCnpj(deConfederativa, QStringLiteral("CoCNPJConfederativa"), QStringLiteral("confederativa"),
                               false);
    checkCentralisingCnpj();
    unionTaxReminder();

    // The declaration type against the inscription and the linked CEI.
    const QString linkedCei = PadLeftZeros(text(meCeiVinc).trimmed(), 14);
    const QString typeCode =
        rule(CheckNegativeDeclarationType(EstablishmentValue("InZuvoNegEstabelecimento"), EstablishmentValue("InInscrEstabelecimento"), linkedCei));
    if (!IsAccepted(typeCode)) {
        ShowMessageByCode(typeCode);
        dgTipoZuvo->FocusChosenOrFirst();
        return false;
    }

    // A declaration without employees loses its contracts, but only when the user says Yes.
    bool deleteContracts = false;
    if (EstablishmentValue("InZuvoNegEstabelecimento") == QLatin1String("1") &&
        dmEntradaDados->CountContracts(KeyAnoBase, KeyInscricao, KeyPrefixo) > 0) {
        if (ShowMessageByCode(rule(QStringLiteral("1005"))) != QLatin1String("mrYes")) return false;
        deleteContracts = true;
    }

    // What the row holds now, to edit it again as it was should the save fail.
    QStringList before;
    for (int i = 0; i < EstablishmentTable().FieldCount(); ++i) before << EstablishmentTable().Fields(i).AsString();
    try {
        db::Transaction transaction(EstablishmentTable().database());
        if (deleteContracts) {
            db::Query& q = dmEntradaDados->quValidaEstab;
            q.Close();
            q.SetSQL(QStringLiteral("delete from BD8Vinc where AnBase = :sAnoBase and "
                                    "CoCgcCeiEstabelecimento = :sInscricao and NuPrefixoEstabelecimento = :sPrefixo"));
            q.ParamByName(QStringLiteral("sAnoBase")).AsString = KeyAnoBase;
            q.ParamByName(QStringLiteral("sInscricao")).AsString = KeyInscricao;
            q.ParamByName(QStringLiteral("sPrefixo")).AsString = KeyPrefixo;
            q.ExecSQL();
        }
        saveSteps();
        transaction.commit();
    } catch (const db::DbError& e) {
        // Nothing of the save stays; the form keeps what was typed for another try.
        ShowEngineErrorBox(e);
        if (EstablishmentTable().State() == db::DataSetState::Browse && findRow()) EstablishmentTable().Edit();
        if (EstablishmentTable().State() != db::DataSetState::Browse)
            for (int i = 0; i < EstablishmentTable().FieldCount(); ++i) EstablishmentTable().Fields(i).SetAsString(before.at(i));
        kit_->RefreshAll();
        return false;
    }
    return true;
}

void TfmDadosEstab::saveSteps() {
    // Recount.
    const int count = dmEntradaDados->CountContracts(KeyAnoBase, KeyInscricao, KeyPrefixo);
    if (QString::number(count) != WorkEmpregados) WorkEmpregados = PadLeftZeros(QString::number(count), 6);
    WorkEstrangeiros = EstablishmentValue("NuEstrangeirosEstabelec");
    const int foreigners = dmEntradaDados->CountForeigners(KeyAnoBase, KeyInscricao, KeyPrefixo);
    if (QString::number(foreigners) != WorkEstrangeiros)
        WorkEstrangeiros = PadLeftZeros(QString::number(foreigners), 5);

    if (EstablishmentTable().State() == db::DataSetState::Browse) {
        findRow();
        EstablishmentTable().Edit();
    }
    const QString cei = text(meCeiVinc).trimmed();
    const QString newCei = cei.isEmpty() ? QStringLiteral("00000000000000") : PadLeftZeros(cei, 14);
    SetEstablishmentValue("CoCgcVinculado", newCei);
    SetEstablishmentValue("NuEnderecoEstabelecimento", PadLeftZeros(EstablishmentValue("NuEnderecoEstabelecimento").trimmed(), 6));
    SetEstablishmentValue("NuVinculoPatMaior5", WorkPatMaior5);
    SetEstablishmentValue("NuVinculoPatMenor5", WorkPatMenor5);
    const char* percents[] = {"PoServicoProprio",   "PoAdmCozinha",    "PoRefeicaoTransportadora",
                              "PoRefeicaoConvenio", "PoCestaAlimento", "PoAlimentacaoConvenio"};
    for (int i = 0; i < 6; ++i) SetEstablishmentValue(QString::fromLatin1(percents[i]), WorkPercent[i]);
    SetEstablishmentValue("NuVinculosEstabelecimento", WorkEmpregados);
    SetEstablishmentValue("NuEstrangeirosEstabelec", WorkEstrangeiros);
    SetEstablishmentValue("NuProprietEstabelecimento", PadLeftZeros(EstablishmentValue("NuProprietEstabelecimento").trimmed(), 2));
    SetEstablishmentValue("MeDataBase", PadLeftZeros(EstablishmentValue("MeDataBase").trimmed(), 2));

    const std::pair<QLineEdit*, const char*> amounts[] = {
        {deValorSindical, "VaGlobalSindical"}, {deValorAssociativa, "VaGlobalAssociativa"},
        {deValorAssistencial, "VaGlobalAssistencial"}, {deValorConfederativa, "VaGlobalConfederativa"}};
    for (const auto& [edit, name] : amounts) {
        edit->setText(CentsText(edit->text()));
        SetEstablishmentValue(QString::fromLatin1(name), edit->text());
    }
    const int atividade = dgEmAtividade->ItemIndex();
    SetEstablishmentValue("InAtividadeAnoBase", atividade == 1 ? QStringLiteral("2") : QStringLiteral("1"));
    if (EstablishmentValue("InSindicalizada") != QLatin1String("1")) SetEstablishmentValue("InSindicalizada", QStringLiteral("2"));
    SetEstablishmentValue("InOpcaoAberta", QStringLiteral("0"));
    for (auto it = loadedZeros_.cbegin(); it != loadedZeros_.cend(); ++it)
        if (EstablishmentValue(it.key()).isEmpty()) SetEstablishmentValue(it.key(), it.value());
    EstablishmentTable().Post();

    if (newCei != loadedCeiVinculado_) {
        db::Query& q = dmEntradaDados->quValidaEstab;
        q.Close();
        q.SQL().clear();
        q.SQL() << QStringLiteral("update BD8Vinc set CoCgcVinculado = :sCeivinculadoNovo")
                << QStringLiteral("where AnBase = :sAnoBase and")
                << QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao and")
                << QStringLiteral("      InInscrEstabelecimento = :tipoinscricao and")
                << QStringLiteral("      NuPrefixoEstabelecimento = :sPrefixo");
        q.ParamByName(QStringLiteral("sCeivinculadoNovo")).AsString = newCei;
        q.ParamByName(QStringLiteral("sAnoBase")).AsString = KeyAnoBase;
        q.ParamByName(QStringLiteral("sInscricao")).AsString = KeyInscricao;
        q.ParamByName(QStringLiteral("tipoinscricao")).AsString = ContextInscriptionType;
        q.ParamByName(QStringLiteral("sPrefixo")).AsString = KeyPrefixo;
        q.ExecSQL();
    }
    loadedCeiVinculado_ = newCei;
}

void TfmDadosEstab::goOnAfterSave(bool vinculos) {
    findRow();
    if (EstablishmentValue("InZuvoNegEstabelecimento") != QLatin1String("1")) {
        const std::uint8_t followingYear = FollowingYearFlag();
        CurrentEstablishment.BaseYear = EstablishmentValue("AnBase");
        CurrentEstablishment.Prefix = EstablishmentValue("NuPrefixoEstabelecimento");
        CurrentEstablishment.Name = EstablishmentValue("NoRazaoEstabelecimento");
        CurrentEstablishment.InscriptionType = EstablishmentValue("InInscrEstabelecimento");
        CurrentEstablishment.Inscription = EstablishmentValue("CoCgcCeiEstabelecimento");
        CurrentEstablishment.LinkedCei = EstablishmentValue("CoCgcVinculado");
        CurrentEstablishment.FollowingYear = followingYear;
        ContextBaseYear = CurrentEstablishment.BaseYear;
        ContextPrefix = CurrentEstablishment.Prefix;
        ContextEstablishmentName = CurrentEstablishment.Name;
        ContextInscriptionType = CurrentEstablishment.InscriptionType;
        ContextInscription = CurrentEstablishment.Inscription;
        ContextLinkedCei = CurrentEstablishment.LinkedCei;
        ContextPis.clear();
        ContextAdmission.clear();
        ContextFollowingYear = followingYear;
        ReturnToEstablishmentList = IsNewEstablishment;
        QWidget* next = IsAllZeros(EstablishmentValue("NuVinculosEstabelecimento")) ? static_cast<QWidget*>(fmDadosEmpreg)
                                                                     : static_cast<QWidget*>(fmConEmpreg);
        hide();
        if (next) forms::ShowModal(next);
        forms::SetModalResult(this, forms::mrOk);
        accept();
        return;
    }
    EstablishmentTable().Edit();
    SetEstablishmentValue("InOpcaoAberta", QString());
    EstablishmentTable().Post();
    forms::SetModalResult(this, forms::mrOk);
    accept();
    if (!vinculos && fmConEstab) fmConEstab->show();
}

namespace {
// The checks read the tables as the save writes them: another user's hold
// refuses either, and is told so with the form kept for another try.
template <class Save>
bool SavedOrTold(Save&& save) {
    try {
        return save();
    } catch (const db::DbError& e) {
        ShowEngineErrorBox(e);
        return false;
    }
}
}  // namespace

void TfmDadosEstab::BtOkClick() {
    kit_->RunAction([this] {
        if (SavedOrTold([this] { return ValidateAndSave(); })) goOnAfterSave(false);
    });
}

void TfmDadosEstab::BtVinculosClick() {
    kit_->RunAction([this] {
        if (SavedOrTold([this] { return ValidateAndSave(); })) goOnAfterSave(true);
    });
}

bool TfmDadosEstab::IsAnyEstablishment() {
    db::Query& q = dmEntradaDados->quBuscaEmpreg;
    q.Close();
    q.SetSQL(QStringLiteral("Select count(*) as numEstab from bd8emp"));
    q.Open();
    const bool any = q.FieldByName(QStringLiteral("numEstab")).AsInteger() > 0;
    q.Close();
    return any;
}

void TfmDadosEstab::BtCancelarClick() {
    if (!msg::AskYesNo(QStringLiteral("As informações não salvas serão perdidas. Deseja sair?"))) {
        deRazao->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (EstablishmentTable().Active()) {
        EstablishmentTable().Cancel();
        if (IsNewEstablishment && findRow()) EstablishmentTable().Delete();
    }
    if (IsAnyEstablishment()) {
        if (fmConEstab) fmConEstab->show();
    } else if (IsNewEstablishment && fmNovaDecl) {
        forms::SetModalResult(fmNovaDecl, forms::mrCancel);
        fmNovaDecl->reject();
    }
    forms::SetModalResult(this, forms::mrCancel);
    reject();
}

void TfmDadosEstab::FormClose() {
    if (closed_) return;
    closed_ = true;
    if (!EstablishmentTable().Active()) return;
    if (EstablishmentTable().State() != db::DataSetState::Browse) EstablishmentTable().Cancel();
    if (findRow()) {
        EstablishmentTable().Edit();
        SetEstablishmentValue("InOpcaoAberta", QString());
        EstablishmentTable().Post();
    }
    EstablishmentTable().Close();
}

void ShowDadosEstab(const QString& anoBase, const QString& inscricao, const QString& prefixo, bool isNew,
                    QWidget* parent) {
    auto* form = new TfmDadosEstab(parent);
    fmDadosEstab = form;
    form->KeyAnoBase = anoBase;
    form->KeyInscricao = inscricao;
    form->KeyPrefixo = prefixo;
    form->IsNewEstablishment = isNew ? 1 : 0;
    forms::ShowModal(form);
    form->FormClose();
    delete form;
}
