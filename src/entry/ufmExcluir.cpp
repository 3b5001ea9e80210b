#include "ufmExcluir.h"

#include "EntryShared.h"
#include "platform/db/Database.h"
#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/ProgressHost.h"
#include "rules/UgDadosResp.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"
#include "ufmConEstab.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfmExcluir* fmExcluir = nullptr;

namespace {
// Contracts deleted per statement: the bar moves and events get through between them.
constexpr int kDeleteBatch = 500;
}  // namespace

TfmExcluir::TfmExcluir(QWidget* parent) : QDialog(parent), ta8Empresa(TdmLobrix::OpenAlias(), QStringLiteral("Bd8emp.DB")) {
    setObjectName(QStringLiteral("fmExcluir"));
    setWindowTitle(QStringLiteral("Exclusão de Estabelecimento"));
    ta8Empresa.SetFieldDefs(DeclarationTables::BD8Emp().fields);
    auto box = [this](const char* name) {
        auto* e = new QLineEdit(this);
        e->setObjectName(QString::fromLatin1(name));
        ui::SetLocked(e, true);
        e->setFocusPolicy(Qt::NoFocus);
        return e;
    };
    mdInscricao = box("mdInscricao");
    edTipoCGCCEI = box("edTipoCGCCEI");
    edPrefixo = box("edPrefixo");
    edCgcVinculado = box("edCgcVinculado");
    edTotalEmpregados = box("edTotalEmpregados");
    edUsoEmpresa = box("edUsoEmpresa");
    edRazaoSocial = box("edRazaoSocial");
    paAnoBase = MakeYearPanel(this);
    pbTipoZuvo = new QLabel(this);
    pbTipoZuvo->setObjectName(QStringLiteral("pbTipoZuvo"));
    BarraDeProgress = new QProgressBar(this);
    BarraDeProgress->setObjectName(QStringLiteral("BarraDeProgress"));
    BarraDeProgress->hide();
    bbExcluir = MakeFormButton(this, "bbExcluir", "&Excluir", QStyle::SP_TrashIcon);
    sbCancelar = MakeFormButton(this, "sbCancelar", "&Cancelar", QStyle::SP_DialogCancelButton);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(paAnoBase, 0, Qt::AlignHCenter);
    auto* grid = new QGridLayout;
    grid->addWidget(new QLabel(QStringLiteral("Inscrição CNPJ/CEI")), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("Prefixo")), 0, 2);
    grid->addWidget(new QLabel(QStringLiteral("CEI Vinculado")), 0, 3);
    grid->addWidget(mdInscricao, 1, 0);
    grid->addWidget(edTipoCGCCEI, 1, 1);
    grid->addWidget(edPrefixo, 1, 2);
    grid->addWidget(edCgcVinculado, 1, 3);
    edTipoCGCCEI->setMaximumWidth(60);
    edPrefixo->setMaximumWidth(50);
    grid->addWidget(new QLabel(QStringLiteral("Total de Empregados/Servidores")), 2, 0);
    grid->addWidget(new QLabel(QStringLiteral("Para Uso da Empresa")), 2, 2, 1, 2);
    grid->addWidget(edTotalEmpregados, 3, 0);
    grid->addWidget(edUsoEmpresa, 3, 2, 1, 2);
    outer->addLayout(grid);
    auto* razao = new QGroupBox(QStringLiteral("Razão Social "), this);
    (new QVBoxLayout(razao))->addWidget(edRazaoSocial);
    outer->addWidget(razao);
    outer->addWidget(pbTipoZuvo, 0, Qt::AlignHCenter);
    outer->addWidget(BarraDeProgress);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(bbExcluir);
    buttons->addWidget(sbCancelar);
    outer->addLayout(buttons);

    connect(bbExcluir, &QPushButton::clicked, this, &TfmExcluir::bbExcluirClick);
    connect(sbCancelar, &QPushButton::clicked, this, [this] {
        FormClose();
        forms::SetModalResult(this, forms::mrCancel);
        reject();
    });
    forms::ScaleForm(this, QSize(620, 300), QSize(850, 340));
    forms::CenterOnActivate(this);
}

void TfmExcluir::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    fillDisplay();
    bbExcluir->setFocus();
}

void TfmExcluir::fillDisplay() {
    for (QLineEdit* e : findChildren<QLineEdit*>()) e->clear();
    paAnoBase->setText(KeyAnoBase == QString::number(DeclarationBaseYear())
                           ? QStringLiteral("Declaração Ano %1").arg(DeclarationBaseYear())
                           : QStringLiteral("Declaração %1").arg(DeclarationBaseYear() + 1));
    edPrefixo->setText(KeyPrefixo);
    ta8Empresa.Open();
    const bool found = ta8Empresa.FindKey({KeyAnoBase, KeyInscricao, KeyPrefixo});
    const QString type = found ? ta8Empresa.FieldByName(QStringLiteral("InInscrEstabelecimento")).AsString() : QString();
    // The inscription by what the number is; a number valid as both, or an
    // invalid one, shows by its stored type.
    const QString code = CheckInscription(KeyInscricao);
    const bool cei = code == QLatin1String("0052") || (code != QLatin1String("0051") && type == QLatin1String("3"));
    if (cei) {
        ui::SetDesignMask(mdInscricao, kMaskCei);
        ui::SetEditValue(mdInscricao, KeyInscricao.mid(2, 12));
        edTipoCGCCEI->setText(QStringLiteral("CEI"));
    } else {
        ui::SetDesignMask(mdInscricao, kMaskCnpj);
        ui::SetEditValue(mdInscricao, KeyInscricao);
        edTipoCGCCEI->setText(QStringLiteral("CNPJ"));
    }
    if (found) {
        auto v = [this](const char* name) { return ta8Empresa.FieldByName(QString::fromLatin1(name)).AsString(); };
        const QString linked = v("CoCgcVinculado");
        if (IsAllDigits(linked))
            edCgcVinculado->setText(IsAllZeros(linked) ? QString() : FormatInscricao(linked, QStringLiteral("3")));
        else
            edCgcVinculado->setText(linked);
        const QString total = v("NuVinculosEstabelecimento").trimmed();
        edTotalEmpregados->setText(total.isEmpty() || IsAllZeros(total) ? QString() : QString::number(total.toInt()));
        edUsoEmpresa->setText(v("TxUsoEstabelecimento"));
        edRazaoSocial->setText(v("NoRazaoEstabelecimento"));
        pbTipoZuvo->setText(v("InZuvoNegEstabelecimento") == QLatin1String("1") ? QStringLiteral("ZUVO sem empregados")
                                                                                : QStringLiteral("ZUVO com empregados"));
    }
    ta8Empresa.Close();
}

void TfmExcluir::MarkEstablishmentOpen() {
    ta8Empresa.Open();
    if (ta8Empresa.FindKey({KeyAnoBase, KeyInscricao, KeyPrefixo})) {
        ta8Empresa.Edit();
        ta8Empresa.FieldByName(QStringLiteral("InOpcaoAberta")).SetAsString(QStringLiteral("1"));
        ta8Empresa.Post();
    }
    ta8Empresa.Close();
}

void TfmExcluir::DeleteEstablishment(forms::ProgressHost& progress) {
    auto database = TdmLobrix::OpenAlias();
    auto bind = [this](db::Query& q) {
        q.ParamByName(QStringLiteral("AnBase")).AsString = KeyAnoBase;
        q.ParamByName(QStringLiteral("cocgcceiEstabelecimento")).AsString = KeyInscricao;
        q.ParamByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString = KeyPrefixo;
    };
    const QString where = QStringLiteral(
        " where cocgcceiestabelecimento = :cocgcceiEstabelecimento and AnBase = :AnBase and "
        "NuPrefixoEstabelecimento = :NuPrefixoEstabelecimento");
    db::Query count(database);
    count.SetSQL(QStringLiteral("select count(cocgcceiEstabelecimento) from bd8Vinc") + where);
    bind(count);
    count.Open();
    const int contracts = count.Fields(0).AsInteger();
    count.Close();

    // The row, its marker and every contract go together or not at all.
    db::Transaction transaction(*database);
    db::Query remove(database);
    remove.SetSQL(QStringLiteral("delete from bd8emp") + where);
    bind(remove);
    remove.ExecSQL();
    progress.SetProgressMaximum(contracts > 0 ? contracts + 1 : 1);
    progress.SetProgress(1);
    remove.Close();
    remove.SetSQL(QStringLiteral("delete from bd8Vinc where rowid in (select rowid from bd8Vinc") + where +
                  QStringLiteral(" limit %1)").arg(kDeleteBatch));
    int deleted = 0;
    while (deleted < contracts) {
        bind(remove);
        remove.ExecSQL();
        if (remove.RowsAffected() == 0) break;
        deleted += remove.RowsAffected();
        progress.SetProgress(1 + deleted);
        progress.ProcessEvents();
    }
    transaction.commit();
}

void TfmExcluir::bbExcluirClick() {
    msg::BoxRequest question;
    question.kind = msg::BoxKind::Confirmation;
    question.buttons = msg::BoxButtons::YesNo;
    question.text = QStringLiteral("A exclusão remove da base do sistema todas as informações\r"
                                   "referentes ao estabelecimento e seus empregados, se houver.\r"
                                   "Você tem certeza que deseja excluir ?");
    // Deleting cannot be undone: Enter must not answer Yes.
    question.title = QStringLiteral("Confirmação");
    question.defaultButton = msg::ModalResultName(7);
    if (msg::ShowBox(question) != msg::ModalResultName(6)) return;
    try {
        MarkEstablishmentOpen();
        BarraDeProgress->show();
        forms::ProgressBarHost host(BarraDeProgress);
        DeleteEstablishment(host);
    } catch (const db::DbError& e) {
        // Nothing was deleted; the marker tells the next opening that the deletion did not finish.
        ShowEngineErrorBox(e);
        BarraDeProgress->hide();
        return;
    }
    msg::ShowInformation(QStringLiteral("Estabelecimento excluído com sucesso."));
    FormClose();
    forms::SetModalResult(this, forms::mrOk);
    accept();
}

void TfmExcluir::FormClose() {
    BarraDeProgress->hide();
    if (fmConEstab) {
        fmConEstab->show();
        fmConEstab->pMontaQuery();
    }
}
