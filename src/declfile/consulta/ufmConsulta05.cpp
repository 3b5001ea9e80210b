#include "declfile/consulta/ufmConsulta05.h"

#include "declfile/consulta/ConsultationViews.h"
#include "declfile/consulta/ufmConsulta04.h"
#include "platform/db/Query.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TfmConsulta05* fmConsulta05 = nullptr;

namespace {
db::Query& empregados(declfile::ConsultaOwner& owner) { return *owner.Page04()->qrEmpregados; }
}  // namespace

TfmConsulta05::TfmConsulta05(declfile::ConsultaOwner& owner, QWidget* parent)
    : ConsultaPage(owner, parent, "fmConsulta05", QStringLiteral("Consulta Empregados/Servidores"), QSize(780, 540),
                   QSize(860, 590)) {
    using declfile::BuildFieldGrid;
    auto* body = new QWidget(this);
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(0, 0, 0, 0);

    auto* pessoais = new QGroupBox(QStringLiteral("Dados Pessoais"), this);
    BuildFieldGrid(pessoais,
                   {{"edPISPASEP", "PIS/PASEP", 1, "999.99999.99-9"},
                    {"edNomeEmpregado", "Nome", 4},
                    {"edDataNascimento", "Data Nascimento", 1, "99/99/9999"},
                    {"ednacionalidade", "Nacionalidade", 2},
                    {"edAnoChegada", "Ano Chegada", 1},
                    {"edGrauInstrucao", "Grau de Instrução", 2},
                    {"edSexo", "Sexo", 1},
                    {"edTipoRaca", "Raça/Cor", 2},
                    {"edDeficienteFisico", "Deficiência", 2},
                    {"edCPF", "CPF", 1, "999.999.999-99"},
                    {"edCarteiraTrab", "Carteira de Trabalho", 1},
                    {"edCTPSSerie", "Série", 1}},
                   6);
    outer->addWidget(pessoais);

    pcEmpregado = new QTabWidget(this);
    pcEmpregado->setObjectName(QStringLiteral("pcEmpregado"));
    auto addTab = [this](const QString& title) {
        auto* page = new QWidget;
        pcEmpregado->addTab(page, title);
        return page;
    };

    // The kinds of admission and of contract are long texts: rows of their own.
    BuildFieldGrid(addTab(QStringLiteral("Vínculo Empregatício")),
                   {{"edDataAdmissao", "Data Admissão", 1, "99/99/9999"},
                    {"edTipoAdmissao", "Tipo Admissão", 5},
                    {"edSalarioContratual", "Salário Contratual", 1},
                    {"edTipoSalario", "Tipo Salário", 2},
                    {"edHoras", "Horas Semanais", 1},
                    {"edAlvara", "Alvará", 1},
                    {"edDataDesligamento", "Data Desligamento", 1, "99/99/9999"},
                    {"edCBO", "CBO", 3},
                    {"edDesligamento", "Causa Desligamento", 3},
                    {"edVinculo", "Vínculo", 6},
                    {"edAvisoPrevio", "Aviso Prévio Indenizado", 2},
                    {"edLocalTrabalho", "Município Local de Trabalho", 2}},
                   6);

    BuildFieldGrid(addTab(QStringLiteral("Afastamento")),
                   {{"dePrimCod", "Motivo", 1},
                    {"edTxPrimAfast", "Descrição", 3},
                    {"dePrimInicio", "Início", 1},
                    {"dePrimFinal", "Final", 1},
                    {"deSegCod", "Motivo", 1},
                    {"edTxSegAfas", "Descrição", 3},
                    {"deSegInicio", "Início", 1},
                    {"deSegFinal", "Final", 1},
                    {"deTerCod", "Motivo", 1},
                    {"EdTxTerAfas", "Descrição", 3},
                    {"deTerInicio", "Início", 1},
                    {"deTerFinal", "Final", 1},
                    {"deAfastQtDias", "Total de Dias", 1}},
                   6);

    auto* sindicais = addTab(QStringLiteral("Informações Sindicais"));
    auto* sindLayout = new QVBoxLayout(sindicais);
    auto* contribuicoes = new QWidget(sindicais);
    BuildFieldGrid(contribuicoes,
                   {{"edCNPJSindical", "CNPJ Contribuição Sindical", 2},
                    {"edValorSindical", "Valor", 1},
                    {"edCNPJPrimAssociativa", "CNPJ 1ª Contribuição Associativa", 2},
                    {"edValorPrimAssociativa", "Valor", 1},
                    {"edCNPJSegAssociativa", "CNPJ 2ª Contribuição Associativa", 2},
                    {"edValorSegAssociativa", "Valor", 1},
                    {"edCNPJAssistencial", "CNPJ Contribuição Assistencial", 2},
                    {"edValorAssistencial", "Valor", 1},
                    {"edCNPJConfederativa", "CNPJ Contribuição Confederativa", 2},
                    {"edValorConfederativa", "Valor", 1}},
                   6);
    sindLayout->addWidget(contribuicoes);
    sindLayout->addWidget(declfile::BuildOptionPair(sindicais, QStringLiteral("Sindicalizado"), "rbSindicalizadoSim",
                                                    "rbSindicalizadoNao"));
    sindLayout->addStretch();

    BuildFieldGrid(addTab(QStringLiteral("Remunerações Mensais")),
                   {{"edJaneiro", "Janeiro", 2},       {"edHorasJaneiro", "Horas", 1},
                    {"edFevereiro", "Fevereiro", 2},   {"edHorasFevereiro", "Horas", 1},
                    {"edMarco", "Março", 2},           {"edHorasMarco", "Horas", 1},
                    {"edAbril", "Abril", 2},           {"edHorasAbril", "Horas", 1},
                    {"edMaio", "Maio", 2},             {"edHorasMaio", "Horas", 1},
                    {"edJunho", "Junho", 2},           {"edHorasJunho", "Horas", 1},
                    {"edJulho", "Julho", 2},           {"edHorasJulho", "Horas", 1},
                    {"edAgosto", "Agosto", 2},         {"edHorasAgosto", "Horas", 1},
                    {"edSetembro", "Setembro", 2},     {"edHorasSetembro", "Horas", 1},
                    {"edOutubro", "Outubro", 2},       {"edHorasOutubro", "Horas", 1},
                    {"edNovembro", "Novembro", 2},     {"edHorasNovembro", "Horas", 1},
                    {"edDezembro", "Dezembro", 2},     {"edHorasDezembro", "Horas", 1},
                    {"edAdiantamento", "13 Salário Adiantamento - Mês", 2},
                    {"edValorAdiantamento", "Valor", 1},
                    {"edFinal", "13 Salário Parcela Final - Mês", 2},
                    {"edValorFinal", "Valor", 1}},
                   9);

    BuildFieldGrid(addTab(QStringLiteral("Verbas Pagas na Rescisão")),
                   {{"edValorGlobalFerias", "Férias Indenizadas", 2},
                    {"edValorGlobalMultas", "Multa por Rescisão", 2},
                    {"edValorGlobalBcoHoras", "Banco de Horas", 2},
                    {"edCompetenciaHoras", "QTDE MESES", 1},
                    {"edValorGlobalDissidio", "Dissídio Coletivo", 2},
                    {"edCompetenciaDissidio", "QTDE MESES", 1},
                    {"edValorGlobalGratificacoes", "Gratificações", 2},
                    {"edCompetenciaGratificacoes", "QTDE MESES", 1}},
                   6);
    declfile::FitTabCaptions(pcEmpregado);
    outer->addWidget(pcEmpregado, 1);

    auto* buttons = new QHBoxLayout;
    bbAnterior = makeButton("bbAnterior", QStringLiteral("< &Anterior"));
    bbProximo = makeButton("bbProximo", QStringLiteral("&Próximo >"));
    bbVoltar = makeButton("bbVoltar", QStringLiteral("&Voltar"));
    bbFechar = makeButton("bbFechar", QStringLiteral("&Fechar"));
    buttons->addStretch();
    for (QPushButton* b : {bbAnterior, bbProximo, bbVoltar, bbFechar}) buttons->addWidget(b);
    setBodyAndButtons(body, buttons);

    connect(bbAnterior, &QPushButton::clicked, this, &TfmConsulta05::bbAnteriorClick);
    connect(bbProximo, &QPushButton::clicked, this, &TfmConsulta05::bbProximoClick);
    connect(bbVoltar, &QPushButton::clicked, this, &TfmConsulta05::bbVoltarClick);
    connect(bbFechar, &QPushButton::clicked, this, &TfmConsulta05::bbFecharClick);
}

void TfmConsulta05::FormShow() {
    FillEmployeeView();
    UpdateEmployeeNavigation();
}

void TfmConsulta05::ClearEmployeeView() { declfile::ClearViewEdits(this); }

void TfmConsulta05::FillEmployeeView() {
    ClearEmployeeView();
    db::Query& q = empregados(owner());
    if (!q.Active() || q.IsEmpty()) return;
    declfile::ShowViewContent(this, declfile::EmployeeViewContent(declfile::ValuesOf(q), declfile::LobrixLookupNames()));
}

void TfmConsulta05::UpdateEmployeeNavigation() {
    declfile::UpdateNavigation(empregados(owner()), bbAnterior, bbProximo);
}

void TfmConsulta05::bbAnteriorClick() {
    empregados(owner()).Prior();
    FillEmployeeView();
    UpdateEmployeeNavigation();
    pcEmpregado->setCurrentIndex(0);
}

void TfmConsulta05::bbProximoClick() {
    empregados(owner()).Next();
    FillEmployeeView();
    UpdateEmployeeNavigation();
    pcEmpregado->setCurrentIndex(0);
}

void TfmConsulta05::bbVoltarClick() {
    owner().Page04()->show();
    ClosePage();
}

void TfmConsulta05::bbFecharClick() { owner().CloseConsultation(); }
