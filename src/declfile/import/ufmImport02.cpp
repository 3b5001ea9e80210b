#include "declfile/import/ufmImport02.h"

#include "declfile/MainWindowState.h"
#include "declfile/gravadecl/ufmGravaDecl02.h"
#include "declfile/import/ufmImport03.h"
#include "declfile/ugImportacao.h"

#include "platform/db/DbError.h"
#include "platform/db/Query.h"
#include "platform/db/Table.h"
#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "platform/ui/ProgressHost.h"
#include "platform/ui/TickList.h"
#include "shell/UdmLobrix.h"
#include "shell/ugFuncoes.h"
#include "shell/ugExcecao.h"

#include <QFontDatabase>
#include <QFrame>
#include <QHBoxLayout>
#include <QLabel>
#include <QProgressBar>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace {

forms::WizardFrame selectionFrame() {
    forms::WizardFrame f = ImportFrame(QStringLiteral("fmImport02"), QString());
    f.nextName = QStringLiteral("BtConcluir");
    f.nextText = QStringLiteral("C&oncluir");
    f.cancelName = QStringLiteral("BtCancelar");
    f.cancelText = QStringLiteral("&Cancelar");
    return f;
}

// Columns 21 and 22 of an entry, trimmed: the prefix.
QString entryPrefix(const QString& entry) { return entry.mid(20, 2).trimmed(); }

// Columns 1 to 18 of an entry without the punctuation of the display.
QString entryInscription(const QString& entry) {
    QString s = entry.left(18);
    s.remove(QLatin1Char('.')).remove(QLatin1Char('/')).remove(QLatin1Char('-'));
    s = s.trimmed();
    if (s.size() < 14) s.prepend(QStringLiteral("00"));
    return s;
}

void clearRadio(QRadioButton* a, QRadioButton* b) {
    for (QRadioButton* r : {a, b}) {
        r->setAutoExclusive(false);
        r->setChecked(false);
        r->setAutoExclusive(true);
    }
}

}  // namespace

TfmImport02::TfmImport02(QWidget* parent) : forms::WizardPage(selectionFrame(), parent) {
    StatusArquivoP = new QLabel(Panel());
    StatusArquivoP->setObjectName(QStringLiteral("StatusArquivoP"));
    QFont bold = StatusArquivoP->font();
    bold.setBold(true);
    StatusArquivoP->setFont(bold);
    PanelLayout()->addWidget(StatusArquivoP);

    PMarca = new QFrame(Panel());
    PMarca->setObjectName(QStringLiteral("PMarca"));
    auto* marca = new QVBoxLayout(PMarca);
    marca->setContentsMargins(0, 0, 0, 0);
    marca->addWidget(new QLabel(QStringLiteral("Selecione os estabelecimentos a serem importados:"), PMarca));
    LEmpresas = new forms::TickList(PMarca);
    LEmpresas->setObjectName(QStringLiteral("LEmpresas"));
    LEmpresas->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    marca->addWidget(LEmpresas, 1);
    auto* choices = new QHBoxLayout;
    SelecAllRButton = new QRadioButton(QStringLiteral("Selecionar Todos"), PMarca);
    SelecAllRButton->setObjectName(QStringLiteral("SelecAllRButton"));
    LimparAllRButton = new QRadioButton(QStringLiteral("Limpar Todos"), PMarca);
    LimparAllRButton->setObjectName(QStringLiteral("LimparAllRButton"));
    choices->addWidget(SelecAllRButton);
    choices->addWidget(LimparAllRButton);
    choices->addStretch();
    marca->addLayout(choices);
    PanelLayout()->addWidget(PMarca, 1);

    PImporta = new QFrame(Panel());
    PImporta->setObjectName(QStringLiteral("PImporta"));
    auto* importa = new QVBoxLayout(PImporta);
    importa->addStretch();
    importa->addWidget(new QLabel(QStringLiteral("Importando Declaração Zuvo"), PImporta), 0, Qt::AlignHCenter);
    Gauge = new QProgressBar(PImporta);
    Gauge->setObjectName(QStringLiteral("Gauge"));
    Gauge->setRange(0, 100);
    importa->addWidget(Gauge);
    importa->addStretch();
    PanelLayout()->addWidget(PImporta, 1);

    connect(SelecAllRButton, &QRadioButton::clicked, this, [this] { SelecAllRButtonClick(); });
    connect(LimparAllRButton, &QRadioButton::clicked, this, [this] { LimparAllRButtonClick(); });
    connect(LEmpresas, &forms::TickList::LineTicked, this, [this](int row, bool ticked) { LEmpresasTicked(row, ticked); });
}

TfmImport02::~TfmImport02() = default;

void TfmImport02::PageShown() {
    if (ran_) return;
    PMarca->hide();
    PImporta->hide();
    NextButton()->setEnabled(true);
    LEmpresas->clear();
    clearRadio(SelecAllRButton, LimparAllRButton);

    auto database = TdmLobrix::OpenAlias();
    bool amendment = false;
    if (AnoArquivo == declfile::ProgramAnoBase() && database->tableExists(QStringLiteral("Te8resp.db"))) {
        db::Table resp(database, QStringLiteral("Te8resp.db"));
        resp.Open();
        resp.First();
        if (!resp.Eof()) amendment = resp.FieldByName(QStringLiteral("InRetificacao")).AsBoolean();
    }
    StatusArquivoP->setText(amendment ? QStringLiteral("Informações referentes à declaração de retificação")
                                      : QStringLiteral("Informações referentes ao ano ") + QString::number(AnoArquivo));

    db::Query QImportar(database);
    QImportar.SetSQL(QStringLiteral("Select coCgcCeiEstabelecimento, NuPrefixoEstabelecimento, \n"
                                    "NoRazaoEstabelecimento, InInscrEstabelecimento, NuVinculosEstabelecimento \n"
                                    "from Te8Emp where Anbase = :AnBase"));
    QImportar.ParamByName(QStringLiteral("AnBase")).AsString = QString::number(AnoArquivo);
    QImportar.Open();
    for (QImportar.First(); !QImportar.Eof(); QImportar.Next()) {
        auto text = [&QImportar](int i) { return QImportar.Fields(i).AsString(); };
        LEmpresas->AddLine(EstablishmentTickLine(text(0), text(3), text(1), text(2), text(4)));
    }
    QImportar.Close();
    if (SelecionarTodos) {
        // Shown set, and every line ticked as it says.
        SelecAllRButton->setChecked(true);
        SelecAllRButtonClick();
    }
    PMarca->show();
    NextButton()->setFocus();
}

void TfmImport02::LEmpresasTicked(int row, bool ticked) {
    clearRadio(SelecAllRButton, LimparAllRButton);
    if (ticked && entryPrefix(LEmpresas->item(row)->text()).size() < 2) {
        msg::ShowError(QStringLiteral("Este estabelecimento não poderá ser importado. Verifique Prefixo."));
        LEmpresas->SetTicked(row, false);
    }
}

void TfmImport02::SelecAllRButtonClick() {
    for (int i = 0; i < LEmpresas->count(); ++i) {
        if (entryPrefix(LEmpresas->item(i)->text()).size() < 2) {
            msg::ShowError(QStringLiteral("Prefixo Inválido. Estabelecimento não poderá ser importado."));
            LEmpresas->SetTicked(i, false);
            LEmpresas->setCurrentRow(i);
            return;
        }
        LEmpresas->SetTicked(i, true);
    }
}

void TfmImport02::LimparAllRButtonClick() { LEmpresas->SetAllTicked(false); }

void TfmImport02::CancelClicked() { Finish(0); }

void TfmImport02::BtConcluirClick() {
    if (ran_) return;
    QList<QPair<QString, QString>> chosen;
    for (int i = 0; i < LEmpresas->count(); ++i) {
        if (!LEmpresas->IsTicked(i)) continue;
        const QString entry = LEmpresas->item(i)->text();
        chosen.append({entryInscription(entry), entry.mid(20, 2)});
    }
    if (chosen.isEmpty()) {
        ShowMessageByCode(QStringLiteral("1301"));
        return;
    }
    PMarca->hide();
    Gauge->setValue(0);
    NextButton()->setEnabled(false);
    // The run cannot be stopped: Cancel would only hide the page under it.
    CancelButton()->setEnabled(false);
    PImporta->show();
    repaint();
    ran_ = true;
    bool failed = false;
    forms::ProgressBarHost host(Gauge);
    RunBusy({}, [&] {
        // The import table is part of the run: a data folder that cannot take
        // it fails the run like any other write, and nothing is imported.
        try {
            declfile::TImportacao run(TdmLobrix::OpenAlias(), declfile::ProgramAnoBase(), AnoArquivo, LayoutAnterior);
            run.CreateImportTable();
            for (const auto& [inscricao, prefixo] : std::as_const(chosen)) run.AddChosen(inscricao, prefixo);
            run.Run(LEmpresas->count(), host);
        } catch (const db::DbError& e) {
            failed = true;
            msg::ShowError(QStringLiteral("Não foi possível concluir a importação. Nenhum estabelecimento foi "
                                          "importado e a declaração ficou como estava.\n") +
                           EngineErrorDetail(e));
        }
    });
    CancelButton()->setEnabled(true);
    if (failed) {
        Finish(0);
        return;
    }
    // A page runs the import once: it closes behind the result page.
    end_ = 1;
    SetEndFlag(&end_);
    GoNext(std::make_unique<TfmImport03>(windowTitle(), AnoArquivo));
}

void ShowImportSelection(QWidget* parent, const QString& caption, int anoArquivo, bool layoutAnterior,
                         bool selectAll) {
    TfmImport02 page(parent);
    page.setWindowTitle(caption);
    page.AnoArquivo = anoArquivo;
    page.LayoutAnterior = layoutAnterior;
    page.SelecionarTodos = selectAll;
    forms::ShowModal(&page);
}

QString ImportWizardCaption(const QString& anoImportacao) {
    return QStringLiteral("Assistente para Importação de Estabelecimentos (Declaração Ano-Base ") + anoImportacao +
           QStringLiteral(")");
}
