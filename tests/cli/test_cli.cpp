// dovrin-cli run as scripts run it (no display, as under cron; a decimal-comma locale): the answer on
// standard output, a refusal on standard error with a non-zero status.
#include "core/version.h"
#include "testsupport.h"

#include <QCalendar>
#include <QRegularExpression>
#include <QTemporaryDir>

using namespace testsupport;

namespace {
Run cli(const QStringList &arguments, const QString &dir = {}, const QString &program = DOVRIN_CLI)
{
    return run(program, arguments, {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM", "LC_ALL=de_DE.UTF-8"}, dir);
}
const QStringList Weekdays = QString("Sunday Monday Tuesday Wednesday Thursday Friday Saturday").split(u' ');
const QStringList Hijri{"Muharram", "Safar",   "Rabi I",  "Rabi II", "Jumada I",      "Jumada II",
                        "Rajab",    "Sha'ban", "Ramadan", "Shawwal", "Thu Al-Qa'dah", "Thu Al-Hijjah"};
QString monthName(const QCalendar &c, int m) { return c.isGregorian() ? QLocale::c().monthName(m) : Hijri[m - 1]; }
} // namespace

class TestCli : public QObject {
    Q_OBJECT
    QTemporaryDir bare, installed; // bin/dovrin-cli without an engine, and with one in ../lib/dovrin
private slots:
    void initTestCase()
    {
        QVERIFY(userLocaleInEffect());
        for (const QTemporaryDir *root : {&bare, &installed})
            QVERIFY(QDir(root->path()).mkpath("bin") && QFile::copy(DOVRIN_CLI, root->filePath("bin/dovrin-cli")));
        QVERIFY(QDir(installed.path()).mkpath("lib/dovrin")
                && QFile::copy(DOVRIN_ENGINE, installed.filePath("lib/dovrin/libzendat32.so")));
        QCOMPARE(cli({"--version"}, {}, bare.filePath("bin/dovrin-cli")).out, "dovrin-cli " DOVRIN_VERSION "\n");
    }

    // status|what it writes|arguments, run as installed (3: with no engine, one
    // lying in the working directory): 0 writes on standard output, a refusal
    // one line on standard error. No file left (nor a temporary one), an old one kept.
    void commandLines_data()
    {
        QTest::addColumn<QStringList>("row");
        const QString p = "|pdf|out.pdf|--year|";
        // clang-format off
        QStringList rows{"0|1446-01-09 Tuesday|to-hijri|2024-07-16", "0|2024-07-16 Tuesday|to-gregorian|1446-1-9",
            "0|1446-01-09 Tuesday|to-hijri|--|2024-07-16", "0|0001-01-01 Friday|to-hijri|622-07-16",
            "0|0622-07-16 Friday|to-gregorian|0001-01-01", "0|0990-09-16 Thursday|to-hijri|1582-10-04",
            "0|0990-09-17 Friday|to-hijri|1582-10-15", "0|1582-10-15 Friday|to-gregorian|990-09-17",
            "0|9666-04-02 Friday|to-hijri|9999-12-31", "0|9999-12-31 Friday|to-gregorian|9666-04-02",
            "2|no command", "2|unknown command|to-julian|2024-07-16", "2|takes one date|to-hijri|2024-07-16|2024-07-17",
            "2|Unknown option '--bogus'|to-hijri|--bogus", "2|Unknown option '-x'|to-gregorian|1446-01-09|-x",
            "1|'To Month' limits" + p + "2024|--from|1|--to|13", "1|date limits" + p + "622|--from|6|--to|7",
            "1|date limits" + p + "2562|--from|1|--to|2", "1|date limits" + p + "2000|--from|1|--to|2|--hijri",
            "1|no month to write" + p + "2024|--from|5|--to|3", "1|date limits|ics|out.pdf|--year|0|--hijri",
            "2|needs --year|ics|out.pdf", "2|takes a whole number" + p + "2024|--from|1,5|--to|2",
            "2|needs --to" + p + "2024|--from|1", "2|unknown paper 'a3'" + p + "2024|--from|1|--to|1|--paper|a3",
            "4|Cannot write|pdf|missing/out.pdf|--year|2024|--from|1|--to|1",
            "3|could not be loaded|to-hijri|2024-07-16", "3|could not be loaded" + p + "2024|--from|1|--to|1"};
        for (const char *date : {"to-hijri|622-07-15", "to-hijri|10000-01-01", "to-hijri|1582-10-05", "to-hijri|1582-10-14",
                "to-hijri|2023-02-29", "to-hijri| 2024-07-16", "to-hijri|2024/07/16", "to-hijri|4294969320-07-16", "to-hijri|",
                "to-hijri|\u0662\u0660\u0662\u0664-07-16", "to-gregorian|0-12-29", "to-gregorian|1446-01-31",
                "to-gregorian|9666-04-03", "to-gregorian|1446-1-9x"})
            rows << QString("1|Date out of range|") + date;
        // clang-format on
        for (const QString &row : rows)
            QTest::newRow(qPrintable(row)) << row.split(u'|');
    }
    void commandLines()
    {
        QFETCH(QStringList, row);
        QTemporaryDir dir;
        QVERIFY(QFile::copy(DOVRIN_ENGINE, dir.filePath("libzendat32.so"))
                && QFile::copy(DOVRIN_MAN_PAGE, dir.filePath("out.pdf")));
        const Run r = cli(row.mid(2), dir.path(), (row[0] == u"3" ? bare : installed).filePath("bin/dovrin-cli"));
        const QString &said = row[0] == u"0" ? r.out : r.err, &silent = row[0] == u"0" ? r.err : r.out;
        QVERIFY2(silent.isEmpty() && said.startsWith(row[0] == u"0" ? row[1] : "dovrin-cli: ") && said.contains(row[1])
                     && said.endsWith(u'\n') && said.count(u'\n') == 1,
                 qPrintable(r.out + r.err));
        QCOMPARE(r.status, row[0].toInt());
        QCOMPARE(QDir(dir.path()).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::Hidden),
                 QStringList({"libzendat32.so", "out.pdf"}));
        QCOMPARE(run("cmp", {dir.filePath("out.pdf"), DOVRIN_MAN_PAGE}).status, 0);
    }

    // year from to options;pages;their size in points;the last page (default: its legend). Past
    // the reform Qt's calendars tell each page: heading, weekdays, every day, the other calendar's
    // day and its month's letter ("5A"; week by week, each in its order), that legend, the 1st's week.
    void pdf_data()
    {
        QTest::addColumn<QStringList>("row");
        for (const char *row :
             {"2024 1 12;12;595 x 842", "1446 1 12 --hijri;12;595 x 842", "2024 7 8 --landscape;2;842 x 595",
              "2024 7 8 --paper letter;2;612 x 792", "1446 7 8 --paper a5 --landscape --hijri;2;595 x 420",
              "622 7 12;6;595 x 842", "2562 1 1;1;595 x 842", "1 1 1 --hijri;1;595 x 842",
              "2000 1 1 --hijri;1;595 x 842", "1582 10 10;1;595 x 842;^(?!.* ([5-9]|1[0-4]) ).* 1 2 3 4 15 16 .* 31 "})
            QTest::newRow(row) << QString(row).split(u';');
    }
    void pdf()
    {
        QFETCH(QStringList, row);
        const QStringList a = row[0].split(u' ');
        const int year = a[0].toInt(), from = a[1].toInt();
        QTemporaryDir dir;
        const QString pdf = dir.filePath("out.pdf");
        QCOMPARE(cli(QStringList{"pdf", pdf, "--year", a[0], "--from", a[1], "--to", a[2]} + a.mid(3)).err, "");
        const QString info = run("pdfinfo", {pdf}).out.simplified();
        QVERIFY2(info.contains(QRegularExpression("Pages: " + row[1] + " .* Page size: " + row[2] + " pts")),
                 qPrintable(info));
        const QString end = pdfText(pdf, row[1].toInt()).simplified();
        QVERIFY2(end.contains(QRegularExpression(row.value(3, " [A-C] - \\S.* \\d+$"))), qPrintable(end));
        if (a.contains("--hijri") ? year < 1000 : year <= 1582)
            return;
        const QCalendar gregorian(QCalendar::System::Gregorian), hijri(QCalendar::System::IslamicCivil);
        const QCalendar &lead = a.contains("--hijri") ? hijri : gregorian, &other = &lead == &hijri ? gregorian : hijri;
        const auto otherMonth = [&](QDate d) { return monthName(other, d.month(other)) + d.toString(u" yyyy", other); };
        for (int month = from; month <= a[2].toInt(); ++month) {
            const QDate first(year, month, 1, lead), last = first.addDays(lead.daysInMonth(month, year) - 1);
            QStringList days = (monthName(lead, month) + u' ' + a[0]).split(u' ') + Weekdays, otherDays;
            char16_t letter = u'A';
            for (QDate d = first; d <= last; d = d.addDays(1)) {
                letter += d != first && d.day(other) == 1;
                days << QString::number(d.day(lead));
                otherDays << QString::number(d.day(other)) + QChar(letter);
            }
            days << ("A - " + otherMonth(first) + u' ' + QChar(letter) + " - " + otherMonth(last)).split(u' ');
            const QString text = pdfText(pdf, month - from + 1);
            const QStringList words = text.simplified().split(u' '), lines = text.split(u'\n');
            QCOMPARE(words.filter(QRegularExpression("^\\d+[A-C]$")), otherDays);
            QCOMPARE(words.filter(QRegularExpression("^(?!\\d+[A-C]$)")), days);
            const qsizetype header = lines.indexOf(QRegularExpression(" *Sunday .*")); // then the 1st's week:
            QCOMPARE(lines.value(header + 1).simplified().split(u' ').size(), 7 - first.dayOfWeek() % 7);
        }
    }

    // --help names the program and its commands; the manual lists what --help and pdf --help list
    // (the entries of help's "  entry  description" lines before "Arguments:", the manual's .TP items).
    void helpMatchesManual()
    {
        const QString help = cli({"--help"}).out;
        QVERIFY2(help.startsWith(u"Usage: dovrin-cli [options]"), qPrintable(help)); // not the path it ran from
        const auto entries = [](QString text) {
            text.remove(QRegularExpression("\\\\f[BIRP]|[<>]")).replace("\\-", "-");
            text.replace(QRegularExpression("^\\.TP\\n(.+)$", QRegularExpression::MultilineOption), "  \\1  ");
            QStringList lines = text.section("Arguments:", 0, 0).split(u'\n').filter(QRegularExpression("^  \\S"));
            lines.replaceInStrings(QRegularExpression("^  (\\S+(?:, \\S+| \\S+)?)  .*$"), "\\1").sort();
            return lines;
        };
        QCOMPARE(entries(help).join(u';'),
                 "-h, --help;-v, --version;ics FILE;pdf FILE;to-gregorian DATE;to-hijri DATE");
        const QStringList sections = run("cat", {DOVRIN_MAN_PAGE}).out.split("\n.SH ");
        QCOMPARE(entries(sections.filter(QRegularExpression("^(COMMANDS|OPTIONS)\n")).join(u'\n')), entries(help));
        const QStringList pdfOptions = entries(cli({"pdf", "--help"}).out);
        QCOMPARE(entries(sections.filter(QRegularExpression("^\"PDF AND ICS OPTIONS\"\n")).join(u'\n')), pdfOptions);
    }
};

QTEST_GUILESS_MAIN(TestCli)
#include "test_cli.moc"
