#include "ufmRestore00.h"

#include "platform/AppPaths.h"
#include "platform/db/Database.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "shell/ufmBackup00.h"
#include "shell/ugFuncoes.h"

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
#include <sqlite3.h>

namespace {

const QString kRestoreError = QStringLiteral("Ocorreu um erro durante o processo de restauração.");
const QString kDamagedCopy =
    QStringLiteral("A cópia de segurança não traz as tabelas da declaração completas ou está danificada.\n"
                   "Os dados existentes não foram alterados.");
const QString kTablesInUse =
    QStringLiteral("As tabelas da declaração estão em uso.\n"
                   "Feche as janelas da declaração e restaure a cópia novamente.\n"
                   "Os dados existentes não foram alterados.");
const QString kCopyFailed =
    QStringLiteral("Não foi possível gravar as tabelas restauradas na pasta Dados.\n"
                   "Os dados existentes não foram alterados.");

struct AddedColumn {
    const char* table;
    const char* column;
    int width;
};
constexpr AddedColumn kAddedColumns[] = {
    {"Bd8emp.DB", "TxtCnae", 200},        {"Bd8emp.DB", "TxtNatJur", 200},
    {"Bd8vinc.DB", "TxtCBO", 100},        {"Bd8vinc.DB", "TxtVinculo", 100},
    {"Bd8vinc.DB", "TxtAdmisao", 100},    {"Bd8vinc.DB", "TxtRaca", 100},
    {"Bd8vinc.DB", "TxtDesligamento", 100}, {"Bd8vinc.DB", "TxtInstrucao", 100},
    {"Bd8vinc.DB", "TxtSalario", 10},     {"Bd8vinc.DB", "TxtNacionalidade", 30},
};

const char* const kDeclarationTables[] = {"Bd8emp.DB", "Bd8vinc.DB", "bd8resp.DB"};

// A table file that SQLite reads whole and that holds a table.
bool isUsableTable(const QString& path) {
    sqlite3* c = nullptr;
    bool ok = sqlite3_open_v2(path.toUtf8().constData(), &c, SQLITE_OPEN_READONLY, nullptr) == SQLITE_OK;
    if (ok) {
        sqlite3_stmt* st = nullptr;
        ok = sqlite3_prepare_v2(c, "PRAGMA quick_check", -1, &st, nullptr) == SQLITE_OK &&
             sqlite3_step(st) == SQLITE_ROW &&
             qstrcmp(reinterpret_cast<const char*>(sqlite3_column_text(st, 0)), "ok") == 0;
        sqlite3_finalize(st);
        st = nullptr;
        ok = ok &&
             sqlite3_prepare_v2(c, "SELECT count(*) FROM sqlite_master WHERE type='table'", -1, &st, nullptr) ==
                 SQLITE_OK &&
             sqlite3_step(st) == SQLITE_ROW && sqlite3_column_int(st, 0) > 0;
        sqlite3_finalize(st);
    }
    sqlite3_close_v2(c);
    return ok;
}

// Holds a table file exclusively, at the engine's level, while it is
// replaced: nobody reads or writes it meanwhile, and a transaction left
// behind by a crash is rolled back before its journal could touch the new file.
class ExclusiveHold {
public:
    bool hold(const QString& path) {
        sqlite3* c = nullptr;
        if (sqlite3_open_v2(path.toUtf8().constData(), &c, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close_v2(c);
            return false;
        }
        sqlite3_busy_timeout(c, 2000);
        connections_.push_back(c);
        return sqlite3_exec(c, "BEGIN EXCLUSIVE; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr)
               == SQLITE_OK;
    }
    ~ExclusiveHold() {
        for (sqlite3* c : connections_) {
            sqlite3_exec(c, "ROLLBACK", nullptr, nullptr, nullptr);
            sqlite3_close_v2(c);
        }
    }

private:
    std::vector<sqlite3*> connections_;
};

}  // namespace

void UpgradeDeclarationTables(const QString& folder) {
    // A connection of its own, closed on return, so the folder can be removed.
    db::Database database(folder);
    const db::TableDef emp = database.tableDef(QStringLiteral("Bd8emp.DB"));
    if (emp.fieldIndex(QStringLiteral("TxtCnae")) >= 0) return;
    db::Transaction transaction(database);
    for (const AddedColumn& c : kAddedColumns) {
        const db::Database::Attached a = database.attach(QLatin1String(c.table));
        database.exec(QStringLiteral("ALTER TABLE %1.%2 ADD COLUMN %3 TEXT(%4) NOT NULL DEFAULT ''")
                          .arg(a.schema, db::quoted(a.table), db::quoted(QLatin1String(c.column)))
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
    odRestore->setNameFilter(QStringLiteral("Backup Files (*.BKP *.bkp)"));
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
    QString title;
    bkRestore.GetArchiveInfo(archiveName, nullptr, title);
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
        if (!extractedTablesUsable()) {
            msg::ShowError(kDamagedCopy);
        } else {
            bool upgraded = true;
            if (QFileInfo(archiveName).fileName() != NoUpdateName()) {
                // Upgraded before the copy, so a failure leaves Dados as it was.
                try {
                    UpgradeDeclarationTables(work);
                } catch (const db::DbError& e) {
                    upgraded = false;
                    msg::ShowError(kRestoreError + QLatin1Char('\n') + e.text());
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
    for (const char* table : kDeclarationTables) {
        const QString path = AppPaths::findNoCase(work, QLatin1String(table));
        if (!QFileInfo(path).isFile() || !isUsableTable(path)) return false;
    }
    return true;
}

bool TfmRestore00::CopyFiles() {
    const QString work = WorkFolder();
    const QString dados = AppPaths::dataFolder();
    struct Step {
        QString source, target, fresh, old;
        bool hadOld = false;
        bool placed = false;
    };
    QList<Step> steps;
    for (const QString& name : QDir(work).entryList(QDir::Files | QDir::Hidden, QDir::Name)) {
        Step s;
        s.source = QDir(work).filePath(name);
        s.target = AppPaths::findNoCase(dados, name);
        s.fresh = s.target + QStringLiteral(".restore-new");
        s.old = s.target + QStringLiteral(".restore-old");
        steps << s;
    }
    auto dropCopies = [&] {
        for (const Step& s : std::as_const(steps)) QFile::remove(s.fresh);
    };

    // 1. Every file copied beside its target first: a full disk shows here.
    for (const Step& s : std::as_const(steps)) {
        QFile::remove(s.fresh);
        if (!QFile::copy(s.source, s.fresh)) {
            dropCopies();
            msg::ShowError(kCopyFailed);
            return false;
        }
    }

    // 2. Nobody may have the tables open while they are swapped.
    std::vector<std::unique_ptr<db::TableLock>> locks;
    ExclusiveHold holds;
    for (const Step& s : std::as_const(steps)) {
        if (!QFileInfo(s.target).isFile() || !s.target.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive))
            continue;
        bool held = false;
        try {
            locks.push_back(std::make_unique<db::TableLock>(s.target, true));
            held = holds.hold(s.target);
        } catch (const db::DbError&) {
        }
        if (!held) {
            dropCopies();
            msg::ShowError(kTablesInUse);
            return false;
        }
    }

    // 3. The swap, undone completely when one step fails.
    bool ok = true;
    for (Step& s : steps) {
        if (QFileInfo::exists(s.target)) {
            QFile::remove(s.old);
            if (!QFile::rename(s.target, s.old)) {
                ok = false;
                break;
            }
            s.hadOld = true;
        }
        if (!QFile::rename(s.fresh, s.target)) {
            ok = false;
            break;
        }
        s.placed = true;
    }
    if (!ok) {
        for (auto it = steps.rbegin(); it != steps.rend(); ++it) {
            if (it->placed) QFile::remove(it->target);
            if (it->hadOld) QFile::rename(it->old, it->target);
        }
        dropCopies();
        msg::ShowError(kCopyFailed);
        return false;
    }
    for (const Step& s : std::as_const(steps))
        if (s.hadOld) QFile::remove(s.old);
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
    const QString answer = msg::ShowBox(msg::BoxKind::Information,
                                        QStringLiteral("Insira o volume n° %1").arg(DiskID),
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

void TfmRestore00::bkRestoreRestoreFile(TBackupFile*, QString&, int, bool& DoRestore) {
    DoRestore = QFileInfo(archiveName_).suffix().compare(QStringLiteral("bkp"), Qt::CaseInsensitive) == 0;
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
