// "Cartela": the card that describes the declaration file, record by record.
#include "RelatoriosLobrix.h"

using report::Canvas;
using report::Column;
using report::Font;

namespace {
const Font kBody{8.5};
const Font kBold{8.5, true};
const Font kSection{10.5, true};

struct Campo {
    int inicio;
    int tamanho;
    QString conteudo;
    QString branco;  // what is written when the value is blank
};

const QStringList kMeses{QStringLiteral("janeiro"), QStringLiteral("fevereiro"), QStringLiteral("março"),
                         QStringLiteral("abril"), QStringLiteral("maio"), QStringLiteral("junho"),
                         QStringLiteral("julho"), QStringLiteral("agosto"), QStringLiteral("setembro"),
                         QStringLiteral("outubro"), QStringLiteral("novembro"), QStringLiteral("dezembro")};

QList<Campo> prefixo(const QString& tipo) {
    return {
        {1, 6, QStringLiteral("Sequencial do registro no arquivo, a partir de 000001"), QString()},
        {7, 14, QStringLiteral("Inscrição CNPJ/CEI do estabelecimento"), QString()},
        {21, 2, QStringLiteral("Prefixo do estabelecimento"), QString()},
        {23, 1, QStringLiteral("Tipo do registro: \"%1\"").arg(tipo), QString()},
    };
}

const QString kBrancos = QStringLiteral("brancos");

QList<Campo> tipo0(const QString& anoBase) {
    Q_UNUSED(anoBase);
    QList<Campo> c = prefixo(QStringLiteral("0"));
    c += {
        {24, 1, QStringLiteral("Constante \"1\""), QString()},
        {25, 14, QStringLiteral("Inscrição do responsável: CNPJ, CEI precedido de \"00\" ou CPF precedido de \"000\""), kBrancos},
        {39, 1, QStringLiteral("Tipo de inscrição do responsável"), kBrancos},
        {40, 40, QStringLiteral("Nome do responsável pelo arquivo"), kBrancos},
        {80, 40, QStringLiteral("Logradouro"), kBrancos},
        {120, 6, QStringLiteral("Número"), kBrancos},
        {126, 21, QStringLiteral("Complemento"), kBrancos},
        {147, 19, QStringLiteral("Bairro"), kBrancos},
        {166, 8, QStringLiteral("CEP"), kBrancos},
        {174, 7, QStringLiteral("Código do município"), kBrancos},
        {181, 30, QStringLiteral("Nome do município"), kBrancos},
        {211, 2, QStringLiteral("UF"), kBrancos},
        {213, 2, QStringLiteral("DDD do telefone"), kBrancos},
        {215, 8, QStringLiteral("Número do telefone"), kBrancos},
        {223, 1, QStringLiteral("Indicador de retificação: \"1\" retificação, \"2\" declaração normal"), QString()},
        {224, 8, QStringLiteral("Data da retificação (ddmmaaaa); \"00000000\" na declaração normal"), QString()},
        {232, 8, QStringLiteral("Data da geração do arquivo (ddmmaaaa)"), QString()},
        {240, 45, QStringLiteral("E-mail do responsável"), kBrancos},
        {285, 52, QStringLiteral("Nome do responsável pela declaração"), kBrancos},
        {337, 20, QStringLiteral("Brancos"), QString()},
        {357, 4, QStringLiteral("Constante \"0550\" (tamanho do registro)"), QString()},
        {361, 11, QStringLiteral("CPF do responsável"), kBrancos},
        {372, 12, QStringLiteral("Número do recibo da declaração retificada (CREA)"), QStringLiteral("000000000000")},
        {384, 8, QStringLiteral("Data de nascimento do responsável (ddmmaaaa)"), kBrancos},
        {392, 5, QStringLiteral("Versão do programa: \"V\" seguido de \"01\" e \"00\""), QString()},
        {397, 2, QStringLiteral("Marca do arquivo: \"A \" arquivo gravado normalmente, \" P\" parte de arquivo particionado"), QString()},
        {399, 152, QStringLiteral("Brancos"), QString()},
    };
    return c;
}

QList<Campo> tipo1(const QString& anoBase) {
    QList<Campo> c = prefixo(QStringLiteral("1"));
    c += {
        {24, 52, QStringLiteral("Razão social do estabelecimento"), kBrancos},
        {76, 40, QStringLiteral("Logradouro"), kBrancos},
        {116, 6, QStringLiteral("Número"), kBrancos},
        {122, 21, QStringLiteral("Complemento"), kBrancos},
        {143, 19, QStringLiteral("Bairro"), kBrancos},
        {162, 8, QStringLiteral("CEP"), kBrancos},
        {170, 7, QStringLiteral("Código do município"), kBrancos},
        {177, 30, QStringLiteral("Nome do município"), kBrancos},
        {207, 2, QStringLiteral("UF"), kBrancos},
        {209, 2, QStringLiteral("DDD do telefone"), kBrancos},
        {211, 8, QStringLiteral("Número do telefone"), kBrancos},
        {219, 45, QStringLiteral("E-mail do estabelecimento"), kBrancos},
        {264, 7, QStringLiteral("Atividade econômica (CNAE)"), kBrancos},
        {271, 4, QStringLiteral("Natureza jurídica"), kBrancos},
        {275, 2, QStringLiteral("Número de proprietários"), kBrancos},
        {277, 2, QStringLiteral("Mês da data-base"), kBrancos},
        {279, 1, QStringLiteral("Tipo de inscrição: \"1\" CNPJ, \"3\" CEI"), kBrancos},
        {280, 1, QStringLiteral("Declaração sem empregados: \"0\" com empregados, \"1\" sem empregados"), kBrancos},
        {281, 14, QStringLiteral("CEI vinculado ao CNPJ, precedido de \"00\", ou zeros"), kBrancos},
        {295, 4, QStringLiteral("Ano-base (%1)").arg(anoBase), QString()},
        {299, 1, QStringLiteral("Porte do estabelecimento"), kBrancos},
        {300, 1, QStringLiteral("Optante pelo SIMPLES"), kBrancos},
        {301, 1, QStringLiteral("Participa do programa de alimentação (PAT)"), kBrancos},
        {302, 6, QStringLiteral("PAT: vínculos com remuneração até 5 salários mínimos"), QStringLiteral("000000")},
        {308, 6, QStringLiteral("PAT: vínculos com remuneração acima de 5 salários mínimos"), QStringLiteral("000000")},
        {314, 3, QStringLiteral("PAT: percentual de serviço próprio"), QStringLiteral("000")},
        {317, 3, QStringLiteral("PAT: percentual de administração de cozinhas"), QStringLiteral("000")},
        {320, 3, QStringLiteral("PAT: percentual de refeição-convênio"), QStringLiteral("000")},
        {323, 3, QStringLiteral("PAT: percentual de refeições transportadas"), QStringLiteral("000")},
        {326, 3, QStringLiteral("PAT: percentual de cesta de alimentos"), QStringLiteral("000")},
        {329, 3, QStringLiteral("PAT: percentual de alimentação-convênio"), QStringLiteral("000")},
        {332, 1, QStringLiteral("Encerramento das atividades: \"1\" sim, \"2\" não"), QString()},
        {333, 8, QStringLiteral("Data do encerramento das atividades (ddmmaaaa)"), QStringLiteral("00000000")},
        {341, 14, QStringLiteral("CNPJ da entidade da contribuição associativa"), QStringLiteral("zeros")},
        {355, 9, QStringLiteral("Valor da contribuição associativa (centavos)"), QStringLiteral("zeros")},
        {364, 14, QStringLiteral("CNPJ da entidade da contribuição sindical"), QStringLiteral("zeros")},
        {378, 9, QStringLiteral("Valor da contribuição sindical (centavos)"), QStringLiteral("zeros")},
        {387, 14, QStringLiteral("CNPJ da entidade da contribuição assistencial"), QStringLiteral("zeros")},
        {401, 9, QStringLiteral("Valor da contribuição assistencial (centavos)"), QStringLiteral("zeros")},
        {410, 14, QStringLiteral("CNPJ da entidade da contribuição confederativa"), QStringLiteral("zeros")},
        {424, 9, QStringLiteral("Valor da contribuição confederativa (centavos)"), QStringLiteral("zeros")},
        {433, 1, QStringLiteral("Atividade no ano-base"), kBrancos},
        {434, 1, QStringLiteral("Pagamento de contribuição sindical centralizado"), QStringLiteral("\"2\"")},
        {435, 14, QStringLiteral("CNPJ do estabelecimento centralizador"), QStringLiteral("zeros")},
        {449, 1, QStringLiteral("Empresa filiada a sindicato"), QStringLiteral("\"2\"")},
        {450, 89, QStringLiteral("Brancos"), QString()},
        {539, 12, QStringLiteral("Uso do empregador"), kBrancos},
    };
    return c;
}

QList<Campo> tipo2() {
    QList<Campo> c = prefixo(QStringLiteral("2"));
    c += {
        {24, 11, QStringLiteral("PIS/PASEP do empregado"), kBrancos},
        {35, 52, QStringLiteral("Nome do empregado"), kBrancos},
        {87, 8, QStringLiteral("Data de nascimento (ddmmaaaa)"), kBrancos},
        {95, 2, QStringLiteral("Nacionalidade"), kBrancos},
        {97, 4, QStringLiteral("Ano de chegada ao Brasil (aaaa)"), kBrancos},
        {101, 2, QStringLiteral("Grau de instrução"), kBrancos},
        {103, 11, QStringLiteral("CPF do empregado"), kBrancos},
        {114, 8, QStringLiteral("Número da carteira de trabalho"), kBrancos},
        {122, 5, QStringLiteral("Série da carteira de trabalho"), QStringLiteral("00000")},
        {127, 8, QStringLiteral("Data de admissão (ddmmaaaa)"), kBrancos},
        {135, 1, QStringLiteral("Tipo de admissão"), kBrancos},
        {136, 9, QStringLiteral("Salário contratual (centavos)"), kBrancos},
        {145, 1, QStringLiteral("Tipo do salário contratual"), kBrancos},
        {146, 2, QStringLiteral("Horas semanais"), kBrancos},
        {148, 6, QStringLiteral("Ocupação (CBO)"), kBrancos},
        {154, 2, QStringLiteral("Tipo de vínculo"), kBrancos},
        {156, 2, QStringLiteral("Causa do desligamento"), kBrancos},
        {158, 4, QStringLiteral("Data do desligamento (ddmm)"), kBrancos},
    };
    for (int m = 0; m < 12; ++m)
        c += Campo{162 + 9 * m, 9, QStringLiteral("Remuneração de %1 (centavos)").arg(kMeses[m]), kBrancos};
    c += {
        {270, 9, QStringLiteral("13º salário: valor do adiantamento (centavos)"), kBrancos},
        {279, 2, QStringLiteral("13º salário: mês do adiantamento"), kBrancos},
        {281, 9, QStringLiteral("13º salário: valor da parcela final (centavos)"), kBrancos},
        {290, 2, QStringLiteral("13º salário: mês da parcela final"), kBrancos},
        {292, 1, QStringLiteral("Raça/cor"), QStringLiteral("\"9\"")},
        {293, 1, QStringLiteral("Indicador de deficiência"), kBrancos},
        {294, 1, QStringLiteral("Tipo de deficiência"), QStringLiteral("\"0\"")},
        {295, 1, QStringLiteral("Indicador de alvará judicial"), kBrancos},
        {296, 9, QStringLiteral("Aviso prévio indenizado (centavos)"), kBrancos},
        {305, 1, QStringLiteral("Sexo"), kBrancos},
        {306, 2, QStringLiteral("Motivo do primeiro afastamento"), kBrancos},
        {308, 4, QStringLiteral("Início do primeiro afastamento (ddmm)"), kBrancos},
        {312, 4, QStringLiteral("Fim do primeiro afastamento (ddmm)"), kBrancos},
        {316, 2, QStringLiteral("Motivo do segundo afastamento"), kBrancos},
        {318, 4, QStringLiteral("Início do segundo afastamento (ddmm)"), kBrancos},
        {322, 4, QStringLiteral("Fim do segundo afastamento (ddmm)"), kBrancos},
        {326, 2, QStringLiteral("Motivo do terceiro afastamento"), kBrancos},
        {328, 4, QStringLiteral("Início do terceiro afastamento (ddmm)"), kBrancos},
        {332, 4, QStringLiteral("Fim do terceiro afastamento (ddmm)"), kBrancos},
        {336, 3, QStringLiteral("Quantidade de dias de afastamento"), kBrancos},
        {339, 8, QStringLiteral("Valor de férias indenizadas (centavos)"), kBrancos},
        {347, 8, QStringLiteral("Valor do banco de horas (centavos)"), kBrancos},
        {355, 2, QStringLiteral("Quantidade de meses do banco de horas"), kBrancos},
        {357, 8, QStringLiteral("Valor do dissídio coletivo (centavos)"), kBrancos},
        {365, 2, QStringLiteral("Quantidade de meses do dissídio coletivo"), kBrancos},
        {367, 8, QStringLiteral("Valor de gratificações (centavos)"), kBrancos},
        {375, 2, QStringLiteral("Quantidade de meses das gratificações"), kBrancos},
        {377, 8, QStringLiteral("Valor da multa por rescisão sem justa causa (centavos)"), kBrancos},
        {385, 14, QStringLiteral("CNPJ da entidade da primeira contribuição associativa"), QStringLiteral("zeros")},
        {399, 8, QStringLiteral("Valor da primeira contribuição associativa (centavos)"), kBrancos},
        {407, 14, QStringLiteral("CNPJ da entidade da segunda contribuição associativa"), QStringLiteral("zeros")},
        {421, 8, QStringLiteral("Valor da segunda contribuição associativa (centavos)"), QStringLiteral("zeros")},
        {429, 14, QStringLiteral("CNPJ da entidade da contribuição sindical"), QStringLiteral("zeros")},
        {443, 8, QStringLiteral("Valor da contribuição sindical (centavos)"), kBrancos},
        {451, 14, QStringLiteral("CNPJ da entidade da contribuição assistencial"), QStringLiteral("zeros")},
        {465, 8, QStringLiteral("Valor da contribuição assistencial (centavos)"), kBrancos},
        {473, 14, QStringLiteral("CNPJ da entidade da contribuição confederativa"), QStringLiteral("zeros")},
        {487, 8, QStringLiteral("Valor da contribuição confederativa (centavos)"), kBrancos},
        {495, 7, QStringLiteral("Município de trabalho"), QStringLiteral("\"0000000\"")},
    };
    for (int m = 0; m < 12; ++m)
        c += Campo{502 + 3 * m, 3, QStringLiteral("Horas extras trabalhadas em %1").arg(kMeses[m]), QStringLiteral("\"000\"")};
    c += {
        {538, 1, QStringLiteral("Empregado filiado a sindicato"), kBrancos},
        {539, 12, QStringLiteral("Uso do empregador"), kBrancos},
    };
    return c;
}

QList<Campo> tipo9() {
    QList<Campo> c = prefixo(QStringLiteral("9"));
    c[0].conteudo = QStringLiteral("Sequencial do registro: o número de registros do arquivo");
    c[1].conteudo = QStringLiteral("Inscrição CNPJ/CEI do último estabelecimento do arquivo");
    c += {
        {24, 6, QStringLiteral("Quantidade de registros tipo 1 no arquivo"), QString()},
        {30, 6, QStringLiteral("Quantidade de registros tipo 2 no arquivo"), QString()},
        {36, 1, QStringLiteral("Código do sistema operacional"), QString()},
        {37, 1, QStringLiteral("Origem: \"1\" tabelas da declaração, \"2\" arquivo analisado"), QString()},
        {38, 22, QStringLiteral("Respostas da pesquisa de satisfação"), kBrancos},
        {60, 459, QStringLiteral("Brancos"), QString()},
        {519, 32, QStringLiteral("Código de controle do arquivo (brancos em parte de arquivo particionado)"), QString()},
    };
    return c;
}

void section(Canvas& canvas, const QString& title, const QList<Campo>& campos) {
    const double w = canvas.width();
    const QStringList titles{QStringLiteral("Posição"), QStringLiteral("Tamanho"), QStringLiteral("Conteúdo"),
                             QStringLiteral("Em branco")};
    const QList<Column> cols = canvas.fitTitles({{w * 0.12, report::AlignLeft}, {w * 0.11, report::AlignRight},
                                                 {w * 0.59, report::AlignLeft}, {w * 0.18, report::AlignLeft}},
                                                titles, kBold);
    canvas.ensureSpace(6 * canvas.lineHeight(kBody));
    canvas.y += 6;
    canvas.paragraph(title, kSection);
    canvas.y += 3;
    canvas.tableRow(cols, titles, kBold, true);
    canvas.setRepeatHeader([cols, titles, title](Canvas& c) {
        c.paragraph(title + QStringLiteral(" (continuação)"), kSection);
        c.y += 3;
        c.tableRow(cols, titles, kBold, true);
    });
    int row = 0;
    for (const Campo& f : campos) {
        const int fim = f.inicio + f.tamanho - 1;
        const QString pos = f.tamanho == 1 ? QString::number(f.inicio)
                                           : QStringLiteral("%1 a %2").arg(f.inicio).arg(fim);
        canvas.tableRow(cols, {pos, QString::number(f.tamanho), f.conteudo, f.branco}, kBody, row++ % 2 == 1);
    }
    canvas.setRepeatHeader(nullptr);
}
}  // namespace

void LayoutCartela(report::ReportRun& run, Canvas& canvas) {
    const QString titulo = run.param(QStringLiteral("TipoRelatorio"));
    const QString anoBase = run.param(QStringLiteral("AnoBase"));
    const QString versao = run.param(QStringLiteral("Versao"));
    const QStringList lines{anoBase.isEmpty() ? QString() : QStringLiteral("Ano-base: ") + anoBase};
    canvas.setPageHeader([titulo, lines](Canvas& c) { StandardPageHeader(c, titulo, lines); });
    canvas.newPage();

    canvas.paragraph(QStringLiteral("Características do arquivo"), kSection);
    canvas.y += 3;
    const QStringList regras{
        QStringLiteral("Arquivo texto (código de página Windows de 8 bits) com registros de exatamente 550 caracteres, "
                       "cada um seguido de retorno de carro e avanço de linha (bytes 13 e 10): cada registro ocupa 552 bytes."),
        QStringLiteral("Ordem dos registros: um registro tipo 0 (responsável); para cada estabelecimento, um registro "
                       "tipo 1 seguido dos registros tipo 2 de seus vínculos; um registro tipo 9 (encerramento) no fim. "
                       "Estabelecimento declarado sem empregados não tem registros tipo 2."),
        QStringLiteral("Nome do arquivo: \"Zuvo\", o ano-base, \"_\", a inscrição (14) e o prefixo (2) do primeiro "
                       "estabelecimento, o número da parte (01 a 99), \"G\" para declaração ou \"R\" para retificação "
                       "e a extensão \".dec\"."),
        QStringLiteral("Campos de texto: alinhados à esquerda e completados com brancos; letras de a a z gravadas em "
                       "maiúsculas. Números gerados pelo arquivo (sequencial, quantidades): completados com zeros à "
                       "esquerda. Valores em centavos, sem separadores. Datas no formato ddmmaaaa."),
        QStringLiteral("A coluna \"Em branco\" indica o que é gravado quando o campo não foi informado."),
    };
    for (const QString& r : regras) {
        canvas.paragraph(QStringLiteral("• ") + r, kBody, canvas.left() + 6, canvas.width() - 6);
        canvas.y += 2;
    }

    section(canvas, QStringLiteral("Registro tipo 0 - Responsável pelo arquivo (cabeçalho)"), tipo0(anoBase));
    section(canvas, QStringLiteral("Registro tipo 1 - Estabelecimento"), tipo1(anoBase));
    section(canvas, QStringLiteral("Registro tipo 2 - Vínculo empregatício"), tipo2());
    section(canvas, QStringLiteral("Registro tipo 9 - Encerramento do arquivo"), tipo9());
    StandardPageFooter(canvas, versao);
}
