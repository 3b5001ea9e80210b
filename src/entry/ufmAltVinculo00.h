#pragma once
#include "MaintenanceWizards.h"

#include <memory>

class TfmAltVinculo01;
class TfmAltVinculo02;

inline const QString kAltVinculoCaption =
    QStringLiteral("Assistente para Alterar Código de Vínculo de todos Empregados/Servidores");

// The contract-type wizard's first page: the introduction. It creates the
// later pages and frees them when it goes.
class TfmAltVinculo00 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmAltVinculo00(QWidget* parent = nullptr);  // FormCreate
    ~TfmAltVinculo00() override;                          // FormClose

    std::uint8_t Encerrar = 0;
    std::unique_ptr<TfmAltVinculo01> fmAltVinculo01;
    std::unique_ptr<TfmAltVinculo02> fmAltVinculo02;

protected:
    void PageShown() override;
    void NextClicked() override;
};

MaintenanceButtons AltVinculoButtons();
// A page of this wizard: the maintenance frame, but growing with the screen
// on wide screens too, where the other maintenance wizards keep a fixed size.
forms::WizardFrame AltVinculoFrame(const char* objectName, std::uint8_t* endFlag, const MaintenanceButtons& buttons,
                                   const char* memoName = nullptr);
