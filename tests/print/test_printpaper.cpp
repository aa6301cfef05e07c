// The same months printed on paper of other sizes and either orientation: each page against the layout's own
// numbers (scale, shrink, grid, weekday names, heading, legend), and every text inside the printable area.
#include "core/names.h"
#include "printtests.h"
#include "testsupport.h"

#include <QTest>
#include <cmath>

using printtests::Op;
using testsupport::RecordingPrinter;

namespace {

bool near(double a, double b) { return std::abs(a - b) <= 1e-3; }

// What a page of one orientation should look like, in page units.
struct Expected {
    double scaleX, scaleY, shrink;
    double left() const { return scaleX * shrink / 2 - gridWidth() / 2 - 2 * shrink; }
    double gridWidth() const { return (scaleX == 80 ? 70 : 100) * shrink; }
    double gridHeight() const { return (scaleX == 80 ? 40 : 60) * shrink; }
    static constexpr double top = 10;
};

} // namespace

class TestPrintPaper : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }

    void pages_data()
    {
        QTest::addColumn<QPageSize::PageSizeId>("paper");
        QTest::addColumn<QPageLayout::Orientation>("orientation");
        QTest::addColumn<bool>("headingAtTop"); // the 30 pt heading would start above the printable area
        QTest::newRow("A4 portrait") << QPageSize::A4 << QPageLayout::Portrait << false;
        QTest::newRow("A4 landscape") << QPageSize::A4 << QPageLayout::Landscape << false;
        QTest::newRow("Letter portrait") << QPageSize::Letter << QPageLayout::Portrait << false;
        QTest::newRow("Letter landscape") << QPageSize::Letter << QPageLayout::Landscape << false;
        QTest::newRow("A5 portrait") << QPageSize::A5 << QPageLayout::Portrait << true;
        QTest::newRow("A5 landscape") << QPageSize::A5 << QPageLayout::Landscape << true;
    }

    // May and September 2024 (short and long headings) and Ramadan 1445, one document each.
    void pages()
    {
        QFETCH(QPageSize::PageSizeId, paper);
        QFETCH(QPageLayout::Orientation, orientation);
        QFETCH(bool, headingAtTop);
        const bool landscape = orientation == QPageLayout::Landscape;
        const Expected page = landscape ? Expected{110, 80, 0.97} : Expected{80, 110, 1.0};
        const double right = page.left() + page.gridWidth();
        const double bottom = Expected::top + page.gridHeight();
        RecordingPrinter printer(paper, orientation);
        CalPrint dialog;
        dialog.usePrinter(&printer);
        printtests::print(dialog, false, {"2024", "5", "5"});
        printtests::print(dialog, false, {"2024", "9", "9"});
        printtests::print(dialog, true, {"1445", "9", "9"});
        QCOMPARE(printer.documentCount(), 3);
        for (int document = 1; document <= 3; ++document) {
            // Every line in page units of the orientation's scale, from the printable area's top-left.
            int columns = 0, rows = 0, frame = 0;
            for (const Op &line : printer.opsOf(document, Op::Line)) {
                QVERIFY(near(line.x1, line.onPaper.left() * page.scaleX)
                        && near(line.y2, line.onPaper.bottom() * page.scaleY));
                const bool edge = line.x1 == line.x2 ? near(line.x1, page.left()) || near(line.x1, right)
                                                     : near(line.y1, Expected::top) || near(line.y1, bottom);
                if (edge && frame < 4) // the frame first, then the lines between
                    ++frame;
                else if (line.x1 == line.x2)
                    QVERIFY(near(line.x1, page.left() + page.gridWidth() / 7 * ++columns) && near(line.y2, bottom));
                else
                    QVERIFY(near(line.y1, Expected::top + page.gridHeight() / 6 * ++rows) && near(line.x2, right));
            }
            QCOMPARE(frame, 4);
            QVERIFY(columns >= 6 && rows >= 5);

            const auto texts = printtests::textsOf(printer, document);
            QVERIFY(texts.size() > 7 + 2 + 28 * 2);
            // The weekday names stand on the grid's top line, each centred in its column and narrower than it.
            for (int k = 0; k < 7; ++k) {
                QCOMPARE(texts[k].text, core::WeekDayName(k));
                QVERIFY2(texts[k].x2 - texts[k].x1 < page.gridWidth() / 7, qPrintable(texts[k].text));
                QVERIFY(near((texts[k].x1 + texts[k].x2) / 2, page.left() + page.gridWidth() / 7 * (k + 0.5)));
                QVERIFY(near(texts[k].y2, Expected::top));
            }
            // The heading centred by its character count on the unshrunk page; its bottom at 5, or its top on the
            // printable area's top where the paper is too small for that.
            const auto heading = printtests::headingOf(printer, document);
            QVERIFY(heading);
            QVERIFY(near(heading->x1, page.scaleX / 2 - heading->text.size() / 2.0 - 10));
            const double height = heading->y2 - heading->y1;
            QCOMPARE(5 - height < 0, headingAtTop);
            QVERIFY2(headingAtTop ? near(heading->y1, 0) : near(heading->y2, 5), qPrintable(heading->text));
            // The legend one line under the grid, from its left edge and ending at its right edge.
            std::vector<Op> legend;
            for (const Op &op : texts)
                if (op.text.contains(QStringLiteral(" - ")))
                    legend.push_back(op);
            QCOMPARE(legend.size(), std::size_t(2));
            QVERIFY(near(legend[0].x1, page.left()) && near(legend[1].x2, right));
            for (const Op &entry : legend)
                QVERIFY(near(entry.y1, bottom + (entry.y2 - entry.y1)));
            // No two texts overlap.
            for (std::size_t i = 0; i < texts.size(); ++i)
                for (std::size_t j = i + 1; j < texts.size(); ++j) {
                    const QRectF a(QPointF(texts[i].x1, texts[i].y1), QPointF(texts[i].x2, texts[i].y2));
                    const QRectF b(QPointF(texts[j].x1, texts[j].y1), QPointF(texts[j].x2, texts[j].y2));
                    QVERIFY2(!a.intersected(b).isValid() || a.intersected(b).isEmpty(),
                             qPrintable(texts[i].text + QStringLiteral(" over ") + texts[j].text));
                }
            // Nothing printed where the printer cannot reach.
            for (const Op &op : texts)
                QVERIFY2(op.x1 >= -1e-3 && op.y1 >= -1e-3 && op.x2 <= page.scaleX + 1e-3 && op.y2 <= page.scaleY + 1e-3,
                         qPrintable(QStringLiteral("%1 at %2,%3 to %4,%5")
                                        .arg(op.text)
                                        .arg(op.x1)
                                        .arg(op.y1)
                                        .arg(op.x2)
                                        .arg(op.y2)));
        }
    }
};

QTEST_MAIN(TestPrintPaper)
#include "test_printpaper.moc"
