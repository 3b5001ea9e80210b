#include "declfile/retif/ufmRetifRegras.h"

#include "platform/ui/Forms.h"
#include "platform/ui/WizardPage.h"

#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmRetifRegras::TfmRetifRegras(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmRetifRegras"));
    setWindowTitle(QStringLiteral("Retificação da Declaração"));
    auto* layout = new QVBoxLayout(this);
    Memo = new QPlainTextEdit(this);
    Memo->setObjectName(QStringLiteral("Memo1"));
    Memo->setReadOnly(true);
    Memo->setFocusPolicy(Qt::NoFocus);
    // Lines broken by hand run on into paragraphs that wrap at the memo's width.
    Memo->setPlainText(forms::MemoParagraphs({
        QStringLiteral("A Retificação da Declaração trata exclusivamente da correção das informações  "),
        QStringLiteral("referentes aos empregados/servidores entregues anteriormente pelo  empregador "),
        QStringLiteral("( prioritariamente salariais )."),
        QStringLiteral("O empregador poderá retificar um, mais de um ou todos os empregados/servidores"),
        QStringLiteral(" de um estabelecimento."),
        QString(),
        QStringLiteral("Atenção !"),
        QStringLiteral("A correção das informações já deve ter sido concluída através da opção "),
        QStringLiteral("Declaração - Abrir ..."),
        QString(),
        QStringLiteral("Caso você tenha empregados/servidores para retificar em mais de um "),
        QStringLiteral("estabelecimento, poderão ser enviados no mesmo arquivo (arquivo ZUVO - "),
        QStringLiteral("Retificação), identificando para cada estabelecimento quais os "),
        QStringLiteral("empregados/ servidores que deverão ser reenviados para correção das informações "),
        QStringLiteral("na base da ZUVO."),
    }));
    BtOk = new QPushButton(QStringLiteral("&Ok"), this);
    BtOk->setObjectName(QStringLiteral("BtOk"));
    auto* row = new QHBoxLayout;
    row->addStretch();
    row->addWidget(BtOk);
    row->addStretch();
    layout->addWidget(Memo, 1);
    layout->addLayout(row);
    connect(BtOk, &QPushButton::clicked, this, [this] { BtOkClick(); });
    forms::ScaleForm(this, QSize(450, 300), QSize(600, 400));
    forms::CenterOnActivate(this);
}

void TfmRetifRegras::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    BtOk->setFocus();
}

void TfmRetifRegras::BtOkClick() { done(QDialog::Accepted); }
