#include "shell/ufmLOBRIX.h"
#include "shell/ufmSobre.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"

#include <QAction>
#include <QCoreApplication>
#include <QDateTime>
#include <QDesktopServices>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <QLabel>
#include <QLineEdit>
#include <QTest>
#include <QTimer>
#include <QUrl>
#include <gtest/gtest.h>

namespace {

TEST(HiddenKeySequence, AdvancesOnlyWithCtrlAndRestartsOnAWrongKey) {
    struct Press {
        char key;
        bool ctrl;
        int position;  // afterwards
        bool fires;
    };
    const struct {
        const char* name;
        std::vector<Press> presses;
    } cases[] = {
        {"whole sequence fires once", {{'L', true, 2, false}, {'O', true, 3, false}, {'B', true, 4, false},
                                       {'R', true, 5, false}, {'I', true, 6, false}, {'X', true, 1, true},
                                       {'X', true, 1, false}}},
        {"lower case counts", {{'l', true, 2, false}, {'o', true, 3, false}}},
        {"wrong key mid-way restarts at 1", {{'L', true, 2, false}, {'O', true, 3, false}, {'Q', true, 1, false}}},
        {"the first letter mid-way restarts at 2",
         {{'L', true, 2, false}, {'O', true, 3, false}, {'L', true, 2, false}, {'O', true, 3, false}}},
        {"without Ctrl nothing moves", {{'L', false, 1, false}, {'L', true, 2, false}, {'Q', false, 2, false},
                                        {'O', false, 2, false}, {'O', true, 3, false}}},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        HiddenKeySequence sequence(QStringLiteral("LOBRIX"));
        for (const Press& p : c.presses) {
            EXPECT_EQ(sequence.Key(QLatin1Char(p.key), p.ctrl), p.fires) << p.key;
            EXPECT_EQ(sequence.Position(), p.position) << p.key;
        }
    }
}

TEST(Marquee, FirstCharacterGoesToTheEndAndAnEmptyLineStaysEmpty) {
    EXPECT_EQ(RotateMarquee(QStringLiteral("abc")), QStringLiteral("bca"));
    EXPECT_EQ(RotateMarquee(RotateMarquee(RotateMarquee(QStringLiteral("abc")))), QStringLiteral("abc"));
    EXPECT_EQ(RotateMarquee(QStringLiteral(" x")), QStringLiteral("x "));
    EXPECT_EQ(RotateMarquee(QString()), QString());
}

TEST(BuildLabel, IsTheDateTheProgramFileWasWritten) {
    QTemporaryDir dir;
    QFile program(dir.filePath(QStringLiteral("lobrix")));
    ASSERT_TRUE(program.open(QIODevice::WriteOnly));
    ASSERT_TRUE(program.setFileTime(QDateTime(QDate(2010, 1, 5), QTime(10, 0)), QFileDevice::FileModificationTime));
    program.close();
    EXPECT_EQ(BuildLabel(program.fileName()), QStringLiteral("Build 05/01/2010"));
}

// Records what the about box hands the desktop to open.
class UrlRecorder : public QObject {
    Q_OBJECT
public:
    QStringList opened;
public slots:
    void open(const QUrl& url) { opened << url.toString(); }
};

struct AboutFixture : ::testing::Test {
    TempProgramWithModules program;
    TfmLOBRIX window;
};

TEST_F(AboutFixture, ShowsVersionProgramDateAndAddressAndTheSequenceShowsTheSecondPicture) {
    UrlRecorder urls;
    QDesktopServices::setUrlHandler(QStringLiteral("http"), &urls, "open");
    FormsScript script;
    script.expect("fmSobre", [&](QWidget* w) {
        auto* about = static_cast<TfmSobre*>(w);
        EXPECT_EQ(about->size(), QSize(512, 325));
        EXPECT_EQ(about->versao->text(), QStringLiteral("Versão 2009.01.00"));
        const QDateTime built = QFileInfo(QCoreApplication::applicationFilePath()).lastModified();
        EXPECT_EQ(about->lblBuild->text(), "Build " + built.toString(QStringLiteral("dd/MM/yyyy")));
        EXPECT_EQ(about->lblAmbiente->text(), QStringLiteral(" "));  // "Produção" is not shown
        EXPECT_EQ(about->laEndInternet->text(), TfmLOBRIX::WebAddress());
        QTest::mouseClick(about->laEndInternet, Qt::LeftButton);

        EXPECT_TRUE(about->lblMarquee->text().isEmpty());
        QTest::qWait(250);
        EXPECT_TRUE(about->lblMarquee->text().isEmpty()) << "an empty line stays empty";
        QTest::keyClicks(about, QStringLiteral("LOBRIX"));  // without Ctrl
        EXPECT_TRUE(about->Image1->isVisible());
        QTest::keyClicks(about, QStringLiteral("LOBRIX"), Qt::ControlModifier);
        EXPECT_FALSE(about->Image1->isVisible());
        EXPECT_TRUE(about->Image2->isVisible());
        EXPECT_EQ(about->Image2->geometry().size(), QSize(161, 209));
        EXPECT_EQ(about->Image2->y(), 96);
        const QString line = about->lblMarquee->text();
        EXPECT_TRUE(line.startsWith(QString(63, QLatin1Char(' '))));
        EXPECT_TRUE(line.contains(QStringLiteral(" - Versão 2009.01.00")));
        EXPECT_EQ(line, about->edText->text());
        about->Timer1Timer();
        EXPECT_EQ(about->lblMarquee->text(), line.mid(1) + line.left(1));
        EXPECT_EQ(about->Timer1->interval(), 100);
        EXPECT_TRUE(about->Timer1->isActive());
        return forms::mrOk;
    });
    ASSERT_TRUE(window.CommandAction(LobrixCommand::Sobre)->isEnabled());
    window.CommandAction(LobrixCommand::Sobre)->trigger();
    QDesktopServices::unsetUrlHandler(QStringLiteral("http"));
    EXPECT_EQ(script.shown(), QStringList{"fmSobre"});
    EXPECT_EQ(urls.opened, QStringList{TfmLOBRIX::WebAddress()});
}

TEST_F(AboutFixture, DevelopmentEnvironmentIsNamed) {
    window.Ambiente = QStringLiteral("Desenvolvimento");
    TfmSobre about;
    EXPECT_EQ(about.lblAmbiente->text(), QStringLiteral("Desenvolvimento"));
}

}  // namespace

#include "SobreTest.moc"
