#include "listview/qt/LumeMimeData.h"

namespace lume {

uint32_t LumeMimeDataObject::GetData(const TLumeFormatEtc& format, TLumeStgMedium& medium) {
    if (!mime_ || !mime_->hasFormat(format.Format)) return DV_E_FORMATETC_;
    medium.Data = mime_->data(format.Format);
    return S_OK_;
}

uint32_t LumeMimeDataObject::QueryGetData(const TLumeFormatEtc& format) {
    return mime_ && mime_->hasFormat(format.Format) ? S_OK_ : DV_E_FORMATETC_;
}

std::unique_ptr<TLumeEnumFormatEtcManager> LumeMimeDataObject::EnumFormatEtc() {
    if (!mime_) return nullptr;
    std::vector<TLumeFormatEtc> formats;
    for (const QString& f : mime_->formats()) formats.push_back({f});
    return std::make_unique<TLumeEnumFormatEtcManager>(std::move(formats));
}

}  // namespace lume
