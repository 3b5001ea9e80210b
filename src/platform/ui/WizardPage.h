#pragma once
#include "platform/ui/Forms.h"

#include <QDialog>
#include <QImage>
#include <QPointer>
#include <QSize>
#include <QStringList>
#include <array>
#include <cstdint>
#include <functional>
#include <memory>

class QFrame;
class QLabel;
class QPlainTextEdit;
class QPushButton;
class QTimer;
class QVBoxLayout;

// The frame every wizard page shares: picture at the left, the main panel,
// the bevel above the buttons and Back / Next / Cancel, scaled to the screen
// and centred on activation; and the protocol by which pages hand over:
//
// - GoNext hides the page (unless asked to stay visible), shows the next page
//   modally, frees it when it was handed over, and then closes the page when
//   the wizard's end flag is set, or shows it again;
// - GoBack closes the page without the flag, so the previous page shows again;
// - CancelWizard sets the flag and closes the page, so the chain closes back.
//
// The close box and Esc act as the Cancel button (on a last page its Close),
// so a page never ends without the flag behind a hidden page. While RunBusy
// runs a job, Cancel, the close box and Esc ask the job to stop instead, and
// a close requested meanwhile waits until the job has returned.
namespace forms {

// Top, left, height and width of the page, its picture, its bevel and its
// main panel; four values no page reads; top and left of the memo; top, left,
// height and width of the Back, Next and Cancel buttons.
using WizardGeometry = std::array<int, 34>;

enum WizardGeometryPart : unsigned {
    wgPage = 1,
    wgPicture = 2,
    wgBevel = 4,
    wgPanel = 8,
    wgButtons = 16,
    wgAll = 31,
};

struct WizardFrame {
    QString objectName;
    QString caption;
    QImage picture;                 // null: no picture
    // Design names of the frame's parts; an empty button name leaves it out,
    // an empty memo name leaves the memo out.
    QString pictureName = QStringLiteral("imDecl");
    QString bevelName = QStringLiteral("beDecl");
    QString panelName = QStringLiteral("paDecl");
    QString memoName;
    QString backName = QStringLiteral("bbVoltar");
    QString nextName = QStringLiteral("bbAvancar");
    QString cancelName = QStringLiteral("bbCancelar");
    QString backText = QStringLiteral("< &Voltar");
    QString nextText = QStringLiteral("&Avançar >");
    QString cancelText = QStringLiteral("&Cancelar");  // "&Fechar" on a last page
    QSize design{622, 322};         // at 800 x 600
    QSize wide{830, 430};           // on screens wider than 1024 pixels
    bool scaleOnEveryWidth = false; // true: no fixed wide size, it grows with the screen
    std::uint8_t* endFlag = nullptr;
    bool closeBox = true;           // false: no border icons
    // Enter moves the focus to the next control (on a button: presses it);
    // false: Enter presses only the focused button.
    bool enterMovesFocus = true;
};

class WizardPage : public QDialog {
    Q_OBJECT
public:
    explicit WizardPage(const WizardFrame& frame, QWidget* parent = nullptr);
    ~WizardPage() override;

    QLabel* Picture() const { return picture_; }
    QFrame* Bevel() const { return bevel_; }
    QFrame* Panel() const { return panel_; }
    QVBoxLayout* PanelLayout() const { return panelLayout_; }
    QPlainTextEdit* Memo() const { return memo_; }
    QPushButton* BackButton() const { return back_; }
    QPushButton* NextButton() const { return next_; }
    QPushButton* CancelButton() const { return cancel_; }
    void SetMemoLines(const QStringList& lines);
    // The picture of the page (pages that take the first page's picture).
    void SetPicture(const QImage& image);

    void SetEndFlag(std::uint8_t* flag) { endFlag_ = flag; }
    std::uint8_t* EndFlag() const { return endFlag_; }
    bool EndFlagSet() const { return endFlag_ && *endFlag_ != 0; }

    enum class Hand { Hide, StayVisible };
    // Shows the next page modally and returns its modal result; `next` stays
    // the caller's. Afterwards the page closes when the end flag is set and
    // shows again otherwise.
    int GoNext(QWidget* next, Hand hand = Hand::Hide);
    // The same, freeing the next page when it returns.
    int GoNext(std::unique_ptr<QWidget> next, Hand hand = Hand::Hide);
    void GoBack();
    void CancelWizard();
    // Closes the page with a modal result, without touching the flag.
    void Finish(int result);

    // Runs a long job; meanwhile Cancel, the close box and Esc call `stop`.
    void RunBusy(const std::function<void()>& stop, const std::function<void()>& work);
    bool IsBusy() const { return busy_; }

    // pGuardaPosicao's reading of the frame, and its application by later pages.
    void StoreGeometry(WizardGeometry& geometry) const;
    void ApplyGeometry(const WizardGeometry& geometry, unsigned parts);

    // What Cancel does now: stop the job, or the page's Cancel (when enabled).
    void PressCancel();

protected:
    // Runs every time the page becomes visible (the design's FormShow).
    virtual void PageShown() {}
    virtual void BackClicked() { GoBack(); }
    virtual void NextClicked() {}
    virtual void CancelClicked() { CancelWizard(); }

    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;

public:
    void reject() override;      // Esc
    void done(int result) override;

private:
    void buildFrame(const WizardFrame& frame);

    QLabel* picture_ = nullptr;
    QFrame* bevel_ = nullptr;
    QFrame* panel_ = nullptr;
    QVBoxLayout* panelLayout_ = nullptr;
    QPlainTextEdit* memo_ = nullptr;
    QPushButton* back_ = nullptr;
    QPushButton* next_ = nullptr;
    QPushButton* cancel_ = nullptr;
    std::uint8_t* endFlag_ = nullptr;
    bool enterMovesFocus_ = true;
    bool busy_ = false;
    std::function<void()> stop_;
    int pendingResult_ = -1;    // a close asked for while busy
    bool finishing_ = false;
};

// A read-only memo of a page's panels (its lines on the page's background),
// as the frame's own memo.
QPlainTextEdit* PageMemo(QWidget* parent, const QString& objectName, const QStringList& lines = {});
// A note's lines as paragraphs that wrap at the memo's width (see PageMemo).
QString MemoParagraphs(const QStringList& lines);

// Stands for the system's find-file animation while a job runs: a ring of
// dots turning while the indicator is visible.
class BusyIndicator : public QWidget {
    Q_OBJECT
public:
    explicit BusyIndicator(QWidget* parent = nullptr);
    QSize sizeHint() const override { return {48, 48}; }
    int Frame() const { return frame_; }

protected:
    void paintEvent(QPaintEvent* event) override;
    void showEvent(QShowEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    QTimer* timer_;
    int frame_ = 0;
};

}  // namespace forms
