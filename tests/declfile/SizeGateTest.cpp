#include "declfile/ugTamanhoImportacao.h"

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

using declfile::TrailerContractCount;

namespace {

// A record of the layout's length; the header carries digits where the
// trailer keeps its count, so reading the wrong record shows.
QByteArray Record(char type, const QByteArray& at30 = "123456") {
    QByteArray r(550, ' ');
    r[0] = type;
    r.replace(29, at30.size(), at30);
    return r;
}

QByteArray File(const QByteArray& count, const QByteArray& lineEnd, const QByteArray& tail = {}) {
    QByteArray out;
    for (const QByteArray& r : {Record('0'), Record('1', "      "), Record('2', "      "), Record('9', count)})
        out += r + lineEnd;
    return out + tail;
}

struct GateCase {
    const char* name;
    QByteArray bytes;
    std::optional<qint64> expected;
};

}  // namespace

TEST(SizeGate, ReadsTheTrailerWhateverTheLineEnds) {
    const GateCase cases[] = {
        {"CR LF", File("050000", "\r\n"), 50000},
        {"CR LF, over the limit", File("050001", "\r\n"), 50001},
        {"without line ends", File("000003", ""), 3},
        {"CR alone", File("000003", "\r"), 3},
        {"LF alone", File("000003", "\n"), 3},
        {"LF CR", File("000003", "\n\r"), 3},
        {"blank lines and the end-of-file mark after it", File("000007", "\r\n", "\r\n   \r\n\x1A"), 7},
        {"without line ends, end-of-file mark", File("000004", "", "\x1A"), 4},
        {"letters in the count", File("0000A3", "\r\n"), std::nullopt},
        {"a short last line", File("000003", "\r\n", QByteArray("9") + QByteArray(30, '0') + "\r\n"),
         std::nullopt},
        {"lines of another length", QByteArray("0 header\r\n") + QByteArray(29, '9') + "000042xyz\r\n", 42},
        {"empty file", QByteArray(), std::nullopt},
    };
    QTemporaryDir dir;
    for (const GateCase& c : cases) {
        const QString path = dir.filePath(QStringLiteral("Zuvo.txt"));
        QFile f(path);
        ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
        f.write(c.bytes);
        f.close();
        const auto got = TrailerContractCount(path);
        EXPECT_TRUE(got.readable) << c.name;
        EXPECT_EQ(got.contracts, c.expected) << c.name;
    }
}

TEST(SizeGate, AMissingFileIsUnreadable) {
    QTemporaryDir dir;
    EXPECT_FALSE(TrailerContractCount(dir.filePath(QStringLiteral("none.txt"))).readable);
}

TEST(SizeGate, AFileLargerThanAnyDeclarationIsNotReadForItsTrailer) {
    // Sparse: gigabytes of zero bytes, which read as blank records that a
    // walk back to the last record with text would read one by one.
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("Zuvo.txt"));
    QFile f(path);
    ASSERT_TRUE(f.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_TRUE(f.resize(qint64(6) << 30));
    f.close();
    QElapsedTimer clock;
    clock.start();
    const auto got = TrailerContractCount(path);
    EXPECT_LT(clock.elapsed(), 2000) << "ms to look at it";
    EXPECT_TRUE(got.readable);
    EXPECT_EQ(got.contracts, std::nullopt);
}
