#include "listview/qt/LumeListviewWidget.h"

#include "listview/paint/LumeColors.h"
#include "listview/dragdrop/LumeDataObject.h"
#include "listview/paint/LumeGlyphs.h"
#include "listview/qt/LumeHintWindow.h"
#include "listview/qt/LumeMimeData.h"
#include "listview/qt/LumeQtColors.h"
#include "listview/qt/LumeQtRect.h"
#include "listview/qt/LumeStringEditor.h"

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QEventLoop>
#include <QDrag>
#include <QMenu>
#include <QMimeData>
#include <QPaintEvent>
#include <QPainter>
#include <QPointer>
#include <QScrollBar>
#include <QProxyStyle>
#include <QStyle>
#include <QStyleFactory>
#include <QToolTip>
#include <QWheelEvent>

namespace lume {

namespace {

// The viewport's style: the application's, except that the wait before a
// hint, which Qt asks of the style of the widget under the mouse, is asked
// of the control.
class HintPauseStyle : public QProxyStyle {
public:
    explicit HintPauseStyle(TLumeListview* listview)
        : QProxyStyle(QStyleFactory::create(QApplication::style()->name())), listview_(listview) {}
    int styleHint(StyleHint hint, const QStyleOption* option, const QWidget* widget,
                  QStyleHintReturn* returned) const override {
        int value = QProxyStyle::styleHint(hint, option, widget, returned);
        if (hint == SH_ToolTip_WakeUpDelay) listview_->HintPause(value);
        return value;
    }

private:
    TLumeListview* listview_;
};

}  // namespace

void TLumeListview::HintPause(int& pauseDelay) {
    if (!core_) return;
    const bool shown = hint_ && hint_->isVisible();
    Guarded([&] { core_->DoHintPauseTime(shown, pauseDelay); });
}

TLumeListview::TLumeListview(QWidget* parent) : QAbstractScrollArea(parent), core_(std::make_unique<TCustomLumeListview>()) {
    auto* hintPause = new HintPauseStyle(this);
    hintPause->setParent(this);
    viewport()->setStyle(hintPause);
    viewport()->setAttribute(Qt::WA_OpaquePaintEvent);
    viewport()->setAttribute(Qt::WA_NoSystemBackground);
    viewport()->setMouseTracking(true);
    setFocusPolicy(Qt::StrongFocus);
    setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    setFrameStyle(QFrame::StyledPanel | QFrame::Sunken);
    LoadSystemColors(palette());
    core_->Font = font();
    core_->GroupFont = font();
    core_->Header->Font = font();
    connect(verticalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { OnAction(true, a); });
    connect(horizontalScrollBar(), &QScrollBar::actionTriggered, this, [this](int a) { OnAction(false, a); });
    connect(verticalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        Guarded([&] {
            core_->WMScroll(true, SB_THUMBPOSITION);
            core_->WMScroll(true, SB_ENDSCROLL);
        });
    });
    connect(horizontalScrollBar(), &QScrollBar::sliderReleased, this, [this] {
        Guarded([&] {
            core_->WMScroll(false, SB_THUMBPOSITION);
            core_->WMScroll(false, SB_ENDSCROLL);
        });
    });
    core_->SetHost(this);
    core_->EditManager->DefaultEditor = [this](TLumeItem*) -> ILumeCellEditor* { return new TLumeStringEditor(this); };
    viewport()->setAcceptDrops(true);
    core_->DragManager->SystemDrag = [this](ILumeDataObject* data, TLumeDropEffects available) {
        auto* mime = new QMimeData;
        if (auto formats = data->EnumFormatEtc()) {
            std::vector<TLumeFormatEtc> all;
            formats->Next(int(formats->Formats.size()), all, nullptr);
            for (const TLumeFormatEtc& f : all) {
                TLumeStgMedium medium;
                if (data->GetData(f, medium) == S_OK_) mime->setData(f.Format, medium.Data);
            }
        }
        Qt::DropActions actions;
        if (available.Has(TLumeDropEffect::edeCopy)) actions |= Qt::CopyAction;
        if (available.Has(TLumeDropEffect::edeMove)) actions |= Qt::MoveAction;
        if (available.Has(TLumeDropEffect::edeLink)) actions |= Qt::LinkAction;
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        if (auto* own = dynamic_cast<TLumeDataObjectManager*>(data); own && !own->DragImage.isNull()) {
            drag->setPixmap(DragPixmap(*own));
            drag->setHotSpot(QPoint(own->DragHotSpot.X, own->DragHotSpot.Y));
        }
        // The drag ends by itself on release or Escape; the application is told what it shows.
        connect(drag, &QDrag::actionChanged, this, [this](Qt::DropAction action) {
            TLumeDropEffects effect;
            effect.Include(action == Qt::CopyAction   ? TLumeDropEffect::edeCopy
                           : action == Qt::MoveAction ? TLumeDropEffect::edeMove
                           : action == Qt::LinkAction ? TLumeDropEffect::edeLink
                                                      : TLumeDropEffect::edeNone);
            Guarded([&] { GiveFeedback(core_.get(), effect); });
        });
        switch (drag->exec(actions, Qt::MoveAction)) {
        case Qt::CopyAction: return TLumeDropEffect::edeCopy;
        case Qt::MoveAction: return TLumeDropEffect::edeMove;
        case Qt::LinkAction: return TLumeDropEffect::edeLink;
        default: return TLumeDropEffect::edeNone;
        }
    };
    core_->Header->DragManager->SystemDrag = [this](const QByteArray& record) {
        auto* mime = new QMimeData;
        mime->setData(QString::fromLatin1(kHeaderMimeType), record);
        auto* drag = new QDrag(this);
        drag->setMimeData(mime);
        if (TLumeColumn* column = core_->Header->DragManager->Column) {
            const QRect r = ToQRect(column->DisplayRect.Offset(-core_->Scrollbars->OffsetX(), 0));
            drag->setPixmap(viewport()->grab(r));
            drag->setHotSpot(viewport()->mapFromGlobal(QCursor::pos()) - r.topLeft());
        }
        drag->exec(Qt::MoveAction);  // ends by itself on release or Escape
    };
    core_->WindowCreated();
}

namespace {
// The control's own message: edit the pending item.
const QEvent::Type kEditPending = QEvent::Type(QEvent::User + 0x0CE);
}  // namespace

int TLumeListview::StartTimer(int milliseconds, std::function<void()> callback) {
    const int id = nextTimer_++;
    auto* timer = new QTimer(this);
    timer->setSingleShot(true);
    connect(timer, &QTimer::timeout, this, [this, id, callback] {
        StopTimer(id);
        Guarded([&] { callback(); });
    });
    timers_[id] = timer;
    timer->start(milliseconds);
    return id;
}

bool TLumeListview::StopTimer(int id) {
    const auto found = timers_.find(id);
    if (found == timers_.end()) return true;
    found->second->stop();
    found->second->deleteLater();
    timers_.erase(found);
    return true;
}

std::function<void()> TLumeListview::RememberFocus() {
    const QPointer<QWidget> had = QApplication::focusWidget();
    return [had] {
        if (had && !had->isHidden()) had->setFocus(Qt::OtherFocusReason);
    };
}

void TLumeListview::RunEditLoop(const std::function<bool()>& done) {
    // Every input of the application passes the filter while the edit runs.
    qApp->installEventFilter(this);
    const QMetaObject::Connection quit =
        connect(qApp, &QCoreApplication::aboutToQuit, this, [this] { core_->EditManager->EndEdit(); });
    struct Restore {
        TLumeListview* self;
        QMetaObject::Connection quit;
        ~Restore() {
            qApp->removeEventFilter(self);
            disconnect(quit);
        }
    } restore{this, quit};
    // A loop of Qt's own, so that the application's request to end (after
    // the fatal-error box) ends it as it ends every other loop; it looks
    // whether the edit is over each time it wakes and before it waits.
    if (done() || destroying_ || QCoreApplication::closingDown()) return;
    QEventLoop loop;
    auto check = [&] {
        if (done() || destroying_ || QCoreApplication::closingDown()) loop.quit();
    };
    QAbstractEventDispatcher* dispatcher = QAbstractEventDispatcher::instance();
    const QMetaObject::Connection awake = connect(dispatcher, &QAbstractEventDispatcher::awake, &loop, check);
    const QMetaObject::Connection waiting = connect(dispatcher, &QAbstractEventDispatcher::aboutToBlock, &loop, check);
    loop.exec();
    disconnect(awake);
    disconnect(waiting);
}

bool TLumeListview::eventFilter(QObject* watched, QEvent* e) {
    TLumeEditManager& edit = *core_->EditManager;
    if (!edit.Editing || edit.EditFinished) return QAbstractScrollArea::eventFilter(watched, e);
    switch (e->type()) {
    case QEvent::KeyPress: {
        auto* key = static_cast<QKeyEvent*>(e);
        if (key->key() == Qt::Key_Escape) {
            edit.EndEdit();
            return true;
        }
        if ((key->key() == Qt::Key_Tab || key->key() == Qt::Key_Backtab) && edit.TabMoveFocus) {
            const bool backward = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ControlModifier);
            bool consumed = false;
            Guarded([&] { consumed = edit.TabPressed(backward); });
            if (consumed) QCoreApplication::postEvent(this, new QEvent(kEditPending));
            return consumed;
        }
        return false;
    }
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonDblClick: {
        auto* mouse = static_cast<QMouseEvent*>(e);
        const QPoint client = viewport()->mapFromGlobal(mouse->globalPosition().toPoint());
        bool passOn = true;
        bool swallow = false;
        Guarded([&] { swallow = edit.PressAt(FromQPoint(client), viewport()->rect().contains(client), passOn); });
        return swallow;
    }
    case QEvent::Wheel:
        edit.EndEdit();
        return false;
    case QEvent::ApplicationDeactivate:
        edit.EndEdit();
        return false;
    default: return false;
    }
}

TLumeListview::~TLumeListview() {
    // Destroyed with its form, the handlers' receivers are half gone already:
    // the items' freeing events go nowhere.
    core_->DropEventHandlers();
    core_->EditManager->StopEditing();
    destroying_ = true;
    core_.reset();
}

template <typename F>
void TLumeListview::Guarded(F f) {
    // What a handler frees while the control still works on it is kept
    // until this piece of input is over.
    TLumeFreeingHold hold(core_.get());
    // An exception must not travel through Qt's painting and input dispatch:
    // whatever a handler threw is thrown again from a call of its own, where
    // the application's handling of unexpected errors takes it (the program
    // shows its fatal-error box).
    try {
        f();
    } catch (...) {
        QMetaObject::invokeMethod(
            qApp, [failure = std::current_exception()] { std::rethrow_exception(failure); }, Qt::QueuedConnection);
        // An edit running goes no further: its loop returns, and the program
        // ends through the fatal-error box.
        if (core_) core_->EditManager->StopEditing();
    }
}

void TLumeListview::Guard(const std::function<void()>& work) {
    Guarded([&] { work(); });
}

void TLumeListview::ForgetObject(TLumeCollectionItem* object) {
    if (hint_) hint_->Forget(object);
}

void TLumeListview::HoldImages(QPointer<LumeImageList>& field, LumeImageList* list,
                               void (TCustomLumeListview::*set)(TLumeImageList*)) {
    if (field) disconnect(field, &QObject::destroyed, this, nullptr);
    field = list;
    (core_.get()->*set)(list);
    if (list)
        connect(list, &QObject::destroyed, this, [this, list] {
            if (core_) core_->ImageListRemoved(static_cast<TLumeImageList*>(list));
        });
}

void TLumeListview::SetImagesSmall(LumeImageList* list) { HoldImages(imagesSmall_, list, &TCustomLumeListview::SetImagesSmall); }
void TLumeListview::SetImagesLarge(LumeImageList* list) { HoldImages(imagesLarge_, list, &TCustomLumeListview::SetImagesLarge); }
void TLumeListview::SetImagesExLarge(LumeImageList* list) {
    HoldImages(imagesExLarge_, list, &TCustomLumeListview::SetImagesExLarge);
}
void TLumeListview::SetImagesGroup(LumeImageList* list) { HoldImages(imagesGroup_, list, &TCustomLumeListview::SetImagesGroup); }

void TLumeListview::EnsureBackBufferSize(int width, int height) {
    if (backBuffer_.width() >= width && backBuffer_.height() >= height) return;
    QImage grown(std::max(width, backBuffer_.width()), std::max(height, backBuffer_.height()), QImage::Format_RGB32);
    grown.fill(Qt::white);
    if (!backBuffer_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, backBuffer_);
    }
    backBuffer_ = grown;
}

LumeRect TLumeListview::ClientRect() const { return FromQRect(viewport()->rect()); }

bool TLumeListview::HasFocus() const { return hasFocus(); }

void TLumeListview::Invalidate(const LumeRect* rect) {
    const QRect r = rect ? ToQRect(*rect) : viewport()->rect();
    invalid_ += r;
    if (core_ && core_->UpdateCount == 0) viewport()->update(r);
}

void TLumeListview::UpdateWindow() {
    if (invalid_.isEmpty()) return;
    viewport()->repaint(invalid_);
}

void TLumeListview::SetCursor(LumeCursor cursor) {
    if (cursor == LumeCursor::HeaderSplit)
        viewport()->setCursor(Qt::SplitHCursor);
    else
        viewport()->unsetCursor();
}

bool TLumeListview::DragDetect(LumePoint windowPoint) {
    return (QPoint(windowPoint.X, windowPoint.Y) - pressPos_).manhattanLength() >= QApplication::startDragDistance();
}

void TLumeListview::SetScrollInfo(LumeScrollBar bar, const LumeScrollInfo& info, bool) {
    QScrollBar* sb = bar == LumeScrollBar::Vert ? verticalScrollBar() : horizontalScrollBar();
    const bool shown = info.Page > 0 && info.Max + 1 > info.Page;
    ++inScrollInfo_;
    {
        const QSignalBlocker block(sb);
        sb->setRange(0, std::max(0, info.Max + 1 - info.Page));
        sb->setPageStep(std::max(1, info.Page));
        sb->setSingleStep(std::max(1, core_ ? core_->Groups->CellHeight() : 1));
        sb->setValue(info.Pos);
    }
    const Qt::ScrollBarPolicy policy = shown ? Qt::ScrollBarAlwaysOn : Qt::ScrollBarAlwaysOff;
    if (bar == LumeScrollBar::Vert && verticalScrollBarPolicy() != policy) setVerticalScrollBarPolicy(policy);
    if (bar == LumeScrollBar::Horz && horizontalScrollBarPolicy() != policy) setHorizontalScrollBarPolicy(policy);
    --inScrollInfo_;
    EnsureBackBufferSize(viewport()->width(), viewport()->height());
}

LumeScrollInfo TLumeListview::GetScrollInfo(LumeScrollBar bar) const {
    const QScrollBar* sb = bar == LumeScrollBar::Vert ? verticalScrollBar() : horizontalScrollBar();
    return {sb->maximum() + sb->pageStep() - 1, sb->pageStep(), sb->value(), sb->sliderPosition()};
}

bool TLumeListview::ScrollBarVisible(LumeScrollBar bar) const {
    return (bar == LumeScrollBar::Vert ? verticalScrollBarPolicy() : horizontalScrollBarPolicy()) == Qt::ScrollBarAlwaysOn;
}

int TLumeListview::SystemMetric(LumeMetric) const { return style()->pixelMetric(QStyle::PM_ScrollBarExtent, nullptr, this); }

void TLumeListview::PopupMenu(QObject* menu, LumePoint screenPoint) {
    if (auto* m = qobject_cast<QMenu*>(menu)) m->popup(QPoint(screenPoint.X, screenPoint.Y));
}

LumePoint TLumeListview::ScreenToClient(LumePoint screenPoint) const {
    return FromQPoint(viewport()->mapFromGlobal(QPoint(screenPoint.X, screenPoint.Y)));
}

void TLumeListview::RecreateFrame() {
    setFrameStyle(core_ && core_->DrawWithThemes() ? (QFrame::StyledPanel | QFrame::Sunken) : (QFrame::Panel | QFrame::Sunken));
}

std::unique_ptr<TLumeCanvas> TLumeListview::ImageCanvas(QImage* image) {
    auto canvas = std::make_unique<LumeQtCanvas>(image, this);
    canvas->Font = core_ ? core_->Font : font();
    return canvas;
}

QPixmap DragPixmap(const TLumeDataObjectManager& data) {
    QImage image = data.DragImage.convertToFormat(QImage::Format_ARGB32);
    const QRgb key = ToQColor(data.DragTransparent).rgb();
    for (int y = 0; y < image.height(); ++y) {
        auto* line = reinterpret_cast<QRgb*>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x)
            if ((line[x] | 0xFF000000u) == key) line[x] = 0;
    }
    return QPixmap::fromImage(image);
}

TLumeCanvas* TLumeListview::MeasureCanvas() {
    if (!measureCanvas_) measureCanvas_ = std::make_unique<LumeQtCanvas>(&probe_, this);
    measureCanvas_->Font = core_ ? core_->Font : font();
    return measureCanvas_.get();
}

void TLumeListview::OnAction(bool vertical, int action) {
    QScrollBar* sb = vertical ? verticalScrollBar() : horizontalScrollBar();
    int code = -1;
    switch (action) {
    case QAbstractSlider::SliderSingleStepAdd: code = SB_LINEDOWN; break;
    case QAbstractSlider::SliderSingleStepSub: code = SB_LINEUP; break;
    case QAbstractSlider::SliderPageStepAdd: code = SB_PAGEDOWN; break;
    case QAbstractSlider::SliderPageStepSub: code = SB_PAGEUP; break;
    case QAbstractSlider::SliderToMinimum: code = SB_TOP; break;
    case QAbstractSlider::SliderToMaximum: code = SB_BOTTOM; break;
    case QAbstractSlider::SliderMove: code = SB_THUMBTRACK; break;
    default: return;
    }
    Guarded([&] { core_->WMScroll(vertical, code); });
    // The bar shows where the view is, whatever the action asked.
    sb->setSliderPosition(vertical ? core_->Scrollbars->OffsetY() : core_->Scrollbars->OffsetX());
}

uint32_t TLumeListview::Keys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) const {
    uint32_t keys = 0;
    if (buttons & Qt::LeftButton) keys |= MK_LBUTTON;
    if (buttons & Qt::RightButton) keys |= MK_RBUTTON;
    if (buttons & Qt::MiddleButton) keys |= MK_MBUTTON;
    if (modifiers & Qt::ShiftModifier) keys |= MK_SHIFT;
    if (modifiers & Qt::ControlModifier) keys |= MK_CONTROL;
    if (modifiers & Qt::AltModifier) keys |= 0x20;
    return keys;
}

bool TLumeListview::event(QEvent* e) {
    if (e->type() == kEditPending) {
        Guarded([&] { core_->EditPendingItem(); });
        return true;
    }
    if (e->type() == QEvent::ToolTip) {
        auto* help = static_cast<QHelpEvent*>(e);
        const QPoint pos = viewport()->mapFrom(this, help->pos());
        TCustomLumeListview::HintQuery q;
        Guarded([&] { q = core_->QueryHint(FromQPoint(pos), toolTip()); });
        if (!hint_) hint_ = new TLumeHintWindow(this);
        if (q.Allow)
            Guarded([&] { hint_->ShowHint(core_.get(), q.Target, q.Text, help->globalPos(), q.HideTimeout); });
        else
            hint_->hide();
        return true;
    }
    return QAbstractScrollArea::event(e);
}

bool TLumeListview::viewportEvent(QEvent* e) {
    if (e->type() == QEvent::Leave) Guarded([&] { core_->WMMouseLeave(); });
    if (e->type() == QEvent::ToolTip) return event(e);
    return QAbstractScrollArea::viewportEvent(e);
}

void TLumeListview::paintEvent(QPaintEvent* e) {
    EnsureBackBufferSize(viewport()->width(), viewport()->height());
    if (core_->UpdateCount == 0) {
        // One pass over the bounding rectangle: a pass paints whole rows and
        // the band, so a pass per rectangle would draw them over themselves.
        const QRect toPaint = (e->region() + invalid_).boundingRect();
        {
            LumeQtCanvas canvas(&backBuffer_, this);
            Guarded([&] { core_->WMPaint(&canvas, FromQRect(toPaint)); });
        }
        invalid_ = QRegion();
    }
    QPainter p(viewport());
    for (const QRect& r : e->region()) p.drawImage(r, backBuffer_, r);
}

void TLumeListview::resizeEvent(QResizeEvent* e) {
    QAbstractScrollArea::resizeEvent(e);
    EnsureBackBufferSize(viewport()->width(), viewport()->height());
    if (inScrollInfo_ > 0) return;  // the scroll bars' own relayout follows
    const QSize old = e->oldSize();
    Guarded([&] { core_->WMSize(old.width(), old.height(), e->size().width(), e->size().height()); });
}

void TLumeListview::mousePressEvent(QMouseEvent* e) {
    pressPos_ = e->position().toPoint();
    const uint32_t keys = Keys(e->buttons(), e->modifiers());
    const LumePoint p = FromQPoint(pressPos_);
    if (e->button() == Qt::LeftButton) Guarded([&] { core_->WMLButtonDown(keys, p); });
    if (e->button() == Qt::RightButton) Guarded([&] { core_->WMRButtonDown(keys, p); });
}

void TLumeListview::mouseReleaseEvent(QMouseEvent* e) {
    const uint32_t keys = Keys(e->buttons(), e->modifiers());
    const LumePoint p = FromQPoint(e->position().toPoint());
    if (e->button() == Qt::LeftButton) Guarded([&] { core_->WMLButtonUp(keys, p); });
    if (e->button() == Qt::RightButton) Guarded([&] { core_->WMRButtonUp(keys, p); });
}

void TLumeListview::mouseDoubleClickEvent(QMouseEvent* e) {
    pressPos_ = e->position().toPoint();
    const uint32_t keys = Keys(e->buttons() | e->button(), e->modifiers());
    const TLumeMouseButton button = e->button() == Qt::RightButton    ? TLumeMouseButton::embRight
                                    : e->button() == Qt::MiddleButton ? TLumeMouseButton::embMiddle
                                                                      : TLumeMouseButton::embLeft;
    Guarded([&] { core_->WMButtonDblClk(button, keys, FromQPoint(pressPos_)); });
}

void TLumeListview::mouseMoveEvent(QMouseEvent* e) {
    if (hint_ && hint_->isVisible()) hint_->hide();
    const uint32_t keys = Keys(e->buttons(), e->modifiers());
    Guarded([&] { core_->WMMouseMove(keys, FromQPoint(e->position().toPoint())); });
}

void TLumeListview::wheelEvent(QWheelEvent* e) {
    const QPoint angle = e->angleDelta();
    TShiftState shift;
    if (e->modifiers() & Qt::ShiftModifier) shift.Include(TShiftStateBit::ssShift);
    if (e->modifiers() & Qt::ControlModifier) shift.Include(TShiftStateBit::ssCtrl);
    const LumePoint at = FromQPoint(e->position().toPoint());
    // A sideways delta (a tilted wheel, a sideways swipe) scrolls sideways.
    if (angle.y() != 0)
        Guarded([&] { core_->DoMouseWheel(shift, angle.y(), at); });
    else if (angle.x() != 0)
        Guarded([&] { core_->DoMouseHorzWheel(shift, angle.x(), at); });
    e->accept();
}

namespace {

// The key's code as the core knows it. Qt's codes of printable characters
// are their character codes, and those of "!" to "(" equal the codes of Page
// Up to Down: a character that is neither a letter nor a digit takes a code
// of its own that no key acts on, and reaches the search as a character.
uint16_t VirtualKey(const QKeyEvent* e) {
    enum : uint16_t { kCharacterKey = 0xBA };
    const int key = e->key();
    switch (key) {
    case Qt::Key_Escape: return 0x1B;
    case Qt::Key_PageUp: return 0x21;
    case Qt::Key_PageDown: return 0x22;
    case Qt::Key_End: return 0x23;
    case Qt::Key_Home: return 0x24;
    case Qt::Key_Left: return 0x25;
    case Qt::Key_Up: return 0x26;
    case Qt::Key_Right: return 0x27;
    case Qt::Key_Down: return 0x28;
    case Qt::Key_F2: return 0x71;
    case Qt::Key_Return:
    case Qt::Key_Enter: return 0x0D;
    case Qt::Key_Space: return 0x20;
    default:
        if ((key >= Qt::Key_A && key <= Qt::Key_Z) || (key >= Qt::Key_0 && key <= Qt::Key_9)) return uint16_t(key);
        if (!e->text().isEmpty() && e->text().at(0).isPrint()) return kCharacterKey;
        return 0;
    }
}

}  // namespace

void TLumeListview::keyPressEvent(QKeyEvent* e) {
    const uint16_t key = VirtualKey(e);
    if (!key) {
        QAbstractScrollArea::keyPressEvent(e);
        return;
    }
    TShiftState shift;
    if (e->modifiers() & Qt::ShiftModifier) shift.Include(TShiftStateBit::ssShift);
    if (e->modifiers() & Qt::ControlModifier) shift.Include(TShiftStateBit::ssCtrl);
    if (e->modifiers() & Qt::AltModifier) shift.Include(TShiftStateBit::ssAlt);
    Guarded([&] { core_->WMKeyDown(key, shift); });
    if (!e->text().isEmpty() && e->text().at(0).isPrint() && !(e->modifiers() & (Qt::ControlModifier | Qt::AltModifier)))
        Guarded([&] { core_->WMChar(e->text()); });
    e->accept();
}

void TLumeListview::focusInEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusInEvent(e);
    Guarded([&] { core_->WMSetFocus(); });
}

void TLumeListview::focusOutEvent(QFocusEvent* e) {
    QAbstractScrollArea::focusOutEvent(e);
    Guarded([&] { core_->WMKillFocus(); });
}

void TLumeListview::contextMenuEvent(QContextMenuEvent* e) {
    bool shown = false;
    Guarded([&] { shown = core_->WMContextMenu(FromQPoint(e->globalPos())); });
    if (shown)
        e->accept();
    else
        e->ignore();
}

namespace {

TLumeKeyStates DropKeys(Qt::MouseButtons buttons, Qt::KeyboardModifiers modifiers) {
    TLumeKeyStates keys;
    if (modifiers & Qt::ControlModifier) keys.Include(TLumeKeyState::eksControl);
    if (modifiers & Qt::ShiftModifier) keys.Include(TLumeKeyState::eksShift);
    if (modifiers & Qt::AltModifier) keys.Include(TLumeKeyState::eksAlt);
    if (buttons & Qt::LeftButton) keys.Include(TLumeKeyState::eksLButton);
    if (buttons & Qt::RightButton) keys.Include(TLumeKeyState::eksRButton);
    if (buttons) keys.Include(TLumeKeyState::eksButton);
    return keys;
}

TLumeDropEffects Available(Qt::DropActions actions) {
    TLumeDropEffects effects;
    if (actions & Qt::CopyAction) effects.Include(TLumeDropEffect::edeCopy);
    if (actions & Qt::MoveAction) effects.Include(TLumeDropEffect::edeMove);
    if (actions & Qt::LinkAction) effects.Include(TLumeDropEffect::edeLink);
    return effects;
}

// Accepts the drop event with the effect the application wants, or refuses it.
void Answer(QDropEvent* e, TLumeDropEffect desired) {
    switch (desired) {
    case TLumeDropEffect::edeCopy: e->setDropAction(Qt::CopyAction); break;
    case TLumeDropEffect::edeMove: e->setDropAction(Qt::MoveAction); break;
    case TLumeDropEffect::edeLink: e->setDropAction(Qt::LinkAction); break;
    default: e->ignore(); return;
    }
    e->accept();
}

bool IsHeaderDrag(const QMimeData* mime) { return mime->hasFormat(QString::fromLatin1(kHeaderMimeType)); }

}  // namespace

void TLumeListview::dragEnterEvent(QDragEnterEvent* e) {
    if (IsHeaderDrag(e->mimeData())) {
        e->acceptProposedAction();
        return;
    }
    // Other data: the application decides (without a handler it is refused).
    LumeMimeDataObject data(e->mimeData());
    const TLumeKeyStates keys = DropKeys(e->buttons(), e->modifiers());
    TLumeDropEffect desired = KeyStatesToLumeDropEffect(keys);
    const LumePoint screen = FromQPoint(viewport()->mapToGlobal(e->position().toPoint()));
    Guarded([&] { core_->DoOLEDragEnter(&data, keys, screen, Available(e->possibleActions()), desired); });
    Answer(e, desired);
}

void TLumeListview::dragMoveEvent(QDragMoveEvent* e) {
    const LumePoint p = FromQPoint(e->position().toPoint());
    if (IsHeaderDrag(e->mimeData())) {
        Guarded([&] { core_->Header->DragManager->DragMove({p.X + core_->Scrollbars->OffsetX(), p.Y}, {}); });
        e->acceptProposedAction();
        return;
    }
    const TLumeKeyStates keys = DropKeys(e->buttons(), e->modifiers());
    TLumeDropEffect desired = KeyStatesToLumeDropEffect(keys);
    Guarded([&] {
        core_->DoOLEDragOver(keys, FromQPoint(viewport()->mapToGlobal(e->position().toPoint())),
                             Available(e->possibleActions()), desired);
    });
    Guarded([&] { core_->DragManager->DragOver(p); });
    Answer(e, desired);
}

void TLumeListview::dragLeaveEvent(QDragLeaveEvent* e) {
    Guarded([&] { core_->DoOLEDragLeave(); });
    Guarded([&] { core_->DragManager->ClearDropTarget(); });
    e->accept();
}

void TLumeListview::dropEvent(QDropEvent* e) {
    const LumePoint p = FromQPoint(e->position().toPoint());
    if (IsHeaderDrag(e->mimeData())) {
        bool moved = false;
        Guarded([&] {
            moved = core_->Header->DragManager->Drop(e->mimeData()->data(QString::fromLatin1(kHeaderMimeType)),
                                                     {p.X + core_->Scrollbars->OffsetX(), p.Y});
        });
        if (moved)
            e->acceptProposedAction();
        else
            e->ignore();
        return;
    }
    LumeMimeDataObject data(e->mimeData());
    const TLumeKeyStates keys = DropKeys(e->buttons(), e->modifiers());
    TLumeDropEffect desired = KeyStatesToLumeDropEffect(keys);
    Guarded([&] {
        core_->DoOLEDragDrop(&data, keys, FromQPoint(viewport()->mapToGlobal(e->position().toPoint())),
                             Available(e->possibleActions()), desired);
    });
    Guarded([&] { core_->DragManager->DragDrop(); });
    Answer(e, desired);
}

void TLumeListview::changeEvent(QEvent* e) {
    QAbstractScrollArea::changeEvent(e);
    if (!core_) return;
    if (e->type() == QEvent::StyleChange || e->type() == QEvent::PaletteChange) {
        LoadSystemColors(palette());
        core_->ThemeChanged();
        Invalidate(nullptr);
    } else if (e->type() == QEvent::FontChange) {
        core_->Font = font();
        core_->GroupFont = font();
        core_->Header->SetFont(font());
        core_->Groups->RebuildLayout(false);
        Invalidate(nullptr);
    }
}

}  // namespace lume
