// Stands in for the separate transmission program in tests: reads the
// hand-off file "Zuvonet.ini" in the folder above its own, and writes the
// receipt beside the declaration file named there. The environment sets the
// receipt's date and time (ZUVONET_STANDIN_WHEN, ddmmyyyyhhmm) and makes it
// fail (ZUVONET_STANDIN_FAIL): "noreceipt", "checksum", "short", "exit" (code
// 3), "digest" or "counts" (a well-formed receipt of another file), or
// "killed" (half a receipt written, then killed).
#include "platform/Digest.h"

#include <QByteArray>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <csignal>

namespace {

QByteArray cols(const QByteArray& line, int from, int length) {
    QByteArray part = line.mid(from - 1, length);
    if (part.size() < length) part += QByteArray(length - part.size(), ' ');
    return part;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    const QByteArray fail = qgetenv("ZUVONET_STANDIN_FAIL");
    if (fail == "exit") return 3;
    QFile ini(QDir(QCoreApplication::applicationDirPath() + QStringLiteral("/..")).filePath(QStringLiteral("Zuvonet.ini")));
    if (!ini.open(QIODevice::ReadOnly)) return 2;
    QByteArray line = ini.readLine();
    while (line.endsWith('\n') || line.endsWith('\r')) line.chop(1);
    if (line.isEmpty()) return 2;
    const QString path = QFile::decodeName(line.left(line.size() - 1));
    QFile declaration(path);
    if (!declaration.open(QIODevice::ReadOnly)) return 2;
    const QByteArray all = declaration.readAll();
    QList<QByteArray> lines = all.split('\n');
    while (!lines.isEmpty() && lines.last().trimmed().isEmpty()) lines.removeLast();
    if (lines.isEmpty()) return 2;
    const QByteArray header = lines.first().trimmed();
    const QByteArray trailer = lines.last().trimmed();
    if (fail == "noreceipt") return 0;

    QByteArray when = qgetenv("ZUVONET_STANDIN_WHEN");
    if (when.size() != 12) when = "150320101030";
    // Each file its own receipt number, as each transmission gets one.
    const quint32 fileCrc = digest::Crc32(all);
    QByteArray establishments = cols(trailer, 25, 5);
    QByteArray contracts = cols(trailer, 30, 6);
    QByteArray fileDigest = cols(trailer, 519, 32);
    if (fail == "digest") fileDigest = QByteArray(32, 'f');
    if (fail == "counts") contracts = QString::asprintf("%06d", contracts.toInt() + 1).toLatin1();
    QByteArray receipt = "5" + QString::asprintf("%08u", fileCrc % 100000000u).toLatin1() + cols(header, 7, 14) +
                         QString::asprintf("%010u", fileCrc).toLatin1() + establishments + contracts + when + "  " +
                         fileDigest;
    quint32 crc = digest::Crc32(receipt.left(90));
    if (fail == "checksum") crc ^= 1;
    receipt += QString::asprintf("%010u", crc).toLatin1();
    if (fail == "short") receipt.truncate(95);
    QFile out(QFileInfo(path).path() + QLatin1Char('/') + QFileInfo(path).completeBaseName() + QStringLiteral(".rec"));
    if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate)) return 2;
    if (fail == "killed") {
        out.write(receipt.left(60));
        out.flush();
        std::raise(SIGKILL);
    }
    out.write(receipt + "\r\n");
    return 0;
}
