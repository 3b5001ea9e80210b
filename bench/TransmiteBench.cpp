// Lists the parts of the generated declaration (60,000 contracts) with their
// receipts as the transmission window does, and, for comparison, computes the
// same files' digests. Prints both times (best of five). Target: listing
// within 1.3 times the digests and under 2 s.
#include "support/DeclarationGenerator.h"
#include "DeclarationFileBench.h"
#include "declfile/DeclarationWriter.h"
#include "declfile/transmite/ufmTransmite.h"
#include "platform/AppPaths.h"
#include "platform/Digest.h"
#include "platform/ui/MessageService.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <cstdio>

int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    QTemporaryDir dir;
    const QString dados = benchfile::PrepareProgramFolder(dir);
    const QString transmite = dir.filePath("Transmite") + QLatin1Char('/');
    bench::NoBoxes boxes;
    msg::SetMessageHost(&boxes);

    const QStringList items = gen::GenerateDeclaration(dados, gen::DeclarationShape{});
    declfile::WriterState state;
    declfile::WriterHost host;
    declfile::WriteRequest request;
    request.establishments = &items;
    request.drive = QLatin1Char('C');
    request.dataFolder = dados;
    request.generationDate = QStringLiteral("15012010");
    request.generationTime = QStringLiteral("101500");
    if (declfile::WriteDeclarationFile(request, state, host) != 0) return 1;

    const QStringList parts = QDir(transmite).entryList({QStringLiteral("*.dec")}, QDir::Files, QDir::Name);
    for (const QString& p : parts) {
        QByteArray line = QByteArray("512345678").leftJustified(90, ' ');
        line += QString::asprintf("%010u", digest::Crc32(line)).toLatin1();
        QFile rec(transmite + QFileInfo(p).completeBaseName() + QStringLiteral(".rec"));
        if (!rec.open(QIODevice::WriteOnly)) return 1;
        rec.write(line + "\r\n");
    }

    qint64 bestList = -1, bestDigest = -1;
    int listed = 0;
    for (int run = 0; run < 5; ++run) {
        QElapsedTimer timer;
        timer.start();
        const declfile::TransmitListing listing = declfile::ListTransmitFiles(transmite, 2009);
        const qint64 listMs = timer.restart();
        listed = int(listing.rows.size());
        for (const QString& p : parts) digest::hashFileGenerate(transmite + p);
        const qint64 digestMs = timer.elapsed();
        bestList = bestList < 0 ? listMs : std::min(bestList, listMs);
        bestDigest = bestDigest < 0 ? digestMs : std::min(bestDigest, digestMs);
    }
    std::printf("parts:   %lld (listed %d, all transmitted)\n", qint64(parts.size()), listed);
    std::printf("digests: %lld ms\n", bestDigest);
    std::printf("listing: %lld ms\n", bestList);
    std::printf("ratio:   %.2f (target <= 1.3, listing < 2000 ms)\n",
                bestDigest > 0 ? double(bestList) / bestDigest : 0.0);
    msg::SetMessageHost(nullptr);
    return listed == parts.size() && boxes.shown == 0 ? 0 : 1;
}
