#include "shell/ufmGeraIndice.h"

#include "platform/ui/Forms.h"
#include "platform/ui/MessageService.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/Ugvertab.h"
#include "shell/udmEntradaDados.h"
#include "shell/ufmLOBRIX.h"

#include <QApplication>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

struct Step {
    const char* indexFile;
    const char* indexName;
    db::Table* (*closed)();   // the table closed before and reopened after; null for none
    bool reopen;              // lookup tables are reopened; the declaration tables stay closed
    int progress;             // 0: the bar stays where it is
};

db::Table* none() { return nullptr; }

db::IndexDef indexOf(const QString& indexFile, const QString& indexName) {
    for (const StartupIndex& si : StartupIndexes())
        if (si.indexFile.compare(indexFile, Qt::CaseInsensitive) == 0 && si.index.name == indexName) return si.index;
    return db::IndexDef{indexName, {}, true, false};
}

#define LOOKUP(member) [] { return dmLobrix ? &dmLobrix->member : nullptr; }

const Step kSteps[] = {
    {"TB8MSG.PX", "Main", LOOKUP(taMensagem), true, 1},
    {"TB8VINC.PX", "Main", LOOKUP(taTpVinc), true, 2},
    {"TB8BASE.PX", "Main", none, false, 3},
    {"TB8CNAE.PX", "Main", LOOKUP(taCNAE), true, 4},
    {"TB8DESL.PX", "Main", LOOKUP(taDesl), true, 5},
    {"TB8INSTR.PX", "Main", LOOKUP(taInstrucao), true, 6},
    {"TB8MUNIC.PX", "Main", LOOKUP(taMunicipio), true, 7},
    {"TB8NACIO.PX", "Main", LOOKUP(taNacionalidade), true, 8},
    {"TB8Raca.PX", "Main", LOOKUP(taRaca), true, 9},
    {"TB8NATJU.PX", "Main", LOOKUP(taNatJu), true, 10},
    {"TB8TPADM.PX", "Main", LOOKUP(taAdmissao), true, 11},
    {"TB8TPSAL.PX", "Main", LOOKUP(taSalario), true, 12},
    {"TBUF.PX", "Main", LOOKUP(taUF), true, 13},
    {"TBUF.XG0", "ISgUf", LOOKUP(taUF), true, 14},
    {"TB8CBO.PX", "Main", LOOKUP(taCBO), true, 15},
    {"BD8VINC.PX", "Main", [] { return dmEntradaDados ? &dmEntradaDados->ta8Empreg : nullptr; }, false, 16},
    {"BD8EMP.PX", "Main", [] { return dmEntradaDados ? &dmEntradaDados->ta8Empresa : nullptr; }, false, 17},
    {"TB8FXCEP.PX", "Main", LOOKUP(taFaixaCEP), true, 18},
    {"TB8Afast.PX", "Main", LOOKUP(TaAfastamento), true, 0},
    {"tbDefi.PX", "Main", LOOKUP(taDeficiente), true, 0},
    {"tbEmpreg.PX", "Main", LOOKUP(tbEmpreg), true, 0},
    {"tbTrab.PX", "Main", LOOKUP(tbTrab), true, 0},
    {"tbSindic.PX", "Main", LOOKUP(tbSindic), true, 0},
    {"PISINDEV.PX", "Main", LOOKUP(tbPisInval), true, 19},
};

#undef LOOKUP

}  // namespace

bool RebuildTableIndex(const QString& /*databaseName*/, const QString& indexFile, const db::IndexDef& index) {
    return RebuildIndexIn(*TdmLobrix::OpenAlias(), indexFile, index);
}

TfmGeraIndice::TfmGeraIndice(QWidget* parent)
    : QDialog(parent, Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint) {
    setObjectName(QStringLiteral("fmGeraIndice"));
    setWindowTitle(QStringLiteral("Indexar Arquivos"));

    meDicas = new QPlainTextEdit(this);
    meDicas->setObjectName(QStringLiteral("meDicas"));
    meDicas->setReadOnly(true);
    meDicas->setFrameShape(QFrame::NoFrame);
    meDicas->setPlainText(QStringLiteral(
        "Esta opção deve ser utilizada quando ocorrer interrupções não previstas (queda de \n"
        "força...) que possam comprometer o acesso dos dados pela opção do sistema. \n"
        "Essa opção poderá não ser bem sucedida caso existam arquivos corrompidos, neste \n"
        "caso proceda a restauração de cópia de segurança.\n"
        "\n"
        "Clique no botão <Iniciar> para recriar os índices através dos arquivos de dados da \n"
        "base do sistema."));

    laIndexar = new QLabel(QStringLiteral("Indexando arquivos ..."), this);
    laIndexar->setObjectName(QStringLiteral("laIndexar"));
    laIndexar->setVisible(false);
    prIndexar = new QProgressBar(this);
    prIndexar->setObjectName(QStringLiteral("prIndexar"));
    prIndexar->setRange(0, 17);
    prIndexar->setValue(0);
    prIndexar->setVisible(false);

    bbIniciar = new QPushButton(QStringLiteral("&Iniciar"), this);
    bbIniciar->setObjectName(QStringLiteral("bbIniciar"));
    bbCancel = new QPushButton(QStringLiteral("&Cancelar"), this);
    bbCancel->setObjectName(QStringLiteral("bbCancel"));
    connect(bbIniciar, &QPushButton::clicked, this, &TfmGeraIndice::bbIniciarClick);
    connect(bbCancel, &QPushButton::clicked, this, &TfmGeraIndice::close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(meDicas, 1);
    layout->addWidget(laIndexar);
    layout->addWidget(prIndexar);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(bbIniciar);
    buttons->addWidget(bbCancel);
    layout->addLayout(buttons);

    forms::ScaleForm(this, QSize(472, 262), QSize(630, 350));
    forms::CenterOnActivate(this);
}

void TfmGeraIndice::reject() {
    if (running_) return;  // no way out while the tables are closed
    QDialog::reject();
}

void TfmGeraIndice::bbIniciarClick() {
    running_ = true;
    completed_ = 0;
    bbCancel->setEnabled(false);
    bbIniciar->setEnabled(false);
    laIndexar->setVisible(true);
    prIndexar->setVisible(true);
    prIndexar->setValue(0);

    const int year = fmLOBRIX ? fmLOBRIX->AnoBase : 2009;
    bool allDone = true;
    for (const Step& step : kSteps) {
        const QString indexFile = QString::fromLatin1(step.indexFile);
        db::Table* table = step.closed();
        if (table) table->Close();
        // The postcode query of the states reads the table being rebuilt.
        if (dmLobrix && indexFile.startsWith(QLatin1String("TBUF."), Qt::CaseInsensitive)) dmLobrix->qryUfCep.Close();
        const bool ok = RebuildTableIndex(QStringLiteral("LOBRIX"), indexFile,
                                          indexOf(indexFile, QString::fromLatin1(step.indexName)));
        if (table && step.reopen) table->Open();
        if (!ok) {
            msg::ShowWarning(QStringLiteral("Arquivos com problemas. Reinstale novamente o sistema LOBRIX") +
                             QString::number(year) + QStringLiteral("."));
            allDone = false;
            break;
        }
        ++completed_;
        if (step.progress > 0) {
            prIndexar->setValue(qMin(step.progress, prIndexar->maximum()));
            QApplication::processEvents();
        }
    }
    if (allDone) {
        prIndexar->setVisible(false);
        laIndexar->setVisible(false);
        msg::ShowWarning(QStringLiteral("Arquivos indexados com sucesso."));
    }
    running_ = false;
    close();
}
