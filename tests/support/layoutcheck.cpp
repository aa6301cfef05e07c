#include "layoutcheck.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

namespace testsupport {
namespace {

constexpr int TwipsPerPixel = 15; // at 96 dots per inch, as the design was drawn

const QMap<QString, const char *> ClassOfType{{"label", "QLabel"},
                                              {"text box", "QLineEdit"},
                                              {"option button", "QRadioButton"},
                                              {"push button", "QPushButton"},
                                              {"command button", "QPushButton"},
                                              {"vertical scroll bar", "QScrollBar"},
                                              {"picture box", "platform::PictureBox"}};

// "Arial 24 pt regular" in the notes, or else the window's font: Arial 9.75 pt bold.
void checkFont(const QWidget *control, const QString &notes)
{
    const auto own = QRegularExpression("Arial ([0-9.]+) pt (bold|regular)").match(notes);
    QCOMPARE(control->font().family(), QStringLiteral("Arial"));
    QCOMPARE(control->font().pointSizeF(), own.hasMatch() ? own.captured(1).toDouble() : 9.75);
    QCOMPARE(control->font().bold(), !own.hasMatch() || own.captured(2) == "bold");
}

void checkRow(const QWidget &client, const QStringList &cell, QMap<int, QWidget *> &tabStops)
{
    const QString name = QString(cell[1]).remove(u'`'), notes = cell.value(9);
    auto *control = client.findChild<QWidget *>(name, Qt::FindDirectChildrenOnly);
    QVERIFY2(control && control->inherits(ClassOfType.value(cell[2], "?")), qPrintable(name + u' ' + cell[2]));
    if (auto *bar = qobject_cast<QScrollBar *>(control))
        QCOMPARE(bar->orientation(), Qt::Vertical);
    const QRect designed(cell[4].toInt(), cell[5].toInt(), cell[6].toInt(), cell[7].toInt());
    const QRect twips(control->pos() * TwipsPerPixel, control->size() * TwipsPerPixel);
    if (notes.contains("grows to its text")) { // keeps its place and height, wider within the client
        QCOMPARE(QRect(twips.topLeft(), QSize(designed.width(), twips.height())), designed);
        QVERIFY(twips.width() >= designed.width() && control->geometry().right() < client.width());
    } else {
        QCOMPARE(twips, designed);
    }
    checkFont(control, notes);
    if (auto *label = qobject_cast<QLabel *>(control)) {
        const Qt::Alignment align = notes.contains("centred") ? Qt::AlignHCenter
            : notes.contains("right")                         ? Qt::AlignRight
                                                              : Qt::AlignLeft;
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, align);
        QCOMPARE(label->frameShape(), notes.contains("single-line border") ? QFrame::Box : QFrame::NoFrame);
        QVERIFY2(label->fontMetrics().horizontalAdvance(label->text()) <= label->contentsRect().width(), "clipped");
    }
    // A caption in quotes is the control's own text, and what a screen reader calls it (without its access key).
    if (const auto quoted = QRegularExpression("^\"(.*)\"$").match(cell[3]); quoted.hasMatch()) {
        QCOMPARE(control->property("text").toString(), quoted.captured(1));
        QCOMPARE(spokenName(control), quoted.captured(1).remove(u'&'));
    }
    if (const auto namer = QRegularExpression("named by (\\w+)").match(notes); namer.hasMatch()) {
        auto *label = client.findChild<QLabel *>(namer.captured(1), Qt::FindDirectChildrenOnly);
        QVERIFY(label && spokenName(control).contains(label->text(), Qt::CaseInsensitive));
    }
    if (auto *option = qobject_cast<QRadioButton *>(control))
        QCOMPARE(option->isChecked(), notes.contains("selected"));
    if (auto *button = qobject_cast<QPushButton *>(control))
        QCOMPARE(button->isDefault(), notes.contains("default"));
    if (control->focusPolicy() & Qt::TabFocus)
        tabStops.insert(cell[8].toInt(), control);
}

} // namespace

bool layoutAsDesigned(QWidget &window, const QWidget &client, QSize clientTwips, const char *design)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QAccessible::setActive(true);
    [&] {
        QCOMPARE(client.size() * TwipsPerPixel, clientTwips);
        checkFont(&window, {});
        QMap<int, QWidget *> tabStops;
        for (const QString &line : QString::fromUtf8(design).split(u'\n', Qt::SkipEmptyParts)) {
            checkRow(client, line.split(u'|').replaceInStrings(QRegularExpression("^\\s+|\\s+$"), {}), tabStops);
            if (QTest::currentTestFailed())
                return qWarning("in the row %s", qPrintable(line));
        }
        // The focus chain, followed from the first tab stop, meets the tab stops in tab index order.
        const QList<QWidget *> stops = tabStops.values();
        QList<QWidget *> chain;
        for (QWidget *w = stops.value(0); w && chain.size() < stops.size(); w = w->nextInFocusChain())
            if (stops.contains(w) && !chain.contains(w))
                chain << w;
            else if (w == chain.first())
                break;
        QCOMPARE(chain, stops);
    }();
    return !QTest::currentTestFailed();
}

} // namespace testsupport
