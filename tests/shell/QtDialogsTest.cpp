#include "platform/ui/QtTranslations.h"

#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QFileDialog>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <gtest/gtest.h>
#include <memory>

namespace {
// What a user reads in a save dialog of Qt's own: its labels and its buttons.
QStringList saveDialogTexts() {
    QFileDialog dialog(nullptr, QStringLiteral("Salvar Resumo"));
    dialog.setOption(QFileDialog::DontUseNativeDialog, true);
    dialog.setAcceptMode(QFileDialog::AcceptSave);
    dialog.setNameFilter(QStringLiteral("Arquivos PDF (*.pdf)"));
    QStringList texts;
    for (const char* name : {"lookInLabel", "fileNameLabel", "fileTypeLabel"})
        if (auto* label = dialog.findChild<QLabel*>(QString::fromLatin1(name))) texts << label->text();
    if (auto* box = dialog.findChild<QDialogButtonBox*>())
        for (QAbstractButton* b : box->buttons()) texts << b->text();
    return texts;
}

QStringList editMenuTexts() {
    QLineEdit edit;
    std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
    QStringList texts;
    for (QAction* a : menu->actions())
        if (!a->isSeparator()) texts << a->text().section(QLatin1Char('\t'), 0, 0);
    return texts;
}
}  // namespace

// Qt's dialogs and menus speak Portuguese once the start-up has loaded the
// library's translation, beside the program's own texts.
TEST(QtDialogs, SaveDialogAndEditMenuInPortuguese) {
    ASSERT_TRUE(ui::InstallQtTranslations()) << "qtbase_pt_BR.qm not found: install qt6-translations-l10n";
    EXPECT_TRUE(ui::InstallQtTranslations());  // twice loads once
    const QStringList dialog = saveDialogTexts();
    const QStringList menu = editMenuTexts();
    const QString printToFile = QCoreApplication::translate("QPrintDialog", "Print to File (PDF)");
    ui::RemoveQtTranslations();

    EXPECT_EQ(dialog, QStringList({"Procurar em:", "&Nome do arquivo:", "Arquivos do tipo:", "&Salvar", "Cancelar"}));
    EXPECT_EQ(printToFile, QStringLiteral("Imprimir para arquivo (PDF)"));
    EXPECT_TRUE(menu.contains(QStringLiteral("&Copiar"))) << menu.join('|').toStdString();
    EXPECT_TRUE(menu.contains(QStringLiteral("C&olar"))) << menu.join('|').toStdString();
    // Removed again, the library speaks its own language: nothing else of the
    // test program changed.
    EXPECT_EQ(saveDialogTexts(), QStringList({"Look in:", "File &name:", "Files of type:", "&Save", "Cancel"}));
}
