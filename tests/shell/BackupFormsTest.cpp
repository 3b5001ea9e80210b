#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/MessageService.h"
#include "shell/DeclarationTables.h"
#include "shell/ufmBackup00.h"
#include "shell/ufmRestore00.h"
#include "support/Builders.h"
#include "support/DataFolder.h"
#include "support/FormsScript.h"

#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QPushButton>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

const QString kConfirmRestore =
    "Ao restaurar a Base de Dados do LOBRIX, os dados existentes nela serão perdidos.\nVocê confirma a operação?";
const QString kBackupDone = "Gravação da cópia bem sucedida.";
const QString kRestoreDone = "Restauração da cópia bem sucedida.";
const QString kRestoreError = "Ocorreu um erro durante o processo de restauração.";

// Answers the boxes by a rule and records every box; volume requests are
// answered Ok unless the rule says otherwise.
class BoxHost : public msg::MessageHost {
public:
    std::function<QString(const msg::BoxRequest&)> rule;
    QStringList texts;
    BoxHost() { previous_ = msg::SetMessageHost(this); }
    ~BoxHost() override { msg::SetMessageHost(previous_); }
    QString show(const msg::BoxRequest& r) override {
        texts << r.text;
        if (rule) {
            const QString a = rule(r);
            if (!a.isEmpty()) return a;
        }
        if (r.text == kConfirmRestore) return "mrYes";
        return "mrOk";
    }
    void beep() override {}
    int count(const QString& text) const { return int(texts.count(text)); }
    int countStarting(const QString& prefix) const {
        return int(std::count_if(texts.begin(), texts.end(), [&](const QString& t) { return t.startsWith(prefix); }));
    }

private:
    msg::MessageHost* previous_ = nullptr;
};

QByteArray bytesOf(const QString& path) {
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray("<missing>");
}

QString tablePath(const QString& name) { return AppPaths::findNoCase(AppPaths::dataFolder(), name); }

QMap<QString, QByteArray> tableBytes() {
    QMap<QString, QByteArray> m;
    for (const char* t : {"Bd8emp.DB", "Bd8vinc.DB", "bd8resp.DB"}) m[t] = bytesOf(tablePath(t));
    return m;
}

// A declaration: one responsible row, two establishments and their contracts.
void fillDeclaration(int contracts) {
    auto database = db::Database::forFolder(AppPaths::dataFolder());
    db::Table resp(database, "bd8resp");
    resp.Open();
    AppendRow(resp, {{"CoCgcCeiResponsavel", "12345678000190"}, {"NoResponsavelArquivo", "EMPRESA EXEMPLO"}});
    resp.Close();
    db::Table emp(database, "Bd8emp");
    emp.Open();
    for (const QString& cnpj : {"12345678000190", "98765432000155"})
        AppendRow(emp, {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", cnpj}, {"NuPrefixoEstabelecimento", "00"},
                        {"NoRazaoEstabelecimento", "ESTABELECIMENTO " + cnpj}, {"TxtCnae", "COMERCIO VAREJISTA"}});
    emp.Close();
    db::Table vinc(database, "Bd8vinc");
    vinc.Open();
    db::Transaction t(*database);
    for (int i = 0; i < contracts; ++i)
        AppendRow(vinc, {{"AnBase", "2009"},
                         {"CoCgcCeiEstabelecimento", i % 2 ? "12345678000190" : "98765432000155"},
                         {"NuPrefixoEstabelecimento", "00"},
                         {"CoPisPasepEmpregado", QString::number(10000000000LL + i * 7919LL)},
                         {"DaAdmissaoEmpregado", QString("%1%2").arg(1 + i % 28, 2, 10, QChar('0')).arg("032005")},
                         {"NoEmpregado", QString("EMPREGADO %1 DA SILVA %2").arg(i).arg(i * 31 % 97)},
                         {"VaJaneiroEmpregado", QString::number(100000 + i * 37)},
                         {"TxtCBO", QString("OCUPACAO %1").arg(i % 13)}});
    t.commit();
    vinc.Close();
}

void changeDeclaration() {
    auto database = db::Database::forFolder(AppPaths::dataFolder());
    db::Table emp(database, "Bd8emp");
    emp.Open();
    emp.First();
    emp.Delete();
    AppendRow(emp, {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", "11111111000191"}, {"NuPrefixoEstabelecimento", "00"}});
    emp.Close();
    db::Table vinc(database, "Bd8vinc");
    vinc.Open();
    vinc.EmptyTable();
    vinc.Close();
}

class BackupForms : public ::testing::Test {
protected:
    TempProgramFolder program;
    QTemporaryDir drive;  // the folder the archive is saved to
    QString chosen;       // what the file dialogs answer; empty = cancelled
    qint64 freeSpace = 50'000'000;

    void SetUp() override {
        forms::SetFileDialogRunner([this](QFileDialog&) { return chosen; });
        SetFreeSpaceProvider([this](const QString&) { return freeSpace; });
    }
    void TearDown() override {
        forms::SetFileDialogRunner({});
        SetFreeSpaceProvider({});
    }
    QString archiveOnDrive(const QString& name = "Zuvo2009_backup.bkp") const { return drive.filePath(name); }

    bool backup(BoxHost& host) {
        chosen = archiveOnDrive();
        TfmBackup00 form(2009);
        form.bbActionClick();
        return host.count(kBackupDone) == 1 && QFileInfo::exists(chosen);
    }
    bool restore(const QString& archive) {
        chosen = archive;
        TfmRestore00 form(2009);
        form.bbActionClick();
        return form.Restored();
    }
};

TEST_F(BackupForms, BackupThenRestoreGivesByteIdenticalTables) {
    fillDeclaration(40);
    const auto saved = tableBytes();
    BoxHost host;
    ASSERT_TRUE(backup(host));
    EXPECT_EQ(host.texts, QStringList{kBackupDone});

    changeDeclaration();
    ASSERT_NE(tableBytes(), saved);
    ASSERT_TRUE(restore(archiveOnDrive()));
    EXPECT_EQ(host.texts, QStringList({kBackupDone, kConfirmRestore, kRestoreDone}));
    EXPECT_EQ(tableBytes(), saved);
    EXPECT_FALSE(QFileInfo::exists(AppPaths::dataFolder() + "/Work"));

    // The program's own connection sees the restored rows.
    db::Table emp(db::Database::forFolder(AppPaths::dataFolder()), "Bd8emp");
    emp.Open();
    EXPECT_EQ(emp.RecordCount(), 2);
    EXPECT_EQ(emp.FieldByName("CoCgcCeiEstabelecimento").AsString(), "12345678000190");
}

TEST_F(BackupForms, SmallVolumesSplitTheArchiveAndRestoreWhole) {
    fillDeclaration(1500);
    const auto saved = tableBytes();
    BoxHost host;
    // Each volume takes little more than one chunk.
    freeSpace = 20'000 + TBackupFile::kMinVolumeSize + 2000;
    ASSERT_TRUE(backup(host));
    const int volumes = host.countStarting("Insira o volume n° ");
    ASSERT_GE(volumes, 2);
    EXPECT_EQ(host.count("Unidade nao esta preparada."), 0);
    EXPECT_TRUE(host.texts.contains("Insira o volume n° 2"));
    EXPECT_TRUE(QFileInfo::exists(drive.filePath("Zuvo2009_backup.002")));

    changeDeclaration();
    host.texts.clear();
    freeSpace = 50'000'000;
    ASSERT_TRUE(restore(archiveOnDrive()));
    EXPECT_EQ(host.countStarting("Insira o volume n° "), volumes);
    EXPECT_TRUE(host.texts.contains("Insira o volume n° 2: o arquivo \"Zuvo2009_backup.002\" na pasta \"" +
                                    QDir::toNativeSeparators(drive.path()) + "\"."));
    EXPECT_EQ(tableBytes(), saved);

    // A volume that is missing is asked for by its name until the user gives up.
    ASSERT_TRUE(QFile::rename(drive.filePath("Zuvo2009_backup.002"), drive.filePath("guardado.002")));
    host.texts.clear();
    int asked = 0;
    host.rule = [&](const msg::BoxRequest& r) -> QString {
        if (!r.text.startsWith("Insira o volume n° 2")) return {};
        EXPECT_TRUE(r.text.contains("\"Zuvo2009_backup.002\"")) << r.text.toStdString();
        return ++asked < 3 ? "mrOk" : "mrCancel";
    };
    EXPECT_FALSE(restore(archiveOnDrive()));
    EXPECT_EQ(asked, 3);
    EXPECT_EQ(tableBytes(), saved);
}

TEST_F(BackupForms, DriveWithoutRoomForOneChunkWarnsInsteadOfAskingForVolumes) {
    fillDeclaration(800);
    BoxHost host;
    int warnings = 0;
    host.rule = [&](const msg::BoxRequest& r) -> QString {
        if (!r.text.startsWith("A unidade nao oferece o espaço mínimo exigido para o Backup.")) return {};
        EXPECT_EQ(r.kind, msg::BoxKind::Warning);
        EXPECT_EQ(r.buttons, msg::BoxButtons::OkCancel);
        // Ok once: the user frees nothing, so the check repeats; then Cancel.
        return ++warnings == 1 ? "mrOk" : "mrCancel";
    };
    freeSpace = 20'000 + TBackupFile::kMinVolumeSize - 1;
    chosen = archiveOnDrive();
    TfmBackup00 form(2009);
    form.bbActionClick();
    EXPECT_EQ(warnings, 2);
    EXPECT_EQ(host.countStarting("Insira o volume"), 0);
    EXPECT_FALSE(QFileInfo::exists(chosen));

    // The drive fills up between volumes: the next volume is refused the same way.
    warnings = 0;
    host.texts.clear();
    int asked = 0;
    host.rule = [&](const msg::BoxRequest& r) -> QString {
        if (r.text.startsWith("Insira o volume")) {
            ++asked;
            freeSpace = 25'000;
            return "mrOk";
        }
        if (r.text.startsWith("A unidade nao oferece")) return "mrCancel";
        return {};
    };
    freeSpace = 20'000 + TBackupFile::kMinVolumeSize + 2000;
    TfmBackup00 again(2009);
    again.bbActionClick();
    EXPECT_EQ(asked, 1);
    EXPECT_EQ(host.count(kBackupDone), 0);
}

TEST_F(BackupForms, IniciarIsDisabledWhileRunningAndCancelAsks) {
    fillDeclaration(600);
    struct Case {
        const char* answer;
        bool completes;
    };
    for (const Case& c : {Case{"mrNo", true}, Case{"mrYes", false}}) {
        SCOPED_TRACE(c.answer);
        BoxHost host;
        host.rule = [&](const msg::BoxRequest& r) -> QString {
            if (r.text == "Cancelar o processo de Backup ?") return c.answer;
            return {};
        };
        chosen = archiveOnDrive(QString("c_%1.bkp").arg(c.answer));
        TfmBackup00 form(2009);
        QList<bool> enabled;
        bool asked = false;
        const auto original = form.bkBackup.OnProgress;
        form.bkBackup.OnProgress = [&](TBackupFile* s, const QString& f, int p, bool& cont) {
            enabled << form.bbAction->isEnabled();
            if (!asked && p > 0 && p < 100) {
                asked = true;
                form.bbCancel->click();
            }
            original(s, f, p, cont);
        };
        form.bbActionClick();
        EXPECT_TRUE(asked);
        EXPECT_FALSE(enabled.contains(true));
        EXPECT_EQ(host.count("Cancelar o processo de Backup ?"), 1);
        EXPECT_EQ(host.count(kBackupDone), c.completes ? 1 : 0);
        EXPECT_TRUE(form.bbAction->isEnabled());
    }
}

TEST_F(BackupForms, DriveNotReadyIsWaitedForAndErrorsAreReported) {
    fillDeclaration(800);
    BoxHost host;
    // The drive reads as not ready twice after the second volume is asked for.
    int notReady = 0;
    SetFreeSpaceProvider([&](const QString&) -> qint64 {
        if (notReady > 0) {
            --notReady;
            return -1;
        }
        return 20'000 + TBackupFile::kMinVolumeSize + 2000;
    });
    host.rule = [&](const msg::BoxRequest& r) -> QString {
        if (r.text == "Insira o volume n° 2") notReady = 2;
        return {};
    };
    ASSERT_TRUE(backup(host));
    EXPECT_EQ(host.count("Unidade nao esta preparada."), 2);
    const int at = int(host.texts.indexOf("Insira o volume n° 2"));
    EXPECT_EQ(host.texts.mid(at + 1, 2), QStringList({"Unidade nao esta preparada.", "Unidade nao esta preparada."}));

    // An archive that cannot be created: the component's error in the form's words.
    host.texts.clear();
    host.rule = {};
    chosen = drive.filePath("sem-pasta/Zuvo2009_backup.bkp");
    TfmBackup00 form(2009);
    form.bbActionClick();
    EXPECT_EQ(host.texts,
              QStringList{"Ocorreu um erro durante o processo de backup: [Cannot write to archive]."});
}

TEST_F(BackupForms, MainWindowCommandsRunTheFormsModally) {
    fillDeclaration(10);
    BoxHost host;
    FormsScript script;
    auto clickIniciar = [](QWidget* form) {
        form->findChild<QPushButton*>("bbAction")->click();
        return int(forms::mrNone);  // the form closes itself when done
    };
    script.expect("fmBackup00", clickIniciar).expect("fmRestore00", clickIniciar).expect("fmRestore00", clickIniciar);
    chosen = archiveOnDrive();
    ShowBackupForm(2009);
    EXPECT_EQ(host.texts, QStringList{kBackupDone});
    EXPECT_TRUE(ShowRestoreForm(2009));
    EXPECT_EQ(host.texts.last(), kRestoreDone);
    chosen.clear();  // the open dialog cancelled
    EXPECT_FALSE(ShowRestoreForm(2009));
    EXPECT_EQ(script.pending(), 0);
    EXPECT_TRUE(script.unexpected().isEmpty());
}

TEST_F(BackupForms, CancelledSaveDialogWritesNothing) {
    BoxHost host;
    chosen.clear();
    TfmBackup00 form(2009);
    form.bbActionClick();
    EXPECT_TRUE(host.texts.isEmpty());
    EXPECT_TRUE(QDir(drive.path()).isEmpty());
    EXPECT_EQ(form.result(), QDialog::Rejected);
    EXPECT_TRUE(form.DefaultArchiveName().endsWith("Dados/Zuvo2009_backup.bkp"));
}

TEST_F(BackupForms, RefusedArchivesLeaveTheTablesAsTheyWere) {
    fillDeclaration(30);
    BoxHost host;
    ASSERT_TRUE(backup(host));
    const QByteArray good = bytesOf(archiveOnDrive());
    changeDeclaration();
    const auto before = tableBytes();

    auto write = [&](const QString& name, const QByteArray& data) {
        QFile f(drive.filePath(name));
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(data);
        return f.fileName();
    };
    // The archive of another year: same layout, title Zuvo2008.
    QByteArray otherYear = good;
    otherYear.replace(4, 8, "Zuvo2008");
    QByteArray damaged = good;
    damaged[good.size() / 2] = char(damaged[good.size() / 2] ^ 0x77);
    damaged[good.size() / 2 + 1] = char(damaged[good.size() / 2 + 1] ^ 0x77);

    struct Case {
        const char* what;
        QString archive;
        QStringList messages;  // after the confirmation
    };
    const QList<Case> cases = {
        {"wrong extension", write("copia.zip", good), {"Extensao inválida de arquivo de backup."}},
        {"missing file", drive.filePath("nada.bkp"), {"Arquivo inexistente."}},
        {"another year", write("outro.bkp", otherYear), {"Esse não é um arquivo de backup ZUVO válido"}},
        {"unreadable header", write("curto.bkp", good.left(6)), {"Esse não é um arquivo de backup ZUVO válido"}},
        {"damaged data", write("danificado.bkp", damaged), {kRestoreError}},
        {"truncated", write("cortado.bkp", good.left(good.size() - 100)), {kRestoreError}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.texts.clear();
        EXPECT_FALSE(restore(c.archive));
        EXPECT_EQ(host.texts, QStringList{kConfirmRestore} + c.messages) << host.texts.join(" | ").toStdString();
        EXPECT_EQ(tableBytes(), before);
        EXPECT_FALSE(QFileInfo::exists(AppPaths::dataFolder() + "/Work"));
    }

    // Upper-case BKP restores like lower-case bkp.
    host.texts.clear();
    EXPECT_TRUE(restore(write("MAIUSCULA.BKP", good)));
    EXPECT_EQ(host.texts.last(), kRestoreDone);
}

TEST_F(BackupForms, RestoreIsAllTablesOrNone) {
    fillDeclaration(30);
    BoxHost host;
    ASSERT_TRUE(backup(host));
    changeDeclaration();
    const auto before = tableBytes();

    struct Case {
        const char* what;
        std::function<std::function<void()>()> arrange;  // returns the undo
        QString message;
    };
    const QList<Case> cases = {
        {"a table open in the program",
         [] {
             auto t = std::make_shared<db::Table>(db::Database::forFolder(AppPaths::dataFolder()), "Bd8vinc");
             t->Open();
             return std::function<void()>([t] { t->Close(); });
         },
         "As tabelas da declaração estão em uso."},
        {"a copy that cannot be written",
         [] {
             // The place of the last table's copy is taken by a folder.
             const QString blocker = tablePath("bd8resp.DB") + ".restore-new";
             QDir().mkpath(blocker + "/x");
             return std::function<void()>([blocker] { QDir(blocker).removeRecursively(); });
         },
         "Não foi possível gravar as tabelas restauradas na pasta Dados."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.texts.clear();
        const auto undo = c.arrange();
        EXPECT_FALSE(restore(archiveOnDrive()));
        undo();
        ASSERT_EQ(host.texts.size(), 2);
        EXPECT_TRUE(host.texts[1].startsWith(c.message)) << host.texts[1].toStdString();
        EXPECT_FALSE(host.texts.contains(kRestoreDone));
        EXPECT_EQ(tableBytes(), before);
        for (const QString& f : QDir(AppPaths::dataFolder()).entryList(QDir::Files))
            EXPECT_FALSE(f.contains(".restore-")) << f.toStdString();
    }
}

// Dados as a user may have it: a table file gone, or a folder in a table's
// place. The restore brings every table back and leaves nothing beside them.
TEST_F(BackupForms, RestoreIntoADataFolderWithoutATableFile) {
    fillDeclaration(30);
    BoxHost host;
    ASSERT_TRUE(backup(host));
    const auto backedUp = tableBytes();
    struct Case {
        const char* what;
        std::function<void()> arrange;
    };
    const QList<Case> cases = {
        {"bd8resp.DB missing", [] { ASSERT_TRUE(QFile::remove(tablePath("bd8resp.DB"))); }},
        {"Bd8vinc.DB missing", [] { ASSERT_TRUE(QFile::remove(tablePath("Bd8vinc.DB"))); }},
        {"a folder named Bd8emp.DB",
         [] {
             const QString path = tablePath("Bd8emp.DB");
             ASSERT_TRUE(QFile::remove(path));
             ASSERT_TRUE(QDir().mkpath(path + "/dentro"));
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        changeDeclaration();
        c.arrange();
        host.texts.clear();
        EXPECT_TRUE(restore(archiveOnDrive()));
        EXPECT_EQ(host.count(kRestoreDone), 1) << host.texts.join(" | ").toStdString();
        EXPECT_EQ(tableBytes(), backedUp);
        for (const QString& f : QDir(AppPaths::dataFolder()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot |
                                                                       QDir::Hidden))
            EXPECT_FALSE(f.contains(".restore-")) << f.toStdString();
    }
}

TEST_F(BackupForms, CancelledVolumeRequestCopiesNothing) {
    fillDeclaration(1500);
    BoxHost host;
    freeSpace = 20'000 + TBackupFile::kMinVolumeSize + 2000;
    ASSERT_TRUE(backup(host));
    changeDeclaration();
    const auto before = tableBytes();
    host.texts.clear();
    host.rule = [](const msg::BoxRequest& r) -> QString {
        return r.text.startsWith("Insira o volume") ? "mrCancel" : QString();
    };
    EXPECT_FALSE(restore(archiveOnDrive()));
    ASSERT_EQ(host.texts.size(), 2);
    EXPECT_EQ(host.texts[0], kConfirmRestore);
    EXPECT_TRUE(host.texts[1].startsWith("Insira o volume n° 2: o arquivo \"Zuvo2009_backup.002\""));
    EXPECT_EQ(tableBytes(), before);
}

// Tables of the layout before the description columns.
db::TableDef withoutDescriptions(db::TableDef def) {
    def.fields.erase(std::remove_if(def.fields.begin(), def.fields.end(),
                                    [](const db::FieldDef& f) { return f.name.startsWith("Txt"); }),
                     def.fields.end());
    return def;
}

TEST_F(BackupForms, OlderTableLayoutIsUpgradedUnlessNoUpdate) {
    // An archive of older tables, made from a folder of its own.
    QTemporaryDir old;
    const QString oldDados = old.filePath("Dados");
    QDir().mkpath(oldDados);
    {
        db::Database database(oldDados);
        database.createTable(withoutDescriptions(DeclarationTables::BD8Emp()));
        database.createTable(withoutDescriptions(DeclarationTables::BD8Vinc()));
        database.createTable(DeclarationTables::BD8Resp());
        db::Table emp(db::Database::forFolder(oldDados), "Bd8emp");
        emp.Open();
        AppendRow(emp, {{"AnBase", "2009"}, {"CoCgcCeiEstabelecimento", "12345678000190"},
                        {"NuPrefixoEstabelecimento", "00"}, {"NoRazaoEstabelecimento", "ANTIGA"}});
        emp.Close();
    }
    TBackupFile bk;
    bk.BackupTitle = "Zuvo2009";
    bk.OnError = [](TBackupFile*, int, const QString& e) { ADD_FAILURE() << e.toStdString(); };
    const QString upgraded = drive.filePath("antiga.bkp");
    const QString kept = drive.filePath("Zuvo2009_noupdate.bkp");
    ASSERT_TRUE(bk.Backup(DeclarationTableFiles(oldDados), upgraded));
    ASSERT_TRUE(QFile::copy(upgraded, kept));

    BoxHost host;
    ASSERT_TRUE(restore(upgraded));
    {
        auto database = db::Database::forFolder(AppPaths::dataFolder());
        const db::TableDef emp = database->tableDef("Bd8emp.DB");
        const db::TableDef vinc = database->tableDef("Bd8vinc.DB");
        EXPECT_EQ(emp.fields.size(), 56);
        EXPECT_EQ(vinc.fields.size(), 100);
        EXPECT_EQ(emp.fields[54].name, "TxtCnae");
        EXPECT_EQ(emp.fields[54].width, 200);
        EXPECT_EQ(emp.fields[55].name, "TxtNatJur");
        EXPECT_EQ(vinc.fields[98].name, "TxtSalario");
        EXPECT_EQ(vinc.fields[98].width, 10);
        EXPECT_EQ(vinc.fields[99].name, "TxtNacionalidade");
        EXPECT_EQ(vinc.fields[99].width, 30);
        db::Table t(database, "Bd8emp");
        t.Open();
        EXPECT_EQ(t.FieldByName("NoRazaoEstabelecimento").AsString(), "ANTIGA");
        EXPECT_EQ(t.FieldByName("TxtCnae").AsString(), "");
        t.Edit();
        t.FieldByName("TxtCnae").SetAsString("COMERCIO");
        t.Post();
    }

    ASSERT_TRUE(restore(kept));
    EXPECT_EQ(db::Database::forFolder(AppPaths::dataFolder())->tableDef("Bd8emp.DB").fields.size(), 54);
    EXPECT_EQ(db::Database::forFolder(AppPaths::dataFolder())->tableDef("Bd8vinc.DB").fields.size(), 92);
}

}  // namespace

TEST_F(BackupForms, ArchiveWithADamagedTableOrAForeignFile) {
    fillDeclaration(300);
    const auto backedUp = tableBytes();
    QTemporaryDir original;
    for (const char* t : {"Bd8emp.DB", "Bd8vinc.DB", "bd8resp.DB"}) QFile::copy(tablePath(t), original.filePath(t));
    BoxHost host;
    changeDeclaration();
    const auto before = tableBytes();
    const QString shippedBase = tablePath("TB8BASE.DB");
    const QByteArray shippedBaseBytes = bytesOf(shippedBase);

    // Archives made from a folder of table files put together by each case.
    auto archiveOf = [&](const QString& name, const std::function<void(const QString&)>& arrange) {
        QTemporaryDir source;
        for (const char* t : {"Bd8emp.DB", "Bd8vinc.DB", "bd8resp.DB"})
            QFile::copy(original.filePath(t), source.filePath(t));
        arrange(source.path());
        TBackupFile bk;
        bk.BackupTitle = "Zuvo2009";
        bk.OnError = [](TBackupFile*, int, const QString& e) { ADD_FAILURE() << e.toStdString(); };
        QStringList files;
        for (const QString& f : QDir(source.path()).entryList(QDir::Files)) files << source.filePath(f);
        EXPECT_TRUE(bk.Backup(files, drive.filePath(name)));
        return drive.filePath(name);
    };
    auto overwritePages = [](const QString& path) {
        QFile f(path);
        f.open(QIODevice::ReadWrite);
        f.seek(4096 * 2);
        f.write(QByteArray(4096 * 2, '\x33'));
    };
    auto writeFile = [](const QString& path, const QByteArray& bytes) {
        QFile f(path);
        f.open(QIODevice::WriteOnly | QIODevice::Truncate);
        f.write(bytes);
    };
    auto foreignTable = [](const QString& path) {
        QFile::remove(path);
        db::Database other(QFileInfo(path).absolutePath());
        db::TableDef def;
        def.fileName = QFileInfo(path).fileName();
        def.fields = {db::textField("Nome", 40)};
        other.createTable(def);
    };

    struct Case {
        const char* what;
        QString archive;
        QString message;  // empty: restored
    };
    const QList<Case> cases = {
        {"damaged contract table",
         archiveOf("paginas.bkp", [&](const QString& d) { overwritePages(d + "/Bd8vinc.DB"); }),
         "A tabela \"Bd8vinc.DB\" da cópia de segurança está danificada"},
        {"establishment table of another layout",
         archiveOf("estranha.bkp", [&](const QString& d) { foreignTable(d + "/Bd8emp.DB"); }),
         "A tabela \"Bd8emp.DB\" da cópia de segurança está danificada"},
        {"responsible table missing",
         archiveOf("sem-resp.bkp", [](const QString& d) { QFile::remove(d + "/bd8resp.DB"); }),
         "A cópia de segurança não traz a tabela \"bd8resp.DB\""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        host.texts.clear();
        EXPECT_FALSE(restore(c.archive));
        ASSERT_EQ(host.texts.size(), 2) << host.texts.join(" | ").toStdString();
        EXPECT_TRUE(host.texts[1].startsWith(c.message)) << host.texts[1].toStdString();
        EXPECT_TRUE(host.texts[1].endsWith("Os dados existentes não foram alterados."));
        EXPECT_EQ(tableBytes(), before);
        EXPECT_FALSE(QFileInfo::exists(AppPaths::dataFolder() + "/Work"));
    }

    // A damaged lookup table carried along is left in the archive.
    host.texts.clear();
    const QString extra = archiveOf("com-extra.bkp", [&](const QString& d) {
        writeFile(d + "/TB8BASE.DB", QByteArray(5000, 'x'));
        writeFile(d + "/leiame.txt", "nada");
    });
    EXPECT_TRUE(restore(extra));
    EXPECT_EQ(host.texts.last(), kRestoreDone);
    EXPECT_EQ(bytesOf(shippedBase), shippedBaseBytes);
    EXPECT_FALSE(QFileInfo::exists(AppPaths::dataFolder() + "/leiame.txt"));
    EXPECT_EQ(tableBytes(), backedUp);
}

TEST_F(BackupForms, BackupLeavesSideFilesAndJournalsOut) {
    const QString dados = AppPaths::dataFolder();
    for (const char* side : {"Bd8emp.DB-journal", "Bd8vinc.DB.restore-old", "bd8resp.DB.restore-new", "Bd8emp.DB.new"}) {
        QFile f(dados + "/" + side);
        f.open(QIODevice::WriteOnly);
    }
    QStringList names;
    for (const QString& f : DeclarationTableFiles(dados)) names << QFileInfo(f).fileName();
    names.sort(Qt::CaseInsensitive);
    EXPECT_EQ(names, (QStringList{"Bd8emp.DB", "bd8resp.DB", "Bd8vinc.DB"}));
}
