#pragma once
#include <functional>

// The program body's start and end, kept out of main() so tests can run it.

enum class StartOutcome {
    Started,         // the main window exists (not shown yet)
    OtherInstance,   // first stage: another copy runs; ended silently
    AlreadyRunning,  // second stage: "Este programa já está sendo executado."
    MissingFiles,    // a table file of Dados is missing
    DamagedFile,     // a table file of Dados is not its table (damaged, foreign), not restored
    TableInUse,      // a table file of Dados is held by another program
    Failed,          // creating the modules or windows failed (reported as fatal)
};

// Runs the guards, the splash window, the data-folder check and creates the
// data modules and the main window. `createForms` creates the windows that
// live for the whole run (called after dmEntradaDados exists).
StartOutcome StartProgram(const std::function<void()>& createForms = {});

// Shows the main window maximised; false when a fatal error was reported on
// the way (the program must end then: the message loop would not).
bool ShowMainWindow();

// Frees what StartProgram created, in reverse order; `freeForms` first.
void EndProgram(const std::function<void()>& freeForms = {});
