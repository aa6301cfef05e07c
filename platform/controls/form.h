// Dialogs that are created on first use, shown modally, hidden by their
// Exit button (keeping their contents) and unloaded when closed from the
// frame (the next opening creates them anew).
#pragma once

#include "window.h"

#include <QDialog>
#include <QPointer>
#include <QPushButton>

namespace platform {

class Form : public Window<QDialog> {
    Q_OBJECT
public:
    explicit Form(QWidget *parent, const QString &caption, int clientWidthTwips, int clientHeightTwips);

    // True once the form was closed from its frame: its owner discards it.
    bool unloaded() const { return unloaded_; }

protected:
    // The window is being closed from its frame: hide it and let it unload.
    virtual void Form_Unload() { hide(); }

    void closeEvent(QCloseEvent *event) override;
    // Escape presses this button (null: Escape does nothing), wherever the
    // focus is in the form.
    void setEscapeButton(QPushButton *button) { escapeButton_ = button; }
    void reject() override;

private:
    QPointer<QPushButton> escapeButton_;
    bool unloaded_ = false;
};

// Holds one form of type F: made on first use, discarded after it unloads.
template <typename F> class FormSlot {
public:
    // Shows the form modally and returns when it is hidden or unloaded.
    void showModal(QWidget *parent)
    {
        if (!form_)
            form_ = new F(parent);
        form_->exec();
        if (form_ && form_->unloaded())
            delete form_.data();
    }

private:
    QPointer<F> form_;
};

} // namespace platform
