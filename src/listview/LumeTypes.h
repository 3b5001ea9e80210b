// Plain types shared by the whole list view: rectangles with the right and
// bottom edges outside, the state bits, the enumerations of the events and
// the errors the control raises.
#pragma once

#include <QString>
#include <algorithm>
#include <cstdint>
#include <initializer_list>
#include <stdexcept>

namespace lume {

struct LumePoint {
    int X = 0;
    int Y = 0;
    bool operator==(const LumePoint&) const = default;
};

// The farthest the control places anything (about a billion pixels): rows
// and steps beyond are held there, so that adding two coordinates (a view's
// height and the header's, an offset and a step) cannot overflow.
constexpr int kLumeMaxExtent = 1 << 30;

// a + b held within -kLumeMaxExtent..kLumeMaxExtent.
inline int LumeClampedAdd(int a, int64_t b) {
    return int(std::clamp<int64_t>(int64_t(a) + b, -kLumeMaxExtent, kLumeMaxExtent));
}

// Right and Bottom lie outside the rectangle: a cell (0, 0, 430, 17) covers
// x 0..429 and y 0..16. Never mix with QRect, whose edges are inclusive;
// qt/LumeQtRect.h converts.
struct LumeRect {
    int Left = 0;
    int Top = 0;
    int Right = 0;
    int Bottom = 0;

    int Width() const { return Right - Left; }
    int Height() const { return Bottom - Top; }
    bool IsEmpty() const { return Right <= Left || Bottom <= Top; }
    bool IsZero() const { return Left == 0 && Top == 0 && Right == 0 && Bottom == 0; }
    bool Contains(LumePoint p) const { return p.X >= Left && p.X < Right && p.Y >= Top && p.Y < Bottom; }
    // True when the two share at least one pixel.
    bool Meets(const LumeRect& r) const {
        return !IsEmpty() && !r.IsEmpty() && Left < r.Right && r.Left < Right && Top < r.Bottom && r.Top < Bottom;
    }
    bool Inside(const LumeRect& outer) const {
        return Left >= outer.Left && Top >= outer.Top && Right <= outer.Right && Bottom <= outer.Bottom;
    }
    LumeRect Intersected(const LumeRect& r) const;
    // The union of two rectangles; an empty one adds nothing.
    LumeRect United(const LumeRect& r) const;
    LumeRect Offset(int dx, int dy) const { return {Left + dx, Top + dy, Right + dx, Bottom + dy}; }
    bool operator==(const LumeRect&) const = default;
};

inline LumeRect LumeRect::Intersected(const LumeRect& r) const {
    LumeRect out{std::max(Left, r.Left), std::max(Top, r.Top), std::min(Right, r.Right), std::min(Bottom, r.Bottom)};
    return out.IsEmpty() ? LumeRect{} : out;
}

inline LumeRect LumeRect::United(const LumeRect& r) const {
    if (r.IsEmpty()) return IsEmpty() ? LumeRect{} : *this;
    if (IsEmpty()) return r;
    return {std::min(Left, r.Left), std::min(Top, r.Top), std::max(Right, r.Right), std::max(Bottom, r.Bottom)};
}

// The 16-bit state of items, groups and columns.
enum LumeItemStateBit : uint16_t {
    ecisChecked = 1u << 0,
    ecisCheckPending = 1u << 1,
    ecisCheckHot = 1u << 2,
    ecisClicking = 1u << 3,
    ecisCut = 1u << 4,
    ecisDestroying = 1u << 5,
    ecisDropTarget = 1u << 6,
    ecisEnabled = 1u << 7,
    ecisFocused = 1u << 8,
    ecisInitialized = 1u << 9,
    ecisSelected = 1u << 10,
    ecisVisible = 1u << 11,
    ecisHotTracking = 1u << 12,
    ecisBold = 1u << 13,
    ecisDropMark = 1u << 14,
};
constexpr uint16_t kStreamStateMask = 0x0C81;
constexpr uint16_t kNewObjectState = ecisEnabled | ecisVisible;

enum class TLumeListStyle { elsIcon, elsSmallIcon, elsList, elsReport, elsThumbnail, elsTile, elsFilmStrip, elsGrid };
enum class TLumeDefaultWheelScroll { edwsHorz, edwsVert };
enum class TLumeHintType { ehtText, ehtToolTip, ehtCustomDraw };
enum class TLumeSortDirection { esdNone, esdAscending, esdDescending };
enum class TAlignment { taLeftJustify, taRightJustify, taCenter };
enum class TLumeVAlignment { evaTop, evaBottom, evaCenter };
enum class TLumeCheckType { ectNone, ettNoneWithSpace, ectBox, ectRadio };
enum class TLumeAdjacentDirection { eadLeft, eadRight, eadUp, eadDown, eadPageDown, eadPageUp };
enum class TLumeImageKind { eikNormal, eikOverlay, eikState };
enum class TLumeHotTrackState { ehsEnable, ehsDisable };
enum class TLumeMouseButton { embNone, embLeft, embRight, embMiddle };
enum TLumeMakeVisiblePos { emvTop = 0, emvMiddle = 1, emvBottom = 2, emvAuto = 3 };

// Small sets as bit masks over the enumerations above.
template <typename E>
class LumeSet {
public:
    LumeSet() = default;
    LumeSet(std::initializer_list<E> values) { for (E v : values) Include(v); }
    void Include(E v) { bits_ |= Bit(v); }
    void Exclude(E v) { bits_ &= ~Bit(v); }
    bool Has(E v) const { return (bits_ & Bit(v)) != 0; }
    bool IsEmpty() const { return bits_ == 0; }
    uint32_t Bits() const { return bits_; }
    bool operator==(const LumeSet&) const = default;

private:
    static uint32_t Bit(E v) { return 1u << static_cast<unsigned>(v); }
    uint32_t bits_ = 0;
};

using TLumeMouseButtons = LumeSet<TLumeMouseButton>;

enum class TLumeItemHitTestInfo { ehtStateIcon, ehtOnIcon, ehtOnLabel, ehtOnClickSelectBounds, ehtOnDragSelectBounds, ehtOnText, ehtOnCheck, ehtOnEdit };
enum class TLumeGroupHitTestInfo { egtOnBand, egtOnCheckbox, egtOnExpandButton, egtOnIcon, egtOnLabel, egtOnText, egtOnHeader, egtOnFooter, egtOnLeftMargin, egtOnRightMargin };
enum class TLumeColumnHitTestInfo { echtOnCheckbox, echtOnIcon, echtOnLabel, echtOnText };
enum class TLumeKeyState { eksControl, eksLButton, eksMButton, eksRButton, eksShift, eksAlt, eksButton };
enum class TShiftStateBit { ssShift, ssAlt, ssCtrl, ssLeft, ssRight, ssMiddle, ssDouble };
using TLumeItemHitTestInfos = LumeSet<TLumeItemHitTestInfo>;
using TLumeGroupHitTestInfos = LumeSet<TLumeGroupHitTestInfo>;
using TLumeColumnHitTestInfos = LumeSet<TLumeColumnHitTestInfo>;
using TLumeKeyStates = LumeSet<TLumeKeyState>;
using TShiftState = LumeSet<TShiftStateBit>;

enum class TLumeDropEffect { edeNone, edeCopy, edeMove, edeLink, edeScroll };
using TLumeDropEffects = LumeSet<TLumeDropEffect>;
enum class TLumeOLEDragResult { edrDrop, edrCancel, edrError };
enum class TLumeQueryDragResult { eqdrContinue, eqdrQuit, eqdrDrop };

// Key-state bits of mouse messages.
constexpr uint32_t MK_LBUTTON = 0x0001;
constexpr uint32_t MK_RBUTTON = 0x0002;
constexpr uint32_t MK_SHIFT = 0x0004;
constexpr uint32_t MK_CONTROL = 0x0008;
constexpr uint32_t MK_MBUTTON = 0x0010;

TShiftState KeysToShiftState(uint32_t keys);
TLumeKeyStates KeysToKeyStates(uint32_t keys);

// Colours: RGB with red in the low byte, or 0xFF000000 + a system colour index.
using TColor = uint32_t;
constexpr TColor clBlack = 0x000000;
constexpr TColor clInactiveBorder = 0xFF00000B;
constexpr TColor clHighlight = 0xFF00000D;
constexpr TColor clHighlightText = 0xFF00000E;
constexpr TColor clWindow = 0xFF000005;
constexpr TColor clBtnFace = 0xFF00000F;

// "List index out of bounds (%d)".
class EListError : public std::runtime_error {
public:
    explicit EListError(int index);
    int Index;
};

// "Stream read error".
class EReadError : public std::runtime_error {
public:
    EReadError() : std::runtime_error("Stream read error") {}
};

class EAssertionFailed : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace lume
