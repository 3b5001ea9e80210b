#include "platform/ui/Forms.h"
#include "platform/ui/WizardPage.h"

#include "platform/help/HelpService.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"

#include <QAbstractButton>
#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QKeyEvent>
#include <QLabel>
#include <QPainter>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

namespace forms {

namespace {

constexpr int kMargin = 8;
constexpr int kButtonBand = 50;  // below the panel: bevel and buttons
constexpr int kButtonWidth = 85;
constexpr int kButtonHeight = 25;

void putRect(WizardGeometry& g, int at, const QWidget* w) {
    if (!w) return;
    const QRect r = w->geometry();
    g[at] = r.y();
    g[at + 1] = r.x();
    g[at + 2] = r.height();
    g[at + 3] = r.width();
}

void takeRect(const WizardGeometry& g, int at, QWidget* w) {
    if (w && g[at + 2] > 0 && g[at + 3] > 0) w->setGeometry(g[at + 1], g[at], g[at + 3], g[at + 2]);
}

QPushButton* makeButton(QWidget* parent, const QString& name, const QString& text) {
    if (name.isEmpty()) return nullptr;
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setDefault(false);
    return b;
}

}  // namespace

WizardPage::WizardPage(const WizardFrame& frame, QWidget* parent) : QDialog(parent) {
    setObjectName(frame.objectName);
    setWindowTitle(frame.caption);
    Qt::WindowFlags flags = Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint;
    if (frame.closeBox) flags |= Qt::WindowCloseButtonHint;
    setWindowFlags(flags);
    endFlag_ = frame.endFlag;
    enterMovesFocus_ = frame.enterMovesFocus;
    buildFrame(frame);
    SetPicture(frame.picture);
    ScaleForm(this, frame.design, frame.wide, frame.scaleOnEveryWidth);
    CenterOnActivate(this);
}

WizardPage::~WizardPage() = default;

void WizardPage::buildFrame(const WizardFrame& frame) {
    // Placed by hand at the design size, so scaling moves the parts together
    // and the stored geometry of one page fits the next.
    const int w = frame.design.width();
    const int h = frame.design.height();
    const int pictureWidth = w * 160 / 622;
    const int bodyHeight = h - kMargin - kButtonBand;
    resize(frame.design);

    picture_ = new QLabel(this);
    picture_->setObjectName(frame.pictureName);
    picture_->setScaledContents(true);
    picture_->setGeometry(kMargin, kMargin, pictureWidth, bodyHeight);

    panel_ = new QFrame(this);
    panel_->setObjectName(frame.panelName);
    const int panelLeft = 2 * kMargin + pictureWidth;
    panel_->setGeometry(panelLeft, kMargin, w - panelLeft - kMargin, bodyHeight);
    panelLayout_ = new QVBoxLayout(panel_);
    panelLayout_->setContentsMargins(0, 0, 0, 0);
    if (!frame.memoName.isEmpty()) {
        memo_ = PageMemo(panel_, frame.memoName);
        panelLayout_->addWidget(memo_, 1);
    }

    bevel_ = new QFrame(this);
    bevel_->setObjectName(frame.bevelName);
    bevel_->setFrameShape(QFrame::HLine);
    bevel_->setFrameShadow(QFrame::Sunken);
    bevel_->setGeometry(kMargin, h - kButtonBand + 4, w - 2 * kMargin, 2);

    const int buttonTop = h - kButtonBand + 16;
    const int cancelLeft = w - kMargin - kButtonWidth;
    const int nextLeft = cancelLeft - kMargin - kButtonWidth;
    const int backLeft = nextLeft - kButtonWidth;
    back_ = makeButton(this, frame.backName, frame.backText);
    next_ = makeButton(this, frame.nextName, frame.nextText);
    cancel_ = makeButton(this, frame.cancelName, frame.cancelText);
    if (back_) back_->setGeometry(backLeft, buttonTop, kButtonWidth, kButtonHeight);
    if (next_) next_->setGeometry(nextLeft, buttonTop, kButtonWidth, kButtonHeight);
    if (cancel_) cancel_->setGeometry(cancelLeft, buttonTop, kButtonWidth, kButtonHeight);
    if (back_) connect(back_, &QPushButton::clicked, this, [this] { if (!busy_) BackClicked(); });
    if (next_) connect(next_, &QPushButton::clicked, this, [this] { if (!busy_) NextClicked(); });
    if (cancel_) connect(cancel_, &QPushButton::clicked, this, [this] { PressCancel(); });
}

void WizardPage::SetMemoLines(const QStringList& lines) {
    if (memo_) memo_->setPlainText(MemoParagraphs(lines));
}

void WizardPage::SetPicture(const QImage& image) {
    if (picture_) picture_->setPixmap(image.isNull() ? QPixmap() : QPixmap::fromImage(image));
}

// ---- hand-over ---------------------------------------------------------------

int WizardPage::GoNext(QWidget* next, Hand hand) {
    if (!next) return mrCancel;
    QPointer<WizardPage> self(this);
    if (hand == Hand::Hide) hide();
    const int result = ShowModal(next);
    if (!self) return result;
    if (EndFlagSet()) Finish(mrCancel);
    else if (!isVisible()) show();
    return result;
}

int WizardPage::GoNext(std::unique_ptr<QWidget> next, Hand hand) {
    if (!next) return mrCancel;
    QPointer<WizardPage> self(this);
    if (hand == Hand::Hide) hide();
    const int result = ShowModal(next.get());
    next.reset();
    if (!self) return result;
    if (EndFlagSet()) Finish(mrCancel);
    else if (!isVisible()) show();
    return result;
}

void WizardPage::GoBack() { Finish(mrCancel); }

void WizardPage::CancelWizard() {
    if (endFlag_) *endFlag_ = 1;
    Finish(mrCancel);
}

void WizardPage::Finish(int result) {
    if (busy_) {
        pendingResult_ = result;
        return;
    }
    finishing_ = true;
    QDialog::done(result);
    finishing_ = false;
}

void WizardPage::done(int result) { Finish(result); }

void WizardPage::PressCancel() {
    if (busy_) {
        if (stop_) stop_();
        return;
    }
    if (cancel_ && !cancel_->isEnabled()) return;
    CancelClicked();
}

void WizardPage::reject() { PressCancel(); }

void WizardPage::closeEvent(QCloseEvent* event) {
    if (finishing_) {
        event->accept();
        return;
    }
    // The close box: never a close that leaves the flag unset behind a
    // hidden page.
    event->ignore();
    PressCancel();
}

// ---- busy --------------------------------------------------------------------

void WizardPage::RunBusy(const std::function<void()>& stop, const std::function<void()>& work) {
    QPointer<WizardPage> self(this);
    const bool wasBusy = busy_;
    auto oldStop = stop_;
    busy_ = true;
    stop_ = stop;
    try {
        work();
    } catch (...) {
        if (self) {
            busy_ = wasBusy;
            stop_ = oldStop;
        }
        throw;
    }
    if (!self) return;
    busy_ = wasBusy;
    stop_ = oldStop;
    if (!busy_ && pendingResult_ >= 0) {
        const int r = pendingResult_;
        pendingResult_ = -1;
        Finish(r);
    }
}

// ---- geometry ----------------------------------------------------------------

void WizardPage::StoreGeometry(WizardGeometry& g) const {
    g.fill(0);
    putRect(g, 0, this);
    putRect(g, 4, picture_);
    putRect(g, 8, bevel_);
    putRect(g, 12, panel_);
    // 16-19 are kept for the design's own use and stay zero.
    if (memo_) {
        g[20] = memo_->y();
        g[21] = memo_->x();
    }
    putRect(g, 22, back_);
    putRect(g, 26, next_);
    putRect(g, 30, cancel_);
}

void WizardPage::ApplyGeometry(const WizardGeometry& g, unsigned parts) {
    if (parts & wgPage) takeRect(g, 0, this);
    if (parts & wgPicture) takeRect(g, 4, picture_);
    if (parts & wgBevel) takeRect(g, 8, bevel_);
    if (parts & wgPanel) takeRect(g, 12, panel_);
    if (parts & wgButtons) {
        takeRect(g, 22, back_);
        takeRect(g, 26, next_);
        takeRect(g, 30, cancel_);
    }
}

// ---- events ------------------------------------------------------------------

void WizardPage::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) PageShown();
}

void WizardPage::keyPressEvent(QKeyEvent* event) {
    const int key = event->key();
    if (key == Qt::Key_Return || key == Qt::Key_Enter) {
        QWidget* focus = QApplication::focusWidget();
        if (auto* button = qobject_cast<QAbstractButton*>(focus); button && isAncestorOf(button)) {
            if (button->isEnabled()) button->click();
        } else if (enterMovesFocus_) {
            focusNextChild();
        }
        event->accept();
        return;
    }
    if (key == Qt::Key_F1 && event->modifiers() == Qt::NoModifier) {
        // The help of the focused field; most pages' fields have none, and
        // context 0 is the contents, which lead through the year's job.
        QWidget* focus = QApplication::focusWidget();
        help::OpenContext(focus && isAncestorOf(focus) ? ui::HelpContextOf(focus) : 0);
        event->accept();
        return;
    }
    QDialog::keyPressEvent(event);  // Esc reaches reject()
}

QString MemoParagraphs(const QStringList& lines) {
    // The design breaks its notes by hand at its own width and pads them with blanks to justify
    // them; at any other width that breaks sentences in odd places. Lines run on into paragraphs:
    // a blank line ends one, a line that starts with "-" starts an item of its own.
    QStringList out;
    QString paragraph;
    auto flush = [&] {
        if (!paragraph.isEmpty()) out << paragraph;
        paragraph.clear();
    };
    for (const QString& line : lines) {
        const QString text = line.simplified();
        if (text.isEmpty()) {
            flush();
            out << QString();
            continue;
        }
        if (text.startsWith(QLatin1Char('-'))) flush();
        paragraph += (paragraph.isEmpty() ? QString() : QStringLiteral(" ")) + text;
    }
    flush();
    return out.join(QLatin1Char('\n'));
}

QPlainTextEdit* PageMemo(QWidget* parent, const QString& objectName, const QStringList& lines) {
    auto* m = new QPlainTextEdit(parent);
    m->setObjectName(objectName);
    m->setReadOnly(true);
    m->setFrameShape(QFrame::NoFrame);
    m->setFocusPolicy(Qt::NoFocus);
    m->setBackgroundRole(QPalette::Window);
    m->viewport()->setAutoFillBackground(false);
    m->setPlainText(MemoParagraphs(lines));
    return m;
}

// ---- busy indicator -----------------------------------------------------------

BusyIndicator::BusyIndicator(QWidget* parent) : QWidget(parent), timer_(new QTimer(this)) {
    setObjectName(QStringLiteral("Animate1"));
    timer_->setInterval(100);
    connect(timer_, &QTimer::timeout, this, [this] {
        frame_ = (frame_ + 1) % 8;
        update();
    });
}

void BusyIndicator::paintEvent(QPaintEvent*) {
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const int side = qMin(width(), height());
    const double radius = side * 0.35;
    const double dot = side * 0.09;
    p.translate(width() / 2.0, height() / 2.0);
    for (int i = 0; i < 8; ++i) {
        const int age = (frame_ - i + 8) % 8;
        QColor c = palette().color(QPalette::Highlight);
        c.setAlpha(255 - age * 28);
        p.setBrush(c);
        p.setPen(Qt::NoPen);
        p.save();
        p.rotate(i * 45.0);
        p.drawEllipse(QPointF(0, -radius), dot, dot);
        p.restore();
    }
}

void BusyIndicator::showEvent(QShowEvent* event) {
    QWidget::showEvent(event);
    timer_->start();
}

void BusyIndicator::hideEvent(QHideEvent* event) {
    QWidget::hideEvent(event);
    timer_->stop();
}

}  // namespace forms
