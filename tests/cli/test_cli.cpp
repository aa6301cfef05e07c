// dovrin-cli run as a process, as scripts run it: no display, the answer on
// standard output, the refusal on standard error with a non-zero status.
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
#include <algorithm>
#include <clocale>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs dovrin-cli with no display at all, from a folder of the test's own,
// and without a session's runtime folder, as under cron.
Run runCli(const QStringList &arguments, const QString &program = QStringLiteral(DOVRIN_CLI),
           const QString &workingDir = QString(), const QString &locale = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LD_LIBRARY_PATH", "XDG_RUNTIME_DIR"})
        env.remove(QString::fromLatin1(name));
    if (!locale.isEmpty())
        env.insert(QStringLiteral("LC_ALL"), locale);
    process.setProcessEnvironment(env);
    if (!workingDir.isEmpty())
        process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    if (!process.waitForFinished(30000)) {
        process.kill();
        process.waitForFinished();
        return {};
    }
    Run run;
    run.status = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    run.out = QString::fromUtf8(process.readAllStandardOutput());
    run.err = QString::fromUtf8(process.readAllStandardError());
    return run;
}

const QString Refusal = QStringLiteral("Date out of range .....");

// The same day written as dovrin-cli writes it: YYYY-MM-DD and the weekday.
QString written(QDate date, QCalendar calendar)
{
    const QCalendar::YearMonthDay ymd = calendar.partsFromDate(date);
    return QString::asprintf("%04d-%02d-%02d ", ymd.year, ymd.month, ymd.day)
        + QLocale::c().standaloneDayName(date.dayOfWeek(), QLocale::LongFormat) + u'\n';
}

// The calendar the Gregorian side uses for a day: Julian before 15 October 1582.
QCalendar westernCalendarOf(QDate date)
{
    return date < QDate(1582, 10, 15) ? QCalendar(QCalendar::System::Julian) : QCalendar(QCalendar::System::Gregorian);
}

// The lines a page of help lists in the given sections, with their operands:
// "-h, --help", "to-hijri DATE", "--year Y".
QStringList helpEntries(const QString &help, const QStringList &sections = {"Commands", "Options"})
{
    QStringList entries;
    static const QRegularExpression entry(QStringLiteral("^  (\\S+(?:, \\S+| [A-Z]+| <[A-Z]+>)?)  "));
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

// The same from a manual page's sections.
QStringList manualEntries(const QString &page, const QStringList &sections = {"COMMANDS", "OPTIONS"})
{
    QStringList entries;
    const QStringList lines = page.split(u'\n');
    QString section;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].startsWith(u".SH "))
            section = lines[i].mid(4).remove(u'"');
        if (lines[i] != u".TP" || !sections.contains(section))
            continue;
        QString tag = lines[i + 1];
        tag.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")))
            .replace(QStringLiteral("\\-"), QStringLiteral("-"));
        entries << tag;
    }
    entries.sort();
    return entries;
}

// A PDF read back as a user reads it: one page's text, laid out.
QString pdfPageText(const QString &pdf, int page)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {"-layout", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    process.waitForFinished(30000);
    return QString::fromUtf8(process.readAllStandardOutput());
}

// pdfinfo's "Pages" and the first page's size in points.
struct PdfInfo {
    int pages = 0;
    QSizeF size;
};

PdfInfo pdfInfo(const QString &pdf)
{
    QProcess process;
    process.start(QStringLiteral("pdfinfo"), {pdf});
    process.waitForFinished(30000);
    const QString text = QString::fromUtf8(process.readAllStandardOutput());
    PdfInfo info;
    static const QRegularExpression pages(QStringLiteral("^Pages:\\s+(\\d+)$"), QRegularExpression::MultilineOption);
    static const QRegularExpression size(QStringLiteral("^Page size:\\s+([\\d.]+) x ([\\d.]+) pts"),
                                         QRegularExpression::MultilineOption);
    info.pages = pages.match(text).captured(1).toInt();
    const QRegularExpressionMatch sized = size.match(text);
    info.size = QSizeF(sized.captured(1).toDouble(), sized.captured(2).toDouble());
    return info;
}

// How far down the page, as a share of its height, the lowest text (the
// legend under the grid) stands on a page.
double lowestTextShare(const QString &pdf, int page, double pageHeight)
{
    QProcess process;
    process.start(QStringLiteral("pdftotext"),
                  {"-bbox", "-f", QString::number(page), "-l", QString::number(page), pdf, "-"});
    process.waitForFinished(30000);
    static const QRegularExpression word(QStringLiteral("<word [^>]*yMin=\"([\\d.]+)\""));
    double lowest = 0;
    for (const QRegularExpressionMatch &match : word.globalMatch(QString::fromUtf8(process.readAllStandardOutput())))
        lowest = std::max(lowest, match.captured(1).toDouble());
    return lowest / pageHeight;
}

// The words of a page with their boxes.
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

const char *const HijriMonthNames[] = {"Muharram", "Safar",   "Rabi I",  "Rabi II", "Jumada I",      "Jumada II",
                                       "Rajab",    "Sha'ban", "Ramadan", "Shawwal", "Thu Al-Qa'dah", "Thu Al-Hijjah"};

QString monthName(const QCalendar &calendar, int month)
{
    return calendar.isGregorian() ? QLocale::c().monthName(month) : QString::fromLatin1(HijriMonthNames[month - 1]);
}

// What a month's page must show, worked out with Qt's calendars: the
// heading, the weekday of the 1st, every day's two numbers (the other
// calendar's with the letter of its month) and the legend: the first day's
// month at the left, the last day's at the right, the same one twice when
// the whole month lies in one month of the other calendar.
struct ExpectedPage {
    QString heading;
    int firstWeekday = 0; // 0 for Sunday
    QStringList leadDays;
    QStringList otherDays;
    QStringList legend;
};

ExpectedPage expectedPage(const QCalendar &lead, const QCalendar &other, int year, int month)
{
    ExpectedPage page;
    page.heading = monthName(lead, month) + u' ' + QString::number(year);
    const QDate first(year, month, 1, lead);
    page.firstWeekday = first.dayOfWeek() % 7;
    QList<std::pair<int, int>> otherMonths;
    QStringList entries;
    for (int day = 1; day <= lead.daysInMonth(month, year); ++day) {
        const QCalendar::YearMonthDay ymd = other.partsFromDate(QDate(year, month, day, lead));
        if (!otherMonths.contains(std::pair(ymd.year, ymd.month))) {
            otherMonths << std::pair(ymd.year, ymd.month);
            entries << QStringLiteral("%1 - %2 %3")
                           .arg(QChar(char16_t(u'A' + otherMonths.size() - 1)))
                           .arg(monthName(other, ymd.month))
                           .arg(ymd.year);
        }
        page.leadDays << QString::number(day);
        page.otherDays << QString::number(ymd.day) + QChar(char16_t(u'A' + otherMonths.size() - 1));
    }
    page.legend = QStringList{entries.first(), entries.last()};
    return page;
}
} // namespace

class TestCli : public QObject {
    Q_OBJECT
private slots:
    void convertsBothWays_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("date");
        QTest::addColumn<QString>("expected");
        QTest::newRow("today") << "to-hijri"
                               << "2024-07-16"
                               << "1446-01-09 Tuesday\n";
        QTest::newRow("today back") << "to-gregorian"
                                    << "1446-01-09"
                                    << "2024-07-16 Tuesday\n";
        QTest::newRow("first day of the era") << "to-hijri"
                                              << "622-07-16"
                                              << "0001-01-01 Friday\n";
        QTest::newRow("first day back") << "to-gregorian"
                                        << "0001-01-01"
                                        << "0622-07-16 Friday\n";
        QTest::newRow("leap day") << "to-hijri"
                                  << "2024-02-29"
                                  << "1445-08-19 Thursday\n";
        QTest::newRow("short fields") << "to-hijri"
                                      << "2024-7-16"
                                      << "1446-01-09 Tuesday\n";
        QTest::newRow("leading zeros") << "to-gregorian"
                                       << "01446-01-09"
                                       << "2024-07-16 Tuesday\n";
        QTest::newRow("after --") << "to-hijri"
                                  << "--\n2024-07-16"
                                  << "1446-01-09 Tuesday\n";
    }
    void convertsBothWays()
    {
        QFETCH(QString, command);
        QFETCH(QString, date);
        QFETCH(QString, expected);
        const Run run = runCli(QStringList{command} + date.split(u'\n'));
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, expected);
        QCOMPARE(run.status, 0);
    }

    // The ends of the range and of the Julian calendar, checked against Qt's
    // own calendars rather than against figures written here.
    void rangeEndsAgreeWithQt()
    {
        const QCalendar julian(QCalendar::System::Julian);
        const QCalendar hijri(QCalendar::System::IslamicCivil);
        const QDate days[] = {QDate(622, 7, 16, julian), QDate(622, 7, 17, julian), QDate(1582, 10, 4, julian),
                              QDate(1582, 10, 15),       QDate(9999, 12, 30),       QDate(9999, 12, 31)};
        for (const QDate day : days) {
            const QCalendar western = westernCalendarOf(day);
            const QCalendar::YearMonthDay w = western.partsFromDate(day);
            const QCalendar::YearMonthDay h = hijri.partsFromDate(day);
            const Run there = runCli({"to-hijri", QString::asprintf("%d-%d-%d", w.year, w.month, w.day)});
            QCOMPARE(there.out, written(day, hijri));
            const Run back = runCli({"to-gregorian", QString::asprintf("%d-%d-%d", h.year, h.month, h.day)});
            QCOMPARE(back.out, written(day, western));
        }
    }

    // What no engine converts: before the era, after 9999, the ten days
    // October 1582 left out, impossible days, and the Hijri side of each.
    void refusesWhatTheEngineRefuses_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<QString>("date");
        QTest::newRow("day before the era") << "to-hijri"
                                            << "622-07-15";
        QTest::newRow("year 10000") << "to-hijri"
                                    << "10000-01-01";
        QTest::newRow("October 5, 1582") << "to-hijri"
                                         << "1582-10-05";
        QTest::newRow("October 10, 1582") << "to-hijri"
                                          << "1582-10-10";
        QTest::newRow("October 14, 1582") << "to-hijri"
                                          << "1582-10-14";
        QTest::newRow("30 February") << "to-hijri"
                                     << "2023-02-29";
        QTest::newRow("month 13") << "to-hijri"
                                  << "2024-13-01";
        QTest::newRow("month 0") << "to-hijri"
                                 << "2024-00-10";
        QTest::newRow("day 0") << "to-hijri"
                               << "2024-07-00";
        QTest::newRow("Hijri year 0") << "to-gregorian"
                                      << "0-12-29";
        QTest::newRow("Hijri day 31") << "to-gregorian"
                                      << "1446-01-31";
        QTest::newRow("Hijri month 13") << "to-gregorian"
                                        << "1446-13-01";
        QTest::newRow("after the Hijri end") << "to-gregorian"
                                             << "9666-05-01";
    }
    void refusesWhatTheEngineRefuses()
    {
        QFETCH(QString, command);
        QFETCH(QString, date);
        const Run run = runCli({command, date});
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.contains(Refusal), qPrintable(run.err));
        QCOMPARE(run.status, 1);
    }

    // Texts that are not a date of the form YYYY-MM-DD are refused the same
    // way, in both directions; none is read as a neighbouring date.
    void refusesWhatIsNotADate_data()
    {
        QTest::addColumn<QString>("date");
        QTest::newRow("empty") << "";
        QTest::newRow("blank before") << " 2024-07-16";
        QTest::newRow("blank after") << "2024-07-16 ";
        QTest::newRow("line feed after") << "2024-07-16\n";
        QTest::newRow("tab inside") << "2024-07-\t16";
        QTest::newRow("year and month only") << "2024-07";
        QTest::newRow("a fourth field") << "2024-07-16-01";
        QTest::newRow("a time") << "2024-07-16T00:00";
        QTest::newRow("slashes") << "2024/07/16";
        QTest::newRow("plus sign") << "+2024-07-16";
        QTest::newRow("minus sign") << "-2024-07-16";
        QTest::newRow("negative month") << "2024--7-16";
        QTest::newRow("2024 plus 2^32") << "4294969320-07-16";
        QTest::newRow("twenty digits") << "99999999999999999999-07-16";
        QTest::newRow("day of 2^32 + 16") << "2024-07-4294967312";
        QTest::newRow("hexadecimal") << "0x7E8-07-16";
        QTest::newRow("decimal point") << "2024.0-07-16";
        QTest::newRow("Arabic-Indic digits") << QString::fromUtf8("٢٠٢٤-٠٧-١٦");
        QTest::newRow("full-width digits") << QString::fromUtf8("２０２４-07-16");
        QTest::newRow("words") << "yesterday";
    }
    void refusesWhatIsNotADate()
    {
        QFETCH(QString, date);
        for (const char *command : {"to-hijri", "to-gregorian"}) {
            const Run run = runCli({QString::fromLatin1(command), date});
            QCOMPARE(run.out, QString());
            QVERIFY2(run.err.contains(Refusal),
                     qPrintable(QString::fromLatin1(command) + QStringLiteral(": ") + run.err));
            QCOMPARE(run.status, 1);
        }
    }

    // Wrong use is told apart from a refused date: status 2, nothing on
    // standard output, and the message says what was wrong.
    void misuse_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::newRow("nothing") << QStringList{} << "no command";
        QTest::newRow("unknown command") << QStringList{"to-julian", "2024-07-16"} << "unknown command";
        QTest::newRow("empty command") << QStringList{""} << "unknown command";
        QTest::newRow("unknown option") << QStringList{"--frobnicate"} << "frobnicate";
        QTest::newRow("no date") << QStringList{"to-hijri"} << "takes one date";
        QTest::newRow("two dates") << QStringList{"to-gregorian", "1446-01-09", "1446-01-10"} << "takes one date";
    }
    void misuse()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        const Run run = runCli(arguments);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith(u"dovrin-cli: ") && run.err.contains(told), qPrintable(run.err));
        QVERIFY2(!run.err.contains(Refusal), qPrintable(run.err));
        QCOMPARE(run.status, 2);
    }

    // A whole year in each calendar, as a user would check the pages: one
    // page per month in order, each with its heading, weekday row, every day
    // in its column with the other calendar's day, and the legend.
    void pdfPagesOfAYear_data()
    {
        QTest::addColumn<bool>("hijri");
        QTest::addColumn<int>("year");
        QTest::newRow("Gregorian 2024") << false << 2024;
        QTest::newRow("Hijri 1446") << true << 1446;
    }
    void pdfPagesOfAYear()
    {
        QFETCH(bool, hijri);
        QFETCH(int, year);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("year.pdf"));
        QStringList arguments{"pdf", pdf, "--year", QString::number(year), "--from", "1", "--to", "12"};
        if (hijri)
            arguments << "--hijri";
        const Run run = runCli(arguments);
        QCOMPARE(run.err, QString());
        QCOMPARE(run.out, QString());
        QCOMPARE(run.status, 0);
        const PdfInfo info = pdfInfo(pdf);
        QCOMPARE(info.pages, 12);
        QCOMPARE(qRound(info.size.width()), 595); // A4 upright
        QCOMPARE(qRound(info.size.height()), 842);

        const QCalendar gregorian(QCalendar::System::Gregorian);
        const QCalendar islamic(QCalendar::System::IslamicCivil);
        const QCalendar &lead = hijri ? islamic : gregorian;
        const QCalendar &other = hijri ? gregorian : islamic;
        static const QRegularExpression leadDay(QStringLiteral("^\\d{1,2}$"));
        static const QRegularExpression otherDay(QStringLiteral("^\\d{1,2}[A-C]$"));
        for (int month = 1; month <= 12; ++month) {
            const ExpectedPage expected = expectedPage(lead, other, year, month);
            QStringList lines = pdfPageText(pdf, month).split(u'\n', Qt::SkipEmptyParts);
            for (QString &line : lines)
                line = line.simplified();
            lines.removeAll(QString());
            QVERIFY2(lines.size() > 4, qPrintable(lines.join(u'\n')));
            const QString where = expected.heading + QStringLiteral(": ");
            QCOMPARE(where + lines[0], where + expected.heading);
            QCOMPARE(lines[1], QStringLiteral("Sunday Monday Tuesday Wednesday Thursday Friday Saturday"));
            const QString legend = lines.takeLast();
            QCOMPARE(where + legend, where + expected.legend.join(u' '));
            QStringList leadDays, otherDays;
            for (const QString &line : lines.mid(2)) {
                for (const QString &word : line.split(u' ')) {
                    if (leadDay.match(word).hasMatch())
                        leadDays << word;
                    else if (otherDay.match(word).hasMatch())
                        otherDays << word;
                    else
                        QFAIL(qPrintable(where + QStringLiteral("stray text '%1'").arg(word)));
                }
            }
            QCOMPARE(leadDays, expected.leadDays);
            QCOMPARE(otherDays, expected.otherDays);
            // The 1st stands under its weekday: its text starts in that
            // column of the weekday row (the row spreads over the grid).
            const QStringList raw = pdfPageText(pdf, month).split(u'\n');
            const qsizetype header = raw.indexOf(QRegularExpression(QStringLiteral("\\s*Sunday\\s+Monday.*")));
            QVERIFY(header >= 0 && header + 1 < raw.size());
            const qsizetype firstAt = raw[header + 1].indexOf(QRegularExpression(QStringLiteral("\\b1\\b")));
            const QString weekday
                = QLocale::c().standaloneDayName(expected.firstWeekday == 0 ? 7 : expected.firstWeekday);
            const qsizetype weekdayAt = raw[header].indexOf(weekday);
            const qsizetype nextWeekdayAt = expected.firstWeekday == 6
                ? raw[header].size()
                : raw[header].indexOf(QLocale::c().standaloneDayName(expected.firstWeekday + 1));
            QVERIFY2(firstAt >= weekdayAt - 12 && firstAt < nextWeekdayAt - 4,
                     qPrintable(where + raw[header] + u'\n' + raw[header + 1]));
        }
    }

    // Other papers and the long side: the page has that size and the
    // month is laid out on it, heading and legend included.
    void pdfPaper_data()
    {
        QTest::addColumn<QStringList>("options");
        QTest::addColumn<QSize>("points");
        QTest::newRow("A4 lying") << QStringList{"--landscape"} << QSize(842, 595);
        QTest::newRow("letter") << QStringList{"--paper", "letter"} << QSize(612, 792);
        QTest::newRow("letter lying") << QStringList{"--paper", "letter", "--landscape"} << QSize(792, 612);
        QTest::newRow("A5") << QStringList{"--paper", "a5"} << QSize(420, 595);
        QTest::newRow("A5 lying, Hijri") << QStringList{"--paper", "a5", "--landscape", "--hijri"} << QSize(595, 420);
    }
    void pdfPaper()
    {
        QFETCH(QStringList, options);
        QFETCH(QSize, points);
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("paper.pdf"));
        const bool hijri = options.contains(u"--hijri");
        const QString year = hijri ? QStringLiteral("1446") : QStringLiteral("2024");
        const Run run = runCli(QStringList{"pdf", pdf, "--year", year, "--from", "7", "--to", "8"} + options);
        QCOMPARE(run.status, 0);
        const PdfInfo info = pdfInfo(pdf);
        QCOMPARE(info.pages, 2);
        QCOMPARE(info.size.toSize(), points);
        const QString text = pdfPageText(pdf, 2).simplified();
        const QCalendar gregorian(QCalendar::System::Gregorian);
        const QCalendar islamic(QCalendar::System::IslamicCivil);
        const ExpectedPage expected
            = expectedPage(hijri ? islamic : gregorian, hijri ? gregorian : islamic, year.toInt(), 8);
        QVERIFY2(text.startsWith(expected.heading), qPrintable(text));
        QVERIFY2(text.endsWith(expected.legend.join(u' ')), qPrintable(text));
        // The page is laid out for the paper as it lies: a wide grid low on
        // lying paper, a narrower one in the upper half of upright paper.
        const double legendAt = lowestTextShare(pdf, 2, info.size.height());
        if (points.width() > points.height())
            QVERIFY2(legendAt > 0.75 && legendAt < 0.95, qPrintable(QString::number(legendAt)));
        else
            QVERIFY2(legendAt > 0.4 && legendAt < 0.6, qPrintable(QString::number(legendAt)));
    }

    // A user whose locale writes "1,5" gets the same pages and the same
    // refusals: nothing the tool reads or writes follows the locale.
    void pdfInADecimalCommaLocale()
    {
        const QString german = QStringLiteral("de_DE.UTF-8");
        if (!std::setlocale(LC_NUMERIC, qPrintable(german)))
            QSKIP("no de_DE.UTF-8 locale here (localedef -i de_DE -f UTF-8 de_DE.UTF-8 makes one)");
        std::setlocale(LC_NUMERIC, "C");
        QTemporaryDir dir;
        const QStringList range{"--year", "2024", "--from", "2", "--to", "3", "--paper", "a5", "--landscape"};
        const Run inC = runCli(QStringList{"pdf", dir.filePath(QStringLiteral("c.pdf"))} + range);
        const Run inGerman = runCli(QStringList{"pdf", dir.filePath(QStringLiteral("de.pdf"))} + range,
                                    QStringLiteral(DOVRIN_CLI), QString(), german);
        QCOMPARE(inC.status, 0);
        QCOMPARE(inGerman.status, 0);
        QCOMPARE(inGerman.err, QString());
        for (int page : {1, 2}) {
            const QStringList words = wordsOf(dir.filePath(QStringLiteral("c.pdf")), page);
            QVERIFY(words.size() > 60);
            QCOMPARE(wordsOf(dir.filePath(QStringLiteral("de.pdf")), page), words);
        }
        const Run decimal
            = runCli({"pdf", dir.filePath(QStringLiteral("x.pdf")), "--year", "2024", "--from", "1,5", "--to", "2"},
                     QStringLiteral(DOVRIN_CLI), QString(), german);
        QCOMPARE(decimal.status, 2);
        QVERIFY2(decimal.err.contains(u"takes a whole number"), qPrintable(decimal.err));
    }

    // The dialog's refusals, the ranges' edges, and what a script may get
    // wrong: each told on standard error with its status, nothing on
    // standard output, and no file (nor a temporary one) left behind; a
    // file already there is kept as it was.
    void pdfRefusals_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QString>("told");
        QTest::addColumn<int>("status");
        const QString months = QStringLiteral("Check your 'From Month' or 'To Month' limits");
        const QString dates = QStringLiteral("Check your date limits");
        const QString number = QStringLiteral("takes a whole number");
        QTest::newRow("month 13") << QStringList{"--year", "2024", "--from", "1", "--to", "13"} << months << 1;
        QTest::newRow("month 0") << QStringList{"--year", "2024", "--from", "0", "--to", "3"} << months << 1;
        QTest::newRow("negative month") << QStringList{"--year", "2024", "--from", "-1", "--to", "3"} << months << 1;
        QTest::newRow("months before dates") << QStringList{"--year", "0", "--from", "1", "--to", "13"} << months << 1;
        QTest::newRow("June 622") << QStringList{"--year", "622", "--from", "6", "--to", "7"} << dates << 1;
        QTest::newRow("February 2562") << QStringList{"--year", "2562", "--from", "1", "--to", "2"} << dates << 1;
        QTest::newRow("Hijri year 0") << QStringList{"--year", "0", "--from", "1", "--to", "1", "--hijri"} << dates
                                      << 1;
        QTest::newRow("Hijri Safar 2000")
            << QStringList{"--year", "2000", "--from", "1", "--to", "2", "--hijri"} << dates << 1;
        QTest::newRow("year beyond 32 bits")
            << QStringList{"--year", "99999999999", "--from", "1", "--to", "1"} << dates << 1;
        QTest::newRow("From after To") << QStringList{"--year", "2024", "--from", "5", "--to", "3"}
                                       << "no month to print" << 1;
        QTest::newRow("letters after the year")
            << QStringList{"--year", "2024x", "--from", "1", "--to", "1"} << number << 2;
        QTest::newRow("decimal month") << QStringList{"--year", "2024", "--from", "1.5", "--to", "2"} << number << 2;
        QTest::newRow("empty month") << QStringList{"--year", "2024", "--from", "1", "--to", ""} << number << 2;
        QTest::newRow("blank in the year") << QStringList{"--year", " 2024", "--from", "1", "--to", "1"} << number << 2;
        QTest::newRow("Arabic-Indic digits")
            << QStringList{"--year", QString::fromUtf8("٢٠٢٤"), "--from", "1", "--to", "1"} << number << 2;
        QTest::newRow("no value") << QStringList{"--year", "2024", "--from", "1", "--to"} << "Missing value" << 2;
        QTest::newRow("no --to") << QStringList{"--year", "2024", "--from", "1"} << "needs --to" << 2;
        QTest::newRow("no --year") << QStringList{"--from", "1", "--to", "1"} << "needs --year" << 2;
        QTest::newRow("unknown paper") << QStringList{"--year", "2024", "--from", "1", "--to", "1", "--paper", "a3"}
                                       << "unknown paper 'a3'" << 2;
        QTest::newRow("unknown option") << QStringList{"--year", "2024", "--from", "1", "--to", "1", "--colour"}
                                        << "colour" << 2;
        QTest::newRow("a second file") << QStringList{"--year", "2024", "--from", "1", "--to", "1", "other.pdf"}
                                       << "one FILE" << 2;
    }
    void pdfRefusals()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QString, told);
        QFETCH(int, status);
        QTemporaryDir dir;
        QFile old(dir.filePath(QStringLiteral("out.pdf")));
        QVERIFY(old.open(QIODevice::WriteOnly));
        old.write("last year's");
        old.close();
        const Run run = runCli(QStringList{"pdf", "out.pdf"} + arguments, QStringLiteral(DOVRIN_CLI), dir.path());
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith(u"dovrin-cli: ") && run.err.contains(told), qPrintable(run.err));
        QCOMPARE(run.status, status);
        QCOMPARE(QDir(dir.path()).entryList(QDir::Files), QStringList{"out.pdf"});
        QVERIFY(old.open(QIODevice::ReadOnly));
        QCOMPARE(old.readAll(), QByteArray("last year's"));
    }

    // A FILE that cannot be written: said so, status 4, nothing left.
    void pdfUnwritableFile()
    {
        QTemporaryDir dir;
        QFile plain(dir.filePath(QStringLiteral("plain")));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(QDir(dir.path()).mkdir(QStringLiteral("folder")));
        for (const QString &file :
             {dir.filePath(QStringLiteral("plain/out.pdf")), dir.filePath(QStringLiteral("missing/out.pdf")),
              dir.filePath(QStringLiteral("folder"))}) {
            const Run run = runCli({"pdf", file, "--year", "2024", "--from", "1", "--to", "2"});
            QCOMPARE(run.out, QString());
            QVERIFY2(run.err.startsWith(u"dovrin-cli: Cannot write") && run.err.contains(file), qPrintable(run.err));
            QCOMPARE(run.status, 4);
        }
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot), QStringList({"folder", "plain"}));
        QVERIFY(QDir(dir.filePath(QStringLiteral("folder"))).isEmpty());
    }

    // The edges of both spans print: July 622, January 2562, Hijri 1/1 and
    // 2000/1, and October 1582 with its missing days.
    void pdfSpanEdges()
    {
        QTemporaryDir dir;
        const QString pdf = dir.filePath(QStringLiteral("edge.pdf"));
        const QStringList rows[] = {{"622", "7", "12"},
                                    {"2562", "1", "1"},
                                    {"1", "1", "1", "--hijri"},
                                    {"2000", "1", "1", "--hijri"},
                                    {"1582", "10", "10"}};
        for (const QStringList &row : rows) {
            const Run run
                = runCli(QStringList{"pdf", pdf, "--year", row[0], "--from", row[1], "--to", row[2]} + row.mid(3));
            QVERIFY2(run.status == 0, qPrintable(row.join(u' ') + u' ' + run.err));
            QCOMPARE(pdfInfo(pdf).pages, row[2].toInt() - row[1].toInt() + 1);
        }
        // 4 October (Julian) is followed by 15 October on the reform's page.
        const QString reform = pdfPageText(pdf, 1).simplified();
        QVERIFY2(reform.contains(QRegularExpression(QStringLiteral("\\b4 \\d+A 15\\b|\\b4 15\\b"))),
                 qPrintable(reform));
        QVERIFY2(!reform.contains(QRegularExpression(QStringLiteral("(^| )(5|6|7|8|9|10|11|12|13|14)( |$)"))),
                 qPrintable(reform));
    }

    void helpAndVersion()
    {
        const Run version = runCli({"--version"});
        QCOMPARE(version.out, QStringLiteral("dovrin-cli " DOVRIN_VERSION "\n"));
        QCOMPARE(version.status, 0);

        const Run help = runCli({"--help"});
        QCOMPARE(help.status, 0);
        QCOMPARE(help.err, QString());
        QVERIFY(help.out.startsWith(u"Usage: "));
        QCOMPARE(helpEntries(help.out),
                 QStringList({"-h, --help", "-v, --version", "pdf FILE", "to-gregorian DATE", "to-hijri DATE"}));

        for (const char *command : {"to-hijri", "to-gregorian"}) {
            const Run commandHelp = runCli({QString::fromLatin1(command), "--help"});
            QCOMPARE(commandHelp.status, 0);
            QVERIFY2(commandHelp.out.contains(QString::fromLatin1(command) + QStringLiteral(" DATE")),
                     qPrintable(commandHelp.out));
            QVERIFY2(commandHelp.out.contains(u"YYYY-MM-DD"), qPrintable(commandHelp.out));
        }
    }

    // The manual lists exactly the options and commands --help lists.
    void manualPageMatchesHelp()
    {
        QFile page(QStringLiteral(DOVRIN_MAN_PAGE));
        QVERIFY(page.open(QIODevice::ReadOnly));
        const QString text = QString::fromUtf8(page.readAll());
        QCOMPARE(manualEntries(text), helpEntries(runCli({"--help"}).out));
        const QStringList pdfOptions = helpEntries(runCli({"pdf", "--help"}).out, {"Options"});
        QVERIFY(pdfOptions.contains(u"--paper SIZE"));
        QCOMPARE(manualEntries(text, {"PDF OPTIONS"}), pdfOptions);
        QVERIFY(text.contains(QStringLiteral(".TH DOVRIN-CLI 1 ")));
        QVERIFY(text.contains(Refusal));
    }

    // The engine comes from the program's own folder only: a copy of the
    // program with no engine beside it refuses to work, even with an engine
    // in the working directory; with one in ../lib/dovrin it works.
    void loadsTheEngineOnlyFromItsOwnPlace()
    {
        QTemporaryDir root;
        QVERIFY(root.isValid());
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("bin")));
        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("work")));
        const QString program = root.filePath(QStringLiteral("bin/dovrin-cli"));
        QVERIFY(QFile::copy(QStringLiteral(DOVRIN_CLI), program));
        QVERIFY(QFile::copy(QStringLiteral(DOVRIN_ENGINE), root.filePath(QStringLiteral("work/libzendat32.so"))));

        const Run alone = runCli({"to-hijri", "2024-07-16"}, program, root.filePath(QStringLiteral("work")));
        QCOMPARE(alone.out, QString());
        QVERIFY2(alone.err.contains(u"could not be loaded"), qPrintable(alone.err));
        QCOMPARE(alone.status, 3);
        // Help and version need no engine.
        QCOMPARE(runCli({"--version"}, program).status, 0);

        QVERIFY(QDir(root.path()).mkpath(QStringLiteral("lib/dovrin")));
        QVERIFY(QFile::copy(QStringLiteral(DOVRIN_ENGINE), root.filePath(QStringLiteral("lib/dovrin/libzendat32.so"))));
        QCOMPARE(runCli({"to-hijri", "2024-07-16"}, program).out, QStringLiteral("1446-01-09 Tuesday\n"));
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
