#pragma once
#include <QString>
#include <QVector>

class QListWidget;
class QTextBrowser;
#include <QWidget>

// The help of the program: HTML pages in the folder "help" beside the program,
// a contents page "index.html" and a context map "contexts.map" whose lines read
//   <context number> <page file> [title]
// (blank lines and lines starting with '#' are ignored). The titled lines make
// the contents list of the help window.
namespace help {

struct ContextEntry {
    int context = 0;
    QString page;   // file name inside the help folder
    QString title;  // shown in the contents list; may be empty
};

QString HelpFolder();    // the program folder + "help"
QString ContentsPage();  // full path of the contents page
QVector<ContextEntry> ReadContextMap();
// Full path of the page of a context; the contents page when the context has
// no entry or its page file is missing.
QString PageForContext(int context);

void OpenContents();
void OpenContext(int context);

// The one help window, reused by every call.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showPage(const QString& path);
    QString currentPage() const { return current_; }
    QTextBrowser* browser() const { return browser_; }
    QListWidget* contentsList() const { return list_; }

private:
    void fillContents();
    QTextBrowser* browser_;
    QListWidget* list_;
    QString current_;
};

HelpWindow* CurrentHelpWindow();  // nullptr before the first call

}  // namespace help
