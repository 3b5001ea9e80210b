#include "ufmBackup00.h"

#include "platform/AppPaths.h"
#include "platform/ui/FileDialogs.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "shell/ugFuncoes.h"

#include <QCloseEvent>
#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QRegularExpression>
#include <QStorageInfo>
#include <QVBoxLayout>
#include <sqlite3.h>

namespace {

FreeSpaceProvider& freeSpaceProvider() {
    static FreeSpaceProvider provider;
    return provider;
}

// Volumes are never larger than this, whatever the drive offers.
constexpr qint64 kLargestVolume = 2'000'000'000;
// Room left free on the drive beside the volume.
constexpr qint64 kDriveReserve = 20'000;

const QString kNoRoomWarning = QStringLiteral(
    "A unidade nao oferece o espaço mínimo exigido para o Backup. \n"
    "Se utilizar disquetes, insira um novo\n"
    "com espaco disponivel.\n"
    "Pronto para continuar ou cancelar?");

// Holds a read lock on each table file while it is copied, so that the copy
// is one committed state of the table: no writer can commit meanwhile, and an
// interrupted transaction left behind by a crash is rolled back first. (Closing
// the archive's own handle on a table may drop the lock early, but only once
// that table has been read whole.)
class ReadSnapshot {
public:
    bool hold(const QString& path) {
        sqlite3* c = nullptr;
        if (sqlite3_open_v2(path.toUtf8().constData(), &c, SQLITE_OPEN_READWRITE, nullptr) != SQLITE_OK) {
            sqlite3_close_v2(c);
            return false;
        }
        sqlite3_busy_timeout(c, 2000);
        const bool ok = sqlite3_exec(c, "BEGIN; SELECT count(*) FROM sqlite_master;", nullptr, nullptr, nullptr)
                        == SQLITE_OK;
        connections_.push_back(c);
        return ok;
    }
    ~ReadSnapshot() {
        for (sqlite3* c : connections_) {
            sqlite3_exec(c, "COMMIT", nullptr, nullptr, nullptr);
            sqlite3_close_v2(c);
        }
    }

private:
    std::vector<sqlite3*> connections_;
};

bool isSideFile(const QString& name) {
    // Journals, and the copies a restore or a table creation keeps beside a
    // table while it works.
    static const QRegularExpression side(QStringLiteral("(-(journal|wal|shm)|\\.restore-(new|old)|\\.new|\\.tmp)$"),
                                         QRegularExpression::CaseInsensitiveOption);
    return side.match(name).hasMatch();
}

}  // namespace

void SetFreeSpaceProvider(FreeSpaceProvider provider) { freeSpaceProvider() = std::move(provider); }

qint64 FreeSpaceOf(const QString& folder) {
    if (freeSpaceProvider()) return freeSpaceProvider()(folder);
    const QStorageInfo info(folder);
    if (!info.isValid() || !info.isReady()) return -1;
    return info.bytesAvailable();
}

QStringList DeclarationTableFiles(const QString& dataFolder) {
    QStringList files;
    const QDir dir(dataFolder);
    for (const char* pattern : {"bd8emp.*", "bd8vinc.*", "bd8resp.*"}) {
        const QRegularExpression re(QRegularExpression::wildcardToRegularExpression(QLatin1String(pattern)),
                                    QRegularExpression::CaseInsensitiveOption);
        for (const QString& name : dir.entryList(QDir::Files, QDir::Name)) {
            // A journal belongs to its table's transaction, never to a backup.
            if (re.match(name).hasMatch() && !isSideFile(name)) files << dir.filePath(name);
        }
    }
    return files;
}

TfmBackup00::TfmBackup00(int anoBase, QWidget* parent) : QDialog(parent), anoBase_(anoBase) {
    setObjectName(QStringLiteral("fmBackup00"));
    setWindowTitle(QStringLiteral("Cópia de Segurança (Gravar)"));

    meDicas = new QPlainTextEdit(this);
    meDicas->setObjectName(QStringLiteral("meDicas"));
    meDicas->setReadOnly(true);
    meDicas->setPlainText(QStringList{
        QStringLiteral("Esta opção permite ao usuário gravar em outro diretório do disco rígido, ou em um "),
        QStringLiteral("disquete, cópia da base de dados da ZUVO para uso posterior."),
        QStringLiteral("Caso ocorra problemas com os dados do sistema o usuário deve recuperar os dados "),
        QStringLiteral("copiados através da opção Restaurar Cópia de Segurança."),
        QString(),
        QStringLiteral("Importante: Faça uma cópia de segurança ao final de cada dia de trabalho."),
        QString(),
        QString(),
        QStringLiteral("Clique no botão <Iniciar> para copiar os arquivos de dados da base do sistema."),
    }.join('\n'));

    laProgress = new QLabel(QStringLiteral("Progresso da cópia de segurança"), this);
    laProgress->setObjectName(QStringLiteral("laProgress"));
    laProgress->hide();
    prBackup = new QProgressBar(this);
    prBackup->setObjectName(QStringLiteral("prBackup"));
    prBackup->setRange(0, 100);
    prBackup->hide();

    bbAction = new QPushButton(QStringLiteral("&Iniciar"), this);
    bbAction->setObjectName(QStringLiteral("bbAction"));
    bbCancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    bbAction->setAutoDefault(false);
    bbCancel->setAutoDefault(false);

    s_Backup = new QFileDialog(this, QStringLiteral("Cópia de Segurança"));
    s_Backup->setObjectName(QStringLiteral("s_Backup"));
    s_Backup->setAcceptMode(QFileDialog::AcceptSave);
    s_Backup->setFileMode(QFileDialog::AnyFile);
    s_Backup->setNameFilter(QStringLiteral("Backup LOBRIX (BKP) (*.BKP *.bkp)"));
    s_Backup->setDefaultSuffix(QStringLiteral("BKP"));
    s_Backup->setOption(QFileDialog::DontConfirmOverwrite, false);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbAction);
    buttons->addWidget(bbCancel);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(meDicas);
    layout->addWidget(laProgress);
    layout->addWidget(prBackup);
    layout->addLayout(buttons);

    bkBackup.SetBackupMode(bmAll);
    bkBackup.CompressionLevel = clFastest;
    bkBackup.RestoreMode = rmAll;
    bkBackup.MaxSize = 0;
    bkBackup.SetArchiveFlag = false;
    bkBackup.RestoreFullPath = false;
    bkBackup.SaveFileID = false;
    bkBackup.OnProgress = [this](TBackupFile* s, const QString& f, int p, bool& c) { bkBackupProgress(s, f, p, c); };
    bkBackup.OnNeedDisk = [this](TBackupFile* s, quint16 d, bool& c) { bkBackupNeedDisk(s, d, c); };
    bkBackup.OnError = [this](TBackupFile* s, int e, const QString& t) { bkBackupError(s, e, t); };

    connect(bbAction, &QPushButton::clicked, this, &TfmBackup00::bbActionClick);
    connect(bbCancel, &QPushButton::clicked, this, &TfmBackup00::bbCancelClick);

    forms::ScaleForm(this, QSize(650, 350), QSize(650, 350));
    forms::CenterOnActivate(this);
}

TfmBackup00::~TfmBackup00() = default;

QString TfmBackup00::DefaultArchiveName() const {
    return AppPaths::dataFolder() + QStringLiteral("/Zuvo%1_backup.bkp").arg(anoBase_);
}

void TfmBackup00::bbActionClick() {
    if (bkBackup.IsBusy()) return;
    bkBackup.BackupTitle = QStringLiteral("Zuvo%1").arg(anoBase_);
    s_Backup->setDirectory(QFileInfo(DefaultArchiveName()).absolutePath());
    s_Backup->selectFile(DefaultArchiveName());
    const QString chosen = forms::RunFileDialog(*s_Backup);
    if (chosen.isEmpty()) {
        finish();
        return;
    }
    archiveFolder_ = QFileInfo(chosen).absolutePath();
    QDir::setCurrent(archiveFolder_);
    if (!CheckFreeSpace(archiveFolder_)) {
        finish();
        return;
    }
    archiveName_ = chosen;
    laProgress->show();
    prBackup->show();
    // A second run must not start on the archive being written.
    bbAction->setEnabled(false);
    if (RunBackup())
        msg::ShowInformation(QStringLiteral("Gravação da cópia bem sucedida."));
    bbAction->setEnabled(true);
    finish();
}

bool TfmBackup00::RunBackup() {
    prBackup->setValue(0);
    const QString dados = AppPaths::dataFolder();
    const QStringList files = DeclarationTableFiles(dados);
    ReadSnapshot snapshot;
    for (const QString& f : files) {
        if (f.endsWith(QStringLiteral(".db"), Qt::CaseInsensitive) && !snapshot.hold(f)) {
            msg::ShowPlain(QStringLiteral("Ocorreu um erro durante o processo de backup: [As tabelas da declaração "
                                          "estão em uso: %1].")
                               .arg(QDir::toNativeSeparators(f)));
            return false;
        }
    }
    return bkBackup.Backup(files, archiveName_);
}

bool TfmBackup00::CheckFreeSpace(const QString& folder) {
    for (;;) {
        const qint64 free = FreeSpaceOf(folder);
        bkBackup.MaxSize = free <= kLargestVolume ? free - kDriveReserve : kLargestVolume;
        // A volume that cannot hold one chunk would make every further volume
        // fail the same way.
        if (bkBackup.MaxSize >= TBackupFile::kMinVolumeSize) return true;
        if (msg::ShowBox(msg::BoxKind::Warning, kNoRoomWarning, msg::BoxButtons::OkCancel) != QLatin1String("mrOk"))
            return false;
    }
}

void TfmBackup00::bkBackupProgress(TBackupFile*, const QString&, int Percent, bool&) {
    QCoreApplication::processEvents();
    prBackup->setValue(Percent);
}

void TfmBackup00::bkBackupNeedDisk(TBackupFile*, quint16 DiskID, bool& Continue) {
    const QString answer = msg::ShowBox(msg::BoxKind::Information,
                                        QStringLiteral("Insira o volume n° %1").arg(DiskID),
                                        msg::BoxButtons::OkCancel);
    if (answer != QLatin1String("mrOk")) {
        Continue = false;
        return;
    }
    while (FreeSpaceOf(archiveFolder_) < 0) msg::ShowWarning(QStringLiteral("Unidade nao esta preparada."));
    Continue = CheckFreeSpace(archiveFolder_);
}

void TfmBackup00::bkBackupError(TBackupFile* Sender, int, const QString& ErrString) {
    msg::ShowPlain(QStringLiteral("Ocorreu um erro durante o processo de backup: [") + ErrString +
                   QStringLiteral("]."));
    Sender->Stop();
    finish();
}

void TfmBackup00::bbCancelClick() {
    if (bkBackup.IsBusy()) {
        if (!msg::AskYesNo(QStringLiteral("Cancelar o processo de Backup ?"))) return;
        bkBackup.Stop();
    }
    finish();
}

void TfmBackup00::reject() { bbCancelClick(); }

void TfmBackup00::closeEvent(QCloseEvent* event) {
    if (closing_ || !bkBackup.IsBusy()) {
        QDir::setCurrent(ProgramDirectory());
        QDialog::closeEvent(event);
        return;
    }
    event->ignore();
    bbCancelClick();
}

void TfmBackup00::finish() {
    closing_ = true;
    QDir::setCurrent(ProgramDirectory());
    done(QDialog::Rejected);
}

void ShowBackupForm(int anoBase, QWidget* parent) {
    auto* form = new TfmBackup00(anoBase, parent);
    forms::ShowModal(form);
    delete form;
}
