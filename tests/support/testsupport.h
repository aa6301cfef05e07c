// Shared test helpers: the real engine, a scriptable fake, a message box catcher, windows shown and clicked.
#pragma once

#include "core/calendarengine.h"
#include "platform/controls/controltable.h"

#include <QAction>
#include <QApplication>
#include <QStringList>
#include <QTest>
#include <QTimer>
#include <QWidget>
#include <functional>

class QLineEdit;
class QRadioButton;

namespace testsupport {

// A window's control by its name, as the window's table names it.
using platform::findControl;

// Shows the window and waits until it takes keys and focus.
bool activate(QWidget &window);
// A click on an option's round mark, where a user clicks.
void clickOption(QRadioButton *option);

// Opens a dialog from its menu entry and runs the steps in its modal loop; true when the dialog opened and the
// steps left it hidden. A dialog left open is hidden, so that a failing test never waits on it.
template <typename Dialog> bool whileOpen(QAction *menuEntry, const std::function<void(Dialog &)> &steps)
{
    bool hidden = false;
    QTimer::singleShot(0, [&] {
        if (auto *dialog = qobject_cast<Dialog *>(QApplication::activeModalWidget())) {
            // qWaitForWindowActive counts a dialog as active while its owner still is: wait until the dialog's
            // own window takes the keys.
            dialog->activateWindow();
            if (QTest::qWaitFor([&] { return QGuiApplication::focusWindow() == dialog->windowHandle(); }, 5000))
                steps(*dialog);
            hidden = !dialog->isVisible();
        }
        if (QWidget *modal = QApplication::activeModalWidget())
            modal->hide();
    });
    menuEntry->trigger();
    return hidden;
}

// Loads libzendat32.so from the test program's folder as the program's engine; aborts when it cannot.
const core::CalendarEngine &installRealEngine();

// Answers every message box instead of showing it, and remembers it.
class MessageCatcher {
public:
    MessageCatcher();
    ~MessageCatcher();
    QStringList texts;
    QStringList titles;
    int count() const { return int(texts.size()); }
    void clear()
    {
        texts.clear();
        titles.clear();
    }
};

// Answers every real message box with OK once it shows (its modal loop
// runs), and remembers its text.
class MessageAnswerer : public QObject {
public:
    MessageAnswerer();
    QStringList texts;
};

// Opens the widget's context menu as a right-click does and closes it again.
void openContextMenu(QWidget *widget);

// The box, as drawn now, shows the beginning of its text (sign and first
// digits): its cursor stands at the start and the start is in sight.
bool showsBeginning(QLineEdit *box);

// The user's locale is the one the program runs under: under LC_ALL=de_DE.*
// the C library must write a decimal comma by now, or the run tests nothing.
bool userLocaleInEffect();

// The real engine, with any operation replaced by a lambda (each starts as the real engine's).
class FakeEngine : public core::CalendarEngine {
    using Real = core::CalendarEngine;

public:
    explicit FakeEngine(const Real &real)
        : gregMonthDays(std::bind_front(&Real::GregMonthDays, &real)),
          hijriMonthDays(std::bind_front(&Real::HijriMonthDays, &real)),
          weekDayOf(std::bind_front(&Real::WeekDayOf, &real)), hijriToGreg(std::bind_front(&Real::HijriToGreg, &real)),
          gregToHijri(std::bind_front(&Real::GregToHijri, &real)), real_(real)
    {}
    std::function<int32_t(int32_t, int32_t)> gregMonthDays, hijriMonthDays;
    std::function<int32_t(int32_t, int32_t, int32_t)> weekDayOf;
    std::function<core::Ymd(int32_t, int32_t, int32_t)> hijriToGreg, gregToHijri;

    int32_t GregMonthDays(int32_t y, int32_t m) const override { return gregMonthDays(y, m); }
    int32_t HijriMonthDays(int32_t y, int32_t m) const override { return hijriMonthDays(y, m); }
    int32_t WeekDayOf(int32_t y, int32_t m, int32_t d) const override { return weekDayOf(y, m, d); }
    bool CheckGregDate(int32_t y, int32_t m, int32_t d) const override { return real_.CheckGregDate(y, m, d); }
    bool CheckHijriDate(int32_t y, int32_t m, int32_t d) const override { return real_.CheckHijriDate(y, m, d); }
    core::Ymd HijriToGreg(int32_t y, int32_t m, int32_t d) const override { return hijriToGreg(y, m, d); }
    core::Ymd GregToHijri(int32_t y, int32_t m, int32_t d) const override { return gregToHijri(y, m, d); }

private:
    const Real &real_;
};

} // namespace testsupport

namespace testsupport {

// A window's controls by kind and name.
inline platform::NumberBox *box(const QWidget &window, const char *name)
{
    return findControl<platform::NumberBox>(window, name);
}
inline QLabel *label(const QWidget &window, const char *name) { return findControl<QLabel>(window, name); }
inline QPushButton *button(const QWidget &window, const char *name) { return findControl<QPushButton>(window, name); }
inline QRadioButton *option(const QWidget &window, const char *name) { return findControl<QRadioButton>(window, name); }
inline platform::VScrollBar *bar(const QWidget &window, const char *name)
{
    return findControl<platform::VScrollBar>(window, name);
}
inline platform::PictureBox *picture(const QWidget &window, const char *name)
{
    return findControl<platform::PictureBox>(window, name);
}
// A menu entry or the menu, by name.
inline QAction *entry(const QWidget &window, const char *name) { return window.findChild<QAction *>(name); }
inline QMenu *menu(const QWidget &window, const char *name) { return window.findChild<QMenu *>(name); }

} // namespace testsupport
