#pragma once
#include "platform/db/DbError.h"

#include <QString>
#include <exception>

// The program's last line of defence: one error box for an exception nobody
// handled, then the end of the program.

// The text that closes every fatal-error box.
QString FatalErrorClosingText();

// Dispatches by kind, shows the box and asks the application to terminate.
void ReportFatalError(const std::exception& e);

// "Erro BDE" box for an error of the table store. Returns false, showing
// nothing, for code 10756 while a data-aware lookup combo box has the focus.
bool ReportEngineError(const db::DbError& e);
void ReportDatabaseError(const std::exception& e);
// The same box for a table error that the program survives (a save rolled
// back, the form kept open): it does not end the program.
void ShowEngineErrorBox(const db::DbError& e);
void ReportOtherError(const std::exception& e);

// The texts of the boxes, as shown.
QString EngineErrorBoxText(const db::DbError& e);
// An engine error that comes with normal use (another user or copy holds the
// table, the folder or file may not be written by this user, the disk is
// full), in the program's words with what to do; empty for an error that is
// truly unexpected, which keeps the "Erro BDE" box.
QString ExpectedEngineErrorText(const db::DbError& e);
// The line a box adds below its own first line about a failed step: the
// expected cause in the program's words, else the engine's text.
QString EngineErrorDetail(const db::DbError& e);
QString DatabaseErrorBoxText(const std::exception& e);
QString OtherErrorBoxText(const std::exception& e);

// The store's own message for a code, and for the code's category (code div 256).
QString EngineErrorText(int code);
QString EngineErrorCategoryText(int code);

// Makes ReportFatalError the handler of every exception that escapes an event.
void InstallFatalErrorHandler();

// True when the focused widget is a data-aware lookup combo box: a widget of
// class TDBLookupComboBox or one whose property "lookupCombo" is true (or the
// line edit inside such a box).
bool LookupComboHasFocus();

// A table of the data folder that could not be written, told in the
// program's words: a full disk says the folder is full, anything else that the
// folder refused the writing. Not fatal: the work that needed the table stops.
QString DataFolderProblemText(const QString& dataFolder, const db::DbError& e);
