#include "ugRegrasEndereco.h"

#include "RuleText.h"

using namespace rules;
using namespace ugConstantes;

QString CheckStreet(QString& street) {
    street = Trim(street);
    if (street.isEmpty()) return u"0120"_s;
    if (!HasNoFourEqualChars(street)) return u"3100"_s;
    return CheckName(street);
}

QString CheckStreetNumber(const QString& number) { return CheckDigitsLength(Trim(number), u"6"_s); }

QString CheckComplement(QString& complement) {
    complement = Trim(complement);
    if (complement.isEmpty()) return u"0000"_s;
    if (!IsPlainText(complement)) return u"0020"_s;
    if (!HasNoFourEqualChars(complement)) return u"3100"_s;
    return u"0000"_s;
}

QString CheckDistrict(QString& district) {
    district = Trim(district);
    if (district.isEmpty()) return u"0000"_s;
    return CheckName(district);
}

QString CheckNumberOrComplement(const QString& number, const QString& complement) {
    const QString n = Trim(number);
    if ((n.isEmpty() || IsAllZeros(n)) && Trim(complement).isEmpty()) return u"0120"_s;
    return u"0000"_s;
}

QString CheckEmail(QString& email) {
    email = Trim(email);
    if (email.isEmpty()) return u"0000"_s;
    if (!IsPlainText(email)) return u"0020"_s;
    if (!IsValidEmail(email)) return u"3627"_s;
    return u"0000"_s;
}

QString CheckMunicipality(const QString& municipality, QString* foundName) {
    const QString v = Trim(municipality);
    if (v.isEmpty()) return u"0092"_s;
    const QString c = CheckDigitsLength(v, u"7"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0092"_s;
    if (!Lookup(dmLobrix->taMunicipio, v, 7)) return u"0090"_s;
    if (foundName) *foundName = Field(dmLobrix->taMunicipio, "NoMunicipio");
    return u"0000"_s;
}

QString CheckWorkMunicipality(const QString& municipality) {
    const QString v = Trim(municipality);
    const QString c = CheckDigitsLength(v, u"7"_s);
    if (c != u"0000") return c;
    // Nothing reads the row found: the check's run remembers each answer.
    return IsKnownCode(dmLobrix->taMunicipio, v, 7) ? u"0000"_s : u"0090"_s;
}

QString CheckMunicipalityName(QString& name, const QString& foundName, int fieldWidth) {
    name = Trim(name);
    if (name.isEmpty()) return u"0093"_s;
    const QString c = CheckName(name);
    if (c != u"0000") return c;
    // The record keeps the name cut to its field; the table's name is wider.
    return name == Trim(foundName.left(fieldWidth)) ? u"0000"_s : u"3666"_s;
}

QString CheckStateAbbreviation(const QString& abbreviation) {
    const QString v = Trim(abbreviation);
    if (v.isEmpty() || IsAllZeros(v)) return u"0101"_s;
    if (v.size() > 2) return u"0100"_s;
    // States are looked up as the table's index finds them, whatever the case.
    return dmLobrix->taUF.Locate({u"SgUf"_s}, {v}, true) ? u"0000"_s : u"0100"_s;
}

QString CheckStateForMunicipality(const QString& municipality, const QString& abbreviation) {
    const QString m = Trim(municipality);
    if (m.isEmpty() || IsAllZeros(m)) return u"0000"_s;
    const QString sg = Trim(abbreviation);
    if (sg.isEmpty()) return u"0000"_s;
    if (!Lookup(dmLobrix->taUF, m.left(2), 2)) return u"0000"_s;
    return Field(dmLobrix->taUF, "SgUf") != sg ? u"0091"_s : u"0000"_s;
}

QString CheckCep(const QString& cep) {
    const QString v = Trim(cep);
    if (v.isEmpty()) return u"0081"_s;
    const QString c = CheckDigitsLength(v, u"8"_s);
    if (c != u"0000") return c;
    if (IsAllZeros(v)) return u"0081"_s;
    if (v.startsWith(u"00")) return u"0080"_s;
    return u"0000"_s;
}

QString CheckCepForMunicipality(const QString& cep, const QString& municipality, int relaxed) {
    const QString v = Trim(cep);
    const QString m = Trim(municipality);
    if (v.isEmpty() || IsAllZeros(v) || m.isEmpty() || IsAllZeros(m)) return u"0000"_s;
    // The postcode's and the municipality's own rules report values that are
    // not numbers or not known; nothing to compare then.
    if (!IsAllDigits(v) || !Lookup(dmLobrix->taMunicipio, m, 7)) return u"0000"_s;
    db::Table& mun = dmLobrix->taMunicipio;
    if (Field(mun, "InFaixa") != u"0") {
        db::Table& fx = dmLobrix->taFaixaCEP;
        if (!Lookup(fx, m, 7)) return u"0082"_s;
        const long long n = Num(v);
        const long long lo1 = Num(Field(fx, "CoCep1Inicial") + u"000"_s);
        const long long hi1 = Num(Field(fx, "CoCep1Final") + u"999"_s);
        if (lo1 <= n && n <= hi1) return u"0000"_s;
        const long long lo2 = Num(Field(fx, "CoCep2Inicial") + u"000"_s);
        const long long hi2 = Num(Field(fx, "CoCep2Final") + u"999"_s);
        if (n < lo2 || n > hi2) return CheckCepException(v, m);
        return u"0000"_s;
    }
    const QString own = Field(mun, "CoCep");
    if (!own.isEmpty() && v.left(5) == own) return u"0000"_s;
    if (!own.isEmpty()) return CheckCepException(v, m);
    return relaxed == 1 ? u"0000"_s : CheckCepException(v, m);
}

QString CheckCepException(const QString& cep, const QString& municipality) {
    const QString v = Trim(cep);
    const QString m = Trim(municipality);
    if (!IsAllDigits(v) || !IsAllDigits(m)) return u"0000"_s;
    const int uf = int(Num(m.left(2)));
    const QString prefixText = v.left(5);
    const long long prefix = Num(prefixText);
    for (const CepExcecao& e : kCepExcecoes) {
        if (e.uf != uf) continue;
        // A single prefix is five digits as written ("09000"): a shorter
        // postcode "9000" is not it. Ranges compare the prefix as a number.
        const bool accepted = e.inicio == e.fim ? prefixText.size() == 5 && prefix == e.inicio
                                                : e.inicio <= prefix && prefix <= e.fim;
        if (accepted) return u"0000"_s;
    }
    return u"0082"_s;
}

QString CheckCepForState(const QString& cep, const QString& stateCode) {
    const QString v = Trim(cep);
    const QString uf = Trim(stateCode);
    if (v.isEmpty() || IsAllZeros(v) || uf.isEmpty() || IsAllZeros(uf) || !IsAllDigits(v)) return u"0000"_s;
    db::Query& q = dmLobrix->qryUfCep;
    const long long prefix = Num(v.left(5));
    // A run's memory keeps each state's ranges, read the first time it is asked.
    if (LookupMemory* memory = LookupMemory::current()) {
        auto& byState = memory->cepRangesByState();
        auto known = byState.constFind(uf);
        if (known == byState.constEnd()) {
            LookupMemory::CepRanges ranges;
            q.Close();
            q.ParamByName(u"xCoUf"_s).AsString = uf;
            q.Open();
            for (q.First(); !q.Eof(); q.Next())
                ranges.emplace_back(Num(q.FieldByName(u"CoCepInicial"_s).AsString()),
                                    Num(q.FieldByName(u"CoCepFinal"_s).AsString()));
            q.Close();
            known = byState.insert(uf, std::move(ranges));
        }
        for (const auto& [lo, hi] : *known)
            if (lo <= prefix && prefix <= hi) return u"0000"_s;
        return u"0083"_s;
    }
    q.Close();
    q.ParamByName(u"xCoUf"_s).AsString = uf;
    q.Open();
    bool inside = false;
    for (q.First(); !q.Eof() && !inside; q.Next()) {
        const long long lo = Num(q.FieldByName(u"CoCepInicial"_s).AsString());
        const long long hi = Num(q.FieldByName(u"CoCepFinal"_s).AsString());
        inside = lo <= prefix && prefix <= hi;
    }
    q.Close();
    return inside ? u"0000"_s : u"0083"_s;
}

QString CheckAreaCode(const QString& ddd) {
    const QString v = Trim(ddd);
    if (v.isEmpty() || IsAllZeros(v) || !IsAllDigits(v)) return u"3674"_s;
    return u"0000"_s;
}

QString CheckPhoneNumber(const QString& phone) {
    const QString v = Trim(phone);
    if (v.isEmpty()) return u"3674"_s;
    if (v.size() != 8) return u"3101"_s;
    if (IsAllZeros(v) || !IsAllDigits(v)) return u"3674"_s;
    return u"0000"_s;
}

QString CheckPhoneAndAreaCode(const QString& ddd, const QString& phone) {
    const QString d = Trim(ddd);
    const QString p = Trim(phone);
    const bool hasDdd = !d.isEmpty() && !IsAllZeros(d);
    const bool hasPhone = !p.isEmpty() && !IsAllZeros(p);
    if (hasDdd != hasPhone) return u"3101"_s;
    if (!hasDdd) return u"3102"_s;
    return u"0000"_s;
}

QString CheckAreaCodeForState(const QString& ddd, const QString& stateCode) {
    const QString d = u"0"_s + Trim(ddd).left(2);
    const QString uf = Trim(stateCode);
    if (IsAllZeros(d) || !IsAllDigits(d)) return u"0000"_s;
    if (uf.isEmpty() || IsAllZeros(uf) || !IsAllDigits(uf)) return u"0000"_s;
    const long long state = Num(uf);
    const long long n = Num(d);
    bool known = false;
    for (const DddEstado& e : kDddsPorEstado) {
        if (e.uf != state) continue;
        known = true;
        if (e.inicio <= n && n <= e.fim) return u"0000"_s;
    }
    return known ? u"0402"_s : u"0000"_s;
}
