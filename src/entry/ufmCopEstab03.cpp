#include "ufmCopEstab03.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/MaskAdapter.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"
#include "ufmConEmpreg.h"
#include "ufmCopEstab00.h"
#include "ufmCopEstab01.h"
#include "ufmNovaDecl.h"
#include "ufmTipoInscricao.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QFormLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

const QString kMaskTyping = QStringLiteral("99999999999999;0;_");
const QString kMaskDestCnpj = QStringLiteral("99\\.999\\.999\\/9999\\-99;0;_");
const QString kMaskDestCei = QStringLiteral("99\\-999\\-99\\.999\\-9\\/9;0;_");
const QString kNoLinkedCei = QStringLiteral("00000000000000");

MaintenanceButtons lastButtons() {
    MaintenanceButtons b = CopEstabButtons();
    b.next = "BtConcluir";
    b.nextText = "&Concluir";
    b.cancelText = "C&ancelar";
    return b;
}

QString destinationDigits(const QLineEdit* box) {
    const QString digits = ui::EditValue(box).trimmed();
    return digits.size() == 12 ? QStringLiteral("00") + digits : digits;
}

}  // namespace

TfmCopEstab03::TfmCopEstab03(TfmCopEstab00& wizard)
    : forms::WizardPage(MaintenanceFrame("fmCopEstab03", kCopEstabCaption, &wizard.Encerrar, lastButtons())),
      wizard_(wizard),
      kit_(new ui::EntryFormController(this)) {
    auto* label = new QLabel(QStringLiteral("Informe o estabelecimento de destino (inscrição/prefixo), isto é, o "
                                            "correto estabelecimento destes empregados."),
                             Panel());
    label->setWordWrap(true);
    auto* group = new QGroupBox(QStringLiteral("Identificação do estabelecimento destino "), Panel());
    auto* form = new QFormLayout(group);
    mdCGCCEI = new QLineEdit(group);
    mdCGCCEI->setObjectName(QStringLiteral("mdCGCCEI"));
    edTipoCGCCEI = new QLineEdit(group);
    edTipoCGCCEI->setObjectName(QStringLiteral("edTipoCGCCEI"));
    edTipoCGCCEI->setReadOnly(true);
    edTipoCGCCEI->setFocusPolicy(Qt::NoFocus);
    edPrefixo = new QLineEdit(group);
    edPrefixo->setObjectName(QStringLiteral("edPrefixo"));
    // Two characters at most: a longer prefix is refused by its check.
    edPrefixo->setMaxLength(2);
    form->addRow(QStringLiteral("Inscrição CNPJ/CEI"), mdCGCCEI);
    form->addRow(QString(), edTipoCGCCEI);
    form->addRow(QStringLiteral("Prefixo"), edPrefixo);
    edTotalEmpregados = new QLineEdit(Panel());
    edTotalEmpregados->setObjectName(QStringLiteral("edTotalEmpregados"));
    edTotalEmpregados->setReadOnly(true);
    edTotalEmpregados->setFocusPolicy(Qt::NoFocus);
    auto* total = new QFormLayout;
    total->addRow(QStringLiteral("Total de empregados para transferencia:"), edTotalEmpregados);
    PanelLayout()->addWidget(label);
    PanelLayout()->addWidget(group);
    PanelLayout()->addLayout(total);
    PanelLayout()->addStretch();
    NextButton()->setDefault(true);

    ui::SetDesignMask(mdCGCCEI, kMaskTyping);
    kit_->EnterAsTab = true;
    kit_->SkipChecksFor(BackButton());
    kit_->SkipChecksFor(CancelButton());
    kit_->OnEnter(mdCGCCEI, [this] {
        const QString digits = ui::EditValue(mdCGCCEI);
        ui::SetDesignMask(mdCGCCEI, kMaskTyping);
        ui::SetEditValue(mdCGCCEI, digits);
    });
    kit_->OnExit(mdCGCCEI, [this] { mdCGCCEIExit(); });
    kit_->OnExit(edPrefixo, [this] { edPrefixoExit(); });
}

void TfmCopEstab03::PageShown() {
    edTotalEmpregados->setText(QString::number(wizard_.Linhas.size()));
    mdCGCCEI->setFocus();
}

bool TfmCopEstab03::mdCGCCEIExit() {
    QString digits = destinationDigits(mdCGCCEI);
    QString code;
    if (!checkedText_.isEmpty() && digits == checkedText_ && !TipoDestino.isEmpty())
        // A number settled already keeps the type chosen for it.
        code = TipoDestino == QLatin1String("1") ? QStringLiteral("0051") : QStringLiteral("0052");
    else
        code = CheckInscription(digits);
    if (code == QLatin1String("0050")) {
        {
            TfmTipoInscricao chooser(this);
            forms::ShowModal(&chooser);
        }
        if (NewDeclarationResult == QLatin1String("CNPJ")) {
            code = QStringLiteral("0051");
            digits = PadLeftZeros(digits, 14);
        } else if (NewDeclarationResult == QLatin1String("CEI")) {
            code = QStringLiteral("0052");
        }
    }
    if (code == QLatin1String("0051")) {
        ui::SetDesignMask(mdCGCCEI, kMaskDestCnpj);
        ui::SetEditValue(mdCGCCEI, digits);
        TipoDestino = QStringLiteral("1");
        edTipoCGCCEI->setText(QStringLiteral("CNPJ"));
    } else if (code == QLatin1String("0052")) {
        ui::SetDesignMask(mdCGCCEI, kMaskDestCei);
        ui::SetEditValue(mdCGCCEI, digits.right(12));
        TipoDestino = QStringLiteral("3");
        edTipoCGCCEI->setText(QStringLiteral("CEI"));
    } else {
        TipoDestino.clear();
        checkedText_.clear();
        edTipoCGCCEI->clear();
        ShowMessageByCode(code);
        mdCGCCEI->setFocus();
        return false;
    }
    InscricaoDestino = digits;
    checkedText_ = digits;
    edPrefixo->setFocus();
    return true;
}

bool TfmCopEstab03::edPrefixoExit() {
    PrefixoDestino = edPrefixo->text();
    if (PrefixoDestino.isEmpty()) {
        edPrefixo->setText(QStringLiteral("00"));
        PrefixoDestino = QStringLiteral("00");
        return true;
    }
    const QString code = CheckPrefix(PrefixoDestino);
    if (code == QLatin1String("0000")) return true;
    ShowMessageByCode(code);
    edPrefixo->setFocus();
    return false;
}

bool TfmCopEstab03::destinationExists() const {
    if (InscricaoDestino == wizard_.Inscricao && PrefixoDestino == wizard_.Prefixo) return true;
    db::Query q(TdmLobrix::OpenAlias());
    q.SetSQL(QStringLiteral("select count(*) from BD8Emp where AnBase = :AnBase and "
                            "CoCgcCeiEstabelecimento = :CoCgcCeiEstabelecimento and "
                            "NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento"));
    q.ParamByName(QStringLiteral("AnBase")).AsString = wizard_.AnoBase;
    q.ParamByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString = InscricaoDestino;
    q.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString = PrefixoDestino;
    q.Open();
    return q.Fields(0).AsInteger() > 0;
}

void TfmCopEstab03::BtConcluirClick() {
    // Concluir may come by its access key, with the boxes never left: check
    // them again here.
    if (!mdCGCCEIExit() || !edPrefixoExit()) return;
    if (destinationExists()) {
        ShowMessageByCode(QStringLiteral("1308"));
        mdCGCCEI->setFocus();
        return;
    }
    try {
        TransferEmployees();
    } catch (const db::DbError& e) {
        // Nothing moved and nothing was created.
        ShowEngineErrorBox(e);
        return;
    }
    mdCGCCEI->clear();
    edPrefixo->clear();
    checkedText_.clear();
    TipoDestino.clear();
    edTipoCGCCEI->clear();
    ShowMessageByCode(QStringLiteral("1309"));
    CancelWizard();
}

void TfmCopEstab03::TransferEmployees() {
    auto database = TdmLobrix::OpenAlias();
    db::Transaction transaction(*database);

    // The destination, empty but for its identity, under the marker.
    const QMap<QString, QString> values = {
        {"AnBase", wizard_.AnoBase},
        {"CoCgcCeiEstabelecimento", InscricaoDestino},
        {"NuPrefixoEstabelecimento", PrefixoDestino},
        {"InInscrEstabelecimento", TipoDestino},
        {"InZuvoNegEstabelecimento", "0"},
        {"CoCgcVinculado", kNoLinkedCei},
        {"NuEnderecoEstabelecimento", "000000"},
        {"CoCepEstabelecimento", "00000000"},
        {"CoMunicipio", "0000000"},
        {"CoNaturezaJuridica", "0000"},
        {"NuProprietEstabelecimento", "00"},
        {"NuVinculosEstabelecimento", PadLeftZeros(QString::number(wizard_.Linhas.size()), 6)},
        {"NuEstrangeirosEstabelec", "00000"},
        {"InPorte", " "},
        {"InOptanteSimples", " "},
        {"InParticipaPAT", " "},
        {"NuVinculoPatMaior5", "000000"},
        {"NuVinculoPatMenor5", "000000"},
        {"PoServicoProprio", "000"},
        {"PoAdmCozinha", "000"},
        {"PoRefeicaoConvenio", "000"},
        {"PoRefeicaoTransportadora", "000"},
        {"PoCestaAlimento", "000"},
        {"PoAlimentacaoConvenio", "000"},
        {"InAtividadeAnoBase", "1"},
        {"InOpcaoAberta", OperationMarker::TransferTarget},
    };
    QStringList columns, marks;
    for (const db::FieldDef& f : DeclarationTables::BD8Emp().fields) {
        if (f.type != db::FieldType::Text) continue;
        columns << f.name;
        marks << QStringLiteral(":") + f.name;
    }
    db::Query insert(database);
    insert.SetSQL(QStringLiteral("insert into BD8Emp (%1) values (%2)").arg(columns.join(','), marks.join(',')));
    for (const QString& c : columns) insert.ParamByName(c).AsString = values.value(c);
    insert.ExecSQL();

    // The contracts take the destination's identity whole, so that its
    // employee list shows them.
    db::Query move(database);
    move.SetSQL(QStringLiteral("update BD8Vinc set CoCgcCeiEstabelecimento = :Destino, "
                               "NuPrefixoEstabelecimento = :PrefixoDestino, InInscrEstabelecimento = :TipoDestino, "
                               "CoCgcVinculado = :VinculadoDestino where ") +
                ContractKeysCondition());
    move.ParamByName(QStringLiteral("Destino")).AsString = InscricaoDestino;
    move.ParamByName(QStringLiteral("PrefixoDestino")).AsString = PrefixoDestino;
    move.ParamByName(QStringLiteral("TipoDestino")).AsString = TipoDestino;
    move.ParamByName(QStringLiteral("VinculadoDestino")).AsString = kNoLinkedCei;
    ExecForContractKeys(move, wizard_.AnoBase, wizard_.Inscricao, wizard_.Prefixo, wizard_.Linhas);

    RecountEstablishment(wizard_.AnoBase, wizard_.Inscricao, wizard_.Prefixo);
    RecountEstablishment(wizard_.AnoBase, InscricaoDestino, PrefixoDestino);
    SetOperationMarker(wizard_.AnoBase, InscricaoDestino, PrefixoDestino, OperationMarker::None);
    transaction.commit();
}
