// The PDF printer that dovrin-cli prints with: the print job's pages drawn
// exactly as on the printer on paper, one after another in one file that
// appears only when it is whole.
#include "platform/pdfprinter.h"
#include "print/printjob.h"
#include "testsupport.h"

#include <QDir>
#include <QPageLayout>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The words of a page with their boxes, as pdftotext finds them.
QStringList wordsOf(const QString &pdf, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    process.waitForFinished(30000);
    QStringList words;
    static const QRegularExpression word(QStringLiteral("<word .*</word>"));
    for (const QRegularExpressionMatch &match : word.globalMatch(QString::fromUtf8(process.readAllStandardOutput())))
        words << match.captured(0);
    return words;
}

QPageLayout paper(QPageSize::PageSizeId size, QPageLayout::Orientation orientation)
{
    return QPageLayout(QPageSize(size), orientation, QMarginsF(10, 10, 10, 10), QPageLayout::Millimeter);
}

} // namespace

class TestPdfPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }

    // A month's page in the one file is the page the printer on paper
    // prints for it: every word in the same place, on either paper.
    void pagesAreThePrintersPages_data()
    {
        QTest::addColumn<int>("calendar");
        QTest::addColumn<int>("year");
        QTest::addColumn<int>("month");
        QTest::addColumn<QPageLayout>("layout");
        QTest::newRow("July 2024, A4") << int(core::Lead::Gregorian) << 2024 << 7
                                       << paper(QPageSize::A4, QPageLayout::Portrait);
        QTest::newRow("Ramadan 1446, letter lying")
            << int(core::Lead::Hijri) << 1446 << 9 << paper(QPageSize::Letter, QPageLayout::Landscape);
    }
    void pagesAreThePrintersPages()
    {
        QFETCH(int, calendar);
        QFETCH(int, year);
        QFETCH(int, month);
        QFETCH(QPageLayout, layout);
        QTemporaryDir dir;
        const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
        {
            platform::DevicePrinter printer(printed, layout);
            QVERIFY(PrintJob({core::Lead(calendar), year, month, month}, &printer).run());
        }
        const QString joined = dir.filePath(QStringLiteral("joined.pdf"));
        platform::PdfPrinter printer(joined, layout);
        QVERIFY(PrintJob({core::Lead(calendar), year, month - 1, month}, &printer).run());
        QVERIFY2(printer.finish(), qPrintable(printer.ErrorText()));
        QCOMPARE(printer.pageCount(), 2);
        const QStringList words = wordsOf(printed, 1);
        QVERIFY(words.size() > 60);
        QCOMPARE(wordsOf(joined, 2), words);
        QVERIFY(wordsOf(joined, 1) != words);
    }

    // Without a page there is no file; a printer dropped before finish()
    // leaves nothing behind, not even its temporary file.
    void noFileUnlessFinished()
    {
        QTemporaryDir dir;
        const QString path = dir.filePath(QStringLiteral("out.pdf"));
        {
            platform::PdfPrinter printer(path, paper(QPageSize::A4, QPageLayout::Portrait));
            QVERIFY(!printer.finish());
            QCOMPARE(printer.ErrorText(), QString());
        }
        {
            platform::PdfPrinter printer(path, paper(QPageSize::A4, QPageLayout::Portrait));
            QVERIFY(PrintJob({core::Lead::Gregorian, 2024, 1, 2}, &printer).run());
            QCOMPARE(printer.pageCount(), 2);
        }
        QVERIFY(QDir(dir.path()).isEmpty());
    }

    // A file that cannot be written fails the job's first month, with the
    // reason, and leaves a file already there as it was.
    void unwritableFile()
    {
        QTemporaryDir dir;
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("out.pdf")));
        platform::PdfPrinter printer(dir.filePath(QStringLiteral("out.pdf")),
                                     paper(QPageSize::A5, QPageLayout::Portrait));
        PrintJob job({core::Lead::Gregorian, 2024, 3, 5}, &printer);
        QVERIFY(!job.run());
        QCOMPARE(job.failedMonth(), 3);
        QVERIFY2(
            job.faultText().startsWith(QStringLiteral("Cannot write \"") + dir.filePath(QStringLiteral("out.pdf"))),
            qPrintable(job.faultText()));
        QVERIFY2(job.faultText().endsWith(u"March 2024 and the months after it were not printed."),
                 qPrintable(job.faultText()));
        QVERIFY(!printer.finish());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"out.pdf"});
        QVERIFY(QFileInfo(dir.filePath(QStringLiteral("out.pdf"))).isDir());
    }
};

QTEST_MAIN(TestPdfPrinter)
#include "test_pdfprinter.moc"
