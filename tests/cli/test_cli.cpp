// dovrin-cli run as a process, as scripts run it: no display, the answer on
// standard output, the refusal on standard error with a non-zero status.
#include "core/version.h"
#include "pdftext.h"

#include <QCalendar>
#include <QDate>
#include <QDir>
#include <QFile>
#include <QLocale>
#include <QProcess>
#include <QRegularExpression>
#include <QSize>
#include <QTemporaryDir>
#include <QTest>
#include <clocale>

using testsupport::pdfPageText;

namespace {

struct Run {
    int status = -1;
    QString out, err;
};

// Runs dovrin-cli with no display and no session's runtime folder, as under cron.
Run runCli(const QStringList &arguments, const QString &workingDir = QString(), const QString &locale = QString(),
           const QString &program = QStringLiteral(DOVRIN_CLI))
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LD_LIBRARY_PATH", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    if (!locale.isEmpty())
        env.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError())};
}

// pdfinfo's page count and first page size in points.
std::pair<int, QSize> pdfInfo(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(30000);
    static const QRegularExpression info(QStringLiteral("Pages:\\s+(\\d+).*Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::DotMatchesEverythingOption);
    const QRegularExpressionMatch m = info.match(QString::fromUtf8(process.readAllStandardOutput()));
    return {m.captured(1).toInt(), QSize(qRound(m.captured(2).toDouble()), qRound(m.captured(3).toDouble()))};
}

// The entries ("-h, --help", "pdf FILE") of the given sections of --help or of the manual page.
QStringList helpEntries(const QString &help, const QStringList &sections)
{
    static const QRegularExpression entry(QStringLiteral("^  (\\S+(?:, \\S+| [A-Z]+| <[A-Z]+>)?)  "));
    QStringList entries;
    QString section;
    for (const QString &line : help.split(u'\n')) {
        if (line.endsWith(u':') && !line.startsWith(u' '))
            section = line.chopped(1);
        const QRegularExpressionMatch match = entry.match(line);
        if (match.hasMatch() && sections.contains(section))
            entries << match.captured(1).remove(u'<').remove(u'>');
    }
    entries.sort();
    return entries;
}
QStringList manualEntries(const QString &page, const QStringList &sections)
{
    const QStringList lines = page.split(u'\n');
    QStringList entries;
    QString section;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].startsWith(u".SH "))
            section = lines[i].mid(4).remove(u'"');
        if (lines[i] == u".TP" && sections.contains(section))
            entries << QString(lines[i + 1])
                           .remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")))
                           .replace(QStringLiteral("\\-"), QStringLiteral("-"));
    }
    entries.sort();
    return entries;
}

const char *const HijriMonths[] = {"Muharram", "Safar",   "Rabi I",  "Rabi II", "Jumada I",      "Jumada II",
                                   "Rajab",    "Sha'ban", "Ramadan", "Shawwal", "Thu Al-Qa'dah", "Thu Al-Hijjah"};
QString monthName(const QCalendar &calendar, int month)
{
    return calendar.isGregorian() ? QLocale::c().monthName(month) : QString::fromLatin1(HijriMonths[month - 1]);
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    // Both ways, at the ends of the range and on both sides of the reform.
    void converts_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("expected");
        QTest::newRow("a day") << QStringList{"to-hijri", "2024-07-16"} << "1446-01-09 Tuesday\n";
        QTest::newRow("a day back") << QStringList{"to-gregorian", "1446-1-9"} << "2024-07-16 Tuesday\n";
        QTest::newRow("first day") << QStringList{"to-hijri", "622-07-16"} << "0001-01-01 Friday\n";
        QTest::newRow("first day back") << QStringList{"to-gregorian", "0001-01-01"} << "0622-07-16 Friday\n";
        QTest::newRow("4 October 1582") << QStringList{"to-hijri", "1582-10-04"} << "0990-09-16 Thursday\n";
        QTest::newRow("15 October 1582") << QStringList{"to-hijri", "1582-10-15"} << "0990-09-17 Friday\n";
        QTest::newRow("last day") << QStringList{"to-hijri", "9999-12-31"} << "9666-04-02 Friday\n";
        QTest::newRow("last day back") << QStringList{"to-gregorian", "9666-04-02"} << "9999-12-31 Friday\n";
        QTest::newRow("after --") << QStringList{"to-hijri", "--", "2024-07-16"} << "1446-01-09 Tuesday\n";
    }
    void converts()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, expected);
        const Run run = runCli(arguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, expected);
        QCOMPARE(run.status, 0);
    }

    // Every refusal: told on standard error with its status, nothing on
    // standard output, no file (nor a temporary one) left, an old one kept.
    void refuses_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("status");
        const QString range = QStringLiteral("Date out of range .....");
        const QString months = QStringLiteral("Check your 'From Month' or 'To Month' limits");
        const QString dates = QStringLiteral("Check your date limits");
        const QString number = QStringLiteral("takes a whole number");
        const QStringList pdf{"pdf", "out.pdf", "--year"};
        for (const char *date : {"622-07-15", "10000-01-01", "1582-10-05", "1582-10-14", "2023-02-29", " 2024-07-16",
                                 "2024/07/16", "4294969320-07-16", "", "\u0662\u0660\u0662\u0664-07-16"})
            QTest::addRow("to-hijri '%s'", date) << QStringList{"to-hijri", QString::fromUtf8(date)} << range << 1;
        for (const char *date : {"0-12-29", "1446-01-31", "9666-04-03", "1446-1-9x"})
            QTest::addRow("to-gregorian '%s'", date) << QStringList{"to-gregorian", date} << range << 1;
        QTest::newRow("no command") << QStringList{} << "no command" << 2;
        QTest::newRow("unknown command") << QStringList{"to-julian", "2024-07-16"} << "unknown command" << 2;
        QTest::newRow("two dates") << QStringList{"to-hijri", "2024-07-16", "2024-07-17"} << "takes one date" << 2;
        QTest::newRow("unknown option") << QStringList{"to-hijri", "--bogus"} << "Unknown option '--bogus'" << 2;
        QTest::newRow("unknown option after the date")
            << QStringList{"to-gregorian", "1446-01-09", "-x"} << "Unknown option '-x'" << 2;
        QTest::newRow("month 13") << pdf + QStringList{"2024", "--from", "1", "--to", "13"} << months << 1;
        QTest::newRow("June 622") << pdf + QStringList{"622", "--from", "6", "--to", "7"} << dates << 1;
        QTest::newRow("February 2562") << pdf + QStringList{"2562", "--from", "1", "--to", "2"} << dates << 1;
        QTest::newRow("Hijri Safar 2000")
            << pdf + QStringList{"2000", "--from", "1", "--to", "2", "--hijri"} << dates << 1;
        QTest::newRow("From after To") << pdf + QStringList{"2024", "--from", "5", "--to", "3"} << "no month to write"
                                       << 1;
        QTest::newRow("ics, month 13") << QStringList{"ics", "out.pdf", "--year", "2024", "--to", "13"} << months << 1;
        QTest::newRow("ics, Hijri year 0") << QStringList{"ics", "out.pdf", "--year", "0", "--hijri"} << dates << 1;
        QTest::newRow("ics, no year") << QStringList{"ics", "out.pdf"} << "needs --year" << 2;
        QTest::newRow("decimal month") << pdf + QStringList{"2024", "--from", "1.5", "--to", "2"} << number << 2;
        QTest::newRow("decimal comma") << pdf + QStringList{"2024", "--from", "1,5", "--to", "2"} << number << 2;
        QTest::newRow("no --to") << pdf + QStringList{"2024", "--from", "1"} << "needs --to" << 2;
        QTest::newRow("unknown paper") << pdf + QStringList{"2024", "--from", "1", "--to", "1", "--paper", "a3"}
                                       << "unknown paper 'a3'" << 2;
        QTest::newRow("unwritable") << QStringList{"pdf", "missing/out.pdf", "--year", "2024", "--from", "1", "--to",
                                                   "1"}
                                    << "Cannot write" << 4;
    }
    void refuses()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        QFETCH(int, status);
        QTemporaryDir dir;
        QFile old(dir.filePath(QStringLiteral("out.pdf")));
        QVERIFY(old.open(QIODevice::WriteOnly) && old.write("last year's") > 0);
        old.close();
        // The same in a locale that writes "1,5": nothing read follows the locale.
        for (const QString &locale : {QString(), QStringLiteral("de_DE.UTF-8")}) {
            const Run run = runCli(arguments, dir.path(), locale);
            QCOMPARE(run.out, QString());
            QVERIFY2(run.err.startsWith(u"dovrin-cli: ") && run.err.contains(told) && run.err.count(u'\n') == 1,
                     qPrintable(run.err)); // one line, for scripts
            QCOMPARE(run.status, status);
            QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList{"out.pdf"});
            QVERIFY(old.open(QIODevice::ReadOnly));
            QCOMPARE(old.readAll(), QByteArray("last year's"));
            old.close();
        }
    }

    // A whole year in each calendar, read back as a user checks the pages:
    // each page's heading, the 1st under its weekday, every day with the
    // other calendar's day and the letter of its month, and the legend.
    void pdfYear_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<int>("year");
        QTest::newRow("Gregorian 2024") << false << 2024;
        QTest::newRow("Hijri 1446") << true << 1446;
    }
    void pdfYear()
    {
        QFETCH(bool, hijri);
        QFETCH(int, year);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("year.pdf"));
        const Run run = runCli(QStringList{"pdf", pdf, "--year", QString::number(year), "--from", "1", "--to", "12"}
                               + (hijri ? QStringList{"--hijri"} : QStringList{}));
        QCOMPARE(run.out + run.err, QString());
        QCOMPARE(run.status, 0);
        QCOMPARE(pdfInfo(pdf), std::pair(12, QSize(595, 842)));
        const QCalendar gregorian(QCalendar::System::Gregorian), islamic(QCalendar::System::IslamicCivil);
        const QCalendar &lead = hijri ? islamic : gregorian, &other = hijri ? gregorian : islamic;
        const QString weekdays = QStringLiteral("Sunday Monday Tuesday Wednesday Thursday Friday Saturday");
        for (int month = 1; month <= 12; ++month) {
            // The page as words: heading, weekdays, the month's days, the
            // other calendar's days (with their month's letter), the legend.
            QStringList expected
                = (monthName(lead, month) + u' ' + QString::number(year) + u' ' + weekdays).split(u' ');
            QStringList otherDays;
            QList<QCalendar::YearMonthDay> otherMonths;
            for (int day = 1; day <= lead.daysInMonth(month, year); ++day) {
                const QCalendar::YearMonthDay ymd = other.partsFromDate(QDate(year, month, day, lead));
                if (otherMonths.isEmpty() || otherMonths.last().month != ymd.month)
                    otherMonths << ymd;
                expected << QString::number(day);
                otherDays << QString::number(ymd.day) + QChar(char16_t(u'A' + otherMonths.size() - 1));
            }
            for (qsizetype i : {qsizetype(0), otherMonths.size() - 1})
                expected += QStringLiteral("%1 - %2 %3")
                                .arg(QChar(char16_t(u'A' + i)))
                                .arg(monthName(other, otherMonths[i].month))
                                .arg(otherMonths[i].year)
                                .split(u' ');
            const QString text = pdfPageText(pdf, month);
            static const QRegularExpression otherDay(QStringLiteral("^\\d+[A-C]$"));
            const QStringList words = text.simplified().split(u' ');
            static const QRegularExpression notOtherDay(QStringLiteral("^(?!\\d+[A-C]$)"));
            // The two rows of a week alternate; each kind in its order.
            QCOMPARE(QStringList(words).filter(otherDay), otherDays);
            QCOMPARE(QStringList(words).filter(notOtherDay), QStringList(expected).filter(notOtherDay));
            // The 1st stands in its weekday's column.
            const QStringList lines = text.split(u'\n');
            const qsizetype header = lines.indexOf(QRegularExpression(QStringLiteral("\\s*Sunday.*")));
            QVERIFY(header >= 0 && header + 1 < lines.size());
            const int weekday = QDate(year, month, 1, lead).dayOfWeek() % 7; // 0 for Sunday
            const qsizetype at = lines[header + 1].indexOf(QRegularExpression(QStringLiteral("\\b1\\b")));
            const qsizetype from = lines[header].indexOf(weekdays.split(u' ')[weekday]);
            const qsizetype to
                = weekday == 6 ? lines[header].size() : lines[header].indexOf(weekdays.split(u' ')[weekday + 1]);
            QVERIFY2(at >= from - 12 && at < to - 4, qPrintable(lines[header] + u'\n' + lines[header + 1]));
        }
    }

    // Papers, the long side, and the spans' edges: the pages have that size.
    void pdfPapers_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<int>("pages");
        QTest::addColumn<QSize>("points");
        QTest::newRow("A4 lying") << QStringList{"2024", "--from", "7", "--to", "8", "--landscape"} << 2
                                  << QSize(842, 595);
        QTest::newRow("letter") << QStringList{"2024", "--from", "7", "--to", "8", "--paper", "letter"} << 2
                                << QSize(612, 792);
        QTest::newRow("A5 lying, Hijri") << QStringList{"1446",    "--from", "7",           "--to",   "8",
                                                        "--paper", "a5",     "--landscape", "--hijri"}
                                         << 2 << QSize(595, 420);
        QTest::newRow("July 622 on") << QStringList{"622", "--from", "7", "--to", "12"} << 6 << QSize(595, 842);
        QTest::newRow("January 2562") << QStringList{"2562", "--from", "1", "--to", "1"} << 1 << QSize(595, 842);
        QTest::newRow("Hijri 1/1") << QStringList{"1", "--from", "1", "--to", "1", "--hijri"} << 1 << QSize(595, 842);
        QTest::newRow("Hijri 2000/1") << QStringList{"2000", "--from", "1", "--to", "1", "--hijri"} << 1
                                      << QSize(595, 842);
    }
    void pdfPapers()
    {
        QFETCH(QStringList, arguments);
        QFETCH(int, pages);
        QFETCH(QSize, points);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("out.pdf"));
        const Run run = runCli(QStringList{"pdf", pdf, "--year"} + arguments);
        QVERIFY2(run.status == 0, qPrintable(run.err));
        QCOMPARE(pdfInfo(pdf), std::pair(pages, points));
        QVERIFY(
            pdfPageText(pdf, pages).simplified().contains(QRegularExpression(QStringLiteral(" [A-C] - \\S.* \\d+$"))));
    }

    // October 1582 goes from 4 (Julian) to 15, the ten days left out.
    void pdfReformMonth()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("1582.pdf"));
        QCOMPARE(runCli({"pdf", pdf, "--year", "1582", "--from", "10", "--to", "10"}).status, 0);
        const QString page = pdfPageText(pdf, 1).simplified();
        QVERIFY2(page.contains(QRegularExpression(QStringLiteral("\\b4 15\\b"))), qPrintable(page));
        QVERIFY2(!page.contains(QRegularExpression(QStringLiteral(" (5|6|7|8|9|10|11|12|13|14) "))), qPrintable(page));
    }

    // --help and --version answer, and the manual lists what --help lists.
    void helpMatchesManual()
    {
        const Run version = runCli({"--version"});
        QCOMPARE(version.out, QStringLiteral("dovrin-cli " DOVRIN_VERSION "\n"));
        QCOMPARE(version.status, 0);
        const Run help = runCli({"--help"});
        QCOMPARE(help.status, 0);
        QVERIFY2(help.out.startsWith(u"Usage: dovrin-cli [options]"), qPrintable(help.out)); // not the path run
        QCOMPARE(
            helpEntries(help.out, {"Commands", "Options"}),
            QStringList({"-h, --help", "-v, --version", "ics FILE", "pdf FILE", "to-gregorian DATE", "to-hijri DATE"}));
        QFile page(QStringLiteral(DOVRIN_MAN_PAGE));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString manual = QString::fromUtf8(page.readAll());
        QCOMPARE(manualEntries(manual, {"COMMANDS", "OPTIONS"}), helpEntries(help.out, {"Commands", "Options"}));
        const QStringList pdfOptions = helpEntries(runCli({"pdf", "--help"}).out, {"Options"});
        QVERIFY(pdfOptions.contains(u"--paper SIZE"));
        QCOMPARE(manualEntries(manual, {"PDF AND ICS OPTIONS"}), pdfOptions);
    }

    // The engine comes from the program's own place only, never from the
    // working directory; help needs none.
    void loadsTheEngineOnlyFromItsOwnPlace()
    {
        QTemporaryDir root;
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")) && QDir(root.path()).mkpath(QStringLiteral("work")));
        const QString program = root.filePath(QStringLiteral("bin/dovrin-cli"));
        QVERIFY(QFile::copy(QStringLiteral(DOVRIN_CLI), program));
        QVERIFY(QFile::copy(QStringLiteral(DOVRIN_ENGINE), root.filePath(QStringLiteral("work/libzendat32.so"))));
        const Run alone = runCli({"to-hijri", "2024-07-16"}, root.filePath(QStringLiteral("work")), {}, program);
        QCOMPARE(alone.out, QString());
        QVERIFY2(alone.err.contains(u"could not be loaded") && alone.err.count(u'\n') == 1, qPrintable(alone.err));
        QCOMPARE(alone.status, 3);
        QCOMPARE(runCli({"--version"}, {}, {}, program).status, 0);
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("lib/dovrin")));
        QVERIFY(QFile::copy(QStringLiteral(DOVRIN_ENGINE), root.filePath(QStringLiteral("lib/dovrin/libzendat32.so"))));
        QCOMPARE(runCli({"to-hijri", "2024-07-16"}, {}, {}, program).out, QStringLiteral("1446-01-09 Tuesday\n"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
