#include "declfile/import/ufmImport01.h"

#include "declfile/import/ufmImport03.h"

#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

TfmImport01::TfmImport01(const QString& caption, const QString& anoImportacao, QWidget* parent)
    : forms::WizardPage(ImportFrame(QStringLiteral("fmImport01"), caption), parent), anoImportacao_(anoImportacao) {
    auto* text = new QLabel(QStringLiteral("A importação não poderá ser realizada. O arquivo não atende as "
                                           "especificações \ndefinidas para o ano-base."),
                            Panel());
    text->setObjectName(QStringLiteral("Memo1"));
    text->setWordWrap(true);
    text->setAlignment(Qt::AlignTop | Qt::AlignLeft);
    BtErroVisual = new QPushButton(QStringLiteral("Visualizar &Relatório"), Panel());
    BtErroVisual->setObjectName(QStringLiteral("BtErroVisual"));
    BtErroVisual->setAutoDefault(false);
    PanelLayout()->addWidget(text, 1);
    PanelLayout()->addWidget(BtErroVisual, 0, Qt::AlignLeft);
    connect(BtErroVisual, &QPushButton::clicked, this, [this] { BtErroVisualClick(); });
}

void TfmImport01::PageShown() { CancelButton()->setFocus(); }

void TfmImport01::BtErroVisualClick() { ShowImportReport(BtErroVisual, QStringLiteral("rptErrosEstrutura"), anoImportacao_); }
