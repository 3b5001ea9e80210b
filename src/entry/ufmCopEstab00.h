#pragma once
#include "MaintenanceWizards.h"

#include <memory>

class QPushButton;
class TfmCopEstab01;
class TfmCopEstab02;
class TfmCopEstab03;

inline const QString kCopEstabCaption = QStringLiteral("Assistente - Transferir empregados para outra inscrição");

// The transfer wizard's first page: the introduction and the rules. It
// creates the later pages and frees them when it goes.
class TfmCopEstab00 : public forms::WizardPage {
    Q_OBJECT
public:
    explicit TfmCopEstab00(QWidget* parent = nullptr);  // FormCreate
    ~TfmCopEstab00() override;                          // FormClose

    QPushButton* bbRegras;

    // Handed from page to page.
    QString AnoBase;
    QString Inscricao;  // the source, 14 characters
    QString Prefixo;
    CheckedLines Linhas;
    std::uint8_t Encerrar = 0;

    std::unique_ptr<TfmCopEstab01> fmCopEstab01;
    std::unique_ptr<TfmCopEstab02> fmCopEstab02;
    std::unique_ptr<TfmCopEstab03> fmCopEstab03;

protected:
    void PageShown() override;
    void NextClicked() override;
};
