#pragma once

#include <string>
#include <string_view>

// Modal message box with an OK button only. The caption is the program file's
// base name. The call holds the calling thread until the box is closed; a
// front end that can show windows only on one thread hands boxes raised on
// other threads over to it and keeps the caller waiting meanwhile.
class MessageBoxHost {
public:
    virtual ~MessageBoxHost() = default;
    virtual void Show(std::u16string_view text) = 0;
};

// Installs the host that shows every box from now on; nullptr restores the
// fallback, which writes the text to standard error and returns at once.
void SetMessageBoxHost(MessageBoxHost* host);

// Shows `text` (a "\r\n" in it is a line break) and returns IDOK when closed.
constexpr int IDOK = 1;
int AfxMessageBox(std::u16string_view text);

// UTF-16 to UTF-8, for logs and the fallback host.
std::string ToUtf8(std::u16string_view text);
