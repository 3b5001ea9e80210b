#include "ugZuvoCrit2001.h"

#include "RuleText.h"
#include "ugRegrasEndereco.h"

using namespace rules;

namespace {
TCriticaZuvo instance;
}

TCriticaZuvo* CriticaZuvo = &instance;

void TCriticaZuvo::CheckMunicipalityCep(const QString& municipality, QString& name, QString& state,
                                        const QString& cep, QString& code, QString& kind) const {
    kind = u"0"_s;
    code = CheckMunicipality(municipality);
    if (code != u"0000") {
        kind = u"1"_s;
        return;
    }
    const QString m = Trim(municipality);
    db::Table& mun = dmLobrix->taMunicipio;
    Lookup(mun, m, 7);
    name = Field(mun, "NoMunicipio");
    const QString ownCep = Field(mun, "CoCep");
    state = Lookup(dmLobrix->taUF, m.left(2), 2) ? Field(dmLobrix->taUF, "SgUf") : QString();

    code = CheckCepForMunicipality(cep, m, 0);
    if (code == u"0000") return;
    const QString kept = code;
    code = CheckCepForState(cep, m.left(2));
    if (code != u"0000") {
        kind = u"3"_s;
        return;
    }
    if (!ownCep.isEmpty()) {
        kind = u"2"_s;
        code = kept;
    } else {
        kind = u"4"_s;
    }
}
