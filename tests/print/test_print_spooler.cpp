// Printing end to end on a PDF queue of a private CUPS spooler run by whoever runs the test: one spooled PDF page
// per month with the page's text, and the faults a user meets: no queue, no spooler, a spooler that stopped
// answering, a rejecting queue; the window's events go on throughout.
#include "core/names.h"
#include "print/calcanprint.h"
#include "printtests.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <algorithm>
#include <csignal>
#include <unistd.h>

namespace {

const QString Queue = QStringLiteral("dovrin-pdf");

struct Run {
    int exitCode = -1;
    QString output;
};

Run run(const QString &program, const QStringList &arguments)
{
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    // The CUPS tools answer in the user's language; their words are read here
    // in English. The program itself runs in the user's locale.
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
    process.setProcessEnvironment(environment);
    process.start(program, arguments);
    const bool finished = process.waitForFinished(20000) && process.exitStatus() == QProcess::NormalExit;
    return {finished ? process.exitCode() : -1, QString::fromLocal8Bit(process.readAll())};
}

} // namespace

class TestPrintSpooler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY2(QFile::exists(QStringLiteral("/usr/sbin/cupsd")), "cups and cups-filters are needed");
        qInfo("the spooler runs as user %u", unsigned(geteuid()));
        pdftotext_ = QStandardPaths::findExecutable(QStringLiteral("pdftotext"));
        QVERIFY2(!pdftotext_.isEmpty(), "poppler-utils is needed to read the printed PDFs");
        // libcups reads where its server is once, when the first printer is made.
        qputenv("CUPS_SERVER", QFile::encodeName(folder_.filePath(QStringLiteral("cups.sock"))));
        qunsetenv("PRINTER");
        qunsetenv("LPDEST");
        testsupport::installRealEngine();
    }
    void cleanupTestCase() { spooler(QStringLiteral("stop")); }

    // Every test starts with the spooler running and the PDF queue as the accepting default printer.
    void init()
    {
        if (!cups("lpstat", {"-r"}).output.contains(QStringLiteral("is running"))) {
            const Run started = spooler(QStringLiteral("start"));
            QVERIFY2(started.exitCode == 0, qPrintable(started.output));
        }
        const Run added = spooler(QStringLiteral("add-pdf-queue"), {Queue});
        QVERIFY2(added.exitCode == 0, qPrintable(added.output));
    }

    // The fault, how many months of April and May reach the spool, and what the message says.
    void faults_data()
    {
        QTest::addColumn<QString>("fault");
        QTest::addColumn<int>("spooled");
        QTest::addColumn<QStringList>("message");
        QTest::addColumn<bool>("exitWhileWaiting"); // Exit pressed a second into the job
        const QString fromApril = QStringLiteral("April 2024 and the months after it were not printed.");
        QTest::newRow("none") << QString() << 2 << QStringList() << false;
        QTest::newRow("no queue") << "lpadmin -x" << 0 << QStringList{"No printer is installed"} << false;
        QTest::newRow("no spooler") << "stop" << 0 << QStringList{"print service is not running", fromApril} << false;
        QTest::newRow("spooler frozen") << "freeze" << 0 << QStringList{"print service is not answering", fromApril}
                                        << false;
        QTest::newRow("rejecting queue") << "cupsreject" << 0 << QStringList{"\"dovrin-pdf\" refuses jobs", fromApril}
                                         << false;
        QTest::newRow("spooler stops between months")
            << "stop later" << 1 << QStringList{"print service is not running", "May 2024 was not printed."} << false;
        QTest::newRow("spooler freezes between months")
            << "freeze later" << 1 << QStringList{"print service is not answering", "May 2024 was not printed."}
            << false;
        QTest::newRow("quota reached after a month")
            << "quota" << 1 << QStringList{"did not take the document", "May 2024 was not printed."} << false;
        // The user asked to stop: the months they chose not to print are not reported.
        QTest::newRow("spooler frozen, Exit pressed") << "freeze" << 0 << QStringList() << true;
    }

    void faults()
    {
        QFETCH(QString, fault);
        QFETCH(int, spooled);
        QFETCH(QStringList, message);
        QFETCH(bool, exitWhileWaiting);
        const QList<int> before = spooledJobs();
        // The job lets events through between months: once the first month is in the spool, the spooler goes.
        QTimer watcher;
        watcher.setInterval(0);
        connect(&watcher, &QTimer::timeout, this, [&] {
            if (!spooledJobs(before).isEmpty()) {
                watcher.stop();
                if (fault == QStringLiteral("stop later"))
                    spooler(QStringLiteral("stop"));
                else
                    signalSpooler(SIGSTOP);
            }
        });
        const bool freezes = fault.startsWith(QStringLiteral("freeze"));
        if (fault.endsWith(QStringLiteral(" later")))
            watcher.start();
        else if (fault == QStringLiteral("stop"))
            QCOMPARE(spooler(fault).exitCode, 0);
        else if (fault == QStringLiteral("freeze"))
            QCOMPARE(signalSpooler(SIGSTOP), 0);
        else if (fault == QStringLiteral("quota")) // a kilobyte a day: the queue takes one document, then no more
            QCOMPARE(cups("lpadmin", {"-p", Queue, "-o", "job-k-limit=1", "-o", "job-quota-period=86400"}).exitCode, 0);
        else if (!fault.isEmpty())
            QCOMPARE(cups(fault.section(u' ', 0, 0), fault.split(u' ').mid(1) << Queue).exitCode, 0);
        testsupport::MessageCatcher messages;
        CalPrint dialog;
        dialog.show();
        if (exitWhileWaiting)
            QTimer::singleShot(1000, testsupport::button(dialog, "CancelButton"), &QPushButton::click);
        // The window's events while the job runs: the longest time without a tick of a 10 ms timer.
        QElapsedTimer clock, sinceTick;
        qint64 longestGap = 0;
        QTimer ticker;
        ticker.setInterval(10);
        connect(&ticker, &QTimer::timeout, this, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        clock.start();
        sinceTick.start();
        ticker.start();
        printtests::print(dialog, false, {"2024", "4", "5"});
        longestGap = std::max(longestGap, sinceTick.elapsed());
        const qint64 took = clock.elapsed();
        ticker.stop();
        if (freezes)
            QCOMPARE(signalSpooler(SIGCONT), 0);
        qInfo("job took %lld ms, window events waited at most %lld ms", took, longestGap);
        QVERIFY2(took < 15000, qPrintable(QString::number(took)));
        if (freezes || fault == QStringLiteral("stop"))
            QVERIFY2(longestGap < 500, qPrintable(QString::number(longestGap)));
        const QList<int> jobs = spooledJobs(before);
        QCOMPARE(jobs.size(), spooled);
        // One page each (pdftotext ends every page with a form feed), with every text of the month as whole words.
        testsupport::RecordingPrinter recorder;
        CalPrint recorded;
        recorded.usePrinter(&recorder);
        printtests::print(recorded, false, {"2024", "4", "5"});
        for (int i = 0; i < spooled; ++i) {
            const QString pdf = folder_.filePath(QStringLiteral("spool/d%1-001").arg(jobs[i], 5, 10, QLatin1Char('0')));
            const Run text = run(pdftotext_, {QStringLiteral("-layout"), pdf, QStringLiteral("-")});
            QCOMPARE(text.exitCode, 0);
            QCOMPARE(text.output.count(u'\f'), 1);
            const QString page = u' ' + text.output.simplified() + u' ';
            for (const printtests::Op &op : printtests::textsOf(recorder, i + 1))
                QVERIFY2(page.contains(u' ' + op.text.simplified() + u' '), qPrintable(op.text + u'\n' + text.output));
        }
        QVERIFY(!dialog.findChild<CalCanPrint *>()->isVisible());
        QCOMPARE(messages.titles, message.isEmpty() ? QStringList() : QStringList{"Printing ....."});
        for (const QString &part : message)
            QVERIFY2(messages.texts[0].contains(part), qPrintable(messages.texts[0]));
        if (fault == QStringLiteral("cupsreject")) { // accepting again, the same dialog prints
            QCOMPARE(cups("cupsaccept", {Queue}).exitCode, 0);
            printtests::print(dialog, false, {"2024", "2", "2"});
            QCOMPARE(messages.count(), 1);
            QCOMPARE(spooledJobs(before).size(), 1);
        }
    }

    // A job from the window prints on the queue's default paper in its default orientation, laid out for it:
    // every weekday name a word of its own on the spooled page.
    void queueDefaults_data()
    {
        QTest::addColumn<QStringList>("defaults"); // lpadmin's options
        QTest::addColumn<QString>("pageSize");     // as pdfinfo gives it
        const QStringList letter{"-o", "media-default=na_letter_8.5x11in", "-o", "PageSize=Letter"};
        const QStringList a5{"-o", "media-default=iso_a5_148x210mm", "-o", "PageSize=A5"};
        const QStringList landscape{"-o", "orientation-requested-default=4"};
        QTest::newRow("Letter") << letter << "612 x 792 pts (letter)";
        QTest::newRow("A5") << a5 << "420 x 595 pts (A5)";
        QTest::newRow("Letter landscape") << letter + landscape << "792 x 612 pts (letter)";
        QTest::newRow("A5 landscape") << a5 + landscape << "595 x 420 pts (A5)";
    }

    void queueDefaults()
    {
        QFETCH(QStringList, defaults);
        QFETCH(QString, pageSize);
        QCOMPARE(cups("lpadmin", QStringList{"-p", Queue} + defaults).exitCode, 0);
        const QList<int> before = spooledJobs();
        testsupport::MessageCatcher messages;
        CalPrint dialog;
        printtests::print(dialog, false, {"2024", "9", "9"});
        QCOMPARE(messages.count(), 0);
        const QList<int> jobs = spooledJobs(before);
        QCOMPARE(jobs.size(), 1);
        const QString pdf = folder_.filePath(QStringLiteral("spool/d%1-001").arg(jobs[0], 5, 10, QLatin1Char('0')));
        const Run info = run(QStringLiteral("pdfinfo"), {pdf});
        QVERIFY2(info.output.simplified().contains(QStringLiteral("Page size: ") + pageSize), qPrintable(info.output));
        const QStringList words = run(pdftotext_, {pdf, QStringLiteral("-")}).output.split(QRegularExpression("\\s+"));
        for (int weekday = 0; weekday < 7; ++weekday)
            QVERIFY2(words.contains(core::WeekDayName(weekday)), qPrintable(words.join(u' ')));
    }

private:
    Run spooler(const QString &command, const QStringList &more = {}) const
    {
        return run(QStringLiteral(DOVRIN_CUPS_SPOOLER_SCRIPT), QStringList{command, folder_.path()} + more);
    }
    int signalSpooler(int signal) const
    {
        QFile pid(folder_.filePath(QStringLiteral("cupsd.pid")));
        if (!pid.open(QIODevice::ReadOnly))
            return -1;
        return ::kill(pid.readAll().trimmed().toInt(), signal);
    }
    Run cups(const QString &program, const QStringList &arguments) const
    {
        return run(program, QStringList{"-h", folder_.filePath(QStringLiteral("cups.sock"))} + arguments);
    }

    // Job numbers the spooler has kept a document of, and not in `before`, in order.
    QList<int> spooledJobs(const QList<int> &before = {}) const
    {
        QList<int> jobs;
        const QDir spool(folder_.filePath(QStringLiteral("spool")));
        for (const QString &name : spool.entryList({"d*-001"}, QDir::Files, QDir::Name))
            if (const int job = name.section(u'-', 0, 0).mid(1).toInt(); !before.contains(job))
                jobs << job;
        return jobs;
    }

    QTemporaryDir folder_{QDir::tempPath() + QStringLiteral("/dovrin-cups-XXXXXX")};
    QString pdftotext_;
};

QTEST_MAIN(TestPrintSpooler)
#include "test_print_spooler.moc"
