#pragma once

#include <functional>
#include <mutex>
#include <string>
#include <vector>

// The dialog's controls as data: what each holds and shows, and the
// notifications a Windows dialog would send. A front end renders a Form and
// feeds the user's actions into it; logic reads and writes it through the
// same operations the dialog framework offers (window text, list selection,
// tick state, enabling, focus and caret).
//
// Notification rules, as the controls behave on Windows:
//   - every change of an edit's text sends EN_CHANGE, also the program's own;
//   - a list selection or a tick set by the program sends nothing;
//   - a user's pick sends CBN_SELCHANGE, a user's click BN_CLICKED.
// Notifications are delivered synchronously on the calling thread, after the
// change, with no lock held.

enum class ControlKind {
    Label,
    Edit,          // single line, left-aligned
    EditCentred,   // single line, centred
    DropDownList,  // no typing
    CheckBox,
    PushButton,
    DateTimePicker,
};

enum class Notification { EnChange, CbnSelchange, BnClicked };

// Position and size in dialog units.
struct DialogRect {
    int x = 0, y = 0, width = 0, height = 0;
};

struct Control {
    int id = 0;  // 0 for a label nobody refers to
    ControlKind kind = ControlKind::Label;
    DialogRect rect;
    std::u16string text;
    std::vector<std::u16string> items;
    int selection = -1;  // CB_ERR when nothing is selected
    int check = 0;       // 0 not ticked, 1 ticked
    bool enabled = true;
    bool shown = true;
    std::u16string dateTimeFormat;  // date-time picker only
    // Caret (edit): selection start and end, clamped to the text.
    int selStart = 0;
    int selEnd = 0;
};

constexpr int CB_ERR = -1;

// What a front end learns about changes made by the program.
class FormObserver {
public:
    virtual ~FormObserver() = default;
    // The control at `index` changed (text, items, selection, tick, enabled,
    // shown, format or caret).
    virtual void ControlChanged(size_t index) = 0;
    virtual void FocusChanged(size_t index) = 0;
    // The area under the control is to be repainted.
    virtual void Invalidated(size_t index) = 0;
};

class Form {
public:
    using Sink = std::function<void(int id, Notification)>;

    explicit Form(std::vector<Control> controls);

    void SetNotificationSink(Sink sink);
    void SetObserver(FormObserver* observer);

    size_t Count() const;
    // A copy of the control, for views and tests.
    Control At(size_t index) const;
    Control Get(int id) const;
    size_t IndexOf(int id) const;  // Count() when there is no such control

    // Program side.
    std::u16string GetWindowText(int id) const;
    void SetWindowText(int id, std::u16string text);
    int GetCurSel(int id) const;
    void SetCurSel(int id, int index);  // out of range selects nothing (CB_ERR)
    void ResetContent(int id);
    int AddString(int id, std::u16string text);
    int GetCount(int id) const;
    std::u16string GetLBText(int id, int index) const;
    // First item from `start` + 1 onward (wrapping) that begins with `prefix`,
    // ignoring case as Windows does for ASCII; CB_ERR when none.
    int FindString(int id, int start, const std::u16string& prefix) const;
    int GetCheck(int id) const;
    void SetCheck(int id, int check);
    bool IsWindowEnabled(int id) const;
    void EnableWindow(int id, bool enable);
    void SetDateTimeFormat(int id, std::u16string format);
    void SetFocus(int id);
    int GetFocus() const;  // id of the focused control, 0 when none
    // EM_SETSEL: start and end are clamped to the text length.
    void SetSel(int id, int start, int end);
    void InvalidateControl(int id);
    // How many times the area under the control was invalidated.
    int InvalidationCount(int id) const;

    // User side: what a person does through the front end.
    void UserTypes(int id, std::u16string text);
    void UserPicks(int id, int index);
    void UserClicks(int id);

private:
    Control& Find(int id);
    const Control& Find(int id) const;
    void Notify(int id, Notification what);
    void Changed(size_t index);

    mutable std::recursive_mutex mutex_;
    std::vector<Control> controls_;
    std::vector<int> invalidations_;
    int focus_ = 0;
    Sink sink_;
    FormObserver* observer_ = nullptr;
};
