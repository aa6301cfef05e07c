// Every window and the printed page on a screen scaled to 100 %, 150 % or
// 200 % (one program per scale): each window keeps its designed size in
// logical pixels and is drawn in device pixels, stands centred on the
// screen, and shows every caption, box text and menu entry whole, at its
// font's size, inside its control; framed outputs keep their whole frame.
// The printed page does not change with the screen's scale. Pictures go to
// test-output/ beside the build's bin folder.
#include "about/calabout.h"
#include "convert/calconv.h"
#include "mainwin/calmain.h"
#include "platform/clock.h"
#include "platform/printer.h"
#include "platform/window.h"
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"
#include "windowpixels.h"

#include <QAbstractButton>
#include <QApplication>
#include <QDir>
#include <QFontMetricsF>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPageSize>
#include <QProcess>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScreen>
#include <QStyle>
#include <QStyleOptionButton>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

using namespace windowpixels;

#ifndef HIDPI_SCALE_PERCENT
#define HIDPI_SCALE_PERCENT 200
#endif

namespace {

constexpr double Scale = HIDPI_SCALE_PERCENT / 100.0;

QString outputPath(const QString &name)
{
    const QDir dir(QCoreApplication::applicationDirPath() + QStringLiteral("/../test-output"));
    QDir().mkpath(dir.path());
    return dir.absoluteFilePath(QStringLiteral("%1-%2.png").arg(name).arg(HIDPI_SCALE_PERCENT));
}

// A control's text, the colour and font it is drawn in, the part of the
// control it must stay inside and how it is aligned there.
struct Caption {
    QWidget *control;
    QString text;
    QColor colour;
    QRect area; // in the control's coordinates
    QFont font;
    Qt::Alignment alignment;
};

// Inside a push button's frame (a default button's frame is dark), with
// the frame's softened inner edge left out.
QRect buttonContents(QPushButton *button)
{
    QStyleOptionButton option;
    option.initFrom(button);
    option.text = button->text();
    if (button->isDefault())
        option.features |= QStyleOptionButton::DefaultButton;
    return button->style()->subElementRect(QStyle::SE_PushButtonContents, &option, button).adjusted(1, 1, -1, -1);
}

std::optional<Caption> captionOf(QWidget *control)
{
    if (auto *label = qobject_cast<QLabel *>(control))
        return Caption{label, label->text(), label->palette().color(QPalette::WindowText), label->contentsRect(),
                       label->font(), label->alignment()};
    if (auto *button = qobject_cast<QPushButton *>(control))
        return Caption{button, button->text(), button->palette().color(QPalette::ButtonText), buttonContents(button),
                       button->font(), Qt::AlignHCenter};
    if (auto *option = qobject_cast<QRadioButton *>(control))
        return Caption{option, option->text(), option->palette().color(QPalette::WindowText), option->rect(),
                       option->font(), Qt::AlignLeft};
    if (auto *box = qobject_cast<QLineEdit *>(control))
        return Caption{box, box->text(), box->palette().color(QPalette::Text), box->rect(), box->font(),
                       box->alignment()};
    return std::nullopt;
}

QList<Caption> captionsOf(QWidget *window)
{
    QList<Caption> captions;
    for (QWidget *child : window->findChildren<QWidget *>()) {
        if (child->objectName().isEmpty() || child->objectName().startsWith(u"qt_") || !child->isVisible())
            continue;
        if (const auto caption = captionOf(child); caption && !caption->text.isEmpty())
            captions << *caption;
    }
    return captions;
}

QImage grabbed(QWidget *widget)
{
    const QPixmap pixmap = widget->grab();
    return pixmap.toImage().convertToFormat(QImage::Format_RGB32);
}

// What is wrong with how the text stands inside its area, empty when
// nothing: text cut off by its control touches the edge it runs against or
// is narrower than its font's measure, and text drawn at the wrong scale is
// shorter or taller than its font makes it.
QString captionFault(const QImage &image, QWidget *window, const Caption &c, bool cutOnPurpose = false)
{
    QRect area = devicePixels(inWindow(c.control, window, c.area), Scale);
    // A frame one logical pixel wide spreads into the next device pixel at
    // fractional scales.
    if (auto *frame = qobject_cast<QFrame *>(c.control); frame && frame->frameWidth() > 0)
        area.adjust(1, 1, -1, -1);
    const QRect ink = inkBox(image, area, c.colour);
    const QString what = c.control->objectName() + QStringLiteral(" \"") + c.text + u'"';
    if (ink.isNull())
        return what + QStringLiteral(": no text drawn");
    const QString where = QStringLiteral(": ink %1,%2 %3x%4 in %5,%6 %7x%8")
                              .arg(ink.x()).arg(ink.y()).arg(ink.width()).arg(ink.height())
                              .arg(area.x()).arg(area.y()).arg(area.width()).arg(area.height());
    const bool fromLeft = !(c.alignment & (Qt::AlignRight | Qt::AlignHCenter));
    const bool fromRight = c.alignment & Qt::AlignRight;
    if (ink.top() <= area.top() || ink.bottom() >= area.bottom() || (!fromLeft && ink.left() <= area.left()))
        return what + QStringLiteral(" is cut off") + where;
    if (cutOnPurpose)
        return {};
    const QFontMetricsF metrics(c.font);
    // The ink leaves out the faint edges of antialiased glyphs.
    const double width = metrics.tightBoundingRect(c.text).width() * Scale;
    if ((!fromRight && ink.right() >= area.right()) || ink.width() < 0.9 * width - 2 * Scale)
        return what + QStringLiteral(" is cut off") + where + QStringLiteral(", %1 wide whole").arg(width);
    if (ink.height() < (metrics.capHeight() - 1) * Scale || ink.height() > (metrics.height() + 1) * Scale)
        return what + QStringLiteral(" is not at its font's size") + where;
    return {};
}

// A framed output's box: a line on each side, whole device pixels wide.
void checkFrame(const QImage &image, QWidget *window, QLabel *output)
{
    const QRect box = devicePixels(inWindow(output, window, output->rect()), Scale);
    const QColor line = output->palette().color(QPalette::WindowText);
    const auto inkAlong = [&](QPoint from, QPoint step, int count) {
        int ink = 0;
        for (int i = 0; i < count; ++i)
            ink += isInk(image.pixel(from + step * i), line);
        return ink;
    };
    const int w = box.width(), h = box.height();
    // Away from the corners, where a scaled line may be softened.
    QVERIFY(inkAlong(box.topLeft() + QPoint(2, 0), QPoint(1, 0), w - 4) == w - 4);
    QVERIFY(inkAlong(box.bottomLeft() + QPoint(2, 0), QPoint(1, 0), w - 4) == w - 4);
    QVERIFY(inkAlong(box.topLeft() + QPoint(0, 2), QPoint(0, 1), h - 4) == h - 4);
    QVERIFY(inkAlong(box.topRight() + QPoint(0, 2), QPoint(0, 1), h - 4) == h - 4);
}

// Designed size, device pixels, centred on the screen.
void checkPlacement(QWidget *window, QWidget *client, int widthTwips, int heightTwips)
{
    QCOMPARE(window->devicePixelRatioF(), Scale);
    QCOMPARE(client->size(), QSize(platform::px(widthTwips), platform::px(heightTwips)));
    const QRect screen = window->screen()->geometry();
    const QRect frame = window->frameGeometry();
    QVERIFY(screen.contains(frame));
    QVERIFY(qAbs(frame.left() - (screen.width() - frame.width()) / 2) <= 1);
    QVERIFY(qAbs(frame.top() - (screen.height() - frame.height()) / 2) <= 1);
    const QPixmap picture = window->grab();
    QCOMPARE(picture.devicePixelRatio(), Scale);
    QCOMPARE(picture.size(), (QSizeF(window->size()) * Scale).toSize());
}

void showAndWait(QWidget *window)
{
    window->show();
    QVERIFY(QTest::qWaitForWindowExposed(window));
}

void checkAllCaptions(QWidget *window, const QSet<QString> &cutOnPurpose = {})
{
    // A box with the focus is drawn with its selection and a focus frame.
    if (QWidget *focused = window->focusWidget())
        focused->clearFocus();
    const QImage image = grabbed(window);
    QCOMPARE(image.size(), (QSizeF(window->size()) * Scale).toSize());
    const QList<Caption> captions = captionsOf(window);
    QVERIFY(!captions.isEmpty());
    for (const Caption &c : captions) {
        const QString fault = captionFault(image, window, c, cutOnPurpose.contains(c.control->objectName()));
        QVERIFY2(fault.isEmpty(), qPrintable(fault));
    }
}

QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    if (!process.waitForFinished(30000) || process.exitCode() != 0)
        return {};
    return QString::fromUtf8(process.readAllStandardOutput());
}

// Words of a PDF page with their boxes in points, from pdftotext -bbox.
struct Word {
    QString text;
    QRectF box;
};

QList<Word> wordsOf(const QString &pdf)
{
    const QString html = runTool(QStringLiteral("pdftotext"), {QStringLiteral("-bbox"), pdf, QStringLiteral("-")});
    static const QRegularExpression word(QStringLiteral(
        R"re(<word xMin="([\d.]+)" yMin="([\d.]+)" xMax="([\d.]+)" yMax="([\d.]+)">([^<]*)</word>)re"));
    QList<Word> words;
    for (auto it = word.globalMatch(html); it.hasNext();) {
        const auto m = it.next();
        words << Word{m.captured(5), QRectF(QPointF(m.captured(1).toDouble(), m.captured(2).toDouble()),
                                            QPointF(m.captured(3).toDouble(), m.captured(4).toDouble()))};
    }
    return words;
}

std::optional<Word> findWord(const QList<Word> &words, const QString &text)
{
    for (const Word &w : words)
        if (w.text == text)
            return w;
    return std::nullopt;
}

} // namespace

class TestHiDpi : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void screenIsScaled();
    void cutOrMisscaledCaptionsAreSeen();
    void mainWindow();
    void mainMenu();
    void conversionDialog();
    void aboutBox();
    void printDialog();
    void printingBox();
    void printedPageIgnoresTheScreen();

private:
    testsupport::MessageCatcher *messages_ = nullptr;
};

void TestHiDpi::initTestCase()
{
    testsupport::installRealEngine();
    platform::pinDate(QDate(2024, 7, 16));
    messages_ = new testsupport::MessageCatcher;
}

void TestHiDpi::screenIsScaled()
{
    QScreen *screen = QGuiApplication::primaryScreen();
    QCOMPARE(screen->devicePixelRatio(), Scale);
    // Room for every window at every scale.
    QVERIFY(screen->geometry().width() >= 800 && screen->geometry().height() >= 600);
}

// The caption check itself: a label too narrow for its text, a label too
// short for it, and text drawn at half its size are all told.
void TestHiDpi::cutOrMisscaledCaptionsAreSeen()
{
    QWidget window;
    platform::applyWindowLook(&window);
    window.resize(400, 200);
    auto *narrow = new QLabel(QStringLiteral("Press Cancel button to stop printing"), &window);
    narrow->setObjectName(QStringLiteral("narrow"));
    narrow->setGeometry(10, 10, 120, 20);
    auto *low = new QLabel(QStringLiteral("Month"), &window);
    low->setObjectName(QStringLiteral("low"));
    low->setGeometry(10, 40, 120, 8);
    auto *whole = new QLabel(QStringLiteral("Month"), &window);
    whole->setObjectName(QStringLiteral("whole"));
    whole->setGeometry(10, 110, 120, 30);
    showAndWait(&window);
    const QImage image = grabbed(&window);
    const auto fault = [&](QLabel *label) { return captionFault(image, &window, *captionOf(label)); };
    QVERIFY(fault(narrow).contains(QStringLiteral("cut off")));
    QVERIFY(fault(low).contains(QStringLiteral("cut off")));
    QVERIFY(fault(whole).isEmpty());
    // Measured as if drawn in a font twice as large as the one on screen.
    Caption doubled = *captionOf(whole);
    doubled.font.setPointSizeF(doubled.font.pointSizeF() * 2);
    QVERIFY(!captionFault(image, &window, doubled).isEmpty());
}

void TestHiDpi::mainWindow()
{
    CalMain w;
    showAndWait(&w);
    QTRY_VERIFY(w.paintCount() > 0);
    checkPlacement(&w, w.centralWidget(), 7350, 5385);
    checkAllCaptions(&w);
    // The longest captions the heading labels get: a Hijri page of Thu Al-Hijjah.
    w.HegOpt->click();
    w.MonthTXT->setText(QStringLiteral("12"));
    w.YearTXT->setText(QStringLiteral("1446"));
    w.GoCMD->click();
    QCOMPARE(w.Heading->text(), QStringLiteral("Thu Al-Hijjah,1446"));
    checkAllCaptions(&w);
    // The menu bar's entry.
    const QImage image = grabbed(&w);
    QMenuBar *bar = w.menuBar();
    const QRect entry = devicePixels(inWindow(bar, &w, bar->actionGeometry(w.CalMenu->menuAction())), Scale);
    const QRect ink = inkBox(image, entry, bar->palette().color(QPalette::ButtonText));
    QVERIFY(!ink.isNull());
    QVERIFY(keepsOffTheEdges(ink, entry));
}

void TestHiDpi::mainMenu()
{
    CalMain w;
    showAndWait(&w);
    w.CalMenu->popup(w.mapToGlobal(QPoint(10, 10)));
    QVERIFY(QTest::qWaitForWindowExposed(w.CalMenu));
    const QImage image = grabbed(w.CalMenu);
    QCOMPARE(image.size(), (QSizeF(w.CalMenu->size()) * Scale).toSize());
    const QColor text = w.CalMenu->palette().color(QPalette::Text);
    int entries = 0;
    for (QAction *action : w.CalMenu->actions()) {
        if (action->isSeparator())
            continue;
        ++entries;
        const QRect area = devicePixels(w.CalMenu->actionGeometry(action), Scale);
        const QRect ink = inkBox(image, area, text);
        QVERIFY2(!ink.isNull() && keepsOffTheEdges(ink, area), qPrintable(action->text()));
        QVERIFY(ink.height() >= (QFontMetricsF(w.CalMenu->font()).capHeight() - 1) * Scale);
    }
    QCOMPARE(entries, 4);
    QVERIFY(image.save(outputPath(QStringLiteral("main-menu"))));
    w.CalMenu->hide();
}

void TestHiDpi::conversionDialog()
{
    CalConv d;
    // The longest weekday on the weekday line: 17 July 2024 is a Wednesday.
    d.InYearTXT->setText(QStringLiteral("2024"));
    d.InMonthTXT->setText(QStringLiteral("7"));
    d.InDayTXT->setText(QStringLiteral("17"));
    d.ToHegiry->click();
    QCOMPARE(d.ToWeekDay->text(), QStringLiteral("Wednesday"));
    showAndWait(&d);
    checkPlacement(&d, &d, 7485, 3915);
    // The two headings are narrower than their captions: the closing " :"
    // stays out of sight at every scale, as it always has.
    checkAllCaptions(&d, {QStringLiteral("Label1"), QStringLiteral("Label2")});
    const QImage image = grabbed(&d);
    for (QLabel *output : {d.OutYearTXT, d.OutMonthTXT, d.OutDayTXT})
        checkFrame(image, &d, output);
    QVERIFY(image.save(outputPath(QStringLiteral("conversion"))));
}

void TestHiDpi::aboutBox()
{
    CalAbout box;
    showAndWait(&box);
    checkPlacement(&box, &box, 4635, 3720);
    checkAllCaptions(&box);
    QVERIFY(grabbed(&box).save(outputPath(QStringLiteral("about"))));
}

void TestHiDpi::printDialog()
{
    CalPrint d;
    showAndWait(&d);
    checkPlacement(&d, &d, 4485, 3975);
    checkAllCaptions(&d);
    QVERIFY(grabbed(&d).save(outputPath(QStringLiteral("print-dialog"))));
}

void TestHiDpi::printingBox()
{
    CalPrint d;
    showAndWait(d.CanPrint);
    checkPlacement(d.CanPrint, d.CanPrint, 3630, 1665);
    checkAllCaptions(d.CanPrint);
    QVERIFY(grabbed(d.CanPrint).save(outputPath(QStringLiteral("printing-box"))));
}

// Printed July 2024 on A4 upright with 10 mm margins: the page's own units
// (80 x 110 over the printable area) place the weekday names and the heading
// wherever the screen's scale stands.
void TestHiDpi::printedPageIgnoresTheScreen()
{
    if (QStandardPaths::findExecutable(QStringLiteral("pdftotext")).isEmpty()
        || QStandardPaths::findExecutable(QStringLiteral("pdftoppm")).isEmpty())
        QSKIP("poppler-utils are not installed");
    QTemporaryDir dir;
    const QString pdf = dir.filePath(QStringLiteral("page.pdf"));
    platform::DevicePrinter printer(pdf, QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait,
                                                     QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter));
    CalPrint dialog;
    dialog.usePrinter(&printer);
    dialog.YearTXTPRT->setText(QStringLiteral("2024"));
    dialog.FromMonthTXTPRT->setText(QStringLiteral("7"));
    dialog.ToMonthTXTPRT->setText(QStringLiteral("7"));
    dialog.PrintPRT_Click();
    QCOMPARE(messages_->count(), 0);
    const QList<Word> words = wordsOf(pdf);
    QVERIFY(!words.isEmpty());

    const double mm = 72 / 25.4;
    const double unitX = (210 - 20) * mm / 80, unitY = (297 - 20) * mm / 110;
    const auto pointX = [&](double units) { return 10 * mm + units * unitX; };
    const auto pointY = [&](double units) { return 10 * mm + units * unitY; };
    // Grid at (3, 10), 70 x 40; the names centred over their columns,
    // standing on the grid's top edge.
    const char *names[] = {"Sunday", "Monday", "Tuesday", "Wednesday", "Thursday", "Friday", "Saturday"};
    for (int k = 0; k < 7; ++k) {
        const auto name = findWord(words, QLatin1String(names[k]));
        QVERIFY2(name, names[k]);
        QVERIFY2(qAbs(name->box.center().x() - pointX(3 + 10 * k + 5)) < 2, names[k]);
        QVERIFY2(qAbs(name->box.bottom() - pointY(10)) < 3, names[k]);
        // The printer's own font size (10 pt), not a screen-scaled one.
        QVERIFY2(name->box.height() > 8 && name->box.height() < 14, names[k]);
    }
    // "July    2024" at 30 pt bold, its bottom at y = 5, from x = 40 - 12 / 2 - 10.
    const auto july = findWord(words, QStringLiteral("July"));
    QVERIFY(july);
    QVERIFY(qAbs(july->box.left() - pointX(24)) < 3);
    QVERIFY(qAbs(july->box.bottom() - pointY(5)) < 4);
    QVERIFY(july->box.height() > 26 && july->box.height() < 40);

    const QString png = outputPath(QStringLiteral("printed-page"));
    QFile::remove(png);
    runTool(QStringLiteral("pdftoppm"), {QStringLiteral("-png"), QStringLiteral("-r"), QStringLiteral("90"),
                                         QStringLiteral("-singlefile"), pdf, png.chopped(4)});
    QVERIFY(QFile::exists(png));
}

int main(int argc, char *argv[])
{
    // Both are read once, when the application starts: the scale, and a
    // screen large enough for every window at 200 %.
    qputenv("QT_SCALE_FACTOR", QByteArray::number(Scale));
    qputenv("QT_QPA_PLATFORM", QByteArrayLiteral("offscreen:configfile=" HIDPI_SCREEN_CONFIG));
    QApplication app(argc, argv);
    TestHiDpi test;
    return QTest::qExec(&test, argc, argv);
}

#include "test_hidpi.moc"
