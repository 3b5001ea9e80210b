#pragma once
#include "platform/ui/WizardPage.h"

#include <QString>
#include <cstdint>
#include <memory>
#include <optional>

class QFileDialog;
class QFrame;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;

namespace declfile {
class TAnaliseEstrutura;
}

// The wizard's globals: the split mode (also read by the writer, through the
// state a run hands it), the start from the transmission window, and what is
// running now, which tells Cancel what to stop.
extern std::uint8_t ModoParticionamento;
extern std::uint8_t AnaliseViaTransmissao;
extern std::uint8_t AnaliseRodando;
extern std::uint8_t ConsistenciaRodando;
extern std::uint8_t GravacaoRodando;

// The page mode chosen by the whole-declaration check's result: "3" nothing
// found, "2" errors and warnings, "1" errors only, "0" warnings only.
QString ModoResultadoDe(std::uint8_t validationResult);

// The size gate's answer for a trailer's contract count: the refusal to show,
// or empty when the file may go on. A split needs 50,000 contracts or more;
// an analysis takes at most 50,000. No count: no gate.
QString SizeGateRefusal(std::optional<qint64> contracts, bool splitMode);

// The analysis and split wizard's first page: the file, its structure
// analysis and, in the analysis mode, the whole-declaration check.
class TfmAnalis00 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmAnalis00(QWidget* parent = nullptr);  // FormCreate
    ~TfmAnalis00() override;                          // FormDestroy

    QFrame* PLocalizar;
    QPlainTextEdit* Memo2;
    QLabel* Label1;
    QLineEdit* arquivo;
    QPushButton* BtLocalizar;

    QFrame* PEstrutura;
    QLabel* lbNomeArquivo;
    QProgressBar* pbEstrutura;
    QLabel* Label4;
    QProgressBar* pbConsistencia;

    QFrame* paErroEstrut;
    QPushButton* bbErroVisual;

    // Made on the first "Localizar": making a file dialog reads its folder,
    // the files' types and their icons.
    QFileDialog* OpenFile = nullptr;

    // The analysed file's header marks an amendment.
    bool ArquivoRetificacao = false;

    void BtLocalizarClick();
    void bbAvancarClick();
    void bbVoltarClick();
    void BtCancelarClick();
    void bbErroVisualClick();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { bbAvancarClick(); }
    void BackClicked() override { bbVoltarClick(); }
    void CancelClicked() override { BtCancelarClick(); }

private:
    void FormClose();
    void showFileChoice();
    bool passesSizeGate(const QString& fileName, bool splitMode);

    std::unique_ptr<declfile::TAnaliseEstrutura> analyser_;
    bool closeWhenInterrupted_ = false;
};

extern TfmAnalis00* fmAnalis00;

// The starters: the main window's "&Analisador" and "&Particionar Arquivo",
// and the transmission window's analysis of a given file (which sets
// AnaliseViaTransmissao first). Each creates the first two pages, shows the
// first modally and frees both.
void ShowAnalisador(QWidget* parent = nullptr, const QString& fileName = QString());
void ShowParticionar(QWidget* parent = nullptr);

// What a finished run leaves behind goes: the working tables, the findings
// and the import's counters (false), or the receipt tables (true), in the
// data folder.
void RemoveAnalysisTables(bool receiptTables);
