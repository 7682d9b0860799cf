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
    // Called from every wait of the link. On the thread that shows boxes it
    // shows the boxes other threads are waiting on, so that the dialog's
    // thread waiting for the reader never waits for a box the reader raised;
    // on any other thread it does nothing.
    virtual void ServicePending() {}
};

// Installs the host that shows every box from now on; nullptr restores the
// fallback, which writes the text to standard error and returns at once.
void SetMessageBoxHost(MessageBoxHost* host);

// Shows `text` (a "\r\n" in it is a line break) and returns IDOK when closed.
constexpr int IDOK = 1;
int AfxMessageBox(std::u16string_view text);

// Lets the installed host show the boxes other threads wait on (see
// MessageBoxHost::ServicePending). Never holds a lock of the caller's.
void ServicePendingMessageBoxes();

// UTF-16 to UTF-8, for logs and the fallback host.
std::string ToUtf8(std::u16string_view text);
