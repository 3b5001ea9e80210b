#pragma once
#include "platform/ui/WizardPage.h"
#include "shell/ugListasAssistente.h"

class QLineEdit;
class TfmExclMult00;

// Multi-delete, page 5: the total, and Concluir deletes.
class TfmExclMult04 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmExclMult04(TfmExclMult00& wizard);

    QLineEdit* edInscricao;
    QLineEdit* edPrefixo;
    QLineEdit* edNomeEstabelecimento;
    QLineEdit* edTotalEmpregados;
    QString Ordem;  // "pispasep" or "nome"

    void btConcluirClick();

protected:
    void PageShown() override;
    void NextClicked() override { btConcluirClick(); }
    void BackClicked() override;
    void CancelClicked() override;

private:
    TfmExclMult00& wizard_;
};

// Deletes the contracts of the lines, each found by the full key kept beside
// it, and recounts the establishment, all in one transaction under the
// marker "4". Returns the number deleted; a table error rolls everything
// back and passes on.
int DeleteSelectedEmployees(const CheckedLines& lines, const QString& anoBase, const QString& inscricao,
                            const QString& prefixo);
