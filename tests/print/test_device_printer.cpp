// The printer on a QPrinter, writing PDF files: paper size in twips, twips
// from the printable area's corner, one file per document, no file for an
// EndDoc without output, and "ARIAL" printed in Liberation Sans.
#include "platform/printer.h"

#include <QFile>
#include <QPageSize>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>

namespace {

QString runTool(const QString &tool, const QStringList &arguments)
{
    QProcess process;
    process.start(tool, arguments);
    process.waitForFinished(20000);
    return QString::fromLocal8Bit(process.readAllStandardOutput());
}

QPageLayout a4(QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(QPageSize::A4), orientation, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

} // namespace

class TestDevicePrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void paperSizeInTwips();
    void twipsFromThePrintableCorner();
    void endDocWithoutOutputWritesNothing();
    void oneDocumentPerEndDoc();
    void arialPrintsInLiberationSans();
    void unwritableFileIsAFault();

private:
    QTemporaryDir dir_;
    QString pdfinfo_, pdffonts_, pdftotext_;
};

void TestDevicePrinter::initTestCase()
{
    QVERIFY(dir_.isValid());
    pdfinfo_ = QStandardPaths::findExecutable(QStringLiteral("pdfinfo"));
    pdffonts_ = QStandardPaths::findExecutable(QStringLiteral("pdffonts"));
    pdftotext_ = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
    QVERIFY2(!pdfinfo_.isEmpty() && !pdffonts_.isEmpty() && !pdftotext_.isEmpty(), "poppler-utils is needed");
}

void TestDevicePrinter::paperSizeInTwips()
{
    platform::DevicePrinter upright(dir_.filePath("a.pdf"), a4(QPageLayout::Portrait));
    QVERIFY(std::abs(upright.Width() - 11906) < 20); // 210 mm
    QVERIFY(std::abs(upright.Height() - 16838) < 20); // 297 mm
    platform::DevicePrinter sideways(dir_.filePath("b.pdf"), a4(QPageLayout::Landscape));
    QVERIFY(sideways.Width() > sideways.Height());
    QCOMPARE(sideways.Width(), upright.Height());
    QCOMPARE(upright.DeviceName(), dir_.filePath("a.pdf"));
}

void TestDevicePrinter::twipsFromThePrintableCorner()
{
    platform::DevicePrinter printer(dir_.filePath("c.pdf"), a4(QPageLayout::Portrait));
    printer.Scale(0, 0, 80, 110);
    printer.Scale();
    const QPointF origin = printer.toDevice(0, 0);
    const QPointF inch = printer.toDevice(1440, 1440);
    QCOMPARE(origin, QPointF(0, 0));
    QCOMPARE(inch.x() - origin.x(), 1200.0); // a high-resolution printer: 1200 dots an inch
    QCOMPARE(inch.y() - origin.y(), 1200.0);
    QCOMPARE(printer.FontSize(), 10.0);
    QVERIFY(!printer.FontBold());
    // Text keeps its point size: 10 pt is 200 twips high, give or take the leading.
    QVERIFY(printer.TextHeight(QStringLiteral("Sunday")) > 200);
    QVERIFY(printer.TextHeight(QStringLiteral("Sunday")) < 260);
}

void TestDevicePrinter::endDocWithoutOutputWritesNothing()
{
    const QString pdf = dir_.filePath("empty.pdf");
    platform::DevicePrinter printer(pdf, a4(QPageLayout::Portrait));
    printer.setFontName(QStringLiteral("ARIAL"));
    printer.Scale();
    QVERIFY(printer.EndDoc());
    QVERIFY(!QFile::exists(pdf)); // no blank page
    QVERIFY(printer.ErrorText().isEmpty());
}

void TestDevicePrinter::oneDocumentPerEndDoc()
{
    const QString pdf = dir_.filePath("doc.pdf");
    platform::DevicePrinter printer(pdf, a4(QPageLayout::Portrait));
    printer.Scale(0, 0, 80, 110);
    printer.LineBox(3, 10, 73, 50, core::Black);
    printer.setCurrentX(3);
    printer.setCurrentY(10);
    printer.Print(QStringLiteral("first"));
    QVERIFY(printer.EndDoc());
    QVERIFY(QFile::exists(pdf));
    QVERIFY(runTool(pdftotext_, {pdf, "-"}).contains(QStringLiteral("first")));
    QFile::remove(pdf);
    printer.Print(QStringLiteral("second"));
    QVERIFY(printer.EndDoc());
    const QString text = runTool(pdftotext_, {pdf, "-"});
    QVERIFY(text.contains(QStringLiteral("second")));
    QVERIFY(!text.contains(QStringLiteral("first")));
    QVERIFY(runTool(pdfinfo_, {pdf}).contains(QRegularExpression(QStringLiteral("Pages:\\s+1\\n"))));
}

void TestDevicePrinter::arialPrintsInLiberationSans()
{
    const QString pdf = dir_.filePath("font.pdf");
    platform::DevicePrinter printer(pdf, a4(QPageLayout::Portrait));
    printer.setFontName(QStringLiteral("ARIAL"));
    printer.setFontBold(true);
    printer.Print(QStringLiteral("July    2024"));
    QVERIFY(printer.EndDoc());
    const QString fonts = runTool(pdffonts_, {pdf});
    QVERIFY2(fonts.contains(QStringLiteral("LiberationSans-Bold")), qPrintable(fonts));
}

void TestDevicePrinter::unwritableFileIsAFault()
{
    platform::DevicePrinter printer(QStringLiteral("/nonexistent-folder/x.pdf"), a4(QPageLayout::Portrait));
    printer.Print(QStringLiteral("lost"));
    QVERIFY(!printer.EndDoc());
    QVERIFY2(printer.ErrorText().contains(QStringLiteral("/nonexistent-folder/x.pdf")), qPrintable(printer.ErrorText()));
}

QTEST_MAIN(TestDevicePrinter)
#include "test_device_printer.moc"
