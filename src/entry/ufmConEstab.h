#pragma once
#include <QDialog>
#include <cstdint>

// The list of the establishments of the base year.
class TfmConEstab : public QDialog {
    Q_OBJECT
public:
    explicit TfmConEstab(QWidget* parent = nullptr);
    std::uint8_t ModoExclusao = 0;  // 0 open mode, 1 delete mode
};

// Created at start-up; null until then.
extern TfmConEstab* fmConEstab;
