// The box every window reads a number from. It knows when the user enters
// and leaves it, by why the focus moved, so that the windows only say what
// entering and leaving do:
// - entering: the focus came from another control of the window (Tab, a
//   click...), or came back to a box that was given the focus while another
//   window (a message box) held the activation. The whole text is selected,
//   also when a click brought the focus.
// - leaving: the focus went to another control of the same window, or Enter
//   moved it on to the next control in tab order.
// Its own context menu, the menu bar (by mouse or keyboard) and other
// windows taking the activation neither leave nor enter the box.
// Numbers written by the program show their beginning (sign and first
// digits) when they are longer than the box.
#pragma once

#include <QLineEdit>
#include <cstdint>

namespace platform {

class NumberBox : public QLineEdit {
    Q_OBJECT
public:
    explicit NumberBox(QWidget *parent = nullptr);

    // Writes the number's plain decimal text (a box that already shows it is
    // left as it is) and shows the text's beginning.
    void writeNumber(int64_t number);
    // The box's whole number (32 bits): a number beyond the integer's limits
    // reads as the nearer limit.
    int32_t wholeNumber() const;
    // Rewrites the box as the plain text of its whole number.
    void rewriteAsWholeNumber() { writeNumber(wholeNumber()); }

signals:
    void entered(); // the window's control_GotFocus
    void left();    // the window's control_LostFocus

protected:
    void focusInEvent(QFocusEvent *event) override;
    void focusOutEvent(QFocusEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    void mousePressEvent(QMouseEvent *event) override;
    void mouseMoveEvent(QMouseEvent *event) override;
    void mouseReleaseEvent(QMouseEvent *event) override;

private:
    void enter(bool byClick);
    void selectWholeText();
    void showBeginning();

    bool entered_ = false;
    bool clickEntering_ = false; // the click that brought the focus is under way
    bool activationTakenBeforeEntering_ = false;
};

} // namespace platform
