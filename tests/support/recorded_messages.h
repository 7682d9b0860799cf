#pragma once

#include <mutex>
#include <string>
#include <vector>

#include "platform/message_box.h"

// A message-box host that closes every box at once and remembers its text.
// Installed for its lifetime; safe to use from the reader thread.
class RecordedMessages : public MessageBoxHost {
public:
    RecordedMessages() { SetMessageBoxHost(this); }
    ~RecordedMessages() override { SetMessageBoxHost(nullptr); }

    void Show(std::u16string_view text) override {
        std::lock_guard lock(mutex_);
        texts_.emplace_back(text);
    }

    std::vector<std::u16string> Texts() const {
        std::lock_guard lock(mutex_);
        return texts_;
    }

    void Clear() {
        std::lock_guard lock(mutex_);
        texts_.clear();
    }

private:
    mutable std::mutex mutex_;
    std::vector<std::u16string> texts_;
};
