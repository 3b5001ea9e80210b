#include "shell/ugMultInst.h"

#include "platform/os/SingleInstance.h"

#include <QDir>
#include <QPointer>
#include <QWidget>
#include <memory>

namespace {

struct Guard {
    std::unique_ptr<os::NamedMutex> mutex;
    std::unique_ptr<os::WakeChannel> channel;
    QPointer<QWidget> mainForm;
    bool cannotLock = false;
};

Guard& guard() {
    static Guard g;
    return g;
}

void bringToFront() {
    QWidget* form = guard().mainForm;
    if (!form) return;
    if (form->isMinimized()) form->showNormal();
    form->show();
    form->raise();
    form->activateWindow();
}

}  // namespace

bool MultInstInitialize() {
    Guard& g = guard();
    auto mutex = std::make_unique<os::NamedMutex>(QString::fromLatin1(kMultInstMutexName));
    g.cannotLock = mutex->cannotLock();
    if (mutex->alreadyExists() || mutex->cannotLock()) return false;
    g.mutex = std::move(mutex);
    // Only the holder of the name listens, so a losing copy never takes over
    // the running one's channel.
    g.channel = std::make_unique<os::WakeChannel>(QString::fromLatin1(kMultInstMessageName), bringToFront);
    return true;
}

bool MultInstCannotLock() { return guard().cannotLock; }

QString MultInstCannotLockText() {
    return QStringLiteral("O programa não pode ser iniciado: a pasta \"%1\" não permite gravação.\n"
                          "O programa grava nela a marca de que está em execução; "
                          "libere a gravação nessa pasta e inicie o programa novamente.")
        .arg(QDir::toNativeSeparators(os::LockFolder()));
}

void MultInstSetMainForm(QWidget* form) { guard().mainForm = form; }

void MultInstFinalize() {
    Guard& g = guard();
    g.channel.reset();
    g.mutex.reset();
}
