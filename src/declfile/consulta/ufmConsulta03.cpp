#include "declfile/consulta/ufmConsulta03.h"

#include "declfile/consulta/ConsultationViews.h"
#include "declfile/MainWindowState.h"
#include "declfile/consulta/ufmConsulta02.h"
#include "declfile/consulta/ufmConsulta04.h"
#include "platform/db/Table.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QVBoxLayout>

TfmConsulta03* fmConsulta03 = nullptr;

namespace {
db::Table& empresa(declfile::ConsultaOwner& owner) { return *owner.Page02()->taEmpresa; }
}  // namespace

TfmConsulta03::TfmConsulta03(declfile::ConsultaOwner& owner, QWidget* parent)
    : ConsultaPage(owner, parent, "fmConsulta03", QStringLiteral("Consulta Estabelecimento"), QSize(780, 500),
                   QSize(860, 550)) {
    using declfile::BuildFieldGrid;
    auto* body = new QWidget(this);
    auto* outer = new QVBoxLayout(body);
    outer->setContentsMargins(0, 0, 0, 0);

    auto* panels = new QHBoxLayout;
    for (const char* name : {"paZuvo", "paTipoEmpresa", "paEncerrou", "paInfo"}) panels->addWidget(makePanel(name));
    outer->addLayout(panels);

    auto* identificacao = new QGroupBox(QStringLiteral("Identificação do Estabelecimento"), this);
    BuildFieldGrid(identificacao,
                   {{"edInscricao", "Inscrição CNPJ/CEI", 2, "99.999.999/9999-99"},
                    {"edPrefixo", "Prefixo", 1},
                    {"edCGCVinculado", "CEI vinculado ", 2},
                    {"edUsoEmpresa", "Para uso da empresa", 1},
                    {"edRazao", "Razão Social", 5},
                    {"edTotalVinculos", "Total Empregados", 1}},
                   6);
    outer->addWidget(identificacao);

    pcEstabelecimento = new QTabWidget(this);
    pcEstabelecimento->setObjectName(QStringLiteral("pcEstabelecimento"));
    auto* dados = new QWidget;
    auto* dadosLayout = new QVBoxLayout(dados);
    auto* endereco = new QWidget(dados);
    BuildFieldGrid(endereco,
                   {{"edLogradouro", "Logradouro", 4},
                    {"edNumero", "Número", 1},
                    {"edComplemento", "Complemento", 1},
                    {"edBairro", "Bairro/Distrito", 2},
                    {"edCEP", "CEP", 1},
                    {"edCodMunicipio", "Cód.munic.", 1},
                    {"edNomeMunicipio", "Município", 1},
                    {"edUF", "UF", 1},
                    {"edTelefone", "Telefone(DDD - Número)", 2},
                    {"deEmail", "E-mail", 4},
                    {"edCNAE", "CNAE", 4},
                    {"edNatJuridica", "Natureza Jurídica", 2},
                    {"edDataBase", "Data-base", 1},
                    {"edNumeroProp", "Núm. Prop.", 1}},
                   6);
    dadosLayout->addWidget(endereco);
    auto* pat = new QGroupBox(QStringLiteral("PAT"), dados);
    auto* patLayout = new QVBoxLayout(pat);
    patLayout->addWidget(makePanel("paPAT"));
    auto* patFields = new QWidget(pat);
    BuildFieldGrid(patFields,
                   {{"edVinculoMaior5", "Vínc>5 SM", 1},
                    {"edVinculoMenor5", "Vínc<5 SM", 1},
                    {"edServicoProprio", "Serviço próprio", 1},
                    {"edAdministracaoCozinha", "Adm. cozinha", 1},
                    {"edRefeicaoConvenio", "Refeição-convênio", 1},
                    {"edRefeicaoTransportadora", "Refeição transportada", 1},
                    {"edCestaAlimento", "Cesta alimento", 1},
                    {"edAlimentacaoConvenio", "Alimentação-convênio", 1}},
                   4);
    patLayout->addWidget(patFields);
    dadosLayout->addWidget(pat);
    pcEstabelecimento->addTab(dados, QStringLiteral("Dados do Estabelecimento"));

    auto* sindicais = new QWidget;
    auto* sindLayout = new QVBoxLayout(sindicais);
    auto* contribuicoes = new QWidget(sindicais);
    BuildFieldGrid(contribuicoes,
                   {{"edCNPJAssociativaE", "CNPJ Contribuição Associativa", 2},
                    {"edValorPrimAssociativaE", "Valor", 1},
                    {"edCNPJSindicalE", "CNPJ Contribuição Sindical", 2},
                    {"edValorSindicalE", "Valor", 1},
                    {"edCNPJAssistencialE", "CNPJ Contribuição Assistencial", 2},
                    {"edValorAssistencialE", "Valor", 1},
                    {"edCNPJConfederativaE", "CNPJ Contribuição Confederativa", 2},
                    {"edValorConfederativaE", "Valor", 1},
                    {"edCNPJCentralizadaE", "CNPJ Centralizadora", 2}},
                   6);
    sindLayout->addWidget(contribuicoes);
    auto* opcoes = new QHBoxLayout;
    opcoes->addWidget(declfile::BuildOptionPair(sindicais, QStringLiteral("Contribuição centralizada"),
                                                "rbCentralizadaSim", "rbCentralizadaNao"));
    opcoes->addWidget(declfile::BuildOptionPair(sindicais, QStringLiteral("Empresa sindicalizada"),
                                                "rbSindicalizadoSim", "rbSindicalizadoNao"));
    sindLayout->addLayout(opcoes);
    sindLayout->addStretch();
    pcEstabelecimento->addTab(sindicais, QStringLiteral("Informações Sindicais"));
    declfile::FitTabCaptions(pcEstabelecimento);
    outer->addWidget(pcEstabelecimento, 1);

    auto* buttons = new QHBoxLayout;
    bbEmpregados = makeButton("bbEmpregados", QStringLiteral("&Empregados"));
    bbAnterior = makeButton("bbAnterior", QStringLiteral("< &Anterior"));
    bbProximo = makeButton("bbProximo", QStringLiteral("&Próximo >"));
    bbVoltar = makeButton("bbVoltar", QStringLiteral("&Voltar"));
    bbFechar = makeButton("bbFechar", QStringLiteral("&Fechar"));
    buttons->addWidget(bbEmpregados);
    buttons->addStretch();
    for (QPushButton* b : {bbAnterior, bbProximo, bbVoltar, bbFechar}) buttons->addWidget(b);
    setBodyAndButtons(body, buttons);

    connect(bbEmpregados, &QPushButton::clicked, this, &TfmConsulta03::bbEmpregadosClick);
    connect(bbAnterior, &QPushButton::clicked, this, &TfmConsulta03::bbAnteriorClick);
    connect(bbProximo, &QPushButton::clicked, this, &TfmConsulta03::bbProximoClick);
    connect(bbVoltar, &QPushButton::clicked, this, &TfmConsulta03::bbVoltarClick);
    connect(bbFechar, &QPushButton::clicked, this, &TfmConsulta03::bbFecharClick);
}

void TfmConsulta03::FormShow() {
    pcEstabelecimento->setCurrentIndex(0);
    FillEstablishmentView();
    UpdateEstablishmentNavigation();
}

void TfmConsulta03::ClearEstablishmentView() { declfile::ClearViewEdits(this); }

void TfmConsulta03::FillEstablishmentView() {
    ClearEstablishmentView();
    db::Table& t = empresa(owner());
    if (!t.Active() || t.IsEmpty()) return;
    declfile::ShowViewContent(this, declfile::EstablishmentViewContent(declfile::ValuesOf(t), declfile::ProgramAnoBase(),
                                                                       declfile::LobrixLookupNames()));
}

void TfmConsulta03::UpdateEstablishmentNavigation() {
    declfile::UpdateNavigation(empresa(owner()), bbAnterior, bbProximo);
}

void TfmConsulta03::bbEmpregadosClick() {
    hide();
    owner().Page04()->show();
}

void TfmConsulta03::bbAnteriorClick() {
    empresa(owner()).Prior();
    FillEstablishmentView();
    UpdateEstablishmentNavigation();
}

void TfmConsulta03::bbProximoClick() {
    empresa(owner()).Next();
    FillEstablishmentView();
    UpdateEstablishmentNavigation();
    pcEstabelecimento->setCurrentIndex(0);
}

void TfmConsulta03::bbVoltarClick() {
    owner().Page02()->show();
    ClosePage();
}

void TfmConsulta03::bbFecharClick() { owner().CloseConsultation(); }
