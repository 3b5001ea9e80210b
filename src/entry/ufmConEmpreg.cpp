#include "ufmConEmpreg.h"

#include "EntryShared.h"
#include "LetterButtons.h"
#include "QueryGrid.h"
#include "platform/db/Database.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "rules/UgDadosResp.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugFuncoes.h"
#include "ufmConEstab.h"
#include "ufmDadosEmpreg.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPointer>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

CurrentEstablishmentValues CurrentEstablishment;
TfmConEmpreg* fmConEmpreg = nullptr;

namespace {


const QStringList kFields = {"coPisPasepEmpregado", "NoEmpregado", "daAdmissaoEmpregado", "DaDesligamentoEmpregado",
                             "daNascimentoEmpregado", "CoCbo"};

QString pisText(const QString& v, const std::function<QString(const QString&)>&) {
    if (v.size() != 11) return v;
    return v.left(3) + '.' + v.mid(3, 5) + '.' + v.mid(8, 2) + '.' + v.mid(10, 1);
}

QString dateText(const QString& v, const std::function<QString(const QString&)>&) {
    if (v.size() != 8) return v;
    return v.left(2) + '/' + v.mid(2, 2) + '/' + v.mid(4, 4);
}

QString cboText(const QString& v, const std::function<QString(const QString&)>&) { return CoCboDisplayText(v); }

}  // namespace

TfmConEmpreg::TfmConEmpreg(QWidget* parent) : QDialog(parent), kit_(new ui::EntryFormController(this)) {
    setObjectName(QStringLiteral("fmConEmpreg"));
    setWindowTitle(QStringLiteral("Lobrix - Informações Referentes aos Empregados / Servidores"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    DBGridVinculo = new QueryGrid({{"coPisPasepEmpregado", "PIS/PASEP", Qt::AlignLeft | Qt::AlignVCenter, pisText, 140},
                                   {"NoEmpregado", "Nome do Empregado/Servidor", Qt::AlignLeft | Qt::AlignVCenter, nullptr, 360},
                                   {"daAdmissaoEmpregado", "Data Admissão", Qt::AlignLeft | Qt::AlignVCenter, dateText, 100},
                                   {"CoCbo", "CBO", Qt::AlignLeft | Qt::AlignVCenter, cboText, 0}},
                                  kFields, this);
    DBGridVinculo->setObjectName(QStringLiteral("DBGridVinculo"));
    auto edit = [this](const char* name, bool readOnly) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        if (readOnly) ui::SetLocked(e, true), e->setFocusPolicy(Qt::NoFocus);
        return e;
    };
    mdInscricao = edit("mdInscricao", true);
    edPrefixo = edit("edPrefixo", true);
    edRazao = edit("edRazao", true);
    edPisPasep = edit("edPisPasep", false);
    ui::SetDesignMask(edPisPasep, QStringLiteral("99999999999;0;_"));
    ui::SetHelpContext(edPisPasep, 63);
    edPisPasep->setToolTip(QStringLiteral("Informe o PIS/PASEP do empregado que você deseja localizar"));
    edNome = edit("edNome", false);
    ui::SetUpperCase(edNome);
    ui::SetHelpContext(edNome, 65);
    edNome->setToolTip(QStringLiteral("Informe o nome do empregado que você deseja localizar"));
    paAnoBase = MakeYearPanel(this);
    letters = new LetterButtons(this);
    BtNovo = MakeFormButton(this, "BtNovo", "&Novo", QStyle::SP_FileIcon);
    BtExibir = MakeFormButton(this, "BtExibir", "&Exibir", QStyle::SP_FileDialogContentsView);
    BtCancelar = MakeFormButton(this, "BtCancelar", "&Retornar", QStyle::SP_ArrowBack);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(paAnoBase, 0, Qt::AlignHCenter);
    auto* estab = new QGroupBox(QStringLiteral("Informações do Estabelecimento"), this);
    auto* e = new QGridLayout(estab);
    e->addWidget(new QLabel(QStringLiteral("Inscrição CNPJ/CEI")), 0, 0);
    e->addWidget(new QLabel(QStringLiteral("Prefixo")), 0, 1);
    e->addWidget(new QLabel(QStringLiteral("Razão Social")), 0, 2);
    e->addWidget(mdInscricao, 1, 0);
    e->addWidget(edPrefixo, 1, 1);
    e->addWidget(edRazao, 1, 2);
    e->setColumnStretch(2, 1);
    // Wide enough for a formatted CNPJ in the form's own font, scaled or not.
    ui::FitWidthToText(mdInscricao, QStringLiteral("99.999.999/9999-99"));
    edPrefixo->setMaximumWidth(50);
    outer->addWidget(estab);
    auto* find = new QGroupBox(QStringLiteral("Localizar Empregado / Servidor Por "), this);
    auto* f = new QGridLayout(find);
    f->addWidget(new QLabel(QStringLiteral("PIS/PASEP")), 0, 0);
    f->addWidget(new QLabel(QStringLiteral("Nome")), 0, 1);
    f->addWidget(edPisPasep, 1, 0);
    f->addWidget(edNome, 1, 1);
    f->setColumnStretch(1, 1);
    edPisPasep->setMaximumWidth(140);
    outer->addWidget(find);
    outer->addWidget(letters);
    outer->addWidget(DBGridVinculo, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {BtNovo, BtExibir, BtCancelar}) buttons->addWidget(b);
    outer->addLayout(buttons);

    QWidget::setTabOrder(edPisPasep, edNome);
    QWidget::setTabOrder(edNome, DBGridVinculo);
    kit_->SetCancelButton(BtCancelar);
    for (QWidget* w : {static_cast<QWidget*>(BtNovo), static_cast<QWidget*>(BtCancelar),
                       static_cast<QWidget*>(BtExibir), static_cast<QWidget*>(DBGridVinculo)})
        kit_->SkipChecksFor(w);
    kit_->OnExit(edPisPasep, [this] { filterExit(edPisPasep, QStringLiteral("2")); });
    kit_->OnExit(edNome, [this] { filterExit(edNome, QStringLiteral("3")); });
    connect(edPisPasep, &QLineEdit::textEdited, this, [this] { MontaQuery(); });
    connect(edNome, &QLineEdit::textEdited, this, [this] { MontaQuery(); });
    connect(letters, &LetterButtons::letterClicked, this, [this] {
        edPisPasep->clear();
        edNome->clear();
        MontaQuery();
        SetaFoco(QStringLiteral("3"));
    });
    connect(letters, &LetterButtons::allClicked, this, [this] {
        edPisPasep->clear();
        edNome->clear();
        MontaQuery();
        SetaFoco(QStringLiteral("2"));
    });
    connect(DBGridVinculo, &QueryGrid::activatedRow, this, &TfmConEmpreg::BtExibirClick);
    connect(BtNovo, &QPushButton::clicked, this, &TfmConEmpreg::BtNovoClick);
    connect(BtExibir, &QPushButton::clicked, this, &TfmConEmpreg::BtExibirClick);
    connect(BtCancelar, &QPushButton::clicked, this, &TfmConEmpreg::BtCancelarClick);

    forms::ScaleForm(this, QSize(760, 460), QSize(850, 550));
    forms::CenterOnActivate(this);
    // 1050 answered No: the employee form leaves the PIS/PASEP it was given in
    // the search box, which the list applies when it shows again.
    EmployeeListSearchPis = [self = QPointer<TfmConEmpreg>(this)](const QString& pis) {
        if (self) self->edPisPasep->setText(pis);
    };
}

void TfmConEmpreg::filterExit(QLineEdit* box, const QString& focusCode) {
    (void)box;
    if (!edNome->text().trimmed().isEmpty()) letters->PressAll();
    MontaQuery();
    SetaFoco(focusCode);
}

void TfmConEmpreg::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

void TfmConEmpreg::FormShow() {
    const int next = DeclarationBaseYear() + 1;
    const QString closing = dmEntradaDados->ta8Empresa.Active()
                                ? dmEntradaDados->ta8Empresa.FieldByName(QStringLiteral("DaEncerramentoAtividade")).AsString()
                                : QString();
    paAnoBase->setText(closing.mid(4, 4) == QString::number(next)
                           ? QStringLiteral("Encerramento de Atividades - %1").arg(next)
                           : QStringLiteral("Declaração Ano-Base %1").arg(DeclarationBaseYear()));
    const CurrentEstablishmentValues& e = CurrentEstablishment;
    if (e.InscriptionType == QLatin1String("1")) {
        ui::SetDesignMask(mdInscricao, kMaskCnpj);
        ui::SetEditValue(mdInscricao, e.Inscription);
    } else {
        ui::SetDesignMask(mdInscricao, kMaskCei);
        ui::SetEditValue(mdInscricao, e.Inscription.mid(2, 12));
    }
    edPrefixo->setText(e.Prefix);
    edRazao->setText(e.Name);
    letters->PressAll();
    letters->ClearPatterns();
    // A PIS/PASEP the employee form left in the box while the list was hidden
    // is the search to show now; anything else starts empty.
    edNome->clear();
    MontaQuery();
    DBGridVinculo->SetCurrentRow(qMin(RememberedRow, DBGridVinculo->RowCount() - 1));
    QMetaObject::invokeMethod(this, "SetaFoco", Qt::QueuedConnection, Q_ARG(QString, QStringLiteral("1")));
}

void TfmConEmpreg::MontaQuery() {
    db::Query& q = dmEntradaDados->quConVinculo;
    q.Close();
    QStringList& sql = q.SQL();
    sql.clear();
    sql << QStringLiteral("Select coPisPasepEmpregado, NoEmpregado, daAdmissaoEmpregado, DaDesligamentoEmpregado, "
                          "daNascimentoEmpregado, CoCbo   ")
        << QStringLiteral("from bd8Vinc where anbase = :anbase and ")
        << QStringLiteral("coCgcCeiEstabelecimento = :coCgcCeiEstabelecimento and ")
        << QStringLiteral("CoCgcVinculado = :ceivinculado and")
        << QStringLiteral("InInscrEstabelecimento = :tipoinscricao and")
        << QStringLiteral("NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento ");
    q.ParamByName(QStringLiteral("anbase")).AsString = CurrentEstablishment.BaseYear;
    q.ParamByName(QStringLiteral("coCgcCeiEstabelecimento")).AsString = CurrentEstablishment.Inscription;
    q.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString = CurrentEstablishment.Prefix;
    q.ParamByName(QStringLiteral("ceivinculado")).AsString = CurrentEstablishment.LinkedCei;
    q.ParamByName(QStringLiteral("tipoinscricao")).AsString = CurrentEstablishment.InscriptionType;
    const QString pis = ui::EditValue(edPisPasep).trimmed();
    if (!pis.isEmpty()) {
        sql << QStringLiteral("and CoPisPasepEmpregado like :PPisPasep");
        q.ParamByName(QStringLiteral("PPisPasep")).AsString = pis + QLatin1Char('%');
    }
    const QString nome = edNome->text().trimmed();
    if (!nome.isEmpty()) {
        sql << QStringLiteral("and NoEmpregado like :PNoEmpregado");
        q.ParamByName(QStringLiteral("PNoEmpregado")).AsString = nome + QLatin1Char('%');
    } else if (!letters->Letra1.isEmpty()) {
        sql << QStringLiteral("and ((NoEmpregado like :PLetra1) or (NoEmpregado like :PLetra2))");
        q.ParamByName(QStringLiteral("PLetra1")).AsString = letters->Letra1 + QLatin1Char('%');
        q.ParamByName(QStringLiteral("PLetra2")).AsString =
            letters->Letra2.isEmpty() ? QString() : letters->Letra2 + QLatin1Char('%');
    }
    sql << QStringLiteral("order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento, CoPisPasepEmpregado, "
                          "DaAdmissaoEmpregado, NoEmpregado, NuSequencialRegistro");
    dmEntradaDados->OpenConVinculo();
    DBGridVinculo->Load(q);
}

void TfmConEmpreg::SetaFoco(const QString& code) {
    if (code == QLatin1String("1")) {
        edPisPasep->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (code == QLatin1String("2") && ui::EditValue(edPisPasep).trimmed().isEmpty()) {
        edNome->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int rows = DBGridVinculo->RowCount();
    if (rows == 1)
        BtExibir->setFocus(Qt::OtherFocusReason);
    else if (rows > 1)
        DBGridVinculo->setFocus(Qt::OtherFocusReason);
    else
        BtNovo->setFocus(Qt::OtherFocusReason);
}

void TfmConEmpreg::handOver(bool newContract) {
    ContextBaseYear = CurrentEstablishment.BaseYear;
    ContextFollowingYear = CurrentEstablishment.FollowingYear;
    ContextInscription = CurrentEstablishment.Inscription;
    ContextPrefix = CurrentEstablishment.Prefix;
    ContextInscriptionType = CurrentEstablishment.InscriptionType;
    ContextEstablishmentName = edRazao->text();
    if (newContract) {
        ContextPis.clear();
        ContextAdmission.clear();
        ContextDismissal.clear();
        ContextCbo.clear();
        ContextEmployeeName.clear();
    } else {
        ContextPis = DBGridVinculo->CurrentValue(QStringLiteral("coPisPasepEmpregado"));
        ContextAdmission = DBGridVinculo->CurrentValue(QStringLiteral("daAdmissaoEmpregado"));
        ContextEmployeeName = DBGridVinculo->CurrentValue(QStringLiteral("NoEmpregado"));
        ContextDismissal = DBGridVinculo->CurrentValue(QStringLiteral("DaDesligamentoEmpregado"));
        ContextLinkedCei = CurrentEstablishment.LinkedCei;
        ContextCbo = DBGridVinculo->CurrentValue(QStringLiteral("CoCbo"));
    }
    hide();
    edPisPasep->clear();
    if (fmDadosEmpreg) forms::ShowModal(fmDadosEmpreg);
    // The employee form brings the list back; should it not have, the list comes back by itself.
    if (forms::GetModalResult(this) == forms::mrNone && !isVisible() && forms::IsShowingModal(this)) show();
}

void TfmConEmpreg::BtExibirClick() {
    RememberedRow = qMax(0, DBGridVinculo->CurrentRow());
    if (!DBGridVinculo->CurrentValue(QStringLiteral("coPisPasepEmpregado")).trimmed().isEmpty()) {
        handOver(false);
        return;
    }
    db::Table& t = dmEntradaDados->ta8Empreg;
    const bool wasOpen = t.Active();
    if (!wasOpen) t.Open();
    bool found = false;
    const QString ano = CurrentEstablishment.BaseYear, inscricao = CurrentEstablishment.Inscription,
                  prefixo = CurrentEstablishment.Prefix;
    t.SetRange({ano, inscricao, prefixo}, {ano, inscricao, prefixo});
    for (t.First(); !t.Eof(); t.Next())
        if (t.FieldByName(QStringLiteral("CoPisPasepEmpregado")).AsString().trimmed().isEmpty()) {
            found = true;
            break;
        }
    if (found) {
        if (msg::AskYesNo(QStringLiteral("Este empregado deve ser excluído. Deseja excluir ?"))) {
            t.Delete();
            t.CancelRange();
            if (!wasOpen) t.Close();
            // The establishment's counts follow its contracts.
            RecountEstablishment(ano, inscricao, prefixo);
            MontaQuery();
            SetaFoco(QStringLiteral("1"));
            return;
        }
        t.CancelRange();
        if (!wasOpen) t.Close();
        return;
    }
    t.CancelRange();
    if (!wasOpen) t.Close();
    msg::ShowError(QStringLiteral("Você deve selecionar um empregado."));
    letters->PressAll();
    letters->ClearPatterns();
    edPisPasep->clear();
    edNome->clear();
    MontaQuery();
    SetaFoco(QStringLiteral("2"));
}

void TfmConEmpreg::BtNovoClick() { handOver(true); }

void TfmConEmpreg::BtCancelarClick() {
    edPisPasep->clear();
    forms::SetModalResult(this, forms::mrCancel);
    reject();
    if (fmConEstab) fmConEstab->show();
}

void RecountEstablishment(const QString& anoBase, const QString& inscricao, const QString& prefixo) {
    const int contracts = dmEntradaDados->CountContracts(anoBase, inscricao, prefixo);
    const int foreigners = dmEntradaDados->CountForeigners(anoBase, inscricao, prefixo);
    db::Query q(TdmLobrix::OpenAlias());
    q.SetSQL(QStringLiteral("update BD8Emp set NuVinculosEstabelecimento = :n, NuEstrangeirosEstabelec = :e "
                            "where AnBase = :ano and CoCgcCeiEstabelecimento = :inscricao and "
                            "NuPrefixoEstabelecimento = :prefixo"));
    q.ParamByName(QStringLiteral("n")).AsString = PadLeftZeros(QString::number(contracts), 6);
    q.ParamByName(QStringLiteral("e")).AsString = PadLeftZeros(QString::number(foreigners), 5);
    q.ParamByName(QStringLiteral("ano")).AsString = anoBase;
    q.ParamByName(QStringLiteral("inscricao")).AsString = inscricao;
    q.ParamByName(QStringLiteral("prefixo")).AsString = prefixo;
    q.ExecSQL();
}
