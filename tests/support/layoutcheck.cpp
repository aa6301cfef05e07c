#include "layoutcheck.h"

#include "platform/picturebox.h"

#include <QAbstractButton>
#include <QAccessible>
#include <QLabel>
#include <QLineEdit>
#include <QMap>
#include <QPushButton>
#include <QRadioButton>
#include <QRegularExpression>
#include <QScrollBar>
#include <QTest>

namespace testsupport {
namespace {

constexpr int TwipsPerPixel = 15; // at 96 dots per inch, as the design was drawn

struct Row {
    QString name, type, caption, notes;
    QRect twips;
    int tabIndex = 0;
};

QList<Row> rowsOf(const QString &design)
{
    QList<Row> rows;
    for (const QString &line : design.split(u'\n', Qt::SkipEmptyParts)) {
        QStringList cells = line.trimmed().split(u'|');
        if (cells.size() < 10) // not a row of the table
            continue;
        for (QString &cell : cells)
            cell = cell.trimmed();
        Row row;
        row.name = cells[1].remove(u'`');
        row.type = cells[2];
        row.caption = cells[3];
        row.twips = QRect(cells[4].toInt(), cells[5].toInt(), cells[6].toInt(), cells[7].toInt());
        row.tabIndex = cells[8].toInt();
        row.notes = cells.size() > 10 ? cells[9] : QString();
        rows << row;
    }
    return rows;
}

bool isOfType(const QWidget *control, const QString &type)
{
    if (type == QLatin1String("label"))
        return qobject_cast<const QLabel *>(control);
    if (type == QLatin1String("text box"))
        return qobject_cast<const QLineEdit *>(control);
    if (type == QLatin1String("option button"))
        return qobject_cast<const QRadioButton *>(control);
    if (type == QLatin1String("push button") || type == QLatin1String("command button"))
        return qobject_cast<const QPushButton *>(control);
    if (type == QLatin1String("vertical scroll bar")) {
        auto *bar = qobject_cast<const QScrollBar *>(control);
        return bar && bar->orientation() == Qt::Vertical;
    }
    if (type == QLatin1String("picture box"))
        return qobject_cast<const platform::PictureBox *>(control);
    return false;
}

QString captionOf(const QWidget *control)
{
    if (auto *label = qobject_cast<const QLabel *>(control))
        return label->text();
    if (auto *button = qobject_cast<const QAbstractButton *>(control))
        return button->text();
    return {};
}

QRect twipsOf(const QWidget *control)
{
    const QRect r = control->geometry();
    return QRect(r.x() * TwipsPerPixel, r.y() * TwipsPerPixel, r.width() * TwipsPerPixel, r.height() * TwipsPerPixel);
}

// "Arial 24 pt regular" in the notes, or else the window's font: Arial 9.75 pt bold.
void checkFont(const QWidget *control, const QString &notes)
{
    const QRegularExpressionMatch own
        = QRegularExpression(QStringLiteral("Arial ([0-9.]+) pt (bold|regular)")).match(notes);
    const qreal points = own.hasMatch() ? own.captured(1).toDouble() : 9.75;
    const bool bold = own.hasMatch() ? own.captured(2) == QLatin1String("bold") : true;
    QCOMPARE(control->font().family(), QStringLiteral("Arial"));
    QCOMPARE(control->font().pointSizeF(), points);
    QCOMPARE(control->font().bold(), bold);
}

void checkLabelLook(const QLabel *label, const QString &notes)
{
    if (notes.contains(QLatin1String("centred")))
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignHCenter);
    else if (notes.contains(QLatin1String("right")))
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignRight);
    else
        QCOMPARE(label->alignment() & Qt::AlignHorizontal_Mask, Qt::AlignLeft);
    QCOMPARE(label->frameShape(), notes.contains(QLatin1String("single-line border")) ? QFrame::Box : QFrame::NoFrame);
}

// A caption in quotes is the control's own text, and what a screen reader calls it (without its access key).
void checkCaption(const QWidget *control, const Row &row)
{
    const bool quoted = row.caption.startsWith(u'"') && row.caption.endsWith(u'"');
    if (!quoted || (!qobject_cast<const QLabel *>(control) && !qobject_cast<const QAbstractButton *>(control)))
        return;
    const QString caption = row.caption.mid(1, row.caption.size() - 2);
    QCOMPARE(captionOf(control), caption);
    QAccessibleInterface *spoken = QAccessible::queryAccessibleInterface(const_cast<QWidget *>(control));
    QVERIFY(spoken);
    QCOMPARE(spoken->text(QAccessible::Name), QString(caption).remove(u'&'));
}

// A label whose designed place is narrower than its caption keeps its left
// edge, top and height and is as wide as its whole caption, within the client.
void checkGrownToText(const QWidget *control, const Row &row, const QWidget &client)
{
    auto *label = qobject_cast<const QLabel *>(control);
    QVERIFY(label);
    const QRect twips = twipsOf(control);
    QCOMPARE(twips.topLeft(), row.twips.topLeft());
    QCOMPARE(twips.height(), row.twips.height());
    QVERIFY(twips.width() >= row.twips.width());
    const int textWidth = QFontMetrics(label->font()).horizontalAdvance(label->text());
    QVERIFY2(textWidth <= label->contentsRect().width(),
             qPrintable(QStringLiteral("%1: text %2 px, room %3 px")
                            .arg(row.name)
                            .arg(textWidth)
                            .arg(label->contentsRect().width())));
    QVERIFY(label->geometry().right() < client.width());
}

void checkLayout(const QWidget &window, const QWidget &client, int clientWidth, int clientHeight, const QString &design)
{
    QCOMPARE(QSize(client.width() * TwipsPerPixel, client.height() * TwipsPerPixel), QSize(clientWidth, clientHeight));
    checkFont(&window, {});
    const QList<Row> rows = rowsOf(design);
    QVERIFY(!rows.isEmpty());
    QMap<int, QWidget *> byTabIndex;
    for (const Row &row : rows) {
        auto *control = client.findChild<QWidget *>(row.name, Qt::FindDirectChildrenOnly);
        QVERIFY2(control, qPrintable(row.name));
        QVERIFY2(isOfType(control, row.type), qPrintable(row.name + u' ' + row.type));
        if (row.notes.contains(QLatin1String("grows to its text")))
            checkGrownToText(control, row, client);
        else
            QCOMPARE(twipsOf(control), row.twips);
        checkFont(control, row.notes);
        if (auto *label = qobject_cast<const QLabel *>(control))
            checkLabelLook(label, row.notes);
        checkCaption(control, row);
        if (QTest::currentTestFailed()) {
            qWarning("in the row of %s", qPrintable(row.name));
            return;
        }
        if (control->focusPolicy() & Qt::TabFocus)
            byTabIndex.insert(row.tabIndex, control);
    }
    // The focus chain, followed from the first tab stop, meets the tab stops in tab index order.
    const QList<QWidget *> expected = byTabIndex.values();
    QList<QWidget *> chain;
    QWidget *next = expected.value(0);
    while (next && chain.size() < expected.size()) {
        if (expected.contains(next))
            chain << next;
        next = next->nextInFocusChain();
        if (next == expected.value(0))
            break;
    }
    QCOMPARE(chain, expected);
}

} // namespace

QString spokenName(QWidget *control) { return QAccessible::queryAccessibleInterface(control)->text(QAccessible::Name); }

bool layoutAsDesigned(QWidget &window, const QWidget &client, int clientWidth, int clientHeight, const char *design)
{
    window.show();
    if (!QTest::qWaitForWindowExposed(&window))
        return false;
    QAccessible::setActive(true);
    checkLayout(window, client, clientWidth, clientHeight, QString::fromUtf8(design));
    return !QTest::currentTestFailed();
}

} // namespace testsupport
