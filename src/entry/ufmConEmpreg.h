#pragma once
#include <QDialog>
#include <QString>
#include <cstdint>

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

// The list of the contracts of the establishment being edited.
class TfmConEmpreg : public QDialog {
    Q_OBJECT
public:
    explicit TfmConEmpreg(QWidget* parent = nullptr);
};

// Created at start-up; null until then.
extern TfmConEmpreg* fmConEmpreg;
