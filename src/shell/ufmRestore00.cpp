#include "ufmRestore00.h"

#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "shell/DeclarationTables.h"
#include "shell/RestoreSwap.h"
#include "shell/TableFileCheck.h"
#include "shell/ufmBackup00.h"
#include "shell/ugFuncoes.h"
#include "shell/ugExcecao.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>
#include <algorithm>
#include <sqlite3.h>

namespace {

const QString kRestoreError = QStringLiteral("Ocorreu um erro durante o processo de restauração.");
const QString kTableMissing = QStringLiteral("A cópia de segurança não traz a tabela \"%1\".\n"
                                            "Os dados existentes não foram alterados.");
const QString kDamagedTable =
    QStringLiteral("A tabela \"%1\" da cópia de segurança está danificada ou não é uma tabela da declaração.\n"
                   "Os dados existentes não foram alterados.");
const QString kTablesInUse =
    QStringLiteral("As tabelas da declaração estão em uso.\n"
                   "Feche as janelas da declaração e restaure a cópia novamente.\n"
                   "Os dados existentes não foram alterados.");
const QString kCopyFailed =
    QStringLiteral("Não foi possível gravar as tabelas restauradas na pasta Dados.\n"
                   "Os dados existentes não foram alterados.");

// The tables a backup saves; nothing else of an archive is restored.
QList<db::TableDef> declarationTables() {
    return {DeclarationTables::BD8Emp(), DeclarationTables::BD8Vinc(), DeclarationTables::BD8Resp()};
}

bool isDeclarationTable(const QString& fileName) {
    const QList<db::TableDef> tables = declarationTables();
    return std::any_of(tables.begin(), tables.end(), [&](const db::TableDef& t) {
        return t.fileName.compare(fileName, Qt::CaseInsensitive) == 0;
    });
}

// Holds a table file exclusively, at the engine's level, while it is
// replaced: nobody reads or writes it meanwhile, and a transaction left
// behind by a crash is rolled back before its journal could touch the new file.
class ExclusiveHold {
public:
    // False only when someone else holds the table. A file that is no table
    // any more (the damage the restore is there to mend) cannot be held by
    // anybody either: its lock file keeps the others out.
    bool hold(const QString& path) {
        sqlite3* c = nullptr;
        if (sqlite3_open_v2(path.toUtf8().constData(), &c, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            const int rc = sqlite3_errcode(c);
            sqlite3_close_v2(c);
            return !busy(rc);
        }
        sqlite3_busy_timeout(c, 2000);
        connections_.push_back(c);
        const int rc = sqlite3_exec(c, "BEGIN EXCLUSIVE; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr);
        return rc == SQLITE_OK || !busy(rc);
    }
    ~ExclusiveHold() {
        for (sqlite3* c : connections_) {
            sqlite3_exec(c, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close_v2(c);
        }
    }

private:
    static bool busy(int rc) { return (rc & 0xff) == SQLITE_BUSY || (rc & 0xff) == SQLITE_LOCKED; }
    std::vector<sqlite3*> connections_;
};

}  // namespace

void UpgradeDeclarationTables(const QString& folder) {
    // A connection of its own, closed on return, so the folder can be removed.
    db::Database database(folder);
    const db::TableDef emp = database.tableDef(QStringLiteral("Bd8emp.DB"));
    if (emp.fieldIndex(QStringLiteral("TxtCnae")) >= 0) return;
    db::Transaction transaction(database);
    for (const QString& table : {QStringLiteral("Bd8emp.DB"), QStringLiteral("Bd8vinc.DB")}) {
        const db::Database::Attached a = database.attach(table);
        for (const db::FieldDef& c : OlderLayoutMissingColumns(table))
            database.exec(QStringLiteral("ALTER TABLE %1.%2 ADD COLUMN %3 TEXT(%4) NOT NULL DEFAULT ''")
                              .arg(a.schema, db::quoted(a.table), db::quoted(c.name))
                              .arg(c.width));
    }
    transaction.commit();
}

TfmRestore00::TfmRestore00(int anoBase, QWidget* parent) : QDialog(parent), anoBase_(anoBase) {
    setObjectName(QStringLiteral("fmRestore00"));
    setWindowTitle(QStringLiteral("Restaurar Cópia de Segurança "));

    meDicas = new QPlainTextEdit(this);
    meDicas->setObjectName(QStringLiteral("meDicas"));
    meDicas->setReadOnly(true);
    meDicas->setPlainText(QStringList{
        QStringLiteral("Esta opção permite ao usuário restaurar a cópia de segurança."),
        QStringLiteral("Todas  as  informações  contidas  na  base  de  dados  do  sistema serão "),
        QStringLiteral("substituídas pelas existentes nos arquivos."),
        QString(),
        QStringLiteral("Clique no botão <Iniciar> para restaurar os dados da cópia de segurança."),
    }.join('\n'));

    laRestore = new QLabel(QStringLiteral("Progresso restauração da cópia de segurança"), this);
    laRestore->setObjectName(QStringLiteral("laRestore"));
    laRestore->hide();
    prRestore = new QProgressBar(this);
    prRestore->setObjectName(QStringLiteral("prRestore"));
    prRestore->setRange(0, 100);
    prRestore->hide();

    bbAction = new QPushButton(QStringLiteral("&Iniciar"), this);
    bbAction->setObjectName(QStringLiteral("bbAction"));
    bbCancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    bbAction->setAutoDefault(false);
    bbCancel->setAutoDefault(false);

    odRestore = new QFileDialog(this, QStringLiteral("Restaurar arquivo de Backup ..."));
    odRestore->setObjectName(QStringLiteral("odRestore"));
    odRestore->setAcceptMode(QFileDialog::AcceptOpen);
    odRestore->setFileMode(QFileDialog::AnyFile);
    odRestore->setNameFilter(QStringLiteral("Backup LOBRIX (BKP) (*.BKP *.bkp)"));
    odRestore->setDefaultSuffix(QStringLiteral("BKP"));

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbAction);
    buttons->addWidget(bbCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(meDicas);
    layout->addWidget(laRestore);
    layout->addWidget(prRestore);
    layout->addLayout(buttons);

    bkRestore.SetBackupMode(bmAll);
    bkRestore.CompressionLevel = clFastest;
    bkRestore.RestoreMode = rmAll;
    bkRestore.MaxSize = 0;
    bkRestore.SetArchiveFlag = false;
    bkRestore.RestoreFullPath = false;
    bkRestore.SaveFileID = false;
    bkRestore.OnProgress = [this](TBackupFile* s, const QString& f, int p, bool& c) { bkRestoreProgress(s, f, p, c); };
    bkRestore.OnNeedDisk = [this](TBackupFile* s, quint16 d, bool& c) { bkRestoreNeedDisk(s, d, c); };
    bkRestore.OnError = [this](TBackupFile* s, int e, const QString& t) { bkRestoreError(s, e, t); };
    bkRestore.OnRestoreFile = [this](TBackupFile* s, QString& f, int fa, bool& r) { bkRestoreRestoreFile(s, f, fa, r); };

    connect(bbAction, &QPushButton::clicked, this, &TfmRestore00::bbActionClick);
    connect(bbCancel, &QPushButton::clicked, this, &TfmRestore00::bbCancelClick);

    forms::ScaleForm(this, QSize(650, 350), QSize(650, 350));
    forms::CenterOnActivate(this);
}

TfmRestore00::~TfmRestore00() = default;

QString TfmRestore00::WorkFolder() const {
    return AppPaths::findNoCase(AppPaths::dataFolder(), QStringLiteral("Work"));
}

QString TfmRestore00::NoUpdateName() const { return QStringLiteral("Zuvo%1_noupdate.bkp").arg(anoBase_); }

void TfmRestore00::bbActionClick() {
    if (bkRestore.IsBusy()) return;
    if (!msg::AskYesNo(QStringLiteral("Ao restaurar a Base de Dados do LOBRIX, os dados existentes nela serão "
                                      "perdidos.\nVocê confirma a operação?")))
        return;
    const QString chosen = forms::RunFileDialog(*odRestore);
    if (chosen.isEmpty()) {
        finish();
        return;
    }
    archiveFolder_ = QFileInfo(chosen).absolutePath();
    QDir::setCurrent(archiveFolder_);
    if (QStringLiteral(".") + QFileInfo(chosen).suffix().toUpper() != QLatin1String(".BKP")) {
        msg::ShowPlain(QStringLiteral("Extensao inválida de arquivo de backup."));
    } else if (!QFileInfo(chosen).isFile()) {
        msg::ShowPlain(QStringLiteral("Arquivo inexistente."));
    } else if (!IsValidArchive(chosen)) {
        msg::ShowPlain(QStringLiteral("Esse não é um arquivo de backup ZUVO válido"));
    } else {
        RunRestore(chosen);
    }
    finish();
}

bool TfmRestore00::IsValidArchive(const QString& archiveName) {
    // An unreadable header is one more way of not being a valid archive: the
    // caller's one box says so, without the component's own error first.
    auto onError = std::move(bkRestore.OnError);
    bkRestore.OnError = [](TBackupFile*, int, const QString&) {};
    QString title;
    bkRestore.GetArchiveInfo(archiveName, nullptr, title);
    bkRestore.OnError = std::move(onError);
    return title == QStringLiteral("Zuvo%1").arg(anoBase_);
}

bool TfmRestore00::RunRestore(const QString& archiveName) {
    archiveName_ = archiveName;
    restored_ = false;
    bbAction->setEnabled(false);
    const QString work = WorkFolder();
    if (QFileInfo(work).isDir()) {
        for (const QString& f : QDir(work).entryList(QDir::Files | QDir::Hidden)) QDir(work).remove(f);
    } else {
        QDir().mkpath(work);
    }
    prRestore->setValue(0);
    laRestore->show();
    prRestore->show();

    bool extracted = false;
    try {
        extracted = bkRestore.Restore(archiveName, work);
    } catch (const EBackupError&) {
        msg::ShowPlain(kRestoreError);
    }
    bool done = false;
    if (extracted) {
        if (extractedTablesUsable()) {
            bool upgraded = true;
            if (QFileInfo(archiveName).fileName() != NoUpdateName()) {
                // Upgraded before the copy, so a failure leaves Dados as it was.
                try {
                    UpgradeDeclarationTables(work);
                } catch (const db::DbError& e) {
                    upgraded = false;
                    msg::ShowError(kRestoreError + QLatin1Char('\n') + EngineErrorDetail(e));
                }
            }
            done = upgraded && CopyFiles();
        }
    }
    DeleteFiles();
    if (done) {
        restored_ = true;
        msg::ShowInformation(QStringLiteral("Restauração da cópia bem sucedida."));
    }
    bbAction->setEnabled(true);
    return done;
}

bool TfmRestore00::extractedTablesUsable() {
    const QString work = WorkFolder();
    for (const db::TableDef& table : declarationTables()) {
        const QString path = AppPaths::findNoCase(work, table.fileName);
        if (!QFileInfo(path).isFile()) {
            msg::ShowError(kTableMissing.arg(table.fileName));
            return false;
        }
        if (!TableFileMatches(path, table, true, OlderLayoutMissingColumns(table.fileName))) {
            msg::ShowError(kDamagedTable.arg(table.fileName));
            return false;
        }
    }
    return true;
}

bool TfmRestore00::CopyFiles() {
    const QString work = WorkFolder();
    const QString dados = AppPaths::dataFolder();
    QList<SwapFile> files;
    QStringList sources;
    for (const db::TableDef& table : declarationTables()) {
        const QString target = AppPaths::findNoCase(dados, table.fileName);
        files << SwapFile{target, QFileInfo::exists(target)};
        sources << AppPaths::findNoCase(work, table.fileName);
    }
    auto dropCopies = [&] {
        for (const SwapFile& f : std::as_const(files)) QFile::remove(FreshSideFile(f.target));
    };

    // 1. Every file copied beside its target first: a full disk shows here.
    for (qsizetype i = 0; i < files.size(); ++i) {
        const QString fresh = FreshSideFile(files[i].target);
        QFile::remove(fresh);
        if (!QFile::copy(sources[i], fresh)) {
            dropCopies();
            msg::ShowError(kCopyFailed);
            return false;
        }
    }

    // 2. Nobody may have the tables open while they are swapped.
    std::vector<std::unique_ptr<db::TableLock>> locks;
    ExclusiveHold holds;
    for (const SwapFile& f : std::as_const(files)) {
        if (!f.hadOld) continue;
        bool held = false;
        try {
            locks.push_back(std::make_unique<db::TableLock>(f.target, true));
            held = holds.hold(f.target);
        } catch (const db::DbError&) {
        }
        if (!held) {
            dropCopies();
            msg::ShowError(kTablesInUse);
            return false;
        }
    }

    // 3. The swap: all tables new, or, when a step fails, all old.
    if (!SwapInNewFiles(dados, files)) {
        msg::ShowError(kCopyFailed);
        return false;
    }
    return true;
}

void TfmRestore00::DeleteFiles() {
    const QString work = WorkFolder();
    if (!QFileInfo(work).isDir()) return;
    for (const QString& f : QDir(work).entryList(QDir::Files | QDir::Hidden)) QDir(work).remove(f);
    QDir().rmdir(work);
}

void TfmRestore00::bkRestoreProgress(TBackupFile*, const QString&, int Percent, bool&) {
    QCoreApplication::processEvents();
    prRestore->setValue(Percent);
}

void TfmRestore00::bkRestoreNeedDisk(TBackupFile*, quint16 DiskID, bool& Continue) {
    // The volume is asked for until its file is found: say which file, and where.
    const QString volume = TBackupFile::VolumeName(archiveName_, DiskID);
    const QString answer =
        msg::ShowBox(msg::BoxKind::Information,
                     QStringLiteral("Insira o volume n° %1: o arquivo \"%2\" na pasta \"%3\".")
                         .arg(DiskID)
                         .arg(QFileInfo(volume).fileName(), QDir::toNativeSeparators(QFileInfo(volume).absolutePath())),
                     msg::BoxButtons::OkCancel);
    if (answer != QLatin1String("mrOk")) {
        Continue = false;
        return;
    }
    while (FreeSpaceOf(archiveFolder_) < 0) msg::ShowWarning(QStringLiteral("Unidade nao esta preparada."));
}

void TfmRestore00::bkRestoreError(TBackupFile* Sender, int, const QString&) {
    msg::ShowPlain(kRestoreError);
    Sender->Stop();
    finish();
}

void TfmRestore00::bkRestoreRestoreFile(TBackupFile*, QString& Filename, int, bool& DoRestore) {
    // Only the files a backup makes: anything else an archive carries stays in it.
    DoRestore = QFileInfo(archiveName_).suffix().compare(QStringLiteral("bkp"), Qt::CaseInsensitive) == 0 &&
                isDeclarationTable(QFileInfo(Filename).fileName());
}

void TfmRestore00::bbCancelClick() {
    if (bkRestore.IsBusy()) {
        if (!msg::AskYesNo(QStringLiteral("Cancelar o processo de Restore ?"))) return;
        bkRestore.Stop();
    }
    finish();
}

void TfmRestore00::reject() { bbCancelClick(); }

void TfmRestore00::closeEvent(QCloseEvent* event) {
    if (closing_ || !bkRestore.IsBusy()) {
        QDir::setCurrent(ProgramDirectory());
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    bbCancelClick();
}

void TfmRestore00::finish() {
    closing_ = true;
    QDir::setCurrent(ProgramDirectory());
    done(QDialog::Rejected);
}

bool ShowRestoreForm(int anoBase, QWidget* parent) {
    auto* form = new TfmRestore00(anoBase, parent);
    forms::ShowModal(form);
    const bool restored = form->Restored();
    delete form;
    return restored;
}
