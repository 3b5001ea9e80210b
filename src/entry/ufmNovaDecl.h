#pragma once
#include "platform/ui/ControlTable.h"

#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class EntryFormController;
class RadioGroup;
}  // namespace ui

// The last message code of the new-declaration form and the answer to its
// confirmation 1001; the inscription-type chooser leaves its answer here too.
extern QString NewDeclarationResult;

// The first screen of a new establishment declaration: the identity of the
// establishment, checked field by field, stored as a new BD8Emp row of the
// base year and handed to the establishment form for the rest.
class TfmNovaDecl : public QDialog {
    Q_OBJECT
public:
    explicit TfmNovaDecl(QWidget* parent = nullptr);  // FormCreate: opens ta8Empresa
    ~TfmNovaDecl() override;

    ui::RadioGroup* dbrTipoInscr;
    QLineEdit* deInscricao;
    QLineEdit* dePrefixo;
    QLineEdit* deCeiVinc;
    QLabel* lbCeiVinc;
    QLineEdit* deRazao;
    QLineEdit* deUsoEmpresa;
    ui::RadioGroup* dgTipoZuvo;
    ui::RadioGroup* dgEmAtividade;
    QLabel* lblAno;
    QPushButton* btOk;
    QPushButton* BtCancelar;

    ui::EntryFormController* kit() const { return kit_; }

    // The form's own values: the base year, the inscription as typed, the
    // inscription widened to 14 characters and the prefix.
    QString sAnoBase, sInscricao, sInscricao14, sPrefixo;

    // The checks in order; a failure shows its message, focuses its control
    // and abandons the event (SilentAbort).
    void ValidateAll();
    // Run when the prefix is left: an existing key is refused; the same
    // inscription under another prefix offers to copy it (1001), after which
    // the row is posted and handed over. True when the row was handed over.
    bool CheckDuplicateAndCopy(const QString& inscricao, const QString& prefixo);
    void FillDefaults();
    void PostNewEstablishment();
    void btOkClick();
    void BtCancelarClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void CheckTypeChosen();
    void CheckInscriptionField();
    void CheckInscriptionAgainstType();
    void CheckPrefixField(bool withDuplicateSearch);
    void CheckKeyIsFree();
    void CheckLinkedCei();
    void CheckNameField();
    void CheckCompanyUseField();
    void enableLinkedCei(bool enabled);
    void dgTipoZuvoClick();
    void handOver();
    [[noreturn]] void refuse(const QString& code, QWidget* focus);

    ui::EntryFormController* kit_;
    ui::ControlTable rows_;
    bool shown_ = false;
};

extern TfmNovaDecl* fmNovaDecl;
