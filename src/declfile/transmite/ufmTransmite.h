#pragma once
#include "declfile/DeclarationFolder.h"
#include "platform/os/Process.h"

#include <QByteArray>
#include <QDialog>
#include <QList>
#include <QString>
#include <QStringList>
#include <memory>

class QCheckBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace lume {
class TLumeListview;
class LumeImageList;
}  // namespace lume
namespace declfile {
class TAnaliseEstrutura;

// The states of a listed declaration file, as image indexes of the list.
enum TransmitImage { kImgGravada = 0, kImgTransmitida = 1, kImgRetificadora = 2, kImgNaoAnalisada = 3 };

// One listed file: its state image, the nine columns' texts and its path.
struct TransmitRow {
    int state = kImgNaoAnalisada;
    bool amendment = false;  // the amendment picture in column 7
    QStringList columns;     // nine texts, column 0 "p" for a part of a split file
    QString path;
    ReceiptCheck receipt = ReceiptCheck::None;
};

struct TransmitListing {
    bool anyFound = false;  // a name matched, listed or not
    QList<TransmitRow> rows;
    bool writeInterrupted = false;  // an unfinished write holds back its files
};

// Lists the declaration files "Zuvo" + year + "*.dec" of a folder as
// ListDeclarationFiles offers them. A file marked as written after the check
// whose digest does not verify gets the structure-error box and is not
// listed; a file that cannot be read gets a message and is not listed. A file
// is "Transmitida" only when its receipt is its own (IsTransmitted); any other
// receipt leaves it "Gravada", with the reason in `receiptProblem`.
TransmitListing ListTransmitFiles(const QString& folder, int anoBase);

// The first line of a file without its line end; empty when unreadable.
QByteArray ReadFirstLine(const QString& path);

}  // namespace declfile

// The transmission window: lists the declaration files of the folder
// "Transmite" or of drive A: with their states, hands the selected one to the
// separate transmission program and waits for it, consults or analyses it,
// and in print mode prints the receipt the transmission program left beside it.
class TfmTransmite : public QDialog {
    Q_OBJECT
public:
    explicit TfmTransmite(QWidget* parent = nullptr);  // FormCreate
    ~TfmTransmite() override;

    QPlainTextEdit* memoTransmite;
    QPlainTextEdit* memoImprime;
    QPushButton* BitBtnA;
    QPushButton* BitBtnC;
    lume::TLumeListview* LumeListview1;
    lume::LumeImageList* ImageList1;
    QCheckBox* chkCertif;
    QPushButton* btnTransmite;
    QPushButton* btnImprime;
    QPushButton* btnConsulta;
    QPushButton* btAnalise;
    QPushButton* btnCancelar;
    QLabel* laStatus;
    QProgressBar* prCarregarArq;
    QLineEdit* edtTexto;

    // Print mode: the receipt's caption, memo and button.
    void SetPrintMode();
    bool PrintMode() const { return printMode_; }

    void AddColumns(int count);
    // Each column as wide as its title and its widest entry, so that no
    // receipt number, inscription, title or split part's "p" is cut.
    void SizeColumns();
    void BitBtnAClick();
    void BitBtnCClick();
    void btnTransmiteClick();
    void btnImprimeClick();
    void btnConsultaClick();
    void btAnaliseClick();
    void btnCancelarClick();
    void ConsultFile(const QString& path);
    // After the transmission program has ended: unless a receipt of this very
    // file appeared, says how the program ended (an error and its code,
    // killed) and what of the receipt is missing or does not match.
    // `receiptBefore` is the receipt there before it ran (null: none).
    void ReportTransmission(const QString& path, const QByteArray& receiptBefore, const os::ExecOutcome& outcome);
    // The receipt report "Transmissao" from the fields of a receipt line.
    void GeraRelatorio(const QString& receiptLine);
    static QString FormatThousands(const QString& text);

    // The listed files' paths, in the order of the items.
    const QStringList& Paths() const { return paths_; }
    // The index of the selected item; -1 when none.
    int SelectedIndex() const;

    void reject() override { btnCancelarClick(); }

protected:
    void showEvent(QShowEvent* event) override;    // FormShow
    void closeEvent(QCloseEvent* event) override;  // FormClose

private:
    void buildControls();
    void ListFolder();
    void ClearList();
    void SetActionsEnabled(bool enabled);

    std::unique_ptr<declfile::TAnaliseEstrutura> analyser_;
    QStringList paths_;
    bool printMode_ = false;
    bool driveA_ = false;         // the next listing reads drive A:
    bool lastListedA_ = false;    // the last listing read drive A:
    bool analysisRunning_ = false;
};

extern TfmTransmite* fmTransmite;

// The writing wizards hand the file they just wrote over to the window: the
// next transmission window lists the place it was written to as it opens.
void HandOverWrittenFile();

// The main window's commands: the window in transmit or print mode, shown
// modally and freed.
void ShowTransmite(QWidget* parent = nullptr);
void ShowProtocoloTransmissao(QWidget* parent = nullptr);
