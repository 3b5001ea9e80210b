#pragma once

// Qt's own dialogs (print, open and save, the edit boxes' context menus) in
// the program's language.
namespace ui {

// Loads Qt's Brazilian Portuguese texts from the library's translations
// folder (or a "translations" folder beside the program) into the running
// application; false when they are not installed, in which case Qt speaks
// English. Loading twice loads once.
bool InstallQtTranslations();
// Back to Qt's English texts (tests that share one application).
void RemoveQtTranslations();

}  // namespace ui
