#include "udmDadosResp.h"

#include "DeclarationTables.h"
#include "UdmLobrix.h"

#include <QFile>
#include <QLinearGradient>
#include <QPainter>

TdmDadosResp* dmDadosResp = nullptr;

forms::WizardFrame PlainWizardFrame(const QString& objectName, const QString& caption, const QImage& picture,
                                    std::uint8_t* endFlag, bool designButtons) {
    forms::WizardFrame f;
    f.objectName = objectName;
    f.caption = caption;
    f.picture = picture;
    f.pictureName = QStringLiteral("Image1");
    f.bevelName = QStringLiteral("Bevel1");
    f.panelName = QStringLiteral("Panel1");
    if (!designButtons) return f;
    f.backName = QStringLiteral("BtVoltar");
    f.nextName = QStringLiteral("BtAvancar");
    f.cancelName = QStringLiteral("BtCancelar");
    f.design = QSize(622, 330);
    f.wide = QSize(850, 450);
    f.endFlag = endFlag;
    f.closeBox = false;
    return f;
}

QImage WizardPicture(const QString& resource) {
    QImage image;
    const QString path = QStringLiteral(":/images/") + resource + QStringLiteral(".png");
    if (QFile::exists(path) && image.load(path)) return image;
    // No picture shipped: a plain band in the program's colours.
    image = QImage(164, 314, QImage::Format_RGB32);
    QPainter p(&image);
    QLinearGradient g(0, 0, 0, image.height());
    g.setColorAt(0, QColor(0, 70, 140));
    g.setColorAt(1, QColor(0, 140, 90));
    p.fillRect(image.rect(), g);
    p.setPen(Qt::white);
    QFont f = p.font();
    f.setBold(true);
    f.setPointSize(20);
    p.setFont(f);
    p.drawText(image.rect().adjusted(0, 0, 0, -40), Qt::AlignCenter, QStringLiteral("ZUVO\n2009"));
    return image;
}

TdmDadosResp::TdmDadosResp()
    : ta8Resp(TdmLobrix::OpenAlias(), QStringLiteral("bd8resp.DB")),
      quEmpresas(TdmLobrix::OpenAlias()),
      quVinculos(TdmLobrix::OpenAlias()),
      ta8Emp(TdmLobrix::OpenAlias(), QStringLiteral("Bd8emp.DB")),
      ta8Vinc(TdmLobrix::OpenAlias(), QStringLiteral("Bd8vinc.DB")),
      te8Emp(TdmLobrix::OpenAlias(), QStringLiteral("Te8emp.db")),
      te8Vinc(TdmLobrix::OpenAlias(), QStringLiteral("Te8vinc.db")),
      te8Resp(TdmLobrix::OpenAlias(), QStringLiteral("Te8resp.db")) {
    const auto empFields = DeclarationTables::BD8Emp().fields.mid(0, 54);  // without TxtCnae, TxtNatJur
    ta8Resp.SetFieldDefs(DeclarationTables::BD8Resp().fields);
    ta8Emp.SetFieldDefs(empFields);
    ta8Vinc.SetFieldDefs(DeclarationTables::BD8Vinc().fields);
    te8Emp.SetFieldDefs(empFields);
    te8Emp.SetExclusive(true);
    te8Vinc.SetFieldDefs(DeclarationTables::BD8Vinc().fields);
    te8Vinc.SetExclusive(true);
    te8Resp.SetFieldDefs(DeclarationTables::BD8Resp().fields);
    EncerrarAssistente = 0;
    ModoRetificacao = 0;
    FiguraAssistente = WizardPicture();
}

TdmDadosResp::~TdmDadosResp() {
    if (dmDadosResp == this) dmDadosResp = nullptr;
}
