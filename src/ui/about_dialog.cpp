#include "ui/about_dialog.h"

#include <QLabel>
#include <QPushButton>

#include "ui/app_icon.h"
#include "ui/dialog_units.h"

const char16_t IDS_ABOUTBOX_TEXT[] = u"关于 FW(&A)...";

namespace {

constexpr int ABOUT_WIDTH = 130;
constexpr int ABOUT_HEIGHT = 50;

struct AboutLine {
    const char16_t* text;
    DialogRect rect;
};

const AboutLine LINES[] = {
    {u"FW L: temperature, humidity, illuminance", {34, 5, 92, 8}},
    {u"FW N: temperature, humidity, noise", {34, 13, 92, 8}},
    {u"FW W: temperature, humidity, wind speed", {34, 21, 92, 8}},
    {u"Configuration Tool V4.12", {7, 35, 78, 8}},
};

constexpr DialogRect ICON_RECT{7, 6, 20, 20};
constexpr DialogRect OK_RECT{88, 31, 37, 14};

}  // namespace

CAboutDlg::CAboutDlg(QWidget* parent) : QDialog(parent) {
    setWindowTitle(QStringLiteral("关于FW"));
    setFont(AboutBoxFont());
    const DialogBaseUnits units = BaseUnitsOf(font());
    const QRect size = DialogToPixels({0, 0, ABOUT_WIDTH, ABOUT_HEIGHT}, units);
    setFixedSize(size.size());

    auto* icon = new QLabel(this);
    const QRect iconRect = DialogToPixels(ICON_RECT, units);
    icon->setPixmap(AppIcon().pixmap(std::min(iconRect.width(), iconRect.height())));
    icon->setGeometry(iconRect);

    for (const AboutLine& line : LINES) {
        auto* label = new QLabel(QString::fromUtf16(line.text), this);
        label->setGeometry(DialogToPixels(line.rect, units));
    }

    auto* ok = new QPushButton(QStringLiteral("确定"), this);
    ok->setDefault(true);
    ok->setGeometry(DialogToPixels(OK_RECT, units));
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
}
