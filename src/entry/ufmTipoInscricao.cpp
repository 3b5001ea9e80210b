#include "ufmTipoInscricao.h"

#include "platform/ui/Forms.h"
#include "ufmNovaDecl.h"

#include <QButtonGroup>
#include <QDialogButtonBox>
#include <QGroupBox>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

TfmTipoInscricao* fmTipoInscricao = nullptr;

TfmTipoInscricao::TfmTipoInscricao(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmTipoInscricao"));
    setWindowTitle(QStringLiteral("Tipo de Inscrição"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(new QLabel(QStringLiteral("Identifique o tipo de Inscrição declarado na quadrícula abaixo.")));
    auto* group = new QGroupBox(QStringLiteral("Inscrição"), this);
    auto* g = new QVBoxLayout(group);
    rbCGC = new QRadioButton(QStringLiteral("Inscrição no CGC"), group);
    rbCEI = new QRadioButton(QStringLiteral("Matrícula CEI"), group);
    rbCNPJ = new QRadioButton(QStringLiteral("Inscrição no CNPJ"), group);
    const std::pair<QRadioButton*, const char*> buttons[] = {{rbCGC, "rbCGC"}, {rbCEI, "rbCEI"}, {rbCNPJ, "rbCNPJ"}};
    for (const auto& [b, name] : buttons) {
        b->setObjectName(QString::fromLatin1(name));
        g->addWidget(b);
    }
    layout->addWidget(group);
    btOK = new QPushButton(QStringLiteral("OK"), this);
    btOK->setObjectName(QStringLiteral("btOK"));
    layout->addWidget(btOK, 0, Qt::AlignHCenter);
    connect(rbCGC, &QRadioButton::clicked, this, [] { NewDeclarationResult = QStringLiteral("CNPJ"); });
    connect(rbCNPJ, &QRadioButton::clicked, this, [] { NewDeclarationResult = QStringLiteral("CNPJ"); });
    connect(rbCEI, &QRadioButton::clicked, this, [] { NewDeclarationResult = QStringLiteral("CEI"); });
    connect(btOK, &QPushButton::clicked, this, &TfmTipoInscricao::btOKClick);
    forms::CenterOnActivate(this);
}

void TfmTipoInscricao::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    for (QRadioButton* b : {rbCGC, rbCEI, rbCNPJ}) {
        b->setAutoExclusive(false);
        b->setChecked(false);
        b->setAutoExclusive(true);
    }
    rbCGC->setFocus();
}

void TfmTipoInscricao::btOKClick() {
    if (NewDeclarationResult != QLatin1String("CEI") && NewDeclarationResult != QLatin1String("CNPJ"))
        NewDeclarationResult = QStringLiteral("CNPJ");
    forms::SetModalResult(this, forms::mrOk);
    accept();
}
