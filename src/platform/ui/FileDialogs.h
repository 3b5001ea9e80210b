#pragma once
#include <QString>
#include <functional>

class QFileDialog;

// The one place where the program runs a file dialog (backup, restore,
// analysis, import, every PDF save). The program shows the dialog; a test
// installs a runner that answers with the next file name, or an empty text
// for a cancelled dialog.
namespace forms {

using FileDialogRunner = std::function<QString(QFileDialog& dialog)>;
// Installs a runner (an empty one restores the real dialog).
void SetFileDialogRunner(FileDialogRunner runner);

// Runs the dialog; the chosen path, or empty when the user cancelled.
QString RunFileDialog(QFileDialog& dialog);

// The same for a save whose caller asks the program's own question before a
// file is replaced: the dialog asks none of its own.
QString RunSaveDialog(QFileDialog& dialog);

}  // namespace forms
