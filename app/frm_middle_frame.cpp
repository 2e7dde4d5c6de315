// TfrmMiddle and the four edge windows around it: their arrangement, the
// roll-up, the activation's look, the skin menu and the skin switch.
#include "frm_middle.h"

#include "child.h"
#include "defer_pos.h"
#include "skin_menu.h"

#include <algorithm>
#include <utility>

namespace {

nq::WindowRect AsWindowRect(const nq::frame::Rect& r) {
    return nq::WindowRect{r.Left, r.Top, r.Width, r.Height};
}

constexpr UINT kSizeOnly = SWP_NOMOVE;

} // namespace

nq::frame::Rect TfrmMiddle::ClientBounds() const {
    RECT r{};
    GetWindowRect(Handle(), &r);
    return nq::frame::Rect{r.left, r.top, r.right - r.left, r.bottom - r.top};
}

nq::frame::EdgeSizes TfrmMiddle::Edges() const {
    return nq::frame::EdgeSizesFor(scaledSkin_, active_, rolledUp_);
}

int TfrmMiddle::LeftWidth() const {
    return Edges().Left;
}
int TfrmMiddle::RightWidth() const {
    return Edges().Right;
}
int TfrmMiddle::TopHeight() const {
    return Edges().Top;
}
int TfrmMiddle::BottomHeight() const {
    return Edges().Bottom;
}

void TfrmMiddle::ShowUnshownEdges() {
    // Hiding for the roll-up does not count: only a window never shown is.
    const auto showOnce = [](HWND window, bool& shown) {
        if (shown || !window)
            return;
        shown = true;
        ShowWindow(window, SW_SHOWNA);
    };
    if (!rolledUp_) {
        showOnce(frmBottom_.Handle(), shown_.Bottom);
        showOnce(frmRight_.Handle(), shown_.Right);
        showOnce(frmLeft_.Handle(), shown_.Left);
    }
    showOnce(frmTop_.Handle(), shown_.Top);
}

void TfrmMiddle::ArrangeFrame(int x, int y, int width, int height) {
    const nq::frame::FrameRects r = nq::frame::ArrangeRects({x, y, width, height}, Edges());
    {
        nq::DeferBatch batch;
        batch.Place(frmTop_.Handle(), AsWindowRect(r.Title));
        batch.Place(Handle(), AsWindowRect(r.Client));
        batch.Place(frmBottom_.Handle(), AsWindowRect(r.Bottom));
        batch.Place(frmRight_.Handle(), AsWindowRect(r.Right));
        batch.Place(frmLeft_.Handle(), AsWindowRect(r.Left));
    }
    ShowUnshownEdges();
}

void TfrmMiddle::RenderFrame(int width, int height) {
    const nq::frame::EdgeSizes e = Edges();
    frmTop_.RenderEdge(e.Left + width + e.Right, e.Top);
    frmLeft_.RenderEdge(e.Left, height + e.Bottom);
    frmBottom_.RenderEdge(width, e.Bottom);
    frmRight_.RenderEdge(e.Right, height + e.Bottom);
}

void TfrmMiddle::MoveFrame(int dx, int dy) {
    RECT title{};
    GetWindowRect(frmTop_.Handle(), &title);
    const nq::frame::FrameRects r = nq::frame::MoveRects(
        ClientBounds(), {title.left, title.top, title.right - title.left, title.bottom - title.top},
        dx, dy, rolledUp_, Edges());
    {
        nq::DeferBatch batch;
        batch.Place(Handle(), AsWindowRect(r.Client));
        batch.Place(frmBottom_.Handle(), AsWindowRect(r.Bottom));
        batch.Place(frmRight_.Handle(), AsWindowRect(r.Right));
        batch.Place(frmTop_.Handle(), AsWindowRect(r.Title));
        batch.Place(frmLeft_.Handle(), AsWindowRect(r.Left));
    }
    ShowUnshownEdges();
}

void TfrmMiddle::SetRolledUp(bool rolledUp) {
    const nq::frame::Rect c = ClientBounds();
    // The animation's heights cut the client window; its controls are not
    // laid out again at each of them.
    rolling_ = true;
    const struct Rolled {
        bool& Flag;
        ~Rolled() { Flag = false; }
    } rolled{rolling_};
    if (rolledUp) {
        rolledUp_ = true;
        savedHeight_ = c.Height;
        for (const int k : nq::frame::RollUpHeights(c.Height, dpi_)) {
            nq::DeferBatch batch;
            batch.Place(Handle(), {0, 0, c.Width, k}, kSizeOnly);
            batch.Place(frmBottom_.Handle(), {c.Left, c.Top + k, c.Width, BottomHeight()});
            batch.Place(frmRight_.Handle(), {0, 0, RightWidth(), k + BottomHeight()}, kSizeOnly);
            batch.Place(frmLeft_.Handle(), {0, 0, LeftWidth(), k + BottomHeight()}, kSizeOnly);
        }
        {
            constexpr UINT kHide = SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE | SWP_NOOWNERZORDER;
            nq::DeferBatch batch;
            for (HWND window :
                 {Handle(), frmBottom_.Handle(), frmRight_.Handle(), frmLeft_.Handle()})
                batch.Place(window, {}, kHide);
        }
        // The collapsed window hangs from the title bar's top edge.
        frmTop_.RenderEdge(LeftWidth() + c.Width + RightWidth(), TopHeight());
        return;
    }
    rolledUp_ = false;
    // Laid out once, for the height it comes back to, before it shows again.
    LayOut({c.Width, std::max(savedHeight_, 0)});
    frmTop_.RenderEdge(LeftWidth() + c.Width + RightWidth(), TopHeight());
    for (const int k : nq::frame::RollDownHeights(savedHeight_, dpi_)) {
        nq::DeferBatch batch;
        batch.Place(Handle(), {0, 0, c.Width, k}, kSizeOnly | SWP_SHOWWINDOW);
        batch.Place(frmBottom_.Handle(), {c.Left, c.Top + k, c.Width, BottomHeight()},
                    SWP_SHOWWINDOW);
        batch.Place(frmRight_.Handle(), {0, 0, RightWidth(), k + BottomHeight()},
                    kSizeOnly | SWP_SHOWWINDOW);
        batch.Place(frmLeft_.Handle(), {0, 0, LeftWidth(), k + BottomHeight()},
                    kSizeOnly | SWP_SHOWWINDOW);
    }
    frmTop_.RenderEdge(LeftWidth() + c.Width + RightWidth(), TopHeight());
}

void TfrmMiddle::ApplyActivation(bool active) {
    active_ = active;
    const nq::CaptionValues& caption = skinValues_.Caption;
    frmTop_.SetTitleAlpha(active ? caption.AlphaActive : caption.AlphaInActive);
    const nq::frame::Rect c = ClientBounds();
    const nq::frame::EdgeSizes e = Edges();
    // Every edge window keeps its top-left corner and takes its new size.
    frmTop_.RenderEdge(e.Left + c.Width + e.Right, e.Top);
    SetWindowPos(frmTop_.Handle(), nullptr, 0, 0, e.Left + c.Width + e.Right, e.Top,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    frmBottom_.RenderEdge(c.Width, e.Bottom);
    frmLeft_.RenderEdge(e.Left, c.Height + e.Bottom);
    frmRight_.RenderEdge(e.Right, c.Height + e.Bottom);
    RenderFrame(c.Width, c.Height);
}

void TfrmMiddle::CloseProgram() {
    PostMessageA(Handle(), WM_CLOSE, 0, 0);
}

void TfrmMiddle::MinimizeProgram() {
    // The taskbar button is the application window's: the frame goes with it.
    appWindow_.Minimize();
}

void TfrmMiddle::BringFrameToFront() {
    appWindow_.BringToFront();
}

void TfrmMiddle::ApplicationMinimized() {
    ShowWindow(Handle(), SW_HIDE);
    for (HWND edge : EdgeHandles())
        ShowWindow(edge, SW_HIDE);
}

void TfrmMiddle::ApplicationRestored() {
    ShowFrameWindows(true);
    BringFrameToFront();
}

HWND TfrmMiddle::WindowToActivate() const {
    // A box the program has open (owned by the client window) comes first.
    const HWND popup = GetLastActivePopup(Handle());
    if (popup && popup != Handle() && IsWindowVisible(popup))
        return popup;
    return rolledUp_ ? frmTop_.Handle() : Handle();
}

bool TfrmMiddle::FrameSysCommand(UINT command) {
    switch (command) {
    case SC_MINIMIZE:
        MinimizeProgram();
        return true;
    case SC_RESTORE:
        // The client window minimised on its own restores itself.
        if (IsIconic(Handle()))
            return false;
        if (appWindow_.Minimized())
            ShowWindow(appWindow_.Handle(), SW_RESTORE);
        return true;
    case SC_MAXIMIZE:
    case SC_SIZE:
    case SC_MOVE:
        return true; // the frame places and sizes its windows itself
    default:
        return false;
    }
}

void TfrmMiddle::ShowFrameWindows(bool withClient) {
    if (!rolledUp_) {
        if (withClient)
            ShowWindow(Handle(), SW_SHOWNA);
        for (HWND edge : {frmBottom_.Handle(), frmRight_.Handle(), frmLeft_.Handle()})
            ShowWindow(edge, SW_SHOWNA);
    }
    ShowWindow(frmTop_.Handle(), SW_SHOWNA);
}

std::vector<nq::EdgeWindow*> TfrmMiddle::EdgeWindows() {
    return {&frmTop_, &frmRight_, &frmBottom_, &frmLeft_};
}

std::vector<HWND> TfrmMiddle::EdgeHandles() const {
    return {frmTop_.Handle(), frmRight_.Handle(), frmBottom_.Handle(), frmLeft_.Handle()};
}

void TfrmMiddle::PopupSkinMenu(POINT screen) {
    const std::vector<std::string> skins = nq::SkinFolders(programFolder_ + "\\Skins\\");
    const nq::SkinMenuChoice chosen =
        nq::PopupSkinMenu(frmTop_.Handle(), screen, skins, {kProblemsCommand});
    if (chosen.Skin)
        DUMMY1Click(*chosen.Skin);
    else if (chosen.Command)
        RunCommand(nq::Command::ShowProblems);
}

void TfrmMiddle::DUMMY1Click(const std::string& caption) {
    skinDir_ = "Skins\\" + caption;
    LoadSkin();
    const nq::frame::Rect c = ClientBounds();
    ArrangeFrame(c.Left, c.Top, c.Width, c.Height);
    // Windows whose size did not change show the new images too.
    RECT r{};
    for (nq::EdgeWindow* edge :
         std::initializer_list<nq::EdgeWindow*>{&frmLeft_, &frmRight_, &frmTop_, &frmBottom_}) {
        GetWindowRect(edge->Handle(), &r);
        edge->RenderEdge(r.right - r.left, r.bottom - r.top);
    }
    RenderFrame(c.Width, c.Height);
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
    ShowSkinInfo();
}

void TfrmMiddle::FormDpiChanged(int dpi, const RECT& suggested) {
    if (dpi <= 0 || dpi == dpi_)
        return;
    const int previous = std::exchange(dpi_, dpi);
    ApplyDpi();
    // Before the first show the window is still being placed: FormCreate
    // reads the skin and FormShow arranges the frame at this DPI.
    if (!shown_.Top)
        return;
    // The skin's images and values for the new scale, the title bar's
    // buttons with them; nothing is composed yet.
    LoadSkin();
    std::vector<int> compositions;
    for (const nq::EdgeWindow* edge : EdgeWindows())
        compositions.push_back(edge->CompositionCount());
    const SIZE before = nq::ClientSize(Handle());
    const nq::frame::Rect c = ClientBounds();
    nq::frame::Rect to{suggested.left, suggested.top, suggested.right - suggested.left,
                       suggested.bottom - suggested.top};
    if (rolledUp_) {
        // Hidden, the client keeps its (roll step) height; the height it
        // rolls down to is scaled along.
        savedHeight_ = MulDiv(savedHeight_, dpi, previous);
        to.Height = c.Height;
    }
    // One batch: each edge window whose size changes is composed once, at
    // its new size and scale, before the five show together.
    ArrangeFrame(to.Left, to.Top, to.Width, to.Height);
    const SIZE after = nq::ClientSize(Handle());
    if (!rolledUp_ && after.cx == before.cx && after.cy == before.cy)
        ApplyLayout();
    // An edge whose size happens to be the same shows the new scale too.
    RECT r{};
    const std::vector<nq::EdgeWindow*> edges = EdgeWindows();
    for (std::size_t i = 0; i < edges.size(); ++i)
        if (edges[i]->CompositionCount() == compositions[i] && edges[i]->Handle()) {
            GetWindowRect(edges[i]->Handle(), &r);
            edges[i]->RenderEdge(r.right - r.left, r.bottom - r.top);
        }
    RedrawWindow(Handle(), nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN);
}

void TfrmMiddle::EdgeDpiChanged(const nq::EdgeWindow& edge, int dpi) {
    // Rolled up, only the title bar shows and moves between monitors.
    if (rolledUp_ && &edge == &frmTop_) {
        const nq::frame::Rect c = ClientBounds();
        const nq::frame::Rect scaled{c.Left, c.Top, MulDiv(c.Width, dpi, dpi_), c.Height};
        FormDpiChanged(dpi, RECT{scaled.Left, scaled.Top, scaled.Left + scaled.Width,
                                 scaled.Top + scaled.Height});
    }
}

void TfrmMiddle::ShowSkinInfo() {
    const nq::GeneralValues& general = skinValues_.General;
    prompts_.Message(Handle(), "Skin Info",
                     nq::SkinInfoText(general.Name, general.Author, general.Notes),
                     MB_OK | MB_ICONINFORMATION);
}
