#pragma once
// Numbers and code sets of the field rules, kept in one place so that the
// forms and the whole-declaration check use the very same values.

#include "shell/ugDigitos.h"

#include <array>
#include <string_view>

namespace ugConstantes {

// ---------------------------------------------------------------- years

// The base year of this version's data; a build constant, like the main
// window's AnoBase. The following year is kAnoBase + 1.
inline constexpr int kAnoBase = 2009;

// ---------------------------------------------------------------- money

// Minimum wage of the base year in cents: January (month 0 or 1), then from
// February on (the same numbers the minimum-wage tests use).
inline constexpr long long kSalarioMinimoJaneiro = kMinimumWageJanuary;     // 41500
inline constexpr long long kSalarioMinimo = kMinimumWageFromFebruary;       // 46500
// Pay of this many minimum wages or more is refused as a typing error.
inline constexpr long long kTetoSalariosMinimos = 150;
// Pay ceilings by schooling in private bodies: up to schooling 07 ten
// minimum wages, from 08 to 11 twenty.
inline constexpr long long kTetoEscolaridadeBasica = 10;
inline constexpr long long kTetoEscolaridadeSuperior = 20;

// Legal natures (public bodies) whose pay may lie below the minimum wage.
inline constexpr std::array<std::string_view, 6> kNaturezasAbaixoMinimo{"1015", "1040", "1074",
                                                                        "1104", "1139", "1163"};
// Legal natures exempt from the pay-for-schooling ceiling.
inline constexpr std::array<std::string_view, 2> kNaturezasSemTetoEscolaridade{"2011", "2038"};
// The legal nature that a town hall ("PREFEITURA") must declare.
inline constexpr std::string_view kNaturezaPrefeitura = "1031";
// The activity that a condominium or building must declare.
inline constexpr std::string_view kCnaeCondominio = "8112500";

// ---------------------------------------------------------------- contract types

// Contract types to which the salary rules do not apply.
inline constexpr std::array<int, 6> kVinculosIsentosSalario{30, 31, 35, 95, 96, 97};
// Contract types of the public administration.
inline constexpr std::array<int, 5> kVinculosAdministracaoPublica{30, 31, 35, 96, 97};
// Contract types an establishment may use by its inscription type.
inline constexpr std::array<int, 15> kVinculosCnpj{10, 20, 30, 31, 35, 40, 50, 55, 60, 70, 80, 90, 95, 96, 97};
inline constexpr std::array<int, 5> kVinculosCei{15, 25, 55, 65, 75};
// Contract types that must carry a contract salary.
inline constexpr std::array<int, 13> kVinculosComSalario{10, 15, 20, 25, 40, 50, 55, 60, 65, 70, 75, 80, 90};
// Contract types that need the employee's CPF while the contract runs.
inline constexpr std::array<int, 14> kVinculosExigemCpf{10, 15, 30, 31, 35, 40, 50, 60, 65, 80, 90, 95, 96, 97};
// Apprentice contract.
inline constexpr int kVinculoAprendiz = 55;
// PIS/PASEP series (first three digits) reserved to contract types 35 and 80.
inline constexpr std::array<int, 4> kPisSeriesAvulsas{167, 168, 267, 268};
inline constexpr int kPisSerieAvulsaInicio = 109;
inline constexpr int kPisSerieAvulsaFim = 119;
inline constexpr std::array<int, 2> kVinculosPisAvulso{35, 80};

// ---------------------------------------------------------------- dismissal and leave

// Causes that end a contract without a dismissal date (transfer, change of
// regime, etc.).
inline constexpr std::array<int, 3> kCausasSemData{71, 78, 80};
// Causes with which notice pay may be declared.
inline constexpr std::array<int, 2> kCausasComAvisoPrevio{11, 21};
// Causes (transfer, retirement, death...) after which a year without pay is normal.
inline constexpr std::array<int, 10> kCausasSemRemuneracao{30, 31, 60, 70, 72, 73, 74, 75, 76, 79};
// Causes that need no termination payments.
inline constexpr std::array<int, 4> kCausasSemVerbasRescisorias{0, 71, 78, 80};
// Leave reasons.
inline constexpr std::array<int, 7> kMotivosAfastamento{10, 20, 30, 40, 50, 60, 70};

// ---------------------------------------------------------------- occupations

// Occupations (elected offices) refused on a contract.
inline constexpr std::array<std::string_view, 8> kCbosCargosEletivos{"111105", "111110", "111230", "111235",
                                                                    "111240", "111245", "111250", "111255"};
// Occupations that are no longer accepted.
inline constexpr std::array<std::string_view, 9> kCbosNaoAceitos{"514210", "514220", "516135", "991405", "991410",
                                                                "991415", "223615", "223620", "842305"};
// Schooling levels that an occupation requiring higher education accepts.
inline constexpr std::array<std::string_view, 3> kInstrucaoSuperior{"09", "10", "11"};
// Schooling of an illiterate worker.
inline constexpr std::string_view kInstrucaoAnalfabeto = "01";

// ---------------------------------------------------------------- inscriptions

// Head offices of the two public banks: never the receiver of a contribution.
inline constexpr std::array<std::string_view, 2> kCnpjsBancos{"00000000000191", "00360305000104"};

// The one CNPJ that the union tax accepts although it is no head office: it
// stands for "exempt from the union tax". Chosen as fourteen nines, a
// sentinel that no real entity holds (its check digits are not those of a
// CNPJ), so it can never take the place of a real union's inscription.
inline constexpr std::string_view kCnpjIsentoSindical = "99999999999999";

// A CNPJ root whose establishments must be named with the given start.
struct RaizReservada {
    std::string_view raiz;   // characters 1-8 of the CNPJ
    std::string_view inicio; // required start of the name, upper case
};
// Tested in this order; the first matching root decides. The list has no
// second entry after the first bank: no further root is known to need one,
// and a made-up root could refuse a real company's name. A root added later
// is tested like every other row.
inline constexpr auto kRaizesReservadas = std::to_array<RaizReservada>({
    {"00000000", "BANCO DO BRASIL"}, {"00360305", "CAIXA ECONOMICA"}, {"61411633", "BANCO DO ESTADO"},
    {"60746948", "BANCO BRADESCO"},  {"46195079", "JAU PREFEITURA"},  {"18715607", "SECRETARIA ESTA"},
    {"00177555", "POPFERRO COMERC"}, {"01103165", "LUXOR ENGENHARI"}, {"01612651", "PREFEITURA DE G"},
    {"02516579", "ASSOCIACAO COMU"}, {"13104740", "PREFEITURA MUNI"}, {"14217327", "PREFEITURA MUNI"},
    {"18363937", "PREFEITURA MUNI"}, {"88824099", "PREFEITURA MUNI"}, {"00179531", "PREFEITURA MUNI"},
    {"00936368", "CPM DA ESCOLA M"}, {"01613123", "PREFEITURA MUNI"}, {"01616520", "PREFEITURA MUNI"},
    {"01783705", "PREFEITURA MUNI"}, {"07063589", "PREFEITURA MUNI"}, {"07540180", "PREFEITURA MUNI"},
    {"08742264", "PREFEITURA MUNI"}, {"12200317", "PREFEITURA MUNI"}, {"13110218", "PREFEITURA MUNI"},
    {"13348479", "PREFEITURA MUNI"}, {"13751102", "PREFEITURA MUNI"}, {"13786520", "PREFEITURA MUNI"},
    {"13908702", "PREFEITURA MUNI"}, {"14197586", "PREFEITURA MUNI"}, {"14235899", "PREFEITURA MUNI"},
    {"17914128", "PREFEITURA MUNI"}, {"18295329", "PREFEITURA MUNI"}, {"18312108", "PREFEITURA MUNI"},
    {"18400945", "PREFEITURA MUNI"}, {"20905865", "PREFEITURA MUNI"}, {"23456650", "PREFEITURA MUNI"},
    {"23555196", "PREFEITURA MUNI"}, {"87612974", "PREFEITURA MUNI"}, {"55356653", "PREFEITURA MUNI"},
});

// ---------------------------------------------------------------- PIS/PASEP

// Numbers with right check digits that were never issued to a worker.
inline constexpr std::array<std::string_view, 17> kPisRecusados{
    "11111111116", "10000000024", "10000000032", "10000000040", "10000000059", "10000000067",
    "10000000075", "10000000091", "10000000105", "10000000121", "10000000148", "10000000156",
    "10000000164", "10000000172", "10000000199", "10000000016", "10000000202"};

// PIS/PASEP numbers that only one named person may use. Chosen as the two
// well-known sample numbers of the PIS/PASEP check, which no real worker can
// hold (the check-digit test refuses them), bound to the sample names of the
// program's examples; so the rule can never refuse a real employee's name.
struct PisNominal {
    std::string_view pis;
    std::string_view nome;
};
inline constexpr auto kPisNominais = std::to_array<PisNominal>({
    {"12345678900", "JOSE DA SILVA EXEMPLO"},
    {"10987654321", "MARIA DA SILVA EXEMPLO"},
});

// ---------------------------------------------------------------- postcodes and area codes

// Postcode prefixes (5 digits) accepted for any municipality of a state
// although they fall outside the municipality's own postcode: single prefixes
// and inclusive ranges.
struct CepExcecao {
    int uf;
    int inicio;  // first accepted prefix
    int fim;     // last accepted prefix (= inicio for a single prefix)
};
inline constexpr auto kCepExcecoes = std::to_array<CepExcecao>({
    {11, 78939, 78939},
    {17, 77714, 77714}, {17, 77785, 77785},
    {21, 65368, 65368},
    {22, 64180, 64180}, {22, 64764, 64764},
    {23, 62230, 62230}, {23, 62790, 62790}, {23, 62980, 62980}, {23, 63165, 63165},
    {24, 59182, 59182}, {24, 59245, 59245}, {24, 59260, 59260}, {24, 59270, 59270},
    {24, 59290, 59290}, {24, 59440, 59440}, {24, 59680, 59680}, {24, 59950, 59950},
    {25, 58124, 58978},
    {26, 53400, 56870},
    {27, 57150, 57150}, {27, 57180, 57180}, {27, 57420, 57420}, {27, 57490, 57490},
    {27, 57525, 57525}, {27, 57630, 57630}, {27, 57700, 57700},
    {28, 49130, 49130}, {28, 49500, 49500}, {28, 49580, 49580}, {28, 49670, 49670},
    {28, 49700, 49700}, {28, 49945, 49945}, {28, 49970, 49970},
    {29, 44270, 48895},
    {31, 33000, 39848},
    {32, 29135, 29135}, {32, 29350, 29350}, {32, 29845, 29845},
    {33, 25880, 25880}, {33, 27600, 27600}, {33, 28380, 28380}, {33, 28500, 28500}, {33, 28660, 28660},
    {35, 11300, 19300}, {35, 9000, 9000},
    {41, 84950, 87840},
    {42, 88180, 89998},
    {43, 94800, 99950},
    {50, 79000, 79980},
    {51, 78110, 78795},
    {52, 73860, 76530},
    {53, 70640, 73499},
});

// Telephone area codes (DDD) of each state: inclusive ranges.
struct DddEstado {
    int uf;
    int inicio;
    int fim;
};
inline constexpr auto kDddsPorEstado = std::to_array<DddEstado>({
    {11, 69, 69},
    {12, 68, 68},
    {13, 92, 92}, {13, 97, 97},
    {14, 95, 95},
    {15, 91, 91}, {15, 93, 94},
    {16, 96, 96},
    {17, 63, 63},
    {21, 98, 99},
    {22, 86, 86}, {22, 89, 89},
    {23, 85, 85}, {23, 88, 88},
    {24, 84, 84},
    {25, 83, 83},
    {26, 81, 81}, {26, 87, 87},
    {27, 82, 82},
    {28, 79, 79},
    {29, 71, 71}, {29, 73, 75}, {29, 77, 77},
    {31, 31, 35}, {31, 37, 38},
    {32, 27, 28},
    {33, 21, 22}, {33, 24, 24},
    {35, 11, 19},
    {41, 41, 46},
    {42, 47, 49},
    {43, 51, 51}, {43, 53, 55},
    {50, 67, 67},
    {51, 65, 66},
    {52, 61, 62}, {52, 64, 64},
    {53, 61, 61},
});

// ---------------------------------------------------------------- contribution kinds

inline constexpr std::string_view kContribSindical = "sindical";
inline constexpr std::string_view kContribSindicalEstab = "sindicalestab";
inline constexpr std::string_view kContribAssociativa = "associativa";
inline constexpr std::string_view kContribAssistencial = "assistencial";
inline constexpr std::string_view kContribConfederativa = "confederativa";

// ---------------------------------------------------------------- helpers

template <class Array, class T>
constexpr bool Contains(const Array& set, const T& value) {
    for (const auto& v : set)
        if (v == value) return true;
    return false;
}

}  // namespace ugConstantes
