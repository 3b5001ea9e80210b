#pragma once
// What every benchmark does before and after its work: a program folder of its
// own with the shipped tables, and the peak memory of the process.
#include "platform/AppPaths.h"
#include "platform/ui/MessageService.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <cstdio>

namespace bench {

// The message host of a run that expects no box: one shown is reported and
// counted, and answered Ok so the run can end.
class NoBoxes : public msg::MessageHost {
public:
    QString show(const msg::BoxRequest& r) override {
        std::fprintf(stderr, "unexpected box: %s\n", qPrintable(r.text));
        ++shown;
        return QStringLiteral("mrOk");
    }
    void beep() override {}
    int shown = 0;
};

// Dados (a copy of the shipped tables) and Transmite in a temporary program
// folder, which the program then takes for its own.
inline QString CopyProgramFolder(const QTemporaryDir& dir) {
    const QString dados = dir.filePath(QStringLiteral("Dados"));
    QDir().mkpath(dados);
    QDir().mkpath(dir.filePath(QStringLiteral("Transmite")));
    const QDir from(QStringLiteral(LOBRIX_DADOS_TEMPLATE));
    for (const QString& f : from.entryList(QDir::Files)) QFile::copy(from.filePath(f), QDir(dados).filePath(f));
    AppPaths::setProgramFolder(dir.path());
    return dados;
}

// Peak resident memory of the process, in kB (-1 where the system does not say).
// A line of the process status, in kB: VmHWM (the peak) or VmRSS (now).
inline long StatusKb(const char* key) {
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly)) return -1;
    const QByteArray prefix = QByteArray(key) + ':';
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith(prefix)) return line.mid(prefix.size()).trimmed().split(' ').first().toLong();
    return -1;
}

inline long PeakMemoryKb() { return StatusKb("VmHWM"); }

// "--name N" among the arguments, or the fallback (a smaller run to profile).
inline int IntOption(int argc, char** argv, const char* name, int fallback) {
    for (int i = 1; i + 1 < argc; ++i)
        if (QByteArray(argv[i]) == name) return QByteArray(argv[i + 1]).toInt();
    return fallback;
}

// This benchmark run again in a process of its own with the arguments given,
// its output passed on, so that a job's first run and peak are its own;
// whether it ended well.
inline bool RunChild(const QStringList& arguments) {
    QProcess child;
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    return child.waitForFinished(-1) && child.exitStatus() == QProcess::NormalExit && child.exitCode() == 0;
}

// This run's arguments for the uniform and then the varied declaration, each
// in a process of its own; how many failed.
inline int RunEachDeclaration() {
    int failed = 0;
    for (const char* data : {"uniform", "varied"}) {
        std::printf("== %s declaration ==\n", data);
        std::fflush(stdout);
        if (!RunChild(QCoreApplication::arguments().mid(1) << QStringLiteral("--data") << QString::fromLatin1(data)))
            ++failed;
    }
    return failed;
}

}  // namespace bench
