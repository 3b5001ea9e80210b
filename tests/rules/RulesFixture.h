#pragma once
// A temporary data folder with the data modules, whose lookup tables hold
// only the few rows these tests put there, and builders of numbers with
// right check digits.

#include "rules/UgRegrasNegocio.h"
#include "shell/UdmLobrix.h"
#include "shell/ugDigitos.h"
#include "support/Builders.h"
#include "support/DataFolder.h"

#include <gtest/gtest.h>
#include <memory>
#include <ostream>

inline void PrintTo(const QString& s, std::ostream* os) { *os << '"' << s.toStdString() << '"'; }

#define EXPECT_CODE(expr, code) EXPECT_EQ((expr), QString::fromLatin1(code)) << #expr

// Numbers with their check digits computed.
inline QString Cnpj(const QString& twelve) {
    QString s = twelve;
    s += CnpjCheckDigit(s);
    s += CnpjCheckDigit(s);
    return s;
}
inline QString Cpf(const QString& nine) {
    QString s = nine;
    s += CpfCheckDigit(s);
    s += CpfCheckDigit(s);
    return s;
}
inline QString Pis(const QString& ten) { return ten + PisCheckDigit(ten); }
inline QString Cei(const QString& eleven) { return QStringLiteral("00") + eleven + CeiCheckDigit(eleven); }

class RulesTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        program_ = new TempProgramWithModules;
        Fill();
    }
    static void TearDownTestSuite() {
        delete program_;
        program_ = nullptr;
    }

    // Replaces a lookup table's rows by the given ones, through a writable
    // table of its own: the data module opens its lookups read-only.
    static void Rows(db::Table& table, const QList<QMap<QString, QString>>& rows) {
        db::Table writer(dmLobrix->dbZuvo, table.TableName());
        writer.Open();
        writer.EmptyTable();
        for (const auto& r : rows) AppendRow(writer, r);
        writer.Close();
        if (table.Active()) table.First();
    }

    static void Fill() {
        TdmLobrix& dm = *dmLobrix;
        Rows(dm.taMunicipio, {
            // ranges in tb8FXCEP
            {{"CoMunicipio", "3550308"}, {"NoMunicipio", "SAO PAULO"}, {"CoCep", ""}, {"InFaixa", "1"}},
            // its own postcode prefix
            {{"CoMunicipio", "3509502"}, {"NoMunicipio", "CAMPINAS"}, {"CoCep", "13000"}, {"InFaixa", "0"}},
            // neither postcode nor ranges
            {{"CoMunicipio", "3500105"}, {"NoMunicipio", "ADAMANTINA"}, {"CoCep", ""}, {"InFaixa", "0"}},
            {{"CoMunicipio", "1200401"}, {"NoMunicipio", "RIO BRANCO"}, {"CoCep", "69900"}, {"InFaixa", "0"}},
            // ranges announced but missing from tb8FXCEP
            {{"CoMunicipio", "3599998"}, {"NoMunicipio", "SEM FAIXA"}, {"CoCep", ""}, {"InFaixa", "1"}},
            // a name longer than the 30 characters of the address records
            {{"CoMunicipio", "3599997"}, {"NoMunicipio", "SAO SEBASTIAO DA BELA VISTA DO PARAISO"}, {"CoCep", ""},
             {"InFaixa", "0"}},
            {{"CoMunicipio", "3304557"}, {"NoMunicipio", "RIO DE JANEIRO"}, {"CoCep", "20000"}, {"InFaixa", "0"}},
        });
        Rows(dm.taFaixaCEP, {{{"CoMunicipio", "3550308"}, {"CoCep1Inicial", "01000"}, {"CoCep1Final", "05999"},
                              {"CoCep2Inicial", "08000"}, {"CoCep2Final", "08499"}}});
        Rows(dm.taUF, {{{"CoUf", "35"}, {"SgUf", "SP"}, {"NoUf", "SAO PAULO"}},
                       {{"CoUf", "12"}, {"SgUf", "AC"}, {"NoUf", "ACRE"}},
                       {{"CoUf", "33"}, {"SgUf", "RJ"}, {"NoUf", "RIO DE JANEIRO"}}});
        db::Table ufCep(dm.dbZuvo, QStringLiteral("TBUFCEP.DB"));
        ufCep.Open();
        Rows(ufCep, {{{"CoUf", "35"}, {"IdUf", "1"}, {"CoCepInicial", "01000"}, {"CoCepFinal", "19999"}},
                     {{"CoUf", "12"}, {"IdUf", "1"}, {"CoCepInicial", "69900"}, {"CoCepFinal", "69999"}},
                     {{"CoUf", "33"}, {"IdUf", "1"}, {"CoCepInicial", "20000"}, {"CoCepFinal", "26600"}},
                     {{"CoUf", "33"}, {"IdUf", "2"}, {"CoCepInicial", "27000"}, {"CoCepFinal", "28999"}}});
        ufCep.Close();

        Rows(dm.taCNAE, {{{"CoCnae", "8112500"}}, {{"CoCnae", "8411600"}}, {{"CoCnae", "4711301"}}});
        Rows(dm.taNatJu, {{{"CoNaturezaJuridica", "1031"}}, {{"CoNaturezaJuridica", "2062"}},
                          {{"CoNaturezaJuridica", "1015"}}});
        Rows(dm.taNacionalidade, {{{"CoNacionalidade", "10"}}, {{"CoNacionalidade", "20"}}, {{"CoNacionalidade", "30"}}});
        Rows(dm.taInstrucao, {{{"CoInstrucao", "01"}}, {{"CoInstrucao", "05"}}, {{"CoInstrucao", "09"}}});
        Rows(dm.taRaca, {{{"CoRaca", "1"}}, {{"CoRaca", "2"}}});
        Rows(dm.taDeficiente, {{{"CoTipoDeficiencia", "1"}}, {{"CoTipoDeficiencia", "3"}}});
        Rows(dm.tbPisInval, {{{"CoPisPasep", listedPis()}, {"NoEmpregado", "ANTONIO CARLOS PEREIRA"}},
                             {{"CoPisPasep", oneWordPis()}, {"NoEmpregado", "ANTONIO"}}});
        Rows(dm.taAdmissao, {{{"CoTipoAdmissao", "1"}}, {{"CoTipoAdmissao", "2"}}});
        Rows(dm.taCBO, {{{"CoCbo", "111105"}},
                        {{"CoCbo", "252105"}, {"InCriticaCbo", "1"}},
                        {{"CoCbo", "715210"}, {"InCriticaAna", "1"}},
                        {{"CoCbo", "411010"}}});
        Rows(dm.taTpVinc, {{{"CoVinculo", "10"}}, {{"CoVinculo", "15"}}, {{"CoVinculo", "30"}}, {{"CoVinculo", "55"}}});
        Rows(dm.taDesl, {{{"CoCausaDesligamento", "11"}}, {{"CoCausaDesligamento", "21"}},
                         {{"CoCausaDesligamento", "71"}}});
        Rows(dm.taSalario, {{{"CoTipoSalarioContratual", "1"}}, {{"CoTipoSalarioContratual", "5"}}});
        Rows(dm.tbEmpreg, {{{"CoCnpjEmpregador", employerUnion()}}});
        Rows(dm.tbTrab, {{{"CoCnpjTrabalhadores", workerUnion()}}});
    }

public:
    static QString listedPis() { return Pis("1201234567"); }
    static QString oneWordPis() { return Pis("1201234568"); }
    static QString employerUnion() { return Cnpj("112223330001"); }
    static QString workerUnion() { return Cnpj("445556660001"); }

private:
    static inline TempProgramWithModules* program_ = nullptr;
};
