// The texts the tool shows, gathered from its message boxes, its validators'
// formats with the field names it passes them, and its button states.
#include "chaos/system_texts.h"

#include <algorithm>
#include <regex>

#include "platform/message_box.h"

namespace {

const std::u16string FIXED_MESSAGES[] = {
    u"The configuration tool is already running!Please do not run it again",
    u"The calibration tool is already running!To run the configuration tool, close the calibration tool!",
    u"High-Temperature Alert Value Must Be Greater Than Low-Temperature Alert Value",
    u"High-Humidity Alert Value Must Be Greater Than Low-Humidity Alert Value",
    u"High Illumination Alert Value Must Be Greater Than Low Illumination Alert Value",
    u"High Noise Alert Value Must Be Greater Than Low Noise Alert Value",
    u"High Wind Speed Alert Value Must Be Greater Than Low Wind Speed Alert Value",
    u"PDF Password must only contain digits and English letters.",
    u"The PDF password must be no more than 8 characters long",
    u"HID接收到非法帧!",
    u"HID接收错误!",
    u"HID命令非法:PL错误!",
    u"HID发送未知错误!",
    u"固件PID/VID不匹配!",
    u"升级操作被拒绝!",
    u"升级失败:固件校验错误!",
    u"升级失败,请确保只有一个设备插入USB!",
    u"HID命令格式错误!",
    u"配置失败(命令发送失败)!",
    u"命令错误!",
    u"配置失败(结束命令失败)!",
    u"Upgrade interrupted. Please ensure the device is properly connected!",
    u"Configuration interrupted. Please ensure the device is properly connected!",
};

// The names the tool hands its validators.
const std::u16string FIELD_NAMES[] = {
    u"Invalid Recording LED Blinking Interval Parameter Error",
    u"Invalid Alert LED Blinking Interval Parameter Error",
    u"Invalid Time Zone Parameter Error",
    u"Invalid time zone parameter",
    u"Startup Delay Parameter Configuration Error",
    u"Recording Interval Parameter Configuration Error ",
    u"Low Temperature Alert Parameter Configuration Error",
    u"High Temperature Alert Parameter Configuration Error",
    u"Low Humidity Alert Parameter Configuration Error!",
    u"High Humidity Alert Parameter Configuration Error!",
    u"Low Illumination Alert Parameter Configuration Error!",
    u"High Illumination Alert Parameter Configuration Error!",
    u"Low Noise Alert Parameter Configuration Error!",
    u"High Noise Alert Parameter Configuration Error!",
    u"Low Wind speed Alert Parameter Configuration Error!",
    u"High Wind Speed Alert Parameter Configuration Error!",
    u"Trademark Parameter Configuration Error!",
    u"Device Name Error!",
    u"User Information Error!",
    u"Website Error!",
    u"Device ID Error!",
};

// What follows "name: " in a validator's message; the range bounds are
// printed with %d or %0.1f.
const std::regex VALIDATOR_TAIL(
    "内容为空|存在非法字符!|数值格式错误!|不能为空!|字符串太长!|"
    "数值必须在-?[0-9]+(\\.[0-9])?至-?[0-9]+(\\.[0-9])?之内!");

const std::regex TOOL_TOO_OLD(
    "The version of this configuration tool is too low！\r\n"
    "Please use configuration tool V[0-9A-F]+\\.[0-9A-F]{2,} or a higher version\\.");

const std::regex UPGRADE_PROGRESS("升级中\\([0-9]{2}%\\)");

}  // namespace

bool IsSystemMessage(const std::u16string& text) {
    if (std::find(std::begin(FIXED_MESSAGES), std::end(FIXED_MESSAGES), text) != std::end(FIXED_MESSAGES)) {
        return true;
    }
    if (std::regex_match(ToUtf8(text), TOOL_TOO_OLD)) return true;
    return std::any_of(std::begin(FIELD_NAMES), std::end(FIELD_NAMES), [&](const std::u16string& name) {
        const std::u16string prefix = name + u": ";
        return text.starts_with(prefix) && std::regex_match(ToUtf8(text.substr(prefix.size())), VALIDATOR_TAIL);
    });
}

bool IsButtonText(const std::u16string& text) {
    const std::u16string STATES[] = {u"Plug Device", u"Input Device", u"Configure", u"写入配置(HID)",
                                     u"配置中...", u"正在更新固件"};
    return std::find(std::begin(STATES), std::end(STATES), text) != std::end(STATES) ||
           std::regex_match(ToUtf8(text), UPGRADE_PROGRESS);
}
