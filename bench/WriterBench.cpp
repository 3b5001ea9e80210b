// Writes the generated declaration (50,000 contracts in one establishment and
// 200 establishments of 50) to the folder "Transmite" and, for comparison,
// dumps the same rows plainly to a file. Prints both times. Target: writing
// within 5 times the dump and under 3 s.
#include "BenchSupport.h"
#include "support/DeclarationGenerator.h"
#include "declfile/DeclarationWriter.h"
#include "platform/AppPaths.h"
#include "platform/ui/MessageService.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <cstdio>

namespace {
qint64 dumpRows(const QString& dataFolder, const QString& path) {
    auto database = db::Database::forFolder(dataFolder);
    QFile out(path);
    if (!out.open(QIODevice::WriteOnly)) return -1;
    qint64 rows = 0;
    for (const QString& name : {DeclarationTables::BD8Resp().fileName, DeclarationTables::BD8Emp().fileName,
                               DeclarationTables::BD8Vinc().fileName}) {
        db::Table t(database, name);
        t.Open();
        for (t.First(); !t.Eof(); t.Next()) {
            QByteArray line;
            for (int i = 0; i < t.FieldCount(); ++i) {
                line += t.Fields(i).AsString().toLatin1();
                line += ';';
            }
            line += "\r\n";
            out.write(line);
            ++rows;
        }
    }
    return rows;
}
}  // namespace

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = bench::CopyProgramFolder(dir);
    bench::NoBoxes boxes;
    msg::SetMessageHost(&boxes);

    QElapsedTimer timer;
    timer.start();
    const QStringList items = gen::GenerateDeclaration(dados, gen::DeclarationShape{});
    const qint64 generateMs = timer.restart();

    const qint64 rows = dumpRows(dados, dir.filePath("dump.txt"));
    const qint64 dumpMs = timer.restart();

    declfile::WriterState state;
    declfile::WriterHost host;
    declfile::WriteRequest request;
    request.establishments = &items;
    request.drive = QLatin1Char('C');
    request.dataFolder = dados;
    request.generationDate = QStringLiteral("15012010");
    request.generationTime = QStringLiteral("101500");
    const int result = declfile::WriteDeclarationFile(request, state, host);
    const qint64 writeMs = timer.elapsed();

    qint64 bytes = 0;
    const QStringList parts = QDir(dir.filePath("Transmite")).entryList({QStringLiteral("*.dec")}, QDir::Files);
    for (const QString& p : parts) bytes += QFileInfo(QDir(dir.filePath("Transmite")).filePath(p)).size();

    std::printf("generate: %lld ms (%lld rows)\n", generateMs, rows);
    std::printf("dump:     %lld ms\n", dumpMs);
    std::printf("write:    %lld ms (result %d, %lld parts, %lld bytes)\n", writeMs, result,
                qint64(parts.size()), bytes);
    std::printf("ratio:    %.2f (target <= 5, write < 3000 ms)\n", dumpMs > 0 ? double(writeMs) / dumpMs : 0.0);
    msg::SetMessageHost(nullptr);
    return result == 0 && boxes.shown == 0 ? 0 : 1;
}
