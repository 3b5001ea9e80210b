#include "ufmRelatorio01.h"

#include "UfmRelatorio03.h"
#include "udmRaveRelatorios.h"
#include "ufmLOBRIX.h"
#include "ugFuncoes.h"

#include "platform/report/ReportEngine.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/TickList.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QJsonArray>
#include <QJsonDocument>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QVBoxLayout>

TfmRelatorio01* fmRelatorio01 = nullptr;

namespace {

// The table names come from the program's callers, never from the user; they
// still go into the SQL text, so nothing but a plain name is taken.
QString tableName(const QString& name) {
    static const QRegularExpression plain(QStringLiteral("^[A-Za-z][A-Za-z0-9_]*$"));
    if (!plain.match(name).hasMatch())
        throw db::DbError(db::ErrorKind::Usage, db::kGeneralError, QStringLiteral("Invalid table name: %1").arg(name));
    return name;
}

QString keysJson(const QList<QStringList>& keys) {
    QJsonArray a;
    for (const QStringList& k : keys) a.append(k.join(QLatin1Char('\t')));
    return QString::fromUtf8(QJsonDocument(a).toJson(QJsonDocument::Compact));
}

QString orderColumn(const QString& classificacao) {
    if (classificacao == QLatin1String("Nome do empregado")) return QStringLiteral("NoEmpregado");
    if (classificacao == QLatin1String("Para uso da empresa")) return QStringLiteral("TxUsoEmpregado");
    return QStringLiteral("CoPisPasepEmpregado");
}

QString field(db::DataSet& ds, const char* name) { return ds.FieldByName(QString::fromLatin1(name)).AsString(); }

QString employeeLine(const QString& classificacao, const QString& pis, const QString& admissao, const QString& nome,
                     const QString& uso) {
    const QString p = FormatPisPasep(PadLeftZeros(pis, 11));
    const QString a = FormatDate8(admissao);
    const QString gap = Spaces(2);
    if (classificacao == QLatin1String("Nome do empregado")) return PadRight(nome, 30) + gap + p + gap + a + gap + uso;
    if (classificacao == QLatin1String("Para uso da empresa")) return PadRight(uso, 13) + gap + p + gap + a + gap + nome;
    return p + gap + a + gap + PadRight(nome, 30) + gap + uso;
}

}  // namespace

void BuildDeclarationReportQuery(db::Query& q, const DeclarationReportChoice& c) {
    const QString emp = tableName(c.tabelaEmp);
    const QString vinc = tableName(c.tabelaVinc);
    const QString resp = tableName(c.tabelaResp);
    q.Close();
    // Contracts join on the full establishment key, so an establishment
    // without contracts keeps its row; the person responsible joins on
    // nothing, so an empty table leaves its fields empty. Every value is bound.
    // The contract's columns that repeat the establishment's come as "_1".
    QString sql = QStringLiteral("select Empresa.*, Vinculo.*, Responsavel.*\nfrom %1 Empresa\nleft join %2 Vinculo\n"
                                 "on Vinculo.AnBase = Empresa.AnBase\n"
                                 "and Vinculo.CoCgcCeiEstabelecimento = Empresa.CoCgcCeiEstabelecimento\n"
                                 "and Vinculo.NuPrefixoEstabelecimento = Empresa.NuPrefixoEstabelecimento\n")
                      .arg(emp, vinc);
    if (c.partial)
        sql += QStringLiteral(
            "and (Vinculo.CoPisPasepEmpregado || char(9) || Vinculo.DaAdmissaoEmpregado || char(9) ||\n"
            " Vinculo.NoEmpregado || char(9) || Vinculo.NuSequencialRegistro) in (select value from json_each(:sVinculos))\n");
    sql += QStringLiteral("left join (select * from %1 limit 1) Responsavel on 1 = 1\n"
                          "where Empresa.AnBase = :sAnoBase\n"
                          "and (Empresa.CoCgcCeiEstabelecimento || char(9) || Empresa.NuPrefixoEstabelecimento)"
                          " in (select value from json_each(:sEmpresas))\n")
               .arg(resp);
    const QString order = orderColumn(c.classificacao);
    sql += QStringLiteral("order by Empresa.CoCgcCeiEstabelecimento, Empresa.NuPrefixoEstabelecimento, Vinculo.%1")
               .arg(order);
    // Ties in the chosen order keep the key order of the contracts.
    if (order != QLatin1String("CoPisPasepEmpregado")) sql += QStringLiteral(", Vinculo.CoPisPasepEmpregado");
    sql += QStringLiteral(", Vinculo.DaAdmissaoEmpregado, Vinculo.NoEmpregado, Vinculo.NuSequencialRegistro");
    q.SetSQL(sql);
    q.ParamByName(QStringLiteral("sAnoBase")).AsString = c.ano;
    q.ParamByName(QStringLiteral("sEmpresas")).AsString = keysJson(c.establishments);
    if (c.partial) q.ParamByName(QStringLiteral("sVinculos")).AsString = keysJson(c.contracts);
}

// --- the page ---------------------------------------------------------------

namespace {
forms::WizardFrame lastFrame() {
    forms::WizardFrame f = RelatorioFrame(QStringLiteral("fmRelatorio01"), QStringLiteral("Assistente para Imprimir Declaração"));
    f.backName = QStringLiteral("bbVoltar");
    f.nextName = QStringLiteral("bbVisualizar");
    f.nextText = QStringLiteral("Visualizar &Relatório");
    f.cancelName = QStringLiteral("btCancelar");
    return f;
}

QFont listFont(QFont f) {
    f.setFamily(QStringLiteral("Courier New"));
    f.setStyleHint(QFont::TypeWriter);
    return f;
}
}  // namespace

TfmRelatorio01::TfmRelatorio01(QWidget* parent) : forms::WizardPage(lastFrame(), parent) {
    auto* empresas = new QLabel(QStringLiteral("Estabelecimentos"), Panel());
    clbEmpresas = new forms::TickList(Panel());
    clbEmpresas->setObjectName(QStringLiteral("clbEmpresas"));
    clbEmpresas->setFont(listFont(clbEmpresas->font()));
    auto* empregados = new QLabel(QStringLiteral("Empregados/Servidores"), Panel());
    clbEmpregados = new forms::TickList(Panel());
    clbEmpregados->setObjectName(QStringLiteral("clbEmpregados"));
    clbEmpregados->setFont(listFont(clbEmpregados->font()));

    rgAmplitude = new QGroupBox(QStringLiteral("Amplitude "), Panel());
    rgAmplitude->setObjectName(QStringLiteral("rgAmplitude"));
    auto* amplitude = new QHBoxLayout(rgAmplitude);
    rbImprimTotal = new QRadioButton(QStringLiteral("Total"), rgAmplitude);
    rbImprimTotal->setObjectName(QStringLiteral("rbImprimTotal"));
    rbImprimParcial = new QRadioButton(QStringLiteral("Parcial"), rgAmplitude);
    rbImprimParcial->setObjectName(QStringLiteral("rbImprimParcial"));
    amplitude->addWidget(rbImprimTotal);
    amplitude->addWidget(rbImprimParcial);
    rbImprimTotal->setChecked(true);

    gbSelecao = new QGroupBox(QStringLiteral("Seleção  "), Panel());
    gbSelecao->setObjectName(QStringLiteral("gbSelecao"));
    auto* selecao = new QVBoxLayout(gbSelecao);
    rbSelecaoLimpar = new QRadioButton(QStringLiteral("Limpar"), gbSelecao);
    rbSelecaoLimpar->setObjectName(QStringLiteral("rbSelecaoLimpar"));
    rbSelecaoTodos = new QRadioButton(QStringLiteral("Marcar todos empregados/servidores"), gbSelecao);
    rbSelecaoTodos->setObjectName(QStringLiteral("rbSelecaoTodos"));
    selecao->addWidget(rbSelecaoLimpar);
    selecao->addWidget(rbSelecaoTodos);

    auto* options = new QHBoxLayout;
    options->addWidget(rgAmplitude);
    options->addWidget(gbSelecao, 1);
    PanelLayout()->addWidget(empresas);
    PanelLayout()->addWidget(clbEmpresas, 2);
    PanelLayout()->addLayout(options);
    PanelLayout()->addWidget(empregados);
    PanelLayout()->addWidget(clbEmpregados, 3);

    // The preview button's caption is longer than the frame's buttons.
    const int extra = NextButton()->width() / 2;
    NextButton()->setGeometry(NextButton()->geometry().adjusted(-extra, 0, 0, 0));
    BackButton()->move(BackButton()->x() - extra, BackButton()->y());

    connect(rbImprimTotal, &QRadioButton::clicked, this, [this] { rbImprimTotalClick(); });
    connect(rbImprimParcial, &QRadioButton::clicked, this, [this] { rbImprimParcialClick(); });
    connect(rbSelecaoLimpar, &QRadioButton::clicked, this, [this] { rbSelecaoLimparClick(); });
    connect(rbSelecaoTodos, &QRadioButton::clicked, this, [this] { rbSelecaoTodosClick(); });
    connect(clbEmpresas, &forms::TickList::LineTicked, this, [this](int row, bool ticked) { clbEmpresasClickCheck(row, ticked); });
}

TfmRelatorio01::~TfmRelatorio01() {
    if (fmRelatorio01 == this) fmRelatorio01 = nullptr;
}

bool TfmRelatorio01::partial() const { return rbImprimParcial->isChecked(); }

void TfmRelatorio01::PageShown() {
    clbEmpresas->clear();
    clbEmpregados->clear();
    rbImprimTotal->setChecked(true);
    db::Query& q = dmRaveRelatorios->qrConsulta;
    q.Close();
    q.SetSQL(QStringLiteral("Select coCgcCeiEstabelecimento, NuPrefixoEstabelecimento, \n"
                            "NoRazaoEstabelecimento, InInscrEstabelecimento \n"
                            "from %1 where Anbase = :sAnoBase\n"
                            "order by CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento")
                 .arg(tableName(TabelaEmp)));
    q.ParamByName(QStringLiteral("sAnoBase")).AsString = AnoRelatorio;
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) {
        const QString inscricao = field(q, "CoCgcCeiEstabelecimento");
        const QString prefixo = field(q, "NuPrefixoEstabelecimento");
        QListWidgetItem* item = clbEmpresas->AddLine(
            PadRight(FormatInscricao(inscricao, field(q, "InInscrEstabelecimento")), 18) + Spaces(4) + prefixo +
            Spaces(4) + field(q, "NoRazaoEstabelecimento"));
        item->setData(Qt::UserRole, QStringList{inscricao, prefixo});
    }
    q.Close();
    NextButton()->setFocus();
}

void TfmRelatorio01::rbImprimTotalClick() {
    rbImprimTotal->setChecked(true);
    clbEmpregados->clear();
}

void TfmRelatorio01::rbImprimParcialClick() {
    const int ticked = forms::CountTickedItems(clbEmpresas);
    if (ticked >= 2) {
        msg::ShowWarning(QStringLiteral("Não pode imprimir mais de um estabelecimento parcial por vez."));
        rbImprimTotalClick();
        return;
    }
    rbImprimParcial->setChecked(true);
    int row = clbEmpresas->currentRow();
    for (int i = 0; i < clbEmpresas->count(); ++i)
        if (clbEmpresas->IsTicked(i)) row = i;
    if (row < 0) return;
    clbEmpresas->setCurrentRow(row);
    clbEmpresas->SetTicked(row, true);
    const QStringList key = clbEmpresas->item(row)->data(Qt::UserRole).toStringList();
    Inscricao = key.value(0);
    Prefixo = key.value(1);
    fillEmployees();
    clbEmpregados->setFocus();
}

void TfmRelatorio01::clbEmpresasClickCheck(int row, bool ticked) {
    QListWidgetItem* item = clbEmpresas->item(row);
    if (!item) return;
    const QStringList key = item->data(Qt::UserRole).toStringList();
    Inscricao = key.value(0);
    Prefixo = key.value(1);
    if (!partial()) return;
    if (ticked)
        for (int i = 0; i < clbEmpresas->count(); ++i)
            if (i != row) clbEmpresas->SetTicked(i, false);
    fillEmployees();
}

void TfmRelatorio01::fillEmployees() {
    clbEmpregados->clear();
    db::Query& q = dmRaveRelatorios->qrConsulta;
    q.Close();
    q.SetSQL(QStringLiteral("Select CoPisPasepEmpregado, NoEmpregado, DaAdmissaoEmpregado, TxUsoEmpregado, NuSequencialRegistro \n"
                            "from %1 where cocgcceiestabelecimento =:cocgcceiestabelecimento\n"
                            "and NuPrefixoEstabelecimento = :NuPrefixo and Anbase = :sAnoBase\n"
                            "order by %2 ASC, CoPisPasepEmpregado, DaAdmissaoEmpregado, NoEmpregado")
                 .arg(tableName(TabelaVinc), orderColumn(ClassificacaoRelatorio)));
    q.ParamByName(QStringLiteral("cocgcceiestabelecimento")).AsString = Inscricao;
    q.ParamByName(QStringLiteral("NuPrefixo")).AsString = Prefixo;
    q.ParamByName(QStringLiteral("sAnoBase")).AsString = AnoRelatorio;
    q.SetUniDirectional(true);
    q.Open();
    int listed = 0;
    for (q.First(); !q.Eof() && listed < kMaxListed; q.Next(), ++listed) {
        const QString pis = field(q, "CoPisPasepEmpregado");
        const QString admissao = field(q, "DaAdmissaoEmpregado");
        const QString nome = field(q, "NoEmpregado");
        QListWidgetItem* item = clbEmpregados->AddLine(
            employeeLine(ClassificacaoRelatorio, pis, admissao, nome, field(q, "TxUsoEmpregado")));
        item->setData(Qt::UserRole, QStringList{pis, admissao, nome, field(q, "NuSequencialRegistro")});
    }
    q.Close();
    q.SetUniDirectional(false);
    if (listed >= kMaxListed)
        msg::ShowWarning(QStringLiteral("Pode ocorrer problemas na visualização dos dados na tela,\n"
                                        "devido a quantidade de empregados cadastrados."));
    clbEmpregados->SetAllTicked(false);
}

void TfmRelatorio01::rbSelecaoLimparClick() { clbEmpregados->SetAllTicked(false); }
void TfmRelatorio01::rbSelecaoTodosClick() { clbEmpregados->SetAllTicked(true); }

void TfmRelatorio01::bbVisualizarClick() {
    DeclarationReportChoice c;
    c.tabelaEmp = TabelaEmp;
    c.tabelaVinc = TabelaVinc;
    c.tabelaResp = TabelaResp;
    c.ano = AnoRelatorio;
    c.classificacao = ClassificacaoRelatorio;
    for (int i = 0; i < clbEmpresas->count(); ++i)
        if (clbEmpresas->IsTicked(i)) c.establishments << clbEmpresas->item(i)->data(Qt::UserRole).toStringList();
    if (c.establishments.isEmpty()) {
        msg::ShowPlain(QStringLiteral("É necessário selecionar uma empresa antes de imprimir"));
        return;
    }
    c.partial = partial();
    if (c.partial) {
        for (int i = 0; i < clbEmpregados->count(); ++i)
            if (clbEmpregados->IsTicked(i)) c.contracts << clbEmpregados->item(i)->data(Qt::UserRole).toStringList();
        if (c.contracts.isEmpty()) {
            msg::ShowPlain(QStringLiteral("É necessário selecionar um empregado antes de imprimir"));
            return;
        }
    }
    NextButton()->setEnabled(false);
    struct Reenable {
        QPushButton* b;
        ~Reenable() { b->setEnabled(true); }
    } reenable{NextButton()};
    TdmRaveRelatorios* dm = dmRaveRelatorios;
    BuildDeclarationReportQuery(dm->qrConsulta, c);
    dm->qrConsulta.SetUniDirectional(true);
    if (!report::IsPrinterInstalled()) {
        dm->RvSystem1.allowPrintFromPreview = false;
        msg::ShowWarning(QStringLiteral("Não é possível imprimir: não há impressoras instaladas."));
    }
    dm->RvSystem1.setDestination(report::Destination::Preview);
    RunDeclarationReport(ModoCompleto == 1, TituloRelatorio, ClassificacaoRelatorio, fmLOBRIX ? fmLOBRIX->Versao : QString(),
                         fmLOBRIX ? fmLOBRIX->AnoBase : 2009, fmLOBRIX ? fmLOBRIX->CreaRelatorio : QStringLiteral(" "));
    dm->qrConsulta.Close();
    dm->qrConsulta.SetUniDirectional(false);
}

void TfmRelatorio01::bbVoltarClick() { GoBack(); }

void TfmRelatorio01::btCancelarClick() {
    if (fmLOBRIX) fmLOBRIX->CreaRelatorio = QStringLiteral(" ");
    CancelWizard();
}
