#pragma once
#include "shell/LobrixStartup.h"

#include <QTemporaryDir>

// Starts the program on the current program folder as a user would after a
// crash, then ends it again: the guards get a lock folder of their own.
class NextStart {
public:
    NextStart();
    ~NextStart();
    StartOutcome outcome() const { return outcome_; }

private:
    QTemporaryDir locks_;
    StartOutcome outcome_;
};
