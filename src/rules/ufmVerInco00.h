#pragma once
#include "platform/ui/WizardPage.h"

class QGroupBox;
class QLabel;

// The inconsistency-check wizard: its introduction page. The main window's
// command creates the three pages (ShowVerInco), shows this one and frees all
// three afterwards.
class TfmVerInco00 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmVerInco00(QWidget* parent = nullptr);  // FormCreate
    ~TfmVerInco00() override;

    QGroupBox* dgExercicio;
    QLabel* lblAno;

    void BtAvancarClick();

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { BtAvancarClick(); }
    void CancelClicked() override { GoBack(); }  // closes the page only
};

extern TfmVerInco00* fmVerInco00;

// The frame the three pages share, and the picture "DEF" the first page
// loads and the others copy.
forms::WizardFrame VerIncoFrame(const QString& objectName, const QString& memoName);

// The command "&Verificar Inconsistências das Declarações ...": creates the
// three pages, shows the first modally and frees them.
void ShowVerInco();
