// The default in-place editor: a text box over the item's caption. The
// caption is edited as Unicode and written back only when committed.
#pragma once

#include "listview/input/LumeEditManager.h"
#include "listview/paint/LumeViews.h"

#include <QObject>
#include <QPointer>

#include <QPlainTextEdit>

namespace lume {

class TLumeListview;

class TLumeStringEditor : public QObject, public ILumeCellEditor {
    Q_OBJECT
public:
    explicit TLumeStringEditor(TLumeListview* listview) : listview_(listview) {}
    ~TLumeStringEditor() override;
    bool CommitEdit() override;
    bool IsChanged() override { return modified_; }
    void HideEditor() override;
    void PrepareEditor(TLumeItem* item) override;
    void ReleaseEditor() override;
    bool PointInEditor(LumePoint clientPoint) override;
    void FocusEditor() override;
    void ShowEditor() override;
    QPlainTextEdit* EditBox() const { return box_.data(); }

    // Fits the box to its text, after each key.
    void FitToText();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // What the box's frame and text margins take of its height.
    int Chrome() const;

    TLumeListview* listview_;
    QPointer<QPlainTextEdit> box_;
    TLumeItem* item_ = nullptr;
    bool modified_ = false;
    TLumeRectArrayObject rects_;
};

}  // namespace lume
