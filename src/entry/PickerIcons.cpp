#include "PickerIcons.h"

#include <QApplication>
#include <QStyle>

namespace PickerIcons {
QIcon Document() { return QApplication::style()->standardIcon(QStyle::SP_FileIcon); }
QIcon ClosedFolder() { return QApplication::style()->standardIcon(QStyle::SP_DirClosedIcon); }
QIcon OpenFolder() { return QApplication::style()->standardIcon(QStyle::SP_DirOpenIcon); }
}  // namespace PickerIcons
