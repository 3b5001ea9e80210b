#pragma once
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/WizardPage.h"

#include <QImage>
#include <QString>
#include <array>
#include <cstdint>

// The person responsible, the working copies and the state that the pages of
// the writing and amendment wizards share. Created by the responsible-person
// form and by those wizards, freed when they end.
class TdmDadosResp {
public:
    TdmDadosResp();  // dmDadosRespCreate
    ~TdmDadosResp();

    db::Table ta8Resp;
    db::Query quEmpresas;
    db::Query quVinculos;
    db::Table ta8Emp;
    db::Table ta8Vinc;
    db::Table te8Emp;   // opened exclusively
    db::Table te8Vinc;  // opened exclusively
    db::Table te8Resp;

    // Wizard state.
    std::array<int, 34> GeometriaAssistente{};
    QString TituloAssistente;
    QString AnoBaseAssistente;
    std::uint8_t ModoRetificacao = 0;
    std::uint8_t EncerrarAssistente = 0;
    std::uint8_t ResultadoCritica = 0;
    QImage FiguraAssistente;
};

// The wizard picture "DEF" shown on every wizard page; the print wizard's is "IMP".
QImage WizardPicture(const QString& resource = QStringLiteral("DEF"));

// The frame of the wizards drawn on the design's plain page (the check, the
// print wizard, the import): the picture "Image1", the bevel "Bevel1" and
// the panel "Panel1". With `designButtons`, also the buttons "BtVoltar",
// "BtAvancar" and "BtCancelar", 622 x 330 (850 x 450 on wide screens), no
// border icons and the wizard's end flag.
forms::WizardFrame PlainWizardFrame(const QString& objectName, const QString& caption, const QImage& picture,
                                    std::uint8_t* endFlag = nullptr, bool designButtons = true);

extern TdmDadosResp* dmDadosResp;
