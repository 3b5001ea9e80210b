#pragma once
#include "platform/db/Query.h"

#include <QDialog>
#include <cstdint>

class LetterButtons;
class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;
class QueryGrid;

namespace ui {
class EntryFormController;
}

// The establishments of the base year, found by inscription, name or
// initial letter. In open mode the chosen one opens in the establishment
// form; in delete mode it goes to the delete form. Created at start-up and
// shown again and again; every showing resets the filters.
class TfmConEstab : public QDialog {
    Q_OBJECT
public:
    explicit TfmConEstab(QWidget* parent = nullptr);  // FormCreate

    std::uint8_t ModoExclusao = 0;  // 0 open mode, 1 delete mode

    db::Query quConEstab;
    QueryGrid* DBGridEstab;
    QLineEdit* mdInscricao;
    QLineEdit* edRazao;
    QLabel* paAnoBase;
    LetterButtons* letters;
    QPushButton* BtExibir;
    QPushButton* BtCancelar;
    QPushButton* btExcluir;
    QPushButton* btCancExcluir;

    ui::EntryFormController* kit() const { return kit_; }

    // Rebuilds and opens quConEstab from the filters and shows its rows.
    Q_INVOKABLE void pMontaQuery();
    // "1" the inscription box; "2" the name box when no inscription is typed,
    // else as "3"; "3" the grid with several rows, the action button with one.
    Q_INVOKABLE void pSetaFoco(const QString& code);

    void BtExibirClick();
    void btExcluirClick();
    void BtCancelarClick();
    void btCancExcluirClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    bool firstFilling();
    void filterExit(QLineEdit* box);
    void openSelected();
    void afterNestedForm();
    QString anoBase() const;

    ui::EntryFormController* kit_;
};

// Created at start-up; null until then.
extern TfmConEstab* fmConEstab;

// Gives the establishment and its contracts the inscription type `type`, in
// one transaction; false (an error box shown, nothing written) on a table error.
bool RepairInscriptionType(const QString& anoBase, const QString& inscricao, const QString& prefixo,
                           const QString& type);
