// The four margins of a group: header (top), footer (bottom), left, right.
#pragma once

#include "listview/LumePersistent.h"
#include "listview/LumeTypes.h"

#include <memory>

namespace lume {

class TLumePaintInfoBaseGroup;

class TLumeMargin : public TLumeOwnedPersistent {
public:
    explicit TLumeMargin(TCustomLumeListview* owner) : TLumeOwnedPersistent(owner) {}
    int Size() const { return size_; }
    bool Visible() const { return visible_; }
    void SetSize(int value);
    void SetVisible(bool value);
    // Size when shown and the control shows group margins, else 0.
    int RuntimeSize() const;
    virtual void Assign(const TLumeMargin& source);

protected:
    void Relayout();
    int size_ = 30;
    bool visible_ = false;
};

class TLumeHeaderMargin : public TLumeMargin {
public:
    explicit TLumeHeaderMargin(TCustomLumeListview* owner) : TLumeMargin(owner) { visible_ = true; }
};

class TCustomLumeFooterMargin : public TLumeMargin {
public:
    explicit TCustomLumeFooterMargin(TCustomLumeListview* owner);
    ~TCustomLumeFooterMargin() override;
    const QString& Caption() const { return caption_; }
    void SetCaption(const QString& value);
    int ImageIndex = -1;
    int ImageOverlayIndex = -1;
    // Its own paint settings when given; else those of the bottom margin of
    // the control's group paint settings.
    std::unique_ptr<TLumePaintInfoBaseGroup> PaintInfo;
    void Assign(const TLumeMargin& source) override;

private:
    QString caption_;
};

class TLumeFooterMargin : public TCustomLumeFooterMargin {
public:
    using TCustomLumeFooterMargin::TCustomLumeFooterMargin;
};

}  // namespace lume
