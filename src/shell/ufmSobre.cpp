#include "shell/ufmSobre.h"

#include "platform/ui/Forms.h"
#include "shell/ufmLOBRIX.h"

#include <QCoreApplication>
#include <QDateTime>
#include <QFileInfo>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPainter>
#include <QPushButton>
#include <QTimer>

TfmSobre* fmSobre = nullptr;

bool HiddenKeySequence::Key(QChar key, bool ctrlHeld) {
    if (!ctrlHeld || letters_.isEmpty()) return false;
    const QChar k = key.toUpper();
    if (k != letters_.at(position_ - 1).toUpper()) {
        position_ = k == letters_.at(0).toUpper() ? 2 : 1;
        return false;
    }
    if (position_ < letters_.size()) {
        ++position_;
        return false;
    }
    position_ = 1;
    return true;
}

QString BuildLabel(const QString& programFile) {
    const QDateTime written = QFileInfo(programFile).lastModified();
    return QStringLiteral("Build ") + written.toString(QStringLiteral("dd/MM/yyyy"));
}

QString RotateMarquee(const QString& text) { return text.isEmpty() ? text : text.mid(1) + text.at(0); }

namespace {

// The program's mark, sized for the box's narrow picture.
QPixmap ProgramPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(0, 128, 128));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    p.drawRect(QRect(QPoint(5, 5), size - QSize(11, 11)));
    QFont f(QStringLiteral("Sans Serif"));
    f.setBold(true);
    f.setPixelSize(26);
    p.setFont(f);
    p.drawText(QRect(0, 20, size.width(), size.height() / 2), Qt::AlignCenter, QStringLiteral("LOBRIX\n2009"));
    f.setBold(false);
    f.setPixelSize(13);
    p.setFont(f);
    p.drawText(QRect(0, size.height() / 2, size.width(), size.height() / 2 - 10), Qt::AlignCenter,
               QStringLiteral("Gerador de\nDeclaração\nZuvo"));
    return pixmap;
}

// The picture behind the sequence: the team's mark in the program's colours.
QPixmap TeamPicture(QSize size) {
    QPixmap pixmap(size);
    pixmap.fill(QColor(0, 70, 140));
    QPainter p(&pixmap);
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::white, 2));
    p.drawEllipse(QRect(QPoint(20, 20), QSize(size.width() - 40, size.width() - 40)));
    QFont f(QStringLiteral("Sans Serif"));
    f.setBold(true);
    f.setPixelSize(22);
    p.setFont(f);
    p.drawText(QRect(QPoint(20, 20), QSize(size.width() - 40, size.width() - 40)), Qt::AlignCenter,
               QStringLiteral("ZUVO"));
    f.setPixelSize(13);
    p.setFont(f);
    p.drawText(QRect(0, size.width(), size.width(), size.height() - size.width()), Qt::AlignCenter,
               QStringLiteral("Equipe LOBRIX\n2009"));
    return pixmap;
}

QLabel* label(QWidget* parent, const char* name, const QString& text, QRect geometry) {
    auto* l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(geometry);
    return l;
}

}  // namespace

QString TfmSobre::SequenceLetters() { return QStringLiteral("LOBRIX"); }
QString TfmSobre::FullTitle() { return QStringLiteral("LOBRIX 2009 - Gerador de Declaração Zuvo"); }
QString TfmSobre::Credit() { return QStringLiteral("Desenvolvido pela equipe do LOBRIX"); }

TfmSobre::TfmSobre(QWidget* parent) : QDialog(parent), sequence_(SequenceLetters()) {
    setObjectName(QStringLiteral("fmSobre"));
    setWindowTitle(QStringLiteral("Sobre o LOBRIX"));
    setWindowFlags(Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::WindowTitleHint | Qt::WindowCloseButtonHint);
    setFixedSize(512, 325);

    Image1 = label(this, "Image1", QString(), QRect(8, 8, 161, 209));
    Image1->setPixmap(ProgramPicture(Image1->size()));
    Image2 = label(this, "Image2", QString(), QRect(8, 8, 161, 209));
    Image2->setPixmap(TeamPicture(Image2->size()));
    Image2->setVisible(false);

    Panel1 = label(this, "Panel1", QStringLiteral("Programa de Declaração da ZUVO"), QRect(180, 8, 324, 34));
    Panel1->setFrameShape(QFrame::Panel);
    Panel1->setFrameShadow(QFrame::Raised);
    Panel1->setAlignment(Qt::AlignCenter);
    QFont bold = Panel1->font();
    bold.setBold(true);
    Panel1->setFont(bold);
    versao = label(this, "versao", QStringLiteral("Versão "), QRect(188, 54, 310, 20));
    versao->setFont(bold);
    lblBuild = label(this, "lblBuild", QStringLiteral("Build"), QRect(188, 76, 310, 20));
    lblAmbiente = label(this, "lblAmbiente", QStringLiteral("Ambiente"), QRect(188, 98, 310, 20));
    Label4 = label(this, "Label4", QStringLiteral("Distribuição Gratuita"), QRect(188, 128, 310, 20));
    Label3 = label(this, "Label3", QStringLiteral("Internet:"), QRect(188, 156, 60, 20));
    laEndInternet = label(this, "laEndInternet", TfmLOBRIX::WebAddress(), QRect(250, 156, 250, 20));
    QFont link = laEndInternet->font();
    link.setUnderline(true);
    laEndInternet->setFont(link);
    QPalette blue = laEndInternet->palette();
    blue.setColor(QPalette::WindowText, QColor(0, 0, 255));
    laEndInternet->setPalette(blue);
    laEndInternet->setCursor(Qt::PointingHandCursor);
    laEndInternet->installEventFilter(this);
    Label1 = label(this, "Label1", Credit(), QRect(188, 186, 310, 20));
    lblMarquee = label(this, "lblMarquee", QString(), QRect(180, 250, 324, 20));

    edText = new QLineEdit(this);
    edText->setObjectName(QStringLiteral("edText"));
    edText->setVisible(false);
    connect(edText, &QLineEdit::textChanged, this, [this] { edTextChange(); });

    Timer1 = new QTimer(this);
    Timer1->setObjectName(QStringLiteral("Timer1"));
    Timer1->setInterval(100);
    connect(Timer1, &QTimer::timeout, this, [this] { Timer1Timer(); });
    Timer1->start();

    BtnCancel = new QPushButton(QStringLiteral("&Ok"), this);
    BtnCancel->setObjectName(QStringLiteral("BtnCancel"));
    BtnCancel->setGeometry(420, 286, 84, 30);
    BtnCancel->setDefault(true);
    BtnCancel->installEventFilter(this);
    connect(BtnCancel, &QPushButton::clicked, this, [this] {
        forms::SetModalResult(this, forms::mrOk);
        accept();
    });

    lblBuild->setText(BuildLabel(QCoreApplication::applicationFilePath()));
    const bool development = fmLOBRIX && fmLOBRIX->Ambiente == QLatin1String("Desenvolvimento");
    lblAmbiente->setText(development ? QStringLiteral("Desenvolvimento") : QStringLiteral(" "));
}

void TfmSobre::showEvent(QShowEvent* event) {
    QDialog::showEvent(event);
    if (!event->spontaneous()) FormActivate();
}

void TfmSobre::FormActivate() {
    versao->setText(QStringLiteral("Versão ") + (fmLOBRIX ? fmLOBRIX->Versao : QString()));
    forms::CenterOnScreen(this);
}

void TfmSobre::FormKeyDown(int key, Qt::KeyboardModifiers modifiers) {
    // Ctrl itself (and the other modifiers) is no key of the sequence.
    if (key == Qt::Key_Control || key == Qt::Key_Shift || key == Qt::Key_Alt || key == Qt::Key_Meta) return;
    const QChar letter = key >= Qt::Key_A && key <= Qt::Key_Z ? QChar(key) : QChar();
    if (!sequence_.Key(letter, modifiers.testFlag(Qt::ControlModifier))) return;
    Image1->setVisible(false);
    Image2->setGeometry(Image2->x(), 96, 161, 209);
    Image2->setVisible(true);
    edText->setText(QString(63, QLatin1Char(' ')) + FullTitle() + QStringLiteral(" - Versão ") +
                    (fmLOBRIX ? fmLOBRIX->Versao : QString()) + QStringLiteral("   ") + Credit());
}

void TfmSobre::keyPressEvent(QKeyEvent* event) {
    FormKeyDown(event->key(), event->modifiers());
    QDialog::keyPressEvent(event);
}

bool TfmSobre::eventFilter(QObject* watched, QEvent* event) {
    if (watched == laEndInternet && event->type() == QEvent::MouseButtonRelease) {
        laEndInternetClick();
        return true;
    }
    // The form sees the keys first, whichever control has the focus.
    if (watched == BtnCancel && event->type() == QEvent::KeyPress) {
        auto* ke = static_cast<QKeyEvent*>(event);
        if (ke->modifiers().testFlag(Qt::ControlModifier)) {
            FormKeyDown(ke->key(), ke->modifiers());
            return true;
        }
    }
    return QDialog::eventFilter(watched, event);
}

void TfmSobre::laEndInternetClick() { TfmLOBRIX::ShellOpen(laEndInternet->text()); }

void TfmSobre::edTextChange() { lblMarquee->setText(edText->text()); }

void TfmSobre::Timer1Timer() { lblMarquee->setText(RotateMarquee(lblMarquee->text())); }

void ShowSobre() {
    TfmSobre form(fmLOBRIX);
    fmSobre = &form;
    forms::ShowModal(&form);
    fmSobre = nullptr;
}
