#include "shell/ufmInicioRegras.h"

#include "platform/ui/Forms.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/ufmLOBRIX.h"

#include <QCheckBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QVBoxLayout>

TfmInicioRegras* fmInicioRegras = nullptr;

namespace {

const char* const kMemoLines[] = {
    "                                                                                          ",
    "",
    "Para a transmissão da declaração da ZUVO é facultada a utilização de certificado digital ",
    "válido, que poderá ser o certificado digital  da pessoa jurídica, emitido em nome do ",
    "estabelecimento, ou o certificado digital do responsável pela entrega da declaração,",
    "sendo que este pode ser um CPF ou um CNPJ.",
    "",
    "A utilização da certificação digital na declaração da ZUVO tem o objetivo de garantir a ",
    "segurança, a privacidade e a autenticidade das informações requeridas, bem como a ",
    "garantia de que as informações foram declaradas pelo titular do certificado digital.",
    "",
    "Caso o estabelecimento ou o responsável pela declaração possua um certificado digital, ",
    "favor transmitir sua ZUVO utilizando esse mecanismo de segurança.",
    "",
};

db::FieldDef inDicasField() {
    for (const db::FieldDef& f : DeclarationTables::BD8Resp().fields)
        if (f.name == QLatin1String("InDicas")) return f;
    return {};
}

}  // namespace

TfmInicioRegras::TfmInicioRegras(QWidget* parent)
    : QDialog(parent),
      ta8Resp(TdmLobrix::OpenAlias(), QStringLiteral("bd8resp.DB")),
      dkDicas(new QCheckBox(QStringLiteral("Não mostrar este quadro novamente"), this)),
      Panel1(new QLabel(QStringLiteral("CERTIFICAÇÃO DIGITAL"), this)),
      Memo1(new QPlainTextEdit(this)),
      BtFechar(new QPushButton(QStringLiteral("&Ok"), this)),
      Label1(new QLabel(QStringLiteral("Aguarde"), this)),
      Label2(new QLabel(QStringLiteral("6"), this)),
      Label3(new QLabel(QStringLiteral("segundos"), this)),
      Timer1(new QTimer(this)) {
    setObjectName(QStringLiteral("fmInicioRegras"));
    setWindowTitle(QStringLiteral("Lobrix - Informações úteis"));
    ta8Resp.SetFieldDefs({inDicasField()});
    dkDicas->setObjectName(QStringLiteral("dkDicas"));
    Panel1->setObjectName(QStringLiteral("Panel1"));
    Memo1->setObjectName(QStringLiteral("Memo1"));
    BtFechar->setObjectName(QStringLiteral("BtFechar"));
    Label1->setObjectName(QStringLiteral("Label1"));
    Label2->setObjectName(QStringLiteral("Label2"));
    Label3->setObjectName(QStringLiteral("Label3"));
    Timer1->setObjectName(QStringLiteral("Timer1"));

    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAlignment(Qt::AlignCenter);
    QFont bold = Panel1->font();
    bold.setBold(true);
    bold.setPointSize(bold.pointSize() + 2);
    Panel1->setFont(bold);
    Panel1->setMinimumHeight(36);

    QStringList lines;
    for (const char* line : kMemoLines) lines << QString::fromUtf8(line);
    Memo1->setPlainText(lines.join(QLatin1Char('\n')));
    Memo1->setReadOnly(true);
    Memo1->setLineWrapMode(QPlainTextEdit::NoWrap);

    BtFechar->setEnabled(false);
    BtFechar->setAutoDefault(false);
    for (QLabel* l : {Label1, Label2, Label3}) l->setVisible(false);
    Timer1->setInterval(1000);
    Timer1->stop();

    auto* column = new QVBoxLayout(this);
    column->addWidget(Panel1);
    column->addWidget(Memo1, 1);
    auto* row = new QHBoxLayout;
    row->addWidget(dkDicas);
    row->addStretch(1);
    row->addWidget(Label1);
    row->addWidget(Label2);
    row->addWidget(Label3);
    row->addWidget(BtFechar);
    column->addLayout(row);
    resize(600, 360);
    forms::CenterOnActivate(this);

    connect(Timer1, &QTimer::timeout, this, &TfmInicioRegras::Timer1Timer);
    connect(BtFechar, &QPushButton::clicked, this, &TfmInicioRegras::BtFecharClick);
}

TfmInicioRegras::~TfmInicioRegras() {
    if (fmInicioRegras == this) fmInicioRegras = nullptr;
}

db::Field& TfmInicioRegras::ta8RespInDicas() { return ta8Resp.FieldByName(QStringLiteral("InDicas")); }

void TfmInicioRegras::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormShow();
}

void TfmInicioRegras::FormShow() {
    // The box shows what is stored, as a data-aware check box does.
    dkDicas->setChecked(ta8Resp.Active() && !ta8Resp.Eof() && ta8RespInDicas().AsBoolean());
    dkDicas->setFocus(Qt::OtherFocusReason);
}

void TfmInicioRegras::Timer1Timer() {
    const int n = Label2->text().toInt();
    if (n < 2) {
        for (QLabel* l : {Label1, Label2, Label3}) l->setVisible(false);
        BtFechar->setEnabled(true);
        BtFechar->setFocus(Qt::OtherFocusReason);
        Timer1->stop();
        return;
    }
    Label2->setText(QString::number(n - 1));
    if (n == 2) Label3->setText(QStringLiteral("segundo"));
}

void TfmInicioRegras::BtFecharClick() {
    if (!ta8Resp.Active()) ta8Resp.Open();
    ta8Resp.Edit();
    ta8RespInDicas().SetAsBoolean(dkDicas->isChecked());
    ta8Resp.Post();
    ta8Resp.Close();
    forms::SetModalResult(this, forms::mrOk);
    accept();
}

void TfmInicioRegras::reject() {
    // Closed without Ok: nothing is stored.
    Timer1->stop();
    if (ta8Resp.Active()) {
        ta8Resp.Cancel();
        ta8Resp.Close();
    }
    QDialog::reject();
}

void CreateStartupTips(TfmLOBRIX& window) {
    if (!fmInicioRegras) fmInicioRegras = new TfmInicioRegras;
    window.OnFirstActivation = ShowTipsAtFirstActivation;
}

void FreeStartupTips() {
    delete fmInicioRegras;
    fmInicioRegras = nullptr;
}

void ShowTipsAtFirstActivation() {
    TfmInicioRegras* tips = fmInicioRegras;
    if (!tips) return;
    tips->ta8Resp.Open();
    if (!tips->ta8Resp.Eof() && tips->ta8RespInDicas().AsBoolean()) {
        tips->Timer1->stop();
        tips->ta8Resp.Close();
        return;
    }
    tips->Timer1->start();
    forms::ShowModal(tips);
}

void ShowInformacoesUteis() {
    TfmInicioRegras* tips = fmInicioRegras;
    if (!tips) return;
    tips->BtFechar->setEnabled(true);
    tips->ta8Resp.Open();
    forms::ShowModal(tips);
}
