#pragma once
#include "platform/ui/WizardPage.h"

class QLabel;
class QListWidget;
class QPushButton;

// The writing wizard's first page: the introduction. It creates the wizard's
// data module (dmDadosResp), loads the establishments of the base year and
// keeps the wizard's establishment selection in the hidden list lbEmpresas00.
class TfmGravaDecl00 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmGravaDecl00(QWidget* parent = nullptr);  // FormCreate
    ~TfmGravaDecl00() override;                          // FormDestroy

    QLabel* lblAno;
    // Item i: AnBase (4) + CoCgcCeiEstabelecimento (14) +
    // NuPrefixoEstabelecimento (2) of the i-th row of the establishments
    // query; selected when that establishment is to be written.
    QListWidget* lbEmpresas00;

    void bbAvancarClick();
    void pGuardaPosicao();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { bbAvancarClick(); }
    void CancelClicked() override { GoBack(); }  // the first page just closes
};

extern TfmGravaDecl00* fmGravaDecl00;

// The main window's "&Gravar Declaração...": creates the first page, shows it
// modally and frees it.
void ShowGravaDecl(QWidget* parent = nullptr);

// The frame every page of the writing and amendment wizards shares, with the
// wizard's caption and picture from dmDadosResp.
forms::WizardFrame GravaDeclFrame(const QString& objectName, const QString& memoName = QString());

// A button of a page's content (not the frame's), without the default-button
// behaviour.
QPushButton* GravaDeclButton(QWidget* parent, const char* name, const char* text);

// The first pages' Next: AnoBaseAssistente and the establishments of the
// base year in dmDadosResp->quEmpresas, left open for the next page; without
// any, message "1700", the focus on Cancel and false.
bool OpenWizardEstablishments(QWidget* cancelButton);

// The first pages' "Declaração Ano-Base" line under the memo, and their
// freeing of the wizard's data module.
QLabel* AddYearLabel(forms::WizardPage* page);
void FreeWizardModule();
