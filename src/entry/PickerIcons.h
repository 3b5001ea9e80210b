#pragma once
#include <QIcon>

// The pictures of the pickers' nodes: a document for the rows that can be
// chosen, a closed and an open folder for the levels above them.
namespace PickerIcons {
QIcon Document();
QIcon ClosedFolder();
QIcon OpenFolder();
}  // namespace PickerIcons
