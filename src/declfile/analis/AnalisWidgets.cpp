#include "declfile/analis/AnalisWidgets.h"

#include "declfile/MainWindowState.h"
#include "declfile/gravadecl/ufmGravaDecl00.h"

#include "shell/ufmLOBRIX.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>

namespace analis {

QFrame* Panel(QWidget* parent, const char* name) {
    auto* p = new QFrame(parent);
    p->setObjectName(QString::fromLatin1(name));
    return p;
}

QPlainTextEdit* Memo(QWidget* parent, const char* name, const QStringList& lines) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(QString::fromLatin1(name));
    m->setReadOnly(true);
    m->setFocusPolicy(Qt::NoFocus);
    m->setFrameShape(QFrame::NoFrame);
    m->setBackgroundRole(QPalette::Window);
    m->viewport()->setAutoFillBackground(false);
    m->setPlainText(lines.join(QLatin1Char('\n')));
    return m;
}

QPushButton* Button(QWidget* parent, const char* name, const char* text) { return GravaDeclButton(parent, name, text); }

QString Year() { return QString::number(declfile::ProgramAnoBase()); }

QString Versao() { return fmLOBRIX ? fmLOBRIX->Versao : declfile::WriterStateFromProgram().Versao; }

}  // namespace analis
