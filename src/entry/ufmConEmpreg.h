#pragma once
#include <QDialog>
#include <QString>
#include <cstdint>

class LetterButtons;
class QLabel;
class QLineEdit;
class QPushButton;
class QueryGrid;

namespace ui {
class EntryFormController;
}

// CurrentEstablishment: the establishment whose contracts the employee list
// shows, filled by the establishment form before it shows the list.
struct CurrentEstablishmentValues {
    QString BaseYear;         // AnBase
    QString Prefix;           // NuPrefixoEstabelecimento
    QString Name;             // NoRazaoEstabelecimento
    QString InscriptionType;  // InInscrEstabelecimento
    QString Inscription;      // CoCgcCeiEstabelecimento, 14 characters
    QString LinkedCei;        // CoCgcVinculado, 14 characters
    std::uint8_t FollowingYear = 0;
};
extern CurrentEstablishmentValues CurrentEstablishment;

// The contracts of the establishment being edited, found by PIS/PASEP, name
// or initial letter; Exibir opens one in the employee form, Novo a new one.
// Created at start-up and shown again and again; it comes back to the row
// opened last.
class TfmConEmpreg : public QDialog {
    Q_OBJECT
public:
    explicit TfmConEmpreg(QWidget* parent = nullptr);  // FormCreate

    QueryGrid* DBGridVinculo;
    QLineEdit* mdInscricao;
    QLineEdit* edPrefixo;
    QLineEdit* edRazao;
    QLineEdit* edPisPasep;
    QLineEdit* edNome;
    QLabel* paAnoBase;
    LetterButtons* letters;
    QPushButton* BtNovo;
    QPushButton* BtExibir;
    QPushButton* BtCancelar;

    int RememberedRow = 0;   // the position of the row opened last

    ui::EntryFormController* kit() const { return kit_; }

    Q_INVOKABLE void MontaQuery();
    // "1" the PIS/PASEP box; "2" the name box when no PIS/PASEP is typed,
    // else as "3"; "3" Exibir with one row, the grid with more, Novo with none.
    Q_INVOKABLE void SetaFoco(const QString& code);

    void BtExibirClick();
    void BtNovoClick();
    void BtCancelarClick();

protected:
    void showEvent(QShowEvent* event) override;

private:
    void FormShow();
    void handOver(bool newContract);
    void filterExit(QLineEdit* box, const QString& focusCode);

    ui::EntryFormController* kit_;
};

// Created at start-up; null until then.
extern TfmConEmpreg* fmConEmpreg;

// Counts the establishment's contracts and foreigners again and stores them in its row.
void RecountEstablishment(const QString& anoBase, const QString& inscricao, const QString& prefixo);
