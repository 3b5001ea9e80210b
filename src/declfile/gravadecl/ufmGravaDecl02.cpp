#include "declfile/gravadecl/ufmGravaDecl02.h"

#include "declfile/gravadecl/ufmGravaDecl00.h"
#include "declfile/gravadecl/ufmGravaDecl01.h"

#include "platform/ui/TickList.h"
#include "shell/udmDadosResp.h"
#include "shell/ugFuncoes.h"

#include <QCheckBox>
#include <QFontDatabase>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

QString EstablishmentTickLine(const QString& inscricao, const QString& tipo, const QString& prefixo,
                              const QString& razao, const QString& vinculos) {
    const QString gap = QStringLiteral("  ");
    return PadRight(FormatInscricao(inscricao, tipo), 18) + gap + prefixo + gap + PadRight(razao, 30) + gap + vinculos;
}

TfmGravaDecl02::TfmGravaDecl02(QWidget* parent)
    : forms::WizardPage(GravaDeclFrame(QStringLiteral("fmGravaDecl02")), parent) {
    meDecl02 = new QLabel(QStringLiteral("Selecione as empresas que devem ser gravadas no disquete ou drive C:"), Panel());
    meDecl02->setObjectName(QStringLiteral("meDecl02"));
    meDecl02->setWordWrap(true);
    clEmpresas = new forms::TickList(Panel());
    clEmpresas->setObjectName(QStringLiteral("clEmpresas"));
    clEmpresas->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    ckSelecionarTudo = new QCheckBox(QStringLiteral("Seleciona / Desmarca todas as empresas."), Panel());
    ckSelecionarTudo->setObjectName(QStringLiteral("ckSelecionarTudo"));
    PanelLayout()->addWidget(meDecl02);
    PanelLayout()->addWidget(clEmpresas, 1);
    PanelLayout()->addWidget(ckSelecionarTudo);
    connect(ckSelecionarTudo, &QCheckBox::clicked, this, [this] { ckSelecionarTudoClick(); });

    ApplyGeometry(dmDadosResp->GeometriaAssistente, forms::wgAll);
    setWindowTitle(dmDadosResp->TituloAssistente);

    db::Query& q = dmDadosResp->quEmpresas;
    for (q.First(); !q.Eof(); q.Next()) {
        auto text = [&q](const char* name) { return q.FieldByName(QString::fromLatin1(name)).AsString(); };
        clEmpresas->AddLine(EstablishmentTickLine(text("CoCgcCeiEstabelecimento"), text("InInscrEstabelecimento"),
                                                  text("NuPrefixoEstabelecimento"), text("NoRazaoEstabelecimento"),
                                                  text("NuVinculosEstabelecimento")));
    }
    q.First();
}

void TfmGravaDecl02::PageShown() {
    BackButton()->setEnabled(true);
    NextButton()->setEnabled(true);
    NextButton()->setFocus();
}

void TfmGravaDecl02::ckSelecionarTudoClick() { clEmpresas->SetAllTicked(ckSelecionarTudo->isChecked()); }

void TfmGravaDecl02::bbAvancarClick() {
    if (forms::CountTickedItems(clEmpresas) == 0) {
        ShowMessageByCode(QStringLiteral("1301"));
        clEmpresas->setFocus();
        return;
    }
    QListWidget* selection = fmGravaDecl00->lbEmpresas00;
    for (int i = 0; i < selection->count(); ++i) selection->item(i)->setSelected(clEmpresas->IsTicked(i));
    GoNext(std::make_unique<TfmGravaDecl01>());
}
