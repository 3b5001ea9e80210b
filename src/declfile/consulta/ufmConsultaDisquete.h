#pragma once
#include "declfile/consulta/ConsultaPage.h"

#include <QDialog>
#include <memory>

class QFileDialog;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QProgressBar;
class QPushButton;
class QWidget;

namespace declfile {
class TAnaliseEstrutura;
}
namespace ui {
class EntryFormController;
}

// The file consultation: takes a declaration file's name, analyses it into
// the working tables and shows what it holds, read-only, on the consultation
// pages; a file with a structure error gets the error panel and its report.
class TfmConsultaDisquete : public QDialog, public declfile::ConsultaOwner {
    Q_OBJECT
public:
    explicit TfmConsultaDisquete(QWidget* parent = nullptr);  // FormCreate
    ~TfmConsultaDisquete() override;                          // FormDestroy

    QWidget* paConsDisquete;
    QLabel* laStatus;
    QProgressBar* prCarregarArq;
    QPlainTextEdit* meDicas;
    QLineEdit* edArquivo;
    QPushButton* bbLocalizar;
    QWidget* paRelatorio;
    QPlainTextEdit* meRelatorio;
    QPushButton* bbVisualizar;
    QPushButton* bbCancelar;
    QPushButton* bbVoltar;
    QFileDialog* odConsulta;

    // Filled by the analysis, read by nobody.
    int QtEstabelecimentos = 0;
    int QtVinculos = 0;

    void LoadDeclarationForViewing(const QString& fileName);
    // Creates the pages, shows the summary page modally with the window
    // hidden, and frees the pages (the working tables must hold the file).
    void ShowConsultationPages();
    // "&Fechar" of any page: every consultation page and this window close.
    void CloseConsultation() override;

    void bbLocalizarClick();
    void edArquivoExit();
    void bbCancelarClick();
    void bbVoltarClick();
    void bbVisualizarClick();

    // The pages while a consultation runs (else null).
    TfmConsulta01* Page01() const override { return fm01_; }
    TfmConsulta02* Page02() const override { return fm02_; }
    TfmConsulta03* Page03() const override { return fm03_; }
    TfmConsulta04* Page04() const override { return fm04_; }
    TfmConsulta05* Page05() const override { return fm05_; }

    void reject() override { bbCancelarClick(); }

protected:
    void showEvent(QShowEvent* event) override;  // FormShow

private:
    void buildControls();
    void ShowFileChoice();
    void ShowErrorPanel(bool withBack);

    std::unique_ptr<declfile::TAnaliseEstrutura> analyser_;
    ui::EntryFormController* kit_;
    TfmConsulta01* fm01_ = nullptr;
    TfmConsulta02* fm02_ = nullptr;
    TfmConsulta03* fm03_ = nullptr;
    TfmConsulta04* fm04_ = nullptr;
    TfmConsulta05* fm05_ = nullptr;
};

// The window the program creates at start-up.
extern TfmConsultaDisquete* fmConsultaDisquete;
// 1 while an analysis of a consultation window runs.
extern quint8 AnaliseConsultaEmAndamento;

// The main window's "&Consulta Arquivo do Ano": a window of its own, shown
// modally and freed.
void ShowConsultaDisquete(QWidget* parent = nullptr);
