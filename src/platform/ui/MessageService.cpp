#include "MessageService.h"

#include <QApplication>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>

namespace msg {

namespace {

QString titleFor(BoxKind kind) {
    switch (kind) {
    case BoxKind::Warning: return QStringLiteral("Atenção");
    case BoxKind::Error: return QStringLiteral("Erro");
    case BoxKind::Information: return QStringLiteral("Informação");
    case BoxKind::Confirmation: return QStringLiteral("Confirme");
    case BoxKind::Plain: break;
    }
    const QString name = QGuiApplication::applicationDisplayName();
    return name.isEmpty() ? QStringLiteral("LOBRIX") : name;
}

QMessageBox::Icon iconFor(BoxKind kind) {
    switch (kind) {
    case BoxKind::Warning: return QMessageBox::Warning;
    case BoxKind::Error: return QMessageBox::Critical;
    case BoxKind::Information: return QMessageBox::Information;
    case BoxKind::Confirmation: return QMessageBox::Question;
    case BoxKind::Plain: break;
    }
    return QMessageBox::NoIcon;
}

// The texts mix "\r\n", "\n\r" and a lone "\r" as line breaks; a label only
// understands "\n".
QString displayText(QString text) {
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n"));
    text.replace(QStringLiteral("\n\r"), QStringLiteral("\n"));
    text.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

class DialogHost : public MessageHost {
public:
    QString show(const BoxRequest& request) override {
        const QString title = request.title.isEmpty() ? titleFor(request.kind) : request.title;
        QMessageBox box(iconFor(request.kind), title, displayText(request.text), QMessageBox::NoButton,
                        QApplication::activeWindow());
        QPushButton* yes = nullptr;
        QPushButton* no = nullptr;
        QPushButton* ok = nullptr;
        QPushButton* cancel = nullptr;
        switch (request.buttons) {
        case BoxButtons::Ok:
            ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            break;
        case BoxButtons::YesNo:
            yes = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
            break;
        case BoxButtons::OkCancel:
            ok = box.addButton(QStringLiteral("OK"), QMessageBox::AcceptRole);
            cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
            break;
        case BoxButtons::YesNoCancel:
            yes = box.addButton(QStringLiteral("&Sim"), QMessageBox::YesRole);
            no = box.addButton(QStringLiteral("&Não"), QMessageBox::NoRole);
            cancel = box.addButton(QStringLiteral("Cancelar"), QMessageBox::RejectRole);
            break;
        }
        // Esc answers Cancel when offered, else No, else OK.
        box.setEscapeButton(cancel ? cancel : no ? no : ok);
        QPushButton* defaultButton = yes ? yes : ok;
        if (request.defaultButton == ModalResultName(7) && no) defaultButton = no;
        if (request.defaultButton == ModalResultName(2) && cancel) defaultButton = cancel;
        box.setDefaultButton(defaultButton);
        const QPointer<QWidget> previous = QApplication::activeWindow();
        box.exec();
        // Without a window manager (or before it acts) the window below would not get the keys again.
        if (previous && previous->isVisible() && QApplication::activeWindow() != previous) previous->activateWindow();
        QAbstractButton* pressed = box.clickedButton();
        if (!pressed) pressed = cancel ? cancel : no ? no : ok;
        if (pressed == yes) return ModalResultName(6);
        if (pressed == no) return ModalResultName(7);
        if (pressed == cancel) return ModalResultName(2);
        return ModalResultName(1);
    }
    void beep() override { QApplication::beep(); }
};

DialogHost& dialogHost() {
    static DialogHost host;
    return host;
}

MessageHost*& currentHost() {
    static MessageHost* host = nullptr;
    return host;
}

MessageHost& host() {
    MessageHost* h = currentHost();
    return h ? *h : dialogHost();
}

}  // namespace

QString ModalResultName(int modalResult) {
    static const char* const names[] = {"Erro de Memoria", "mrOk",     "mrCancel", "mrAbort",
                                        "mrRetry",         "mrIgnore", "mrYes",    "mrNo"};
    if (modalResult < 0 || modalResult > 7) return QString();
    return QString::fromLatin1(names[modalResult]);
}

QString ShowBox(BoxKind kind, const QString& text, BoxButtons buttons, const QString& code) {
    BoxRequest request;
    request.kind = kind;
    request.buttons = buttons;
    request.text = text;
    request.code = code;
    return host().show(request);
}

QString ShowBox(const BoxRequest& request) { return host().show(request); }

QString ShowWarning(const QString& text) { return ShowBox(BoxKind::Warning, text); }
QString ShowError(const QString& text) { return ShowBox(BoxKind::Error, text); }
QString ShowInformation(const QString& text) { return ShowBox(BoxKind::Information, text); }
QString ShowPlain(const QString& text) { return ShowBox(BoxKind::Plain, text); }

bool AskYesNo(const QString& text) {
    return ShowBox(BoxKind::Confirmation, text, BoxButtons::YesNo) == ModalResultName(6);
}

void Beep() { host().beep(); }

MessageHost* SetMessageHost(MessageHost* newHost) {
    MessageHost* previous = currentHost();
    currentHost() = newHost;
    return previous;
}

}  // namespace msg
