#include "listview/dragdrop/LumeDataObject.h"

#include "listview/dragdrop/LumeDragManagers.h"
#include "listview/paint/LumeGlyphs.h"
#include "listview/LumeOwner.h"

namespace lume {

TLumeFormatEtc HeaderFormatEtc() { return {QString::fromLatin1(kHeaderMimeType)}; }

uint32_t TLumeEnumFormatEtcManager::Next(int count, std::vector<TLumeFormatEtc>& out, int* fetched) {
    int copied = 0;
    out.clear();
    while (copied < count && InternalIndex < int(Formats.size())) {
        out.push_back(Formats[size_t(InternalIndex++)]);
        ++copied;
    }
    if (fetched) *fetched = copied;
    return copied == count ? S_OK_ : S_FALSE_;
}

uint32_t TLumeEnumFormatEtcManager::Skip(int count) {
    if (InternalIndex + count >= int(Formats.size())) return S_FALSE_;
    InternalIndex += count;
    return S_OK_;
}

uint32_t TLumeDataObjectManager::GetData(const TLumeFormatEtc& format, TLumeStgMedium& medium) {
    if (Owner) {
        bool handled = false;
        medium = {};
        Owner->DoOLEGetData(format, medium, handled);
        if (handled) return S_OK_;
    }
    if (Data.empty()) return E_UNEXPECTED_;
    const uint32_t query = QueryGetData(format);
    if (query != S_OK_) return query;
    for (const Info& info : Data)
        if (info.FormatEtc == format && info.OwnedData) {
            medium = info.Medium;
            return S_OK_;
        }
    return E_UNEXPECTED_;
}

uint32_t TLumeDataObjectManager::QueryGetData(const TLumeFormatEtc& format) {
    if (Owner) {
        bool available = false, handled = false;
        Owner->DoOLEQueryData(format, available, handled);
        if (handled) return available ? S_OK_ : DV_E_FORMATETC_;
    }
    if (Data.empty()) return E_UNEXPECTED_;
    for (const Info& info : Data)
        if (info.FormatEtc == format) return S_OK_;
    return DV_E_FORMATETC_;
}

uint32_t TLumeDataObjectManager::SetData(const TLumeFormatEtc& format, const TLumeStgMedium& medium) {
    for (Info& info : Data)
        if (info.FormatEtc == format) {
            info.Medium = medium;
            info.OwnedData = true;
            return S_OK_;
        }
    Data.push_back({format, medium, true});
    return S_OK_;
}

std::unique_ptr<TLumeEnumFormatEtcManager> TLumeDataObjectManager::EnumFormatEtc() {
    if (Data.empty()) return nullptr;
    std::vector<TLumeFormatEtc> formats;
    for (const Info& info : Data) formats.push_back(info.FormatEtc);
    if (Owner) Owner->DoOLEGetCustomFormats(formats);
    return std::make_unique<TLumeEnumFormatEtcManager>(std::move(formats));
}

uint32_t QueryContinueDrag(ILumeOwner* lv, bool escapePressed, uint32_t keys) {
    const TLumeKeyStates ks = KeyStatesToLumeKeyStates(keys);
    TLumeQueryDragResult q = !ks.Has(TLumeKeyState::eksButton) ? TLumeQueryDragResult::eqdrDrop
                             : escapePressed                   ? TLumeQueryDragResult::eqdrQuit
                                                               : TLumeQueryDragResult::eqdrContinue;
    if (lv) lv->DoOLEQueryContineDrag(escapePressed, ks, q);
    switch (q) {
    case TLumeQueryDragResult::eqdrContinue: return S_OK_;
    case TLumeQueryDragResult::eqdrQuit: return DRAGDROP_S_CANCEL_;
    case TLumeQueryDragResult::eqdrDrop: return DRAGDROP_S_DROP_;
    }
    return E_UNEXPECTED_;
}

uint32_t GiveFeedback(ILumeOwner* lv, TLumeDropEffects effect) {
    bool useDefault = true;
    if (lv) lv->DoOLEGiveFeedback(effect, useDefault);
    return useDefault ? DRAGDROP_S_USEDEFAULTCURSORS_ : S_OK_;
}

}  // namespace lume
