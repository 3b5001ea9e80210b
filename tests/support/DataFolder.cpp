#include "DataFolder.h"

#include "platform/AppPaths.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

#include <QDir>
#include <QFile>
#include <stdexcept>

namespace {
void copyFolder(const QString& from, const QString& to) {
    QDir().mkpath(to);
    for (const QString& f : QDir(from).entryList(QDir::Files)) {
        if (!QFile::copy(QDir(from).filePath(f), QDir(to).filePath(f)))
            throw std::runtime_error("cannot copy the data folder template");
    }
}
}  // namespace

TempProgramFolder::TempProgramFolder(bool copyDados) {
    if (copyDados) copyFolder(QStringLiteral(LOBRIX_DADOS_TEMPLATE), dir_.filePath(QStringLiteral("Dados")));
    else QDir().mkpath(dir_.filePath(QStringLiteral("Dados")));
    QDir().mkpath(dir_.filePath(QStringLiteral("Transmite")));
    AppPaths::setProgramFolder(dir_.path());
}

TempProgramFolder::~TempProgramFolder() { AppPaths::setProgramFolder(QString()); }

QString TempProgramFolder::path() const { return dir_.path() + '/'; }

QString TempProgramFolder::dataFolder() const { return dir_.filePath(QStringLiteral("Dados")); }

TempProgramWithModules::TempProgramWithModules() {
    dmLobrix = new TdmLobrix;
    dmEntradaDados = new TdmEntradaDados;
}

TempProgramWithModules::~TempProgramWithModules() {
    delete dmEntradaDados;
    delete dmLobrix;
}
