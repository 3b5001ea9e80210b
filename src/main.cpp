#include "platform/db/DbError.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"

#include <QApplication>
#include <QMainWindow>
#include <QMessageBox>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    try {
        dmLobrix = new TdmLobrix;
        dmEntradaDados = new TdmEntradaDados;
    } catch (const db::DbError& e) {
        QMessageBox::critical(nullptr, QStringLiteral("Erro"), e.text());
        return 1;
    }
    QMainWindow window;
    window.setWindowTitle(QStringLiteral("Lobrix2009 - Gerador de Declaração Zuvo [Versão: 2009.01.00] "));
    window.resize(800, 580);
    window.show();
    const int rc = app.exec();
    delete dmEntradaDados;
    delete dmLobrix;
    return rc;
}
