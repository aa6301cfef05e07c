// What the tests share: the engines, controls by name, a user's hands, message boxes, printing, other programs.
#pragma once

#include "core/calendarengine.h"
#include "platform/controls/controltable.h"
#include "recordingprinter.h"

#include <QApplication>
#include <QTest>
#include <functional>
#include <optional>

class CalPrint;
class QMenu;

namespace testsupport {

// Data rows of one line each, "name|field|field...": the column "row" holds the fields.
void addRows(std::initializer_list<const char *> rows);

// The engine library beside the test program, installed as the program's engine once.
const core::CalendarEngine &realEngine();

// The real engine, with any operation a lambda is given for replaced by it.
struct FakeEngine : core::CalendarEngine {
    std::function<int32_t(int32_t, int32_t)> gregMonthDays, hijriMonthDays;
    std::function<int32_t(int32_t, int32_t, int32_t)> weekDayOf;
    std::function<core::Ymd(int32_t, int32_t, int32_t)> hijriToGreg, gregToHijri;
    const core::CalendarEngine &real = realEngine();
#define DOVRIN_FAKE(Type, Name, name, ...)                                                                             \
    Type Name(int32_t y, int32_t m __VA_OPT__(, int32_t d)) const override                                             \
    {                                                                                                                  \
        return name ? name(y, m __VA_OPT__(, d)) : real.Name(y, m __VA_OPT__(, d));                                    \
    }
    DOVRIN_FAKE(int32_t, GregMonthDays, gregMonthDays)
    DOVRIN_FAKE(int32_t, HijriMonthDays, hijriMonthDays)
    DOVRIN_FAKE(int32_t, WeekDayOf, weekDayOf, d)
    DOVRIN_FAKE(core::Ymd, HijriToGreg, hijriToGreg, d)
    DOVRIN_FAKE(core::Ymd, GregToHijri, gregToHijri, d)
#undef DOVRIN_FAKE
    bool CheckGregDate(int32_t y, int32_t m, int32_t d) const override { return real.CheckGregDate(y, m, d); }
    bool CheckHijriDate(int32_t y, int32_t m, int32_t d) const override { return real.CheckHijriDate(y, m, d); }
};

// A window's controls by kind and by the name its table gives them.
template <class T = QWidget> T *find(const QWidget &window, const char *name)
{
    T *control = platform::findControl<T>(window, name);
    if (!control)
        qFatal("no control %s in %s", name, qPrintable(window.objectName()));
    return control;
}
inline platform::NumberBox *box(const QWidget &w, const char *name) { return find<platform::NumberBox>(w, name); }
inline QLabel *label(const QWidget &w, const char *name) { return find<QLabel>(w, name); }
inline QPushButton *button(const QWidget &w, const char *name) { return find<QPushButton>(w, name); }
inline QRadioButton *option(const QWidget &w, const char *name) { return find<QRadioButton>(w, name); }
inline platform::VScrollBar *bar(const QWidget &w, const char *name) { return find<platform::VScrollBar>(w, name); }
inline platform::PictureBox *picture(const QWidget &w, const char *name) { return find<platform::PictureBox>(w, name); }
// The main window's menu and its entries by name ("Convert"...).
QAction *entry(const QWidget &window, const char *name);
inline QMenu *menu(const QWidget &window) { return window.findChild<QMenu *>(QStringLiteral("CalMenu")); }

// The user's hands: the window shown and taking keys; a box tabbed into (selecting its text), typed over and left
// by Tab; a click on a button's middle or an option's round mark.
bool activate(QWidget &window);
void type(QLineEdit *box, const QString &text, bool leave = true);
void click(QAbstractButton *button);
// The box, as drawn now, shows the beginning of its text (sign and first digits).
bool showsBeginning(QLineEdit *box);

// Every message box the program shows, caught instead of shown: "title: text".
class MessageCatcher {
public:
    MessageCatcher();
    ~MessageCatcher();
    QStringList shown;
};

// The print dialog's calendar, year and range of months chosen, then Print pressed (print) or not (fill).
void fill(CalPrint &dialog, bool hijri, const QStringList &yearFromTo);
void print(CalPrint &dialog, bool hijri, const QStringList &yearFromTo);
// The recording printer's texts of a document, and its heading (the 30 pt text).
std::vector<RecordingPrinter::Op> textsOf(const RecordingPrinter &printer, int document);
std::optional<RecordingPrinter::Op> headingOf(const RecordingPrinter &printer, int document);

// Another program run to its end, as a user or a script runs it.
struct Run {
    int status = -1; // -1: it crashed or did not end within a minute
    QString out, err;
};
Run run(const QString &program, const QStringList &arguments, const QStringList &environment = {},
        const QString &workingDir = {});
// A PDF's page read back as a user reads it (pdftotext), laid out or as words.
QString pdfText(const QString &pdf, int page, bool layout = true);

// Under LC_ALL=de_DE.*, the C library writes a decimal comma: the test runs in the user's locale, or tests nothing.
bool userLocaleInEffect();

} // namespace testsupport
