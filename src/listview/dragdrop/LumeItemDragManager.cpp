// Dragging items out of the control through the window system's drag, and
// the drop target mark while something is dragged over it.
#include "listview/paint/LumeCanvas.h"
#include "listview/paint/LumeColors.h"
#include "listview/dragdrop/LumeDataObject.h"
#include "listview/dragdrop/LumeDragManagers.h"
#include "listview/LumeListview.h"

#include <QPainter>

namespace lume {

TLumeDragManager::TLumeDragManager(TCustomLumeListview* owner) : TLumeOwnedPersistent(owner) {
    DefaultImageHandler = [this](TCustomLumeListview* sender, QImage* image, LumePoint dragStart, LumePoint& hotSpot,
                                 TColor& transparent, bool& handled) {
        DefaultDragImage(sender, image, dragStart, hotSpot, transparent, handled);
    };
}

TLumeDragManager::~TLumeDragManager() = default;

void TLumeDragManager::BeginDrag(LumePoint windowPoint, TLumeKeyStates) {
    TCustomLumeListview* lv = OwnerListview;
    Dragging = false;
    if (!Enabled || !DragItem) return;
    // The application may drag an object of its own; it keeps owning it.
    ILumeDataObject* data = nullptr;
    lv->DoOLEGetDataObject(data);
    if (!data) {
        data_ = std::make_unique<TLumeDataObjectManager>(lv);
        data = data_.get();
    }
    TLumeDropEffects available{TLumeDropEffect::edeCopy, TLumeDropEffect::edeMove, TLumeDropEffect::edeLink};
    bool allow = false;
    lv->DoOLEDragStart(data, available, allow);
    if (!allow) {
        data_.reset();
        return;
    }
    // Only our own object can carry the picture.
    if (EnableDragImage && data_) {
        int width = 0, height = 0;
        GetDragImageSize(width, height);
        QImage image(qMax(width, 0), qMax(height, 0), QImage::Format_ARGB32_Premultiplied);
        LumePoint hotSpot{0, 0};
        TColor transparent = clWindow;
        bool handled = false;
        lv->DoGetDragImage(&image, windowPoint, hotSpot, transparent, handled);
        if (!handled && DefaultImageHandler) DefaultImageHandler(lv, &image, windowPoint, hotSpot, transparent, handled);
        if (handled) data_->SetDragImage(image, hotSpot, transparent);
    }
    Dragging = true;
    TLumeDropEffect effect = TLumeDropEffect::edeNone;
    if (SystemDrag) effect = SystemDrag(data, available);
    Dragging = false;
    const TLumeOLEDragResult result =
        effect == TLumeDropEffect::edeNone ? TLumeOLEDragResult::edrCancel : TLumeOLEDragResult::edrDrop;
    TLumeDropEffects chosen;
    chosen.Include(effect);
    lv->DoOLEDragEnd(data, result, chosen);
    data_.reset();
}

void TLumeDragManager::DefaultDragImage(TCustomLumeListview* sender, QImage* image, LumePoint dragStart,
                                        LumePoint& hotSpot, TColor& transparent, bool& handled) {
    if (!image || image->isNull() || !sender || !sender->Host()) return;
    transparent = sender->Color;
    const int w = image->width();
    const int h = image->height();
    LumeRect r{dragStart.X - w / 2, dragStart.Y - h / 2, dragStart.X + w / 2, dragStart.Y + h / 2};
    hotSpot = {(r.Right - r.Left) / 2, (r.Bottom - r.Top) / 2};
    if (r.Left < 0) hotSpot.X += r.Left;
    if (r.Top < 0) hotSpot.Y += r.Top;
    const LumeRect client = sender->Host()->ClientRect();
    r = r.Intersected(client);
    // Whatever the cut leaves uncovered shows through.
    image->fill(ToQColor(transparent));
    if (client.Width() <= 0 || client.Height() <= 0) return;
    QImage screen(client.Width(), client.Height(), QImage::Format_ARGB32_Premultiplied);
    std::unique_ptr<TLumeCanvas> canvas = sender->Host()->ImageCanvas(&screen);
    if (!canvas) return;
    canvas->BrushColor = sender->Color;
    canvas->BrushStyle = LumeBrushStyle::Solid;
    canvas->FillRect(client);
    sender->PaintRect(canvas.get(), client, true);
    canvas.reset();
    if (!r.IsEmpty()) {
        QPainter painter(image);
        painter.setCompositionMode(QPainter::CompositionMode_Source);
        painter.drawImage(QPoint(0, 0), screen, QRect(r.Left, r.Top, r.Width(), r.Height()));
    }
    handled = true;
}

void TLumeDragManager::DragOver(LumePoint clientPoint) {
    TCustomLumeListview* lv = OwnerListview;
    if (lv->IsHeaderMouseMsg(clientPoint, true)) return;
    const LumePoint p = lv->Scrollbars->MapWindowToView(clientPoint);
    TLumeItem* item = lv->Groups->ItemAt(p);
    if (item && item->SelectionHitPt(p, false)) {
        if (item == DropTargetItem) return;
        ClearDropTarget();
        DropTargetItem = item;
        item->SetDropTarget(true);
    } else {
        ClearDropTarget();
    }
}

void TLumeDragManager::ClearDropTarget() {
    TLumeItem* item = DropTargetItem;
    DropTargetItem = nullptr;
    if (item) item->SetDropTarget(false);
}

}  // namespace lume
