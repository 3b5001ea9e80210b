#include "ufmSemEmpregados.h"

#include "EntryShared.h"
#include "platform/ui/Forms.h"
#include "shell/DeclarationTables.h"
#include "shell/UdmLobrix.h"
#include "shell/ufmLOBRIX.h"

#include <QCheckBox>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

TfmSemEmpregados* fmSemEmpregados = nullptr;

namespace {
const QString kFlag = QStringLiteral("InDicasSemEmpregados");
}  // namespace

TfmSemEmpregados::TfmSemEmpregados(QWidget* parent)
    : QDialog(parent), ta8Resp(TdmLobrix::OpenAlias(), QStringLiteral("bd8resp.DB")) {
    setObjectName(QStringLiteral("fmSemEmpregados"));
    setWindowFlags(Qt::Dialog | Qt::CustomizeWindowHint | Qt::WindowTitleHint);
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    text->setFrameShape(QFrame::NoFrame);
    text->setPlainText(QStringLiteral("Existe uma forma mais rápida de você declarar seu estabelecimento \n"
                                      "sem empregados,  através da Internet usando  a opção ZUVO Negativa.\n"));
    text->setMaximumHeight(70);
    layout->addWidget(text);
    URLLabel = new QLabel(TfmLOBRIX::WebAddress(), this);
    URLLabel->setObjectName(QStringLiteral("URLLabel"));
    QFont underlined = URLLabel->font();
    underlined.setUnderline(true);
    URLLabel->setFont(underlined);
    URLLabel->setCursor(Qt::PointingHandCursor);
    URLLabel->setAlignment(Qt::AlignCenter);
    layout->addWidget(URLLabel);
    dkDicas = new QCheckBox(QStringLiteral("Não mostrar este quadro novamente"), this);
    dkDicas->setObjectName(QStringLiteral("dkDicas"));
    layout->addWidget(dkDicas);
    BtFechar = new QPushButton(QStringLiteral("&Ok"), this);
    BtFechar->setObjectName(QStringLiteral("BtFechar"));
    layout->addWidget(BtFechar, 0, Qt::AlignHCenter);
    connect(BtFechar, &QPushButton::clicked, this, &TfmSemEmpregados::BtFecharClick);
    connect(URLLabel, &QLabel::linkActivated, this, [] { TfmLOBRIX::ShellOpen(TfmLOBRIX::WebAddress()); });
    URLLabel->setText(QStringLiteral("<a href=\"%1\">%1</a>").arg(TfmLOBRIX::WebAddress()));
    resize(480, 200);
    forms::CenterOnActivate(this);

    ta8Resp.SetFieldDefs(DeclarationTables::BD8Resp().fields);
}

TfmSemEmpregados::~TfmSemEmpregados() {
    if (ta8Resp.Active()) ta8Resp.Close();
    if (fmSemEmpregados == this) fmSemEmpregados = nullptr;
}

bool TfmSemEmpregados::ShouldShow() {
    setWindowTitle(QStringLiteral("Lobrix%1 - Declaração Sem Empregados").arg(DeclarationBaseYear()));
    // Opened when used: the copy made at start-up must not hold the table for the whole run.
    if (!ta8Resp.Active()) ta8Resp.Open();
    ta8Resp.First();
    dkDicas->setChecked(!ta8Resp.Eof() && ta8Resp.FieldByName(kFlag).AsBoolean());
    if (ta8Resp.Eof()) return true;
    const db::Field& flag = ta8Resp.FieldByName(kFlag);
    return flag.IsNull() || !flag.AsBoolean();
}

void TfmSemEmpregados::BtFecharClick() {
    if (!ta8Resp.Active()) ta8Resp.Open();
    ta8Resp.First();
    // A first run has no person responsible yet: the box's state starts the single row.
    if (ta8Resp.Eof())
        ta8Resp.Append();
    else
        ta8Resp.Edit();
    ta8Resp.FieldByName(kFlag).SetAsBoolean(dkDicas->isChecked());
    ta8Resp.Post();
    forms::SetModalResult(this, forms::mrOk);
    accept();
}

void ShowNoEmployeesNotice(QWidget* parent) {
    TfmSemEmpregados notice(parent);
    if (notice.ShouldShow()) forms::ShowModal(&notice);
}
