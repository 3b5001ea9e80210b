// The widget driven through Qt: clicks, keys, scroll bars, resizing, a
// picture of the transmission list, and closing its form.
#include "WidgetForm.h"

#include "listview/paint/LumeColors.h"
#include "listview/dragdrop/LumeDataObject.h"
#include "listview/qt/LumeHintWindow.h"
#include "listview/qt/LumeListviewWidget.h"
#include "platform/ui/LobrixApplication.h"
#include "shell/ugExcecao.h"
#include "support/ScriptedMessages.h"

#include <QDialog>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMimeData>
#include <QDropEvent>
#include <QScrollBar>
#include <QStyle>
#include <QTest>
#include <QTimer>
#include <QToolTip>
#include <QVBoxLayout>
#include <QWheelEvent>
#include <gtest/gtest.h>

namespace lume::test {
namespace {

TEST(ListviewWidget, ClicksKeysAndScrollBars) {
    Form f(120);
    QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(2));
    EXPECT_TRUE(f.Item(2)->Selected());
    EXPECT_EQ(f.status->text(), QStringLiteral("row 2"));
    QTest::keyClick(f.lv, Qt::Key_Down);
    EXPECT_TRUE(f.Item(3)->Selected());
    EXPECT_FALSE(f.Item(2)->Selected());

    QScrollBar* bar = f.lv->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->pageStep(), f.lv->viewport()->height());
    bar->triggerAction(QAbstractSlider::SliderPageStepAdd);
    EXPECT_EQ((*f.lv)->Scrollbars->OffsetY(), f.lv->viewport()->height());
    EXPECT_EQ(bar->value(), (*f.lv)->Scrollbars->OffsetY());
    bar->triggerAction(QAbstractSlider::SliderToMaximum);
    EXPECT_EQ((*f.lv)->Scrollbars->OffsetY(), (*f.lv)->Scrollbars->MaxOffsetY());

    // A bigger window shows every row: the bar goes and the view returns to the top.
    f.dialog.resize(800, 2400);
    QTest::qWait(20);
    EXPECT_FALSE(bar->isVisible());
    EXPECT_EQ((*f.lv)->Scrollbars->OffsetY(), 0);
    // Tab moves the focus on as in any dialog.
    f.lv->setFocus();
    QTest::keyClick(f.lv, Qt::Key_Tab);
    EXPECT_TRUE(f.next->hasFocus());
}

// Characters whose Qt codes equal those of Page Up to Down ("!" to "(") or
// of other keys do not move the selection; they reach the type-ahead search.
TEST(ListviewWidget, TypedCharactersSearchAndDoNotMove) {
    Form f(10);
    QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(4));
    ASSERT_TRUE(f.Item(4)->Selected());
    for (const char c : std::string("!\"#$%&'(-.[]`{}~+,/;=")) {
        QTest::keyClick(f.lv, c);
        EXPECT_TRUE(f.Item(4)->Selected() && f.Item(4)->Focused()) << "after " << c;
        EXPECT_EQ((*f.lv)->Scrollbars->OffsetY(), 0) << "after " << c;
    }
    // Keys still act: Down moves, Ctrl+A selects all (with several selectable).
    QTest::keyClick(f.lv, Qt::Key_Down);
    EXPECT_TRUE(f.Item(5)->Selected());
    (*f.lv)->Selection()->SetMultiSelect(true);
    QTest::keyClick(f.lv, Qt::Key_A, Qt::ControlModifier);
    EXPECT_EQ((*f.lv)->Selection()->Count(), 10);

    // The search compares the typed text with the company names.
    (*f.lv)->Selection()->SetMultiSelect(false);
    f.Item(7)->SetCaptions(8, QStringLiteral("(SEM NOME) LTDA"));
    (*f.lv)->IncrementalSearch->Enabled = true;
    (*f.lv)->OnIncrementalSearch = [](TLumeCollectionItem* item, const QString& typed, int& result) {
        result = static_cast<TLumeItem*>(item)->Captions(8).startsWith(typed, Qt::CaseInsensitive) ? 0 : 1;
    };
    QTest::keyClicks(f.lv, QStringLiteral("(s"));
    EXPECT_EQ((*f.lv)->IncrementalSearch->SearchBuffer, QStringLiteral("(s"));
    EXPECT_TRUE(f.Item(7)->Selected());
}

// With band selection on, a drag from the empty space below the rows shows
// the band while the mouse moves, plain or blended, and takes it away at
// the release.
TEST(ListviewWidget, RubberBandShowsWhileDragged) {
    for (const bool blended : {false, true}) {
        SCOPED_TRACE(blended ? "blended" : "focus rectangle");
        Form f(6);
        TLumeSelectionManager& sel = *(*f.lv)->Selection();
        sel.SetMultiSelect(true);
        sel.SetEnableDragSelect(true);
        sel.AlphaBlendSelRect = blended;
        const QImage before = f.Screen();
        const QPoint from(600, 400), to(200, 60);
        QTest::mousePress(f.lv->viewport(), Qt::LeftButton, {}, from);
        QTest::mouseMove(f.lv->viewport(), QPoint(590, 390));
        QTest::mouseMove(f.lv->viewport(), to);
        const QImage during = f.Screen();
        auto changedOnLine = [&](const QImage& shot, int y) {
            int changed = 0;
            for (int x = to.x(); x <= from.x(); ++x) changed += shot.pixel(x, y) != before.pixel(x, y);
            return changed;
        };
        // The band's lower edge runs through empty space: a dotted or solid line.
        EXPECT_GT(changedOnLine(during, from.y()), (from.x() - to.x()) / 4);
        EXPECT_EQ(changedOnLine(during, from.y() + 3), 0);
        const QColor inside = during.pixelColor(400, 300);
        if (blended) {
            EXPECT_NE(inside, ToQColor(clWindow));
            EXPECT_NE(inside, ToQColor(clHighlight));
            EXPECT_EQ(during.pixelColor(400, from.y()), ToQColor(clHighlight)) << "the frame";
        } else {
            EXPECT_EQ(inside, ToQColor(clWindow));
        }
        EXPECT_TRUE(f.Item(3)->Selected()) << "the band selects what it covers";
        QTest::mouseRelease(f.lv->viewport(), Qt::LeftButton, {}, to);
        EXPECT_EQ(changedOnLine(f.Screen(), from.y()), 0) << "gone after the release";
    }
}

// A handler that fails, with a standard exception or any other, ends in the
// program's fatal-error box, as any unexpected error does.
TEST(ListviewWidget, FailingHandlersShowTheFatalErrorBox) {
    const struct {
        std::function<void()> fail;
        QString box;
    } cases[] = {
        {[] { throw std::runtime_error("falhou"); }, QStringLiteral("Erro fatal.\n\r\n\rfalhou")},
        {[] { throw 42; }, QString::fromUtf8("Erro fatal.\n\r\n\rExceção não identificada.")},
    };
    InstallFatalErrorHandler();
    for (const auto& c : cases) {
        Form f(3);
        (*f.lv)->OnItemClick = [&c](TLV*, TLumeItem*, TLumeKeyStates, TLumeItemHitTestInfos) { c.fail(); };
        ScriptedMessages boxes;
        boxes.answer("mrOk");
        appguard::RunGuarded([&] {
            QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(1));
            QCoreApplication::sendPostedEvents();
        });
        ASSERT_EQ(boxes.texts().size(), 1);
        EXPECT_TRUE(boxes.texts()[0].startsWith(c.box)) << boxes.texts()[0].toStdString();
        EXPECT_TRUE(appguard::TerminateRequested());
        appguard::ResetTerminateRequest();
        // The request to end left every later loop returning at once: one
        // round of the application's own loop clears that.
        QTimer::singleShot(0, [] { QCoreApplication::exit(0); });
        QCoreApplication::exec();
    }
    appguard::SetExceptionHandler(nullptr);
}

// The wheel scrolls by its angle: a notch (120) three rows, a touchpad's
// smaller steps their share of it, the remainders adding up.
TEST(ListviewWidget, WheelScrollsByItsAngle) {
    Form f(120);
    auto turn = [&](int delta, int times) {
        for (int i = 0; i < times; ++i) {
            const QPointF at(300, 200);
            QWheelEvent wheel(at, f.lv->viewport()->mapToGlobal(at), QPoint(), QPoint(0, delta), Qt::NoButton,
                              Qt::NoModifier, Qt::NoScrollPhase, false);
            QCoreApplication::sendEvent(f.lv->viewport(), &wheel);
        }
        return (*f.lv)->Scrollbars->OffsetY();
    };
    EXPECT_EQ(turn(-120, 1), 3 * 17);
    EXPECT_EQ(turn(-40, 3), 6 * 17);
    EXPECT_EQ(turn(-15, 8), 9 * 17);
    EXPECT_EQ(turn(-1, 2), 9 * 17) << "a 120th of three rows is less than a pixel";
    EXPECT_EQ(turn(-1, 1), 9 * 17 + 1) << "three of them make one";
    EXPECT_EQ(turn(240, 1), 3 * 17 + 1);
}

// A sideways delta (a tilted wheel, a sideways swipe) scrolls the rows
// sideways when they are wider than the window, and never up or down.
TEST(ListviewWidget, SidewaysWheelScrollsSideways) {
    Form f(120);
    f.dialog.resize(300, 600);
    QTest::qWait(20);
    auto tilt = [&](int delta) {
        const QPointF at(100, 200);
        QWheelEvent wheel(at, f.lv->viewport()->mapToGlobal(at), QPoint(), QPoint(delta, 0), Qt::NoButton,
                          Qt::NoModifier, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(f.lv->viewport(), &wheel);
    };
    ASSERT_GT((*f.lv)->Scrollbars->MaxOffsetX(), 0);
    tilt(-120);
    EXPECT_GT((*f.lv)->Scrollbars->OffsetX(), 0);
    EXPECT_EQ((*f.lv)->Scrollbars->OffsetY(), 0);
    tilt(240);
    EXPECT_EQ((*f.lv)->Scrollbars->OffsetX(), 0);
    EXPECT_EQ((*f.lv)->Scrollbars->OffsetY(), 0);

    // All as wide as the window: nothing to scroll either way.
    f.dialog.resize(2000, 600);
    QTest::qWait(20);
    tilt(-120);
    EXPECT_EQ((*f.lv)->Scrollbars->OffsetX(), 0);
    EXPECT_EQ((*f.lv)->Scrollbars->OffsetY(), 0);
}

TEST(ListviewWidget, PictureOfTheTransmissionList) {
    Form f(3);
    QTest::mouseClick(f.lv->viewport(), Qt::LeftButton, {}, f.Row(1));
    QTest::qWait(20);
    const QImage shot = f.lv->viewport()->grab().toImage();
    ASSERT_TRUE(shot.save(QDir(QStringLiteral(LOBRIX_BINARY_DIR)).filePath(QStringLiteral("listview-widget.png"))));
    EXPECT_EQ(shot.pixelColor(700, 25 + 17 + 8), ToQColor(clHighlight));
    EXPECT_EQ(shot.pixelColor(700, 25 + 8), ToQColor(clWindow));
    EXPECT_EQ(shot.pixelColor(9, 25 + 8), QColor(0, 160, 0));
}

TEST(ListviewWidget, ImageListDeletedElsewhereLeavesThePropertyEmpty) {
    Form f(2);
    delete f.images;
    f.images = nullptr;
    EXPECT_EQ(f.lv->ImagesSmall(), nullptr);
    EXPECT_EQ((*f.lv)->ImagesSmall(), nullptr);
    f.lv->viewport()->repaint();
}

TEST(ListviewWidget, ClosingTheFormWithARowSelected) {
    auto* f = new Form(5);
    QTest::mouseClick(f->lv->viewport(), Qt::LeftButton, {}, f->Row(3));
    ASSERT_TRUE(f->Item(3)->Selected());
    int freed = 0;
    (*f->lv)->OnItemFreeing = [&freed, f](TLV*, TLumeItem*) {
        ++freed;
        f->status->setText(QString());  // the label is gone by now
    };
    delete f;
    EXPECT_EQ(freed, 0);
}

TEST(ListviewWidget, ToolTipOverACutCaption) {
    Form f(2);
    (*f.lv)->HintType = TLumeHintType::ehtToolTip;
    f.Item(0)->SetCaption(QStringLiteral("p"));
    const QPoint at = f.lv->viewport()->mapTo(f.lv, QPoint(9, 25 + 8));
    QHelpEvent help(QEvent::ToolTip, at, f.lv->mapToGlobal(at));
    QCoreApplication::sendEvent(f.lv, &help);
    ASSERT_NE(f.lv->HintWindow(), nullptr);
    EXPECT_TRUE(f.lv->HintWindow()->isVisible());
    const QFontMetrics metrics(QToolTip::font());
    EXPECT_EQ(f.lv->HintWindow()->width(), metrics.horizontalAdvance(QStringLiteral("p")) + 6);
    EXPECT_EQ(f.lv->HintWindow()->height(), metrics.height() + 2);
    QHelpEvent elsewhere(QEvent::ToolTip, f.lv->viewport()->mapTo(f.lv, QPoint(700, 25 + 8)), QPoint());
    QCoreApplication::sendEvent(f.lv, &elsewhere);
    EXPECT_FALSE(f.lv->HintWindow()->isVisible()) << "that caption fits";
}

// The hint goes with its item: the list emptied under a still mouse takes
// it away, and the window does not paint an item that is gone.
TEST(ListviewWidget, HintGoesWithItsItem) {
    for (const TLumeHintType type : {TLumeHintType::ehtToolTip, TLumeHintType::ehtCustomDraw}) {
        Form f(2);
        (*f.lv)->HintType = type;
        int drawn = 0;
        (*f.lv)->OnHintCustomDraw = [&](TLV*, TLumeCollectionItem* target, TLumeHintInfo*) {
            ASSERT_NE(target, nullptr);
            drawn += target->Caption() == QStringLiteral("p");
        };
        (*f.lv)->OnHintPopup = [](TLV*, TLumeCollectionItem*, TLumeHintType, LumePoint, QString& text, int&, int&,
                                  bool& allow) {
            text = QStringLiteral("p");
            allow = true;
        };
        f.Item(0)->SetCaption(QStringLiteral("p"));
        const QPoint at = f.lv->viewport()->mapTo(f.lv, QPoint(9, 25 + 8));
        QHelpEvent help(QEvent::ToolTip, at, f.lv->mapToGlobal(at));
        QCoreApplication::sendEvent(f.lv, &help);
        ASSERT_NE(f.lv->HintWindow(), nullptr);
        ASSERT_TRUE(f.lv->HintWindow()->isVisible());
        (*f.lv)->Items().Clear();
        EXPECT_FALSE(f.lv->HintWindow()->isVisible()) << "the mouse has not moved";
        f.lv->HintWindow()->repaint();
        QTest::qWait(10);
    }
}

// The application sets how long the mouse rests before a hint shows.
TEST(ListviewWidget, HintPauseTimeIsAsked) {
    Form f(2);
    (*f.lv)->HintType = TLumeHintType::ehtToolTip;
    f.Item(0)->SetCaption(QStringLiteral("p"));
    QList<std::pair<bool, int>> asked;
    (*f.lv)->OnHintPauseTime = [&](TLV*, bool shown, int& pause) {
        asked.append({shown, pause});
        pause = 10;
    };
    QTest::mouseMove(f.lv->viewport(), QPoint(9, 25 + 8));
    ASSERT_FALSE(asked.isEmpty());
    EXPECT_FALSE(asked[0].first);
    EXPECT_EQ(asked[0].second, f.lv->style()->styleHint(QStyle::SH_ToolTip_WakeUpDelay));
    QTest::qWait(150);
    ASSERT_NE(f.lv->HintWindow(), nullptr);
    EXPECT_TRUE(f.lv->HintWindow()->isVisible()) << "shown after the application's short pause";
}

TEST(ListviewWidget, HeaderDropsTakeOnlyOwnColumns) {
    Form f(2);
    TLumeColumns& columns = *(*f.lv)->Header->Columns;
    auto drop = [&](const TLumeHeaderDragRecord& record, QPoint at) {
        QMimeData mime;
        mime.setData(QString::fromLatin1(kHeaderMimeType), record.Encode());
        QDragEnterEvent enter(at, Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.lv->viewport(), &enter);
        QDropEvent event(QPointF(at), Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.lv->viewport(), &event);
        return event.isAccepted();
    };
    const qint64 pid = QCoreApplication::applicationPid();
    EXPECT_FALSE(drop({pid, quintptr(1), 8}, QPoint(10, 10))) << "another control's column";
    EXPECT_EQ(columns.At(8)->Position(), 8);
    EXPECT_TRUE(drop({pid, quintptr(f.lv->Core()), 8}, QPoint(10, 10)));
    EXPECT_EQ(columns.At(8)->Position(), 0) << "Razão Social moved to the front";
}

TEST(ListviewWidget, OtherDropsGoToTheApplication) {
    Form f(2);
    QMimeData mime;
    mime.setText(QStringLiteral("Zuvo2009.dec"));
    auto send = [&] {
        QDragEnterEvent enter(QPoint(300, 40), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.lv->viewport(), &enter);
        if (!enter.isAccepted()) return false;
        QDropEvent drop(QPointF(300, 40), Qt::CopyAction | Qt::MoveAction, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.lv->viewport(), &drop);
        return drop.isAccepted();
    };
    EXPECT_FALSE(send()) << "no handlers: refused";
    QString dropped;
    (*f.lv)->OnOLEDragEnter = [](TLV*, ILumeDataObject*, TLumeKeyStates, LumePoint, TLumeDropEffects, TLumeDropEffect& d) {
        d = TLumeDropEffect::edeCopy;
    };
    (*f.lv)->OnOLEDragDrop = [&](TLV*, ILumeDataObject* data, TLumeKeyStates, LumePoint, TLumeDropEffects,
                                 TLumeDropEffect& d) {
        TLumeStgMedium medium;
        if (data->GetData({QStringLiteral("text/plain")}, medium) == 0) dropped = QString::fromUtf8(medium.Data);
        d = TLumeDropEffect::edeCopy;
    };
    EXPECT_TRUE(send());
    EXPECT_EQ(dropped, QStringLiteral("Zuvo2009.dec"));
}

TEST(ListviewWidget, RowsUnderADragAreMarkedAndRepainted) {
    Form f(3);
    QMimeData mime;
    mime.setText(QStringLiteral("Zuvo2009.dec"));
    (*f.lv)->OnOLEDragEnter = [](TLV*, ILumeDataObject*, TLumeKeyStates, LumePoint, TLumeDropEffects, TLumeDropEffect& d) {
        d = TLumeDropEffect::edeCopy;
    };
    const Qt::DropActions actions = Qt::CopyAction | Qt::MoveAction;
    auto moveTo = [&](QPoint at) {
        QDragMoveEvent move(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.lv->viewport(), &move);
    };
    auto marks = [&] {
        QString s;
        for (int i = 0; i < 3; ++i) s += f.Item(i)->DropTarget() ? '1' : '0';
        return s;
    };
    auto enterAt = [&](QPoint at) {
        QDragEnterEvent enter(at, actions, &mime, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(f.lv->viewport(), &enter);
        return enter.isAccepted();
    };
    // A row as the viewport shows it.
    auto rowImage = [&](int row) {
        return f.lv->viewport()->grab(QRect(0, 25 + 17 * row, 700, 17)).toImage().convertToFormat(QImage::Format_RGB32);
    };
    const QImage plain = rowImage(1);
    ASSERT_TRUE(enterAt(f.Row(1)));
    moveTo(f.Row(1));
    EXPECT_EQ(marks(), "010");
    EXPECT_NE(rowImage(1), plain) << "the marked row is repainted";
    moveTo(f.Row(0));
    EXPECT_EQ(marks(), "100");
    QDragLeaveEvent leave;
    QCoreApplication::sendEvent(f.lv->viewport(), &leave);
    EXPECT_EQ(marks(), "000");
    EXPECT_EQ(rowImage(1), plain);
    ASSERT_TRUE(enterAt(f.Row(2)));
    moveTo(f.Row(2));
    EXPECT_EQ(marks(), "001");
    QDropEvent drop(QPointF(f.Row(2)), actions, &mime, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(f.lv->viewport(), &drop);
    EXPECT_EQ(marks(), "000") << "a drop takes the mark away even when the application ignores it";
}

TEST(ListviewWidget, ItemDragImageAndItsPixmap) {
    Form f(3);
    f.Item(1)->SetSelected(true);
    TCustomLumeListview& core = *f.lv->Core();
    QImage image(300, 40, QImage::Format_ARGB32_Premultiplied);
    LumePoint hot;
    TColor transparent = clBlack;
    bool handled = false;
    const QPoint start = f.Row(1, 400);
    core.DragManager->DefaultDragImage(&core, &image, {start.x(), start.y()}, hot, transparent, handled);
    ASSERT_TRUE(handled) << "the widget gives the picture a surface";
    EXPECT_EQ(hot.X, 150);
    EXPECT_EQ(hot.Y, 20);
    TLumeDataObjectManager data(&core);
    ASSERT_TRUE(data.SetDragImage(image, hot, transparent));
    const QImage pixmap = DragPixmap(data).toImage();
    ASSERT_EQ(pixmap.size(), image.size());
    // The selected row shows opaque in the selection colour; around it the
    // control's colour is cut out.
    EXPECT_EQ(QColor(pixmap.pixel(250, 20)).rgb(), ToQColor(core.Selection()->Color).rgb());
    EXPECT_EQ(qAlpha(pixmap.pixel(250, 20)), 255);
    EXPECT_EQ(qAlpha(pixmap.pixel(250, 2)), 0);
    EXPECT_EQ(qAlpha(pixmap.pixel(250, 38)), 0);
}

}  // namespace
}  // namespace lume::test
