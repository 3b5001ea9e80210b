#include "EntryShared.h"

#include "platform/db/Table.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmLOBRIX.h"

#include <QEvent>
#include <QLabel>
#include <QPushButton>
#include <QShortcutEvent>

namespace {
// A button reached by its shortcut is pressed at once: drawn pressed for a moment first, the keys
// typed straight after it (a PIS after Alt+N) would land in the window it is about to leave.
class ClickAtOnce : public QObject {
protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* button = qobject_cast<QPushButton*>(watched);
        if (!button || event->type() != QEvent::Shortcut) return false;
        const auto* se = static_cast<QShortcutEvent*>(event);
        if (se->isAmbiguous() || se->key() != button->shortcut() || !button->isEnabled()) return false;
        button->click();
        return true;
    }
};
}  // namespace

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
    static ClickAtOnce clickAtOnce;
    b->installEventFilter(&clickAtOnce);
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
