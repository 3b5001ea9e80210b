#include "declfile/DeclarationFolder.h"

#include "platform/AppPaths.h"
#include "platform/Digest.h"
#include "platform/os/FileSet.h"
#include "shell/ugFuncoes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QHash>
#include <QSet>

namespace declfile {

namespace {

// Characters from..from+length-1 (counted from 1); blanks past the line's end.
QByteArray cols(const QByteArray& line, int from, int length) {
    QByteArray part = line.mid(from - 1, length);
    if (part.size() < length) part += QByteArray(length - part.size(), ' ');
    return part;
}

// Two counts agree by their value: the receipt gives five digits where the
// trailer gives six. A count that is not a number agrees only as it stands.
bool sameCount(const QByteArray& a, const QByteArray& b) {
    bool okA = false, okB = false;
    const qlonglong x = a.trimmed().toLongLong(&okA);
    const qlonglong y = b.trimmed().toLongLong(&okB);
    return okA && okB ? x == y : a.trimmed() == b.trimmed();
}

QByteArray firstLineOf(const QByteArray& text) {
    const qsizetype end = text.indexOf('\n');
    QByteArray line = end < 0 ? text : text.left(end);
    while (line.endsWith('\r')) line.chop(1);
    return line;
}

}  // namespace

bool VerificaCRC(const QByteArray& receiptLine) {
    if (receiptLine.size() < 100) return false;
    const quint32 crc = digest::Crc32(receiptLine.left(90));
    return QString::asprintf("%010u", crc).toLatin1() == receiptLine.mid(90, 10);
}

QString PrefixedReceiptNumber(const QString& receiptLine) {
    if (receiptLine.isEmpty()) return QString();
    const QChar first = receiptLine.at(0);
    if (first == QLatin1Char('5')) return QStringLiteral("590") + receiptLine.left(9);
    if (first == QLatin1Char('3')) return QStringLiteral("390") + receiptLine.left(9);
    if (first == QLatin1Char('9')) return QStringLiteral("990") + receiptLine.left(9);
    return QString();
}

ReceiptCheck CheckReceiptLine(const QByteArray& line, const QByteArray& trailer) {
    if (line.size() < 100) return ReceiptCheck::Incomplete;
    if (!VerificaCRC(line)) return ReceiptCheck::ChecksumWrong;
    if (cols(line, 59, 32) != cols(trailer, 519, 32)) return ReceiptCheck::DigestDiffers;
    if (!sameCount(cols(line, 34, 5), cols(trailer, 24, 6))) return ReceiptCheck::EstablishmentsDiffer;
    if (!sameCount(cols(line, 39, 6), cols(trailer, 30, 6))) return ReceiptCheck::ContractsDiffer;
    return ReceiptCheck::Valid;
}

bool ReadLastLine(QFile& file, QByteArray& last) {
    // A declaration ends with its trailer: reading every line before it
    // would cost the whole file.
    const qint64 size = file.size();
    qint64 window = 2048;
    while (true) {
        const qint64 from = qMax<qint64>(0, size - window);
        if (!file.seek(from)) return false;
        QByteArray tail = file.read(size - from);
        if (tail.size() != size - from) return false;
        while (tail.endsWith('\n') || tail.endsWith('\r')) tail.chop(1);
        const qsizetype at = qMax(tail.lastIndexOf('\n'), tail.lastIndexOf('\r'));
        if (at >= 0 || from == 0) {
            last = tail.mid(at + 1);
            return true;
        }
        window *= 4;
    }
}

ReceiptReading ReadReceipt(const QString& declarationPath) {
    const QString receipt = ReceiptPath(declarationPath);
    return ReadReceipt(declarationPath, QFileInfo::exists(receipt) ? receipt : QString());
}

ReceiptReading ReadReceipt(const QString& declarationPath, const QString& receiptPath) {
    ReceiptReading reading;
    if (receiptPath.isEmpty()) return reading;
    QFile receipt(receiptPath);
    if (!receipt.open(QIODevice::ReadOnly)) {
        // There, but not to be read: nothing confirms the transmission.
        reading.check = QFileInfo::exists(receiptPath) ? ReceiptCheck::Incomplete : ReceiptCheck::None;
        return reading;
    }
    reading.line = firstLineOf(receipt.read(4096));
    receipt.close();
    QFile declaration(declarationPath);
    QByteArray trailer;
    if (!declaration.open(QIODevice::ReadOnly) || !ReadLastLine(declaration, trailer)) trailer.clear();
    reading.check = CheckReceiptLine(reading.line, trailer);
    return reading;
}

bool IsTransmitted(const QString& declarationPath) {
    return ReadReceipt(declarationPath).check == ReceiptCheck::Valid;
}

QString TransmittedReceiptCode(const QString& declarationPath) {
    const ReceiptReading reading = ReadReceipt(declarationPath);
    const QString code =
        reading.check == ReceiptCheck::Valid ? PrefixedReceiptNumber(QString::fromLatin1(reading.line)) : QString();
    return code.isEmpty() ? QStringLiteral(" ") : code;
}

QString ReceiptProblemText(ReceiptCheck check) {
    switch (check) {
    case ReceiptCheck::Incomplete:
        return QStringLiteral("o recibo de entrega está incompleto (a gravação do recibo foi interrompida)");
    case ReceiptCheck::ChecksumWrong:
        return QStringLiteral("o controle (CRC) do recibo de entrega não confere (Arquivo .rec inválido)");
    case ReceiptCheck::DigestDiffers:
        return QStringLiteral("o código hash do recibo de entrega não é o do arquivo");
    case ReceiptCheck::EstablishmentsDiffer:
        return QStringLiteral("a quantidade de estabelecimentos do recibo de entrega não é a do arquivo");
    case ReceiptCheck::ContractsDiffer:
        return QStringLiteral("a quantidade de vínculos do recibo de entrega não é a do arquivo");
    case ReceiptCheck::None:
    case ReceiptCheck::Valid:
        break;
    }
    return QString();
}

DeclarationFolderListing ListDeclarationFiles(const QString& folder, int anoBase) {
    DeclarationFolderListing out;
    QDir dir(folder);
    dir.setNameFilters({QStringLiteral("Zuvo") + QString::number(anoBase) + QStringLiteral("*.dec")});
    // Hidden files are left out; folders named like a declaration are not files.
    const QStringList names = dir.entryList(QDir::Files | QDir::System, QDir::Name | QDir::IgnoreCase);
    out.anyFound = !names.isEmpty();

    QSet<QString> heldBack, removed;
    const os::PendingRenames record = os::ReadPendingRenames(folder);
    if (record.pending) {
        bool named = record.readable;
        for (const auto& [from, to] : record.renames)
            named = named && !dir.exists(from) && QFileInfo(dir.filePath(to)).isFile();
        for (const QString& gone : record.removals) removed.insert(gone.toLower());
        if (!named) {
            out.writeInterrupted = true;
            for (const auto& [from, to] : record.renames) heldBack.insert(to.toLower());
            heldBack.unite(removed);
        }
    }

    // The receipts by name without regard to case, read once for the folder.
    QHash<QString, QString> receipts;
    for (const QString& r : dir.entryList({QStringLiteral("*.rec")}, QDir::Files | QDir::System))
        receipts.insert(r.toLower(), r);
    for (const QString& name : names) {
        const QString key = name.toLower();
        // An unreadable record names nothing that could be trusted.
        if (heldBack.contains(key) || (record.pending && !record.readable)) {
            out.withheld << name;
            continue;
        }
        if (removed.contains(key)) continue;
        const QString receiptName = receipts.value(QFileInfo(name).completeBaseName().toLower() + QStringLiteral(".rec"));
        out.files.append({dir.filePath(name), receiptName.isEmpty() ? QString() : dir.filePath(receiptName)});
    }
    return out;
}

bool WriteInterrupted(const QString& folder) { return os::ReadPendingRenames(folder).pending; }

QString InterruptedWriteText() {
    return QStringLiteral("Uma gravação de declaração nesta pasta não foi concluída: foi interrompida ou está em "
                          "andamento em outra cópia do programa.\rOs arquivos dessa gravação não são oferecidos até "
                          "que ela seja concluída. Feche o programa em todos os computadores que o utilizam e "
                          "abra-o novamente.");
}

}  // namespace declfile
