#include "ufmAltVinculo02.h"

#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/ui/EntryForm.h"
#include "rules/ugRegrasContrato.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"
#include "ufmAltVinculo00.h"
#include "ufmAltVinculo01.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QComboBox>
#include <QFormLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

constexpr int kTxtVinculoWidth = 100;

MaintenanceButtons lastButtons() {
    MaintenanceButtons b = AltVinculoButtons();
    b.next = "BtConcluir";
    b.nextText = "&Concluir";
    b.cancelText = "C&ancelar";
    return b;
}

}  // namespace

TfmAltVinculo02::TfmAltVinculo02(TfmAltVinculo00& wizard)
    : forms::WizardPage(
          AltVinculoFrame("fmAltVinculo02", &wizard.Encerrar, lastButtons())),
      kit_(new ui::EntryFormController(this)) {
    auto* label = new QLabel(
        QStringLiteral("Selecione o código do vínculo que deverá constar para todos os empregados/servidores."), Panel());
    label->setWordWrap(true);
    PanelLayout()->addWidget(label);
    PanelLayout()->addWidget(SelectedEstablishmentGroup(Panel(), EdMostraCGC, "EdMostraCGC", "Inscrição CNPJ/CEI",
                                                        EdMostraPrefixo, "EdMostraPrefixo", EdMostraNome, "EdMostraNome",
                                                        "Nome/Firma/Razão Social do Estabelecimento"));
    auto* group = new QGroupBox(QStringLiteral("Código do Vínculo do Empregado/Servidor"), Panel());
    auto* row = new QHBoxLayout(group);
    llVinculo = new QComboBox(group);
    llVinculo->setObjectName(QStringLiteral("llVinculo"));
    dbcdDescrVinculo = new QLineEdit(group);
    dbcdDescrVinculo->setObjectName(QStringLiteral("dbcdDescrVinculo"));
    dbcdDescrVinculo->setReadOnly(true);
    dbcdDescrVinculo->setFocusPolicy(Qt::NoFocus);
    row->addWidget(llVinculo);
    row->addWidget(dbcdDescrVinculo, 1);
    PanelLayout()->addWidget(group);
    PanelLayout()->addStretch();

    // The contract types, as tb8vinc holds them.
    db::Query q(TdmLobrix::OpenAlias());
    q.SetSQL(QStringLiteral("select CoVinculo, NoVinculo from tb8vinc order by CoVinculo"));
    q.Open();
    for (q.First(); !q.Eof(); q.Next()) llVinculo->addItem(q.Fields(0).AsString(), q.Fields(1).AsString());
    q.Close();
    connect(llVinculo, &QComboBox::currentIndexChanged, this, [this](int index) {
        dbcdDescrVinculo->setText(index < 0 ? QString() : llVinculo->itemData(index).toString());
    });
    connect(EdMostraNome, &QLineEdit::textChanged, EdMostraNome, &QWidget::setToolTip);
    connect(dbcdDescrVinculo, &QLineEdit::textChanged, dbcdDescrVinculo, &QWidget::setToolTip);
    connect(llVinculo, &QComboBox::activated, this, [this] { llVinculoExit(); });
    kit_->SkipChecksFor(CancelButton());
    kit_->OnExit(llVinculo, [this] { llVinculoExit(); });
}

void TfmAltVinculo02::PageShown() {
    llVinculo->setCurrentIndex(-1);
    dbcdDescrVinculo->clear();
    llVinculo->setFocus();
}

QString TfmAltVinculo02::inscriptionType() const {
    if (AltVinculoCodigo == QLatin1String("0051")) return QStringLiteral("1");
    if (AltVinculoCodigo == QLatin1String("0052")) return QStringLiteral("3");
    // Valid as both: the type the establishment was stored with.
    db::Query q(TdmLobrix::OpenAlias());
    q.SetSQL(QStringLiteral("Select InInscrEstabelecimento from bd8Emp where anbase = :anBase and\n"
                            "coCGCCeiEstabelecimento = :coCGCCeiEstabelecimento and\n"
                            "NuprefixoEstabelecimento = :Nuprefixo"));
    q.ParamByName(QStringLiteral("anBase")).AsString = AltVinculoAnoBase;
    q.ParamByName(QStringLiteral("coCGCCeiEstabelecimento")).AsString = AltVinculoInscricao;
    q.ParamByName(QStringLiteral("Nuprefixo")).AsString = AltVinculoPrefixo;
    q.Open();
    return q.Eof() ? QString() : q.Fields(0).AsString();
}

bool TfmAltVinculo02::llVinculoExit() {
    if (llVinculo->currentIndex() < 0) return true;
    if (CheckContractTypeForInscriptionType(llVinculo->currentText(), inscriptionType()) == QLatin1String("0000"))
        return true;
    ShowMessageByCode(QStringLiteral("1307"));
    llVinculo->setFocus();
    return false;
}

void TfmAltVinculo02::BtConcluirClick() {
    if (llVinculo->currentIndex() < 0 || llVinculo->currentText().isEmpty()) {
        ShowMessageByCode(QStringLiteral("1306"));
        return;
    }
    // Concluir may come by its access key, with the combo never left.
    if (!llVinculoExit()) return;
    AltVinculoAnoBase = QString::number(DeclarationBaseYear());
    if (CountEstablishmentContracts(AltVinculoAnoBase, AltVinculoInscricao, AltVinculoPrefixo) == 0) {
        ShowMessageByCode(QStringLiteral("1304"));
        return;
    }
    try {
        ChangeContractType(AltVinculoAnoBase, AltVinculoInscricao, AltVinculoPrefixo, llVinculo->currentText(),
                           dbcdDescrVinculo->text());
    } catch (const db::DbError& e) {
        ShowEngineErrorBox(e);
        return;
    }
    ShowMessageByCode(QStringLiteral("1305"));
    CancelWizard();
}

void ChangeContractType(const QString& anoBase, const QString& inscricao, const QString& prefixo,
                        const QString& coVinculo, const QString& noVinculo) {
    auto database = TdmLobrix::OpenAlias();
    db::Transaction transaction(*database);
    SetOperationMarker(anoBase, inscricao, prefixo, OperationMarker::ContractTypeChange);
    db::Query q(database);
    // The description goes along, so the printed reports name the new type.
    q.SetSQL(QStringLiteral("update bd8VINC set coVinculo = :coVinculo, TxtVinculo = :TxtVinculo\n"
                            "Where CoCGCCeiEstabelecimento= :strCGC and NuPrefixoEstabelecimento= :strPrefixo\n"
                            "and anBase= :strAnoBase"));
    q.ParamByName(QStringLiteral("coVinculo")).AsString = coVinculo;
    q.ParamByName(QStringLiteral("TxtVinculo")).AsString = noVinculo.left(kTxtVinculoWidth);
    q.ParamByName(QStringLiteral("strCGC")).AsString = inscricao;
    q.ParamByName(QStringLiteral("strPrefixo")).AsString = prefixo;
    q.ParamByName(QStringLiteral("strAnoBase")).AsString = anoBase;
    q.ExecSQL();
    SetOperationMarker(anoBase, inscricao, prefixo, OperationMarker::None);
    transaction.commit();
}
