#include "platform/form.h"

#include <algorithm>
#include <cassert>

namespace {
char16_t FoldAscii(char16_t c) { return (c >= u'a' && c <= u'z') ? char16_t(c - u'a' + u'A') : c; }

bool StartsWithIgnoringCase(const std::u16string& text, const std::u16string& prefix) {
    if (prefix.size() > text.size()) return false;
    for (size_t i = 0; i < prefix.size(); ++i) {
        if (FoldAscii(text[i]) != FoldAscii(prefix[i])) return false;
    }
    return true;
}
}  // namespace

Form::Form(std::vector<Control> controls)
    : controls_(std::move(controls)), invalidations_(controls_.size(), 0) {}

void Form::SetNotificationSink(Sink sink) {
    std::lock_guard lock(mutex_);
    sink_ = std::move(sink);
}

void Form::SetObserver(FormObserver* observer) {
    std::lock_guard lock(mutex_);
    observer_ = observer;
}

size_t Form::Count() const { return controls_.size(); }

Control Form::At(size_t index) const {
    std::lock_guard lock(mutex_);
    return controls_.at(index);
}

Control Form::Get(int id) const {
    std::lock_guard lock(mutex_);
    return Find(id);
}

size_t Form::IndexOf(int id) const {
    for (size_t i = 0; i < controls_.size(); ++i) {
        if (id != 0 && controls_[i].id == id) return i;
    }
    return controls_.size();
}

Control& Form::Find(int id) {
    const size_t index = IndexOf(id);
    assert(index < controls_.size() && "no control with this id");
    return controls_.at(index);
}

const Control& Form::Find(int id) const { return const_cast<Form*>(this)->Find(id); }

void Form::Changed(size_t index) {
    if (observer_) observer_->ControlChanged(index);
}

void Form::Notify(int id, Notification what) {
    Sink sink;
    {
        std::lock_guard lock(mutex_);
        sink = sink_;
    }
    if (sink) sink(id, what);
}

std::u16string Form::GetWindowText(int id) const {
    std::lock_guard lock(mutex_);
    return Find(id).text;
}

void Form::SetWindowText(int id, std::u16string text) {
    bool edit;
    {
        std::lock_guard lock(mutex_);
        Control& c = Find(id);
        c.text = std::move(text);
        const int length = static_cast<int>(c.text.size());
        c.selStart = std::min(c.selStart, length);
        c.selEnd = std::min(c.selEnd, length);
        edit = c.kind == ControlKind::Edit || c.kind == ControlKind::EditCentred;
        Changed(IndexOf(id));
    }
    if (edit) Notify(id, Notification::EnChange);
}

int Form::GetCurSel(int id) const {
    std::lock_guard lock(mutex_);
    return Find(id).selection;
}

void Form::SetCurSel(int id, int index) {
    std::lock_guard lock(mutex_);
    Control& c = Find(id);
    c.selection = (index >= 0 && index < static_cast<int>(c.items.size())) ? index : CB_ERR;
    Changed(IndexOf(id));
}

void Form::ResetContent(int id) {
    std::lock_guard lock(mutex_);
    Control& c = Find(id);
    c.items.clear();
    c.selection = CB_ERR;
    Changed(IndexOf(id));
}

int Form::AddString(int id, std::u16string text) {
    std::lock_guard lock(mutex_);
    Control& c = Find(id);
    c.items.push_back(std::move(text));
    Changed(IndexOf(id));
    return static_cast<int>(c.items.size()) - 1;
}

int Form::GetCount(int id) const {
    std::lock_guard lock(mutex_);
    return static_cast<int>(Find(id).items.size());
}

std::u16string Form::GetLBText(int id, int index) const {
    std::lock_guard lock(mutex_);
    const Control& c = Find(id);
    if (index < 0 || index >= static_cast<int>(c.items.size())) return {};
    return c.items[index];
}

int Form::FindString(int id, int start, const std::u16string& prefix) const {
    std::lock_guard lock(mutex_);
    const Control& c = Find(id);
    const int count = static_cast<int>(c.items.size());
    if (count == 0) return CB_ERR;
    const int first = (start < 0 || start >= count) ? 0 : start + 1;
    for (int n = 0; n < count; ++n) {
        const int i = (first + n) % count;
        if (StartsWithIgnoringCase(c.items[i], prefix)) return i;
    }
    return CB_ERR;
}

int Form::GetCheck(int id) const {
    std::lock_guard lock(mutex_);
    return Find(id).check;
}

void Form::SetCheck(int id, int check) {
    std::lock_guard lock(mutex_);
    Find(id).check = check ? 1 : 0;
    Changed(IndexOf(id));
}

bool Form::IsWindowEnabled(int id) const {
    std::lock_guard lock(mutex_);
    return Find(id).enabled;
}

void Form::EnableWindow(int id, bool enable) {
    std::lock_guard lock(mutex_);
    Find(id).enabled = enable;
    Changed(IndexOf(id));
}

void Form::SetDateTimeFormat(int id, std::u16string format) {
    std::lock_guard lock(mutex_);
    Find(id).dateTimeFormat = std::move(format);
    Changed(IndexOf(id));
}

void Form::SetFocus(int id) {
    std::lock_guard lock(mutex_);
    const size_t index = IndexOf(id);
    if (index >= controls_.size()) return;
    focus_ = id;
    if (observer_) observer_->FocusChanged(index);
}

int Form::GetFocus() const {
    std::lock_guard lock(mutex_);
    return focus_;
}

void Form::SetSel(int id, int start, int end) {
    std::lock_guard lock(mutex_);
    Control& c = Find(id);
    const int length = static_cast<int>(c.text.size());
    c.selStart = std::clamp(start, 0, length);
    c.selEnd = std::clamp(end, 0, length);
    Changed(IndexOf(id));
}

void Form::InvalidateControl(int id) {
    std::lock_guard lock(mutex_);
    const size_t index = IndexOf(id);
    if (index >= controls_.size()) return;
    ++invalidations_[index];
    if (observer_) observer_->Invalidated(index);
}

int Form::InvalidationCount(int id) const {
    std::lock_guard lock(mutex_);
    const size_t index = IndexOf(id);
    return index < controls_.size() ? invalidations_[index] : 0;
}

void Form::UserTypes(int id, std::u16string text) {
    {
        std::lock_guard lock(mutex_);
        Control& c = Find(id);
        if (!c.enabled) return;
        // A person's typing leaves the caret at the end of what was typed.
        c.selStart = c.selEnd = static_cast<int>(text.size());
    }
    SetWindowText(id, std::move(text));
}

void Form::UserPicks(int id, int index) {
    {
        std::lock_guard lock(mutex_);
        Control& c = Find(id);
        if (!c.enabled || index < 0 || index >= static_cast<int>(c.items.size())) return;
        c.selection = index;
        Changed(IndexOf(id));
    }
    Notify(id, Notification::CbnSelchange);
}

void Form::UserClicks(int id) {
    {
        std::lock_guard lock(mutex_);
        Control& c = Find(id);
        if (!c.enabled) return;
        if (c.kind == ControlKind::CheckBox) {
            c.check = c.check ? 0 : 1;
            Changed(IndexOf(id));
        }
    }
    Notify(id, Notification::BnClicked);
}
