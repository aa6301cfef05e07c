// dovrin-cli run as a process, as scripts run it: no display, the answer on
// standard output, the refusal on standard error with a non-zero status.
#include <QCalendar>
#include <QDate>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Run {
    int status = -1;
    QString out;
    QString err;
};

// Runs dovrin-cli with no display at all, from a folder of the test's own.
Run runCli(const QStringList &arguments, const QString &program = QStringLiteral(DOVRIN_CLI),
           const QString &workingDir = QString())
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LD_LIBRARY_PATH"})
        env.remove(QString::fromLatin1(name));
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

// The lines a page of help or a manual lists as options and commands, with
// their operands: "-h, --help", "to-hijri DATE".
QStringList helpEntries(const QString &help)
{
    QStringList entries;
    static const QRegularExpression entry(QStringLiteral("^  (\\S+(?:, \\S+| [A-Z]+)?)  "));
    QString section;
    for (const QString &line : help.split(u'\n')) {
        if (line.endsWith(u':') && !line.startsWith(u' '))
            section = line.chopped(1);
        const QRegularExpressionMatch match = entry.match(line);
        if (match.hasMatch() && (section == u"Commands" || section == u"Options"))
            entries << match.captured(1);
    }
    entries.sort();
    return entries;
}

QStringList manualEntries(const QString &page)
{
    QStringList entries;
    const QStringList lines = page.split(u'\n');
    QString section;
    for (qsizetype i = 0; i + 1 < lines.size(); ++i) {
        if (lines[i].startsWith(u".SH "))
            section = lines[i].mid(4);
        if (lines[i] != u".TP" || (section != u"COMMANDS" && section != u"OPTIONS"))
            continue;
        QString tag = lines[i + 1];
        tag.remove(QRegularExpression(QStringLiteral("\\\\f[BIRP]")))
            .replace(QStringLiteral("\\-"), QStringLiteral("-"));
        entries << tag;
    }
    entries.sort();
    return entries;
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
        QTest::newRow("not yet a command") << QStringList{"pdf", "out.pdf"} << "unknown command";
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
                 QStringList({"-h, --help", "-v, --version", "to-gregorian DATE", "to-hijri DATE"}));

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
