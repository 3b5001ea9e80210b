// The checks of the record of the person responsible (type 0).

#include "rules/ugCriticaRegistros.h"
#include "rules/ugCriticaRegras.h"

#include "shell/ugFuncoes.h"

using namespace critica;

namespace {

QString ResponsibleTypeText(const QString& type) {
    if (type == QLatin1String("1")) return QStringLiteral("1 (CNPJ)");
    if (type == QLatin1String("3")) return QStringLiteral("3 (CEI)");
    if (type == QLatin1String("4")) return QStringLiteral("4 (CPF)");
    return type;
}

QString Get(db::Table& t, const char* name) { return t.FieldByName(QLatin1String(name)).AsString(); }

// The inscription may be a CNPJ, a CEI or a CPF; a number valid under the
// other reading than its type is reported through the type, not as a bad number.
void CheckResponsibleInscription(Findings& f, db::Table& resp) {
    const QString type = Get(resp, "InInscrResponsavel").left(1);
    const QString inscription = Get(resp, "CoCgcCeiResponsavel");
    QString first;
    QString second = QStringLiteral("0000");
    if (type == QLatin1String("4")) {
        first = CheckInscriptionOrCpf(inscription, 11);
        if (!IsOneOf(first, {"0000", "0056"})) second = CheckInscription(inscription);
    } else {
        first = CheckInscription(inscription);
        if (!IsOneOf(first, {"0000", "0051", "0052", "0050"})) second = CheckInscriptionOrCpf(inscription, 11);
    }
    if (IsOneOf(second, {"0050", "0051", "0052", "0056"})) {
        second = QStringLiteral("0000");
    } else if (!IsOneOf(first, {"0000", "0050", "0051", "0052", "0056"})) {
        f.ErrCounted(first, {{"1599", inscription}});
    }
    if (!Ok(second)) return;
    QString r = CheckResponsibleInscriptionType(type);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"1601", ResponsibleTypeText(type)}});
        return;
    }
    r = CheckInscriptionByType(inscription, type);
    if (!Ok(r)) {
        f.Count();
        f.Err(r, {{"1601", ResponsibleTypeText(type)}, {"1599", inscription}});
    }
}

}  // namespace

void CheckResponsibleRecord(ValidationRun& run) {
    db::Table& resp = *run.resp;
    Findings f(run, 0);
    QString r;

    CheckResponsibleInscription(f, resp);  // 1

    QString name = TrimBoth(Get(resp, "NoResponsavelArquivo"));  // 2
    r = CheckCompanyName(name, QString(), QString());
    if (!Ok(r)) f.ErrCounted(r, {{"1604", name}});

    QString street = TrimBoth(Get(resp, "EdLogradouroRespArquivo"));  // 3
    r = CheckStreet(street);
    if (!Ok(r)) f.ErrCounted(r, {{"1605", street}});

    const QString number = Get(resp, "NuLogradouroRespArquivo");  // 4
    r = CheckStreetNumber(number);
    if (!Ok(r)) f.ErrCounted(r, {{"1606", number}});

    QString complement = TrimBoth(Get(resp, "TxComplementoRespArquivo"));  // 5
    r = CheckComplement(complement);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"1607", complement}});
    } else if (r = CheckNumberOrComplement(number, complement); !Ok(r)) {
        f.ErrCounted(r, {{"1606", number}, {"1607", complement}});
    }

    QString district = TrimBoth(Get(resp, "NoBairroRespArquivo"));  // 6
    r = CheckDistrict(district);
    if (!Ok(r)) f.ErrCounted(r, {{"1608", district}});

    const QString cep = Get(resp, "CoCepRespArquivo");  // 7
    r = CheckCep(cep);
    if (!Ok(r)) f.ErrCounted(r, {{"1609", cep}});

    const QString municipality = Get(resp, "CoMunicipioRespArquivo");  // 8
    QString foundName;
    const QString municipalityResult = CheckMunicipality(municipality, &foundName);
    if (!Ok(municipalityResult)) {
        f.ErrCounted(municipalityResult, {{"1610", municipality}});
    } else if (r = CheckCepForMunicipality(cep, municipality, 1); !Ok(r)) {
        f.ErrCounted(r, {{"1609", cep}, {"1610", municipality}});
    }

    // 9: the name is compared only with a municipality that was found; after a
    // refused code only the name's own tests apply.
    QString municipalityName = TrimBoth(Get(resp, "NoMunicipioRespArquivo"));
    r = CheckMunicipalityName(municipalityName, Ok(municipalityResult) ? foundName : municipalityName);
    if (!Ok(r)) f.ErrCounted(r, {{"3667", municipalityName}});

    const QString state = TrimBoth(Get(resp, "SgUfRespArquivo"));  // 10
    r = CheckStateAbbreviation(state);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"1612", state}});
    } else {
        const QString trimmedMunicipality = TrimBoth(municipality);
        r = CheckStateForMunicipality(trimmedMunicipality, state);
        if (!Ok(r)) f.ErrCounted(r, {{"1610", trimmedMunicipality}, {"1612", state}});
        const QString stateCode = StateCode(run, state);
        if (!stateCode.isEmpty()) {
            r = CheckCepForState(cep, stateCode);
            if (!Ok(r)) f.ErrCounted(r, {{"1609", cep}, {"1612", state}});
        }
    }

    const QString ddd = TrimBoth(Get(resp, "NuFoneDDD"));  // 11
    r = CheckAreaCode(ddd);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"1613", ddd}});
    } else if (const QString stateCode = StateCode(run, state); !stateCode.isEmpty()) {
        r = CheckAreaCodeForState(ddd, stateCode);
        if (!Ok(r)) f.War(r, {{"1612", state}, {"1613", ddd}});
    }

    const QString phone = TrimBoth(Get(resp, "NuFoneAssinante"));  // 12
    r = CheckPhoneNumber(phone);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"1614", phone}});
    } else if (r = CheckPhoneAndAreaCode(ddd, phone); !Ok(r)) {
        f.ErrCounted(r, {{"1613", ddd}, {"1614", phone}});
    }

    const bool amendment = resp.FieldByName(QStringLiteral("InRetificacao")).AsBoolean();  // 13
    const QString amendmentDate = Get(resp, "DaRetificacao");
    r = CheckAmendmentDate(amendment, amendmentDate);
    if (!r.isEmpty() && !Ok(r))
        f.ErrCounted(r, {{"1615", amendmentDate},
                         {"1660", amendment ? QStringLiteral("Assinalado para retificação")
                                            : QStringLiteral("Não assinalado")}});

    const QString generated = Get(resp, "DaGeracao");  // 14
    r = CheckGenerationDate(generated);
    if (!Ok(r)) f.ErrCounted(r, {{"1616", generated}});

    QString email = Get(resp, "TxEMailRespArquivo");  // 15
    r = CheckEmail(email);
    if (!Ok(r)) f.ErrCounted(r, {{"1617", email}});

    const QString receipt = Get(resp, "CoCrea");  // 16
    const QString amendmentText = amendment ? QStringLiteral("1") : QStringLiteral("2");
    r = CheckReceiptNumberForAmendment(receipt, amendmentText);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"3736", receipt}, {"1660", amendmentText}});
    } else if (r = CheckReceiptNumber(receipt); !Ok(r)) {
        f.ErrCounted(r, {{"3736", receipt}});
    }

    const QString cpf = Get(resp, "CoCpfResponsavel");  // 17
    r = CheckDeclarantCpf(cpf);
    if (!Ok(r)) f.ErrCounted(r, {{"3737", cpf}});

    r = CheckDeclarantCpfMatchesInscription(Get(resp, "CoCgcCeiResponsavel"), cpf,  // 18
                                            Get(resp, "InInscrResponsavel"));
    if (!Ok(r)) f.ErrCounted(r, {{"3737", cpf}});

    QString declarant = Get(resp, "NoResponsavelDeclaracao");  // 19
    r = CheckDeclarantName(declarant);
    if (!Ok(r)) f.ErrCounted(r, {{"3738", declarant}});

    const QString birth = Get(resp, "DaNascimentoRespArquivo");  // 20
    r = CheckBirthDate(birth);
    if (!Ok(r)) {
        f.ErrCounted(r, {{"3760", birth}});
    } else if (r = CheckDeclarantAge(birth); !Ok(r)) {
        f.ErrCounted(r, {{"3760", birth}});
    }
}
