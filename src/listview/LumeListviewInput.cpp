// Mouse, keyboard, wheel, focus and scroll-bar input of the control.
// Every entry point holds the freeing of what its handlers free, whichever
// host calls it: the input goes on with the objects it found.
#include "listview/LumeListview.h"

#include "listview/paint/LumeGlyphs.h"
#include "listview/paint/LumeText.h"

namespace lume {

namespace {

enum : uint16_t {
    VK_ESCAPE = 0x1B, VK_PRIOR = 0x21, VK_NEXT = 0x22, VK_END = 0x23, VK_HOME = 0x24, VK_LEFT = 0x25, VK_UP = 0x26,
    VK_RIGHT = 0x27, VK_DOWN = 0x28, VK_F2 = 0x71
};

}  // namespace

bool TCustomLumeListview::IsHeaderMouseMsg(LumePoint windowPoint, bool forceTest) {
    if (!forceTest && (DragRectManager->Dragging || DragManager->Dragging || Header->DragManager->Dragging))
        return false;
    if (IsHeaderView() && Header->HeaderRect().Contains(windowPoint)) return true;
    return (States & ebcsHeaderCapture) || Header->Has(ehfClicking);
}

void TCustomLumeListview::WMLButtonDown(uint32_t keys, LumePoint windowPoint) {
    TLumeFreeingHold hold(this);
    States |= ebcsLButtonDown;
    if (IsHeaderMouseMsg(windowPoint, false)) {
        Header->WMLButtonDown(keys, windowPoint);
        return;
    }
    MouseDown(TLumeMouseButton::embLeft, keys, windowPoint);
}

void TCustomLumeListview::WMRButtonDown(uint32_t keys, LumePoint windowPoint) {
    TLumeFreeingHold hold(this);
    States |= ebcsRButtonDown;
    if (IsHeaderMouseMsg(windowPoint, false)) {
        Header->WMRButtonDown(keys, windowPoint);
        return;
    }
    MouseDown(TLumeMouseButton::embRight, keys, windowPoint);
}

void TCustomLumeListview::WMLButtonUp(uint32_t keys, LumePoint windowPoint) {
    TLumeFreeingHold hold(this);
    if (IsHeaderMouseMsg(windowPoint, false)) {
        Header->WMLButtonUp(keys, windowPoint);
        Header->WMMouseMove(keys, windowPoint);
    } else {
        MouseUp(TLumeMouseButton::embLeft, keys, windowPoint);
        if (HasWindow()) host_->ReleaseCapture();
    }
    ClearStates();
}

void TCustomLumeListview::WMRButtonUp(uint32_t keys, LumePoint windowPoint) {
    TLumeFreeingHold hold(this);
    if (IsHeaderMouseMsg(windowPoint, false)) {
        Header->WMRButtonUp(keys, windowPoint);
    } else {
        MouseUp(TLumeMouseButton::embRight, keys, windowPoint);
        if (HasWindow()) host_->ReleaseCapture();
    }
    ClearStates();
}

void TCustomLumeListview::MouseDown(TLumeMouseButton button, uint32_t keys, LumePoint windowPoint) {
    const TLumeKeyStates keyStates = KeyStatesToLumeKeyStates(keys);
    const bool ctrl = keyStates.Has(TLumeKeyState::eksControl);
    const bool shift = keyStates.Has(TLumeKeyState::eksShift);
    const LumePoint p = Scrollbars->MapWindowToView(windowPoint);
    TLumeSelectionManager& sel = *Selection();
    TLumeGroupHitTestInfos gh;
    TLumeGroup* group = GroupHitTest(p, gh);
    TLumeItem* item = nullptr;
    if (group) {
        if (gh.Has(TLumeGroupHitTestInfo::egtOnExpandButton)) {
            if (button != TLumeMouseButton::embLeft) return;
            bool allow = true;
            if (group->Expanded())
                DoGroupCollapsing(group, allow);
            else
                DoGroupExpanding(group, allow);
            if (!allow || group->Destroying()) return;
            BeginUpdate(true);
            try {
                States |= ebcsGroupExpandPending;
                group->SetExpanded(!group->Expanded());
                if (group->Expanded())
                    DoGroupExpand(group);
                else
                    DoGroupCollapse(group);
            } catch (...) {
                EndUpdate(true);
                throw;
            }
            EndUpdate(true);
            return;
        }
        if (gh.Has(TLumeGroupHitTestInfo::egtOnCheckbox)) {
            if (button != TLumeMouseButton::embLeft) return;
            States |= ebcsCheckPending;
            HotTrack->SetCheckHotObject(nullptr);
            CheckManager->SetPendingObject(group);
            return;
        }
        if (group->Expanded()) {
            TLumeItemHitTestInfos ih;
            item = ItemHitTest(p, group, ih);
            if (item) {
                if (ih.Has(TLumeItemHitTestInfo::ehtOnCheck)) {
                    if (button != TLumeMouseButton::embLeft) return;
                    States |= ebcsCheckPending;
                    HotTrack->SetCheckHotObject(nullptr);
                    CheckManager->SetPendingObject(item);
                    return;
                }
                if (!sel.Enabled()) {
                    if (sel.UseFocusRect) sel.SetFocusedItem(item);
                    return;
                }
                if (item->SelectionHitPt(p, false)) {
                    if (!sel.MouseButton.Has(button)) return;
                    const bool editAfter = item == sel.FocusedItem() && item->EditAreaHitPt(p) && item->Selected();
                    if (sel.MultiSelect()) {
                        if (item != sel.FocusedItem() && !ctrl) sel.SetFocusedItem(item);
                        if (!item->Selected() && !ctrl && !shift) sel.ClearAll();
                        if (!shift) sel.SetAnchorItem(item);
                        if (shift) sel.SelectRange(sel.AnchorItem(), item, true, sel.RectSelect);
                    } else {
                        if (item != sel.FocusedItem()) sel.SetFocusedItem(item);
                        sel.SetAnchorItem(item);
                        sel.ClearAll();
                    }
                    // A handler of these changes may have listed the items again:
                    // the item pressed is gone, and the press with it.
                    if (item->Destroying()) return;
                    if (!ctrl) item->SetSelected(true);
                    if (item->Destroying()) return;
                    if (DragManager->Enabled) {
                        DragManager->DragItem = item;
                        States |= ebcsDragPending;
                    } else if (sel.MouseButtonSelRect().Has(button)) {
                        InitiateDragOrRect(item, windowPoint, keyStates);
                    }
                    if (editAfter) ScheduleEdit(p);
                    return;
                }
            }
        }
    }
    if (sel.MouseButtonSelRect().Has(button)) InitiateDragOrRect(item, windowPoint, keyStates);
}

void TCustomLumeListview::InitiateDragOrRect(TLumeItem* item, LumePoint windowPoint, TLumeKeyStates keys) {
    if (HasWindow()) host_->SetCapture();
    const TLumeMouseButton button = keys.Has(TLumeKeyState::eksRButton)   ? TLumeMouseButton::embRight
                                    : keys.Has(TLumeKeyState::eksMButton) ? TLumeMouseButton::embMiddle
                                                                          : TLumeMouseButton::embLeft;
    const bool rectOk = DragRectManager->DragStartCheck(windowPoint, button);
    const bool dragOk = DragManager->DragStartCheck(item);
    if (DragManager->DragItem && dragOk) {
        States |= ebcsDragPending;
        DragRectManager->ClearStart();
    } else if (rectOk) {
        States |= ebcsDragSelectPending;
        DragManager->ClearDragItem();
    }
}

void TCustomLumeListview::MouseUp(TLumeMouseButton button, uint32_t keys, LumePoint windowPoint) {
    if (!(States & (ebcsLButtonDown | ebcsRButtonDown | ebcsMButtonDown)) || (States & ebcsGroupExpandPending)) return;
    const TLumeKeyStates keyStates = KeyStatesToLumeKeyStates(keys);
    const bool ctrl = keyStates.Has(TLumeKeyState::eksControl);
    const bool shift = keyStates.Has(TLumeKeyState::eksShift);
    const LumePoint p = Scrollbars->MapWindowToView(windowPoint);
    TLumeSelectionManager& sel = *Selection();
    if (States & ebcsCheckPending) {
        TLumeGroupHitTestInfos gh;
        TLumeGroup* group = GroupHitTest(p, gh);
        TLumeCollectionItem* pending = CheckManager->PendingObject();
        if (dynamic_cast<TLumeGroup*>(pending)) {
            if (group && gh.Has(TLumeGroupHitTestInfo::egtOnCheckbox)) group->SetChecked(!group->Checked());
        } else if (pending) {
            TLumeItemHitTestInfos ih;
            TLumeItem* item = ItemHitTest(p, group, ih);
            if (item && ih.Has(TLumeItemHitTestInfo::ehtOnCheck)) item->SetChecked(!item->Checked());
        }
        if (pending) {
            pending->SetCheckHot(false);
            pending->SetCheckPending(false);
        }
        CheckManager->SetPendingObject(nullptr);
        return;
    }
    if (!(States & (ebcsDragSelecting | ebcsDragging))) {
        TLumeItemHitTestInfos ih;
        TLumeItem* item = ItemHitTest(p, nullptr, ih);
        bool clear = true;
        if (item) {
            DoItemClick(item, keyStates, ih);
            // A handler that listed the items again leaves the new list's
            // selection as it made it.
            if (item->Destroying()) {
                clear = false;
            } else if (item->SelectionHitPt(p, false)) {
                clear = false;
                if (sel.MultiSelect()) {
                    if (shift || ctrl || (item->Selected() && button != TLumeMouseButton::embLeft)) {
                        if (ctrl) {
                            CancelScheduledEdit();
                            item->SetSelected(!item->Selected());
                            item->SetFocused(true);
                        }
                    } else {
                        sel.ClearAllExcept(item);
                    }
                }
            }
        } else {
            TLumeGroupHitTestInfos gh;
            if (TLumeGroup* group = GroupHitTest(p, gh)) DoGroupClick(group, keyStates, gh);
        }
        if (clear) sel.ClearAll();
    }
    if ((States & ebcsDragging) && (States & ebcsVCLDrag) && !(States & ebcsDragSelecting)) return;
    EndDrags(windowPoint, keyStates);
}

void TCustomLumeListview::EndDrags(LumePoint windowPoint, TLumeKeyStates keys) {
    if (States & ebcsDragging) {
        States &= ~ebcsDragging;
        DragManager->DragEnd(windowPoint, keys);
    }
    if (States & ebcsDragSelecting) {
        States &= ~ebcsDragSelecting;
        DragRectManager->DragEnd(windowPoint, keys);
    }
    ClearStates();
    if (HasWindow()) host_->ReleaseCapture();
}

void TCustomLumeListview::WMMouseMove(uint32_t keys, LumePoint windowPoint) {
    TLumeFreeingHold hold(this);
    if (IsHeaderMouseMsg(windowPoint, false)) {
        HotTrack->SetHotObject({}, nullptr);
        Header->WMMouseMove(keys, windowPoint);
        return;
    }
    if (HasWindow()) host_->SetCursor(LumeCursor::Default);
    const TLumeKeyStates keyStates = KeyStatesToLumeKeyStates(keys);
    const LumePoint p = Scrollbars->MapWindowToView(windowPoint);
    if (States & (ebcsDragPending | ebcsDragging | ebcsDragSelectPending | ebcsDragSelecting)) {
        if (States & ebcsDragSelecting) {
            DragRectManager->DragMove(windowPoint, keyStates);
        } else if (States & ebcsDragging) {
            DragManager->DragMove(windowPoint, keyStates);
        } else if (HasWindow() && host_->DragDetect(windowPoint)) {
            if (States & ebcsDragSelectPending) {
                States |= ebcsDragSelecting;
                States &= ~ebcsDragSelectPending;
                if (!keyStates.Has(TLumeKeyState::eksControl) && !keyStates.Has(TLumeKeyState::eksShift))
                    Selection()->ClearAll();
                CancelScheduledEdit();
                DragRectManager->DragStart(windowPoint, keyStates);
            } else if (States & ebcsDragPending) {
                if (TLumeItem* item = Groups->ItemAt(p)) {
                    if (keyStates.Has(TLumeKeyState::eksControl)) {
                        item->SetSelected(true);
                        item->SetFocused(true);
                    }
                    States |= ebcsDragging;
                    States &= ~ebcsDragPending;
                    CancelScheduledEdit();
                    const uint16_t down = States;
                    try {
                        DragManager->BeginDrag(windowPoint, keyStates);
                    } catch (...) {
                        if (down & ebcsLButtonDown) WMLButtonUp(keys, windowPoint);
                        throw;
                    }
                    if (!(States & ebcsVCLDrag)) {
                        if (down & ebcsLButtonDown)
                            WMLButtonUp(keys, windowPoint);
                        else
                            WMRButtonUp(keys, windowPoint);
                    }
                } else {
                    Selection()->ClearAll();
                    States &= ~ebcsDragPending;
                    if (DragRectManager->Enabled) States |= ebcsDragSelectPending;
                }
            }
        }
        return;
    }
    TLumeCollectionItem* hot = nullptr;
    TLumeCollectionItem* check = nullptr;
    if (TLumeGroup* group = Groups->GroupAt(p)) {
        TLumeGroupHitTestInfos gh;
        if (group->HitTestAt(p, gh)) {
            if (gh.Has(TLumeGroupHitTestInfo::egtOnCheckbox))
                check = group;
            else if (!gh.IsEmpty())
                hot = group;
        }
    }
    if (!hot && !check) {
        if (TLumeItem* item = Groups->ItemAt(p)) {
            TLumeItemHitTestInfos ih;
            if (item->HitTestAt(p, ih)) {
                if (ih.Has(TLumeItemHitTestInfo::ehtOnCheck))
                    check = item;
                else
                    hot = item;
            }
        }
    }
    if (States & ebcsCheckPending) {
        if (TLumeCollectionItem* pending = CheckManager->PendingObject()) pending->SetCheckHot(check != pending);
        check = nullptr;
    }
    if ((States & ebcsCheckPending) || !Focused() || !ClientRect().Contains(windowPoint)) hot = nullptr;
    HotTrack->SetHotObject(windowPoint, hot);
    HotTrack->SetCheckHotObject(check);
}

void TCustomLumeListview::WMMouseLeave() {
    TLumeFreeingHold hold(this);
    HotTrack->SetHotObject({}, nullptr);
    HotTrack->SetCheckHotObject(nullptr);
    if (Header->HotTrackColumn) Header->WMMouseMove(0, {-1, -1});
}

void TCustomLumeListview::WMButtonDblClk(TLumeMouseButton button, uint32_t keys, LumePoint windowPoint) {
    TLumeFreeingHold hold(this);
    HandleDblClick(button, keys, windowPoint);
}

void TCustomLumeListview::HandleDblClick(TLumeMouseButton button, uint32_t keys, LumePoint windowPoint) {
    const LumePoint p = Scrollbars->MapWindowToView(windowPoint);
    const TShiftState shift = KeysToShiftState(keys);
    DoDblClick(button, windowPoint, shift);
    if (TLumeItem* item = Groups->ItemAt(p)) {
        TLumeHitInfoItem info;
        info.Group = item->OwnerGroup();
        info.Item = item;
        if (IsHeaderView()) info.Column = Header->Columns->ColumnAt({p.X, 0});
        item->HitTestAt(p, info.HitInfo);
        DoItemDblClick(button, windowPoint, info);
    } else if (TLumeGroup* group = Groups->GroupAt(p)) {
        TLumeHitInfoGroup info;
        info.Group = group;
        group->HitTestAt(p, info.HitInfo);
        DoGroupDblClick(button, windowPoint, info);
    } else if (IsHeaderView() && Header->Visible() && windowPoint.Y < Header->Height()) {
        Header->WMLButtonDblClk(keys, windowPoint);
    }
}

bool TCustomLumeListview::WMContextMenu(LumePoint screenPoint) {
    TLumeFreeingHold hold(this);
    if (!HasWindow()) return false;
    const LumePoint w = host_->ScreenToClient(screenPoint);
    if (IsHeaderMouseMsg(w, false)) return Header->WMContextMenu(screenPoint);
    QObject* menu = nullptr;
    bool handled = false;
    const LumePoint p = Scrollbars->MapWindowToView(w);
    if (TLumeGroup* group = Groups->GroupAt(p)) {
        TLumeItem* item = group->ItemAt(p);
        TLumeItemHitTestInfos ih;
        if (item && item->HitTestAt(p, ih)) DoItemContextMenu({group, item, nullptr, ih}, w, menu, handled);
        if (!menu && !handled) {
            TLumeHitInfoGroup info{group, {}};
            group->HitTestAt(p, info.HitInfo);
            DoGroupContextMenu(info, w, menu, handled);
        }
    }
    if (handled) return true;
    if (!menu) return false;
    host_->PopupMenu(menu, screenPoint);
    return true;
}

void TCustomLumeListview::WMChar(const QString& text) {
    TLumeFreeingHold hold(this);
    IncrementalSearch->HandleKeyPress(text);
}

void TCustomLumeListview::EditPendingItem() {
    TLumeFreeingHold hold(this);
    TLumeItem* item = EditManager->PendingEditItem;
    EditManager->PendingEditItem = nullptr;
    if (!item) return;
    item->SetFocused(true);
    item->MakeVisible(emvAuto);
    EditManager->BeginEdit(item);
}

void TCustomLumeListview::WMKeyDown(uint16_t key, TShiftState shift) {
    TLumeFreeingHold hold(this);
    if (States & ebcsDragSelecting) DragRectManager->HandleKeyDown(key);
    IncrementalSearch->HandleKeyDown(key, shift);
    uint16_t code = key;
    TShiftState changed = shift;
    bool doDefault = true;
    DoKeyAction(code, changed, doDefault);
    // The handler may change the key; its change of the shift state does not count.
    if (doDefault) HandleKeyDown(code, shift);
}

void TCustomLumeListview::HandleKeyDown(uint16_t key, TShiftState shift) {
    TLumeSelectionManager& sel = *Selection();
    const bool nav = sel.Enabled() || sel.UseFocusRect;
    const bool ctrl = shift.Has(TShiftStateBit::ssCtrl);
    auto move = [&](TLumeAdjacentDirection direction) {
        if (!sel.FocusedItem()) {
            sel.SetFocusedItem(Groups->FirstVisibleItem());
            return;
        }
        MoveFocus(shift, Groups->AdjacentItem(sel.FocusedItem(), direction));
    };
    auto jump = [&](TLumeItem* target) {
        if (!sel.FocusedItem()) {
            sel.SetFocusedItem(Groups->FirstVisibleItem());
            return;
        }
        MoveFocus(shift, target);
    };
    TLumeScrollbarManager& sb = *Scrollbars;
    switch (key) {
    case VK_ESCAPE:
        ClearCutMarks();
        SafeInvalidateRect(nullptr, false);
        break;
    case VK_PRIOR:
        nav ? move(TLumeAdjacentDirection::eadPageUp) : sb.SetOffsetY(sb.OffsetY() - ClientHeight());
        break;
    case VK_NEXT:
        nav ? move(TLumeAdjacentDirection::eadPageDown) : sb.SetOffsetY(sb.OffsetY() + ClientHeight());
        break;
    case VK_END:
        if (nav) {
            jump(Groups->LastVisibleItem());
        } else {
            sb.SetOffsetX(sb.MaxOffsetX());
            sb.SetOffsetY(sb.MaxOffsetY());
        }
        break;
    case VK_HOME:
        if (nav) {
            jump(Groups->FirstVisibleItem());
        } else {
            sb.SetOffsetX(0);
            sb.SetOffsetY(0);
        }
        break;
    case VK_LEFT: nav ? move(TLumeAdjacentDirection::eadLeft) : sb.SetOffsetX(sb.OffsetX() - 1); break;
    case VK_UP: nav ? move(TLumeAdjacentDirection::eadUp) : sb.SetOffsetY(sb.OffsetY() - 1); break;
    case VK_RIGHT: nav ? move(TLumeAdjacentDirection::eadRight) : sb.SetOffsetX(sb.OffsetX() + 1); break;
    case VK_DOWN: nav ? move(TLumeAdjacentDirection::eadDown) : sb.SetOffsetY(sb.OffsetY() + 1); break;
    case 'A':
        if (ctrl) sel.SelectAll();
        break;
    case 'C':
        if (ctrl) {
            bool handled = false;
            DoClipboardCopy(handled);
        }
        break;
    case 'V':
        if (ctrl) {
            bool handled = false;
            DoClipboardPaste(handled);
            if (!handled) DoClipboardPaste(handled);
        }
        break;
    case 'X':
        if (ctrl) {
            bool markAsCut = true, handled = false;
            DoClipboardCut(markAsCut, handled);
            if (!handled) {
                markAsCut = true;
                DoClipboardCut(markAsCut, handled);
                if (handled && markAsCut) MarkSelectedCut();
            } else if (markAsCut) {
                MarkSelectedCut();
            }
        }
        break;
    case VK_F2:
        if (sel.FocusedItem()) BeginEdit(sel.FocusedItem());
        break;
    default: break;
    }
}

void TCustomLumeListview::MoveFocus(TShiftState shift, TLumeItem* target) {
    if (!target) return;
    TLumeSelectionManager& sel = *Selection();
    ++UpdateCount;
    auto finish = [&] {
        // A handler that listed the items again meanwhile left its layout waiting.
        if (Groups->LayoutWaiting) {
            Groups->RebuildLayout(true);
            Scrollbars->ReCalculateScrollbars(true, true);
        }
        if (TLumeItem* focused = sel.FocusedItem()) focused->MakeVisible(emvAuto);
        --UpdateCount;
        if (HasWindow()) host_->UpdateWindow();
    };
    try {
        if (target != sel.FocusedItem()) {
            if (!sel.Enabled() && sel.UseFocusRect) {
                sel.SetFocusedItem(target);
            } else if (shift.Has(TShiftStateBit::ssCtrl)) {
                sel.SetFocusedItem(target);
            } else if (shift.Has(TShiftStateBit::ssShift)) {
                if (sel.AnchorItem())
                    sel.SelectRange(sel.AnchorItem(), target, true, sel.RectSelect);
                else
                    sel.ClearAll();
                sel.SetFocusedItem(target);
                target->SetSelected(true);
            } else {
                sel.ClearAll();
                sel.SetFocusedItem(target);
                target->SetSelected(true);
                sel.SetAnchorItem(target);
            }
        }
    } catch (...) {
        finish();
        throw;
    }
    finish();
}

bool TCustomLumeListview::DoMouseWheel(TShiftState shift, int wheelDelta, LumePoint) {
    TLumeFreeingHold hold(this);
    bool vertical = WheelMouseDefaultScroll == TLumeDefaultWheelScroll::edwsVert;
    if (WheelMouseScrollModifierEnabled && shift.Has(TShiftStateBit::ssShift)) vertical = !vertical;
    WheelScroll(vertical, WheelMouseScrollModifierEnabled && shift.Has(TShiftStateBit::ssCtrl), wheelDelta, wheelRest_);
    return true;
}

bool TCustomLumeListview::DoMouseHorzWheel(TShiftState shift, int wheelDelta, LumePoint) {
    TLumeFreeingHold hold(this);
    WheelScroll(false, WheelMouseScrollModifierEnabled && shift.Has(TShiftStateBit::ssCtrl), wheelDelta,
                horzWheelRest_);
    return true;
}

void TCustomLumeListview::WheelScroll(bool vertical, bool page, int wheelDelta, int64_t& rest) {
    // A notch of the wheel (a delta of 120) scrolls WheelScrollLines cells, or
    // a page with Ctrl; the smaller steps of a touchpad scroll their share,
    // and what a step leaves over is carried to the next in its direction.
    int64_t notch = int64_t(vertical ? Groups->CellHeight() : Groups->CellWidth()) * WheelScrollLines;
    if (page) notch = vertical ? ClientHeight() - Header->RuntimeHeight() : ClientWidth();
    if ((wheelDelta < 0) != (rest < 0)) rest = 0;
    const int64_t units = notch * wheelDelta + rest;
    const int64_t step = units / 120;
    rest = units - step * 120;
    const int pixels = int(std::clamp<int64_t>(-step, -kLumeMaxExtent, kLumeMaxExtent));
    if (vertical)
        Scrollbars->Scroll(0, pixels);
    else
        Scrollbars->Scroll(pixels, 0);
}

void TCustomLumeListview::WMSetFocus() { SafeInvalidateRect(nullptr, true); }

void TCustomLumeListview::WMKillFocus() {
    HotTrack->SetHotObject({}, nullptr);
    SafeInvalidateRect(nullptr, true);
}

void TCustomLumeListview::WMScroll(bool vertical, int code) {
    if (code == SB_ENDSCROLL)
        States &= ~ebcsScrolling;
    else
        States |= ebcsScrolling;
    if (vertical)
        Scrollbars->WMVScroll(code);
    else
        Scrollbars->WMHScroll(code);
    SafeInvalidateRect(nullptr, false);
}

void TCustomLumeListview::WMSize(int oldWidth, int oldHeight, int newWidth, int newHeight) {
    Header->WMSize();
    BackGround()->TrackResize(oldWidth, oldHeight, newWidth, newHeight);
    if (oldWidth == newWidth && oldHeight == newHeight) return;
    Groups->RebuildLayout(false);
    Scrollbars->ReCalculateScrollbars(true, false);
    SafeInvalidateRect(nullptr, false);
}

TCustomLumeListview::HintQuery TCustomLumeListview::QueryHint(LumePoint windowPoint, const QString& controlHint) {
    HintQuery q;
    const LumePoint p = Scrollbars->MapWindowToView(windowPoint);
    TLumeItem* item = Groups->ItemAt(p);
    TLumeItemHitTestInfos ih;
    TLumeGroup* group = nullptr;
    if (item && item->HitTestAt(p, ih) && ih.Has(TLumeItemHitTestInfo::ehtOnClickSelectBounds)) {
        q.Target = item;
    } else {
        item = nullptr;
        group = Groups->GroupAt(p);
        q.Target = group;
    }
    q.Text = controlHint;
    bool allow = false;
    DoHintPopup(q.Target, HintType, windowPoint, q.Text, q.HideTimeout, q.ReShowTimeout, allow);
    if (q.Text.isEmpty()) allow = false;
    if (HintType == TLumeHintType::ehtToolTip) {
        allow = false;
        TLumeCanvas* canvas = MeasureCanvas();
        if (item && !item->Focused() && canvas && item->ItemView()) {
            TLumeRectArrayObject rects;
            item->ItemRectArray(Header->FirstColumn(), canvas, rects);
            item->ItemView()->PrepareTextFont(item, canvas, false);
            const QString caption = item->Caption();
            LumeRect measured = rects.TextRect;
            const int lines = item->ItemView()->PaintTextLines(item, Header->FirstColumn());
            DrawWideTextInRect(canvas, caption, measured, wtfCalcRect | wtfCalcGrowRight | wtfLeft | (lines == 1 ? wtfSingleLine : 0u),
                               lines);
            if (measured.Width() > rects.TextRect.Width() || measured.Height() > rects.TextRect.Height()) {
                allow = true;
                q.Text = caption;
            }
        }
    }
    q.Allow = allow;
    if (!allow) return q;
    LumeRect cursor;
    if (item) {
        cursor = item->DisplayRect;
    } else if (group) {
        for (const LumeRect& r : {group->RightMarginRect(), group->LeftMarginRect(), group->HeaderBand(), group->FooterBand()})
            if (r.Contains(p)) {
                cursor = r;
                break;
            }
    }
    q.CursorRect = Scrollbars->MapViewRectToWindow(cursor);
    return q;
}

}  // namespace lume
