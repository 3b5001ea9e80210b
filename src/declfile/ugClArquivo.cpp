#include "declfile/ugClArquivo.h"

#include "declfile/Windows1252.h"
#include "platform/db/DataSet.h"
#include "platform/db/Table.h"
#include "platform/db/DbError.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cstring>

namespace declfile {

namespace {

using I = Item;
constexpr const char* kZ14 = "00000000000000";

constexpr LayoutItem kType0[] = {
    {1, 6, I::Sequence, nullptr, nullptr},
    {7, 16, I::Key, nullptr, nullptr},
    {23, 1, I::RecordType, nullptr, nullptr},
    {24, 1, I::Literal, nullptr, "1"},
    {25, 14, I::TableText, "CoCgcCeiResponsavel", nullptr},
    {39, 1, I::TableText, "InInscrResponsavel", nullptr},
    {40, 40, I::TableText, "NoResponsavelArquivo", nullptr},
    {80, 40, I::TableText, "EdLogradouroRespArquivo", nullptr},
    {120, 6, I::TableText, "NuLogradouroRespArquivo", nullptr},
    {126, 21, I::TableText, "TxComplementoRespArquivo", nullptr},
    {147, 19, I::TableText, "NoBairroRespArquivo", nullptr},
    {166, 8, I::TableText, "CoCepRespArquivo", nullptr},
    {174, 7, I::TableText, "CoMunicipioRespArquivo", nullptr},
    {181, 30, I::TableText, "NoMunicipioRespArquivo", nullptr},
    {211, 2, I::TableText, "SgUfRespArquivo", nullptr},
    {213, 2, I::TableText, "NuFoneDDD", nullptr},
    {215, 8, I::TableText, "NuFoneAssinante", nullptr},
    {223, 1, I::AmendmentFlag, nullptr, nullptr},
    {224, 8, I::AmendmentDate, "DaRetificacao", nullptr},
    {232, 8, I::GenerationDate, "DaGeracao", nullptr},
    {240, 45, I::TableText, "TxEMailRespArquivo", nullptr},
    {285, 52, I::TableText, "NoResponsavelDeclaracao", nullptr},
    {337, 20, I::Blanks, nullptr, nullptr},
    {357, 4, I::Literal, nullptr, "0550"},
    {361, 11, I::TableText, "CoCpfResponsavel", nullptr},
    {372, 12, I::Crea, nullptr, nullptr},
    {384, 8, I::TableText, "DaNascimentoRespArquivo", nullptr},
    {392, 5, I::Version, nullptr, nullptr},
    {397, 2, I::Mark, nullptr, nullptr},
    {399, 152, I::Blanks, nullptr, nullptr},
};

constexpr LayoutItem kType1[] = {
    {1, 6, I::Sequence, nullptr, nullptr},
    {7, 16, I::Key, nullptr, nullptr},
    {23, 1, I::RecordType, nullptr, nullptr},
    {24, 52, I::TableText, "NoRazaoEstabelecimento", nullptr},
    {76, 40, I::TableText, "EdEstabelecimento", nullptr},
    {116, 6, I::TableText, "NuEnderecoEstabelecimento", nullptr},
    {122, 21, I::TableText, "TxComplemEstabelecimento", nullptr},
    {143, 19, I::TableText, "NoBairroEstabelecimento", nullptr},
    {162, 8, I::TableText, "CoCepEstabelecimento", nullptr},
    {170, 7, I::TableText, "CoMunicipio", nullptr},
    {177, 30, I::TableText, "NoMunicEstabelecimento", nullptr},
    {207, 2, I::TableText, "SgUf", nullptr},
    {209, 2, I::TableText, "NuDDD", nullptr},
    {211, 8, I::TableText, "NuTelefone", nullptr},
    {219, 45, I::TableText, "TxEmailEstabelecimento", nullptr},
    {264, 7, I::TableText, "CoCnae2", nullptr},
    {271, 4, I::TableText, "CoNaturezaJuridica", nullptr},
    {275, 2, I::TableText, "NuProprietEstabelecimento", nullptr},
    {277, 2, I::TableText, "MeDataBase", nullptr},
    {279, 1, I::TableText, "InInscrEstabelecimento", nullptr},
    {280, 1, I::TableText, "InZuvoNegEstabelecimento", nullptr},
    {281, 14, I::TableText, "CoCgcVinculado", nullptr},
    {295, 4, I::BaseYear, nullptr, nullptr},
    {299, 1, I::TableText, "InPorte", nullptr},
    {300, 1, I::TableText, "InOptanteSimples", nullptr},
    {301, 1, I::TableText, "InParticipaPAT", nullptr},
    {302, 6, I::TableText, "NuVinculoPatMenor5", "000000"},
    {308, 6, I::TableText, "NuVinculoPatMaior5", "000000"},
    {314, 3, I::TableText, "PoServicoProprio", "000"},
    {317, 3, I::TableText, "PoAdmCozinha", "000"},
    {320, 3, I::TableText, "PoRefeicaoConvenio", "000"},
    {323, 3, I::TableText, "PoRefeicaoTransportadora", "000"},
    {326, 3, I::TableText, "PoCestaAlimento", "000"},
    {329, 3, I::TableText, "PoAlimentacaoConvenio", "000"},
    {332, 1, I::ClosureFlag, "InEncerramentoAtividade", nullptr},
    {333, 8, I::TableText, "DaEncerramentoAtividade", "00000000"},
    {341, 14, I::TableText, "CoCNPJAssociativa", kZ14},
    {355, 9, I::TableText, "VaGlobalAssociativa", "000000000"},
    {364, 14, I::TableText, "CoCNPJSindical", kZ14},
    {378, 9, I::TableText, "VaGlobalSindical", "000000000"},
    {387, 14, I::TableText, "CoCNPJAssistencial", kZ14},
    {401, 9, I::TableText, "VaGlobalAssistencial", "000000000"},
    {410, 14, I::TableText, "CoCNPJConfederativa", kZ14},
    {424, 9, I::TableText, "VaGlobalConfederativa", "000000000"},
    {433, 1, I::TableText, "InAtividadeAnoBase", nullptr},
    {434, 1, I::TableText, "InCentralizada", "2"},
    {435, 14, I::TableText, "CoCNPJCentralizada", kZ14},
    {449, 1, I::TableText, "InSindicalizada", "2"},
    {450, 89, I::Blanks, nullptr, nullptr},
    {539, 12, I::TableText, "TxUsoEstabelecimento", nullptr},
};

constexpr LayoutItem kType2[] = {
    {1, 6, I::Sequence, nullptr, nullptr},
    {7, 16, I::Key, nullptr, nullptr},
    {23, 1, I::RecordType, nullptr, nullptr},
    {24, 11, I::TableText, "CoPisPasepEmpregado", nullptr},
    {35, 52, I::TableText, "NoEmpregado", nullptr},
    {87, 8, I::TableText, "DaNascimentoEmpregado", nullptr},
    {95, 2, I::TableText, "CoNacionalidade", nullptr},
    {97, 4, I::TableText, "AnChegadaEmpregado", nullptr},
    {101, 2, I::TableText, "CoInstrucao", nullptr},
    {103, 11, I::TableText, "CoCpfEmpregado", nullptr},
    {114, 8, I::TableText, "NuCartTrabEmpregado", nullptr},
    {122, 5, I::TableText, "SeCartTrabEmpregado", "00000"},
    {127, 8, I::TableText, "DaAdmissaoEmpregado", nullptr},
    {135, 1, I::TableText, "CoTipoAdmissao", nullptr},
    {136, 9, I::TableText, "VaSalContratualEmpregado", nullptr},
    {145, 1, I::TableText, "CoTipoSalarioContratual", nullptr},
    {146, 2, I::TableText, "HoSemanaisEmpregado", nullptr},
    {148, 6, I::TableText, "CoCbo", nullptr},
    {154, 2, I::TableText, "CoVinculo", nullptr},
    {156, 2, I::TableText, "CoCausaDesligamento", nullptr},
    {158, 4, I::TableText, "DaDesligamentoEmpregado", nullptr},
    {162, 9, I::TableText, "VaJaneiroEmpregado", nullptr},
    {171, 9, I::TableText, "VaFevereiroEmpregado", nullptr},
    {180, 9, I::TableText, "VaMarcoEmpregado", nullptr},
    {189, 9, I::TableText, "VaAbrilEmpregado", nullptr},
    {198, 9, I::TableText, "VaMaioEmpregado", nullptr},
    {207, 9, I::TableText, "VaJunhoEmpregado", nullptr},
    {216, 9, I::TableText, "VaJulhoEmpregado", nullptr},
    {225, 9, I::TableText, "VaAgostoEmpregado", nullptr},
    {234, 9, I::TableText, "VaSetembroEmpregado", nullptr},
    {243, 9, I::TableText, "VaOutubroEmpregado", nullptr},
    {252, 9, I::TableText, "VaNovembroEmpregado", nullptr},
    {261, 9, I::TableText, "VaDezembroEmpregado", nullptr},
    {270, 9, I::TableText, "Va13AdiantamentoEmpregado", nullptr},
    {279, 2, I::TableText, "Me13AdiantamentoEmpregado", nullptr},
    {281, 9, I::TableText, "Va13ParcelaFinalEmpregado", nullptr},
    {290, 2, I::TableText, "Me13ParcelaFinalEmpregado", nullptr},
    {292, 1, I::TableText, "CoTipoRaca", "9"},
    {293, 1, I::TableText, "InDeficienteFisico", nullptr},
    {294, 1, I::TableText, "CoDeficienteFisico", "0"},
    {295, 1, I::TableText, "InAlvaraEmpregado", nullptr},
    {296, 9, I::TableText, "VaAvisoPrevioEmpregado", nullptr},
    {305, 1, I::TableText, "InSexo", nullptr},
    {306, 2, I::TableText, "CoMotivoPrimAfas", nullptr},
    {308, 4, I::TableText, "DaInicioprimeiroAfas", nullptr},
    {312, 4, I::TableText, "DaFinalPrimeiroAfas", nullptr},
    {316, 2, I::TableText, "CoMotivoSeguAfas", nullptr},
    {318, 4, I::TableText, "DaInicioSegundoAfas", nullptr},
    {322, 4, I::TableText, "DaFinalSegundoAfas", nullptr},
    {326, 2, I::TableText, "CoMotivoTercAfas", nullptr},
    {328, 4, I::TableText, "DaInicioTerceiroAfas", nullptr},
    {332, 4, I::TableText, "DaFinalTerceiroAfas", nullptr},
    {336, 3, I::TableText, "QtDiasAfas", nullptr},
    {339, 8, I::TableText, "VaGlobalFerias", nullptr},
    {347, 8, I::TableText, "VaGlobalBcoHoras", nullptr},
    {355, 2, I::TableText, "QtCompBcoHoras", nullptr},
    {357, 8, I::TableText, "VaGlobalDissidio", nullptr},
    {365, 2, I::TableText, "QtCompDissidio", nullptr},
    {367, 8, I::TableText, "VaGlobalGratificacoes", nullptr},
    {375, 2, I::TableText, "QtCompGratificacoes", nullptr},
    {377, 8, I::TableText, "VaGlobalMultas", nullptr},
    {385, 14, I::TableText, "CoCNPJPrimAssociativa", kZ14},
    {399, 8, I::TableText, "VaGlobalPrimAssociativa", nullptr},
    {407, 14, I::TableText, "CoCNPJSegAssociativa", kZ14},
    {421, 8, I::TableText, "VaGlobalSegAssociativa", "00000000"},
    {429, 14, I::TableText, "CoCNPJSindical", kZ14},
    {443, 8, I::TableText, "VaGlobalSindical", nullptr},
    {451, 14, I::TableText, "CoCNPJAssistencial", kZ14},
    {465, 8, I::TableText, "VaGlobalAssistencial", nullptr},
    {473, 14, I::TableText, "CoCNPJConfederativa", kZ14},
    {487, 8, I::TableText, "VaGlobalConfederativa", nullptr},
    {495, 7, I::TableText, "CoMunicipioTrabalho", "0000000"},
    {502, 3, I::TableText, "HoTrabalhadasJaneiro", "000"},
    {505, 3, I::TableText, "HoTrabalhadasFevereiro", "000"},
    {508, 3, I::TableText, "HoTrabalhadasMarco", "000"},
    {511, 3, I::TableText, "HoTrabalhadasAbril", "000"},
    {514, 3, I::TableText, "HoTrabalhadasMaio", "000"},
    {517, 3, I::TableText, "HoTrabalhadasJunho", "000"},
    {520, 3, I::TableText, "HoTrabalhadasJulho", "000"},
    {523, 3, I::TableText, "HoTrabalhadasAgosto", "000"},
    {526, 3, I::TableText, "HoTrabalhadasSetembro", "000"},
    {529, 3, I::TableText, "HoTrabalhadasOutubro", "000"},
    {532, 3, I::TableText, "HoTrabalhadasNovembro", "000"},
    {535, 3, I::TableText, "HoTrabalhadasDezembro", "000"},
    {538, 1, I::TableText, "InSindicalizadoVinculo", nullptr},
    {539, 12, I::TableText, "TxUsoEmpregado", nullptr},
};

constexpr LayoutItem kType9[] = {
    {1, 6, I::Sequence, nullptr, nullptr},
    {7, 16, I::Key, nullptr, nullptr},
    {23, 1, I::RecordType, nullptr, nullptr},
    {24, 6, I::Count1, nullptr, nullptr},
    {30, 6, I::Count2, nullptr, nullptr},
    {36, 1, I::OsCode, nullptr, nullptr},
    {37, 1, I::SourceFlag, nullptr, nullptr},
    {38, 22, I::TableText, "NuRespostaPesquisa", nullptr},
    {60, 459, I::Blanks, nullptr, nullptr},
    {519, 32, I::Digest, nullptr, nullptr},
};

// ---- descriptor tables ----------------------------------------------------

constexpr DescriptorRow kDesc0[] = {
    {1, 1, 6, "Sequencial", nullptr},
    {2, 7, 20, "CGC/CEI/CNPJ", "CoCgcCeiEstabelecimento"},
    {3, 21, 22, "Prefixo", "NuPrefixoEstabelecimento"},
    {4, 23, 23, "Tipo", nullptr},
    {5, 24, 24, "InReciboDefinitivo", nullptr},
    {6, 25, 38, "CGC/CEI/CNPJResp", "CoCgcCeiResponsavel"},
    {7, 39, 39, "TipoInscricao", "InInscrResponsavel"},
    {8, 40, 79, "Nome/Firma/Razão Social", "NoResponsavelArquivo"},
    {9, 80, 119, "Endereco do Responsavel", "EdLogradouroRespArquivo"},
    {10, 120, 125, "Numero", "NuLogradouroRespArquivo"},
    {11, 126, 146, "Complemento", "TxComplementoRespArquivo"},
    {12, 147, 165, "Bairro", "NoBairroRespArquivo"},
    {13, 166, 173, "CEP", "CoCepRespArquivo"},
    {14, 174, 180, "Codigo do Municipio", "CoMunicipioRespArquivo"},
    {15, 181, 210, "Nome do Municipio", "NoMunicipioRespArquivo"},
    {16, 211, 212, "UF", "SgUfRespArquivo"},
    {17, 213, 214, "DDDTelefone", "NuFoneDDD"},
    {18, 215, 222, "NuTelefone", "NuFoneAssinante"},
    {19, 223, 223, "Indicador de Retificação", nullptr},
    {20, 224, 231, "Data de Retificação", "DaRetificacao"},
    {21, 232, 239, "Data de geracao do arquivo", "DaGeracao"},
    {22, 240, 284, "e-mail do responsavel", "TxEMailRespArquivo"},
    {23, 285, 336, "Nome do responsavel", "NoResponsavelDeclaracao"},
    {24, 361, 371, "CPF do responsavel", "CoCpfResponsavel"},
    {25, 372, 383, "Retifica o CREA", nullptr},
    {26, 384, 391, "Data de Nascimento do Responsavel", "DaNascimentoRespArquivo"},
};

constexpr DescriptorRow kDesc1[] = {
    {1, 1, 6, "Sequencial", nullptr},
    {2, 7, 20, "CNPJ/CEI", "CoCgcCeiEstabelecimento"},
    {3, 21, 22, "Prefixo", "NuPrefixoEstabelecimento"},
    {4, 23, 23, "Tipo", nullptr},
    {5, 24, 75, "Nome/Firma/Razão Social", "NoRazaoEstabelecimento"},
    {6, 76, 115, "Endereco", "EdEstabelecimento"},
    {7, 116, 121, "Numero", "NuEnderecoEstabelecimento"},
    {8, 122, 142, "Complemento", "TxComplemEstabelecimento"},
    {9, 143, 161, "Bairro", "NoBairroEstabelecimento"},
    {10, 162, 169, "CEP", "CoCepEstabelecimento"},
    {11, 170, 176, "Código do Município", "CoMunicipio"},
    {12, 177, 206, "Nome do Municipio", "NoMunicEstabelecimento"},
    {13, 207, 208, "Sigla da UF", "SgUf"},
    {14, 209, 210, "DDD do Telefone", "NuDDD"},
    {15, 211, 218, "Número do Telefone", "NuTelefone"},
    {16, 264, 270, "CNAE", "CoCnae2"},
    {17, 271, 274, "Natureza Jurídica", "CoNaturezaJuridica"},
    {18, 275, 276, "Número de Proprietarios", "NuProprietEstabelecimento"},
    {19, 277, 278, "Data Base", "MeDataBase"},
    {20, 279, 279, "Tipo de inscrição do estabelecimento", "InInscrEstabelecimento"},
    {21, 280, 280, "Tipo de ZUVO", "InZuvoNegEstabelecimento"},
    // The linked CEI without the "00" the writer puts in front of it.
    {22, 283, 294, "Matrícula CEI vinculada a uma inscrição CNPJ", nullptr},
    {23, 295, 298, "2009", nullptr},
    {24, 301, 301, "PAT", "InParticipaPAT"},
    {25, 0, -1, "", nullptr},
    {26, 0, -1, "", nullptr},
    {27, 300, 300, "Optante pelo Simples", "InOptanteSimples"},
    {28, 539, 550, "Reservado para informação de uso exclusivo da empresa", "TxUsoEstabelecimento"},
    {29, 302, 307, "Vinculos do PAT até 5 salarios minimos", "NuVinculoPatMenor5"},
    {30, 308, 313, "Vinculos do PAT acima de 5 salarios minimos", "NuVinculoPatMaior5"},
    {31, 314, 316, "% Empregados serviço próprio", "PoServicoProprio"},
    {32, 317, 319, "% Empregados Administração Cozinha", "PoAdmCozinha"},
    {33, 320, 322, "% Empregados Refeição Convenio", "PoRefeicaoConvenio"},
    {34, 323, 325, "% Empregados Refeição Transportadora", "PoRefeicaoTransportadora"},
    {35, 326, 328, "% Empregados Cesta Alimento", "PoCestaAlimento"},
    {36, 329, 331, "% Empregados Alimentação Convenio", "PoAlimentacaoConvenio"},
    {37, 332, 332, "Indicador Encerramento Atividade", nullptr},
    {38, 333, 340, "Data Encerramento Atividade", "DaEncerramentoAtividade"},
    {39, 299, 299, "Porte da Empresa", "InPorte"},
    {40, 219, 263, "E-mail do Estabelecimento", "TxEmailEstabelecimento"},
    {41, 341, 354, "CNPJ da entidade sindical patronal beneficiada pela contribuição associativa", "CoCNPJAssociativa"},
    {42, 355, 363, "Valor global acumulado e repassado como contribuição associativa", "VaGlobalAssociativa"},
    {43, 364, 377, "CNPJ da entidade sindical patronal beneficiada pela contribuição sindical", "CoCNPJSindical"},
    {44, 378, 386, "Valor global acumulado e repassado como contribuição sindical", "VaGlobalSindical"},
    {45, 387, 400, "CNPJ da entidade sindical patronal beneficiada pelas contribuições da negociação coletiva (assistencial)", "CoCNPJAssistencial"},
    {46, 401, 409, "Valor global acumulado e repassado como contribuição prevista na negociação coletiva (assistencial)", "VaGlobalAssistencial"},
    {47, 410, 423, "CNPJ da entidade sindical patronal beneficiada pelas contribuições da negociação coletiva (confederativa)", "CoCNPJConfederativa"},
    {48, 424, 432, "Valor global acumulado e repassado como contribuição prevista na negociação coletiva (confederativa)", "VaGlobalConfederativa"},
    {49, 433, 433, "Esteve em Atividade no ano base", "InAtividadeAnoBase"},
    {50, 435, 448, "CNPJ Centralizadora", "CoCNPJCentralizada"},
    {51, 449, 449, "Indicador Sindicalizada", "InSindicalizada"},
    {52, 434, 434, "Indicador Centralizada", "InCentralizada"},
};

constexpr DescriptorRow kDesc2[] = {
    {1, 1, 6, "Sequencial", nullptr},
    {2, 7, 20, "Inscricao", "CoCgcCeiEstabelecimento"},
    {3, 21, 22, "Prefixo", "NuPrefixoEstabelecimento"},
    {4, 23, 23, "Tipo", nullptr},
    {5, 24, 34, "Código PIS/PASEP", "CoPisPasepEmpregado"},
    {6, 35, 86, "Nome do Empregado", "NoEmpregado"},
    {7, 87, 94, "Data de Nascimento(ddmmaaaa)", "DaNascimentoEmpregado"},
    {8, 95, 96, "Nacionalidade", "CoNacionalidade"},
    {9, 97, 100, "Ano de chegada no país (aaaa)", "AnChegadaEmpregado"},
    {10, 101, 102, "Grau de instrução", "CoInstrucao"},
    {11, 103, 113, "CPF", "CoCpfEmpregado"},
    {12, 114, 121, "Carteira de Trabalho(numero)", "NuCartTrabEmpregado"},
    {13, 122, 126, "Carteira de Trabalho(serie)", "SeCartTrabEmpregado"},
    {14, 127, 134, "Data de Admissão/Data de Transferência(ddmmaaaa)", "DaAdmissaoEmpregado"},
    {15, 135, 135, "Tipo de Admissão", "CoTipoAdmissao"},
    {16, 136, 144, "Salário Contratual(valor com centavos)", "VaSalContratualEmpregado"},
    {17, 145, 145, "Tipo de Salário Contratual", "CoTipoSalarioContratual"},
    {18, 146, 147, "Horas semanais", "HoSemanaisEmpregado"},
    {19, 148, 153, "CBO", "CoCbo"},
    {20, 154, 155, "Vínculo", "CoVinculo"},
    {21, 156, 157, "Código de desligamento", "CoCausaDesligamento"},
    {22, 158, 161, "Data do desligamento(ddmm)", "DaDesligamentoEmpregado"},
    {23, 162, 170, "Remuneracao JANEIRO(valor com centavos)", "VaJaneiroEmpregado"},
    {24, 171, 179, "Remuneracao FEVEREIRO(valor com centavos)", "VaFevereiroEmpregado"},
    {25, 180, 188, "Remuneracao MARÇO(valor com centavos)", "VaMarcoEmpregado"},
    {26, 189, 197, "Remuneracao ABRIL(valor com centavos)", "VaAbrilEmpregado"},
    {27, 198, 206, "Remuneracao MAIO(valor com centavos)", "VaMaioEmpregado"},
    {28, 207, 215, "Remuneracao JUNHO(valor com centavos)", "VaJunhoEmpregado"},
    {29, 216, 224, "Remuneracao JULHO(valor com centavos)", "VaJulhoEmpregado"},
    {30, 225, 233, "Remuneracao AGOSTO(valor com centavos)", "VaAgostoEmpregado"},
    {31, 234, 242, "Remuneracao SETEMBRO(valor com centavos)", "VaSetembroEmpregado"},
    {32, 243, 251, "Remuneracao OUTUBRO(valor com centavos)", "VaOutubroEmpregado"},
    {33, 252, 260, "Remuneracao NOVEMBRO(valor com centavos)", "VaNovembroEmpregado"},
    {34, 261, 269, "Remuneracao DEZEMBRO(valor com centavos)", "VaDezembroEmpregado"},
    {35, 270, 278, "Remuneracao 13o ADIANTAMENTO(valor com centavos)", "Va13AdiantamentoEmpregado"},
    {36, 279, 280, "Mês de pagamento 13o ADIANTAMENTO", "Me13AdiantamentoEmpregado"},
    {37, 281, 289, "Remuneracao 13o FINAL(valor com centavos)", "Va13ParcelaFinalEmpregado"},
    {38, 290, 291, "Mês de pagamento 13o FINAL", "Me13ParcelaFinalEmpregado"},
    {39, 292, 292, "Raça/Cor", "CoTipoRaca"},
    {40, 293, 293, "Indicador Deficiente físico", "InDeficienteFisico"},
    {41, 539, 550, "Reservado para informação de uso exclusivo da empresa", "TxUsoEmpregado"},
    {42, 296, 304, "Aviso Previo Indenizado", "VaAvisoPrevioEmpregado"},
    {43, 295, 295, "Alvara", "InAlvaraEmpregado"},
    {44, 305, 305, "Sexo", "InSexo"},
    {45, 306, 307, "Motivo Primeiro Afastamento", "CoMotivoPrimAfas"},
    {46, 308, 311, "Data Inicio Primeiro Afastamento", "DaInicioprimeiroAfas"},
    {47, 312, 315, "Data Final Primeiro Afastamento", "DaFinalPrimeiroAfas"},
    {48, 316, 317, "Motivo Segundo Afastamento", "CoMotivoSeguAfas"},
    {49, 318, 321, "Data Inicio Segundo Afastamento", "DaInicioSegundoAfas"},
    {50, 322, 325, "Data Final Segundo Afastamento", "DaFinalSegundoAfas"},
    {51, 326, 327, "Motivo Terceiro Afastamento", "CoMotivoTercAfas"},
    {52, 328, 331, "Data Inicio Terceiro Afastamento", "DaInicioTerceiroAfas"},
    {53, 332, 335, "Data Final Terceiro Afastamento", "DaFinalTerceiroAfas"},
    {54, 336, 338, "Quant Dias Afastamento", "QtDiasAfas"},
    {55, 339, 346, "Valores  férias indenizadas.", "VaGlobalFerias"},
    {56, 347, 354, "Valor banco de horass.", "VaGlobalBcoHoras"},
    {57, 355, 356, "Quantitativo de competências(meses) banco de horas.", "QtCompBcoHoras"},
    {58, 357, 364, "Valor do dissidio coletivo.", "VaGlobalDissidio"},
    {59, 365, 366, "Quantitativo de competências(meses) do dissídio coletivo).", "QtCompDissidio"},
    {60, 367, 374, "Valores de outras gratificações.", "VaGlobalGratificacoes"},
    {61, 375, 376, "Quantitativo de competências(meses) outras.", "QtCompGratificacoes"},
    {62, 377, 384, "Valores da multa por rescisão de contrato de trabalho sem justa causa.", "VaGlobalMultas"},
    {63, 385, 398, "CNPJ da primeira entidade sindical de empregados beneficiada com a contribuição associativa.", "CoCNPJPrimAssociativa"},
    {64, 399, 406, "Valor global acumulado no ano-base e repassado a título de contribuição associativa.", "VaGlobalPrimAssociativa"},
    {65, 407, 420, "CNPJ da segunda entidade sindical de empregados beneficiado com a contribuição associativa.", "CoCNPJSegAssociativa"},
    {66, 421, 428, "Valor global acumulado no ano-base e repassado a título de contribuição associativa.", "VaGlobalSegAssociativa"},
    {67, 429, 442, "CNPJ da entidade sindical de empregados beneficiado com a contribuição sindical.", "CoCNPJSindical"},
    {68, 443, 450, "Valor global acumulado no ano-base e repassado a título de contribuição sindical.", "VaGlobalSindical"},
    {69, 451, 464, "CNPJ da entidade sindical de empregados beneficiada com a contribuição da negociação coletiva(assistencial).", "CoCNPJAssistencial"},
    {70, 465, 472, "Valor global acumulado no ano-base e repassado a título de contribuição coletiva(assistencial).", "VaGlobalAssistencial"},
    {71, 473, 486, "CNPJ da entidade sindical de empregados beneficiada com a contribuição coletiva(confederativa).", "CoCNPJConfederativa"},
    {72, 487, 494, "Valor global acumulado no ano-base e repassado a título de contribuição da negociação coletiva(confederativa).", "VaGlobalConfederativa"},
    {73, 495, 501, "Código do município onde o empregado esteja trabalhando ou prestando serviço", "CoMunicipioTrabalho"},
    {74, 502, 504, "Horas extras Janeiro", "HoTrabalhadasJaneiro"},
    {75, 505, 507, "Horas trabalhadas Fevereiro", "HoTrabalhadasFevereiro"},
    {76, 508, 510, "Horas trabalhadas Março", "HoTrabalhadasMarco"},
    {77, 511, 513, "Horas trabalhadas Abril", "HoTrabalhadasAbril"},
    {78, 514, 516, "Horas trabalhadas Maio", "HoTrabalhadasMaio"},
    {79, 517, 519, "Horas trabalhadas Junho", "HoTrabalhadasJunho"},
    {80, 520, 522, "Horas trabalhadas Julho", "HoTrabalhadasJulho"},
    {81, 523, 525, "Horas trabalhadas Agosto", "HoTrabalhadasAgosto"},
    {82, 526, 528, "Horas trabalhadas Setembro", "HoTrabalhadasSetembro"},
    {83, 529, 531, "Horas trabalhadas Outubro", "HoTrabalhadasOutubro"},
    {84, 532, 534, "Horas trabalhadas Novembro", "HoTrabalhadasNovembro"},
    {85, 535, 537, "Horas trabalhadas Dezembro", "HoTrabalhadasDezembro"},
    {86, 538, 538, "Indicador Sindicalizada", "InSindicalizadoVinculo"},
    {87, 294, 294, "Código de deficiência", "CoDeficienteFisico"},
};

constexpr DescriptorRow kDesc9[] = {
    {1, 1, 6, "Sequencial", nullptr},
    {2, 7, 20, "Inscricao CNPJ/CEI do último", "CoCgcCeiEstabelecimento"},
    {3, 21, 22, "Prefixo do último", "NuPrefixoEstabelecimento"},
    {4, 23, 23, "Tipo", nullptr},
    {5, 24, 29, "Total de registros do tipo 1", nullptr},
    {6, 30, 35, "Total de registros do tipo 2", nullptr},
    {7, 0, -1, "", nullptr},
    {8, 36, 37, "Estatística", nullptr},
    {9, 38, 59, "Pesquisa", "NuRespostaPesquisa"},
    {10, 519, 550, "Hashcode", nullptr},
};

constexpr DescriptorRow kChanges0[] = {
    {26, 0, -1, "", nullptr},
};

constexpr DescriptorRow kChanges1[] = {
    {23, 295, 298, "2008", nullptr},
    {42, 355, 362, "Valor global acumulado e repassado como contribuição associativa", "VaGlobalAssociativa"},
    {43, 363, 376, "CNPJ da entidade sindical patronal beneficiada pela contribuição sindical", "CoCNPJSindical"},
    {44, 377, 384, "Valor global acumulado e repassado como contribuição sindical", "VaGlobalSindical"},
    {45, 385, 398, "CNPJ da entidade sindical patronal beneficiada pelas contribuições da negociação coletiva (assistencial)", "CoCNPJAssistencial"},
    {46, 399, 406, "Valor global acumulado e repassado como contribuição prevista na negociação coletiva (assistencial)", "VaGlobalAssistencial"},
    {47, 407, 420, "CNPJ da entidade sindical patronal beneficiada pelas contribuições da negociação coletiva (confederativa)", "CoCNPJConfederativa"},
    {48, 421, 428, "Valor global acumulado e repassado como contribuição prevista na negociação coletiva (confederativa)", "VaGlobalConfederativa"},
    {49, 429, 429, "Esteve em Atividade no ano base", "InAtividadeAnoBase"},
    {50, 431, 444, "CNPJ Centralizadora", "CoCNPJCentralizada"},
    {51, 445, 445, "Indicador Sindicalizada", "InSindicalizada"},
    {52, 430, 430, "Indicador Centralizada", "InCentralizada"},
};

inline bool isBlank(const QString& s) {
    for (QChar c : s)
        if (c != QLatin1Char(' ')) return false;
    return true;
}

// The byte of each character of a text, one column each, cut or blank-filled
// to width. A control character (a line break above all) would break the
// record apart, so it is written as a blank; a character outside the 16-bit
// range is one character and takes one column, whatever its two halves.
template <class Map>
void putColumns(char* out, const QString& text, int width, Map map) {
    int col = 0;
    for (int i = 0; i < text.size() && col < width; ++i) {
        const QChar c = text.at(i);
        const char16_t u = c.unicode();
        if (c.isHighSurrogate() && i + 1 < text.size() && text.at(i + 1).isLowSurrogate()) ++i;
        if (u < 32 || u == 127) out[col++] = ' ';
        else out[col++] = map(c);
    }
    for (; col < width; ++col) out[col] = ' ';
}

// Writes the table text of a value into out (width bytes).
void putTableText(char* out, const QString& value, int width) {
    putColumns(out, value, width, [](QChar c) {
        const char16_t u = c.unicode();
        return u >= u'a' && u <= u'z' ? char(u - (u'a' - u'A')) : cp1252::ToByte(c);
    });
}

// Writes a literal or a computed text exactly, cut or blank-filled to width.
void putText(char* out, const QString& text, int width) {
    putColumns(out, text, width, [](QChar c) { return cp1252::ToByte(c); });
}

void putLatin(char* out, const char* text, int width) {
    int i = 0;
    for (; text && text[i] && i < width; ++i) out[i] = text[i];
    for (; i < width; ++i) out[i] = ' ';
}

// A number in decimal, zero-filled on the left to width; a longer one keeps
// its first width characters.
void putNumber(char* out, qint64 number, int width) {
    char digits[24];
    const int n = int(std::to_chars(digits, digits + sizeof digits, number).ptr - digits);
    const int zeros = std::max(0, width - n);
    std::memset(out, '0', std::size_t(zeros));
    std::memcpy(out + zeros, digits, std::size_t(std::min(n, width)));
}

bool isBlankBytes(QByteArrayView bytes) {
    for (const char b : bytes)
        if (b != ' ') return false;
    return true;
}

// A value as its text, as the field would give it (null for a null value).
QString textOf(QByteArrayView bytes) {
    return bytes.data() ? QString::fromUtf8(bytes) : QString();
}

// The table text's byte of each plain ASCII byte: a to z upper-cased, a
// control character blank. 0 for a byte beyond ASCII.
constexpr std::array<char, 256> kTableByte = [] {
    std::array<char, 256> t{};
    for (int b = 0; b < 128; ++b) t[b] = b < 32 || b == 127 ? ' ' : b >= 'a' && b <= 'z' ? char(b - ('a' - 'A')) : char(b);
    return t;
}();

// putTableText of the value held as UTF-8 bytes, into columns that are blank
// already. Plain ASCII, by far the most, is one column a byte; a value beyond
// it takes the text's way, so that each character, however many bytes it
// has, keeps to one column.
void putTableTextBytes(char* out, QByteArrayView bytes, int width) {
    const qsizetype n = std::min<qsizetype>(bytes.size(), width);
    const unsigned char* p = reinterpret_cast<const unsigned char*>(bytes.data());
    for (qsizetype i = 0; i < n; ++i) {
        const char c = kTableByte[p[i]];
        if (!c) {
            putTableText(out, QString::fromUtf8(bytes), width);
            return;
        }
        out[i] = c;
    }
}

// An 8-character date field of the header: the date as given, or "00000000"
// when it is empty, so the header keeps its columns.
QString dateOrZeros(const QString& date) {
    return isBlank(date) ? QStringLiteral("00000000") : date;
}

}  // namespace

bool GenerationDateFromTable(const RecordContext& c, const QString& tableValue) {
    return c.fromWorkingTables && !(c.amendment && isBlank(tableValue));
}

std::span<const LayoutItem> RecordLayout(char type) {
    switch (type) {
    case '0': return kType0;
    case '1': return kType1;
    case '2': return kType2;
    case '9': return kType9;
    default: return {};
    }
}

QString TableText(const QString& value, int width) {
    QByteArray bytes(width, ' ');
    putTableText(bytes.data(), value, width);
    return cp1252::Decode(bytes);
}

QString FormatFileField(db::DataSet& table, const QString& fieldName) {
    db::Field& f = table.FieldByName(fieldName);
    return TableText(f.AsString(), f.Size());
}

RecordBuilder::RecordBuilder(char type, db::DataSet* source) : type_(type) {
    table_ = dynamic_cast<db::Table*>(source);
    std::vector<db::Field*> fields;  // by item
    for (const LayoutItem& item : RecordLayout(type)) {
        items_.push_back(Bound{item, -1});
        fields.push_back(item.field && source ? &source->FieldByName(QString::fromLatin1(item.field)) : nullptr);
    }
    // The text fields take the first slots, read in one call; a field of
    // another type follows, read on its own. A field named twice has one slot.
    for (const bool text : {true, false})
        for (std::size_t i = 0; i < items_.size(); ++i) {
            db::Field* f = fields[i];
            if (!f || (f->DataType() == db::FieldType::Text) != text) continue;
            const auto at = std::find(slotFields_.begin(), slotFields_.end(), f);
            items_[i].slot = int(at - slotFields_.begin());
            if (at != slotFields_.end()) continue;
            slotFields_.push_back(f);
            if (text) textIndexes_.push_back(f->Index());
        }
    bytes_.resize(slotFields_.size());
}

QByteArray RecordBuilder::Build(const RecordContext& c) const {
    QByteArray record(kRecordBytes, Qt::Uninitialized);
    BuildInto(record.data(), c);
    return record;
}

void RecordBuilder::BuildInto(char* base, const RecordContext& c) const {
    // The row's values as the store holds them: the text fields in one call
    // when the row is as read, each field on its own otherwise.
    const std::size_t texts = textIndexes_.size();
    std::size_t from = 0;
    if (table_ && texts && table_->ReadBytes(textIndexes_, bytes_.data())) from = texts;
    for (std::size_t i = from; i < slotFields_.size(); ++i) bytes_[i] = slotFields_[i]->AsUtf8();
    std::memset(base, ' ', kRecordLength);
    for (const Bound& b : items_) {
        const LayoutItem& it = b.item;
        char* out = base + it.start - 1;
        const QByteArrayView bytes = b.slot >= 0 ? bytes_[std::size_t(b.slot)] : QByteArrayView();
        switch (it.item) {
        case Item::TableText:  // the columns are blank until written
            if (it.fill && isBlankBytes(bytes)) putLatin(out, it.fill, it.width);
            else putTableTextBytes(out, bytes, it.width);
            break;
        case Item::Literal: putLatin(out, it.fill, it.width); break;
        case Item::Blanks:
        case Item::Digest: break;  // already blank
        case Item::Sequence: putNumber(out, c.sequence, it.width); break;
        case Item::Key:
            for (int i = 0; i < it.width; ++i) out[i] = i < c.key.size() ? c.key.at(i) : ' ';
            break;
        case Item::RecordType: out[0] = type_; break;
        case Item::AmendmentFlag: out[0] = c.amendment ? '1' : '2'; break;
        case Item::AmendmentDate: {
            const QString value = textOf(bytes);
            if (c.amendment && c.fromWorkingTables)
                putTableText(out, isBlank(value) ? dateOrZeros(c.generationDate) : value, it.width);
            else if (c.fromWorkingTables)
                putTableText(out, value, it.width);
            else if (c.amendment)
                putText(out, dateOrZeros(c.generationDate), it.width);
            else
                putLatin(out, "00000000", it.width);
            break;
        }
        case Item::GenerationDate: {
            const QString value = textOf(bytes);
            if (GenerationDateFromTable(c, value))
                putTableText(out, value, it.width);
            else
                putText(out, dateOrZeros(c.generationDate), it.width);
            break;
        }
        case Item::Crea: {
            // A receipt number is 12 digits; a blank one is twelve zeros and
            // a short one is padded so the header keeps its columns.
            const QString crea = c.crea.trimmed();
            putText(out, crea.isEmpty() ? QStringLiteral("000000000000")
                                        : crea.left(it.width).rightJustified(it.width, QLatin1Char('0')),
                    it.width);
            break;
        }
        case Item::Version:
            putText(out, QStringLiteral("V") + c.versao.mid(5, 2) + c.versao.mid(8, 2), it.width);
            break;
        case Item::Mark: putLatin(out, c.splitMode ? " P" : "A ", it.width); break;
        case Item::BaseYear: putNumber(out, c.anoBase, it.width); break;
        case Item::ClosureFlag: out[0] = textOf(bytes).trimmed() == QLatin1String("1") ? '1' : '2'; break;
        case Item::Count1: putNumber(out, c.count1, it.width); break;
        case Item::Count2: putNumber(out, c.count2, it.width); break;
        case Item::OsCode: putText(out, c.osCode.left(1), it.width); break;
        case Item::SourceFlag: out[0] = c.fromWorkingTables ? '2' : '1'; break;
        }
    }
    base[kRecordLength] = '\r';
    base[kRecordLength + 1] = '\n';
}

// ---------------------------------------------------------------------------

QByteArray TArquivo::ValueIn(const QByteArray& record) const {
    if (Start <= 0 || Length <= 0 || Start > record.size()) return QByteArray();
    return record.mid(Start - 1, Length);
}

std::span<const DescriptorRow> DescriptorTable2009(char type) {
    switch (type) {
    case '0': return kDesc0;
    case '1': return kDesc1;
    case '2': return kDesc2;
    case '9': return kDesc9;
    default: return {};
    }
}

std::span<const DescriptorRow> DescriptorChanges2008(char type) {
    switch (type) {
    case '0': return kChanges0;
    case '1': return kChanges1;
    default: return {};
    }
}

namespace {
template <class Set>
void fillSet(Set& set, std::span<const DescriptorRow> rows) {
    for (const DescriptorRow& r : rows) {
        TArquivo& d = set.Slot(r.slot);
        d.Label = QString::fromUtf8(r.label);
        d.Start = r.start;
        d.Length = r.start > 0 ? r.end - r.start + 1 : 0;
    }
}
template <class Set>
void clearSet(Set& set) {
    for (int i = 1; i <= Set::SlotCount; ++i) set.Slot(i) = TArquivo{};
}
}  // namespace

void FillDescriptors(TLayoutDescriptors& layout, bool year2008) {
    layout.RecordLength = kRecordLength;
    clearSet(layout.Tipo0);
    clearSet(layout.Tipo1);
    clearSet(layout.Tipo2);
    clearSet(layout.Tipo9);
    fillSet(layout.Tipo0, DescriptorTable2009('0'));
    fillSet(layout.Tipo1, DescriptorTable2009('1'));
    fillSet(layout.Tipo2, DescriptorTable2009('2'));
    fillSet(layout.Tipo9, DescriptorTable2009('9'));
    if (year2008) {
        fillSet(layout.Tipo0, DescriptorChanges2008('0'));
        fillSet(layout.Tipo1, DescriptorChanges2008('1'));
    }
}

const TArquivo* DescriptorOf(const TLayoutDescriptors& layout, char type, int slot) {
    auto get = [slot](const auto& set) -> const TArquivo* {
        using S = std::decay_t<decltype(set)>;
        return slot >= 1 && slot <= S::SlotCount ? &set.Slot(slot) : nullptr;
    };
    switch (type) {
    case '0': return get(layout.Tipo0);
    case '1': return get(layout.Tipo1);
    case '2': return get(layout.Tipo2);
    case '9': return get(layout.Tipo9);
    default: return nullptr;
    }
}

QString DeclarationFileName(int anoBase, const QString& inscriptionAndPrefix, int part, bool amendment) {
    return QStringLiteral("Zuvo") + QString::number(anoBase) + QLatin1Char('_') + inscriptionAndPrefix +
           (part < 10 ? QStringLiteral("0") : QString()) + QString::number(part) +
           (amendment ? QLatin1Char('R') : QLatin1Char('G')) + QStringLiteral(".dec");
}

}  // namespace declfile
