#include "EntryShared.h"

#include "platform/db/Table.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmLOBRIX.h"

#include <QLabel>
#include <QPushButton>

int DeclarationBaseYear() { return fmLOBRIX ? fmLOBRIX->AnoBase : 2009; }

db::Table& EstablishmentTable() { return dmEntradaDados->ta8Empresa; }

QString EstablishmentValue(const QString& column) { return EstablishmentTable().FieldByName(column).AsString(); }

void SetEstablishmentValue(const QString& column, const QString& value) {
    EstablishmentTable().FieldByName(column).SetAsString(value);
}

QPushButton* MakeFormButton(QWidget* form, const char* name, const char* caption, QStyle::StandardPixmap icon) {
    auto* b = new QPushButton(form->style()->standardIcon(icon), QString::fromUtf8(caption), form);
    b->setObjectName(QString::fromLatin1(name));
    b->setAutoDefault(false);
    return b;
}

QLabel* MakeYearPanel(QWidget* form, const QString& text) {
    auto* panel = new QLabel(text, form);
    panel->setObjectName(QStringLiteral("paAnoBase"));
    QFont bold = panel->font();
    bold.setBold(true);
    panel->setFont(bold);
    return panel;
}
