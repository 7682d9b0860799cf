#include "platform/ansi_code_page.h"

#include <iconv.h>

#include <array>
#include <atomic>
#include <cerrno>
#include <cstdlib>
#include <string>

namespace {

struct LanguageCodePage {
    std::string_view language;
    CodePage codePage;
};

// The ANSI code pages of Windows' system locales, by language. Chinese is
// decided by territory (see CodePageForLocale); Serbian in Latin script by
// its modifier.
constexpr std::array LANGUAGE_CODE_PAGES = {
    LanguageCodePage{"ja", 932},   LanguageCodePage{"ko", 949},   LanguageCodePage{"ru", 1251},
    LanguageCodePage{"uk", 1251},  LanguageCodePage{"be", 1251},  LanguageCodePage{"bg", 1251},
    LanguageCodePage{"sr", 1251},  LanguageCodePage{"mk", 1251},  LanguageCodePage{"cs", 1250},
    LanguageCodePage{"pl", 1250},  LanguageCodePage{"hu", 1250},  LanguageCodePage{"sk", 1250},
    LanguageCodePage{"sl", 1250},  LanguageCodePage{"hr", 1250},  LanguageCodePage{"ro", 1250},
    LanguageCodePage{"sq", 1250},  LanguageCodePage{"el", 1253},  LanguageCodePage{"tr", 1254},
    LanguageCodePage{"he", 1255},  LanguageCodePage{"ar", 1256},  LanguageCodePage{"lt", 1257},
    LanguageCodePage{"lv", 1257},  LanguageCodePage{"et", 1257},  LanguageCodePage{"vi", 1258},
    LanguageCodePage{"th", 874},
};

constexpr CodePage DEFAULT_CODE_PAGE = 1252;

std::string Lower(std::string_view text) {
    std::string out(text);
    for (char& c : out) {
        if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
    }
    return out;
}

CodePage CodePageOfEnvironment() {
    // The precedence the C library gives the character-type category.
    for (const char* variable : {"LC_ALL", "LC_CTYPE", "LANG"}) {
        const char* value = std::getenv(variable);
        if (value != nullptr && *value != '\0') return CodePageForLocale(value);
    }
    return DEFAULT_CODE_PAGE;
}

std::atomic<CodePage> g_chosenCodePage{CP_ACP};

CodePage Resolve(CodePage codePage) { return codePage == CP_ACP ? GetACP() : codePage; }

std::string IconvName(CodePage codePage) { return "CP" + std::to_string(codePage); }

class Converter {
public:
    Converter(const std::string& to, const std::string& from)
        : handle_(iconv_open(to.c_str(), from.c_str())) {}
    ~Converter() {
        if (Valid()) iconv_close(handle_);
    }
    Converter(const Converter&) = delete;
    Converter& operator=(const Converter&) = delete;

    bool Valid() const { return handle_ != reinterpret_cast<iconv_t>(-1); }

    // Converts all of `in`; each time the input cannot be converted, appends
    // `replacement` to `out` and skips `skip` input bytes.
    void Run(std::string_view in, std::string& out, std::string_view replacement, size_t skip) {
        char* inPtr = const_cast<char*>(in.data());
        size_t inLeft = in.size();
        std::array<char, 256> buffer;
        while (inLeft > 0) {
            char* outPtr = buffer.data();
            size_t outLeft = buffer.size();
            size_t result = iconv(handle_, &inPtr, &inLeft, &outPtr, &outLeft);
            int error = errno;
            out.append(buffer.data(), buffer.size() - outLeft);
            if (result != static_cast<size_t>(-1) || error == E2BIG) continue;
            // EILSEQ (not defined) or EINVAL (cut short at the end).
            out.append(replacement);
            size_t step = skip < inLeft ? skip : inLeft;
            inPtr += step;
            inLeft -= step;
            iconv(handle_, nullptr, nullptr, nullptr, nullptr);
        }
    }

private:
    iconv_t handle_;
};

std::u16string FromUtf16Le(std::string_view bytes) {
    std::u16string out(bytes.size() / 2, u'\0');
    for (size_t i = 0; i < out.size(); ++i) {
        out[i] = static_cast<char16_t>(static_cast<unsigned char>(bytes[2 * i]) |
                                       static_cast<unsigned char>(bytes[2 * i + 1]) << 8);
    }
    return out;
}

std::string ToUtf16Le(std::u16string_view text) {
    std::string out(text.size() * 2, '\0');
    for (size_t i = 0; i < text.size(); ++i) {
        out[2 * i] = static_cast<char>(text[i] & 0xFF);
        out[2 * i + 1] = static_cast<char>(text[i] >> 8);
    }
    return out;
}

}  // namespace

CodePage CodePageForLocale(std::string_view localeName) {
    std::string name = Lower(localeName);
    std::string_view rest = name;
    std::string_view modifier;
    if (size_t at = rest.find('@'); at != std::string_view::npos) {
        modifier = rest.substr(at + 1);
        rest = rest.substr(0, at);
    }
    rest = rest.substr(0, rest.find('.'));
    std::string_view language = rest.substr(0, rest.find('_'));
    std::string_view territory;
    if (size_t underscore = rest.find('_'); underscore != std::string_view::npos) {
        territory = rest.substr(underscore + 1);
    }

    if (language == "zh") {
        return territory == "tw" || territory == "hk" || territory == "mo" ? 950 : 936;
    }
    if (language == "sr" && modifier == "latin") return 1250;
    for (const LanguageCodePage& entry : LANGUAGE_CODE_PAGES) {
        if (entry.language == language) return entry.codePage;
    }
    return DEFAULT_CODE_PAGE;
}

CodePage GetACP() {
    CodePage chosen = g_chosenCodePage.load(std::memory_order_acquire);
    if (chosen != CP_ACP) return chosen;
    static const CodePage fromEnvironment = CodePageOfEnvironment();
    return fromEnvironment;
}

void SetAnsiCodePage(CodePage codePage) {
    g_chosenCodePage.store(codePage, std::memory_order_release);
}

bool CodePageAvailable(CodePage codePage) {
    std::string name = IconvName(Resolve(codePage));
    return Converter("UTF-16LE", name).Valid() && Converter(name, "UTF-16LE").Valid();
}

std::u16string MultiByteToWide(std::string_view bytes, CodePage codePage) {
    Converter converter("UTF-16LE", IconvName(Resolve(codePage)));
    if (!converter.Valid()) {
        // Without a converter only ASCII is certain.
        std::u16string out;
        for (char c : bytes) out += static_cast<unsigned char>(c) < 0x80 ? char16_t(c) : u'?';
        return out;
    }
    std::string utf16;
    converter.Run(bytes, utf16, std::string_view("?\0", 2), 1);
    return FromUtf16Le(utf16);
}

std::string WideToMultiByte(std::u16string_view text, CodePage codePage) {
    Converter converter(IconvName(Resolve(codePage)), "UTF-16LE");
    if (!converter.Valid()) {
        std::string out;
        for (char16_t c : text) out += c < 0x80 ? static_cast<char>(c) : '?';
        return out;
    }
    std::string bytes;
    converter.Run(ToUtf16Le(text), bytes, "?", 2);
    return bytes;
}
