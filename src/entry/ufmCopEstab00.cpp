#include "ufmCopEstab00.h"

#include "ufmCopEstab01.h"
#include "ufmCopEstab02.h"
#include "ufmCopEstab03.h"
#include "ufmCopEstabRegras.h"

#include <QFrame>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

namespace {

MaintenanceButtons firstButtons() {
    MaintenanceButtons b;
    b.back = "BtVoltar";
    b.next = "BtAvancar";
    b.cancel = "BtCancelar";
    b.backText = "<&Voltar";
    b.nextText = "&Avançar>";
    return b;
}

}  // namespace

TfmCopEstab00::TfmCopEstab00(QWidget* parent)
    : forms::WizardPage(MaintenanceFrame("fmCopEstab00", kCopEstabCaption, &Encerrar, firstButtons(), "meDicas"),
                        parent) {
    SetMemoLines({QStringLiteral("Este   assistente  permite  que  você  transfira  TODOS os "),
                  QStringLiteral("empregados   de  um   estabelecimento   (inscrição/prefixo)"),
                  QStringLiteral("para outro estabelecimento (inscrição/prefixo)."), QString(),
                  QStringLiteral("O  estabelecimento de  origem  permanece  na base, ficando "),
                  QStringLiteral("a critério do usuário a sua exclusão. Todos  os empregados "),
                  QStringLiteral("serão transferidos para o estabelecimento de destino. "), QString(),
                  QStringLiteral("A transferência de informações possui regras bem definidas "),
                  QStringLiteral("que você deve conhecer.")});
    BackButton()->setEnabled(false);
    bbRegras = new QPushButton(QStringLiteral("&Regras >>"), Panel());
    bbRegras->setObjectName(QStringLiteral("bbRegras"));
    bbRegras->setAutoDefault(false);
    PanelLayout()->addWidget(bbRegras, 0, Qt::AlignLeft);
    connect(bbRegras, &QPushButton::clicked, this, [] {
        if (fmCopEstabRegras) forms::ShowModal(fmCopEstabRegras);
    });
    fmCopEstab01 = std::make_unique<TfmCopEstab01>(*this);
    fmCopEstab02 = std::make_unique<TfmCopEstab02>(*this);
    fmCopEstab03 = std::make_unique<TfmCopEstab03>(*this);
}

TfmCopEstab00::~TfmCopEstab00() = default;

void TfmCopEstab00::PageShown() { NextButton()->setFocus(); }

void TfmCopEstab00::NextClicked() { GoNext(fmCopEstab01.get(), Hand::StayVisible); }
