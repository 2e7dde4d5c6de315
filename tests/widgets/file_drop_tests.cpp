// TFileDrop on real list boxes, with drop handles built as the shell builds them.
#include "file_drop.h"
#include "handles.h"

#include <gtest/gtest.h>

#include <shlobj.h>

#include <cstring>

namespace {

using nq::TFileDrop;

// ANSI paths (GHND zeroes fWide), each zero-terminated, then a final zero;
// the receiving window frees the block.
void Drop(HWND window, const std::vector<std::string>& paths) {
    std::string list;
    for (const std::string& path : paths)
        list += path + '\0';
    list += '\0';
    if (paths.empty()) // the shell ends even an empty list with two zeros
        list += '\0';
    nq::UniqueGlobal block(GlobalAlloc(GHND, sizeof(DROPFILES) + list.size()));
    {
        nq::GlobalLockGuard lock(block.get());
        auto* header = static_cast<DROPFILES*>(lock.data());
        header->pFiles = sizeof(DROPFILES);
        std::memcpy(header + 1, list.data(), list.size());
    }
    SendMessageA(window, WM_DROPFILES, reinterpret_cast<WPARAM>(block.release()), 0);
}
LONG_PTR Proc(HWND window) {
    return GetWindowLongPtrA(window, GWLP_WNDPROC);
}
bool AcceptsFiles(HWND window) {
    return GetWindowLongPtrA(window, GWL_EXSTYLE) & WS_EX_ACCEPTFILES;
}

class FileDropTest : public ::testing::Test {
  protected:
    ~FileDropTest() override { DestroyWindow(top_); } // and the lists with it
    HWND List() {
        return CreateWindowExA(0, "LISTBOX", "", WS_CHILD, 0, 0, 99, 99, top_, nullptr, nullptr,
                               nullptr);
    }
    HWND top_ = CreateWindowExA(0, "STATIC", "", WS_OVERLAPPEDWINDOW, 0, 0, 200, 200, nullptr,
                                nullptr, nullptr, nullptr);
    HWND a_ = List(), b_ = List();
};

TEST_F(FileDropTest, EachDropReplacesFilesAndRaisesOnDrop) {
    const std::vector<std::vector<std::string>> drops = {
        {"C:\\a\\one.ttf", "D:\\two.otf", "C:\\three.fon"},
        {"C:\\" + std::string(288, 'd') + "\\font.ttf"}, // 300 characters
        {}};
    TFileDrop drop;
    int raised = 0;
    drop.OnDrop = [&](TFileDrop& sender) { raised += &sender == &drop; };
    drop.SetDropControl(a_);
    for (size_t i = 0; i < drops.size(); ++i) {
        Drop(a_, drops[i]);
        EXPECT_EQ(drop.Files(), drops[i]);
        EXPECT_EQ(drop.FileCount(), static_cast<int>(drops[i].size()));
        EXPECT_EQ(raised, static_cast<int>(i + 1));
    }
}

TEST_F(FileDropTest, HookFollowsDropControlAndItsWindow) {
    const LONG_PTR originalA = Proc(a_), originalB = Proc(b_);
    TFileDrop drop;
    drop.SetEnableDrop(true);
    EXPECT_FALSE(drop.EnableDrop()); // no control yet
    drop.SetDropControl(a_);
    EXPECT_TRUE(drop.EnableDrop() && AcceptsFiles(a_) && Proc(a_) != originalA);
    drop.SetEnableDrop(false);
    drop.SetDropControl(a_); // the same control does not switch dropping on again
    EXPECT_FALSE(drop.EnableDrop() || AcceptsFiles(a_));
    SendMessageA(a_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row")); // through the hook
    EXPECT_EQ(SendMessageA(a_, LB_GETCOUNT, 0, 0), 1);
    drop.SetDropControl(b_);
    EXPECT_TRUE(Proc(a_) == originalA && drop.EnableDrop() && AcceptsFiles(b_));
    drop.SetDropControl(nullptr);
    EXPECT_FALSE(Proc(b_) != originalB || drop.EnableDrop() || AcceptsFiles(b_));
    drop.SetDropControl(a_);
    DestroyWindow(a_);
    EXPECT_FALSE(drop.DropControl() || drop.EnableDrop()); // nothing left to restore
}

WNDPROC underneath = nullptr;
LRESULT CALLBACK PassOn(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
    return CallWindowProcA(underneath, window, message, wParam, lParam);
}

TEST_F(FileDropTest, SubclassInstalledLaterKeepsItsChain) {
    {
        TFileDrop first;
        first.SetDropControl(a_);
        underneath = reinterpret_cast<WNDPROC>(
            SetWindowLongPtrA(a_, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&PassOn)));
    }
    EXPECT_TRUE(Proc(a_) == reinterpret_cast<LONG_PTR>(&PassOn) && !AcceptsFiles(a_));
    TFileDrop second, third; // second takes up the hook still in the chain
    second.SetDropControl(a_);
    third.SetDropControl(a_); // one drop target per window
    EXPECT_EQ(third.DropControl(), nullptr);
    Drop(a_, {"C:\\x.ttf"});
    EXPECT_EQ(second.FileCount(), 1);
    EXPECT_NE(SendMessageA(a_, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>("row")), LB_ERR);
}

} // namespace
