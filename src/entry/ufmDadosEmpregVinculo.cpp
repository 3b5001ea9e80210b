// The employee form's pages of the contract and its termination, the
// absences, the union contributions and the termination payments.
#include "EmployeeFormParts.h"
#include "platform/db/Table.h"
#include "platform/ui/ControlTable.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/PageControl.h"
#include "platform/ui/SilentAbort.h"
#include "rules/ugConstantes.h"
#include "rules/ugRegrasAfastContrib.h"
#include "rules/ugRegrasContrato.h"
#include "rules/ugRegrasEndereco.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ugFuncoes.h"
#include "EntryShared.h"
#include "ufmDadosEmpreg.h"
#include "ufmTb8Afast.h"
#include "ufmTb8Munic.h"
#include "ufmTb8Vinc.h"
#include "ufmTb8desl.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QRadioButton>
#include <QTabBar>
#include <QToolButton>
#include <QVBoxLayout>

using namespace employee_form;

namespace {

const QString kOk = QStringLiteral("0000");

const char* const kReasonFields[3] = {"CoMotivoPrimAfas", "CoMotivoSeguAfas", "CoMotivoTercAfas"};
const char* const kStartFields[3] = {"DaInicioprimeiroAfas", "DaInicioSegundoAfas", "DaInicioTerceiroAfas"};
const char* const kEndFields[3] = {"DaFinalPrimeiroAfas", "DaFinalSegundoAfas", "DaFinalTerceiroAfas"};

struct UnionRow {
    const char* cnpjEdit;
    const char* valueEdit;
    const char* cnpjField;
    const char* valueField;
    const char* kind;
    const char* cnpjHint;
    const char* valueHint;
};
const UnionRow kUnionRows[5] = {
    {"deCNPJSindical", "deValorSindical", "CoCNPJSindical", "VaGlobalSindical", "sindical",
     "Informe o CNPJ da entidade sindical de empregados beneficiada com a contribuição sindical.",
     "Informe o valor total repassado a título de contribuição sindical deste trabalhador."},
    {"deCNPJPrimeiroAssociativa", "devalorPrimeiroAssociativa", "CoCNPJPrimAssociativa", "VaGlobalPrimAssociativa",
     "associativa", "Informe o CNPJ da entidade sindical de empregados beneficiada com a contribuição associativa.",
     "Informe o valor total repassado a título de contribuição associativa deste trabalhador."},
    {"deCNPJSegundoAssociativa", "deValorSegundoAssociativa", "CoCNPJSegAssociativa", "VaGlobalSegAssociativa",
     "associativa", "Informe o CNPJ da entidade sindical de empregados beneficiada com a contribuição associativa.",
     "Informe o valor total repassado a título de contribuição associativa deste trabalhador."},
    {"deCNPJAssistencial", "deValorAssistencial", "CoCNPJAssistencial", "VaGlobalAssistencial", "assistencial",
     "Informe o CNPJ da entidade sindical de empregados beneficiada com a contribuição assistencial.",
     "Informe o valor total repassado a título de contribuição assistencial deste trabalhador."},
    {"deCNPJConfederativa", "deValorConfederativa", "CoCNPJConfederativa", "VaGlobalConfederativa", "confederativa",
     "Informe o CNPJ da entidade sindical de empregados beneficiada com a contribuição confederativa.",
     "Informe o valor total repassado a título de contribuição confederativa deste trabalhador."},
};

struct TerminationRow {
    const char* valueEdit;
    const char* valueField;
    const char* caption;
    const char* hint;
    const char* monthsEdit;
    const char* monthsField;
};
const TerminationRow kTerminationRows[5] = {
    {"deValorGlobalFerias", "VaGlobalFerias", "Férias Indenizadas",
     "Informe o valor total das férias pagas na rescisão, incluindo o adicional constitucional.", nullptr, nullptr},
    {"deValorGlobalMultas", "VaGlobalMultas", "Multas Rescisórias do FGTS",
     "Informe a multa de 40% sobre o saldo do fgts depositado pela empresa.", nullptr, nullptr},
    {"deValorGlobalBcoHoras", "VaGlobalBcoHoras", "Banco de Horas",
     "Informe o valor total das horas-extras pagas na rescisão contratual.", "deCompetenciaHoras", "QtCompBcoHoras"},
    {"deValorGlobalDissidio", "VaGlobalDissidio", "Reajuste Coletivo",
     "Informe o valor total do acréscimo salarial pago na rescisão contratual, em reais com centavos.",
     "deCompetenciaDissidio", "QtCompDissidio"},
    {"deValorGlobalGratificacoes", "VaGlobalGratificacoes", "Gratificações",
     "Informe o valor total das gratificações pagas na rescisão contratual.", "deCompetenciaGratificacoes",
     "QtCompGratificacoes"},
};

ui::ControlRow radioRow(const char* name, int page, int help, const char* field, const char* title,
                        const char* hint, QStringList items, ui::RadioGroup** out) {
    ui::ControlRow r;
    r.name = QLatin1String(name);
    r.page = page;
    r.help = help;
    r.field = QLatin1String(field);
    if (hint) r.hint = QString::fromUtf8(hint);
    r.title = QString::fromUtf8(title);
    r.items = std::move(items);
    r.values = {QStringLiteral("1"), QStringLiteral("2")};
    r.columns = 2;
    r.group = out;
    return r;
}

void setTabStop(QWidget* w, bool tabStop) { w->setFocusPolicy(tabStop ? Qt::StrongFocus : Qt::ClickFocus); }

// Read-only in the button-face colour (the menu colour is SetLocked's).
void setGreyed(QLineEdit* edit) {
    edit->setReadOnly(true);
    edit->setStyleSheet(QStringLiteral("QLineEdit { background: palette(button); }"));
}

void setEditable(QLineEdit* edit) {
    edit->setStyleSheet(QString());
    ui::SetLocked(edit, false);
}

void setMenuLocked(QLineEdit* edit) {
    edit->setStyleSheet(QString());
    ui::SetLocked(edit, true);
}

QString exemptUnionTaxCnpj() {
    return QString::fromLatin1(ugConstantes::kCnpjIsentoSindical.data(), int(ugConstantes::kCnpjIsentoSindical.size()));
}

}  // namespace

// ---- Building -------------------------------------------------------------------

void TfmDadosEmpreg::buildContractPages() {
    buildContractPage();
    buildAbsencePage();
    buildUnionPage();
    buildTerminationPage();
}

void TfmDadosEmpreg::buildContractPage() {
    using namespace ui;
    const int p = kContract;
    controls_->Add({
        EditRow("deVinculo", p, 81, "CoVinculo", 0,
            "Informe o tipo de vínculo empregatício ou relação de emprego ou selecione-o clicando no botão ao lado",
            &deVinculo),
        EditRow("edTxVinculo", p, 0, nullptr, kReadOnly | kNoTabStop, nullptr, &edTxVinculo),
        radioRow("dgAlvara", p, 82, "InAlvaraEmpregado", "Alvará",
                 "Informe se existe alvará autorizando o trabalho do menor de 16 anos de idade",
                 {QStringLiteral("Sim"), QStringLiteral("Não")}, &dgAlvara),
        EditRow("deCodDeslig", p, 90, "CoCausaDesligamento", 0,
            "Informe a causa do desligamento de emprego ou selecione-o clicando no botão ao lado.", &deCodDeslig),
        EditRow("edTxDesligamento", p, 0, nullptr, kReadOnly | kNoTabStop, nullptr, &edTxDesligamento),
        EditRow("deDataDeslig", p, 89, "DaDesligamentoEmpregado", 0, "Informe o dia e mês do desligamento.",
            &deDataDeslig),
        EditRow("deAnoDeslig", p, 89, nullptr, 0, nullptr, &deAnoDeslig),
        EditRow("edAvisoPrevio", p, 94, nullptr, kNoTabStop,
            "Informe o valor do aviso prévio recebido pelo empregado, em reais (com centavos).", &edAvisoPrevio),
        EditRow("deMunicipioTrabalho", p, 166, "CoMunicipioTrabalho", 0,
            "Informe o código do município onde o empregado esteja trabalhando ou prestando serviço ou "
            "selecione-o clicando no botão ao lado",
            &deMunicipioTrabalho),
        EditRow("deNomeMunicipioTrabalho", p, 0, nullptr, kReadOnly | kNoTabStop, nullptr, &deNomeMunicipioTrabalho),
        EditRow("deSiglaUFTrabalho", p, 0, nullptr, kReadOnly | kNoTabStop, nullptr, &deSiglaUFTrabalho),
        EditRow("tabInnerVinc", p, 0, nullptr, 0, nullptr, &tabInnerVinc),
    });
    MakeMoneyEdit(edAvisoPrevio);
    setGreyed(edAvisoPrevio);
    setGreyed(deDataDeslig);
    setGreyed(deAnoDeslig);
    tabInnerVinc->setFixedSize(1, 1);
    sbVinculo = PickerButton(tVinculo, "sbVinculo");
    sbDesligamento = PickerButton(tVinculo, "sbDesligamento");
    bbCodMunicipio = PickerButton(tVinculo, "bbCodMunicipio", "Selecione o Código do Município.");

    auto* grid = new QGridLayout(tVinculo);
    Compact(grid);
    auto* contractGroup = Group("Vínculo ", tVinculo);
    auto* cg = new QVBoxLayout(contractGroup);
    Compact(cg);
    cg->addWidget(CodeRow(deVinculo, sbVinculo, edTxVinculo, 40));
    auto* note = new QLabel(QStringLiteral(
        "Informe o tipo de vínculo empregatício ou relação de emprego. No caso do empregado/servidor possuir dois "
        "vínculos com o mesmo empregador, as informações devem ser prestadas separadamente."));
    note->setWordWrap(true);
    cg->addWidget(note);
    cg->addWidget(dgAlvara);
    grid->addWidget(contractGroup, 0, 0);

    auto* dismissal = Group("Desligamento/Movimentação/Aposentadoria", tVinculo);
    auto* dg = new QGridLayout(dismissal);
    Compact(dg);
    dg->addWidget(CodeRow(deCodDeslig, sbDesligamento, edTxDesligamento, 40), 0, 0, 1, 4);
    dg->addWidget(Caption("Dia/Mês/Ano", deDataDeslig), 1, 0);
    deDataDeslig->setMaximumWidth(70);
    deAnoDeslig->setMaximumWidth(60);
    dg->addWidget(deDataDeslig, 1, 1);
    dg->addWidget(deAnoDeslig, 1, 2);
    auto* notice = new QHBoxLayout;
    notice->addWidget(Caption("Aviso Prévio Indenizado (R$)", edAvisoPrevio));
    edAvisoPrevio->setMaximumWidth(130);
    notice->addWidget(edAvisoPrevio);
    dg->addLayout(notice, 1, 3);
    auto* dnote = new QLabel(QStringLiteral(
        "Desligamento, extinção de emprego, transferência  e redistribuição só devem ser informados se ocorreram "
        "durante o ano-base."));
    dnote->setWordWrap(true);
    dg->addWidget(dnote, 2, 0, 1, 4);
    dg->setColumnStretch(3, 1);
    grid->addWidget(dismissal, 1, 0);

    auto* work = RowIn(Group("Local de Trabalho", tVinculo), grid, 2, 0);
    work->addWidget(CodeRow(deMunicipioTrabalho, bbCodMunicipio, deNomeMunicipioTrabalho, 80), 1);
    deSiglaUFTrabalho->setMaximumWidth(40);
    work->addWidget(deSiglaUFTrabalho);
    work->addWidget(tabInnerVinc);
    grid->setRowStretch(3, 1);

    QWidget* order[] = {deVinculo, dgAlvara->Button(0), dgAlvara->Button(1), deCodDeslig, deDataDeslig,
                        deAnoDeslig, edAvisoPrevio, deMunicipioTrabalho, tabInnerVinc};
    for (size_t i = 1; i < std::size(order); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfmDadosEmpreg::buildAbsencePage() {
    using namespace ui;
    const int p = kAbsence;
    static const char* const names[3][5] = {
        {"dePrimCod", "sbPrimAfastamento", "edTxPrimAfast", "dePrimInicio", "dePrimFinal"},
        {"deSegCod", "sbSegAfastamento", "edTxSegAfas", "deSegInicio", "deSegFinal"},
        {"deTerCod", "sbTerAfastamento", "EdTxTerAfas", "deTerInicio", "deTerFinal"},
    };
    for (int s = 0; s < 3; ++s) {
        controls_->Add({
            EditRow(names[s][0], p, 85, kReasonFields[s], 0,
                s == 1 ? " Informe o código de Afastamento ou selecione-o clicando no botão ao lado"
                       : "Informe o código de Afastamento ou selecione-o clicando no botão ao lado",
                &deAfastCod[s]),
            EditRow(names[s][2], p, 0, nullptr, kNoTabStop, nullptr, &edTxAfast[s]),
            EditRow(names[s][3], p, 86, kStartFields[s], 0,
                s == 0 ? "Informe a Data Inicio do Afastamento no formato dia/mês. "
                       : "Informe a Data Inicio do Afastamento no formato dia/mês.",
                &deAfastInicio[s]),
            EditRow(names[s][4], p, 86, kEndFields[s], 0, "Informe a Data Final de Afastamento no formato dia/mês.",
                &deAfastFinal[s]),
        });
        setGreyed(edTxAfast[s]);
        sbAfast[s] = PickerButton(tAfastamento, names[s][1]);
    }
    controls_->Add(EditRow("deAfastQtDias", p, 87, "QtDiasAfas", 0, "Informe a Quantidade de Dias Afastados no Ano-Base",
                       &deAfastQtDias));

    auto* outer = new QVBoxLayout(tAfastamento);
    Compact(outer);
    auto* note = new QLabel(QStringLiteral(
        "Selecione o motivo do afastamento do empregado/servidor.No caso do empregado/servidor afastado por mais "
        "de um motivo no ano-base, informar o motivo correspondente a cada afastamento. "));
    note->setWordWrap(true);
    outer->addWidget(note);
    auto* box = Group("Afastamento", tAfastamento);
    auto* grid = new QGridLayout(box);
    Compact(grid);
    grid->addWidget(Caption("Cód."), 0, 1);
    grid->addWidget(Caption("Data Inicio (dd/mm)"), 0, 2);
    grid->addWidget(Caption("Data Final (dd/mm)"), 0, 3);
    static const char* const slotNames[3] = {"Primeiro Afastamento", "Segundo Afastamento", "Terceiro Afastamento"};
    for (int s = 0; s < 3; ++s) {
        grid->addWidget(Caption(slotNames[s], deAfastCod[s]), s + 1, 0);
        grid->addWidget(CodeRow(deAfastCod[s], sbAfast[s], edTxAfast[s], 40), s + 1, 1);
        deAfastInicio[s]->setMaximumWidth(70);
        deAfastFinal[s]->setMaximumWidth(70);
        grid->addWidget(deAfastInicio[s], s + 1, 2);
        grid->addWidget(deAfastFinal[s], s + 1, 3);
    }
    grid->addWidget(Caption("Total de Dias", deAfastQtDias), 4, 0);
    deAfastQtDias->setMaximumWidth(60);
    grid->addWidget(deAfastQtDias, 4, 1);
    grid->setColumnStretch(1, 1);
    outer->addWidget(box);
    outer->addStretch();

    std::vector<QWidget*> order;
    for (int s = 0; s < 3; ++s) {
        order.push_back(deAfastCod[s]);
        order.push_back(deAfastInicio[s]);
        order.push_back(deAfastFinal[s]);
    }
    order.push_back(deAfastQtDias);
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfmDadosEmpreg::buildUnionPage() {
    using namespace ui;
    const int p = kUnion;
    for (int r = 0; r < 5; ++r) {
        const UnionRow& u = kUnionRows[r];
        controls_->Add({EditRow(u.cnpjEdit, p, 167, u.cnpjField, 0, u.cnpjHint, &deUnionCnpj[r]),
                        EditRow(u.valueEdit, p, 167, nullptr, 0, u.valueHint, &deUnionValue[r])});
        MakeMoneyEdit(deUnionValue[r]);
        if (r == 0)
            controls_->Add(radioRow("dbrSindicalizado", p, 199, "InSindicalizadoVinculo", "",
                                    "Informar se o empregado é filiado a sindicato.",
                                    {QStringLiteral("Sim"), QStringLiteral("Não")}, &dbrSindicalizado));
    }
    auto* outer = new QVBoxLayout(tSindicais);
    Compact(outer);
    auto* box = Group("Informações Sindicais Laborais", tSindicais);
    auto* grid = new QGridLayout(box);
    Compact(grid);
    grid->addWidget(Caption("CNPJ da entidade sindical beneficiária"), 0, 1);
    grid->addWidget(Caption("Valor Total Recolhido (R$)"), 0, 2);
    auto* label70 = new QLabel(QStringLiteral("             Contribuição Associativa\r\n(Mensalidade Sindical do Filiado)"));
    label70->setObjectName(QStringLiteral("Label70"));
    Label70 = label70;
    const QWidget* labels[5] = {Caption("Contribuição (Tributo) Sindical"), label70, nullptr,
                                Caption("Contribuição Assistencial"), Caption("Contribuição Confederativa")};
    int line = 1;
    for (int r = 0; r < 5; ++r) {
        if (labels[r]) grid->addWidget(const_cast<QWidget*>(labels[r]), line, 0, r == 1 ? 2 : 1, 1);
        deUnionCnpj[r]->setMaximumWidth(170);
        deUnionValue[r]->setMaximumWidth(130);
        grid->addWidget(deUnionCnpj[r], line, 1);
        grid->addWidget(deUnionValue[r], line, 2);
        ++line;
        if (r == 0) {
            auto* member = new QHBoxLayout;
            member->addWidget(Caption("Empregado é filiado a sindicato?"));
            member->addWidget(dbrSindicalizado);
            grid->addLayout(member, line++, 0, 1, 3);
        }
    }
    grid->setColumnStretch(3, 1);
    outer->addWidget(box);
    outer->addStretch();

    std::vector<QWidget*> order{deUnionCnpj[0], deUnionValue[0], dbrSindicalizado->Button(0),
                                dbrSindicalizado->Button(1)};
    for (int r = 1; r < 5; ++r) {
        order.push_back(deUnionCnpj[r]);
        order.push_back(deUnionValue[r]);
    }
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

void TfmDadosEmpreg::buildTerminationPage() {
    using namespace ui;
    const int p = kTermination;
    int months = 0;
    for (int r = 0; r < 5; ++r) {
        const TerminationRow& t = kTerminationRows[r];
        controls_->Add(EditRow(t.valueEdit, p, 168, nullptr, 0, t.hint, &deTerminationValue[r]));
        MakeMoneyEdit(deTerminationValue[r]);
        if (t.monthsEdit)
            controls_->Add(EditRow(t.monthsEdit, p, 168, t.monthsField, 0,
                               "Informe a quantidade de meses que ocorreu o fato gerador.",
                               &deTerminationMonths[months++]));
    }
    auto* outer = new QVBoxLayout(tVerbas);
    Compact(outer);
    auto* box = Group("Verbas Pagas na Rescisão", tVerbas);
    auto* grid = new QGridLayout(box);
    Compact(grid);
    grid->addWidget(Caption("VALOR TOTAL ( R$)"), 0, 1);
    grid->addWidget(Caption("QTDE DE MESES"), 0, 2);
    std::vector<QWidget*> order;
    for (int r = 0; r < 5; ++r) {
        grid->addWidget(Caption(kTerminationRows[r].caption, deTerminationValue[r]), r + 1, 0);
        deTerminationValue[r]->setMaximumWidth(130);
        grid->addWidget(deTerminationValue[r], r + 1, 1);
        order.push_back(deTerminationValue[r]);
        if (r >= 2) {
            deTerminationMonths[r - 2]->setMaximumWidth(50);
            grid->addWidget(deTerminationMonths[r - 2], r + 1, 2);
            order.push_back(deTerminationMonths[r - 2]);
        }
    }
    grid->setColumnStretch(3, 1);
    outer->addWidget(box);
    outer->addStretch();
    for (size_t i = 1; i < order.size(); ++i) QWidget::setTabOrder(order[i - 1], order[i]);
}

QWidget* TfmDadosEmpreg::tVinculoFirstField() const { return deVinculo; }
QWidget* TfmDadosEmpreg::terminationFirstField() const { return deTerminationValue[0]; }

// ---- Handlers -------------------------------------------------------------------

void TfmDadosEmpreg::connectContractHandlers() {
    auto onExit = [this](QWidget* field, std::function<void()> handler) { kit_->OnExit(field, std::move(handler)); };
    auto onEnter = [this](QWidget* field, std::function<void()> handler) { kit_->OnEnter(field, std::move(handler)); };
    auto samePage = [this] { return CheckFocusNotOnButton() && CheckFocusNotOnOtherPage(); };
    auto money = [this](QLineEdit* edit) {
        kit_->OnEnter(edit, [this, edit] {
            edit->setText(MoneyForEditing(edit->text()));
            edit->selectAll();
        });
    };

    // Contract page.
    onExit(deVinculo, [this] { deVinculoExit(); });
    onEnter(dgAlvara, [this] { dgAlvaraEnter(); });
    onExit(dgAlvara, [this] { dgAlvaraExit(); });
    onExit(deCodDeslig, [this] { deCodDesligExit(); });
    onEnter(deDataDeslig, [this] { deDataDesligEnter(); });
    onExit(deDataDeslig, [this] { deDataDesligExit(); });
    onEnter(deAnoDeslig, [this] { moveFocus(edAvisoPrevio->isReadOnly() ? deMunicipioTrabalho : edAvisoPrevio); });
    money(edAvisoPrevio);
    onExit(edAvisoPrevio, [this] { edAvisoPrevioExit(); });
    onExit(deMunicipioTrabalho, [this] { deMunicipioTrabalhoExit(); });
    onEnter(tabInnerVinc, [this] { moveFocus(deAfastCod[0]); });

    // Absences: no page test here, a tab click runs the check too.
    for (int s = 0; s < 3; ++s) {
        onExit(deAfastCod[s], [this, s] { AbsenceReasonExit(s); });
        onExit(deAfastInicio[s], [this, s] {
            if (CheckFocusNotOnButton()) AbsenceStartCheck(s);
        });
        onExit(deAfastFinal[s], [this, s] {
            if (CheckFocusNotOnButton()) AbsenceEndCheck(s);
        });
    }
    onExit(deAfastQtDias, [this] {
        if (!CheckFocusNotOnButton()) return;
        AbsenceDaysCheck();
        if (rule(CheckDigitsLength(PadLeftZeros(F("QtDiasAfas").trimmed(), 3), QStringLiteral("3"))) != kOk)
            fail(LastMessageCode, deAfastQtDias);
        if (CheckFocusNotOnOtherPage()) moveFocus(deUnionCnpj[0]);
    });

    // Union contributions.
    for (int r = 0; r < 5; ++r) {
        onExit(deUnionCnpj[r], [this, r] { UnionCnpjExit(r); });
        money(deUnionValue[r]);
    }
    onExit(deUnionValue[0], [this] {
        if (CheckFocusNotOnButton()) UnionValueCheck(0, 1);
        dbrSindicalizadoEnter();  // even towards a button: queued, so a press on Cancelar completes
    });
    onEnter(dbrSindicalizado, [this] { dbrSindicalizadoEnter(); });
    onExit(dbrSindicalizado, [=, this] {
        if (samePage()) dbrSindicalizadoExit();
    });
    for (int r : {1, 2}) {
        onExit(deUnionValue[r], [this, r] {
            const QString t = deUnionValue[r]->text().trimmed();
            if (CheckFocusNotOnButton() && !t.isEmpty() && t != QLatin1String("0,00")) UnionValueCheck(r, 0);
        });
    }
    onExit(deUnionValue[3], [this] {
        if (CheckFocusNotOnButton()) UnionValueCheck(3, 0);
    });
    onExit(deUnionValue[4], [this] {
        if (!CheckFocusNotOnButton()) return;
        const QString t = deUnionValue[4]->text().trimmed();
        if (!t.isEmpty() && t != QLatin1String("0,00")) UnionValueCheck(4, 0);
        if (CheckFocusNotOnOtherPage()) moveFocus(edMonths[0]);
    });

    // Termination payments.
    for (int r = 0; r < 5; ++r) {
        money(deTerminationValue[r]);
        onExit(deTerminationValue[r], [this, r] {
            if (CheckFocusNotOnButton()) TerminationAmountCheck(r);
        });
    }
    for (int r = 0; r < 3; ++r)
        onExit(deTerminationMonths[r], [this, r] {
            if (CheckFocusNotOnButton()) TerminationMonthsCheck(r);
        });

    auto picker = [this](QToolButton* button, std::function<void()> action) {
        connect(button, &QToolButton::clicked, this, [this, action] {
            if (!kit_->RunPendingChecks()) return;
            kit_->RunAction(action);
        });
    };
    picker(sbVinculo, [this] { sbVinculoClick(); });
    picker(sbDesligamento, [this] { sbDesligamentoClick(); });
    picker(bbCodMunicipio, [this] { bbCodMunicipioClick(); });
    for (int s = 0; s < 3; ++s) picker(sbAfast[s], [this, s] { sbAfastClick(s); });
}

// ---- Contract type and alvará -------------------------------------------------------

void TfmDadosEmpreg::deVinculoExit() {
    if (!CheckFocusNotOnButton() || !CheckFocusNotOnOtherPage()) return;
    if (ui::EditValue(deVinculo).trimmed().isEmpty()) {
        edTxVinculo->clear();
        return;
    }
    deVinculoCheck(1);
    dgAlvaraCheck();
}

void TfmDadosEmpreg::deVinculoCheck(int onExit) {
    const QString type = F("CoVinculo");
    const QString birth = F("DaNascimentoEmpregado");
    const QString admission = F("DaAdmissaoEmpregado");
    if (rule(CheckContractType(type)) != kOk) fail(LastMessageCode, deVinculo);
    if (rule(CheckContractTypeForPis(type, ContextPis)) != kOk) fail(LastMessageCode, deVinculo);
    if (rule(CheckContractTypeForInscriptionType(type, ContextInscriptionType)) != kOk)
        fail(LastMessageCode, deVinculo);
    if (rule(CheckApprenticeAge(type, birth, admission, F("InDeficienteFisico"))) != kOk)
        fail(LastMessageCode, deVinculo);
    const QString name = LookupName(dmLobrix->taTpVinc, type, "NoVinculo");
    edTxVinculo->setText(name);
    SetF("TxtVinculo", name.left(100));
    if (!onExit) return;
    // Each of these warnings is shown at most three times in a run.
    auto warn = [](const QString& code, int& counter) {
        if (code == QLatin1String("0000") || counter == 0) return;
        ShowMessageByCode(code);
        if (++counter > 3) counter = 0;
    };
    const QString cnae = establishment().Active()
                             ? establishment().FieldByName(QStringLiteral("CoCnae2")).AsString() : QString();
    const QString nature = establishment().Active()
                               ? establishment().FieldByName(QStringLiteral("CoNaturezaJuridica")).AsString()
                               : QString();
    warn(rule(CheckContractTypeForCnae(type, cnae)), dmEntradaDados->QtAvisoVinculoCnae);
    warn(rule(CheckContractTypeForLegalNature(type, nature)), dmEntradaDados->QtAvisoVinculoNatJur);
}

void TfmDadosEmpreg::dgAlvaraEnter() {
    for (int i = 0; i < dgAlvara->Count(); ++i) ui::SetHelpContext(dgAlvara->Button(i), 82);
    const int chosen = dgAlvara->ItemIndex();
    moveFocus(dgAlvara->Button(chosen >= 0 ? chosen : 0));
}

void TfmDadosEmpreg::dgAlvaraCheck() {
    const QString permit = F("InAlvaraEmpregado").trimmed();
    alvaraBirth_ = F("DaNascimentoEmpregado").trimmed();
    alvaraType_ = F("CoVinculo").trimmed();
    const QString code = rule(CheckMinorAdmission(permit, alvaraBirth_, alvaraType_, F("DaAdmissaoEmpregado").trimmed()));
    auto refuse = [this](bool toPersonalPage) {
        SetF("InAlvaraEmpregado", QStringLiteral("2"));
        kit_->RefreshAll();
        if (toPersonalPage) ui::FocusBack(deNomeEmpregado);
        throw SilentAbort();
    };
    // "Sim" to the question: an apprentice's alvará is questioned once more.
    auto permitGiven = [&](bool firstAnswer) {
        if (alvaraType_ != QLatin1String("55")) {
            dgAlvara->setEnabled(true);
            SetF("InAlvaraEmpregado", QStringLiteral("1"));
            return;
        }
        ShowMessageByCode(QStringLiteral("3531"));
        LastMessageCode = ShowMessageByCode(QStringLiteral("3532"));
        if (LastMessageCode == QLatin1String("mrNo")) refuse(firstAnswer);
    };
    const QString question = QStringLiteral("Existe alvará autorizando menor de 16 anos de idade ?");
    if (code == QLatin1String("3133")) {
        pcEmpregados->SetCurrentPage(kContract);
        if (msg::AskYesNo(question)) {
            permitGiven(true);
            return;
        }
        ShowMessageByCode(QStringLiteral("3533"));
        if (msg::AskYesNo(question)) {
            permitGiven(false);
            return;
        }
        LastMessageCode = ShowMessageByCode(QStringLiteral("3532"));
        // Only a clear Yes deletes the contract; any other answer keeps it without alvará.
        if (LastMessageCode == QLatin1String("mrYes")) DeleteContractWithoutAsking();
        refuse(false);
    }
    if (code == QLatin1String("3531")) {
        ShowMessageByCode(code);
        LastMessageCode = ShowMessageByCode(QStringLiteral("3532"));
        if (LastMessageCode == QLatin1String("mrNo")) refuse(true);
    }
}

void TfmDadosEmpreg::dgAlvaraExit() {
    // Runs wherever the focus went, buttons included.
    if (dgAlvara->ItemIndex() != 1) return;
    const QString code = rule(CheckMinorAdmission(F("InAlvaraEmpregado").trimmed(), alvaraBirth_, alvaraType_,
                                                  F("DaAdmissaoEmpregado").trimmed()));
    if (code != QLatin1String("3133")) return;
    pcEmpregados->SetCurrentPage(kContract);
    ShowMessageByCode(QStringLiteral("3533"));
    LastMessageCode = ShowMessageByCode(QStringLiteral("3532"));
    if (LastMessageCode == QLatin1String("mrYes")) DeleteContractWithoutAsking();
    SetF("InAlvaraEmpregado", QStringLiteral("2"));
    kit_->RefreshAll();
    ui::FocusBack(deNomeEmpregado);
    throw SilentAbort();
}

// ---- Dismissal ----------------------------------------------------------------------

void TfmDadosEmpreg::deCodDesligCheck() {
    QString cause = F("CoCausaDesligamento").trimmed();
    if (cause.isEmpty()) cause = QStringLiteral("00");
    if (rule(CheckDismissalCause(cause)) != kOk) fail(LastMessageCode, deCodDeslig);
    const QString closing = establishment().Active()
                                ? establishment().FieldByName(QStringLiteral("InEncerramentoAtividade")).AsString()
                                : QString();
    if (rule(CheckDismissalCauseForClosing(closing, ContextBaseYear, cause, QString::number(DeclarationBaseYear()))) != kOk)
        fail(LastMessageCode, deCodDeslig);
    const QString name = LookupName(dmLobrix->taDesl, cause, "NoCausaDesligamento");
    edTxDesligamento->setText(name);
    SetF("TxtDesligamento", name.left(100));
}

void TfmDadosEmpreg::deCodDesligExit() {
    if (!CheckFocusNotOnButton() || !CheckFocusNotOnOtherPage()) return;
    const QString typed = ui::EditValue(deCodDeslig).trimmed();
    if (typed == QLatin1String("78") || typed == QLatin1String("80")) {
        deAnoDeslig->clear();
        setGreyed(deAnoDeslig);
        SetF("DaDesligamentoEmpregado", QString());
    }
    if (F("CoCausaDesligamento").trimmed().isEmpty()) {
        edTxDesligamento->clear();
        deAnoDeslig->clear();
        setGreyed(deAnoDeslig);
        SetF("DaDesligamentoEmpregado", QString());
        setGreyed(deDataDeslig);
        ClearNoticePay();
        edAvisoPrevio->setText(FormatMoneyText(QStringLiteral("0")));
        setGreyed(edAvisoPrevio);
        moveFocus(deMunicipioTrabalho);
        return;
    }
    deCodDesligCheck();
    pcEmpregados->SetCurrentPage(kContract);
    ApplyDismissalCause(typed);
}

void TfmDadosEmpreg::ApplyDismissalCause(const QString& cause) {
    const DismissalCauseEffect effect = EffectOfDismissalCause(cause);
    if (effect.dateOpen) {
        setEditable(deDataDeslig);
        setEditable(deAnoDeslig);
    } else {
        deAnoDeslig->clear();
        setGreyed(deAnoDeslig);
        setGreyed(deDataDeslig);
    }
    if (effect.noticePayOpen) {
        NoticePayAnswered = 1;
        setEditable(edAvisoPrevio);
    } else {
        NoticePayAnswered = 0;
        setGreyed(edAvisoPrevio);
        ClearNoticePay();
        edAvisoPrevio->setText(FormatMoneyText(QStringLiteral("0")));
    }
    SwitchTerminationPayments(cause);
    if (effect.clearDate) SetF("DaDesligamentoEmpregado", QString());
    moveFocus(effect.focusDate ? deDataDeslig : deMunicipioTrabalho);
}

void TfmDadosEmpreg::SwitchTerminationPayments(const QString& cause) {
    const DismissalCauseEffect effect = EffectOfDismissalCause(cause);
    if (effect.clearTermination) {
        DisableTerminationPayments();
        ClearTerminationPayments();
    }
    if (effect.terminationOpen == 0) {
        SetF("DaDesligamentoEmpregado", QString());
        ClearNoticePay();
        setGreyed(deDataDeslig);
    }
    if (effect.terminationOpen == 1) TerminationPaymentsOpen = 1;
    if (TerminationPaymentsOpen == 1) SetTerminationFields(true, true);
}

void TfmDadosEmpreg::DisableTerminationPayments() {
    TerminationPaymentsOpen = 0;
    SetTerminationFields(false, false);
}

void TfmDadosEmpreg::ClearTerminationPayments() {
    if (TerminationPaymentsOpen != 0) return;
    SetF("VaGlobalFerias", QStringLiteral("00000000"));
    for (QLineEdit* e : deTerminationValue) e->setText(FormatMoneyText(QStringLiteral("0")));
    for (int r = 0; r < 3; ++r) {
        deTerminationMonths[r]->clear();
        SetF(kTerminationRows[r + 2].monthsField, QString());
    }
}

void TfmDadosEmpreg::ClearNoticePay() {
    if (TerminationPaymentsOpen != 0) return;
    SetF("VaAvisoPrevioEmpregado", QStringLiteral("000000000"));
    edAvisoPrevio->setText(FormatMoneyText(QStringLiteral("0,00")));
    setGreyed(edAvisoPrevio);
}

void TfmDadosEmpreg::SetTerminationFields(bool enabled, bool editable) {
    for (QLineEdit* e : deTerminationValue) {
        e->setEnabled(enabled);
        if (editable) setEditable(e);
        else setMenuLocked(e);
    }
    for (QLineEdit* e : deTerminationMonths) {
        e->setEnabled(enabled);
        if (editable) setEditable(e);
        else setMenuLocked(e);
    }
}

bool TfmDadosEmpreg::AnyTerminationValue() const {
    for (QLineEdit* e : deTerminationValue)
        if (!IsAllZeros(DisplayToCents8(e->text())) && !e->text().trimmed().isEmpty()) return true;
    for (int r = 0; r < 3; ++r)
        if (!F(kTerminationRows[r + 2].monthsField).trimmed().isEmpty() &&
            !IsAllZeros(F(kTerminationRows[r + 2].monthsField).trimmed()))
            return true;
    return false;
}

void TfmDadosEmpreg::FillDismissalYear() {
    const int base = DeclarationBaseYear();
    const QString closing = establishment().Active()
                                ? establishment().FieldByName(QStringLiteral("DaEncerramentoAtividade")).AsString()
                                : QString();
    const QString year = closing.mid(4, 4).trimmed();
    if (year.isEmpty() || IsAllZeros(year) || year == QString::number(base)) deAnoDeslig->setText(QString::number(base));
    else if (year == QString::number(base + 1)) deAnoDeslig->setText(QString::number(base + 1));
    else deAnoDeslig->clear();
}

void TfmDadosEmpreg::deDataDesligEnter() {
    const QString cause = ui::EditValue(deCodDeslig).trimmed();
    if (!cause.isEmpty() && cause != QLatin1String("78") && cause != QLatin1String("80")) FillDismissalYear();
    else deAnoDeslig->clear();
}

void TfmDadosEmpreg::deDataDesligCheck() {
    QString date = F("DaDesligamentoEmpregado").trimmed();
    if (date.isEmpty()) date = QStringLiteral("0000");
    const QString reference = QString::number(ReferenceYear);
    const QString closing = establishment().Active()
                                ? establishment().FieldByName(QStringLiteral("DaEncerramentoAtividade")).AsString()
                                : QString();
    if (rule(CheckDismissalDate(date, QString::number(DeclarationBaseYear()))) != kOk) fail(LastMessageCode, deDataDeslig);
    if (rule(CheckDismissalDateVsCause(date, ui::EditValue(deCodDeslig))) != kOk) fail(LastMessageCode, deDataDeslig);
    if (rule(CheckDismissalAfterAdmission(PadLeftZeros(date, 4), ContextAdmission, reference)) != kOk)
        fail(LastMessageCode, deDataDeslig);
    if (rule(CheckDismissalBeforeClosing(date, closing, reference)) != kOk) fail(LastMessageCode, deDataDeslig);
}

void TfmDadosEmpreg::deDataDesligExit() {
    if (kit_->ExitTarget() != deCodDeslig && CheckFocusNotOnButton() && CheckFocusNotOnOtherPage()) {
        pcEmpregados->SetCurrentPage(kContract);
        deDataDesligCheck();
    }
    // Whatever the focus target, buttons included.
    const QString cause = ui::EditValue(deCodDeslig).trimmed();
    if (!F("DaDesligamentoEmpregado").trimmed().isEmpty()) {
        SetTerminationFields(true, true);
        pcEmpregados->setTabEnabled(kTermination, true);
        if (deAnoDeslig->text() == QString::number(DeclarationBaseYear()) && cause != QLatin1String("71") &&
            cause != QLatin1String("78") && cause != QLatin1String("80")) {
            QStringList cents;
            for (QLineEdit* e : deTerminationValue) cents << DisplayToCents8(FormatMoneyText(e->text()));
            const QString code =
                rule(CheckRescissionValuesPresent(cents[0], cents[1], cents[2], cents[3], cents[4]));
            if (code != kOk) ShowMessageByCode(code);
        }
    } else if (!AnyTerminationValue()) {
        SetTerminationFields(false, false);
        pcEmpregados->setTabEnabled(kTermination, false);
    }
    if (cause == QLatin1String("11") || cause == QLatin1String("21")) AskNoticePay();
}

void TfmDadosEmpreg::AskNoticePay() {
    pcEmpregados->SetCurrentPage(kContract);
    if (msg::AskYesNo(QStringLiteral("O Aviso Prévio foi indenizado?"))) {
        setEditable(edAvisoPrevio);
        NoticePayAnswered = 1;
        moveFocus(edAvisoPrevio);
        edAvisoPrevio->selectAll();
        return;
    }
    NoticePayAnswered = 0;
    ClearNoticePay();
    edAvisoPrevio->setText(FormatMoneyText(QStringLiteral("0")));
    setGreyed(edAvisoPrevio);
    moveFocus(deMunicipioTrabalho);
}

void TfmDadosEmpreg::edAvisoPrevioCheck() {
    const MoneyText money = ReadMoneyText(edAvisoPrevio->text(), 9);
    if (money.code != kOk) fail(rule(money.code), edAvisoPrevio);
    if (rule(CheckNoticePayValue(money.cents)) != kOk) {
        edAvisoPrevio->setText(RemoveDots(money.formatted));
        fail(LastMessageCode, edAvisoPrevio);
    }
    edAvisoPrevio->setText(money.formatted);
}

void TfmDadosEmpreg::edAvisoPrevioExit() {
    if (!CheckFocusNotOnButton() || !CheckFocusNotOnOtherPage()) return;
    const QString t = edAvisoPrevio->text().trimmed();
    if (!t.isEmpty() && t != QLatin1String("0,00")) {
        pcEmpregados->SetCurrentPage(kContract);
        edAvisoPrevioCheck();
        moveFocus(deMunicipioTrabalho);
        return;
    }
    edAvisoPrevio->setText(FormatMoneyText(QStringLiteral("0")));
    if (NoticePayAnswered == 1) {
        msg::ShowError(QStringLiteral("Informe o Aviso Prévio Indenizado."));
        AskNoticePay();
        return;
    }
    edAvisoPrevioCheck();
    moveFocus(deMunicipioTrabalho);
}

void TfmDadosEmpreg::deMunicipioTrabalhoCheck() {
    const QString code = F("CoMunicipioTrabalho");
    const QString result = rule(CheckWorkMunicipality(code));
    if (result == QLatin1String("0040")) return;  // the municipality of work is optional; a partial code passes
    if (result != kOk) fail(result, deMunicipioTrabalho);
    const QString name = LookupName(dmLobrix->taMunicipio, code, "NoMunicipio");
    deNomeMunicipioTrabalho->setText(name);
    SetF("NoMunicipioTrabalho", name);
    const QString uf = LookupName(dmLobrix->taUF, code.trimmed().left(2), "SgUf").toUpper();
    deSiglaUFTrabalho->setText(uf);
    SetF("SgUfTrabalho", uf);
}

void TfmDadosEmpreg::deMunicipioTrabalhoExit() {
    if (!CheckFocusNotOnButton()) return;
    if (ui::EditValue(deMunicipioTrabalho).trimmed().isEmpty()) return;
    deMunicipioTrabalhoCheck();
}

// ---- Absences -----------------------------------------------------------------------

void TfmDadosEmpreg::AbsenceReasonExit(int slot) {
    if (!CheckFocusNotOnButton()) return;
    if (F(kReasonFields[slot]).isEmpty()) {
        edTxAfast[slot]->clear();
        return;
    }
    AbsenceReasonCheck(slot, true);
    if (slot > 0) AbsenceReasonOrderCheck();
    if (slot == 2 && CheckFocusNotOnOtherPage()) moveFocus(deAfastInicio[2]);
}

void TfmDadosEmpreg::AbsenceReasonCheck(int slot, bool informationBox) {
    QString reason = F(kReasonFields[slot]);
    // The first slot hands blanks to the rule as they are; the others count them as no reason.
    if (slot == 0 ? reason.isEmpty() : reason.trimmed().isEmpty()) reason = QStringLiteral("00");
    if (rule(CheckLeaveReason(reason)) != kOk) fail(LastMessageCode, deAfastCod[slot]);
    const QString name = LookupName(dmLobrix->TaAfastamento, reason, "NoAfastamento");
    if (!name.isEmpty()) edTxAfast[slot]->setText(name);
    if (slot == 0 && informationBox)
        msg::ShowInformation(QStringLiteral("As informações referem-se ao ano-base %1.\rSe o início do afastamento "
                                            "ocorreu em anos anteriores,\ra data de início a ser declarada será 01/01.")
                                 .arg(DeclarationBaseYear()));
}

void TfmDadosEmpreg::AbsenceReasonOrderCheck() {
    if (rule(CheckLeaveReasonOrder(F(kReasonFields[0]).trimmed(), F(kReasonFields[1]).trimmed(),
                                   F(kReasonFields[2]).trimmed())) != kOk)
        fail(LastMessageCode, deAfastCod[0]);
}

void TfmDadosEmpreg::AbsenceStartCheck(int slot) {
    const QString field = F(kStartFields[slot]).trimmed();
    QString date = slot == 0 ? field : PadLeftZeros(field, 4);
    if (date.isEmpty()) date = QStringLiteral("0000");
    const QString reference = QString::number(ReferenceYear);
    QLineEdit* edit = deAfastInicio[slot];
    if (rule(CheckLeaveDate(date, QString::number(DeclarationBaseYear()))) != kOk) fail(LastMessageCode, edit);
    const QString code = rule(CheckLeaveDateVsReason(date, ui::EditValue(deAfastCod[slot]), 1));
    if (code != kOk) fail(code, code == QLatin1String("3638") ? edit : deAfastCod[slot]);
    if (rule(CheckLeaveNotBeforeAdmission(PadLeftZeros(field, 4), F("DaAdmissaoEmpregado"), reference)) != kOk)
        fail(LastMessageCode, edit);
    if (rule(CheckLeaveNotAfterDismissal(date, F("DaDesligamentoEmpregado"), reference)) != kOk)
        fail(LastMessageCode, edit);
}

void TfmDadosEmpreg::AbsenceEndCheck(int slot) {
    QString start = F(kStartFields[slot]).trimmed();
    QString end = F(kEndFields[slot]).trimmed();
    if (start.isEmpty()) start = QStringLiteral("0000");
    if (end.isEmpty()) end = QStringLiteral("0000");
    const QString reference = QString::number(ReferenceYear);
    QLineEdit* edit = deAfastFinal[slot];
    if (rule(CheckLeaveDate(end, QString::number(DeclarationBaseYear()))) != kOk) fail(LastMessageCode, edit);
    if (rule(CheckLeaveDateOrder(start, end)) != kOk) fail(LastMessageCode, edit);
    const QString code = rule(CheckLeaveDateVsReason(end, ui::EditValue(deAfastCod[slot]), 0));
    if (code != kOk) fail(code, code == QLatin1String("3643") ? edit : deAfastCod[slot]);
    if (rule(CheckLeaveNotBeforeAdmission(start, F("DaAdmissaoEmpregado"), reference)) != kOk)
        fail(LastMessageCode, edit);
    if (rule(CheckLeaveNotAfterDismissal(end, F("DaDesligamentoEmpregado"), reference)) != kOk)
        fail(LastMessageCode, edit);
}

void TfmDadosEmpreg::AbsenceDaysCheck() {
    const QString days = PadLeftZeros(F("QtDiasAfas").trimmed(), 3);
    const QString first = F(kReasonFields[0]).trimmed();
    if (rule(CheckLeaveDaysRequired(first, F(kReasonFields[1]).trimmed(), F(kReasonFields[2]).trimmed(), days)) !=
        kOk)
        fail(LastMessageCode, deAfastQtDias);
    const QString code = rule(CheckLeaveDays(days, first));
    if (code == QLatin1String("3753")) fail(code, deAfastCod[0]);
    if (code != kOk) fail(code, deAfastQtDias);
}

// ---- Union contributions ------------------------------------------------------------

void TfmDadosEmpreg::UnionCnpjExit(int row) {
    if (!CheckFocusNotOnButton() || ui::EditValue(deUnionCnpj[row]).trimmed().isEmpty()) return;
    if (row == 1) FirstMembershipCheck();
    if (row == 2) SecondMembershipCheck();
    UnionCnpjCheck(row);
    UnionTableQuestion(row);
}

void TfmDadosEmpreg::UnionTableQuestion(int row) {
    const QString cnpj = F(kUnionRows[row].cnpjField);
    if (rule(CheckWorkerUnionCnpj(cnpj)) == kOk) return;
    if (row == 0 && cnpj.trimmed() == exemptUnionTaxCnpj()) return;
    if (msg::AskYesNo(QStringLiteral("Este campo deve ser preenchido obrigatoriamente com o CNPJ da entidade sindical "
                                     "laboral. Confirma?")))
        return;
    ui::FocusBack(deUnionCnpj[row]);
    throw SilentAbort();
}

void TfmDadosEmpreg::UnionCnpjCheck(int row) {
    const UnionRow& u = kUnionRows[row];
    const QString cnpj = row == 1 ? F(u.cnpjField).trimmed() : F(u.cnpjField);
    if (cnpj.isEmpty()) return;
    const QString inscription = establishment().Active()
                                    ? establishment().FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString()
                                    : ContextInscription;
    if (rule(CheckContributionCnpjNotOwnOrBank(cnpj, inscription, 1)) != kOk) fail(LastMessageCode, deUnionCnpj[row]);
    const QString code = rule(CheckContributionCnpj(cnpj, QLatin1String(u.kind), 1, 0));
    if (code != kOk && code != QLatin1String("0050") && code != QLatin1String("0051"))
        fail(code, deUnionCnpj[row]);
    if (row == 2 && rule(CheckAssociationCnpjsDiffer(F(kUnionRows[1].cnpjField), cnpj)) != kOk)
        fail(LastMessageCode, deUnionCnpj[row]);
}

void TfmDadosEmpreg::UnionValueCheck(int row, int onExit) {
    const UnionRow& u = kUnionRows[row];
    QLineEdit* edit = deUnionValue[row];
    if (row == 1 || row == 2) setEditable(edit);
    if (edit->text().trimmed().isEmpty()) edit->setText(QStringLiteral("0,00"));
    const MoneyText money = ReadMoneyText(edit->text(), 8);
    if (money.code != kOk) fail(rule(money.code), edit);
    if (rule(CheckContractContributionAmount(money.cents)) != kOk) {
        edit->setText(RemoveDots(money.formatted));
        fail(LastMessageCode, edit);
    }
    const QString code = rule(CheckContributionValueVsCnpj(F(u.cnpjField), money.formatted, QLatin1String(u.kind),
                                                           row == 0 ? F("CoVinculo") : QString(), 0, 1));
    if (row == 0 && code == QLatin1String("3687")) {
        if (onExit) ShowMessageByCode(code);  // a warning; the text stays as typed
        return;
    }
    if (code != kOk) {
        edit->setText(RemoveDots(money.formatted));
        fail(code, deUnionCnpj[row]);
    }
    edit->setText(money.formatted);
}

void TfmDadosEmpreg::dbrSindicalizadoEnter() {
    for (int i = 0; i < dbrSindicalizado->Count(); ++i) ui::SetHelpContext(dbrSindicalizado->Button(i), 199);
    const int chosen = dbrSindicalizado->ItemIndex();
    moveFocus(dbrSindicalizado->Button(chosen >= 0 ? chosen : 0));
}

void TfmDadosEmpreg::SetAssociationEdits(bool open, bool menuColour, bool tabStop) {
    for (int r : {1, 2}) {
        for (QLineEdit* e : {deUnionCnpj[r], deUnionValue[r]}) {
            if (open) setEditable(e);
            else if (menuColour) setMenuLocked(e);
            else setGreyed(e);
            setTabStop(e, tabStop);
        }
    }
}

void TfmDadosEmpreg::dbrSindicalizadoExit() {
    const int chosen = dbrSindicalizado->ItemIndex();
    if (chosen < 0) {
        SetF("InSindicalizadoVinculo", QString());
        return;
    }
    if (chosen == 1) {
        for (const char* f : {"CoCNPJPrimAssociativa", "VaGlobalPrimAssociativa", "CoCNPJSegAssociativa",
                              "VaGlobalSegAssociativa"})
            SetF(f, QString());
        deUnionValue[1]->setText(QStringLiteral("0,00"));
        deUnionValue[2]->setText(QStringLiteral("0,00"));
        SetAssociationEdits(false, false, false);
        moveFocus(deUnionCnpj[3]);
        return;
    }
    SetAssociationEdits(true, false, true);
    moveFocus(deUnionCnpj[1]);
}

void TfmDadosEmpreg::FirstMembershipCheck() {
    const QString member = F("InSindicalizadoVinculo").trimmed();
    const QString cnpj = F("CoCNPJPrimAssociativa").trimmed();
    if (member == QLatin1String("1")) {
        pcEmpregados->SetCurrentPage(kUnion);
        setEditable(deUnionCnpj[1]);
        setEditable(deUnionValue[1]);
        if (cnpj.isEmpty()) fail(rule(QStringLiteral("3702")), deUnionCnpj[1]);
    } else if (member == QLatin1String("2")) {
        pcEmpregados->SetCurrentPage(kUnion);
        SetAssociationEdits(false, true, false);
        if (!cnpj.isEmpty()) {
            setEditable(deUnionCnpj[1]);
            fail(rule(QStringLiteral("3757")), deUnionCnpj[1]);
        }
    } else if (member.isEmpty()) {
        pcEmpregados->SetCurrentPage(kUnion);
        LastMessageCode = QStringLiteral("3724");
        ShowMessageByCode(LastMessageCode);
        ui::FocusBack(dbrSindicalizado->Button(0));
        throw SilentAbort();
    }
}

void TfmDadosEmpreg::SecondMembershipCheck() {
    if (F("InSindicalizadoVinculo").trimmed() != QLatin1String("2")) return;
    pcEmpregados->SetCurrentPage(kUnion);
    for (QLineEdit* e : {deUnionCnpj[2], deUnionValue[2]}) setMenuLocked(e);
    if (!F("CoCNPJSegAssociativa").trimmed().isEmpty()) {
        setEditable(deUnionCnpj[2]);
        fail(rule(QStringLiteral("3757")), deUnionCnpj[2]);
    }
}

// ---- Termination payments -----------------------------------------------------------

void TfmDadosEmpreg::TerminationAmountCheck(int row) {
    QLineEdit* edit = deTerminationValue[row];
    const QString plain = RemoveDots(edit->text());
    if (rule(CheckRescissionValueNeedsCause(F("CoCausaDesligamento"), plain)) != kOk) {
        pcEmpregados->SetCurrentPage(kTermination);
        ShowMessageByCode(LastMessageCode);
        const QString formatted = FormatMoneyText(plain);
        if (formatted != QLatin1String("Erro")) edit->setText(formatted);
        // A page change the user asked for still takes place: the field is told, not held.
        if (!CheckFocusNotOnOtherPage()) return;
        ui::FocusBack(edit);
        if (!kit_->ExitTarget()) throw SilentAbort();  // Ok stops here
        kit_->AllowPageChange = 1;  // leaving the field: the focus returns, page changes stay allowed
        return;
    }
    const MoneyText money = ReadMoneyText(edit->text(), 8);
    if (money.code != kOk) fail(rule(money.code), edit);
    if (rule(CheckAmountDigits(money.cents)) != kOk) {
        edit->setText(RemoveDots(money.formatted));
        fail(LastMessageCode, edit);
    }
    edit->setText(money.formatted);
}

void TfmDadosEmpreg::TerminationMonthsCheck(int row) {
    QLineEdit* value = deTerminationValue[row + 2];
    QLineEdit* months = deTerminationMonths[row];
    const QString count = F(kTerminationRows[row + 2].monthsField);
    QString (*pairRule)(const QString&, const QString&) =
        row == 0 ? CheckHourBankValueMonths : row == 1 ? CheckWageAgreementValueMonths : CheckBonusValueMonths;
    const QString code = rule(pairRule(value->text(), count));
    if (code == QLatin1String("3681") || code == QLatin1String("3682") || code == QLatin1String("3683"))
        fail(code, value);
    if (code == QLatin1String("3680")) fail(code, months);
    if (rule(CheckDigitsLength(PadLeftZeros(count.trimmed(), 2), QStringLiteral("2"))) != kOk)
        fail(LastMessageCode, months);
}

// ---- Load steps of these pages ----------------------------------------------------------

void TfmDadosEmpreg::LoadTerminationState() {
    // Every contract starts with both switches off: a switch left by the contract
    // shown before would keep a notice pay that this contract's cause forbids.
    TerminationPaymentsOpen = 0;
    NoticePayAnswered = 0;
    const QString cause = F("CoCausaDesligamento").trimmed();
    const bool dismissed = !cause.isEmpty() && cause != QLatin1String("00") && cause != QLatin1String("71") &&
                           cause != QLatin1String("78") && cause != QLatin1String("80");
    if (dismissed) {
        setEditable(deDataDeslig);
        if (cause == QLatin1String("11") || cause == QLatin1String("21")) {
            setEditable(edAvisoPrevio);
        } else {
            ClearNoticePay();
            setGreyed(edAvisoPrevio);
        }
        return;
    }
    if (!deDataDeslig->isReadOnly()) SetF("DaDesligamentoEmpregado", QString());
    setGreyed(deDataDeslig);
    setGreyed(deAnoDeslig);
    setGreyed(edAvisoPrevio);
    ClearNoticePay();
}

void TfmDadosEmpreg::LoadContractPage() {
    // Municipality of work.
    if (!F("CoMunicipioTrabalho").isEmpty()) {
        if (IsAllZeros(F("CoMunicipioTrabalho"))) SetF("CoMunicipioTrabalho", QString());
        const QString code = F("CoMunicipioTrabalho");
        deNomeMunicipioTrabalho->setText(LookupName(dmLobrix->taMunicipio, code, "NoMunicipio"));
        deSiglaUFTrabalho->setText(LookupName(dmLobrix->taUF, code.left(2), "SgUf"));
    }
    // Contract type.
    if (IsAllZeros(F("CoVinculo"))) SetF("CoVinculo", QString());
    edTxVinculo->setText(LookupName(dmLobrix->taTpVinc, F("CoVinculo"), "NoVinculo"));
    // Alvará: only a minor of the main window's base year may have one.
    const QString birth = F("DaNascimentoEmpregado").trimmed();
    const QString type = F("CoVinculo").trimmed();
    QString birthYear = birth.mid(4, 4);
    if (!IsAllDigits(birthYear)) birthYear = QStringLiteral("0000");
    if (!birth.isEmpty() && !type.isEmpty()) {
        if (DeclarationBaseYear() - birthYear.toInt() > 16) {
            SetF("InAlvaraEmpregado", QStringLiteral("2"));
            dgAlvara->setEnabled(false);
        } else if (type == QLatin1String("55")) {
            dgAlvara->setEnabled(false);
        } else {
            dgAlvara->setEnabled(true);
            if (F("InAlvaraEmpregado") != QLatin1String("1")) SetF("InAlvaraEmpregado", QStringLiteral("2"));
        }
    } else {
        SetF("InAlvaraEmpregado", QStringLiteral("2"));
        dgAlvara->setEnabled(false);
    }
}

void TfmDadosEmpreg::LoadDismissalAndAbsences() {
    if (IsAllZeros(F("CoCausaDesligamento"))) SetF("CoCausaDesligamento", QString());
    edTxDesligamento->setText(LookupName(dmLobrix->taDesl, F("CoCausaDesligamento"), "NoCausaDesligamento"));
    if (IsAllZeros(F("DaDesligamentoEmpregado"))) SetF("DaDesligamentoEmpregado", QString());
    if (!F("DaDesligamentoEmpregado").trimmed().isEmpty()) FillDismissalYear();
    else deAnoDeslig->clear();
    for (int s = 0; s < 3; ++s) {
        if (IsAllZeros(F(kReasonFields[s]))) SetF(kReasonFields[s], QString());
        edTxAfast[s]->setText(LookupName(dmLobrix->TaAfastamento, F(kReasonFields[s]), "NoAfastamento"));
        for (const char* f : {kStartFields[s], kEndFields[s]})
            if (IsAllZeros(F(f))) SetF(f, QString());
    }
    if (IsAllZeros(F("QtDiasAfas"))) SetF("QtDiasAfas", QStringLiteral("000"));
}

void TfmDadosEmpreg::LoadUnionAndTermination() {
    for (int r = 0; r < 5; ++r) {
        deUnionValue[r]->setText(CentsToDisplay(F(kUnionRows[r].valueField)));
        if (IsAllZeros(F(kUnionRows[r].cnpjField))) SetF(kUnionRows[r].cnpjField, QString());
    }
    auto paid = [](const QLineEdit* e) {
        const QString t = e->text().trimmed();
        return !t.isEmpty() && t != QLatin1String("0,00");
    };
    if (paid(deUnionValue[1]) || paid(deUnionValue[2])) {
        SetAssociationEdits(true, false, true);
    } else if (F("InSindicalizadoVinculo") != QLatin1String("1") && F("CoCNPJPrimAssociativa").trimmed().isEmpty() &&
               F("CoCNPJSegAssociativa").trimmed().isEmpty()) {
        SetAssociationEdits(false, true, false);
    } else {
        SetAssociationEdits(true, false, true);
    }

    for (int r = 0; r < 5; ++r) deTerminationValue[r]->setText(CentsToDisplay(F(kTerminationRows[r].valueField)));
    for (int r = 2; r < 5; ++r)
        if (IsAllZeros(F(kTerminationRows[r].monthsField))) SetF(kTerminationRows[r].monthsField, QStringLiteral("00"));
    if (AnyTerminationValue()) {
        SetTerminationFields(true, true);
        pcEmpregados->setTabEnabled(kTermination, true);
    } else if (F("DaDesligamentoEmpregado").trimmed().isEmpty()) {
        for (QLineEdit* e : deTerminationValue) setGreyed(e);
        for (QLineEdit* e : deTerminationMonths) setGreyed(e);
        pcEmpregados->setTabEnabled(kTermination, false);
    }
}

// ---- Ok checks of these pages --------------------------------------------------------------

void TfmDadosEmpreg::ContractChecks() {
    deVinculoCheck(0);     // 20
    dgAlvaraCheck();       // 21
    deCodDesligCheck();    // 22
    deDataDesligCheck();   // 23
}

void TfmDadosEmpreg::NoticeAndAbsenceChecks() {
    edAvisoPrevioCheck();             // 26
    deMunicipioTrabalhoCheck();       // 27
    AbsenceReasonCheck(0, false);     // 28
    AbsenceReasonOrderCheck();        // 29
    AbsenceDaysCheck();               // 30
}

void TfmDadosEmpreg::UnionChecks() {
    UnionCnpjCheck(0);        // 32
    UnionValueCheck(0, 0);    // 33
    UnionCnpjCheck(1);        // 34
    FirstMembershipCheck();   // 35
    UnionValueCheck(1, 0);    // 36
    SecondMembershipCheck();  // 37
    UnionCnpjCheck(2);        // 38
    UnionValueCheck(2, 0);    // 39
    UnionCnpjCheck(3);        // 40
    UnionValueCheck(3, 0);    // 41
    UnionCnpjCheck(4);        // 42
    UnionValueCheck(4, 0);    // 43
}

void TfmDadosEmpreg::TerminationChecks() {
    for (int r = 0; r < 5; ++r) TerminationAmountCheck(r);  // 49 to 53
}

void TfmDadosEmpreg::StoreUnionAndTerminationAmounts() {
    for (int r = 0; r < 5; ++r) {
        deUnionValue[r]->setText(DisplayToCents8(deUnionValue[r]->text()));
        SetF(kUnionRows[r].valueField, deUnionValue[r]->text());
        deTerminationValue[r]->setText(DisplayToCents8(deTerminationValue[r]->text()));
        SetF(kTerminationRows[r].valueField, deTerminationValue[r]->text());
    }
}

void TfmDadosEmpreg::ShowTerminationMoneyAgain() {
    for (int r = 0; r < 5; ++r) {
        deUnionValue[r]->setText(CentsToDisplay(deUnionValue[r]->text()));
        deTerminationValue[r]->setText(CentsToDisplay(deTerminationValue[r]->text()));
    }
}

// ---- Pickers ----------------------------------------------------------------------------------

void TfmDadosEmpreg::sbVinculoClick() {
    TfmTb8Vinc picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    if (!F("CoVinculo").trimmed().isEmpty()) {
        deVinculoCheck(1);
        dgAlvaraCheck();
    }
    pcEmpregados->SetCurrentPage(kContract);
    moveFocus(deCodDeslig);
}

void TfmDadosEmpreg::sbDesligamentoClick() {
    TfmTb8Desl picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    deCodDesligExit();
}

void TfmDadosEmpreg::bbCodMunicipioClick() {
    TfrmT8Munic::SelectMunicipality(contract().FieldByName(QStringLiteral("CoMunicipioTrabalho")));
    kit_->RefreshAll();
    if (!F("CoMunicipioTrabalho").trimmed().isEmpty()) deMunicipioTrabalhoCheck();
    moveFocus(deMunicipioTrabalho);
}

void TfmDadosEmpreg::sbAfastClick(int slot) {
    AbsenceSlot = slot + 1;
    TfmTb8Afast picker(this);
    forms::ShowModal(&picker);
    kit_->RefreshAll();
    AbsenceReasonExit(slot);
    pcEmpregados->SetCurrentPage(kAbsence);
    moveFocus(deAfastInicio[slot]);
}
