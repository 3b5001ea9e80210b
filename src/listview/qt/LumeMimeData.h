// A drag's QMimeData seen as the list view's data object, so that the
// application's drop events read any drag the same way.
#pragma once

#include "listview/dragdrop/LumeDataObject.h"

#include <QMimeData>

namespace lume {

class LumeMimeDataObject : public ILumeDataObject {
public:
    explicit LumeMimeDataObject(const QMimeData* mime) : mime_(mime) {}
    uint32_t GetData(const TLumeFormatEtc& format, TLumeStgMedium& medium) override;
    uint32_t QueryGetData(const TLumeFormatEtc& format) override;
    // A drag's data is read only.
    uint32_t SetData(const TLumeFormatEtc&, const TLumeStgMedium&) override { return E_NOTIMPL_; }
    std::unique_ptr<TLumeEnumFormatEtcManager> EnumFormatEtc() override;

private:
    const QMimeData* mime_;
};

}  // namespace lume
