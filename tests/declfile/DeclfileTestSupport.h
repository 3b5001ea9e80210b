#pragma once
// Helpers of the declaration-file tests: boxes answered by script (with an
// action run before answering, e.g. swapping the diskette), and reading a
// written file back record by record.
#include "declfile/DeclarationWriter.h"
#include "platform/Digest.h"
#include "platform/ui/MessageService.h"

#include <QByteArray>
#include <QFile>
#include <QList>
#include <QString>
#include <functional>
#include <gtest/gtest.h>

struct ScriptedBox {
    QString textContains;
    QString answer;
    std::function<void()> before;
};

class BoxScript : public msg::MessageHost {
public:
    BoxScript() { previous_ = msg::SetMessageHost(this); }
    ~BoxScript() override {
        msg::SetMessageHost(previous_);
        EXPECT_TRUE(script_.isEmpty()) << "boxes expected but not shown, next: "
                                       << (script_.isEmpty() ? "" : script_.first().textContains.toStdString());
    }
    BoxScript& expect(const QString& textContains, const QString& answer, std::function<void()> before = {}) {
        script_.append({textContains, answer, std::move(before)});
        return *this;
    }
    QString show(const msg::BoxRequest& r) override {
        shown.append(r.text);
        if (script_.isEmpty()) {
            ADD_FAILURE() << "unexpected box: " << r.text.toStdString();
            // Stop whatever asks: a loop of prompts must not hang the test.
            if (r.text.contains(QStringLiteral("Deseja interromper?"))) return QStringLiteral("mrYes");
            return r.buttons == msg::BoxButtons::YesNo ? QStringLiteral("mrNo") : QStringLiteral("mrCancel");
        }
        ScriptedBox b = script_.takeFirst();
        EXPECT_TRUE(r.text.contains(b.textContains))
            << "box \"" << r.text.toStdString() << "\" where \"" << b.textContains.toStdString() << "\" was expected";
        if (b.before) b.before();
        return b.answer;
    }
    void beep() override {}
    QStringList shown;

private:
    msg::MessageHost* previous_ = nullptr;
    QList<ScriptedBox> script_;
};

inline QByteArray ReadAll(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

// The records of a file without CR LF; fails the test when a record is not
// 550 bytes followed by CR LF.
inline QList<QByteArray> Records(const QString& path) {
    const QByteArray all = ReadAll(path);
    QList<QByteArray> out;
    EXPECT_EQ(all.size() % 552, 0) << path.toStdString();
    for (int at = 0; at + 552 <= all.size(); at += 552) {
        EXPECT_EQ(all.mid(at + 550, 2), QByteArray("\r\n")) << "record " << at / 552 + 1;
        out << all.mid(at, 550);
    }
    return out;
}

// Columns from..to (counted from 1) of a record.
inline QByteArray Cols(const QByteArray& record, int from, int to) { return record.mid(from - 1, to - from + 1); }

// A part file on a disk that fills after `room` bytes.
class FullDiskFile : public declfile::PartFile {
public:
    explicit FullDiskFile(qint64 room) : inner_(declfile::MakeDiskPartFile()), room_(room) {}
    bool Create(const QString& path) override { return inner_->Create(path); }
    bool Write(const QByteArray& bytes) override {
        if (written_ + bytes.size() > room_) {
            full_ = true;
            return false;
        }
        written_ += bytes.size();
        return inner_->Write(bytes);
    }
    bool Close() override { return inner_->Close() && !full_; }
    bool DiskFull() const override { return full_; }

private:
    std::unique_ptr<declfile::PartFile> inner_;
    qint64 room_;
    qint64 written_ = 0;
    bool full_ = false;
};


// The receipt line a transmission of this very file gets (the fields the
// program checks: inscription, counts and digest from the file, the checksum
// of the first 90 characters).
inline QByteArray ReceiptLineFor(const QString& declarationPath, const QByteArray& number = "512345678",
                                 const QByteArray& fileDigest = QByteArray()) {
    QFile f(declarationPath);
    const QByteArray all = f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
    const QByteArray trailer = all.trimmed().split('\n').last().trimmed();
    QByteArray line = number + all.mid(6, 14) + QString::asprintf("%010u", digest::Crc32(all)).toLatin1() +
                      trailer.mid(24, 5) + trailer.mid(29, 6) + "150320101030" + "  " +
                      (fileDigest.isEmpty() ? trailer.mid(518, 32) : fileDigest);
    line = line.leftJustified(90, ' ', true);
    return line + QString::asprintf("%010u", digest::Crc32(line)).toLatin1();
}

// The same line with another file's digest: well formed, but not this file's.
inline QByteArray ReceiptLineOfAnotherFile(const QString& declarationPath) {
    return ReceiptLineFor(declarationPath, "512345678", QByteArray(32, 'f'));
}
