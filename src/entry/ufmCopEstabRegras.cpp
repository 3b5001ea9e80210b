#include "ufmCopEstabRegras.h"

#include "platform/ui/Forms.h"

#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmCopEstabRegras* fmCopEstabRegras = nullptr;

TfmCopEstabRegras::TfmCopEstabRegras(QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("fmCopEstabRegras"));
    setWindowTitle(QStringLiteral("Regras de transferência"));
    meRegras = new QPlainTextEdit(this);
    meRegras->setObjectName(QStringLiteral("meRegras"));
    meRegras->setReadOnly(true);
    meRegras->setPlainText(QStringList{
        QStringLiteral("Quanto ao empregador de destino:"), QString(),
        QStringLiteral("1) Estabelecimento de destino não existe na base:"), QString(),
        QStringLiteral("Será gerado automaticamente um estabelecimento com a inscrição e prefixo informado. "),
        QStringLiteral("As informações referentes ao cadastramento (Nome/ Firma/ Razão Social, Logradouro,....) "),
        QStringLiteral("NÃO serão copiadas do estabelecimento de origem. Todos os empregados serão "),
        QStringLiteral("transferidos para o novo estabelecimento (inscrição/prefixo)."), QString(),
        QStringLiteral("2) Estabelecimento de destino existe na base:"), QString(),
        QStringLiteral("Não será efetuada a cópia. ")}.join(QLatin1Char('\n')));
    BtFechar = new QPushButton(QStringLiteral("&Fechar"), this);
    BtFechar->setObjectName(QStringLiteral("BtFechar"));
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(meRegras);
    layout->addWidget(BtFechar, 0, Qt::AlignRight);
    connect(BtFechar, &QPushButton::clicked, this, [this] {
        forms::SetModalResult(this, forms::mrOk);
        accept();
    });
    resize(560, 300);
    forms::CenterOnActivate(this);
}
