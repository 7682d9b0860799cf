#include "ui/control_binding.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateTimeEdit>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QSignalBlocker>

namespace {

// Editable fields: red on white; disabled ones show the dialog behind them
// with the platform's grey text.
void PaintEditColours(QLineEdit* edit) {
    QPalette palette = edit->palette();
    for (QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
        palette.setColor(group, QPalette::Base, Qt::white);
        palette.setColor(group, QPalette::Text, QColor(255, 0, 0));
    }
    palette.setColor(QPalette::Disabled, QPalette::Base, Qt::transparent);
    edit->setPalette(palette);
}

// A check box takes a click anywhere in its rectangle, as on Windows: the
// three without a text of their own are clicked through the label beside them.
class DialogCheckBox : public QCheckBox {
public:
    using QCheckBox::QCheckBox;

protected:
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

QWidget* CreateLabel(const Control&, size_t, QWidget* parent, UserActions&) {
    auto* label = new QLabel(parent);
    label->setTextFormat(Qt::PlainText);
    label->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    label->setWordWrap(true);
    // A static control lets clicks through to what lies below it.
    label->setAttribute(Qt::WA_TransparentForMouseEvents);
    return label;
}

QWidget* CreateEdit(const Control& control, size_t index, QWidget* parent, UserActions& actions) {
    auto* edit = new QLineEdit(parent);
    edit->setFrame(false);
    edit->setAlignment(control.kind == ControlKind::EditCentred ? Qt::AlignHCenter | Qt::AlignVCenter
                                                                 : Qt::AlignLeft | Qt::AlignVCenter);
    PaintEditColours(edit);
    QObject::connect(edit, &QLineEdit::textEdited, edit,
                     [&actions, index](const QString& text) { actions.Typed(index, text); });
    return edit;
}

QWidget* CreateList(const Control&, size_t index, QWidget* parent, UserActions& actions) {
    auto* list = new QComboBox(parent);
    list->setEditable(false);
    list->setMaxVisibleItems(30);
    QObject::connect(list, &QComboBox::activated, list, [&actions, index](int item) { actions.Picked(index, item); });
    return list;
}

QWidget* CreateCheckBox(const Control&, size_t index, QWidget* parent, UserActions& actions) {
    auto* box = new DialogCheckBox(parent);
    QObject::connect(box, &QCheckBox::clicked, box, [&actions, index] { actions.Clicked(index); });
    return box;
}

QWidget* CreateButton(const Control&, size_t index, QWidget* parent, UserActions& actions) {
    auto* button = new QPushButton(parent);
    button->setAutoDefault(false);
    button->setDefault(false);
    QObject::connect(button, &QPushButton::clicked, button, [&actions, index] { actions.Clicked(index); });
    return button;
}

QWidget* CreatePicker(const Control&, size_t, QWidget* parent, UserActions&) {
    auto* picker = new QDateTimeEdit(QDateTime::currentDateTime(), parent);
    picker->setCalendarPopup(true);
    picker->setDisplayFormat(QLocale().dateFormat(QLocale::ShortFormat));
    return picker;
}

void ApplyLabel(BoundControl& bound, const Control& control, bool) {
    static_cast<QLabel*>(bound.widget)->setText(ToQString(control.text));
}

void ApplyEdit(BoundControl& bound, const Control& control, bool userTyping) {
    auto* edit = static_cast<QLineEdit*>(bound.widget);
    const QString text = ToQString(control.text);
    const bool textChanged = edit->text() != text;
    if (textChanged) edit->setText(text);
    if (userTyping && !textChanged) {
        bound.selStart = bound.selEnd = -1;
        return;
    }
    if (textChanged || control.selStart != bound.selStart || control.selEnd != bound.selEnd) {
        edit->setSelection(control.selStart, control.selEnd - control.selStart);
        if (control.selStart == control.selEnd) edit->setCursorPosition(control.selEnd);
        bound.selStart = control.selStart;
        bound.selEnd = control.selEnd;
    }
}

void ApplyList(BoundControl& bound, const Control& control, bool) {
    auto* list = static_cast<QComboBox*>(bound.widget);
    QStringList items;
    for (const std::u16string& item : control.items) items << ToQString(item);
    QStringList shown;
    for (int i = 0; i < list->count(); ++i) shown << list->itemText(i);
    if (shown != items) {
        list->clear();
        list->addItems(items);
    }
    list->setCurrentIndex(control.selection);
}

void ApplyCheckBox(BoundControl& bound, const Control& control, bool) {
    auto* box = static_cast<QCheckBox*>(bound.widget);
    box->setText(ToQString(control.text));
    box->setChecked(control.check == 1);
}

void ApplyButton(BoundControl& bound, const Control& control, bool) {
    static_cast<QPushButton*>(bound.widget)->setText(ToQString(control.text));
}

void ApplyPicker(BoundControl& bound, const Control& control, bool) {
    // The picker's format strings (dd, MM, yyyy, HH, mm) read the same in Qt.
    if (!control.dateTimeFormat.empty()) {
        static_cast<QDateTimeEdit*>(bound.widget)->setDisplayFormat(ToQString(control.dateTimeFormat));
    }
}

struct KindBinding {
    ControlKind kind;
    QWidget* (*create)(const Control&, size_t, QWidget*, UserActions&);
    void (*apply)(BoundControl&, const Control&, bool userTyping);
};

const KindBinding BINDINGS[] = {
    {ControlKind::Label, &CreateLabel, &ApplyLabel},
    {ControlKind::Edit, &CreateEdit, &ApplyEdit},
    {ControlKind::EditCentred, &CreateEdit, &ApplyEdit},
    {ControlKind::DropDownList, &CreateList, &ApplyList},
    {ControlKind::CheckBox, &CreateCheckBox, &ApplyCheckBox},
    {ControlKind::PushButton, &CreateButton, &ApplyButton},
    {ControlKind::DateTimePicker, &CreatePicker, &ApplyPicker},
};

const KindBinding& BindingOf(ControlKind kind) {
    for (const KindBinding& binding : BINDINGS) {
        if (binding.kind == kind) return binding;
    }
    return BINDINGS[0];
}

}  // namespace

QString ToQString(const std::u16string& text) {
    return QString::fromUtf16(text.data(), static_cast<qsizetype>(text.size()));
}

BoundControl BindControl(const Control& control, size_t index, QWidget* parent, UserActions& actions) {
    BoundControl bound;
    bound.kind = control.kind;
    bound.widget = BindingOf(control.kind).create(control, index, parent, actions);
    bound.widget->setFocusPolicy(control.kind == ControlKind::Label ? Qt::NoFocus : Qt::StrongFocus);
    return bound;
}

void ApplyControl(BoundControl& bound, const Control& control, bool userTyping) {
    const QSignalBlocker quiet(bound.widget);
    BindingOf(bound.kind).apply(bound, control, userTyping);
    bound.widget->setEnabled(control.enabled);
    bound.widget->setHidden(!control.shown);
}
