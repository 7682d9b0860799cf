#pragma once

#include <QWidget>

#include "platform/form.h"

// The one binding between the form model and Qt widgets, driven by a table of
// control kinds: how a kind's widget is made, how the user's actions on it
// reach the form, and how the form's state is shown on it. The program's
// changes are applied with the widget's signals blocked, and only signals
// that a person's actions raise are connected, so nothing is echoed back.

// Where the widgets send a person's actions; index is the control's place in
// the form.
class UserActions {
public:
    virtual ~UserActions() = default;
    virtual void Typed(size_t index, const QString& text) = 0;
    virtual void Picked(size_t index, int item) = 0;
    virtual void Clicked(size_t index) = 0;
};

struct BoundControl {
    QWidget* widget = nullptr;
    ControlKind kind = ControlKind::Label;
    // The caret last taken from the form (edits). The person's own caret moves
    // do not reach the form, so the form's caret is applied only when it
    // differs from this; -1 after the person typed.
    int selStart = -1;
    int selEnd = -1;
};

// Makes the widget of `control`, a child of `parent`, wired to `actions`.
BoundControl BindControl(const Control& control, size_t index, QWidget* parent, UserActions& actions);

// Shows `control` on its widget. `userTyping`: the change is the echo of what
// the person is typing into this very edit, so its caret stays.
void ApplyControl(BoundControl& bound, const Control& control, bool userTyping);

QString ToQString(const std::u16string& text);
