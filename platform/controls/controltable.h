// A window's controls as one table, a row a control: what it is, its
// caption, its rectangle in twips, its place in the tab order, its font and
// look, and what screen readers are told about it. buildControls() makes
// the controls of a table and hands each to the window's member that keeps it.
#pragma once

#include "numberbox.h"
#include "picturebox.h"
#include "scrollbar.h"
#include "window.h"

#include <QLabel>
#include <QPushButton>
#include <QRadioButton>

#include <span>
#include <type_traits>
#include <variant>
#include <vector>

namespace platform {

// What a control is. Every kind is made by one factory (makeControl).
enum class ControlKind { Label, NumberBox, OptionButton, PushButton, VScrollBar, PictureBox };

// A control's font: the window's own (Arial 9.75 pt bold), or Arial at a
// size of its own.
struct ControlFont {
    qreal points; // 0: the window's font
    bool bold;
};
constexpr ControlFont WindowFont{0, true};
constexpr ControlFont arialRegular(qreal points) { return {points, false}; }
constexpr ControlFont arialBold(qreal points) { return {points, true}; }

// Where a label's caption stands: on the top line, or on the middle of the
// label's height like the texts of the boxes beside it. Other kinds take no
// alignment.
constexpr Qt::Alignment TopLeft = Qt::AlignLeft | Qt::AlignTop;
constexpr Qt::Alignment TopCentred = Qt::AlignHCenter | Qt::AlignTop;
constexpr Qt::Alignment TopRight = Qt::AlignRight | Qt::AlignTop;
constexpr Qt::Alignment MiddleLeft = Qt::AlignLeft | Qt::AlignVCenter;
constexpr Qt::Alignment MiddleRight = Qt::AlignRight | Qt::AlignVCenter;

// A label's border: none, or a single black line.
enum class Border { None, Single };

// The window's member that keeps a control, of the control's own type.
template <class Window>
using ControlMember = std::variant<QLabel * Window::*, NumberBox * Window::*, QPushButton * Window::*,
                                   QRadioButton * Window::*, VScrollBar * Window::*, PictureBox * Window::*>;

struct Twips {
    int left, top, width, height; // in the parent's coordinates
};

template <class Window> struct Control {
    ControlMember<Window> member;
    const char *name; // the object name, as the design names the control
    ControlKind kind;
    Twips place;
    int tabIndex;
    const char16_t *caption = nullptr;
    ControlFont font = WindowFont;
    Qt::Alignment alignment = {};
    Border border = Border::None;
    const char16_t *spokenName = nullptr;  // null: the control's own text
    const char16_t *description = nullptr; // what the control is for
};

// A row's member and object name, from the one spelling of the control's
// name: {CONTROL(CalMain, GoCMD), .kind = ...}.
#define CONTROL(Window, control) .member = &Window::control, .name = #control

// Makes a control of a kind, named, with its caption, as the row gives it.
QWidget *makeControl(QWidget *parent, ControlKind kind, const char *name, const char16_t *caption);
// Place, font, alignment, border and screen-reader texts as a row gives them.
void styleControl(QWidget *control, ControlKind kind, Twips place, ControlFont font, Qt::Alignment alignment,
                  Border border, const char16_t *spokenName, const char16_t *description);
// Chains the controls that take the focus by Tab, by rising tab index.
void setTabOrderByIndex(std::vector<std::pair<int, QWidget *>> controls);

// Makes the table's controls in its row order (which is also the order in
// which they are stacked), sets the window's members to them and sets the
// tab order. Returns the controls in row order.
template <class Window>
std::vector<QWidget *> buildControls(Window &window, QWidget *parent,
                                     std::span<const Control<std::type_identity_t<Window>>> table)
{
    std::vector<QWidget *> made;
    std::vector<std::pair<int, QWidget *>> tabOrder;
    for (const Control<Window> &row : table) {
        QWidget *control = makeControl(parent, row.kind, row.name, row.caption);
        styleControl(control, row.kind, row.place, row.font, row.alignment, row.border, row.spokenName,
                     row.description);
        std::visit(
            [&](auto member) {
                using Type = std::remove_pointer_t<std::remove_reference_t<decltype(window.*member)>>;
                Type *typed = qobject_cast<Type *>(control);
                Q_ASSERT_X(typed, row.name, "the row's kind makes another type than its member keeps");
                window.*member = typed;
            },
            row.member);
        made.push_back(control);
        tabOrder.emplace_back(row.tabIndex, control);
    }
    setTabOrderByIndex(std::move(tabOrder));
    return made;
}

} // namespace platform

namespace platform {

// A window's control, found by the name its row gives it: how tools and
// tests reach the controls a window keeps to itself.
template <class T> T *findControl(const QWidget &window, const char *name)
{
    return window.findChild<T *>(QLatin1StringView(name));
}

} // namespace platform
