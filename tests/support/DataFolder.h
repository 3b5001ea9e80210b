#pragma once
#include <QString>
#include <QTemporaryDir>

// A fresh copy of the built data folder in a temporary program folder; the
// program's folder points there while the object lives.
class TempProgramFolder {
public:
    explicit TempProgramFolder(bool copyDados = true);
    ~TempProgramFolder();
    QString path() const;        // the program folder, with a trailing '/'
    QString dataFolder() const;  // its Dados

private:
    QTemporaryDir dir_;
};

// The same, with the data modules dmLobrix and dmEntradaDados created on it.
class TempProgramWithModules : public TempProgramFolder {
public:
    TempProgramWithModules();
    ~TempProgramWithModules();
};
