#include "NextStart.h"

#include "platform/os/SingleInstance.h"
#include "platform/ui/LobrixApplication.h"

NextStart::NextStart() {
    os::SetLockFolder(locks_.path());
    outcome_ = StartProgram();
}

NextStart::~NextStart() {
    EndProgram();
    appguard::ResetTerminateRequest();
    os::SetLockFolder(QString());
}
