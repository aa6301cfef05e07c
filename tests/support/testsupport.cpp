#include "testsupport.h"

#include "platform/controls/messagebox.h"
#include "platform/engineloader/engineloader.h"
#include "print/calprint.h"

#include <QMenuBar>
#include <QProcess>
#include <QRadioButton>
#include <clocale>

namespace testsupport {

void addRows(std::initializer_list<const char *> rows)
{
    QTest::addColumn<QStringList>("row");
    for (const QString row : rows)
        QTest::newRow(qPrintable(row.section(u'|', 0, 0))) << row.split(u'|').mid(1);
}

const core::CalendarEngine &realEngine()
{
    static const auto engine = platform::loadEngine(QCoreApplication::applicationDirPath());
    if (!engine)
        qFatal("%s", qPrintable(engine.failure().oneLine()));
    core::setEngine(engine->get());
    return **engine;
}

QAction *entry(const QWidget &window, const char *name)
{
    QAction *action = window.findChild<QAction *>(QLatin1StringView(name));
    if (!action)
        qFatal("no menu entry %s", name);
    return action;
}

bool activate(QWidget &window)
{
    window.show();
    window.activateWindow();
    return QTest::qWaitFor([&] { return QApplication::activeWindow() == &window; }, 5000);
}

void type(QLineEdit *box, const QString &text, bool leave)
{
    box->setFocus(Qt::TabFocusReason);
    QTest::keyClicks(box, text);
    if (leave)
        QTest::keyClick(box, Qt::Key_Tab);
}

void click(QAbstractButton *button)
{
    const bool option = qobject_cast<QRadioButton *>(button);
    QTest::mouseClick(button, Qt::LeftButton, {}, option ? QPoint(8, button->height() / 2) : QPoint());
}

bool showsBeginning(QLineEdit *box)
{
    box->grab(); // a paint scrolls the text to where its cursor is
    return box->cursorPosition() == 0
        && box->inputMethodQuery(Qt::ImCursorRectangle).toRect().left() < box->width() / 4;
}

MessageCatcher::MessageCatcher()
{
    platform::setMessageHook(
        [this](const QString &text, const QString &title) { shown << title + QStringLiteral(": ") + text; });
}

MessageCatcher::~MessageCatcher() { platform::setMessageHook({}); }

void fill(CalPrint &dialog, bool hijri, const QStringList &yearFromTo)
{
    option(dialog, hijri ? "OPTHegiry" : "OPTGregorian")->setChecked(true);
    box(dialog, "YearTXTPRT")->setText(yearFromTo[0]);
    box(dialog, "FromMonthTXTPRT")->setText(yearFromTo[1]);
    box(dialog, "ToMonthTXTPRT")->setText(yearFromTo[2]);
}

void print(CalPrint &dialog, bool hijri, const QStringList &yearFromTo)
{
    fill(dialog, hijri, yearFromTo);
    dialog.PrintPRT_Click();
}

std::vector<RecordingPrinter::Op> textsOf(const RecordingPrinter &printer, int document)
{
    return printer.opsOf(document, RecordingPrinter::Op::Text);
}

std::optional<RecordingPrinter::Op> headingOf(const RecordingPrinter &printer, int document)
{
    for (const RecordingPrinter::Op &op : textsOf(printer, document))
        if (op.font.pointSizeF() == 30)
            return op;
    return std::nullopt;
}

Run run(const QString &program, const QStringList &arguments, const QStringList &environment, const QString &workingDir)
{
    QProcess process;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    for (const QString &setting : environment) // NAME=value sets, NAME alone removes
        setting.contains(u'=') ? env.insert(setting.section(u'=', 0, 0), setting.section(u'=', 1))
                               : env.remove(setting);
    process.setProcessEnvironment(env);
    process.setWorkingDirectory(workingDir);
    process.start(program, arguments);
    if (!process.waitForStarted())
        return {};
    if (!process.waitForFinished(60000)) {
        process.kill();
        process.waitForFinished();
    }
    const bool ended = process.exitStatus() == QProcess::NormalExit && process.error() != QProcess::Timedout;
    return {ended ? process.exitCode() : -1, QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError())};
}

QString pdfText(const QString &pdf, int page, bool layout)
{
    const QString p = QString::number(page);
    return run(QStringLiteral("pdftotext"), {layout ? "-layout" : "-raw", "-f", p, "-l", p, pdf, "-"}).out;
}

bool userLocaleInEffect()
{
    return !qgetenv("LC_ALL").startsWith("de_DE") || QByteArray(std::localeconv()->decimal_point) == ",";
}

} // namespace testsupport
