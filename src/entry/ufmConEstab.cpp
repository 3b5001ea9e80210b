#include "ufmConEstab.h"

#include "EntryShared.h"
#include "LetterButtons.h"
#include "MaintenanceWizards.h"
#include "QueryGrid.h"
#include "platform/db/Database.h"
#include "platform/db/Table.h"
#include "platform/ui/EntryForm.h"
#include "platform/ui/EntryWidgets.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MaskAdapter.h"
#include "rules/ugRegrasIdentificacao.h"
#include "shell/UdmLobrix.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmLOBRIX.h"
#include "shell/ugExcecao.h"
#include "shell/ugFuncoes.h"
#include "shell/ugListasAssistente.h"
#include "ufmDadosEmpreg.h"
#include "ufmDadosEstab.h"
#include "ufmExcluir.h"
#include "ufmNovaDecl.h"
#include "ufmTipoInscricao.h"

#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QStyle>
#include <QVBoxLayout>

TfmConEstab* fmConEstab = nullptr;

namespace {


const QStringList kFields = {"anbase", "coCgcCeiEstabelecimento", "NuPrefixoEstabelecimento", "NoRazaoEstabelecimento",
                             "InInscrEstabelecimento", "nuVinculosEstabelecimento", "CoCGCVinculado"};

QString inscriptionText(const QString& value, const std::function<QString(const QString&)>& row) {
    const QString type = row(QStringLiteral("InInscrEstabelecimento"));
    if (type == QLatin1String("1") || type == QLatin1String("3")) return FormatInscricao(value, type);
    return value;
}

QString linkedCeiText(const QString& value, const std::function<QString(const QString&)>&) {
    if (value == QLatin1String("00000000000000") || value.isEmpty()) return QString();
    return FormatInscricao(value.mid(2), QStringLiteral("3"));
}

}  // namespace

TfmConEstab::TfmConEstab(QWidget* parent)
    : QDialog(parent), quConEstab(TdmLobrix::OpenAlias()), kit_(new ui::EntryFormController(this)) {
    setObjectName(QStringLiteral("fmConEstab"));
    setWindowTitle(QStringLiteral("Lobrix - Informações Referentes aos Estabelecimentos"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);

    DBGridEstab = new QueryGrid(
        {{"coCgcCeiEstabelecimento", "CNPJ/CEI", Qt::AlignRight | Qt::AlignVCenter, inscriptionText, 180},
         {"NuPrefixoEstabelecimento", "Prefixo", Qt::AlignCenter, nullptr, 60},
         {"NoRazaoEstabelecimento", "Razão Social", Qt::AlignLeft | Qt::AlignVCenter, nullptr, 330},
         {"CoCGCVinculado", "CEI Vinculado", Qt::AlignLeft | Qt::AlignVCenter, linkedCeiText, 130},
         {"nuVinculosEstabelecimento", "Empregados", Qt::AlignRight | Qt::AlignVCenter, nullptr, 0}},
        kFields, this);
    DBGridEstab->setObjectName(QStringLiteral("DBGridEstab"));

    mdInscricao = new QLineEdit(this);
    mdInscricao->setObjectName(QStringLiteral("mdInscricao"));
    ui::SetDesignMask(mdInscricao, QStringLiteral("99999999999999;0;_"));
    ui::SetHelpContext(mdInscricao, 28);
    mdInscricao->setToolTip(
        QStringLiteral("Informe o número de inscrição CNPJ/CEI do estabelecimento que você deseja localizar"));
    edRazao = new QLineEdit(this);
    edRazao->setObjectName(QStringLiteral("edRazao"));
    ui::SetUpperCase(edRazao);
    ui::SetHelpContext(edRazao, 31);
    edRazao->setToolTip(QStringLiteral("Informe a Razão Social do estabelecimento que você deseja localizar"));
    paAnoBase = MakeYearPanel(this, QStringLiteral("Declaração Ano-Base %1").arg(DeclarationBaseYear()));
    letters = new LetterButtons(this);

    BtExibir = MakeFormButton(this, "BtExibir", "&Exibir", QStyle::SP_FileDialogContentsView);
    BtCancelar = MakeFormButton(this, "BtCancelar", "&Retornar", QStyle::SP_ArrowBack);
    btExcluir = MakeFormButton(this, "btExcluir", "&Excluir", QStyle::SP_TrashIcon);
    btCancExcluir = MakeFormButton(this, "btCancExcluir", "&Retornar", QStyle::SP_ArrowBack);

    auto* outer = new QVBoxLayout(this);
    outer->addWidget(paAnoBase, 0, Qt::AlignHCenter);
    auto* filters = new QGroupBox(QStringLiteral("Localizar por"), this);
    auto* f = new QGridLayout(filters);
    f->addWidget(new QLabel(QStringLiteral("Inscrição CNPJ/CEI")), 0, 0);
    f->addWidget(new QLabel(QStringLiteral("Razão Social")), 0, 1);
    f->addWidget(mdInscricao, 1, 0);
    f->addWidget(edRazao, 1, 1);
    f->setColumnStretch(1, 1);
    mdInscricao->setMaximumWidth(170);
    outer->addWidget(filters);
    outer->addWidget(letters);
    outer->addWidget(DBGridEstab, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    for (QPushButton* b : {BtExibir, BtCancelar, btExcluir, btCancExcluir}) buttons->addWidget(b);
    outer->addLayout(buttons);

    QWidget::setTabOrder(mdInscricao, edRazao);
    QWidget::setTabOrder(edRazao, DBGridEstab);
    kit_->EnterAsTab = true;
    kit_->SetCancelButton(BtCancelar);
    // The filter boxes' exits run unless the focus went to a Retornar button or the grid.
    for (QWidget* w : {static_cast<QWidget*>(BtCancelar), static_cast<QWidget*>(btCancExcluir),
                       static_cast<QWidget*>(DBGridEstab)})
        kit_->SkipChecksFor(w);
    kit_->OnExit(mdInscricao, [this] {
        pMontaQuery();
        pSetaFoco(QStringLiteral("2"));
    });
    kit_->OnExit(edRazao, [this] {
        if (!edRazao->text().trimmed().isEmpty()) letters->PressAll();
        pMontaQuery();
        pSetaFoco(QStringLiteral("3"));
    });
    connect(mdInscricao, &QLineEdit::textEdited, this, [this] { pMontaQuery(); });
    connect(edRazao, &QLineEdit::textEdited, this, [this] { pMontaQuery(); });
    connect(letters, &LetterButtons::letterClicked, this, [this] {
        mdInscricao->clear();
        edRazao->clear();
        pMontaQuery();
        pSetaFoco(QStringLiteral("3"));
    });
    connect(letters, &LetterButtons::allClicked, this, [this] {
        mdInscricao->clear();
        edRazao->clear();
        pMontaQuery();
        pSetaFoco(QStringLiteral("2"));
    });
    connect(DBGridEstab, &QueryGrid::activatedRow, this, [this] {
        if (ModoExclusao)
            btExcluirClick();
        else
            BtExibirClick();
    });
    connect(BtExibir, &QPushButton::clicked, this, &TfmConEstab::BtExibirClick);
    connect(btExcluir, &QPushButton::clicked, this, &TfmConEstab::btExcluirClick);
    connect(BtCancelar, &QPushButton::clicked, this, &TfmConEstab::BtCancelarClick);
    connect(btCancExcluir, &QPushButton::clicked, this, &TfmConEstab::btCancExcluirClick);

    InstallMaintenanceWizards(this);
    forms::ScaleForm(this, QSize(760, 460), QSize(850, 550));
    forms::CenterOnActivate(this);
}

QString TfmConEstab::anoBase() const { return QString::number(DeclarationBaseYear()); }

void TfmConEstab::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    FormShow();
}

bool TfmConEstab::firstFilling() {
    letters->PressAll();
    letters->ClearPatterns();
    mdInscricao->clear();
    edRazao->clear();
    pMontaQuery();
    if (DBGridEstab->RowCount() == 0) pMontaQuery();
    return DBGridEstab->RowCount() > 0;
}

void TfmConEstab::FormShow() {
    const bool deleting = ModoExclusao != 0;
    btExcluir->setVisible(deleting);
    btCancExcluir->setVisible(deleting);
    BtExibir->setVisible(!deleting);
    BtCancelar->setVisible(!deleting);
    if (!firstFilling()) {
        // A base year without establishments: nothing to choose from.
        QMetaObject::invokeMethod(this, [this] {
            forms::SetModalResult(this, forms::mrCancel);
            reject();
        }, Qt::QueuedConnection);
        return;
    }
    QMetaObject::invokeMethod(this, "pSetaFoco", Qt::QueuedConnection, Q_ARG(QString, QStringLiteral("1")));
}

void TfmConEstab::pMontaQuery() {
    quConEstab.Close();
    QStringList& sql = quConEstab.SQL();
    sql.clear();
    sql << QStringLiteral("Select anbase, coCgcCeiEstabelecimento, NuPrefixoEstabelecimento,")
        << QStringLiteral("NoRazaoEstabelecimento, InInscrEstabelecimento, NuVinculosEstabelecimento, coCgcVinculado")
        << QStringLiteral("from bd8emp where anbase = :anbase");
    quConEstab.ParamByName(QStringLiteral("anbase")).AsString = anoBase();
    const QString inscricao = ui::EditValue(mdInscricao).trimmed();
    if (!inscricao.isEmpty()) {
        // A CEI is stored as "00" and its 12 digits, which the grid shows without the zeros.
        sql << QStringLiteral("and((CoCgcCeiEstabelecimento like :PCgcCei and InInscrEstabelecimento <> '2')")
            << QStringLiteral("or (CoCgcCeiEstabelecimento like '00' || :PCgcCei and InInscrEstabelecimento in ('2', '3'))")
            << QStringLiteral("or (CoCgcCeiEstabelecimento like :PCgcCei and InInscrEstabelecimento = '' ))");
        quConEstab.ParamByName(QStringLiteral("PCgcCei")).AsString = inscricao + QLatin1Char('%');
    }
    const QString razao = edRazao->text().trimmed();
    if (!razao.isEmpty()) {
        sql << QStringLiteral("and NoRazaoEstabelecimento like :PRazaoEstab");
        quConEstab.ParamByName(QStringLiteral("PRazaoEstab")).AsString = razao + QLatin1Char('%');
    } else if (!letters->Letra1.isEmpty()) {
        sql << QStringLiteral("and ((NoRazaoEstabelecimento like :PLetra1) or (NoRazaoEstabelecimento like :PLetra2))");
        quConEstab.ParamByName(QStringLiteral("PLetra1")).AsString = letters->Letra1 + QLatin1Char('%');
        quConEstab.ParamByName(QStringLiteral("PLetra2")).AsString =
            letters->Letra2.isEmpty() ? QString() : letters->Letra2 + QLatin1Char('%');
    }
    sql << QStringLiteral("order by AnBase, CoCgcCeiEstabelecimento, NuPrefixoEstabelecimento");
    quConEstab.Open();
    DBGridEstab->Load(quConEstab);
}

void TfmConEstab::pSetaFoco(const QString& code) {
    if (code == QLatin1String("1")) {
        mdInscricao->setFocus(Qt::OtherFocusReason);
        return;
    }
    if (code == QLatin1String("2") && ui::EditValue(mdInscricao).trimmed().isEmpty()) {
        edRazao->setFocus(Qt::OtherFocusReason);
        return;
    }
    const int rows = DBGridEstab->RowCount();
    if (rows > 1)
        DBGridEstab->setFocus(Qt::OtherFocusReason);
    else if (rows == 1)
        (ModoExclusao ? btExcluir : BtExibir)->setFocus(Qt::OtherFocusReason);
    else if (!ModoExclusao)
        BtExibir->setFocus(Qt::OtherFocusReason);
}

void TfmConEstab::afterNestedForm() {
    // The forms opened from here bring the list back; should none have, it comes back by itself.
    if (forms::GetModalResult(this) == forms::mrNone && !isVisible() && forms::IsShowingModal(this)) show();
}

void TfmConEstab::BtExibirClick() {
    const int row = DBGridEstab->CurrentRow();
    const QString base = DBGridEstab->Value(row, QStringLiteral("anbase"));
    const QString inscricao = DBGridEstab->Value(row, QStringLiteral("coCgcCeiEstabelecimento"));
    const QString prefixo = DBGridEstab->Value(row, QStringLiteral("NuPrefixoEstabelecimento"));
    const QString type = DBGridEstab->Value(row, QStringLiteral("InInscrEstabelecimento"));
    if (inscricao.trimmed().isEmpty()) {
        ShowMessageByCode(LastMessageCode = QStringLiteral("1301"));
        mdInscricao->clear();
        edRazao->clear();
        letters->ClearPatterns();
        letters->PressAll();
        pMontaQuery();
        pSetaFoco(QStringLiteral("2"));
        return;
    }
    const QString code = LastMessageCode = CheckInscription(inscricao);
    if (code != QLatin1String("0050") && code != QLatin1String("0051") && code != QLatin1String("0052")) {
        ShowMessageByCode(QStringLiteral("1002"));
        return;
    }
    if (CheckInscriptionByType(inscricao, type) != QLatin1String("0000")) {
        // The stored type contradicts the number: the row and its contracts are repaired.
        QString repaired;
        if (code == QLatin1String("0051")) {
            repaired = QStringLiteral("1");
        } else if (code == QLatin1String("0052")) {
            repaired = QStringLiteral("3");
        } else {
            {
                TfmTipoInscricao chooser(this);
                forms::ShowModal(&chooser);
            }
            if (NewDeclarationResult == QLatin1String("CNPJ"))
                repaired = QStringLiteral("1");
            else if (NewDeclarationResult == QLatin1String("CEI"))
                repaired = QStringLiteral("3");
            else {
                ShowMessageByCode(QStringLiteral("1002"));
                return;
            }
        }
        if (!RepairInscriptionType(base, inscricao, prefixo, repaired)) return;
    }
    if (CheckPrefix(prefixo) != QLatin1String("0000")) {
        ShowMessageByCode(LastMessageCode = QStringLiteral("1052"));
        return;
    }
    hide();
    ShowDadosEstab(base, inscricao, prefixo, false);
    afterNestedForm();
}

void TfmConEstab::btExcluirClick() {
    const int row = DBGridEstab->CurrentRow();
    QString base = DBGridEstab->Value(row, QStringLiteral("anbase"));
    QString inscricao = DBGridEstab->Value(row, QStringLiteral("coCgcCeiEstabelecimento"));
    QString prefixo = DBGridEstab->Value(row, QStringLiteral("NuPrefixoEstabelecimento"));
    if (inscricao.trimmed().isEmpty()) {
        // A row stored without an inscription can still be deleted.
        db::Table& t = dmEntradaDados->ta8Empresa;
        const bool wasOpen = t.Active();
        if (!wasOpen) t.Open();
        bool found = false;
        for (t.First(); !t.Eof(); t.Next()) {
            if (t.FieldByName(QStringLiteral("AnBase")).AsString() == base &&
                t.FieldByName(QStringLiteral("CoCgcCeiEstabelecimento")).AsString().trimmed().isEmpty()) {
                prefixo = t.FieldByName(QStringLiteral("NuPrefixoEstabelecimento")).AsString();
                found = true;
                break;
            }
        }
        if (!wasOpen) t.Close();
        if (!found) {
            ShowMessageByCode(LastMessageCode = QStringLiteral("1301"));
            return;
        }
    }
    if (!fmExcluir) return;
    fmExcluir->KeyAnoBase = base;
    fmExcluir->KeyInscricao = inscricao;
    fmExcluir->KeyPrefixo = prefixo;
    dmEntradaDados->ta8Empresa.Open();
    RecoverInterruptedOperation(base, inscricao, prefixo);
    hide();
    forms::ShowModal(fmExcluir);
    dmEntradaDados->ta8Empresa.Close();
    afterNestedForm();
}

void TfmConEstab::BtCancelarClick() {
    forms::SetModalResult(this, forms::mrCancel);
    reject();
    if (fmNovaDecl) {
        forms::SetModalResult(fmNovaDecl, forms::mrCancel);
        fmNovaDecl->reject();
    }
    if (fmLOBRIX) fmLOBRIX->activateWindow();
}

void TfmConEstab::btCancExcluirClick() {
    forms::SetModalResult(this, forms::mrCancel);
    reject();
}

bool RepairInscriptionType(const QString& anoBase, const QString& inscricao, const QString& prefixo,
                           const QString& type) {
    try {
        db::Transaction transaction(*dmLobrix->dbZuvo);
        db::Query q(dmLobrix->dbZuvo);
        for (const char* table : {"BD8Emp", "BD8Vinc"}) {
            q.Close();
            q.SetSQL(QStringLiteral("update %1 set InInscrEstabelecimento = :tipo where AnBase = :ano and "
                                    "CoCgcCeiEstabelecimento = :inscricao and NuPrefixoEstabelecimento = :prefixo")
                         .arg(QString::fromLatin1(table)));
            q.ParamByName(QStringLiteral("tipo")).AsString = type;
            q.ParamByName(QStringLiteral("ano")).AsString = anoBase;
            q.ParamByName(QStringLiteral("inscricao")).AsString = inscricao;
            q.ParamByName(QStringLiteral("prefixo")).AsString = prefixo;
            q.ExecSQL();
        }
        transaction.commit();
        return true;
    } catch (const db::DbError& e) {
        ShowEngineErrorBox(e);
        return false;
    }
}
