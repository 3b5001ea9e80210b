#pragma once
#include "MaintenanceWizards.h"

#include <memory>

class TfmExclMult01;
class TfmExclMult02;
class TfmExclMult03;
class TfmExclMult04;

inline const QString kExclMultCaption = QStringLiteral("Assistente para Exclusão de Múltiplos Empregados/Servidores");

// The multi-delete wizard's first page: the introduction. It creates the
// later pages, keeps the values they hand on, and frees them when it goes.
class TfmExclMult00 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmExclMult00(QWidget* parent = nullptr);  // FormCreate
    ~TfmExclMult00() override;                          // FormClose

    // The wizard's values.
    QString AnoBase;
    QString Inscricao;        // as the combo shows it
    QString KeyInscricao;     // 14 characters, as stored
    QString Prefixo;
    QString NomeEstabelecimento;
    CheckedLines Linhas;
    std::uint8_t Encerrar = 0;

    std::unique_ptr<TfmExclMult01> fmExclMult01;
    std::unique_ptr<TfmExclMult02> fmExclMult02;
    std::unique_ptr<TfmExclMult03> fmExclMult03;
    std::unique_ptr<TfmExclMult04> fmExclMult04;

protected:
    void PageShown() override;
    void NextClicked() override;
};
