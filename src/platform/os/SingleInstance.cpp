#include "platform/os/SingleInstance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QLockFile>
#include <QSysInfo>

#include <cerrno>
#include <csignal>

namespace os {

namespace {

QString& lockFolderOverride() {
    static QString folder;
    return folder;
}

QString userName() {
    QString user = qEnvironmentVariable("USER");
    if (user.isEmpty()) user = qEnvironmentVariable("USERNAME");
    return user;
}

// Names may hold blanks and "!"; files and sockets get a stable digest instead.
QString safeName(const QString& name) {
    const QByteArray key = (userName() + QLatin1Char('/') + name).toUtf8();
    return QStringLiteral("lobrix-") +
           QString::fromLatin1(QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16));
}

QString lockPath(const QString& name) { return QDir(LockFolder()).filePath(safeName(name) + QStringLiteral(".lock")); }

}  // namespace

QString LockFolder() {
    // The names carry the user, so one shared temporary folder serves everyone.
    return lockFolderOverride().isEmpty() ? QDir::tempPath() : lockFolderOverride();
}

void SetLockFolder(const QString& folder) { lockFolderOverride() = folder; }

NamedMutex::NamedMutex(const QString& name) : lock_(std::make_unique<QLockFile>(lockPath(name))) {
    // Only a dead holder makes a lock stale, never its age.
    lock_->setStaleLockTime(0);
    if (lock_->tryLock(0)) return;
    alreadyExists_ = lock_->error() == QLockFile::LockFailedError;
    cannotLock_ = !alreadyExists_;
}

NamedMutex::~NamedMutex() = default;

bool NamedMutex::held() const { return lock_ && lock_->isLocked(); }

bool NamedMutexExists(const QString& name) {
    // Only looked at, never taken: taking it even for a moment would turn
    // away a copy that starts in that moment.
    qint64 pid = 0;
    QString host, application;
    if (!QLockFile(lockPath(name)).getLockInfo(&pid, &host, &application)) return false;
    if (host != QSysInfo::machineHostName()) return true;  // a holder elsewhere cannot be asked
    // A holder that died left its file behind: it holds nothing.
    return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM);
}

WakeChannel::WakeChannel(const QString& name, std::function<void()> onWake)
    : server_(std::make_unique<QLocalServer>()) {
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString socketName = safeName(name);
    // A socket left by a crashed process would block the name.
    QLocalServer::removeServer(socketName);
    QObject::connect(server_.get(), &QLocalServer::newConnection, server_.get(), [this, onWake] {
        while (QLocalSocket* s = server_->nextPendingConnection()) {
            s->disconnectFromServer();
            s->deleteLater();
            if (onWake) onWake();
        }
    });
    server_->listen(socketName);
}

WakeChannel::~WakeChannel() = default;

bool WakeChannel::listening() const { return server_->isListening(); }

bool SendWake(const QString& name) {
    QLocalSocket socket;
    socket.connectToServer(safeName(name));
    const bool ok = socket.waitForConnected(1000);
    socket.disconnectFromServer();
    return ok;
}

}  // namespace os
