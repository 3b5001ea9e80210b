// The parts of a split file in one folder "Transmite", as a user has them:
// each part analysed and written again from the transmission window, in
// either order, then both transmitted with the stand-in transmitter. No part
// may take another's name, and each keeps its own contracts.
#include "DeclfileTestSupport.h"

#include "declfile/MainWindowState.h"
#include "declfile/analis/ufmAnalis00.h"
#include "declfile/analis/ufmAnalis01.h"
#include "declfile/transmite/ufmTransmite.h"
#include "declfile/ugDriveDisquete.h"
#include "declfile/ugHashCompara.h"
#include "listview/qt/LumeListviewWidget.h"
#include "platform/db/Database.h"
#include "platform/os/Process.h"
#include "shell/ufmLOBRIX.h"

#include "support/DataFolder.h"
#include "support/FormsScript.h"
#include "support/GuiDriver.h"
#include "support/ValidDeclaration.h"
#include "support/WrittenFileCheck.h"

#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QFrame>
#include <QPushButton>
#include <gtest/gtest.h>

using namespace declfile;

namespace {

QByteArray zeros(int n, int width) { return QByteArray::number(n).rightJustified(width, '0'); }

// A part as the splitting writes it: its records numbered from 1, the header
// marked " P", and a trailer that names the part's last establishment and
// counts the part's own records, with no digest.
QByteArray partOf(const QList<QByteArray>& records, const QByteArray& trailer) {
    QByteArray out;
    QByteArray lastKey;
    int establishments = 0, contracts = 0;
    QList<QByteArray> lines = records;
    lines << trailer;
    for (int i = 0; i < lines.size(); ++i) {
        QByteArray r = lines[i];
        r.replace(0, 6, zeros(i + 1, 6));
        switch (r.at(22)) {
        case '0': r.replace(396, 2, " P"); break;
        case '1': ++establishments; lastKey = r.mid(6, 16); break;
        case '2': ++contracts; break;
        case '9':
            r.replace(6, 16, lastKey);
            r.replace(23, 6, zeros(establishments, 6));
            r.replace(29, 6, zeros(contracts, 6));
            r.replace(518, 32, QByteArray(32, ' '));
            break;
        }
        out += r + "\r\n";
    }
    return out;
}

struct Part {
    QString name;
    int establishments, contracts;
};

class SplitPartsRoad : public ::testing::Test {
protected:
    void SetUp() override {
        SetProgramAnoBase(2009);
        StoreWriterState(WriterState{});
        os::SetExecSeam({});
        // One establishment of four contracts and one of two, cut after the
        // second contract as a split cuts a large file: the second part
        // begins with the first establishment again.
        valid::WriteLargeDeclaration(4, 1, 2);
        QDir().mkpath(program.path() + "Transmite");
        WriteRequest request;
        request.dataFolder = program.dataFolder();
        request.generationDate = "15012010";
        WriterState state;
        WriterHost host;
        ASSERT_EQ(WriteDeclarationFile(request, state, host), kWritten);
        whole = Records(state.ArquivoGerado);
        ASSERT_EQ(whole.size(), 10);
        ASSERT_TRUE(QFile::remove(state.ArquivoGerado));
        auto database = db::Database::forFolder(program.dataFolder());
        for (const char* t : {"te8ProID.db", "te8ProES.db"}) database->dropTable(t);
        const QString base = "Zuvo2009_" + QString::fromLatin1(whole[1].mid(6, 16));
        parts = {{base + "01G.dec", 1, 2}, {base + "02G.dec", 2, 4}};

        QDir(program.path()).mkpath("ZuvoNet2009");
        const QString transmitter = program.path() + "ZuvoNet2009/ZuvoNet2009";
        ASSERT_TRUE(QFile::copy(QStringLiteral(ZUVONET_STANDIN), transmitter));
        QFile::setPermissions(transmitter, QFile::permissions(transmitter) | QFileDevice::ExeOwner);
    }

    QString transmit(const QString& name = QString()) const { return TransmitFolder() + name; }

    // The two parts, and nothing else, in Transmite.
    void placeParts() {
        QDir(transmit()).removeRecursively();
        QDir().mkpath(transmit());
        const QList<QByteArray> first{whole[0], whole[1], whole[2], whole[3]};
        const QList<QByteArray> second{whole[0], whole[1], whole[4], whole[5], whole[6], whole[7], whole[8]};
        for (const auto& [name, records] : {std::pair{parts[0].name, first}, std::pair{parts[1].name, second}}) {
            QFile f(transmit(name));
            ASSERT_TRUE(f.open(QIODevice::WriteOnly));
            f.write(partOf(records, whole[9]));
        }
    }

    TempProgramWithModules program;
    QList<QByteArray> whole;
    QList<Part> parts;
};

// The item of the list that shows a file.
int itemOf(TfmTransmite* form, const QString& path) { return form->Paths().indexOf(path); }

}  // namespace

TEST_F(SplitPartsRoad, EachPartIsAnalysedUnderItsOwnNameAndBothAreTransmitted) {
    const QList<QList<int>> orders{{1, 0}, {0, 1}};
    for (const QList<int>& order : orders) {
        SCOPED_TRACE(order[0] == 1 ? "second part first" : "first part first");
        placeParts();
        TfmLOBRIX window;
        window.SetCommandHandler(LobrixCommand::Transmite, [] { ShowTransmite(fmLOBRIX); });
        BoxScript boxes;
        FormsScript script;
        QStringList receipts;
        script.expect("fmTransmite", [&](QWidget* w) {
            auto* form = static_cast<TfmTransmite*>(w);
            gui::click(form->BitBtnC);
            auto& items = (*form->LumeListview1)->Items();
            for (int p : order) {
                const int i = itemOf(form, transmit(parts[p].name));
                EXPECT_GE(i, 0) << parts[p].name.toStdString();
                if (i < 0) break;
                EXPECT_EQ(items[i]->ImageIndexes(0), kImgNaoAnalisada);
                EXPECT_EQ(items[i]->Captions(0), "p");
                gui::clickItem(form->LumeListview1, i);
                // The writer may ask only about the part's own file.
                boxes.expect("Existe um arquivo de nome \"" + parts[p].name + "\" no drive C:", "mrYes");
                gui::click(form->btAnalise);
            }
            EXPECT_EQ(form->Paths().size(), 2);
            for (const Part& part : parts) {
                const int i = itemOf(form, transmit(part.name));
                EXPECT_GE(i, 0) << part.name.toStdString();
                if (i < 0) continue;
                EXPECT_EQ(items[i]->ImageIndexes(0), kImgGravada) << part.name.toStdString();
                gui::clickItem(form->LumeListview1, i);
                gui::click(form->btnTransmite);
                const int j = itemOf(form, transmit(part.name));
                EXPECT_EQ(items[j]->ImageIndexes(0), kImgTransmitida) << part.name.toStdString();
                EXPECT_EQ(items[j]->Captions(1).size(), 12) << items[j]->Captions(1).toStdString();
                receipts << items[j]->Captions(1);
            }
            gui::click(form->btnCancelar);
            return int(forms::mrNone);
        });
        for (int k = 0; k < 2; ++k) {
            script.expect("fmAnalis00", [](QWidget* p) {
                gui::clickChild(p, "bbAvancar");
                return int(forms::mrNone);
            });
            script.expect("fmAnalis01", [](QWidget* p) {
                EXPECT_FALSE(gui::child<QFrame>(p, "POk")->isHidden()) << "the check found something";
                auto* drive = gui::child<QComboBox>(p, "cbDrive");
                drive->setCurrentIndex(drive->findText("Drive C:"));
                gui::clickChild(p, "BtConcluir");
                return int(forms::mrNone);
            });
            script.expect("fmAnalis02", [](QWidget* p) {
                gui::clickChild(p, "bbFechar");
                return int(forms::mrNone);
            });
        }
        window.CommandAction(LobrixCommand::Transmite)->trigger();
        EXPECT_EQ(script.pending(), 0);
        EXPECT_TRUE(script.unexpected().isEmpty()) << script.unexpected().join(',').toStdString();

        // Two files, each with its own contracts, checked and stamped; two receipts.
        EXPECT_EQ(QDir(transmit()).entryList({"*.dec"}, QDir::Files).size(), 2);
        EXPECT_EQ(QDir(transmit()).entryList({"*.rec"}, QDir::Files).size(), 2);
        EXPECT_EQ(receipts.size(), 2);
        EXPECT_EQ(QSet<QString>(receipts.begin(), receipts.end()).size(), receipts.size());
        for (const Part& part : parts) {
            SCOPED_TRACE(part.name.toStdString());
            const QString path = transmit(part.name);
            ASSERT_TRUE(QFile::exists(path));
            EXPECT_EQ(Cols(Records(path).value(0), 397, 398), "A ");
            EXPECT_TRUE(VerifyFileDigest(path));
            const FileVerdict verdict = CheckWrittenFile(path, program.dataFolder());
            EXPECT_TRUE(verdict.Accepted()) << verdict.Describe();
            EXPECT_EQ(verdict.establishments, part.establishments);
            EXPECT_EQ(verdict.contracts, part.contracts);
        }
    }
}

// The name a file keeps when it is written again.
TEST(SplitPartsNames, APartKeepsItsNameAndNumber) {
    struct Case {
        const char* file;
        bool kept;
        const char* base;
        int part;
    } cases[] = {
        {"/x/Zuvo2009_112223330001810102G.dec", true, "Zuvo2009_1122233300018101", 2},
        {"zuvo2009_112223330001810112r.DEC", true, "Zuvo2009_1122233300018101", 12},
        {"Zuvo2009_1122233300018101100G.dec", true, "Zuvo2009_1122233300018101", 100},
        {"Zuvo2008_112223330001810102G.dec", false, "", 0},
        {"Zuvo2009_112223330001810100G.dec", false, "", 0},
        {"Zuvo2009_11222333000181010G.dec", false, "", 0},
        {"Zuvo2009_112223330001810102G.txt", false, "", 0},
        {"outro.txt", false, "", 0},
    };
    for (const Case& c : cases) {
        QString base;
        int part = 0;
        EXPECT_EQ(KeptPartName(c.file, 2009, base, part), c.kept) << c.file;
        if (!c.kept) continue;
        EXPECT_EQ(base, c.base) << c.file;
        EXPECT_EQ(part, c.part) << c.file;
    }
}
