// The PDF printer dovrin-cli prints with draws a month's page exactly as the
// printer on paper does, as a later page of one file.
#include "pdftext.h"
#include "platform/printing/pdfprinter.h"
#include "print/printjob.h"
#include "testsupport.h"

#include <QPageLayout>
#include <QTemporaryDir>
#include <QTest>

class TestPdfPrinter : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { testsupport::installRealEngine(); }

    void pagesAreThePrintersPages()
    {
        const QPageLayout layout(QPageSize(QPageSize::Letter), QPageLayout::Landscape, QMarginsF(10, 10, 10, 10),
                                 QPageLayout::Millimeter);
        QTemporaryDir dir;
        const QString printed = dir.filePath(QStringLiteral("printed.pdf"));
        {
            platform::DevicePrinter printer(printed, layout);
            QVERIFY(PrintJob({core::Lead::Hijri, 1446, 9, 9}, &printer).run());
        }
        const QString joined = dir.filePath(QStringLiteral("joined.pdf"));
        platform::PdfPrinter printer(layout);
        QVERIFY(PrintJob({core::Lead::Hijri, 1446, 8, 9}, &printer).run());
        const core::Result<QByteArray> pdf = printer.finish();
        QFile file(joined);
        QVERIFY(pdf && file.open(QIODevice::WriteOnly) && file.write(*pdf) == pdf->size());
        file.close();
        const QStringList words = testsupport::pdfWords(printed, 1);
        QVERIFY(words.size() > 60);
        QCOMPARE(testsupport::pdfWords(joined, 2), words);
    }
};

QTEST_MAIN(TestPdfPrinter)
#include "test_pdfprinter.moc"
