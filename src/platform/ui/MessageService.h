#pragma once
#include <QString>

// The one place where the program shows message boxes. The program shows a
// QMessageBox with the Portuguese titles and buttons; a test installs its own
// host to answer the boxes and to see which were shown.
namespace msg {

enum class BoxKind {
    Warning,       // "Atenção"
    Error,         // "Erro"
    Information,   // "Informação"
    Confirmation,  // "Confirme"
    Plain,         // the application's title, no icon
};

enum class BoxButtons { Ok, YesNo, OkCancel, YesNoCancel };

struct BoxRequest {
    BoxKind kind = BoxKind::Information;
    BoxButtons buttons = BoxButtons::Ok;
    QString text;
    QString code;  // the catalogue code the text came from; empty for a literal text
    QString title;          // empty: the kind's own title
    QString defaultButton;  // the result name of the default button ("mrNo"); empty: Yes, else OK
};

// The name of a modal result by its number: 0 "Erro de Memoria", 1 "mrOk",
// 2 "mrCancel", 3 "mrAbort", 4 "mrRetry", 5 "mrIgnore", 6 "mrYes", 7 "mrNo".
QString ModalResultName(int modalResult);

// Shows a box and returns the name of the pressed button ("mrOk", "mrYes",
// "mrNo", "mrCancel").
QString ShowBox(BoxKind kind, const QString& text, BoxButtons buttons = BoxButtons::Ok,
                const QString& code = QString());
// The same for a box with a title or a default button of its own.
QString ShowBox(const BoxRequest& request);

// Shorthands for the literal boxes of the forms.
QString ShowWarning(const QString& text);      // warning, OK
QString ShowError(const QString& text);        // error, OK
QString ShowInformation(const QString& text);  // information, OK
QString ShowPlain(const QString& text);        // plain box, OK
bool AskYesNo(const QString& text);            // confirmation, Yes and No; true for Yes

// The exclamation beep that goes with some error boxes.
void Beep();

// Who answers the boxes. The default host shows real dialogs.
class MessageHost {
public:
    virtual ~MessageHost() = default;
    virtual QString show(const BoxRequest& request) = 0;
    virtual void beep() = 0;
};

// Installs a host (nullptr restores the real dialogs); returns the previous one.
MessageHost* SetMessageHost(MessageHost* host);

}  // namespace msg
