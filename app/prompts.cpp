#include "prompts.h"

#include "input_dialog.h"

int WindowsPrompts::Message(HWND owner, const std::string& caption, const std::string& text,
                            UINT type) {
    return MessageBoxA(owner, text.c_str(), caption.c_str(), type);
}

std::optional<std::string> WindowsPrompts::QueryText(HWND owner, const std::string& caption,
                                                     const std::string& prompt,
                                                     const std::string& initial) {
    return input_dialog::Run(owner, caption, prompt, initial);
}
