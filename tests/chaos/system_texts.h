#pragma once

#include <string>

// True when `text` is one the tool can show in a message box: one of its
// fixed messages, or a validator's message about one of its fields.
bool IsSystemMessage(const std::u16string& text);

// True when `text` is one the main button can show in some state.
bool IsButtonText(const std::u16string& text);
