#include "declfile/consulta/ufmConsulta01.h"

#include "declfile/consulta/ConsultationViews.h"
#include "declfile/MainWindowState.h"
#include "declfile/consulta/ufmConsulta02.h"
#include "platform/db/Table.h"
#include "platform/ui/Forms.h"
#include "shell/UdmLobrix.h"
#include "shell/UfmRelatorio03.h"

#include <QCheckBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmConsulta01* fmConsulta01 = nullptr;

TfmConsulta01::TfmConsulta01(declfile::ConsultaOwner& owner, QWidget* parent)
    : ConsultaPage(owner, parent, "fmConsulta01", QStringLiteral("Consulta Arquivo ZUVO"), QSize(780, 500),
                   QSize(860, 550)) {
    auto* outer = new QVBoxLayout(this);

    auto* gbResponsavel = new QGroupBox(QStringLiteral("Dados do Responsável"), this);
    gbResponsavel->setObjectName(QStringLiteral("gbResponsavel"));
    declfile::BuildFieldGrid(gbResponsavel,
                             {{"edInscricao", "Inscrição CNPJ/CEI/CPF", 2},
                              {"edNome", "Razão Social/Nome", 4},
                              {"edLogradouro", "Logradouro (rua,avenida, praça,...)", 3},
                              {"edNumero", "Número", 1},
                              {"edComplemento", "Complemento", 2},
                              {"edBairro", "Bairro/Distrito", 2},
                              {"mdCEP", "CEP", 1},
                              {"mdCodMunicipio", "Cód. Munic.", 1},
                              {"edNomeMunicipio", "Município", 1},
                              {"edUF", "UF", 1},
                              {"edTelefone", "Telefone para contato", 2},
                              {"edEmail", "E-mail", 4},
                              {"edNomeResponsavel", "Nome Responsável", 3},
                              {"edCPFResponsavel", "CPF Responsável", 2},
                              {"mdDataNascimento", "Data de Nascimento", 1}},
                             6);
    gbResponsavel->setEnabled(false);
    outer->addWidget(gbResponsavel, 1);

    auto* gbEstabelecimento = new QGroupBox(this);
    gbEstabelecimento->setObjectName(QStringLiteral("gbEstabelecimento"));
    auto* estLayout = new QVBoxLayout(gbEstabelecimento);
    auto* gbRetificacao = new QGroupBox(QStringLiteral("Retificação de declaração"), gbEstabelecimento);
    gbRetificacao->setObjectName(QStringLiteral("gbRetificacao"));
    auto* retLayout = new QGridLayout(gbRetificacao);
    ckRetificacao = new QCheckBox(QStringLiteral("Estabelecimentos no arquivo  estão sendo retificados."), gbRetificacao);
    ckRetificacao->setObjectName(QStringLiteral("ckRetificacao"));
    mdDataRetificacao = new QLineEdit(gbRetificacao);
    mdDataRetificacao->setObjectName(QStringLiteral("mdDataRetificacao"));
    edCoCrea = new QLineEdit(gbRetificacao);
    edCoCrea->setObjectName(QStringLiteral("edCoCrea"));
    retLayout->addWidget(ckRetificacao, 0, 0, 1, 2);
    retLayout->addWidget(mdDataRetificacao, 1, 0);
    auto* crea = new QHBoxLayout;
    crea->addWidget(new QLabel(QStringLiteral("CREA Retificado"), gbRetificacao));
    crea->addWidget(edCoCrea);
    retLayout->addLayout(crea, 1, 1);
    estLayout->addWidget(gbRetificacao);
    gbEstabelecimento->setEnabled(false);
    outer->addWidget(gbEstabelecimento);

    auto* buttons = new QHBoxLayout;
    bbDisquete = makeButton("bbDisquete", QStringLiteral("&Conteúdo do arquivo"));
    bbDisquete->setDefault(true);
    bbRelatorio = makeButton("bbRelatorio", QStringLiteral("&Relatório"));
    bbFechar = makeButton("bbFechar", QStringLiteral("&Fechar"));
    buttons->addStretch();
    for (QPushButton* b : {bbDisquete, bbRelatorio, bbFechar}) buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(bbDisquete, &QPushButton::clicked, this, &TfmConsulta01::bbDisqueteClick);
    connect(bbRelatorio, &QPushButton::clicked, this, &TfmConsulta01::bbRelatorioClick);
    connect(bbFechar, &QPushButton::clicked, this, &TfmConsulta01::bbFecharClick);
}

TfmConsulta01::~TfmConsulta01() = default;

void TfmConsulta01::FormShow() {
    if (!taResponsavel) {
        taResponsavel = std::make_unique<db::Table>(dmLobrix->dbZuvo, QStringLiteral("te8Resp.db"));
        taResponsavel->SetReadOnly(true);
    }
    if (!taResponsavel->Active()) taResponsavel->Open();
    taResponsavel->First();
    declfile::ClearViewEdits(this);
    declfile::ShowViewContent(this, declfile::ResponsibleViewContent(declfile::ValuesOf(*taResponsavel)));
}

void TfmConsulta01::bbDisqueteClick() {
    hide();
    forms::ShowModal(owner().Page02());
}

void TfmConsulta01::bbRelatorioClick() {
    // The declaration report over the file's working tables, for the base year.
    hide();
    ShowDeclarationReport(QStringLiteral("Te8Emp"), QStringLiteral("Te8Vinc"), QStringLiteral("Te8Resp"),
                          QString::number(declfile::ProgramAnoBase()));
    show();
}

void TfmConsulta01::bbFecharClick() { owner().CloseConsultation(); }
