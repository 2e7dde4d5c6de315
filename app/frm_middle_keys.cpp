// TfrmMiddle: the keyboard. The window looks at every key of its controls
// before they do (as a form's key preview) and runs the command of the keys
// it owns; Tab moves between its five controls in the order a user reads
// them, and the other keys go on to the controls.
#include "frm_middle.h"

#include "child.h"
#include "control_ids.h"
#include "key_commands.h"

#include <array>

namespace {

// Whether lParam of a WM_KEYDOWN tells that the key was down already (auto-repeat).
bool IsRepeat(LPARAM lParam) {
    return (lParam & (1L << 30)) != 0;
}

} // namespace

bool TfrmMiddle::KeyPreview(const MSG& msg) {
    if (msg.message != WM_KEYDOWN || !Handle() ||
        (msg.hwnd != Handle() && !IsChild(Handle(), msg.hwnd)))
        return false;
    const nq::KeyStroke key{static_cast<unsigned>(msg.wParam), GetKeyState(VK_CONTROL) < 0,
                            GetKeyState(VK_SHIFT) < 0, GetKeyState(VK_MENU) < 0};
    nq::KeyPlace place = nq::KeyPlace::Other;
    if (msg.hwnd == collections_.List().Handle())
        place = nq::KeyPlace::Folders;
    else if (msg.hwnd == fonts_.List().Handle())
        place = nq::KeyPlace::Fonts;
    else if (msg.hwnd == search_.EditHandle())
        place = nq::KeyPlace::Search;
    const nq::Command command = nq::KeyCommand(key, place);
    if (command == nq::Command::None)
        return false;
    // A held key moves the focus on and on, but switches, trashes or reads a
    // collection only once.
    const bool moves =
        command == nq::Command::NextControl || command == nq::Command::PreviousControl;
    if (moves || !IsRepeat(msg.lParam))
        RunCommand(command);
    return true;
}

void TfrmMiddle::ProcessLoopMessage(MSG& msg) {
    if (KeyPreview(msg))
        return;
    if (!Handle() || !IsDialogMessageW(Handle(), &msg)) {
        TranslateMessage(&msg);
        DispatchMessageW(&msg);
    }
    // A key may move the focus of lbFonts without changing its selection
    // (then the list reports nothing): the preview follows the focused row.
    if (msg.message == WM_KEYDOWN && Handle() && msg.hwnd == fonts_.List().Handle())
        FollowCurrentFont();
}

void TfrmMiddle::MoveFocus(bool forward) {
    const std::array<HWND, 5> order = {
        collections_.List().Handle(), fonts_.List().Handle(), search_.EditHandle(),
        nq::FindDescendant(Handle(), ctl::ComboBox1), nq::FindDescendant(Handle(), ctl::LbPreview)};
    const int count = static_cast<int>(order.size());
    const HWND focus = GetFocus();
    int at = forward ? -1 : count;
    for (int i = 0; i < count; ++i)
        if (order[i] && focus && (order[i] == focus || IsChild(order[i], focus)))
            at = i;
    for (int step = 1; step <= count; ++step) {
        const int index = ((at + (forward ? step : -step)) % count + count) % count;
        const HWND next = order[index];
        if (!next || !IsWindowVisible(next) || !IsWindowEnabled(next))
            continue;
        if (next == search_.EditHandle())
            search_.Focus();
        else
            SetFocus(next);
        return;
    }
}
