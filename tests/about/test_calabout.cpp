// The About box: what it shows, its keys, and where it appears when the
// main window's menu opens it again.
#include "about/calabout.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/window.h"
#include "tests/convert/modalrun.h"
#include "testsupport.h"

#include <QAction>
#include <QLabel>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

using Steps = std::function<void(CalAbout &)>;

QPoint centredPosition(const QWidget &window)
{
    const QRect screen = window.screen()->geometry();
    const QSize outer = window.frameGeometry().size();
    return {screen.left() + (screen.width() - outer.width()) / 2,
            screen.top() + (screen.height() - outer.height()) / 2};
}

} // namespace

class TestCalAbout : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void looksAsDesigned();
    void exitEnterAndEscapeHideIt_data();
    void exitEnterAndEscapeHideIt();
    void centresOnlyWhenCreated();
};

void TestCalAbout::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
}

void TestCalAbout::looksAsDesigned()
{
    CalAbout box;
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    QCOMPARE(box.windowTitle(), QStringLiteral("About"));
    QCOMPARE(box.size(), QSize(platform::px(4635), platform::px(3720)));
    QCOMPARE(box.minimumSize(), box.maximumSize());
    QVERIFY(!box.windowIcon().isNull());
    QCOMPARE(box.palette().color(QPalette::Window), QColor(Qt::white));

    struct Row {
        QWidget *control;
        QRect twips;
        QString caption;
        Qt::Alignment alignment;
    };
    const QList<Row> rows = {
        {box.Label1, {120, 240, 4335, 495}, QStringLiteral("Dovrin"), Qt::AlignHCenter},
        {box.Label2, {840, 960, 3615, 375}, QStringLiteral("Written by :"), Qt::AlignLeft},
        {box.Label3, {105, 1470, 4335, 255}, QStringLiteral("Dovrin developers"), Qt::AlignHCenter},
        {box.Command1, {735, 3000, 3105, 375}, QStringLiteral("Exit"), {}},
        {box.Label4, {120, 1875, 4335, 255}, QStringLiteral("Version 1.21"), Qt::AlignHCenter},
        {box.Label5, {120, 2280, 4335, 255}, QStringLiteral("2024-2026"), Qt::AlignHCenter},
    };
    for (const Row &row : rows) {
        const QRect expected = platform::twipsRect(row.twips.x(), row.twips.y(), row.twips.width(), row.twips.height());
        QCOMPARE(row.control->geometry(), expected);
        if (auto *label = qobject_cast<QLabel *>(row.control)) {
            QCOMPARE(label->text(), row.caption);
            QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, row.alignment);
            // Every caption is whole on screen.
            QVERIFY(label->fontMetrics().horizontalAdvance(label->text()) <= label->width());
            QVERIFY(label->fontMetrics().height() <= label->height());
        } else {
            QCOMPARE(qobject_cast<QPushButton *>(row.control)->text(), row.caption);
        }
    }
    QCOMPARE(box.Label1->font().family(), QStringLiteral("Arial"));
    QCOMPARE(box.Label1->font().pointSizeF(), 18.0);
    QVERIFY(box.Label1->font().bold());
    QCOMPARE(box.Label3->font().pointSizeF(), 9.75);
    QVERIFY(box.Label3->font().bold());
}

void TestCalAbout::exitEnterAndEscapeHideIt_data()
{
    QTest::addColumn<int>("key"); // 0: a click on Exit
    QTest::newRow("Exit clicked") << 0;
    QTest::newRow("Enter") << int(Qt::Key_Return);
    QTest::newRow("keypad Enter") << int(Qt::Key_Enter);
    QTest::newRow("Escape") << int(Qt::Key_Escape);
}

void TestCalAbout::exitEnterAndEscapeHideIt()
{
    QFETCH(int, key);
    CalMain main;
    main.show();
    QVERIFY(!main.aboutForm());
    bool hidden = false;
    QVERIFY(modalrun::whileOpen<CalAbout>(main.About, Steps([&](CalAbout &box) {
        QVERIFY(box.isModal());
        if (key == 0)
            QTest::mouseClick(box.Command1, Qt::LeftButton);
        else
            QTest::keyClick(QApplication::focusWidget(), Qt::Key(key),
                            key == Qt::Key_Enter ? Qt::KeypadModifier : Qt::NoModifier);
        hidden = !box.isVisible();
    })));
    QVERIFY(hidden);
    QVERIFY(main.aboutForm()); // hidden, not unloaded
}

void TestCalAbout::centresOnlyWhenCreated()
{
    CalMain main;
    main.show();
    main.move(0, 0); // centred on the screen, not over the main window
    const QPoint moved(17, 29);
    QVERIFY(modalrun::whileOpen<CalAbout>(main.About, Steps([&](CalAbout &box) {
        QCOMPARE(box.pos(), centredPosition(box));
        box.move(moved);
        QTest::mouseClick(box.Command1, Qt::LeftButton);
    })));
    CalAbout *kept = main.aboutForm();
    QVERIFY(kept);

    QVERIFY(modalrun::whileOpen<CalAbout>(main.About, Steps([&](CalAbout &box) {
        QCOMPARE(&box, kept);
        QCOMPARE(box.pos(), moved);
        box.close(); // from the frame: unloads
    })));
    QVERIFY(!QTest::currentTestFailed());
    QVERIFY(!main.aboutForm());

    QVERIFY(modalrun::whileOpen<CalAbout>(main.About, Steps([&](CalAbout &box) {
        QCOMPARE(box.pos(), centredPosition(box));
        QTest::mouseClick(box.Command1, Qt::LeftButton);
    })));
    QVERIFY(main.aboutForm());
}

QTEST_MAIN(TestCalAbout)
#include "test_calabout.moc"
