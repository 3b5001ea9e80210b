#pragma once
#include "platform/db/Query.h"
#include "platform/db/Table.h"

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

extern TdmDadosResp* dmDadosResp;
