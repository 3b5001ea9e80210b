// Builds the data folder Dados from the shipped rows under data/: every
// declaration table empty, every lookup table and the message catalogue
// filled. Usage: makedados <data dir> <Dados dir>
#include "platform/db/Table.h"
#include "shell/DeclarationTables.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTextStream>
#include <cstdio>

namespace {

QString findTsv(const QString& dataDir, const QString& tableFile) {
    const QString stem = QFileInfo(tableFile).completeBaseName();
    for (const QString& e : QDir(dataDir).entryList({QStringLiteral("*.tsv")}, QDir::Files))
        if (QFileInfo(e).completeBaseName().compare(stem, Qt::CaseInsensitive) == 0) return QDir(dataDir).filePath(e);
    return {};
}

bool fill(db::Database& database, const db::TableDef& def, const QString& tsv) {
    QFile file(tsv);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Text)) {
        std::fprintf(stderr, "cannot read %s\n", qPrintable(tsv));
        return false;
    }
    QTextStream in(&file);
    in.setEncoding(QStringConverter::Utf8);
    const QStringList header = in.readLine().split('\t');
    for (const QString& h : header)
        if (def.fieldIndex(h) < 0) {
            std::fprintf(stderr, "%s: unknown column %s\n", qPrintable(tsv), qPrintable(h));
            return false;
        }
    db::Table table(std::shared_ptr<db::Database>(&database, [](db::Database*) {}), def.fileName);
    table.Open();
    db::Transaction tx(database);
    int line = 1;
    while (!in.atEnd()) {
        const QString text = in.readLine();
        ++line;
        if (text.isEmpty()) continue;
        const QStringList values = text.split('\t');
        if (values.size() != header.size()) {
            std::fprintf(stderr, "%s:%d: %lld values for %lld columns\n", qPrintable(tsv), line,
                         static_cast<long long>(values.size()), static_cast<long long>(header.size()));
            return false;
        }
        table.Append();
        for (int i = 0; i < header.size(); ++i) {
            db::Field& f = table.FieldByName(header[i]);
            if (f.DataType() == db::FieldType::Boolean) {
                f.SetAsBoolean(values[i] == QLatin1String("1"));
            } else {
                if (values[i].size() > f.Size()) {
                    std::fprintf(stderr, "%s:%d: %s longer than %d\n", qPrintable(tsv), line, qPrintable(header[i]),
                                 f.Size());
                    return false;
                }
                f.SetAsString(values[i]);
            }
        }
        try {
            table.Post();
        } catch (const db::DbError& e) {
            std::fprintf(stderr, "%s:%d: %s\n", qPrintable(tsv), line, qPrintable(e.text()));
            return false;
        }
    }
    tx.commit();
    table.Close();
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    QCoreApplication app(argc, argv);
    if (argc != 3) {
        std::fprintf(stderr, "usage: makedados <data dir> <Dados dir>\n");
        return 2;
    }
    const QString dataDir = QString::fromLocal8Bit(argv[1]);
    const QString outDir = QString::fromLocal8Bit(argv[2]);
    // Build aside and swap in, so a failed build leaves no half folder.
    const QString work = outDir + QStringLiteral(".new");
    QDir(work).removeRecursively();
    QDir().mkpath(work);
    {
        db::Database database(work);
        for (const db::TableDef& def : DeclarationTables::ShippedTables()) {
            database.createTable(def);
            const QString tsv = findTsv(dataDir, def.fileName);
            if (!tsv.isEmpty() && !fill(database, def, tsv)) return 1;
        }
    }
    for (const QString& lock : QDir(work).entryList({QStringLiteral(".*.lock")}, QDir::Files | QDir::Hidden))
        QFile::remove(QDir(work).filePath(lock));
    QDir(outDir).removeRecursively();
    if (!QDir().rename(work, outDir)) {
        std::fprintf(stderr, "cannot move %s to %s\n", qPrintable(work), qPrintable(outDir));
        return 1;
    }
    return 0;
}
