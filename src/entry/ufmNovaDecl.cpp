#include "ufmNovaDecl.h"

#include "EntryShared.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/SilentAbort.h"
#include "rules/UgDadosResp.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugFuncoes.h"
#include "ufmConEstab.h"
#include "ufmDadosEstab.h"
#include "ufmSemEmpregados.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QStyle>
#include <QVBoxLayout>

QString NewDeclarationResult;
TfmNovaDecl* fmNovaDecl = nullptr;

namespace {

using namespace ui;

const QString kMaskDigits14 = QStringLiteral("99999999999999;0;_");
const QString kMaskDigits12 = QStringLiteral("999999999999;0;_");
const QString kMaskCeiShown = QStringLiteral("99\\.999\\.999\\.999\\-9;0;_");


// The columns the copy of an establishment of the same inscription takes over.
const char* const kCopied[] = {
    "InZuvoNegEstabelecimento", "CoCgcVinculado", "NoRazaoEstabelecimento", "TxUsoEstabelecimento",
    "EdEstabelecimento", "NuEnderecoEstabelecimento", "TxComplemEstabelecimento", "NoBairroEstabelecimento",
    "CoCepEstabelecimento", "CoMunicipio", "NoMunicEstabelecimento", "SgUf", "TxEmailEstabelecimento", "CoCnae2",
    "CoNaturezaJuridica", "NuProprietEstabelecimento", "MeDataBase", "NuDDD", "NuTelefone", "InOptanteSimples",
    "InEncerramentoAtividade", "DaEncerramentoAtividade", "InPorte", "InParticipaPAT", "NuVinculoPatMaior5",
    "NuVinculoPatMenor5", "PoServicoProprio", "PoAdmCozinha", "PoRefeicaoConvenio", "PoRefeicaoTransportadora",
    "PoCestaAlimento", "PoAlimentacaoConvenio"};
const char* const kCopiedUnion[] = {"InCentralizada",     "InSindicalizada",    "CoCNPJSindical",
                                    "CoCNPJAssociativa", "CoCNPJAssistencial", "CoCNPJConfederativa"};

}  // namespace

TfmNovaDecl::TfmNovaDecl(QWidget* parent) : QDialog(parent), kit_(new EntryFormController(this)), rows_(kit_, nullptr) {
    setObjectName(QStringLiteral("fmNovaDecl"));
    setWindowTitle(QStringLiteral("Lobrix - Nova Declaração"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    rows_ = ControlTable(kit_, &EstablishmentTable());

    auto exit = [this](void (TfmNovaDecl::*check)()) { return [this, check] { (this->*check)(); }; };
    rows_.Add({
        {.name = "dbrTipoInscr", .help = 115, .field = "InInscrEstabelecimento",
         .hint = "Selecione o tipo de Inscrição do Estabelecimento.", .title = "Tipo", .items = {"CNPJ", "CEI"},
         .values = {"1", "3"}, .columns = 2, .group = &dbrTipoInscr},
        {.name = "deInscricao", .help = 28, .field = "CoCgcCeiEstabelecimento",
         .exit = [this] {
             if (EditValue(deInscricao).trimmed().isEmpty()) return;
             CheckTypeChosen();
             CheckInscriptionField();
         },
         .hint = "Informe a inscrição CNPJ/CEI do estabelecimento.", .edit = &deInscricao},
        {.name = "dePrefixo", .help = 29, .field = "NuPrefixoEstabelecimento",
         .exit = [this] { CheckPrefixField(true); }, .flags = kUpper,
         .hint = "Informe prefixos diferentes para agrupar informações.", .edit = &dePrefixo},
        {.name = "deCeiVinc", .help = 30, .field = "CoCgcVinculado",
         .exit = [this] {
             if (!EditValue(deCeiVinc).trimmed().isEmpty()) CheckLinkedCei();
             else SetDesignMask(deCeiVinc, QString());  // an empty CEI shows nothing, no mask blanks
             deRazao->setFocus(Qt::OtherFocusReason);
         },
         .flags = kDisabled | kReadOnly, .hint = "Informe a inscrição CEI Vinculado.", .edit = &deCeiVinc},
        {.name = "deRazao", .help = 117, .field = "NoRazaoEstabelecimento",
         .exit = [this] {
             if (!EditValue(deRazao).trimmed().isEmpty()) CheckNameField();
             ShowMessageByCode(NewDeclarationResult = QStringLiteral("3625"));
             deUsoEmpresa->setFocus(Qt::OtherFocusReason);
         },
         .flags = kUpper, .hint = "Informe a Razão Social do estabelecimento.", .edit = &deRazao},
        {.name = "deUsoEmpresa", .help = 32, .field = "TxUsoEstabelecimento",
         .exit = exit(&TfmNovaDecl::CheckCompanyUseField), .flags = kUpper,
         .hint = "Informação de uso exclusivo da empresa.", .edit = &deUsoEmpresa},
        {.name = "dgTipoZuvo", .help = 27, .field = "InZuvoNegEstabelecimento",
         .hint = "Informe o tipo de ZUVO da declaração.", .title = "Tipo de Declaração",
         .items = {"Com Empregados", "Sem Empregados"}, .values = {"0", "1"}, .columns = 2, .group = &dgTipoZuvo},
        {.name = "dgEmAtividade", .help = 171, .field = "InAtividadeAnoBase", .flags = kDisabled,
         .hint = "Informe se o estabelecimento/entidade exerceu atividade no ano-base.",
         .title = "Estabelecimento/entidade exerceu atividade no ano-base?", .items = {"Sim", "Não"},
         .values = {"1", "2"}, .columns = 2, .group = &dgEmAtividade},
    });
    deInscricao->setMaxLength(14);

    lblAno = new QLabel(this);
    lblAno->setObjectName(QStringLiteral("lblAno"));
    QFont bold = lblAno->font();
    bold.setBold(true);
    lblAno->setFont(bold);
    lbCeiVinc = new QLabel(QStringLiteral("CEI Vinculado"), this);
    lbCeiVinc->setBuddy(deCeiVinc);
    lbCeiVinc->setEnabled(false);
    btOk = MakeFormButton(this, "btOk", "&Ok", QStyle::SP_DialogOkButton);
    BtCancelar = MakeFormButton(this, "BtCancelar", "&Cancelar", QStyle::SP_DialogCancelButton);

    // Layout.
    auto* outer = new QVBoxLayout(this);
    outer->addWidget(lblAno, 0, Qt::AlignHCenter);
    auto* group = new QGroupBox(QStringLiteral("Informações Iniciais do Estabelecimento"), this);
    auto* g = new QGridLayout(group);
    auto label = [](const QString& text, QWidget* buddy) {
        auto* l = new QLabel(text);
        l->setBuddy(buddy);
        return l;
    };
    g->addWidget(dbrTipoInscr, 0, 0, 2, 1);
    g->addWidget(label(QStringLiteral("Número"), deInscricao), 0, 1);
    g->addWidget(label(QStringLiteral("Prefixo"), dePrefixo), 0, 2);
    g->addWidget(lbCeiVinc, 0, 3);
    g->addWidget(deInscricao, 1, 1);
    g->addWidget(dePrefixo, 1, 2);
    g->addWidget(deCeiVinc, 1, 3);
    dePrefixo->setMaximumWidth(50);
    g->addWidget(label(QStringLiteral("Razão Social "), deRazao), 2, 0, 1, 4);
    g->addWidget(deRazao, 3, 0, 1, 4);
    auto* uso = new QGroupBox(QStringLiteral("Para uso da empresa "), group);
    auto* u = new QVBoxLayout(uso);
    u->addWidget(label(QStringLiteral("Identificação para uso exclusivo da empresa"), deUsoEmpresa));
    u->addWidget(deUsoEmpresa);
    g->addWidget(uso, 4, 0, 1, 2);
    g->addWidget(dgTipoZuvo, 4, 2, 1, 2);
    g->addWidget(dgEmAtividade, 5, 0, 1, 4);
    outer->addWidget(group, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(btOk);
    buttons->addWidget(BtCancelar);
    outer->addLayout(buttons);

    // Behaviour.
    kit_->SkipChecksFor(BtCancelar);
    kit_->SkipChecksFor(dgTipoZuvo);
    kit_->SetCancelButton(BtCancelar);
    rows_.ApplyTabOrder({btOk, BtCancelar});
    const std::pair<RadioGroup*, int> groups[] = {{dbrTipoInscr, 115}, {dgTipoZuvo, 27}, {dgEmAtividade, 171}};
    for (const auto& [group, help] : groups) {
        RadioGroup* rg = group;
        const int context = help;
        kit_->OnEnter(rg, [rg, context] {
            for (int i = 0; i < rg->Count(); ++i) SetHelpContext(rg->Button(i), context);
            rg->FocusChosenOrFirst();
        });
    }
    kit_->OnEnter(deInscricao, [this] {
        const QString v = EditValue(deInscricao);
        SetDesignMask(deInscricao, kMaskDigits14);
        SetEditValue(deInscricao, v);
        CheckTypeChosen();
    });
    kit_->OnEnter(deCeiVinc, [this] {
        QString v = EditValue(deCeiVinc);
        if (v == QLatin1String("00000000000000")) v.clear();
        if (v.size() == 14) v = v.mid(2);
        SetDesignMask(deCeiVinc, kMaskDigits12);
        SetEditValue(deCeiVinc, v);
        deCeiVinc->setReadOnly(false);
    });
    for (int i = 0; i < dgTipoZuvo->Count(); ++i)
        connect(dgTipoZuvo->Button(i), &QRadioButton::clicked, this, [this] {
            if (!kit_->RunPendingChecks()) return;
            kit_->RunAction([this] { dgTipoZuvoClick(); });
        });
    connect(btOk, &QPushButton::clicked, this, &TfmNovaDecl::btOkClick);
    connect(BtCancelar, &QPushButton::clicked, this, &TfmNovaDecl::BtCancelarClick);

    forms::ScaleForm(this, QSize(620, 330), QSize(880, 400));
    forms::CenterOnActivate(this);
    if (!EstablishmentTable().Active()) EstablishmentTable().Open();
}

TfmNovaDecl::~TfmNovaDecl() {
    if (fmNovaDecl == this) fmNovaDecl = nullptr;
}

void TfmNovaDecl::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (shown_) return;
    shown_ = true;
    FormShow();
}

void TfmNovaDecl::FormShow() {
    ClearEdits(this);
    if (!EstablishmentTable().Active()) EstablishmentTable().Open();
    if (EstablishmentTable().State() != db::DataSetState::Browse) EstablishmentTable().Cancel();
    EstablishmentTable().Append();
    deCeiVinc->setReadOnly(true);
    sAnoBase = QString::number(DeclarationBaseYear());
    SetEstablishmentValue(QStringLiteral("AnBase"), sAnoBase);
    lblAno->setText(QStringLiteral("Declaração Ano-Base ") + sAnoBase);
    SetEstablishmentValue(QStringLiteral("InZuvoNegEstabelecimento"), QStringLiteral("0"));
    SetEstablishmentValue(QStringLiteral("CoCgcVinculado"), QString());
    SetDesignMask(deInscricao, QString());
    SetEstablishmentValue(QStringLiteral("InAtividadeAnoBase"), QStringLiteral("1"));
    kit_->LoadAll();
    dbrTipoInscr->SetItemIndex(-1);
    QPointer<QRadioButton> first = dbrTipoInscr->Button(0);
    QMetaObject::invokeMethod(this, [first] { if (first) first->setFocus(Qt::OtherFocusReason); }, Qt::QueuedConnection);
}

void TfmNovaDecl::refuse(const QString& code, QWidget* focus) {
    NewDeclarationResult = code;
    ShowMessageByCode(code);
    kit_->FocusBack(focus);
    throw SilentAbort();
}

void TfmNovaDecl::enableLinkedCei(bool enabled) {
    deCeiVinc->setEnabled(enabled);
    SetLocked(deCeiVinc, !enabled);
    lbCeiVinc->setEnabled(enabled);
    if (enabled) return;
    deCeiVinc->clear();
    SetEstablishmentValue(QStringLiteral("CoCgcVinculado"), QString());
}

void TfmNovaDecl::CheckTypeChosen() {
    if (dbrTipoInscr->ItemIndex() >= 0) return;
    refuse(QStringLiteral("0050"), dbrTipoInscr->Button(0));
}

void TfmNovaDecl::CheckInscriptionField() {
    sInscricao = EditValue(deInscricao).trimmed();
    const int length = int(sInscricao.size());
    sInscricao14 = length == 12 ? QStringLiteral("00") + sInscricao : sInscricao;
    const QString type = EstablishmentValue(QStringLiteral("InInscrEstabelecimento"));
    QString code = CheckInscriptionByType(sInscricao14, type);
    if (!IsAccepted(code)) refuse(code, dbrTipoInscr->Button(qMax(0, dbrTipoInscr->ItemIndex())));
    code = NewDeclarationResult = CheckInscription(sInscricao14);
    auto store = [this](const QString& mask) {
        SetEstablishmentValue(QStringLiteral("CoCgcCeiEstabelecimento"), sInscricao);
        SetDesignMask(deInscricao, mask);
        SetEditValue(deInscricao, sInscricao);
    };
    const QString typeMask = type == QLatin1String("1") ? kMaskCnpj : kMaskCeiShown;
    if (code == QLatin1String("0051")) {
        if (length != 14) {
            enableLinkedCei(false);
            refuse(QStringLiteral("1003"), deInscricao);
        }
        enableLinkedCei(true);
        store(kMaskCnpj);
    } else if (code == QLatin1String("0052")) {
        if (length != 12) {
            enableLinkedCei(false);
            refuse(QStringLiteral("1004"), deInscricao);
        }
        enableLinkedCei(false);
        store(kMaskCeiShown);
    } else if (code == QLatin1String("0050")) {
        if (length == 14) {
            enableLinkedCei(true);
            store(typeMask);
        } else if (length == 12) {
            enableLinkedCei(false);
            store(typeMask);
        }
    } else {
        enableLinkedCei(false);
        refuse(code, deInscricao);
    }
}

void TfmNovaDecl::CheckInscriptionAgainstType() {
    const QString type = EstablishmentValue(QStringLiteral("InInscrEstabelecimento"));
    QString code = CheckInscriptionByType(sInscricao14, type);
    if (!IsAccepted(code)) refuse(code, deInscricao);
    code = CheckNegativeDeclarationType(EstablishmentValue(QStringLiteral("InZuvoNegEstabelecimento")), type,
                                        QStringLiteral("00") + EstablishmentValue(QStringLiteral("CoCgcVinculado")));
    if (!IsAccepted(code)) refuse(code, dgTipoZuvo->Button(qMax(0, dgTipoZuvo->ItemIndex())));
}

void TfmNovaDecl::CheckPrefixField(bool withDuplicateSearch) {
    if (EstablishmentValue(QStringLiteral("NuPrefixoEstabelecimento")).trimmed().isEmpty()) {
        SetEstablishmentValue(QStringLiteral("NuPrefixoEstabelecimento"), QStringLiteral("00"));
    } else {
        const QString code = CheckPrefix(EstablishmentValue(QStringLiteral("NuPrefixoEstabelecimento")));
        if (!IsAccepted(code)) refuse(code, dePrefixo);
    }
    sPrefixo = EstablishmentValue(QStringLiteral("NuPrefixoEstabelecimento"));
    if (withDuplicateSearch && !sInscricao.isEmpty() && !sPrefixo.isEmpty())
        CheckDuplicateAndCopy(sInscricao, sPrefixo);
}

// An existing key is refused: 1000, or 1009 when it is stored under the other
// type of a number valid as both.
void TfmNovaDecl::CheckKeyIsFree() {
    const QString widened = sInscricao.size() == 12 ? QStringLiteral("00") + sInscricao : sInscricao;
    db::Query& q = dmEntradaDados->quValidaEstab;
    q.Close();
    q.SQL().clear();
    q.SQL() << QStringLiteral("select AnBase,CoCgcCeiEstabelecimento,NuPrefixoEstabelecimento,InInscrEstabelecimento,CoCgcVinculado")
            << QStringLiteral("from BD8Emp") << QStringLiteral("where AnBase = :sAnoBase and")
            << QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao and")
            << QStringLiteral("      NuPrefixoEstabelecimento = :sPrefixo");
    q.ParamByName(QStringLiteral("sAnoBase")).AsString = sAnoBase;
    q.ParamByName(QStringLiteral("sInscricao")).AsString = widened;
    q.ParamByName(QStringLiteral("sPrefixo")).AsString = sPrefixo;
    q.Open();
    const bool exists = !q.Eof();
    const QString storedType = exists ? q.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString() : QString();
    q.Close();
    if (!exists) return;
    if (storedType != EstablishmentValue(QStringLiteral("InInscrEstabelecimento"))) {
        if (CheckInscription(widened) == QLatin1String("0050")) ShowMessageByCode(NewDeclarationResult = QStringLiteral("1009"));
    } else {
        ShowMessageByCode(NewDeclarationResult = QStringLiteral("1000"));
    }
    kit_->FocusBack(dePrefixo);
    throw SilentAbort();
}

bool TfmNovaDecl::CheckDuplicateAndCopy(const QString& inscricao, const QString& prefixo) {
    sInscricao = inscricao;
    sPrefixo = prefixo;
    CheckKeyIsFree();
    const QString widened = inscricao.size() == 12 ? QStringLiteral("00") + inscricao : inscricao;
    db::Query& q = dmEntradaDados->quValidaEstab;
    q.Close();
    q.SQL().clear();
    q.SQL() << QStringLiteral("select *") << QStringLiteral("from BD8Emp") << QStringLiteral("where AnBase = :sAnoBase and")
            << QStringLiteral("      CoCgcCeiEstabelecimento = :sInscricao")
            << QStringLiteral("order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
    q.ParamByName(QStringLiteral("sAnoBase")).AsString = sAnoBase;
    q.ParamByName(QStringLiteral("sInscricao")).AsString = widened;
    q.Open();
    if (q.Eof()) {
        q.Close();
        return false;
    }
    const auto stored = [&q](const char* name) { return q.FieldByName(QString::fromLatin1(name)).AsString(); };
    if (stored("InInscrEstabelecimento") != EstablishmentValue(QStringLiteral("InInscrEstabelecimento"))) {
        const bool both = CheckInscription(widened) == QLatin1String("0050");
        if (both) {
            q.Close();
            return false;   // the same number may be declared once as a CNPJ and once as a CEI
        }
        q.Close();
        refuse(QStringLiteral("1003"), dePrefixo);
    }
    NewDeclarationResult = ShowMessageByCode(QStringLiteral("1001"));
    if (NewDeclarationResult != QLatin1String("mrNo")) {
        SetEstablishmentValue(QStringLiteral("CoCgcCeiEstabelecimento"), inscricao);
        for (const char* name : kCopied) SetEstablishmentValue(QString::fromLatin1(name), stored(name));
        SetEstablishmentValue(QStringLiteral("NuVinculosEstabelecimento"), QStringLiteral("000000"));
        SetEstablishmentValue(QStringLiteral("NuEstrangeirosEstabelec"), QStringLiteral("00000"));
        SetEstablishmentValue(QStringLiteral("InOpcaoAberta"), QStringLiteral("0"));
        for (const char* name : kCopiedUnion) SetEstablishmentValue(QString::fromLatin1(name), stored(name));
    } else {
        for (const char* name : {"NoRazaoEstabelecimento", "CoCnae2", "CoNaturezaJuridica"})
            SetEstablishmentValue(QString::fromLatin1(name), stored(name));
    }
    q.Close();
    kit_->RefreshAll();
    ValidateAll();
    PostNewEstablishment();
    handOver();
    return true;
}

void TfmNovaDecl::CheckLinkedCei() {
    const QString cei = EstablishmentValue(QStringLiteral("CoCgcVinculado")).trimmed();
    if (cei.isEmpty() || IsAllZeros(cei)) {
        SetDesignMask(deCeiVinc, QString());
        deCeiVinc->clear();
        SetEstablishmentValue(QStringLiteral("CoCgcVinculado"), QString());
        return;
    }
    const QString widened = cei.size() == 14 ? cei : QStringLiteral("00") + cei;
    const QString type = EstablishmentValue(QStringLiteral("InInscrEstabelecimento"));
    QString code = CheckCeiNumber(widened);
    if (!IsAccepted(code)) refuse(code, deCeiVinc);
    code = CheckLinkedCeiForInscriptionType(type, cei);
    if (!IsAccepted(code)) refuse(code, deCeiVinc);
    SetDesignMask(deCeiVinc, kMaskCeiShown);
    SetEditValue(deCeiVinc, widened.mid(2));
    code = CheckNegativeDeclarationType(EstablishmentValue(QStringLiteral("InZuvoNegEstabelecimento")), type, widened);
    if (!IsAccepted(code)) refuse(code, dgTipoZuvo->Button(qMax(0, dgTipoZuvo->ItemIndex())));
}

void TfmNovaDecl::CheckNameField() {
    QString name = EstablishmentValue(QStringLiteral("NoRazaoEstabelecimento"));
    const QString code = CheckCompanyName(name, EditValue(deInscricao), EstablishmentValue(QStringLiteral("InInscrEstabelecimento")));
    if (!IsAccepted(code)) refuse(code, deRazao);
    SetEstablishmentValue(QStringLiteral("NoRazaoEstabelecimento"), name);
}

void TfmNovaDecl::CheckCompanyUseField() {
    const QString code = CheckFreeText(EstablishmentValue(QStringLiteral("TxUsoEstabelecimento")));
    if (!IsAccepted(code)) refuse(code, deUsoEmpresa);
}

void TfmNovaDecl::ValidateAll() {
    CheckTypeChosen();
    CheckInscriptionField();
    CheckInscriptionAgainstType();
    CheckPrefixField(false);
    CheckLinkedCei();
    CheckNameField();
    CheckCompanyUseField();
}

void TfmNovaDecl::FillDefaults() {
    sInscricao = PadLeftZeros(EstablishmentValue(QStringLiteral("CoCgcCeiEstabelecimento")).trimmed(), 14);
    SetEstablishmentValue(QStringLiteral("CoCgcCeiEstabelecimento"), sInscricao);
    SetEstablishmentValue(QStringLiteral("CoCgcVinculado"), PadLeftZeros(EstablishmentValue(QStringLiteral("CoCgcVinculado")).trimmed(), 14));
    for (const char* name :
         {"EdEstabelecimento", "TxComplemEstabelecimento", "NoBairroEstabelecimento", "NoMunicEstabelecimento", "SgUf",
          "CoCnae2", "NuDDD", "NuTelefone", "DaEncerramentoAtividade", "InPorte", "InParticipaPAT",
          "NuVinculoPatMaior5", "NuVinculoPatMenor5", "PoServicoProprio", "PoAdmCozinha", "PoRefeicaoConvenio",
          "PoRefeicaoTransportadora", "PoCestaAlimento", "PoAlimentacaoConvenio", "CoCNPJSindical",
          "CoCNPJAssociativa", "CoCNPJAssistencial", "CoCNPJConfederativa"})
        SetEstablishmentValue(QString::fromLatin1(name), QString());
    const std::pair<const char*, const char*> fixed[] = {
        {"NuEnderecoEstabelecimento", "000000"}, {"NuVinculosEstabelecimento", "000000"},
        {"CoCepEstabelecimento", "00000000"},   {"CoMunicipio", "0000000"},
        {"CoNaturezaJuridica", "0000"},         {"NuProprietEstabelecimento", "00"},
        {"MeDataBase", "00"},                   {"NuEstrangeirosEstabelec", "00000"},
        {"InEncerramentoAtividade", "2"},       {"InOpcaoAberta", "0"},
        {"VaGlobalSindical", "000000000"},      {"VaGlobalAssociativa", "000000000"},
        {"VaGlobalAssistencial", "000000000"},  {"VaGlobalConfederativa", "000000000"}};
    for (const auto& [name, value] : fixed) SetEstablishmentValue(QString::fromLatin1(name), QString::fromLatin1(value));
}

void TfmNovaDecl::PostNewEstablishment() {
    sInscricao = PadLeftZeros(EstablishmentValue(QStringLiteral("CoCgcCeiEstabelecimento")).trimmed(), 14);
    SetEstablishmentValue(QStringLiteral("CoCgcCeiEstabelecimento"), sInscricao);
    EstablishmentTable().Post();
    EstablishmentTable().Close();
    dmEntradaDados->quValidaEstab.Close();
}

void TfmNovaDecl::handOver() {
    hide();
    ShowDadosEstab(sAnoBase, sInscricao, sPrefixo, true);
    // This form waits hidden while the establishment list, made visible by the
    // forms after it, is in use; it ends when the list closes it. With no list
    // to come back to there is nothing to wait for.
    if (!fmConEstab || !fmConEstab->isVisible()) {
        forms::SetModalResult(this, forms::mrOk);
        accept();
    }
}

void TfmNovaDecl::btOkClick() {
    kit_->RunAction([this] {
        ValidateAll();
        // A key already stored would be refused by the table: say so before posting.
        CheckKeyIsFree();
        FillDefaults();
        PostNewEstablishment();
        handOver();
    });
}

void TfmNovaDecl::BtCancelarClick() {
    if (EstablishmentTable().Active()) {
        EstablishmentTable().Cancel();
        EstablishmentTable().Close();
    }
    forms::SetModalResult(this, forms::mrCancel);
    reject();
}

void TfmNovaDecl::dgTipoZuvoClick() {
    if (EstablishmentValue(QStringLiteral("InZuvoNegEstabelecimento")) == QLatin1String("1")) {
        ShowNoEmployeesNotice(this);
        dgEmAtividade->setEnabled(true);
    } else {
        dgEmAtividade->setEnabled(false);
    }
}
