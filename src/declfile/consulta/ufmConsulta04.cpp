#include "declfile/consulta/ufmConsulta04.h"

#include "declfile/consulta/ufmConsulta02.h"
#include "declfile/consulta/ufmConsulta03.h"
#include "declfile/consulta/ufmConsulta05.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "shell/UdmLobrix.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

TfmConsulta04* fmConsulta04 = nullptr;

TfmConsulta04::TfmConsulta04(declfile::ConsultaOwner& owner, QWidget* parent)
    : ConsultaPage(owner, parent, "fmConsulta04",
                   QStringLiteral("Consulta Arquivo Zuvo - Seleção de Empregados/Servidores"), QSize(780, 500),
                   QSize(860, 550)) {
    qrEmpregados = std::make_unique<db::Query>(dmLobrix->dbZuvo);
    model_ = new declfile::QueryGridModel(
        *qrEmpregados,
        {{QStringLiteral("PIS/PASEP"), QStringLiteral("CoPisPasepEmpregado"), 11},
         {QStringLiteral("Data Admissão"), QStringLiteral("DaAdmissaoEmpregado"), 8},
         {QStringLiteral("Nome Empregado/Servidor"), QStringLiteral("NoEmpregado"), 30},
         {QStringLiteral("Data Nascimento"), QStringLiteral("DaNascimentoEmpregado"), 8}},
        this);

    auto* outer = new QVBoxLayout(this);
    auto* ordem = new QGroupBox(QStringLiteral("Ordem"), this);
    auto* ordemLayout = new QHBoxLayout(ordem);
    rbCodPisPasep = new QRadioButton(QStringLiteral("Código PIS/PASEP"), ordem);
    rbCodPisPasep->setObjectName(QStringLiteral("rbCodPisPasep"));
    rbNome = new QRadioButton(QStringLiteral("Nome do empregado/servidor"), ordem);
    rbNome->setObjectName(QStringLiteral("rbNome"));
    ordemLayout->addWidget(rbCodPisPasep);
    ordemLayout->addWidget(rbNome);
    ordemLayout->addStretch();
    outer->addWidget(ordem);

    grEmpregados = declfile::MakeGrid(
        this, "grEmpregados", model_, [this](int row) { qrEmpregados->MoveTo(row); },
        [this] { grEmpregadosDblClick(); });
    outer->addWidget(grEmpregados, 1);

    auto* buttons = new QHBoxLayout;
    bbConsultar = makeButton("bbConsultar", QStringLiteral("&Consultar"));
    bbVoltar = makeButton("bbVoltar", QStringLiteral("&Voltar"));
    bbFechar = makeButton("bbFechar", QStringLiteral("&Fechar"));
    buttons->addStretch();
    for (QPushButton* b : {bbConsultar, bbVoltar, bbFechar}) buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(rbCodPisPasep, &QRadioButton::clicked, this, &TfmConsulta04::rbCodPisPasepClick);
    connect(rbNome, &QRadioButton::clicked, this, &TfmConsulta04::rbNomeClick);
    connect(bbConsultar, &QPushButton::clicked, this, &TfmConsulta04::bbConsultarClick);
    connect(bbVoltar, &QPushButton::clicked, this, &TfmConsulta04::bbVoltarClick);
    connect(bbFechar, &QPushButton::clicked, this, &TfmConsulta04::bbFecharClick);
}

TfmConsulta04::~TfmConsulta04() = default;

void TfmConsulta04::FormShow() {
    BuildEmployeeQuery(QStringLiteral("1"));
    rbCodPisPasep->setChecked(true);
    grEmpregados->setFocus();
}

void TfmConsulta04::BuildEmployeeQuery(const QString& order) {
    db::Table& empresa = *owner().Page02()->taEmpresa;
    const QString prefixo = empresa.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString();
    qrEmpregados->Close();
    QStringList& sql = qrEmpregados->SQL();
    sql.clear();
    sql << QStringLiteral("select * from te8Vinc") << QStringLiteral("where AnBase = :AnBase")
        << QStringLiteral("and CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento");
    // The store keeps an empty prefix as '', never as null.
    if (!prefixo.trimmed().isEmpty()) {
        sql << QStringLiteral("and NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento");
        qrEmpregados->ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString = prefixo;
    } else {
        sql << QStringLiteral("and NuPrefixoEstabelecimento = ''");
    }
    sql << (order == QLatin1String("2") ? QStringLiteral("Order by NoEmpregado")
                                        : QStringLiteral("Order by CoPisPasepEmpregado"));
    qrEmpregados->ParamByName(QStringLiteral("AnBase")).AsString =
        empresa.FieldByName(QStringLiteral("AnBase")).AsString();
    qrEmpregados->ParamByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString =
        empresa.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString();
    qrEmpregados->Open();
    model_->Reload();
    if (!qrEmpregados->IsEmpty()) grEmpregados->setCurrentIndex(model_->index(0, 0));
}

void TfmConsulta04::rbCodPisPasepClick() { BuildEmployeeQuery(QStringLiteral("1")); }

void TfmConsulta04::rbNomeClick() { BuildEmployeeQuery(QStringLiteral("2")); }

void TfmConsulta04::bbConsultarClick() {
    if (!qrEmpregados->Active() || qrEmpregados->IsEmpty()) return;
    hide();
    TfmConsulta05* page = owner().Page05();
    page->show();
    page->pcEmpregado->setCurrentIndex(0);
}

void TfmConsulta04::bbVoltarClick() {
    owner().Page03()->show();
    ClosePage();
}

void TfmConsulta04::bbFecharClick() { owner().CloseConsultation(); }
