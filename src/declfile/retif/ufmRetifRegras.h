#pragma once
#include <QDialog>

class QPlainTextEdit;
class QPushButton;

// The notice shown before the amendment wizard: what an amendment is for.
class TfmRetifRegras : public QDialog {
    Q_OBJECT
public:
    explicit TfmRetifRegras(QWidget* parent = nullptr);  // FormCreate

    QPlainTextEdit* Memo;
    QPushButton* BtOk;

    void BtOkClick();

protected:
    void showEvent(QShowEvent* event) override;
};
