// In-place editing: an editor placed over the item's caption, a loop that
// runs until the edit ends, and the decisions that end or commit it.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

#include <functional>
#include <memory>

namespace lume {

class TLumeItem;

class ILumeCellEditor {
public:
    virtual ~ILumeCellEditor() = default;
    virtual bool CommitEdit() = 0;
    virtual bool IsChanged() = 0;
    virtual void HideEditor() = 0;
    virtual void PrepareEditor(TLumeItem* item) = 0;
    virtual void ReleaseEditor() = 0;
    virtual bool PointInEditor(LumePoint clientPoint) = 0;
    virtual void FocusEditor() = 0;
    virtual void ShowEditor() = 0;
};

class TLumeEditManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    ~TLumeEditManager() override;

    int AutoEditDelayTime = 300;
    bool EditFinished = false;
    bool Editing = false;
    TLumeItem* EditItem = nullptr;
    bool TabMoveFocus = false;
    TLumeItem* PendingEditItem = nullptr;
    bool EditTimerRunning = false;
    int EditTimer = 0;
    // Makes the default editor; the widget supplies it.
    std::function<ILumeCellEditor*(TLumeItem*)> DefaultEditor;

    bool Enabled() const { return enabled_; }
    void SetEnabled(bool value);
    // Runs an edit to its end.
    virtual void BeginEdit(TLumeItem* item);
    bool IsEditing() const { return Editing || PendingEditItem; }
    void StopEditing() { EditFinished = true; }
    void ScheduleEdit();
    void CancelScheduledEdit();
    ILumeCellEditor* Editor() const { return editor_.get(); }

    // What the edit loop decides on the inputs it sees.
    void EndEdit();
    // Offers the value; a refused one keeps the edit going.
    bool CommitEdit();
    // Tab (Ctrl+Tab backward) with TabMoveFocus: answers true when consumed.
    bool TabPressed(bool backward);
    // A press at a client point: answers true when the press is swallowed.
    bool PressAt(LumePoint clientPoint, bool insideControl, bool& passOn);
    // The item or the control is going away: the edit ends, the value dropped.
    void Forget(TLumeItem* item);
    // The layout was built again: an edit whose item moved (another view, a
    // list filled again around it) ends, the value dropped, so that the box
    // does not stay over another item.
    void LayoutChanged();

private:
    bool enabled_ = false;
    bool ended_ = true;
    // Where the item lay in the window, and in which view, when the box was placed over it.
    LumeRect placedAt_;
    TLumeListStyle placedView_ = TLumeListStyle::elsIcon;
    std::unique_ptr<ILumeCellEditor> editor_;
};

}  // namespace lume
