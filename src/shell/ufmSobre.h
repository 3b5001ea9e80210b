#pragma once
#include <QDialog>
#include <QString>

class QLabel;
class QLineEdit;
class QPushButton;
class QTimer;

// The hidden key sequence of the about box: six letters typed with Ctrl held.
class HiddenKeySequence {
public:
    explicit HiddenKeySequence(QString letters) : letters_(std::move(letters)) {}
    // One key press; true when it completes the sequence (which then starts over).
    bool Key(QChar key, bool ctrlHeld);
    int Position() const { return position_; }  // 1 to the sequence's length

private:
    QString letters_;
    int position_ = 1;
};

// "Build " and the last-write date of the program file, "dd/mm/yyyy".
QString BuildLabel(const QString& programFile);

// One step of the scrolling line: the first character goes to the end.
QString RotateMarquee(const QString& text);

// "Sobre o LOBRIX": the version, the build date (the program file's date),
// the environment and the web address.
class TfmSobre : public QDialog {
    Q_OBJECT
public:
    explicit TfmSobre(QWidget* parent = nullptr);  // FormCreate

    static QString SequenceLetters();
    static QString FullTitle();
    static QString Credit();

    QLabel* Image1;
    QLabel* Image2;
    QLabel* versao;
    QLabel* lblBuild;
    QLabel* lblAmbiente;
    QLabel* Panel1;
    QLabel* Label4;
    QLabel* Label3;
    QLabel* laEndInternet;
    QLabel* Label1;
    QLabel* lblMarquee;
    QLineEdit* edText;
    QTimer* Timer1;
    QPushButton* BtnCancel;

    void FormActivate();
    void FormKeyDown(int key, Qt::KeyboardModifiers modifiers);
    void laEndInternetClick();
    void edTextChange();
    void Timer1Timer();

    const HiddenKeySequence& Sequence() const { return sequence_; }

protected:
    void showEvent(QShowEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    HiddenKeySequence sequence_;
};

extern TfmSobre* fmSobre;

// The command "&Sobre o LOBRIX".
void ShowSobre();
