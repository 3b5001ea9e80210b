#pragma once
#include "platform/db/Query.h"

#include <QDialog>
#include <array>

class QLabel;
class QLineEdit;
class QPushButton;

namespace ui {
class EntryFormController;
class PageControl;
}  // namespace ui

// The survey's answers are one text of 22 codes, one character per question:
// "1" to "9", "A" for 10, "X" for 77 (does not apply), "B" for no answer.
inline constexpr int kSurveyQuestions = 22;

// The code of a typed answer ("05" or "5", "10", "77", "" or "00");
// empty when the answer is not on the scale.
QString SurveyAnswerCode(const QString& typed);
// The answer shown for a code: "A" as "10", "X" as "77", "B" as empty, a digit as "0" + digit.
QString SurveyAnswerText(QChar code);
// A stored answer text as 22 codes: a shorter one (an empty field included)
// padded with "B", a longer one cut.
QString SurveyAnswers(const QString& stored);

// "Pesquisa de Satisfação": 22 aspects of the help desk and of the program
// rated on the scale, stored in BD8Resp.NuRespostaPesquisa, which the
// trailer record of every declaration file carries.
class TfmPesq : public QDialog {
    Q_OBJECT
public:
    explicit TfmPesq(QWidget* parent = nullptr);  // FormCreate

    ui::PageControl* pcPesquisa;
    QWidget* tsAtendimento;
    QWidget* tsLoBrix;
    std::array<QLineEdit*, kSurveyQuestions> R{};  // R[0] is R1
    QPushButton* BtOk;
    QPushButton* BtCancel;
    db::Query QPesq;

    void FormActivate();
    void Inicializa_Campos();
    void LoadSurveyAnswers(const QString& stored);
    // The exit check of an answer edit; false (after the message) when refused.
    bool RespostaExit(QLineEdit* edit);
    void BtOkClick();
    void BtCancelClick();

    const QString& Respostas() const { return respostas_; }

protected:
    void showEvent(QShowEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    bool storeAnswer(QLineEdit* edit);

    ui::EntryFormController* kit_;
    QString respostas_;
};

extern TfmPesq* fmPesq;

// The command "&Pesquisa": shows the survey, then the wizard that
// ProximoAssistente asks for, if any.
void ShowPesquisa();
