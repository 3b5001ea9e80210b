#pragma once
// The municipality-and-postcode check of the forms: besides a message code
// it gives the municipality's name and state abbreviation to show and store,
// and a finer verdict on the postcode.

#include <QString>

class TCriticaZuvo {
public:
    // Result kinds: "0" accepted; "1" the municipality code is refused (focus
    // on it); "2" the postcode is in the state but not the municipality's own
    // (focus on the postcode); "3" the postcode is outside the state's
    // ranges; "4" the postcode is in the state and the municipality has no
    // postcode of its own (accepted). name and state are written only when
    // the municipality is known; callers start them empty.
    void CheckMunicipalityCep(const QString& municipality, QString& name, QString& state, const QString& cep,
                              QString& code, QString& kind) const;
};

// The single instance, alive for the whole run.
extern TCriticaZuvo* CriticaZuvo;
