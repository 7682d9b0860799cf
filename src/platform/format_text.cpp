#include "platform/format_text.h"

#include <clocale>
#include <cstdio>
#include <locale.h>

namespace {

// A "C" locale for this thread's number formatting, whatever setlocale the
// front end made (Qt sets the user's locale at start).
class ClassicNumbers {
public:
    ClassicNumbers() : previous_(uselocale(Classic())) {}
    ~ClassicNumbers() { uselocale(previous_); }
    ClassicNumbers(const ClassicNumbers&) = delete;
    ClassicNumbers& operator=(const ClassicNumbers&) = delete;

private:
    static locale_t Classic() {
        static const locale_t classic = newlocale(LC_ALL_MASK, "C", static_cast<locale_t>(0));
        return classic;
    }
    locale_t previous_;
};

bool IsFlagOrWidthChar(char16_t c) {
    return c == u'-' || c == u'+' || c == u' ' || c == u'#' || c == u'.' ||
           (c >= u'0' && c <= u'9');
}

std::u16string FormatNumber(std::string directive, char16_t conversion, const FormatArg& arg) {
    char buffer[512];
    int length = 0;
    {
        ClassicNumbers classic;
        if (conversion == u'f') {
            double value = arg.kind() == FormatArg::Kind::Real ? arg.real()
                                                                : static_cast<double>(arg.integer());
            directive += 'f';
            length = std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
        } else {
            long long value = arg.kind() == FormatArg::Kind::Integer
                                  ? arg.integer()
                                  : static_cast<long long>(arg.real());
            directive += "ll";
            directive += static_cast<char>(conversion);
            length = std::snprintf(buffer, sizeof buffer, directive.c_str(), value);
        }
    }
    if (length < 0) return {};
    if (length >= static_cast<int>(sizeof buffer)) length = sizeof buffer - 1;
    return std::u16string(buffer, buffer + length);
}

}  // namespace

std::u16string FormatText(std::u16string_view format, std::initializer_list<FormatArg> args) {
    std::u16string out;
    const FormatArg* next = args.begin();
    size_t i = 0;
    while (i < format.size()) {
        char16_t c = format[i++];
        if (c != u'%') {
            out += c;
            continue;
        }
        std::string directive = "%";
        while (i < format.size() && IsFlagOrWidthChar(format[i])) directive += static_cast<char>(format[i++]);
        if (i >= format.size()) break;
        char16_t conversion = format[i++];
        if (conversion == u'%') {
            out += u'%';
            continue;
        }
        if (next == args.end()) continue;
        const FormatArg& arg = *next++;
        switch (conversion) {
            case u's':
                if (arg.kind() == FormatArg::Kind::Text) out += arg.text();
                break;
            case u'd': case u'i': case u'u': case u'x': case u'X': case u'f':
                if (arg.kind() != FormatArg::Kind::Text) out += FormatNumber(directive, conversion, arg);
                break;
            default:
                break;
        }
    }
    return out;
}
