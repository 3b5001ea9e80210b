#include "UgDadosResp.h"

#include "platform/ui/EntryForm.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/SilentAbort.h"
#include "rules/ugRegrasEmpregado.h"
#include "rules/ugRegrasEndereco.h"
#include "rules/ugRegrasIdentificacao.h"
#include "rules/ugZuvoCrit2001.h"
#include "shell/udmDadosResp.h"
#include "shell/ugFuncoes.h"

#include <QApplication>
#include <QLineEdit>
#include <QMetaObject>
#include <functional>

namespace {

QString gLastCode;
QString gStreetNumber;

const QString kOk = QStringLiteral("0000");

db::Field& field(const char* name) { return dmDadosResp->ta8Resp.FieldByName(QString::fromLatin1(name)); }
QString value(const char* name) { return field(name).AsString(); }

// Keeps the code; true when the rule accepted.
bool passes(const QString& code) {
    gLastCode = code;
    return code == kOk;
}

[[noreturn]] void refuse(const QString& code, QWidget* focus) {
    gLastCode = code;
    ShowMessageByCode(code);
    ui::FocusBack(focus);
    throw SilentAbort();
}

void showAs(QLineEdit* edit, const QString& mask, const QString& text) {
    ui::SetDesignMask(edit, mask);
    ui::SetEditValue(edit, text);
}

bool focusNamed(const char* name) {
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    const QWidget* w = QApplication::focusWidget();
    return w && w->objectName() == QLatin1String(name);
}

// Puts the focus back on the inscription type of whichever screen shows it:
// the screen of the edit, else the responsible-person form, else the
// writing wizard's responsible page.
void focusInscriptionType(QLineEdit* inscription) {
    auto tryOn = [](QWidget* screen) {
        return screen && QMetaObject::invokeMethod(screen, "dbrTipoInscrEnter", Qt::DirectConnection);
    };
    if (tryOn(inscription->window())) return;
    for (const char* name : {"fmDadosResp", "fmGravaDecl01"})
        for (QWidget* top : QApplication::topLevelWidgets())
            if (top->objectName() == QLatin1String(name) && tryOn(top)) return;
}

}  // namespace

QString ResponsibleLastCode() { return gLastCode; }
QString ResponsibleStreetNumberRead() { return gStreetNumber; }
void ResetResponsibleChecks() {
    gLastCode.clear();
    gStreetNumber.clear();
}

bool FocusNotOnCancel() { return !focusNamed("bbCancelar"); }
bool FocusOnAdvance() { return focusNamed("bbAvancar"); }
bool FocusOnMunicipalities() { return focusNamed("bbMunicipios"); }
bool FocusOnMunicipalityCode() { return focusNamed("bbCodMunicipio"); }

void ShowResponsibleInscription(QLineEdit* inscription, QLineEdit* typeLabel) {
    const QString number = value("CoCgcCeiResponsavel").trimmed();
    if (number.isEmpty()) return;
    const QString type = value("InInscrResponsavel");
    if (type == QLatin1String("1")) {
        showAs(inscription, kMaskCnpj, number);
        typeLabel->setText(QStringLiteral("CNPJ"));
    } else if (type == QLatin1String("3")) {
        showAs(inscription, kMaskCei, number.mid(2, 12));
        typeLabel->setText(QStringLiteral("CEI"));
    } else {
        showAs(inscription, kMaskCpf, number.mid(3, 11));
        typeLabel->setText(QStringLiteral("CPF"));
    }
}

void ShowResponsibleCpf(QLineEdit* cpf) {
    const QString stored = value("CoCpfResponsavel");
    ui::SetDesignMask(cpf, QString());
    cpf->setText(stored);
    if (cpf->text().size() == 11) ui::SetDesignMask(cpf, kMaskCpf);
}

void CheckResponsibleInscription(QLineEdit* inscription, QLineEdit* typeLabel) {
    const QString typed = ui::EditValue(inscription).trimmed();
    const int n = int(typed.size());
    const QString type = value("InInscrResponsavel");
    QString number = PadLeftZeros(typed, 14);

    const QString code = CheckInscriptionOrCpf(number, n);
    gLastCode = code;
    auto refuseLength = [&](const QString& lengthCode) {
        typeLabel->clear();
        refuse(lengthCode, inscription);
    };
    if (code == QLatin1String("0049")) {
        // Valid as CNPJ and as CEI: the chosen type decides how it shows.
        if (n == 14) {
            field("CoCgcCeiResponsavel").SetAsString(number);
            if (type == QLatin1String("1")) {
                showAs(inscription, kMaskCnpj, typed);
                typeLabel->setText(QStringLiteral("CNPJ"));
            } else if (type == QLatin1String("3")) {
                showAs(inscription, kMaskCei, typed.mid(2, 12));
                typeLabel->setText(QStringLiteral("CEI"));
            }
        } else if (n == 12) {
            field("CoCgcCeiResponsavel").SetAsString(number);
            if (type == QLatin1String("1")) {
                showAs(inscription, kMaskCnpj, number);
                typeLabel->setText(QStringLiteral("CNPJ"));
            } else if (type == QLatin1String("3")) {
                showAs(inscription, kMaskCei, typed);
                typeLabel->setText(QStringLiteral("CEI"));
            }
        } else {
            // A length that is no CNPJ and no CEI would pass while nothing is
            // stored, and an older inscription would be posted: refuse it with
            // the length message of the chosen type.
            refuseLength(type == QLatin1String("1")   ? QStringLiteral("1003")
                         : type == QLatin1String("3") ? QStringLiteral("1004")
                                                      : QStringLiteral("3509"));
        }
    } else if (code == QLatin1String("0051")) {
        if (n != 14) refuseLength(QStringLiteral("1003"));
        typeLabel->setText(QStringLiteral("CNPJ"));
        field("CoCgcCeiResponsavel").SetAsString(number);
        showAs(inscription, kMaskCnpj, typed);
    } else if (code == QLatin1String("0052")) {
        if (n != 12) refuseLength(QStringLiteral("1004"));
        typeLabel->setText(QStringLiteral("CEI"));
        field("CoCgcCeiResponsavel").SetAsString(number);
        showAs(inscription, kMaskCei, typed);
    } else if (code == QLatin1String("0056")) {
        if (n != 11) refuseLength(QStringLiteral("3509"));
        typeLabel->setText(QStringLiteral("CPF"));
        field("CoCgcCeiResponsavel").SetAsString(number);
        showAs(inscription, kMaskCpf, typed);
    } else {
        typeLabel->clear();
        refuse(code, inscription);
    }

    if (n == 11) number = number.mid(3);
    const QString byType = CheckResponsibleInscriptionByType(number, type);
    gLastCode = byType;
    if (byType != kOk) {
        ShowMessageByCode(byType);
        focusInscriptionType(inscription);
        throw SilentAbort();
    }
}

void CheckResponsibleName(QLineEdit* name) {
    QString text = value("NoResponsavelArquivo");
    const QString code = CheckCompanyName(text, value("CoCgcCeiResponsavel"), value("InInscrResponsavel"));
    if (!passes(code)) refuse(code, name);
    field("NoResponsavelArquivo").SetAsString(text);
}

void CheckResponsibleStreet(QLineEdit* street) {
    QString text = value("EdLogradouroRespArquivo");
    const QString code = CheckStreet(text);
    if (!passes(code)) refuse(code, street);
    field("EdLogradouroRespArquivo").SetAsString(text);
}

void CheckResponsibleStreetNumber(QLineEdit* number) {
    gStreetNumber = value("NuLogradouroRespArquivo");
    const QString trimmed = gStreetNumber.trimmed();
    const QString code = CheckStreetNumber(PadLeftZeros(trimmed, 6));
    if (!passes(code)) refuse(code, number);
    // The number is kept without its leading zeros; Ok pads it again.
    const QString digits = StripLeadingZeros(trimmed);
    field("NuLogradouroRespArquivo")
        .SetAsString(trimmed.isEmpty() ? QString() : digits.isEmpty() ? QStringLiteral("0") : digits);
}

void CheckResponsibleComplement(QLineEdit* complement) {
    QString text = value("TxComplementoRespArquivo");
    const QString code = CheckComplement(text);
    if (!passes(code)) refuse(code, complement);
    field("TxComplementoRespArquivo").SetAsString(text);
    const QString both = CheckNumberOrComplement(PadLeftZeros(gStreetNumber.trimmed(), 6), text);
    if (!passes(both)) refuse(both, complement);
}

void CheckResponsibleDistrict(QLineEdit* district) {
    QString text = value("NoBairroRespArquivo");
    const QString code = CheckDistrict(text);
    if (!passes(code)) refuse(code, district);
    field("NoBairroRespArquivo").SetAsString(text);
}

void CheckResponsibleCep(QLineEdit* cep) {
    const QString code = CheckCep(value("CoCepRespArquivo"));
    if (!passes(code)) refuse(code, cep);
}

void CheckResponsibleMunicipalityCep(QLineEdit* cep, QLineEdit*, QLineEdit* municipality) {
    QString name, state, code, kind;
    CriticaZuvo->CheckMunicipalityCep(value("CoMunicipioRespArquivo"), name, state, value("CoCepRespArquivo"), code,
                                      kind);
    // The name and state are stored whatever the verdict.
    field("NoMunicipioRespArquivo").SetAsString(name);
    field("SgUfRespArquivo").SetAsString(state);
    gLastCode = code;
    if (kind == QLatin1String("0") || kind == QLatin1String("4")) return;
    refuse(code, kind == QLatin1String("1") ? municipality : cep);
}

void CheckResponsibleAreaCode(QLineEdit* ddd) {
    const QString code = CheckAreaCode(value("NuFoneDDD"));
    if (!passes(code)) refuse(code, ddd);
    if (!FocusOnAdvance()) WarnResponsibleAreaCodeForState();
}

void WarnResponsibleAreaCodeForState() {
    const QString code = CheckAreaCodeForState(value("NuFoneDDD"), value("CoMunicipioRespArquivo").left(2));
    gLastCode = code;
    if (code != kOk) ShowMessageByCode(code);
}

void CheckResponsiblePhone(QLineEdit* phone, QLineEdit* ddd) {
    const QString code = CheckPhoneNumber(value("NuFoneAssinante"));
    if (!passes(code)) refuse(code, phone);
    const QString both = CheckPhoneAndAreaCode(value("NuFoneDDD"), value("NuFoneAssinante"));
    if (!passes(both)) refuse(both == QLatin1String("3102") ? QStringLiteral("3101") : both, ddd);
}

void CheckResponsibleEmail(QLineEdit* email) {
    QString text = value("TxEMailRespArquivo");
    const QString code = CheckEmail(text);
    if (!passes(code)) refuse(code, email);
    field("TxEMailRespArquivo").SetAsString(text);
}

void CheckResponsibleDeclarantName(QLineEdit* declarantName) {
    QString text = value("NoResponsavelDeclaracao");
    const QString code = CheckDeclarantName(text);
    if (!passes(code)) refuse(code, declarantName);
    field("NoResponsavelDeclaracao").SetAsString(text);
}

void CheckResponsibleCpf(QLineEdit* cpf) {
    const QString typed = ui::EditValue(cpf).trimmed();
    const QString code = CheckDeclarantCpf(typed);
    if (!passes(code)) refuse(code, cpf);
    field("CoCpfResponsavel").SetAsString(typed);
    showAs(cpf, kMaskCpf, typed);
}

void CheckInscriptionAgainstCpf(QLineEdit* inscription, QLineEdit* cpf) {
    const QString code = CheckDeclarantCpfMatchesInscription(
        ui::EditValue(inscription).trimmed(), ui::EditValue(cpf).trimmed(), value("InInscrResponsavel"));
    if (!passes(code)) refuse(code, cpf);
}

void CheckResponsibleBirthDate(QLineEdit* birthDate) {
    const QString date = value("DaNascimentoRespArquivo");
    const QString code = CheckBirthDate(date);
    if (!passes(code)) refuse(code, birthDate);
    const QString age = CheckDeclarantAge(date);
    if (!passes(age)) refuse(age, birthDate);
}

void BindResponsibleExitChecks(ui::EntryFormController& kit, const ResponsibleEdits& e) {
    auto onExit = [&kit](QLineEdit* edit, bool ifFilled, std::function<void()> check) {
        kit.OnExit(edit, [edit, ifFilled, check] {
            if (ifFilled && ui::EditValue(edit).trimmed().isEmpty()) return;
            if (FocusNotOnCancel()) check();
        });
    };
    onExit(e.name, true, [e] { CheckResponsibleName(e.name); });
    onExit(e.street, true, [e] { CheckResponsibleStreet(e.street); });
    onExit(e.number, false, [e] { CheckResponsibleStreetNumber(e.number); });
    onExit(e.complement, true, [e] { CheckResponsibleComplement(e.complement); });
    onExit(e.district, false, [e] { CheckResponsibleDistrict(e.district); });
    onExit(e.cep, true, [e] { CheckResponsibleCep(e.cep); });
    onExit(e.ddd, false, [e] { CheckResponsibleAreaCode(e.ddd); });
    onExit(e.phone, false, [e] { CheckResponsiblePhone(e.phone, e.ddd); });
    onExit(e.cpf, true, [e] { CheckResponsibleCpf(e.cpf); });
    onExit(e.declarantName, true, [e] { CheckResponsibleDeclarantName(e.declarantName); });
    onExit(e.birthDate, true, [e] { CheckResponsibleBirthDate(e.birthDate); });
    onExit(e.email, false, [e] { CheckResponsibleEmail(e.email); });
}

void ShowResponsibleStreetNumberPlain() {
    db::Field& number = dmDadosResp->ta8Resp.FieldByName(QStringLiteral("NuLogradouroRespArquivo"));
    const QString stored = number.AsString().trimmed();
    if (stored.isEmpty() || !IsAllDigits(stored)) return;
    const QString digits = StripLeadingZeros(stored);
    number.SetAsString(digits.isEmpty() ? QStringLiteral("0") : digits);
}

void StoreResponsibleNumbers() {
    db::Table& t = dmDadosResp->ta8Resp;
    db::Field& number = t.FieldByName(QStringLiteral("NuLogradouroRespArquivo"));
    const QString n = number.AsString().trimmed();
    if (n.size() < 6) number.SetAsString(PadLeftZeros(n, 6));
    for (const char* name : {"NuFoneDDD", "NuFoneAssinante"}) {
        db::Field& f = t.FieldByName(QString::fromLatin1(name));
        f.SetAsString(f.AsString().trimmed());
    }
}
