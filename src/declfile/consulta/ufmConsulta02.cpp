#include "declfile/consulta/ufmConsulta02.h"

#include "declfile/MainWindowState.h"
#include "declfile/consulta/ufmConsulta01.h"
#include "declfile/consulta/ufmConsulta03.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Forms.h"
#include "shell/UdmLobrix.h"

#include <QAbstractButton>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QPushButton>
#include <QTabWidget>
#include <QTableView>
#include <QVBoxLayout>

TfmConsulta02* fmConsulta02 = nullptr;

TfmConsulta02::TfmConsulta02(declfile::ConsultaOwner& owner, QWidget* parent)
    : ConsultaPage(owner, parent, "fmConsulta02", QStringLiteral("Consulta Arquivo Zuvo - Seleção de Estabelecimento"),
                   QSize(780, 500), QSize(850, 550)) {
    taEmpresa = std::make_unique<db::Table>(dmLobrix->dbZuvo, QStringLiteral("Te8emp.db"));
    taEmpresa->SetReadOnly(true);
    rows_ = std::make_unique<db::Query>(dmLobrix->dbZuvo);
    rows_->SetSQL(QStringLiteral("select AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, "
                                 "NoRazaoEstabelecimento, CoCgcVinculado, NuVinculosEstabelecimento\n"
                                 "from Te8emp\n"
                                 "order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento"));
    model_ = new declfile::QueryGridModel(*rows_,
                                          {{QStringLiteral("CNPJ/CEI"), QStringLiteral("CoCgcCeiEstabelecimento"), 14},
                                           {QStringLiteral("Prefixo"), QStringLiteral("NuPrefixoEstabelecimento"), 2},
                                           {QStringLiteral("Razão Social"), QStringLiteral("NoRazaoEstabelecimento"), 26},
                                           {QStringLiteral("CEI Vinculado"), QStringLiteral("CoCgcVinculado"), 14},
                                           {QStringLiteral("Núm. Vínculos"), QStringLiteral("NuVinculosEstabelecimento"), 6}},
                                          this);

    auto* outer = new QVBoxLayout(this);
    paInfo = makePanel("paInfo");
    outer->addWidget(paInfo);
    grEmp = declfile::MakeGrid(
        this, "grEmp", model_,
        [this](int row) {
            // The grid's row becomes the current establishment.
            if (taEmpresa->Active())
                taEmpresa->FindKey({rows_->ValueAt(row, 0), rows_->ValueAt(row, 1), rows_->ValueAt(row, 2)});
        },
        [this] { grEmpDblClick(); });
    outer->addWidget(grEmp, 1);

    auto* buttons = new QHBoxLayout;
    bbConsultar = makeButton("bbConsultar", QStringLiteral("&Consultar"));
    bbConsultar->setDefault(true);
    bbVoltar = makeButton("bbVoltar", QStringLiteral("&Voltar"));
    bbFechar = makeButton("bbFechar", QStringLiteral("&Fechar"));
    buttons->addStretch();
    for (QPushButton* b : {bbConsultar, bbVoltar, bbFechar}) buttons->addWidget(b);
    outer->addLayout(buttons);

    connect(bbConsultar, &QPushButton::clicked, this, &TfmConsulta02::bbConsultarClick);
    connect(bbVoltar, &QPushButton::clicked, this, &TfmConsulta02::bbVoltarClick);
    connect(bbFechar, &QPushButton::clicked, this, &TfmConsulta02::bbFecharClick);
}

TfmConsulta02::~TfmConsulta02() = default;

void TfmConsulta02::FormShow() {
    if (!taEmpresa->Active()) {
        taEmpresa->Open();
        taEmpresa->First();
        rows_->Close();
        rows_->Open();
        model_->Reload();
    }
    paInfo->setText(QStringLiteral("Declaração do Ano-Base ") + QString::number(declfile::ProgramAnoBase()));
    selectCurrentEstablishment();
    grEmp->setFocus();
}

// The grid follows the establishment the detail page moved to.
void TfmConsulta02::selectCurrentEstablishment() {
    if (taEmpresa->IsEmpty()) return;
    const QString anBase = taEmpresa->FieldByName(QStringLiteral("AnBase")).AsString();
    const QString inscricao = taEmpresa->FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString();
    const QString prefixo = taEmpresa->FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString();
    for (int row = 0; row < rows_->RecordCount(); ++row) {
        if (rows_->ValueAt(row, 1) == inscricao && rows_->ValueAt(row, 2) == prefixo &&
            rows_->ValueAt(row, 0) == anBase) {
            grEmp->setCurrentIndex(model_->index(row, 0));
            return;
        }
    }
}

void TfmConsulta02::FormClose() {
    taEmpresa->Close();
    rows_->Close();
    model_->Reload();
}

void TfmConsulta02::bbConsultarClick() {
    if (!taEmpresa->Active() || taEmpresa->IsEmpty()) return;
    hide();
    forms::ShowModal(owner().Page03());
    if (TfmConsulta03* page = owner().Page03()) page->pcEstabelecimento->setCurrentIndex(0);
}

void TfmConsulta02::bbVoltarClick() {
    owner().Page01()->show();
    ClosePage();
    FormClose();
}

void TfmConsulta02::bbFecharClick() { owner().CloseConsultation(); }

void TfmConsulta02::keyPressEvent(QKeyEvent* event) {
    switch (event->key()) {
    case Qt::Key_Return:
    case Qt::Key_Enter:
        if (auto* button = qobject_cast<QAbstractButton*>(focusWidget())) button->click();
        else bbConsultar->click();
        event->accept();
        return;
    case Qt::Key_Escape:
        event->accept();
        bbFechar->click();
        return;
    default: QDialog::keyPressEvent(event);
    }
}
