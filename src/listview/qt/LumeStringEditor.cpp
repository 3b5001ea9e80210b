#include "listview/qt/LumeStringEditor.h"

#include "listview/paint/LumeGlyphs.h"
#include "listview/paint/LumeText.h"
#include "listview/qt/LumeQtCanvas.h"
#include "listview/qt/LumeListviewWidget.h"
#include "listview/qt/LumeQtRect.h"

#include <QKeyEvent>
#include <QPlainTextEdit>
#include <QTimer>

#include <cmath>

namespace lume {

TLumeStringEditor::~TLumeStringEditor() { ReleaseEditor(); }

void TLumeStringEditor::PrepareEditor(TLumeItem* item) {
    item_ = item;
    TCustomLumeListview* lv = listview_->Core();
    box_ = new QPlainTextEdit(listview_->viewport());
    box_->hide();
    box_->setFont(lv->Font);
    box_->setFrameStyle(QFrame::Box | QFrame::Plain);
    box_->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    box_->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box_->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    box_->setPlainText(item->Caption());
    // Little room around the text, as an edit box over a caption has.
    box_->document()->setDocumentMargin(1);
    box_->installEventFilter(this);
    item->ItemRectArray(lv->Header->FirstColumn(), lv->MeasureCanvas(), rects_);
    // A first column that shows only a picture has no room for a caption: the
    // box goes over the item's own cell in it.
    if (rects_.EditRect.IsEmpty()) rects_.EditRect = rects_.BoundsRect;
    if (rects_.LabelRect.IsEmpty()) rects_.LabelRect = rects_.BoundsRect;
    LumeRect r = Inflate(lv->Scrollbars->MapViewRectToWindow(rects_.EditRect), 8, 2);
    // A box over the first column would start left of the list and cut its text.
    if (r.Left < 0) r = r.Offset(-r.Left, 0);
    const int minimum = box_->fontMetrics().lineSpacing() + Chrome();
    if (r.Height() < minimum) r.Bottom = r.Top + minimum;
    box_->setGeometry(ToQRect(r));
    const bool centred = lv->View() == TLumeListStyle::elsIcon || lv->IsThumbnailView();
    QTextOption option = box_->document()->defaultTextOption();
    option.setAlignment(centred ? Qt::AlignHCenter : Qt::AlignLeft);
    box_->document()->setDefaultTextOption(option);
    modified_ = false;
}

bool TLumeStringEditor::eventFilter(QObject* watched, QEvent* event) {
    if (watched != box_ || event->type() != QEvent::KeyPress) return false;
    auto* key = static_cast<QKeyEvent*>(event);
    modified_ = true;
    if (key->key() == Qt::Key_Return || key->key() == Qt::Key_Enter) {
        // The handlers the commit fires are the control's: what they throw
        // takes the control's way to the fatal-error box.
        listview_->Guard([this] { listview_->Core()->EditManager->CommitEdit(); });
        return true;
    }
    if (key->key() == Qt::Key_Tab && !(key->modifiers() & Qt::ControlModifier)) {
        box_->insertPlainText(QStringLiteral(" "));  // a tab would end up in a caption
        FitToText();
        return true;
    }
    // Fitted once the character is in the text.
    QTimer::singleShot(0, this, &TLumeStringEditor::FitToText);
    return false;
}

void TLumeStringEditor::FitToText() {
    if (!box_) return;
    TCustomLumeListview* lv = listview_->Core();
    const bool centred = lv->View() == TLumeListStyle::elsIcon || lv->IsThumbnailView();
    QImage probe(1, 1, QImage::Format_RGB32);
    LumeQtCanvas canvas(&probe, box_);
    canvas.Font = box_->font();
    const QString text = box_->toPlainText().isEmpty() ? QStringLiteral(" ") : box_->toPlainText();
    LumeRect r = lv->Scrollbars->MapViewRectToWindow(Inflate(rects_.LabelRect, -4, -2));
    const uint32_t flags = wtfCalcRect | wtfCalcGrowRight | wtfCalcClampWidth | (centred ? wtfCenter : (wtfLeft | wtfVCenter));
    DrawWideTextInRect(&canvas, text, r, flags, -1);
    const int textHeight = r.Height();
    r = Inflate(r, 8, 2);
    if (r.Left < 0) r = r.Offset(-r.Left, 0);
    // The text's lines need the box's frame and margins around them too,
    // else the box scrolls them out of sight.
    r.Bottom = std::max(r.Bottom, r.Top + textHeight + Chrome());
    const int average = canvas.TextMetrics().AveCharWidth;
    r.Right = std::min(r.Right, lv->ClientWidth() - average + 8);
    r.Bottom = std::min(r.Bottom, lv->ClientHeight() - 2);
    if (!centred) r.Right += average;
    const int minimum = box_->fontMetrics().lineSpacing() + Chrome();
    if (r.Height() < minimum) r.Bottom = r.Top + minimum;
    box_->setGeometry(ToQRect(r));
}

int TLumeStringEditor::Chrome() const {
    return 2 * (box_->frameWidth() + int(std::ceil(box_->document()->documentMargin())));
}

bool TLumeStringEditor::CommitEdit() {
    if (!box_ || !item_) return false;
    TCustomLumeListview* lv = listview_->Core();
    QVariant value = box_->toPlainText();
    bool accept = true;
    lv->DoItemEdited(item_, value, accept);
    // A handler that listed the items again took the item and the edit with it.
    if (!item_ || item_->Destroying()) return true;
    if (accept) {
        item_->SetCaption(value.toString());
        lv->EditManager->StopEditing();
    }
    return accept;
}

void TLumeStringEditor::HideEditor() {
    if (box_) box_->hide();
}

void TLumeStringEditor::ShowEditor() {
    if (box_) box_->show();
}

void TLumeStringEditor::FocusEditor() {
    if (!box_) return;
    box_->setFocus();
    box_->selectAll();
}

bool TLumeStringEditor::PointInEditor(LumePoint p) { return box_ && box_->geometry().contains(QPoint(p.X, p.Y)); }

void TLumeStringEditor::ReleaseEditor() {
    if (box_) {
        box_->removeEventFilter(this);
        box_->hide();
        box_->deleteLater();
    }
    box_.clear();
    item_ = nullptr;
}

}  // namespace lume
