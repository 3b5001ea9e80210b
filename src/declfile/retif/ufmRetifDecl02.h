#pragma once
#include "declfile/retif/RetifSelection.h"

#include "platform/ui/WizardPage.h"

class QCheckBox;
class QLabel;
namespace forms {
class TickList;
}

// The amendment wizard's selection page: the establishments and, for the
// current one, the contracts to send again. The choice lives in Selection;
// the writing wizard's responsible page copies it into the working tables.
class TfmRetifDecl02 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmRetifDecl02(QWidget* parent = nullptr);  // FormCreate
    ~TfmRetifDecl02() override;                          // FormClose: ReleaseSelection

    forms::TickList* clEmpresas;
    forms::TickList* clVinculos;
    QCheckBox* ckSelecVinculos;

    declfile::RetifSelection Selection;

    void LoadContracts();
    bool CopySelectionToWork();
    void ReleaseSelection() { Selection.Release(); }
    void bbAvancarClick();
    void ckSelecVinculosClick();
    void EstablishmentTickHandling(int line);
    void ContractTickHandling(int line, bool ticked);

protected:
    void PageShown() override;  // FormShow
    void NextClicked() override { bbAvancarClick(); }
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool mouseDown_ = false;  // a button is down on the establishment list
    bool movingCurrent_ = false;  // the page moves the current line itself
    void showEstablishmentLacking(int line);
    QList<QStringList> contractKeys_;  // row K of the contracts query: line K
};
