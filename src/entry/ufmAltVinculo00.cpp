#include "ufmAltVinculo00.h"

#include "ufmAltVinculo01.h"
#include "ufmAltVinculo02.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>

MaintenanceButtons AltVinculoButtons() {
    MaintenanceButtons b;
    b.back = "BtVoltar";
    b.next = "BtAvancar";
    b.cancel = "BtCancelar";
    return b;
}

forms::WizardFrame AltVinculoFrame(const char* objectName, std::uint8_t* endFlag, const MaintenanceButtons& buttons,
                                   const char* memoName) {
    forms::WizardFrame f = MaintenanceFrame(objectName, kAltVinculoCaption, endFlag, buttons, memoName);
    f.scaleOnEveryWidth = true;
    return f;
}

TfmAltVinculo00::TfmAltVinculo00(QWidget* parent)
    : forms::WizardPage(
          AltVinculoFrame("fmAltVinculo00", &Encerrar, AltVinculoButtons(), "meDicas"),
          parent) {
    SetMemoLines({QStringLiteral("Este assistente permite que você altere o código de vínculo "),
                  QStringLiteral("de TODOS os empregados/servidor de um estabelecimento "),
                  QStringLiteral("(inscrição/prefixo). "), QString(),
                  QStringLiteral("Caso os empregados/servidores a alterar estejam em prefixos "),
                  QStringLiteral("diferentes, o procedimento deverá ser executado novamente "),
                  QStringLiteral("para o "), QStringLiteral("outro prefixo.")});
    BackButton()->setEnabled(false);
    fmAltVinculo01 = std::make_unique<TfmAltVinculo01>(*this);
    fmAltVinculo02 = std::make_unique<TfmAltVinculo02>(*this);
}

TfmAltVinculo00::~TfmAltVinculo00() = default;

void TfmAltVinculo00::PageShown() { NextButton()->setFocus(); }

void TfmAltVinculo00::NextClicked() { GoNext(fmAltVinculo01.get(), Hand::StayVisible); }
