#pragma once
#include <QString>
#include <QStringList>

class QFrame;
class QPlainTextEdit;
class QPushButton;
class QWidget;

// The parts the pages of the analysis and split wizard build their panels
// from, and the main window's values they show.
namespace analis {

QFrame* Panel(QWidget* parent, const char* name);
// A read-only text on the page's background that never takes the focus.
QPlainTextEdit* Memo(QWidget* parent, const char* name, const QStringList& lines = {});
QPushButton* Button(QWidget* parent, const char* name, const char* text);
QString Year();    // the base year as text
QString Versao();  // the program's version

}  // namespace analis
