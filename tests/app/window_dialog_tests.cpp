// The real text input dialog, answered from a second thread the way a user
// would: read what it shows, type, press a button or a key.
#include "input_dialog.h"
#include "prompts.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <functional>
#include <string>
#include <thread>

namespace {

struct SeenDialog {
    bool Found = false;
    std::string Caption, Prompt, Text;
    DWORD SelectionStart = 1, SelectionEnd = 0;
};

std::string TextOf(HWND window) {
    char text[512] = {};
    GetWindowTextA(window, text, sizeof text);
    return text;
}

// Waits for the dialog named caption, records what it shows and hands it to act.
std::thread Answer(const std::string& caption, SeenDialog& seen,
                   std::function<void(HWND dialog)> act) {
    return std::thread([caption, &seen, act] {
        for (int attempt = 0; attempt < 200; ++attempt) {
            HWND dialog = FindWindowA("#32770", caption.c_str());
            if (dialog && IsWindowVisible(dialog)) {
                seen.Found = true;
                seen.Caption = TextOf(dialog);
                seen.Prompt = TextOf(GetDlgItem(dialog, input_dialog::kPromptId));
                HWND edit = GetDlgItem(dialog, input_dialog::kEditId);
                seen.Text = TextOf(edit);
                SendMessageA(edit, EM_GETSEL, reinterpret_cast<WPARAM>(&seen.SelectionStart),
                             reinterpret_cast<LPARAM>(&seen.SelectionEnd));
                act(dialog);
                return;
            }
            Sleep(50);
        }
    });
}

void TypeInto(HWND dialog, const char* text) {
    SetDlgItemTextA(dialog, input_dialog::kEditId, text);
}

TEST(InputDialog, ShowsCaptionPromptAndSelectedInitialTextAndReturnsTheEntryOnOk) {
    SeenDialog seen;
    std::thread user = Answer("New Collection", seen, [](HWND dialog) {
        TypeInto(dialog, "Display faces");
        SendMessageA(GetDlgItem(dialog, IDOK), BM_CLICK, 0, 0);
    });
    WindowsPrompts prompts;
    const std::optional<std::string> entered = prompts.QueryText(
        nullptr, "New Collection", "Enter the name of the new Collection", "New Collection");
    user.join();
    ASSERT_TRUE(seen.Found);
    EXPECT_EQ(seen.Caption, "New Collection");
    EXPECT_EQ(seen.Prompt, "Enter the name of the new Collection");
    EXPECT_EQ(seen.Text, "New Collection");
    EXPECT_EQ(seen.SelectionStart, 0u);
    EXPECT_EQ(seen.SelectionEnd, 14u);
    ASSERT_TRUE(entered.has_value());
    EXPECT_EQ(*entered, "Display faces");
}

TEST(InputDialog, CancelButtonAndEscapeGiveNothing) {
    SeenDialog seen;
    std::thread user = Answer("Ask", seen, [](HWND dialog) {
        TypeInto(dialog, "typed, then cancelled");
        SendMessageA(GetDlgItem(dialog, IDCANCEL), BM_CLICK, 0, 0);
    });
    EXPECT_FALSE(input_dialog::Run(nullptr, "Ask", "Name?", "x").has_value());
    user.join();
    EXPECT_TRUE(seen.Found);

    SeenDialog seenAgain;
    user = Answer("Ask", seenAgain, [](HWND dialog) {
        HWND edit = GetDlgItem(dialog, input_dialog::kEditId);
        PostMessageA(edit, WM_KEYDOWN, VK_ESCAPE, 0);
    });
    EXPECT_FALSE(input_dialog::Run(nullptr, "Ask", "Name?", "x").has_value());
    user.join();
    EXPECT_TRUE(seenAgain.Found);
}

TEST(InputDialog, EnterConfirmsTheEntry) {
    SeenDialog seen;
    std::thread user = Answer("Ask", seen, [](HWND dialog) {
        TypeInto(dialog, "by keyboard");
        PostMessageA(GetDlgItem(dialog, input_dialog::kEditId), WM_KEYDOWN, VK_RETURN, 0);
    });
    const std::optional<std::string> entered = input_dialog::Run(nullptr, "Ask", "Name?", "");
    user.join();
    ASSERT_TRUE(entered.has_value());
    EXPECT_EQ(*entered, "by keyboard");
}

} // namespace
