#include "platform/ui/FileDialogs.h"

#include <QFileDialog>

namespace forms {

namespace {

FileDialogRunner& runnerSlot() {
    static FileDialogRunner runner;
    return runner;
}

}  // namespace

void SetFileDialogRunner(FileDialogRunner runner) { runnerSlot() = std::move(runner); }

QString RunFileDialog(QFileDialog& dialog) {
    if (runnerSlot()) return runnerSlot()(dialog);
    if (dialog.exec() != QDialog::Accepted || dialog.selectedFiles().isEmpty()) return QString();
    return dialog.selectedFiles().first();
}

QString RunSaveDialog(QFileDialog& dialog) {
    dialog.setOption(QFileDialog::DontConfirmOverwrite, true);
    return RunFileDialog(dialog);
}

}  // namespace forms
