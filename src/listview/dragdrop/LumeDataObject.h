// The control's side of drag and drop: a data object holding formats and
// their data, its format enumerator, the drop source's answers and the drop
// target's routing to the header or item drag manager.
#pragma once

#include "listview/LumeListviewEvents.h"

#include <QImage>
#include <vector>

namespace lume {

class ILumeOwner;

// Result codes of the drag-and-drop protocol.
enum LumeResult : uint32_t {
    S_OK_ = 0,
    S_FALSE_ = 1,
    E_UNEXPECTED_ = 0x8000FFFF,
    E_NOTIMPL_ = 0x80004001,
    DV_E_FORMATETC_ = 0x80040064,
    DV_E_TYMED_ = 0x80040069,
    DV_E_DVASPECT_ = 0x8004006B,
    DRAGDROP_S_DROP_ = 0x00040100,
    DRAGDROP_S_CANCEL_ = 0x00040101,
    DRAGDROP_S_USEDEFAULTCURSORS_ = 0x00040102,
};

class TLumeEnumFormatEtcManager {
public:
    explicit TLumeEnumFormatEtcManager(std::vector<TLumeFormatEtc> formats) : Formats(std::move(formats)) {}
    std::vector<TLumeFormatEtc> Formats;
    int InternalIndex = 0;
    uint32_t Next(int count, std::vector<TLumeFormatEtc>& out, int* fetched);
    uint32_t Skip(int count);
    uint32_t Reset() {
        InternalIndex = 0;
        return S_OK_;
    }
    std::unique_ptr<TLumeEnumFormatEtcManager> Clone() const {
        return std::make_unique<TLumeEnumFormatEtcManager>(Formats);
    }
};

class ILumeDataObject {
public:
    virtual ~ILumeDataObject() = default;
    virtual uint32_t GetData(const TLumeFormatEtc& format, TLumeStgMedium& medium) = 0;
    virtual uint32_t QueryGetData(const TLumeFormatEtc& format) = 0;
    virtual uint32_t SetData(const TLumeFormatEtc& format, const TLumeStgMedium& medium) = 0;
    virtual std::unique_ptr<TLumeEnumFormatEtcManager> EnumFormatEtc() = 0;
};

class TLumeDataObjectManager : public ILumeDataObject {
public:
    explicit TLumeDataObjectManager(ILumeOwner* owner) : Owner(owner) {}
    ILumeOwner* Owner;
    struct Info {
        TLumeFormatEtc FormatEtc;
        TLumeStgMedium Medium;
        bool OwnedData = false;
    };
    std::vector<Info> Data;
    // The picture the window system shows under the mouse while this object
    // is dragged; pixels of DragTransparent are see-through.
    QImage DragImage;
    LumePoint DragHotSpot;
    TColor DragTransparent = clWindow;
    bool SetDragImage(const QImage& image, LumePoint hotSpot, TColor transparent) {
        DragImage = image;
        DragHotSpot = hotSpot;
        DragTransparent = transparent;
        return !image.isNull();
    }
    uint32_t GetData(const TLumeFormatEtc& format, TLumeStgMedium& medium) override;
    uint32_t QueryGetData(const TLumeFormatEtc& format) override;
    uint32_t SetData(const TLumeFormatEtc& format, const TLumeStgMedium& medium) override;
    std::unique_ptr<TLumeEnumFormatEtcManager> EnumFormatEtc() override;
};

// The drop source's answers while a drag runs.
uint32_t QueryContinueDrag(ILumeOwner* lv, bool escapePressed, uint32_t keys);
uint32_t GiveFeedback(ILumeOwner* lv, TLumeDropEffects effect);

// The header format: what a column drag carries.
TLumeFormatEtc HeaderFormatEtc();

}  // namespace lume
