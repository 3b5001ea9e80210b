#pragma once
#include <QRect>
#include <QString>
#include <QPointer>
#include <QVector>
#include <QWidget>

class QListWidget;
class QTextBrowser;

// The help of the program: HTML pages in the folder "help" beside the program,
// a contents page "index.html" and a context map "contexts.map" whose lines read
//   <context number> <page file> [title]
// (blank lines and lines starting with '#' are ignored); a "-" in place of the
// number lists a page without a context. The titled lines make the contents
// list of the help window.
namespace help {

struct ContextEntry {
    int context = 0;  // 0 for a page of the contents only
    QString page;   // file name inside the help folder
    QString title;  // shown in the contents list; may be empty
};

QString HelpFolder();    // the program folder + "help"
QString ContentsPage();  // full path of the contents page
QVector<ContextEntry> ReadContextMap();
// Full path of the page of a context; empty when the context has no entry or
// its page file is missing. Context 0 (a control without a topic of its own)
// is the contents page.
QString PageForContext(int context);

void OpenContents();
// Opens the page of a context; a context without a page says so in the window.
void OpenContext(int context);

// Where the help window goes the first time it is shown: its preferred size,
// shrunk to fit, beside the window that asked for it when there is room
// (right, then left), else at the right of the screen; never outside the
// available area. `frame` is what the window decoration adds to the size.
QRect HelpWindowGeometry(const QRect& available, const QRect& asking, const QSize& preferred,
                         const QMargins& frame);

// The one help window, reused by every call.
class HelpWindow : public QWidget {
    Q_OBJECT
public:
    explicit HelpWindow(QWidget* parent = nullptr);
    void showPage(const QString& path);
    // Says that a context has no page.
    void showMissingContext(int context);
    // Shows the window in front, usable beside the modal form that is open.
    void bringForward();
    QString currentPage() const { return current_; }
    QTextBrowser* browser() const { return browser_; }
    QListWidget* contentsList() const { return list_; }

protected:
    bool event(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void fillContents();
    void standBesideModalForm();
    void placeOnScreen();
    QTextBrowser* browser_;
    QListWidget* list_;
    QString current_;
    QPointer<QWidget> owner_;  // the modal form the help stands beside
};

HelpWindow* CurrentHelpWindow();  // nullptr before the first call

}  // namespace help
