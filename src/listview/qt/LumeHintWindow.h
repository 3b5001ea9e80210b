// The hint over an item: a tool-tip window sized by the control's hint
// settings and painted as text or by the application.
#pragma once

#include "listview/LumeListview.h"

#include <QWidget>

namespace lume {

class TLumeHintWindow : public QWidget {
    Q_OBJECT
public:
    explicit TLumeHintWindow(QWidget* parent);
    // Sizes and shows the hint at a screen point for a target and text.
    void ShowHint(TCustomLumeListview* listview, TLumeCollectionItem* target, const QString& text, QPoint screen,
                  int hideTimeout);
    QSize HintSize() const { return size(); }
    // The target going away takes the hint with it.
    void Forget(TLumeCollectionItem* target);

protected:
    void paintEvent(QPaintEvent* e) override;

private:
    TCustomLumeListview* listview_ = nullptr;
    TLumeCollectionItem* target_ = nullptr;
    QString text_;
};

}  // namespace lume
