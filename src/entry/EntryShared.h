#pragma once
#include <QString>
#include <QStyle>

class QLabel;
class QPushButton;
class QWidget;

namespace db {
class Table;
}

// What the establishment screens (new declaration, establishment form,
// lists, deletion, no-employees notice) share.

// The base year of the main window (2009 where there is none, in tests).
int DeclarationBaseYear();

// The establishment row being edited: dmEntradaDados->ta8Empresa and its columns.
db::Table& EstablishmentTable();
QString EstablishmentValue(const QString& column);
void SetEstablishmentValue(const QString& column, const QString& value);

// A rule's code that lets the value through.
inline bool IsAccepted(const QString& code) { return code == QLatin1String("0000"); }

// A form button with its design name, caption and a standard icon; Enter
// does not press it by default.
QPushButton* MakeFormButton(QWidget* form, const char* name, const char* caption, QStyle::StandardPixmap icon);
// The bold year panel `paAnoBase` at the top of the lists and forms.
QLabel* MakeYearPanel(QWidget* form, const QString& text = QString());
