// Printing end to end on a PDF queue of a private CUPS spooler run by whoever runs the test (and again by an
// ordinary user): one spooled document per month with the page's text; the faults a user meets, with the window's
// events going on throughout. (The queue's default paper and orientation: test_x11.)
#include "print/calcanprint.h"
#include "print/calprint.h"
#include "testsupport.h"

#include <QDir>
#include <QElapsedTimer>
#include <QTemporaryDir>
#include <csignal>

using namespace testsupport;

static const QString Queue = QStringLiteral("dovrin-pdf");

class TestPrintSpooler : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        qputenv("CUPS_SERVER", QFile::encodeName(folder_.filePath("cups.sock"))); // read when a printer is first made
        qunsetenv("PRINTER");
        realEngine();
    }
    void cleanupTestCase() { spooler("stop"); }

    // Every test starts with the spooler running and the PDF queue as the accepting default printer.
    void init() { QVERIFY(spooler("start").status == 0 && spooler("add-pdf-queue", {Queue}).status == 0); }

    // The fault|how many of April and May reach the spool|what the one message says ("A": the months from April
    // were not printed, "M": May was not). Exit pressed while the spooler is waited for: nothing said of the months.
    void faults_data()
    {
        addRows({"none||2|", "no queue|lpadmin -x|0|No printer is installed",
                 "no spooler|stop|0|print service is not running;A",
                 "spooler frozen|freeze|0|print service is not answering;A",
                 "rejecting queue|cupsreject|0|\"dovrin-pdf\" refuses jobs;A",
                 "stops after a month|stop later|1|print service is not running;M",
                 "freezes after a month|freeze later|1|is not answering;M",
                 "a quota reached after a month|quota|1|did not take the document;M",
                 "frozen, Exit pressed|freeze exit|0|"});
    }

    void faults()
    {
        QFETCH(QStringList, row);
        const QString fault = row[0];
        const int spooled = row[1].toInt();
        QStringList message = row[2].split(u';', Qt::SkipEmptyParts);
        message.replaceInStrings(QRegularExpression("^A$"), "April 2024 and the months after it were not printed.");
        message.replaceInStrings(QRegularExpression("^M$"), "May 2024 was not printed.");
        const int before = spooledJobs().size();
        QTimer watcher; // the job lets events through between months: once a month is spooled, the fault comes
        connect(&watcher, &QTimer::timeout, this, [&] {
            if (spooledJobs().size() > before)
                watcher.stop(), fault.startsWith(u"stop") ? void(spooler("stop")) : void(signalSpooler(SIGSTOP));
        });
        if (fault.endsWith(u" later"))
            watcher.start(0);
        else if (fault == u"stop")
            spooler("stop");
        else if (fault.startsWith(u"freeze"))
            signalSpooler(SIGSTOP);
        else if (fault == u"quota") // a queue of its own taking a kilobyte a day: one document, then no more
            QVERIFY(spooler("add-pdf-queue", {"quota"}).status == 0
                    && cups("lpadmin", {"-p", "quota", "-o", "job-k-limit=1", "-o", "job-quota-period=86400"}).status
                        == 0);
        else if (!fault.isEmpty())
            QCOMPARE(cups(fault.section(u' ', 0, 0), fault.split(u' ').mid(1) << Queue).status, 0);
        MessageCatcher messages;
        CalPrint dialog;
        dialog.show();
        if (fault.endsWith(u"exit"))
            QTimer::singleShot(1000, button(dialog, "CancelButton"), &QPushButton::click);
        QElapsedTimer clock, sinceTick; // the longest time the window's events waited
        qint64 longestGap = 0;
        QTimer ticker;
        connect(&ticker, &QTimer::timeout, this, [&] { longestGap = std::max(longestGap, sinceTick.restart()); });
        clock.start(), sinceTick.start(), ticker.start(10);
        print(dialog, false, {"2024", "4", "5"});
        const qint64 took = clock.elapsed();
        signalSpooler(SIGCONT);
        QVERIFY2(took < 15000, qPrintable(QString::number(took)));
        if (fault == u"stop" || fault.startsWith(u"freeze"))
            QVERIFY2(std::max(longestGap, sinceTick.elapsed()) < 500, qPrintable(QString::number(longestGap)));
        const QStringList jobs = spooledJobs().mid(before);
        QCOMPARE(jobs.size(), spooled);
        RecordingPrinter recorder; // each spooled page holds every text of its month, as whole words
        CalPrint recorded;
        recorded.usePrinter(&recorder);
        print(recorded, false, {"2024", "4", "5"});
        for (int i = 0; i < spooled; ++i) {
            const QString page = pdfText(jobs[i], 1);
            QCOMPARE(run("pdfinfo", {jobs[i]}).out.count(QRegularExpression("Pages:\\s+1\\n")), 1);
            for (const RecordingPrinter::Op &op : textsOf(recorder, i + 1))
                QVERIFY2((u' ' + page.simplified() + u' ').contains(u' ' + op.text.simplified() + u' '),
                         qPrintable(op.text));
        }
        QVERIFY(!dialog.findChild<CalCanPrint *>()->isVisible());
        QCOMPARE(messages.shown.size(), message.isEmpty() ? 0 : 1);
        for (const QString &part : message)
            QVERIFY2(messages.shown[0].startsWith(u"Printing .....: ") && messages.shown[0].contains(part),
                     qPrintable(messages.shown[0]));
    }

private:
    Run spooler(const char *command, const QStringList &more = {}) const
    {
        return run(QCoreApplication::applicationDirPath() + "/cups-private-spooler",
                   QStringList{command, folder_.path()} + more);
    }
    Run cups(const QString &program, const QStringList &arguments) const
    {
        return run(program, QStringList{"-h", folder_.filePath("cups.sock")} + arguments);
    }
    void signalSpooler(int signal) const
    {
        QFile pid(folder_.filePath("cupsd.pid"));
        if (pid.open(QIODevice::ReadOnly))
            ::kill(pid.readAll().trimmed().toInt(), signal);
    }
    // The documents the spooler kept, oldest first.
    QStringList spooledJobs() const
    {
        QStringList files;
        for (const QFileInfo &file : QDir(folder_.filePath("spool")).entryInfoList({"d*-001"}, QDir::Files, QDir::Name))
            files << file.filePath();
        return files;
    }

    QTemporaryDir folder_{QDir::tempPath() + QStringLiteral("/dovrin-cups-XXXXXX")};
};

QTEST_MAIN(TestPrintSpooler)
#include "test_print_spooler.moc"
