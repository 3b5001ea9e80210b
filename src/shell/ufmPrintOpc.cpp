#include "ufmPrintOpc.h"

#include <QFormLayout>
#include <QSpinBox>

TfmPrintOpc* fmPrintOpc = nullptr;

TfmPrintOpc::TfmPrintOpc(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmPrintOpc"));
    auto* form = new QFormLayout(this);
    auto spin = [this](const char* name, int minimum) {
        auto* s = new QSpinBox(this);
        s->setObjectName(QString::fromLatin1(name));
        s->setRange(minimum, 99999);
        return s;
    };
    edPaginaInicial = spin("edPaginaInicial", 1);
    edPaginaFinal = spin("edPaginaFinal", 1);
    edCopias = spin("edCopias", 1);
    form->addRow(QStringLiteral("Página inicial"), edPaginaInicial);
    form->addRow(QStringLiteral("Página final"), edPaginaFinal);
    form->addRow(QStringLiteral("Cópias"), edCopias);
}

TfmPrintOpc::~TfmPrintOpc() {
    if (fmPrintOpc == this) fmPrintOpc = nullptr;
}
