#pragma once
// The contract row as the contract checks read it: the whole row's bytes in
// one call per contract, through field positions taken once per run.

#include "rules/ugCriticaRegistros.h"

#include <array>
#include <bitset>
#include <vector>

namespace critica {

#define LOBRIX_CONTRACT_FIELDS(X)                                                                                \
    X(CoPisPasepEmpregado) X(DaAdmissaoEmpregado) X(NoEmpregado) X(NuSequencialRegistro) X(DaDesligamentoEmpregado) \
    X(CoCbo) X(DaNascimentoEmpregado) X(CoNacionalidade) X(AnChegadaEmpregado) X(CoInstrucao)                      \
    X(NuCartTrabEmpregado) X(SeCartTrabEmpregado) X(CoCpfEmpregado) X(CoTipoAdmissao) X(VaSalContratualEmpregado)  \
    X(CoTipoSalarioContratual) X(HoSemanaisEmpregado) X(CoVinculo) X(CoCausaDesligamento)                          \
    X(VaJaneiroEmpregado) X(VaFevereiroEmpregado) X(VaMarcoEmpregado) X(VaAbrilEmpregado) X(VaMaioEmpregado)       \
    X(VaJunhoEmpregado) X(VaJulhoEmpregado) X(VaAgostoEmpregado) X(VaSetembroEmpregado) X(VaOutubroEmpregado)      \
    X(VaNovembroEmpregado) X(VaDezembroEmpregado) X(Me13AdiantamentoEmpregado) X(Va13AdiantamentoEmpregado)        \
    X(Me13ParcelaFinalEmpregado) X(Va13ParcelaFinalEmpregado) X(TxUsoEmpregado) X(CoTipoRaca)                      \
    X(InDeficienteFisico) X(CoDeficienteFisico) X(VaAvisoPrevioEmpregado) X(InAlvaraEmpregado) X(InSexo)           \
    X(CoMotivoPrimAfas) X(DaInicioprimeiroAfas) X(DaFinalPrimeiroAfas) X(CoMotivoSeguAfas) X(DaInicioSegundoAfas)  \
    X(DaFinalSegundoAfas) X(CoMotivoTercAfas) X(DaInicioTerceiroAfas) X(DaFinalTerceiroAfas) X(QtDiasAfas)         \
    X(CoCNPJSindical) X(VaGlobalSindical) X(CoCNPJPrimAssociativa) X(VaGlobalPrimAssociativa)                      \
    X(CoCNPJSegAssociativa) X(VaGlobalSegAssociativa) X(CoCNPJAssistencial) X(VaGlobalAssistencial)                \
    X(CoCNPJConfederativa) X(VaGlobalConfederativa) X(VaGlobalFerias) X(VaGlobalMultas) X(VaGlobalBcoHoras)        \
    X(QtCompBcoHoras) X(VaGlobalDissidio) X(QtCompDissidio) X(VaGlobalGratificacoes) X(QtCompGratificacoes)       \
    X(CoMunicipioTrabalho) X(HoTrabalhadasJaneiro) X(HoTrabalhadasFevereiro) X(HoTrabalhadasMarco)                 \
    X(HoTrabalhadasAbril) X(HoTrabalhadasMaio) X(HoTrabalhadasJunho) X(HoTrabalhadasJulho) X(HoTrabalhadasAgosto)  \
    X(HoTrabalhadasSetembro) X(HoTrabalhadasOutubro) X(HoTrabalhadasNovembro) X(HoTrabalhadasDezembro)             \
    X(InSindicalizadoVinculo)

enum class C : int {
#define LOBRIX_ENUM(name) name,
    LOBRIX_CONTRACT_FIELDS(LOBRIX_ENUM)
#undef LOBRIX_ENUM
        Count
};

// The contract row as the contract checks read it: each field's bytes as the
// store holds them, and its text made only when a rule asks for it, into a
// text kept from contract to contract, so that no text is allocated for a
// field while no rule holds on to the one made before.
class ContractRow {
public:
    static constexpr std::size_t kCount = std::size_t(C::Count);

    // Takes the current row of the run's contract table; its bytes stay valid
    // until the table moves on.
    void Read(ValidationRun& run);

    const QString& operator[](C field) const { return Text(std::size_t(field)); }
    // The field's bytes as stored, for a step that can tell from them alone
    // that none of its rules has anything to find.
    QByteArrayView Bytes(C field) const { return bytes_[std::size_t(field)]; }
    QByteArrayView HoursBytes(int m) const { return bytes_[std::size_t(C::HoTrabalhadasJaneiro) + m - 1]; }
    QByteArrayView PayBytes(int m) const { return bytes_[std::size_t(C::VaJaneiroEmpregado) + m - 1]; }
    // The month's pay and hours, m from 1 to 12.
    const QString& Pay(int m) const { return Text(std::size_t(C::VaJaneiroEmpregado) + m - 1); }
    const QString& Hours(int m) const { return Text(std::size_t(C::HoTrabalhadasJaneiro) + m - 1); }

private:
    const QString& Text(std::size_t i) const {
        if (!made_[i]) Make(i);
        return null_[i] ? kNull : texts_[i];
    }
    void Make(std::size_t i) const;

    static inline const QString kNull;
    std::vector<int> indexes_;  // of the fields in the contract table
    std::array<QByteArrayView, kCount> bytes_;
    mutable std::array<QString, kCount> texts_;
    mutable std::bitset<kCount> made_, null_;
};

// The contract fields the run reads: those above, the key and what the
// findings copy.
QList<db::FieldDef> ContractFieldsRead();

}  // namespace critica
