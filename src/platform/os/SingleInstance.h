#pragma once
#include <QString>
#include <functional>
#include <memory>

class QLockFile;
class QLocalServer;

// Per-user named locks and a wake-up channel that keep a second copy of the
// program from running beside the first one.
namespace os {

// A named lock held for the life of the object (or the process), visible to
// every process of the same user. Released by the system when the process
// ends, also after a crash.
class NamedMutex {
public:
    explicit NamedMutex(const QString& name);
    ~NamedMutex();
    NamedMutex(const NamedMutex&) = delete;
    NamedMutex& operator=(const NamedMutex&) = delete;

    // True when another holder (this or another process) had the name already.
    bool alreadyExists() const { return alreadyExists_; }
    // True when the lock could not be made at all (its folder is missing or
    // not writable): nobody holds it, and nobody can.
    bool cannotLock() const { return cannotLock_; }
    bool held() const;

private:
    std::unique_ptr<QLockFile> lock_;
    bool alreadyExists_ = false;
    bool cannotLock_ = false;
};

// True when a holder of the name exists, without taking it.
bool NamedMutexExists(const QString& name);

// Listens under a per-user name; each connection calls `onWake`, which brings
// the running main window to the front. SendWake connects to it.
class WakeChannel {
public:
    WakeChannel(const QString& name, std::function<void()> onWake);
    ~WakeChannel();
    bool listening() const;

private:
    std::unique_ptr<QLocalServer> server_;
};
bool SendWake(const QString& name);

// Where the per-user locks live; tests point it at a temporary folder.
QString LockFolder();
void SetLockFolder(const QString& folder);

}  // namespace os
