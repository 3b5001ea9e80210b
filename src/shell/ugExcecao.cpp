#include "ugExcecao.h"

#include "platform/ui/LobrixApplication.h"
#include "platform/ui/MessageService.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QWidget>

namespace {

// A database error without an engine code is reported as a plain database error.
bool isEngineError(const db::DbError& e) { return e.code() != 0; }

bool isLookupCombo(const QWidget* w) {
    return w && (w->inherits("TDBLookupComboBox") || w->property("lookupCombo").toBool());
}

QString whatText(const std::exception& e) {
    if (auto* dbe = dynamic_cast<const db::DbError*>(&e)) return dbe->text();
    return QString::fromUtf8(e.what());
}

}  // namespace

QString FatalErrorClosingText() {
    return QStringLiteral(
        "\n\r\n\rErro não previsto.\n\rContatar a VELORIS comunicando todos os itens da mensagem.");
}

QString EngineErrorText(int code) {
    switch (code) {
    case db::kGeneralError: return QStringLiteral("General read/write failure.");
    case db::kWriteError: return QStringLiteral("Write failure.");
    case db::kTableNotFound: return QStringLiteral("Table does not exist.");
    case db::kTableBusy: return QStringLiteral("Table is busy.");
    case db::kKeyViolation: return QStringLiteral("Key violation.");
    case db::kValidityCheck: return QStringLiteral("Validity check failed.");
    case db::kFieldRequired: return QStringLiteral("Field value required.");
    case db::kMasterMissing: return QStringLiteral("Master record missing.");
    case db::kTableCorrupt: return QStringLiteral("Corrupt table/index header.");
    case db::kNotEditing: return QStringLiteral("Dataset not in edit or insert mode.");
    case db::kFieldNotFound: return QStringLiteral("Field not found.");
    case db::kSqlError: return QStringLiteral("Invalid query.");
    }
    return QStringLiteral("Error %1.").arg(code);
}

QString EngineErrorCategoryText(int code) {
    switch (code / 256) {
    case 0x21: return QStringLiteral("System error");
    case 0x22: return QStringLiteral("Object not found");
    case 0x23: return QStringLiteral("Physical data corruption");
    case 0x24: return QStringLiteral("I/O related error");
    case 0x25: return QStringLiteral("Resource or limit error");
    case 0x26: return QStringLiteral("Data integrity violation");
    case 0x27: return QStringLiteral("Invalid request");
    case 0x28: return QStringLiteral("Locking/contention related error");
    case 0x29: return QStringLiteral("Access/security violation");
    case 0x2A: return QStringLiteral("Invalid context");
    case 0x2B: return QStringLiteral("Operating system error");
    case 0x2C: return QStringLiteral("Network error");
    case 0x2D: return QStringLiteral("Optional parameter error");
    case 0x2E: return QStringLiteral("Query processor error");
    case 0x2F: return QStringLiteral("Version mismatch");
    case 0x30: return QStringLiteral("Capability not supported");
    case 0x31: return QStringLiteral("System configuration error");
    }
    return QStringLiteral("Unknown category");
}

QString EngineErrorBoxText(const db::DbError& e) {
    const int code = e.code();
    const QString hex = QStringLiteral("%1").arg(code, 4, 16, QLatin1Char('0')).toUpper();
    const QString own = e.text().isEmpty() ? EngineErrorText(code) : e.text();
    return QStringLiteral("Erro BDE ") + QStringLiteral("%1").arg(code, 6) + QStringLiteral(" : $") + hex +
           QStringLiteral("\r\n") + EngineErrorCategoryText(code) + QStringLiteral("\r\n") + own +
           FatalErrorClosingText();
}

namespace {
// The table an engine text names ("...\nTable: <path>"), as a file name.
QString tableNamed(const QString& text) {
    const qsizetype at = text.lastIndexOf(QLatin1String("Table: "));
    if (at < 0) return QString();
    const QString path = text.mid(at + 7).section(QLatin1Char('\n'), 0, 0).trimmed();
    return QFileInfo(QDir::fromNativeSeparators(path)).fileName();
}
}  // namespace

QString ExpectedEngineErrorText(const db::DbError& e) {
    const QString undone = QStringLiteral("A operação não foi concluída.\n");
    if (e.diskFull())
        return QStringLiteral("O disco da pasta de dados do LOBRIX está cheio.\n") + undone +
               QStringLiteral("Libere espaço no disco e tente novamente.");
    if (e.noWriteAccess())
        return QStringLiteral("A pasta de dados do LOBRIX, ou um arquivo dela, não pode ser gravado por este usuário "
                              "(somente leitura ou sem permissão).\n") +
               undone +
               QStringLiteral("Peça ao administrador do computador permissão de gravação na pasta Dados e tente "
                              "novamente.");
    if (e.kind() == db::ErrorKind::Busy) {
        const QString table = tableNamed(e.text());
        return (table.isEmpty() ? QStringLiteral("Uma tabela do LOBRIX está em uso")
                                : QStringLiteral("A tabela \"%1\" está em uso").arg(table)) +
               QStringLiteral(" por outro usuário ou por outra cópia do LOBRIX.\n") + undone +
               QStringLiteral("Aguarde que o outro usuário termine e tente novamente.");
    }
    return QString();
}

QString EngineErrorDetail(const db::DbError& e) {
    const QString expected = ExpectedEngineErrorText(e);
    return expected.isEmpty() ? e.text() : expected;
}

QString DatabaseErrorBoxText(const std::exception& e) {
    return QStringLiteral("Erro DataBase.\n\r\n\r") + whatText(e) + FatalErrorClosingText();
}

QString OtherErrorBoxText(const std::exception& e) {
    return QStringLiteral("Erro fatal.\n\r\n\r") + whatText(e) + FatalErrorClosingText();
}

bool LookupComboHasFocus() {
    const QWidget* w = QApplication::focusWidget();
    return isLookupCombo(w) || (w && isLookupCombo(w->parentWidget()));
}

bool ReportEngineError(const db::DbError& e) {
    // A stale lookup combo raises this while it is focused; it is harmless.
    if (e.code() == db::kNotEditing && LookupComboHasFocus()) return false;
    msg::Beep();
    // Whatever was running stopped half way: the program still ends, but an
    // expected cause is told as such, not as an error to report.
    if (const QString expected = ExpectedEngineErrorText(e); !expected.isEmpty())
        msg::ShowBox(msg::BoxKind::Warning, expected + QStringLiteral("\nO LOBRIX será encerrado."));
    else
        msg::ShowBox(msg::BoxKind::Error, EngineErrorBoxText(e));
    appguard::RequestTerminate();
    return true;
}

void ShowEngineErrorBox(const db::DbError& e) {
    msg::Beep();
    if (const QString expected = ExpectedEngineErrorText(e); !expected.isEmpty())
        msg::ShowBox(msg::BoxKind::Warning, expected);
    else
        msg::ShowBox(msg::BoxKind::Error, EngineErrorBoxText(e));
}

void ReportDatabaseError(const std::exception& e) {
    msg::Beep();
    msg::ShowBox(msg::BoxKind::Error, DatabaseErrorBoxText(e));
    appguard::RequestTerminate();
}

void ReportOtherError(const std::exception& e) {
    msg::ShowBox(msg::BoxKind::Error, OtherErrorBoxText(e));
    appguard::RequestTerminate();
}

void ReportFatalError(const std::exception& e) {
    if (auto* dbe = dynamic_cast<const db::DbError*>(&e)) {
        // The harmless lookup-combo error neither shows a box nor ends the
        // program: ending without a word would lose the user's bearings.
        if (isEngineError(*dbe)) ReportEngineError(*dbe);
        else ReportDatabaseError(e);
        return;
    }
    ReportOtherError(e);
}

void InstallFatalErrorHandler() { appguard::SetExceptionHandler(&ReportFatalError); }

QString DataFolderProblemText(const QString& dataFolder, const db::DbError& e) {
    const QString shown = QDir::toNativeSeparators(QDir(dataFolder).absolutePath());
    // Another user's table is no fault of the disk or the folder.
    if (e.kind() == db::ErrorKind::Busy) return ExpectedEngineErrorText(e);
    if (e.diskFull())
        return QStringLiteral("A pasta de dados \"%1\" está cheia: libere espaço no disco e tente novamente.").arg(shown);
    return QStringLiteral("Não foi possível gravar na pasta de dados \"%1\": confira se o disco está disponível "
                          "e se a pasta permite gravação.").arg(shown);
}
