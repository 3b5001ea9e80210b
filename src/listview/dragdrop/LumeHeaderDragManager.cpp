// Dragging a column button to another place in the header.
#include "listview/dragdrop/LumeDragManagers.h"

#include "listview/LumeOwner.h"
#include "listview/layout/LumeHeader.h"

#include <QCoreApplication>
#include <QDataStream>
#include <QIODevice>

namespace lume {

const char* const kHeaderMimeType = "application/x-lumelistview-header";

QByteArray TLumeHeaderDragRecord::Encode() const {
    QByteArray bytes;
    QDataStream out(&bytes, QIODevice::WriteOnly);
    out << Process << quint64(Control) << qint32(Column);
    return bytes;
}

bool TLumeHeaderDragRecord::Decode(const QByteArray& bytes, TLumeHeaderDragRecord& record) {
    QDataStream in(bytes);
    quint64 control = 0;
    qint32 column = -1;
    in >> record.Process >> control >> column;
    if (in.status() != QDataStream::Ok) return false;
    record.Control = quintptr(control);
    record.Column = column;
    return true;
}

QByteArray TLumeHeaderDragManager::DragData() const {
    TLumeHeaderDragRecord record{QCoreApplication::applicationPid(), quintptr(OwnerListview),
                                 Column ? Column->Index() : -1};
    return record.Encode();
}

void TLumeHeaderDragManager::BeginDrag(LumePoint, TLumeKeyStates) {
    Dragging = Column != nullptr;
    if (!Dragging || !SystemDrag) return;
    // The system's drag runs to its end here; moves and the drop reach this
    // manager through the widget's drag events.
    SystemDrag(DragData());
    EndDrag();
}

void TLumeHeaderDragManager::DragMove(LumePoint viewPoint, TLumeKeyStates) {
    if (!Dragging) return;
    TLumeColumn* target = Owner()->OwnerHeader()->Columns->ColumnAt({viewPoint.X, 0});
    if (target == DropColumn) return;
    if (DropColumn) DropColumn->SetStateBit(ecisDropMark, false);
    DropColumn = target;
    if (DropColumn) DropColumn->SetStateBit(ecisDropMark, true);
    Owner()->OwnerHeader()->Invalidate(false);
}

bool TLumeHeaderDragManager::Drop(const QByteArray& data, LumePoint viewPoint) {
    TLumeHeaderDragRecord record;
    TLumeColumns& columns = *Owner()->OwnerHeader()->Columns;
    const bool ours = TLumeHeaderDragRecord::Decode(data, record) &&
                      record.Process == QCoreApplication::applicationPid() &&
                      record.Control == quintptr(OwnerListview) && record.Column >= 0 && record.Column < columns.Count();
    TLumeColumn* target = columns.ColumnAt({viewPoint.X, 0});
    if (ours && target) columns.At(record.Column)->SetPosition(target->Position());
    EndDrag();
    return ours && target;
}

void TLumeHeaderDragManager::EndDrag() {
    if (DropColumn) DropColumn->SetStateBit(ecisDropMark, false);
    DropColumn = nullptr;
    Dragging = false;
    Column = nullptr;
    Owner()->OwnerHeader()->ClearStates();
    Owner()->OwnerHeader()->Invalidate(false);
}

}  // namespace lume
