#include "MessageService.h"

#include "platform/ui/Forms.h"

#include <QApplication>
#include <QKeyEvent>
#include <QWindow>
#include <optional>
#include <utility>
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

// Watches a notice (a box with OK only) while it is up: text typed into it, which it has no use
// for, is kept and handed to the window below once the notice is answered, where it was meant to go.
class TypedThroughNotice : public QObject {
public:
    explicit TypedThroughNotice(QWidget* box) : box_(box) { qApp->installEventFilter(this); }
    ~TypedThroughNotice() override { qApp->removeEventFilter(this); }
    void handTo(QWidget* window) {
        QWindow* target = window ? window->windowHandle() : nullptr;
        if (!target) return;
        // Posted: they reach the field the form puts the focus in once it is done with the notice.
        for (const Kept& k : std::as_const(kept_)) {
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyPress, k.key, k.modifiers, k.text));
            QCoreApplication::postEvent(target, new QKeyEvent(QEvent::KeyRelease, k.key, k.modifiers, k.text));
        }
        kept_.clear();
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        const QEvent::Type type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease) return false;
        auto* w = qobject_cast<QWidget*>(watched);
        if (!w || w->window() != box_) return false;
        const auto* ke = static_cast<QKeyEvent*>(event);
        const QString text = ke->text();
        if (text.isEmpty() || !text.at(0).isPrint() || ke->key() == Qt::Key_Space ||
            (ke->modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)))
            return false;
        if (type == QEvent::KeyPress) kept_.append({ke->key(), ke->modifiers(), text});
        return true;
    }

private:
    struct Kept {
        int key;
        Qt::KeyboardModifiers modifiers;
        QString text;
    };
    QWidget* box_;
    QList<Kept> kept_;
};

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
        new forms::KeysToModal(&box);  // keys typed before the box has the keyboard answer it
        std::optional<TypedThroughNotice> typed;
        if (request.buttons == BoxButtons::Ok) typed.emplace(&box);
        box.exec();
        // Without a window manager (or before it acts) the window below would not get the keys again.
        if (previous && previous->isVisible() && QApplication::activeWindow() != previous) previous->activateWindow();
        if (typed && previous && previous->isVisible()) typed->handTo(previous);
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
