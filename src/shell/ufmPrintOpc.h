#pragma once
#include <QDialog>

class QSpinBox;

// Page range and number of copies; created and freed with the print wizard's
// pages, the preview's own print dialog asks for them.
class TfmPrintOpc : public QDialog {
    Q_OBJECT
public:
    explicit TfmPrintOpc(QWidget* parent = nullptr);
    ~TfmPrintOpc() override;

    QSpinBox* edPaginaInicial;
    QSpinBox* edPaginaFinal;
    QSpinBox* edCopias;
};

extern TfmPrintOpc* fmPrintOpc;
