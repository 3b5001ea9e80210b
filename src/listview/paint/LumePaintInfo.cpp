#include "listview/paint/LumePaintInfo.h"

#include "listview/LumeOwner.h"
#include "listview/layout/LumeHeader.h"

namespace lume {

void TLumePaintInfoBasic::Invalidate(bool immediateUpdate) {
    if (ILumeOwner* owner = Owner()) owner->InvalidateOwner(nullptr, immediateUpdate);
}

void TLumePaintInfoBasic::Assign(const TLumePaintInfoBasic& source) {
    Alignment = source.Alignment;
    Border = source.Border;
    BorderColor = source.BorderColor;
    CaptionIndent = source.CaptionIndent;
    CaptionLines = source.CaptionLines;
    CheckFlat = source.CheckFlat;
    CheckIndent = source.CheckIndent;
    CheckSize = source.CheckSize;
    CheckType = source.CheckType;
    ImageIndent = source.ImageIndent;
    VAlignment = source.VAlignment;
}

TLumePaintInfoBaseGroup::TLumePaintInfoBaseGroup(TCustomLumeListview* owner)
    : TLumePaintInfoBasic(owner),
      marginBottom_(std::make_unique<TLumeFooterMargin>(owner)),
      marginLeft_(std::make_unique<TLumeMargin>(owner)),
      marginRight_(std::make_unique<TLumeMargin>(owner)),
      marginTop_(std::make_unique<TLumeHeaderMargin>(owner)) {}

void TLumePaintInfoBaseGroup::Assign(const TLumePaintInfoBasic& source) {
    TLumePaintInfoBasic::Assign(source);
    auto* group = dynamic_cast<const TLumePaintInfoBaseGroup*>(&source);
    if (!group) return;
    BandBlended = group->BandBlended;
    BandColor = group->BandColor;
    BandColorFade = group->BandColorFade;
    BandEnabled = group->BandEnabled;
    BandFullWidth = group->BandFullWidth;
    BandIndent = group->BandIndent;
    BandLength = group->BandLength;
    BandMargin = group->BandMargin;
    BandRadius = group->BandRadius;
    BandThickness = group->BandThickness;
    Expandable = group->Expandable;
    ExpandImageIndent = group->ExpandImageIndent;
    marginBottom_->Assign(*group->marginBottom_);
    marginLeft_->Assign(*group->marginLeft_);
    marginRight_->Assign(*group->marginRight_);
    marginTop_->Assign(*group->marginTop_);
}

void TLumePaintInfoBaseGroup::SetMarginBottom(TCustomLumeFooterMargin* margin) {
    if (margin != marginBottom_.get()) marginBottom_.reset(margin);
}

void TLumePaintInfoBaseColumn::Invalidate(bool immediateUpdate) {
    if (ILumeOwner* owner = Owner()) owner->OwnerHeader()->Invalidate(immediateUpdate);
}

}  // namespace lume
