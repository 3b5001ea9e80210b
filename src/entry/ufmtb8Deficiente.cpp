#include "ufmtb8Deficiente.h"

#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

#include <QApplication>
#include <QLineEdit>

TfmTb8Deficiente* fmTb8Deficiente = nullptr;

TfmTb8Deficiente::TfmTb8Deficiente(QWidget* parent)
    : TLookupPicker(QStringLiteral("Relação de Tipos de Deficiência"), ChooseOn::DoubleClick, 1, parent) {
    setObjectName(QStringLiteral("fmTb8Deficiente"));
    Target = [] { return &dmEntradaDados->ta8Empreg.FieldByName(QStringLiteral("CoDeficienteFisico")); };
    FillFromTable(dmLobrix->taDeficiente);
}

void TfmTb8Deficiente::AfterChoice(const QString& code) {
    db::Table& table = dmLobrix->taDeficiente;
    if (!table.FindKey({code})) return;
    const QString description = table.FieldByName(QStringLiteral("NoTipoDeficiencia")).AsString();
    // The employee form that opened the picker, else whichever window shows the box.
    QLineEdit* box = nullptr;
    if (parentWidget()) box = parentWidget()->window()->findChild<QLineEdit*>(QStringLiteral("edTxDeficiente"));
    for (QWidget* top : QApplication::topLevelWidgets()) {
        if (box) break;
        box = top->findChild<QLineEdit*>(QStringLiteral("edTxDeficiente"));
    }
    if (box) box->setText(description);
}
