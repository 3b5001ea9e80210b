#pragma once
#include <QTabWidget>
#include <functional>

class QKeyEvent;

namespace ui {

// A tab widget whose page change can be refused (the design's page control
// with its changing handler). Qt changes the page before anyone is asked, so
// the tab bar's clicks, keys and wheel and the widget's Ctrl+Tab keys are
// intercepted: Changing is asked first and the page changes only when it
// answers true. SetCurrentPage changes the page without asking (code that
// brings a field's page to the front).
class PageControl : public QTabWidget {
    Q_OBJECT
public:
    explicit PageControl(QWidget* parent = nullptr);

    std::function<bool(int newIndex)> Changing;
    void SetCurrentPage(int index);

    // The page control and page that hold a widget, if any.
    static PageControl* ControlOf(const QWidget* widget, QWidget** page = nullptr);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

private:
    bool askChange(int index);
};

}  // namespace ui
