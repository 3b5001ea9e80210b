#include "listview/layout/LumeMargins.h"

#include "listview/LumeOwner.h"
#include "listview/model/LumeGroups.h"

namespace lume {

void TLumeMargin::Relayout() {
    if (ILumeOwner* owner = Owner()) owner->OwnerGroups()->RebuildLayout(false);
}

void TLumeMargin::SetSize(int value) {
    value = std::max(0, value);
    if (value == size_) return;
    size_ = value;
    Relayout();
}

void TLumeMargin::SetVisible(bool value) {
    if (value == visible_) return;
    visible_ = value;
    Relayout();
}

int TLumeMargin::RuntimeSize() const {
    return visible_ && Owner() && Owner()->ShowGroupMargins() ? size_ : 0;
}

void TLumeMargin::Assign(const TLumeMargin& source) {
    size_ = source.size_;
    visible_ = source.visible_;
}

TCustomLumeFooterMargin::TCustomLumeFooterMargin(TCustomLumeListview* owner) : TLumeMargin(owner) {}

TCustomLumeFooterMargin::~TCustomLumeFooterMargin() = default;

void TCustomLumeFooterMargin::SetCaption(const QString& value) {
    if (value == caption_) return;
    caption_ = value;
    Relayout();
}

void TCustomLumeFooterMargin::Assign(const TLumeMargin& source) {
    TLumeMargin::Assign(source);
    if (auto* footer = dynamic_cast<const TCustomLumeFooterMargin*>(&source)) caption_ = footer->caption_;
}

}  // namespace lume
