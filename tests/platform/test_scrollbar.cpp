// The vertical scroll bar: larger number at the top, one Change per change
// of the value whoever makes it.
#include "platform/scrollbar.h"

#include <QApplication>
#include <QMouseEvent>
#include <QTest>
#include <QWheelEvent>

using platform::VScrollBar;

namespace {

// Records the value the bar holds each time Change arrives.
struct ChangeLog {
    explicit ChangeLog(VScrollBar &bar)
    {
        QObject::connect(&bar, &VScrollBar::Change, &bar, [this, &bar] { values << bar.Value(); });
    }
    QList<int> values;
    QList<int> take()
    {
        QList<int> taken = values;
        values.clear();
        return taken;
    }
};

void clickPart(VScrollBar &bar, QStyle::SubControl part)
{
    const QRect rect = bar.partRect(part);
    QVERIFY2(!rect.isEmpty(), "the part must be visible to be clicked");
    QTest::mouseClick(&bar, Qt::LeftButton, {}, rect.center());
}

void turnWheel(VScrollBar &bar, QPoint angleDelta)
{
    const QPointF at(bar.width() / 2.0, bar.height() / 2.0);
    QWheelEvent event(at, bar.mapToGlobal(at), QPoint(), angleDelta, Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QApplication::sendEvent(&bar, &event);
}

} // namespace

class TestScrollBar : public QObject {
    Q_OBJECT
private slots:
    void init();
    void cleanup();
    void codeAssignmentRunsChangeBeforeReturning();
    void newRangeMovesAnOutsideValueToTheNearerEnd();
    void arrowsStepByTheArrowStep();
    void troughStepsByThePageStep();
    void holdingAnArrowRepeatsOneChangePerStep();
    void dragSetsTheValueOnRelease();
    void keysOnAFocusedBar();
    void wheelTurnedAwayAddsOneStepPerNotch();
    void pressWhoseButtonIsAlreadyUpDoesNothing();

private:
    QWidget *window_ = nullptr;
    VScrollBar *bar_ = nullptr;
};

// A month bar, tall enough that the trough shows on both sides of the thumb.
void TestScrollBar::init()
{
    window_ = new QWidget;
    window_->resize(100, 260);
    bar_ = new VScrollBar(window_);
    bar_->setGeometry(10, 10, 17, 240);
    bar_->setRange(1, 12);
    bar_->setArrowStep(1);
    bar_->setPageStep(6);
    bar_->setValue(5);
    window_->show();
    window_->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(window_));
}

void TestScrollBar::cleanup()
{
    delete window_;
    window_ = nullptr;
}

void TestScrollBar::codeAssignmentRunsChangeBeforeReturning()
{
    VScrollBar &bar = *bar_;
    ChangeLog log(bar);
    bar.setValue(9);
    QCOMPARE(log.take(), QList<int>({9}));
    bar.setValue(9); // the value it holds: nothing
    QCOMPARE(log.take(), QList<int>());
    bar.setValue(40); // beyond the top: the top end
    QCOMPARE(log.take(), QList<int>({12}));
    bar.setValue(12);
    bar.setValue(INT_MAX);
    QCOMPARE(log.take(), QList<int>());
    bar.setValue(INT_MIN);
    QCOMPARE(log.take(), QList<int>({1}));
    QCOMPARE(bar.Min(), 1);
    QCOMPARE(bar.Max(), 12);

    // A handler that moves the bar again runs again at once, nested.
    int depth = 0, deepest = 0;
    connect(&bar, &VScrollBar::Change, &bar, [&] {
        ++depth;
        deepest = std::max(deepest, depth);
        if (bar.Value() == 3)
            bar.setValue(4);
        --depth;
    });
    bar.setValue(3);
    QCOMPARE(bar.Value(), 4);
    QCOMPARE(log.take(), QList<int>({3, 4}));
    QCOMPARE(deepest, 2);
}

void TestScrollBar::newRangeMovesAnOutsideValueToTheNearerEnd()
{
    VScrollBar &bar = *bar_;
    bar.setRange(622, 2562);
    bar.setValue(2024);
    ChangeLog log(bar);
    bar.setRange(1, 2000);
    QCOMPARE(bar.Value(), 2000);
    QCOMPARE(log.take(), QList<int>({2000}));
    bar.setRange(1, 2000); // nothing moves
    bar.setRange(622, 2562);
    QCOMPARE(log.take(), QList<int>());
    bar.setValue(622);
    log.take();
    bar.setRange(700, 900);
    QCOMPARE(log.take(), QList<int>({700}));
}

void TestScrollBar::arrowsStepByTheArrowStep()
{
    VScrollBar &bar = *bar_;
    ChangeLog log(bar);
    QVERIFY(bar.partRect(QStyle::SC_ScrollBarSubLine).top() < bar.partRect(QStyle::SC_ScrollBarAddLine).top());
    clickPart(bar, QStyle::SC_ScrollBarSubLine); // the upper arrow
    QCOMPARE(log.take(), QList<int>({6}));
    clickPart(bar, QStyle::SC_ScrollBarAddLine); // the lower arrow
    clickPart(bar, QStyle::SC_ScrollBarAddLine);
    QCOMPARE(log.take(), QList<int>({5, 4}));

    bar.setValue(12);
    log.take();
    clickPart(bar, QStyle::SC_ScrollBarSubLine); // already at the top
    QCOMPARE(log.take(), QList<int>());
    QCOMPARE(bar.Value(), 12);
}

void TestScrollBar::troughStepsByThePageStep()
{
    VScrollBar &bar = *bar_;
    ChangeLog log(bar);
    bar.setValue(4);
    log.take();
    clickPart(bar, QStyle::SC_ScrollBarSubPage); // above the thumb
    QCOMPARE(log.take(), QList<int>({10}));
    clickPart(bar, QStyle::SC_ScrollBarAddPage); // below the thumb
    QCOMPARE(log.take(), QList<int>({4}));
    clickPart(bar, QStyle::SC_ScrollBarSubPage);
    clickPart(bar, QStyle::SC_ScrollBarSubPage); // 16 is beyond the top
    QCOMPARE(log.take(), QList<int>({10, 12}));

    // A year bar: 100 a page, whatever the distance between thumb and click.
    bar.setRange(622, 2562);
    bar.setPageStep(100);
    bar.setValue(1000);
    log.take();
    const QRect above = bar.partRect(QStyle::SC_ScrollBarSubPage);
    QTest::mouseClick(&bar, Qt::LeftButton, {}, QPoint(above.center().x(), above.top() + 1));
    QCOMPARE(log.take(), QList<int>({1100}));
}

void TestScrollBar::holdingAnArrowRepeatsOneChangePerStep()
{
    VScrollBar &bar = *bar_;
    ChangeLog log(bar);
    bar.setValue(1);
    log.take();
    QTest::mousePress(&bar, Qt::LeftButton, {}, bar.partRect(QStyle::SC_ScrollBarSubLine).center());
    QTRY_VERIFY(bar.Value() >= 4);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, bar.partRect(QStyle::SC_ScrollBarSubLine).center());
    const int reached = bar.Value();
    QList<int> expected;
    for (int v = 2; v <= reached; ++v)
        expected << v;
    QCOMPARE(log.take(), expected);
    QTest::qWait(200); // released: no more steps
    QCOMPARE(bar.Value(), reached);
    QCOMPARE(log.take(), QList<int>());
}

void TestScrollBar::dragSetsTheValueOnRelease()
{
    VScrollBar &bar = *bar_;
    ChangeLog log(bar);
    const QRect thumb = bar.partRect(QStyle::SC_ScrollBarSlider);
    const QRect groove = bar.partRect(QStyle::SC_ScrollBarGroove);
    QTest::mousePress(&bar, Qt::LeftButton, {}, thumb.center());
    QTest::mouseMove(&bar, QPoint(thumb.center().x(), thumb.center().y() - groove.height() / 4));
    QTest::mouseMove(&bar, QPoint(thumb.center().x(), groove.top() + 2));
    QCOMPARE(log.values, QList<int>()); // nothing while dragging
    QCOMPARE(bar.Value(), 5);
    QTest::mouseRelease(&bar, Qt::LeftButton, {}, QPoint(thumb.center().x(), groove.top() + 2));
    QCOMPARE(log.values.size(), 1);
    QVERIFY2(bar.Value() >= 11, "dragged to the top end");
    QCOMPARE(log.values.last(), bar.Value());
}

void TestScrollBar::keysOnAFocusedBar()
{
    VScrollBar &bar = *bar_;
    bar.setFocus();
    QVERIFY(bar.hasFocus());
    ChangeLog log(bar);
    QTest::keyClick(&bar, Qt::Key_Up);
    QTest::keyClick(&bar, Qt::Key_Down);
    QTest::keyClick(&bar, Qt::Key_Down);
    QTest::keyClick(&bar, Qt::Key_PageUp);
    QTest::keyClick(&bar, Qt::Key_PageUp);
    QTest::keyClick(&bar, Qt::Key_PageDown);
    QCOMPARE(log.take(), QList<int>({6, 5, 4, 10, 12, 6}));
}

void TestScrollBar::wheelTurnedAwayAddsOneStepPerNotch()
{
    VScrollBar &bar = *bar_;
    ChangeLog log(bar);
    turnWheel(bar, QPoint(0, 120));
    QCOMPARE(log.take(), QList<int>({6}));
    turnWheel(bar, QPoint(0, -120));
    QCOMPARE(log.take(), QList<int>({5}));
    turnWheel(bar, QPoint(0, 240)); // two notches at once: one change
    QCOMPARE(log.take(), QList<int>({7}));
    turnWheel(bar, QPoint(0, 60)); // half notches, as touchpads send them
    QCOMPARE(log.take(), QList<int>());
    turnWheel(bar, QPoint(0, 60));
    QCOMPARE(log.take(), QList<int>({8}));
    turnWheel(bar, QPoint(0, 60));
    turnWheel(bar, QPoint(0, -60)); // a change of direction starts afresh
    turnWheel(bar, QPoint(0, -60));
    QCOMPARE(log.take(), QList<int>({7}));
    turnWheel(bar, QPoint(120, 0)); // sideways: not for a vertical bar
    turnWheel(bar, QPoint(0, 1200)); // far beyond the top
    QCOMPARE(log.take(), QList<int>({12}));
}

// A message box shown while the focus leaves another control takes the
// release; the press then arrives with its button already up.
void TestScrollBar::pressWhoseButtonIsAlreadyUpDoesNothing()
{
    VScrollBar &bar = *bar_;
    QCOMPARE(QApplication::mouseButtons(), Qt::NoButton);
    ChangeLog log(bar);
    const QPointF upper = bar.partRect(QStyle::SC_ScrollBarSubLine).center();
    QMouseEvent late(QEvent::MouseButtonPress, upper, bar.mapToGlobal(upper), Qt::LeftButton,
                     Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(&bar, &late);
    QTest::qWait(700); // past the auto-repeat delay
    QCOMPARE(log.take(), QList<int>());
    QCOMPARE(bar.Value(), 5);
    clickPart(bar, QStyle::SC_ScrollBarSubLine); // the next real click works
    QCOMPARE(log.take(), QList<int>({6}));
}

QTEST_MAIN(TestScrollBar)
#include "test_scrollbar.moc"
