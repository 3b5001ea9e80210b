// The default pictures: group expand and collapse buttons, sort arrows.
#pragma once

#include "listview/LumePersistent.h"

#include <QImage>

namespace lume {

class TLumeGlobalImageManager : public TLumeOwnedPersistent {
public:
    using TLumeOwnedPersistent::TLumeOwnedPersistent;
    // Each loads its default picture the first time it is read while empty.
    const QImage& GroupExpandButton();
    const QImage& GroupCollapseButton();
    const QImage& ColumnSortUp();
    const QImage& ColumnSortDown();
    void SetGroupExpandButton(const QImage& image) { expand_ = image; }
    void SetGroupCollapseButton(const QImage& image) { collapse_ = image; }
    void SetColumnSortUp(const QImage& image) { sortUp_ = image; }
    void SetColumnSortDown(const QImage& image) { sortDown_ = image; }

    // A picture from rows of letters: g grey, s silver, w white, k black,
    // m magenta (transparent).
    static QImage FromRows(const char* const* rows, int count);

private:
    QImage expand_, collapse_, sortUp_, sortDown_;
};

}  // namespace lume
