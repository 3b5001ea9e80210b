#include "ufmExclMult00.h"

#include "ufmExclMult01.h"
#include "ufmExclMult02.h"
#include "ufmExclMult03.h"
#include "ufmExclMult04.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>

TfmExclMult00::TfmExclMult00(QWidget* parent)
    : forms::WizardPage(MaintenanceFrame("fmExclMult00", kExclMultCaption, &Encerrar, {}, "meDicas"), parent) {
    SetMemoLines({QStringLiteral("Este assistente permite que você exclua mais de um "),
                  QStringLiteral("empregado/servidor  de  um  estabelecimento"),
                  QStringLiteral("(inscrição/prefixo). "), QString(),
                  QStringLiteral("Você deve ter certeza que deseja excluir os "),
                  QStringLiteral("empregados/servidores."), QString(),
                  QStringLiteral("Se você tem certeza que deseja  excluir vários "),
                  QStringLiteral("empregados/servidores,  clique em <Avançar>.")});
    BackButton()->setEnabled(false);
    NextButton()->setDefault(true);
    fmExclMult01 = std::make_unique<TfmExclMult01>(*this);
    fmExclMult02 = std::make_unique<TfmExclMult02>(*this);
    fmExclMult03 = std::make_unique<TfmExclMult03>(*this);
    fmExclMult04 = std::make_unique<TfmExclMult04>(*this);
}

TfmExclMult00::~TfmExclMult00() = default;

void TfmExclMult00::PageShown() { NextButton()->setFocus(); }

void TfmExclMult00::NextClicked() { GoNext(fmExclMult01.get()); }
