#pragma once
#include <QPixmap>
#include <QWidget>

// The program's picture, drawn for the splash window and the main window.
QPixmap LobrixPicture(QSize size);

// The window shown while the program starts: borderless, 386 x 251, centred,
// one picture and nothing else.
class TfmSplash : public QWidget {
    Q_OBJECT
public:
    explicit TfmSplash(QWidget* parent = nullptr);
};
