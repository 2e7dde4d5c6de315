// Windows benchmark (run under Wine, on a display): the frame's steps at a
// 1280 x 800 client, beside floors measured in the same rounds.
//
// It opens TfrmMiddle in a program folder of its own with the Default skin
// copied from the Skins folder beside this program, at 1280 x 800, and times
// per step:
//   - a drag step: MoveFrame by one pixel (nothing is recomposed);
//   - a resize step: ArrangeFrame one pixel wider and higher, as the right
//     border's corner resizes, so that all four edge windows change size and
//     recompose;
//   - a roll-up: SetRolledUp(true) from the rolled-down frame;
// and the floors: a bare deferred move of five plain windows of the frame's
// sizes (one BeginDeferWindowPos batch), one bare UpdateLayeredWindow per edge
// window at its size from a ready bitmap, and the roll-up's batches made with
// plain windows and one bare UpdateLayeredWindow of the title bar. The frame
// and the floors' windows take turns on the same spot of the screen: only the
// set being timed is shown. Passes that recompose the edges or read their
// images alone tell where a resize step's time goes.
// Usage: bench_frame [ROUNDS]
#include "bench_window.h"
#include "timing.h"

#include "background.h"
#include "dc.h"
#include "dib.h"
#include "frame_geometry.h"
#include "frm_middle.h"
#include "gdiplus_raii.h"
#include "handles.h"

#include <windows.h>

#include <array>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <utility>
#include <vector>

namespace {

constexpr int kWidth = 1280;
constexpr int kHeight = 800;
constexpr int kLeft = 8, kTop = 40; // the client's corner: the whole frame on screen
constexpr int kSteps = 40;          // steps per timed run

using nq::frame::Rect;

bench::UniqueWindow PlainWindow(const Rect& r, DWORD exStyle) {
    return bench::UniqueWindow(CreateWindowExA(exStyle | WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP,
                                               r.Left, r.Top, r.Width, r.Height, nullptr, nullptr,
                                               GetModuleHandleA(nullptr), nullptr));
}

// One deferred batch of windows to rects moved by (dx, dy), sizes grown by
// (dw, dh), with extra flags.
bool DeferredMove(const std::vector<HWND>& windows, const std::vector<Rect>& rects, int dx, int dy,
                  int dw, int dh, UINT flags) {
    HDWP batch = BeginDeferWindowPos(static_cast<int>(windows.size()));
    for (std::size_t i = 0; i < windows.size() && batch; ++i) {
        const Rect& r = rects[i];
        batch = DeferWindowPos(batch, windows[i], nullptr, r.Left + dx, r.Top + dy, r.Width + dw,
                               r.Height + dh, SWP_NOZORDER | SWP_NOACTIVATE | flags);
    }
    return batch && EndDeferWindowPos(batch);
}

// A layered window's bare update: a ready premultiplied image pushed at its size.
bool PushLayered(HWND window, const nq::ArgbDib& image, POINT at) {
    const nq::ClientDC screen(nullptr);
    const nq::MemoryDC memory(screen.get());
    const nq::SelectGuard select(memory.get(), image.Bitmap());
    SIZE size{image.Width(), image.Height()};
    POINT source{0, 0};
    BLENDFUNCTION blend{AC_SRC_OVER, 0, 255, AC_SRC_ALPHA};
    return UpdateLayeredWindow(window, screen.get(), &at, &size, memory.get(), &source, 0, &blend,
                               ULW_ALPHA) != FALSE;
}

// An image of the size with every pixel half-transparent grey, premultiplied.
nq::ArgbDib GreyImage(int width, int height) {
    nq::ArgbDib image(width, height);
    if (image)
        for (int i = 0; i < width * height; ++i)
            image.Pixels()[i] = 0x80404040u;
    return image;
}

// Shows one set of windows and hides another, then lets the display settle.
void ShowOnly(const std::vector<HWND>& shown, const std::vector<HWND>& hidden) {
    for (HWND w : hidden)
        ShowWindow(w, SW_HIDE);
    for (HWND w : shown)
        ShowWindow(w, SW_SHOWNA);
    bench::Pump();
}

// One batch of the roll-up at client height k, with plain windows in the
// roll-up's order: client, bottom border, right border, left border.
bool RollBatch(const std::vector<HWND>& windows, const Rect& client,
               const nq::frame::EdgeSizes& edges, int k) {
    HDWP batch = BeginDeferWindowPos(4);
    constexpr UINT kFlags = SWP_NOZORDER | SWP_NOACTIVATE;
    const int below = k + edges.Bottom;
    if (batch)
        batch =
            DeferWindowPos(batch, windows[0], nullptr, 0, 0, client.Width, k, kFlags | SWP_NOMOVE);
    if (batch)
        batch = DeferWindowPos(batch, windows[1], nullptr, client.Left, client.Top + k,
                               client.Width, edges.Bottom, kFlags);
    if (batch)
        batch = DeferWindowPos(batch, windows[2], nullptr, 0, 0, edges.Right, below,
                               kFlags | SWP_NOMOVE);
    if (batch)
        batch = DeferWindowPos(batch, windows[3], nullptr, 0, 0, edges.Left, below,
                               kFlags | SWP_NOMOVE);
    return batch && EndDeferWindowPos(batch);
}

// Milliseconds per step: a run makes steps[i] steps of pass i.
void PrintStepTable(const std::vector<bench::Pass>& passes, const std::vector<int>& steps,
                    const bench::Figures& figures, int rounds) {
    std::printf("%d rounds; time per step in milliseconds (a roll-up is one step)\n", rounds);
    std::printf("  %-16s %8s %8s %8s   %s\n", "", "median", "min", "max", "calls");
    for (std::size_t i = 0; i < passes.size(); ++i)
        std::printf("  %-16s %8.3f %8.3f %8.3f   %s\n", passes[i].name,
                    figures.median_us[i] / 1000 / steps[i], figures.min_us[i] / 1000 / steps[i],
                    figures.max_us[i] / 1000 / steps[i], passes[i].what);
}

// The median over the rounds of num's time per step over the sum of dens'
// times per step in that round.
double RoundRatio(const bench::Figures& figures, const std::vector<int>& steps, std::size_t num,
                  std::vector<std::size_t> dens) {
    std::vector<double> ratios;
    for (std::size_t r = 0; r < figures.rounds_us[num].size(); ++r) {
        double floor = 0;
        for (std::size_t d : dens)
            floor += figures.rounds_us[d][r] / steps[d];
        ratios.push_back(figures.rounds_us[num][r] / steps[num] / floor);
    }
    return bench::Median(ratios);
}

enum Row : std::size_t {
    MoveFloor,
    Drag,
    LayeredFloor,
    Resize,
    RollFloor,
    RollUp,
    Recompose,
    EdgeImages,
    ClientResize,
    PlainResize,
};

} // namespace

int main(int argc, char** argv) {
    const nq::GdiplusSession gdiplus;
    if (!gdiplus.Started()) {
        std::fprintf(stderr, "GDI+ did not start\n");
        return 1;
    }
    const int rounds = argc > 1 ? std::atoi(argv[1]) : 15;
    if (rounds <= 0) {
        std::fprintf(stderr, "usage: bench_frame [ROUNDS]\n");
        return 2;
    }

    bench::ScratchFolder scratch("nq-bench-frame");
    const std::string programFolder = scratch.Path() + "program\\";
    const std::string fontsRoot = scratch.Path() + "fonts\\";
    CreateDirectoryA(fontsRoot.c_str(), nullptr);
    if (!bench::MakeProgramFolder(programFolder, kLeft, kTop, kWidth, kHeight))
        return 1;

    bench::RefusingPrompts prompts;
    std::unique_ptr<TfrmMiddle> form = bench::OpenForm(prompts, programFolder, fontsRoot);
    if (!form)
        return 1;
    const nq::frame::EdgeSizes edges = nq::frame::EdgeSizesFor(form->SkinValues(), true, false);
    const Rect client{kLeft, kTop, kWidth, kHeight};
    const nq::frame::FrameRects at = nq::frame::ArrangeRects(client, edges);
    // In the order MoveFrame places them.
    const std::vector<HWND> frame = {form->Handle(), form->frmBottom().Handle(),
                                     form->frmRight().Handle(), form->frmTop().Handle(),
                                     form->frmLeft().Handle()};
    const std::vector<Rect> frameRects = {at.Client, at.Bottom, at.Right, at.Title, at.Left};
    std::printf("Wine, the frame's steps: client %d x %d, edges left %d, right %d, top %d, "
                "bottom %d\n",
                kWidth, kHeight, edges.Left, edges.Right, edges.Top, edges.Bottom);
    if (edges.Left <= 0 || edges.Right <= 0 || edges.Top <= 0 || edges.Bottom <= 0) {
        std::fprintf(stderr, "the skin gives an edge no size\n");
        return 1;
    }

    // The floors' windows: five plain ones of the frame's sizes, and four
    // layered ones of the edges' sizes, on the frame's spot.
    std::vector<bench::UniqueWindow> plainOwned, layeredOwned;
    std::vector<HWND> plain, layered;
    for (const Rect& r : frameRects) {
        plainOwned.push_back(PlainWindow(r, 0));
        plain.push_back(plainOwned.back().get());
    }
    // The edges in the order RenderFrame composes them: title, left, bottom, right.
    const std::vector<Rect> edgeRects = {at.Title, at.Left, at.Bottom, at.Right};
    std::vector<std::array<nq::ArgbDib, 2>> edgeImages;
    for (const Rect& r : edgeRects) {
        layeredOwned.push_back(PlainWindow(r, WS_EX_LAYERED));
        layered.push_back(layeredOwned.back().get());
        // Each size a resize step alternates between.
        edgeImages.push_back({GreyImage(r.Width, r.Height), GreyImage(r.Width + 1, r.Height + 1)});
    }
    for (HWND w : plain)
        if (!w) {
            std::fprintf(stderr, "the floors' windows could not be made\n");
            return 1;
        }
    for (std::size_t i = 0; i < layered.size(); ++i)
        if (!layered[i] || !edgeImages[i][0] || !edgeImages[i][1]) {
            std::fprintf(stderr, "the floors' layered windows could not be made\n");
            return 1;
        }
    for (std::size_t i = 0; i < layered.size(); ++i)
        PushLayered(layered[i], edgeImages[i][0], {edgeRects[i].Left, edgeRects[i].Top});

    // The roll-up floor's windows: the plain client and side/bottom windows in
    // the order the roll-up's batches place them, and the layered title bar.
    const std::vector<HWND> rollPlain = {plain[0], plain[1], plain[2], plain[4]};
    const HWND rollTitle = layered[0];
    const std::vector<int> rollHeights = nq::frame::RollUpHeights(kHeight, form->Dpi());

    // Which set is on the screen: the frame (with the client) or a floor's.
    std::vector<HWND> frameShown = frame, floorShown = plain;
    floorShown.insert(floorShown.end(), layered.begin(), layered.end());
    const auto showFrame = [&] { ShowOnly(frameShown, floorShown); };
    const auto showFloors = [&] { ShowOnly(floorShown, frameShown); };
    // The frame back at its place and size, rolled down.
    const auto resetFrame = [&] {
        if (form->RolledUp())
            form->SetRolledUp(false);
        form->ArrangeFrame(kLeft, kTop, kWidth, kHeight);
        showFrame();
    };
    const auto resetFloors = [&] {
        DeferredMove(plain, frameRects, 0, 0, 0, 0, 0);
        for (std::size_t i = 0; i < layered.size(); ++i)
            PushLayered(layered[i], edgeImages[i][0], {edgeRects[i].Left, edgeRects[i].Top});
        showFloors();
    };
    bool rolled = true; // every roll-up rolled the frame up
    const std::vector<bench::Pass> passes = {
        {"move floor", "BeginDeferWindowPos, 5 plain windows of the frame's sizes moved 1 pixel",
         [&] {
             unsigned fold = 0;
             for (int s = 0; s < kSteps; ++s)
                 fold += DeferredMove(plain, frameRects, s % 2 ? 0 : 1, 0, 0, 0, 0);
             return fold;
         },
         resetFloors},
        {"drag step", "MoveFrame(+-1, 0): the five windows, nothing recomposed",
         [&] {
             unsigned fold = 0;
             for (int s = 0; s < kSteps; ++s) {
                 form->MoveFrame(s % 2 ? -1 : 1, 0);
                 ++fold;
             }
             return fold;
         },
         resetFrame},
        {"layered floor", "UpdateLayeredWindow of each of 4 edge windows at its next size",
         [&] {
             unsigned fold = 0;
             for (int s = 0; s < kSteps; ++s)
                 for (std::size_t i = 0; i < layered.size(); ++i)
                     fold += PushLayered(layered[i], edgeImages[i][(s + 1) % 2],
                                         {edgeRects[i].Left, edgeRects[i].Top});
             return fold;
         },
         resetFloors},
        {"resize step", "ArrangeFrame 1 pixel wider and higher and back: 4 edges recomposed",
         [&] {
             unsigned fold = 0;
             for (int s = 0; s < kSteps; ++s) {
                 const int grow = (s + 1) % 2;
                 form->ArrangeFrame(kLeft, kTop, kWidth + grow, kHeight + grow);
                 fold += form->frmTop().CompositionCount();
             }
             return fold;
         },
         resetFrame},
        {"roll-up floor",
         "the roll-up's batches with 4 plain windows, their hiding, 1 title update",
         [&] {
             unsigned fold = 0;
             for (const int k : rollHeights)
                 fold += RollBatch(rollPlain, client, edges, k);
             fold += DeferredMove(rollPlain, frameRects, 0, 0, 0, 0,
                                  SWP_HIDEWINDOW | SWP_NOMOVE | SWP_NOSIZE);
             fold +=
                 PushLayered(rollTitle, edgeImages[0][1], {edgeRects[0].Left, edgeRects[0].Top});
             return fold;
         },
         resetFloors},
        {"roll-up", "SetRolledUp(true) from the rolled-down frame",
         [&] {
             form->SetRolledUp(true);
             rolled &= form->RolledUp() && !IsWindowVisible(form->Handle());
             return static_cast<unsigned>(form->RolledUp());
         },
         resetFrame},
        {"  recompose", "RenderFrame: the 4 edges composed and pushed at their sizes, no move",
         [&] {
             for (int s = 0; s < kSteps; ++s)
                 form->RenderFrame(kWidth, kHeight);
             return static_cast<unsigned>(form->frmLeft().CompositionCount());
         },
         resetFrame},
        {"  edge images",
         "reading and decoding the 8 PNG images the 4 edges compose from",
         [&] {
             unsigned fold = 0;
             const std::string path = form->SkinPath();
             for (int s = 0; s < kSteps; ++s)
                 for (const char* name :
                      {"left_top.png", "top.png", "right_top.png", "left_bottom.png",
                       "left_middle.png", "bottom.png", "right_bottom.png", "right_middle.png"})
                     fold += nq::LoadSkinImage(path + name) != nullptr;
             return fold;
         },
         {}},
        {"  client resized", "SetWindowPos of the client window alone 1 pixel larger and back",
         [&] {
             unsigned fold = 0;
             for (int s = 0; s < kSteps; ++s) {
                 const int grow = (s + 1) % 2;
                 fold += SetWindowPos(form->Handle(), nullptr, 0, 0, kWidth + grow, kHeight + grow,
                                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
             }
             return fold;
         },
         resetFrame},
        {"  plain resized", "SetWindowPos of a plain window of the client's size, likewise",
         [&] {
             unsigned fold = 0;
             for (int s = 0; s < kSteps; ++s) {
                 const int grow = (s + 1) % 2;
                 fold += SetWindowPos(plain[0], nullptr, 0, 0, kWidth + grow, kHeight + grow,
                                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE) != FALSE;
             }
             return fold;
         },
         resetFloors},
    };
    // Steps per run, by row: the roll-ups make one each.
    std::vector<int> steps(passes.size(), kSteps);
    steps[RollFloor] = steps[RollUp] = 1;

    const bench::Figures figures = bench::MeasurePasses(passes, rounds);
    PrintStepTable(passes, steps, figures, rounds);
    std::printf("Against the floors measured in the same rounds (medians of per-round ratios):\n");
    bench::PrintTarget("drag / move floor", RoundRatio(figures, steps, Drag, {MoveFloor}), "",
                       bench::Bound::AtMost, 1.2);
    bench::PrintTarget("resize / (move + layered floor)",
                       RoundRatio(figures, steps, Resize, {MoveFloor, LayeredFloor}), "",
                       bench::Bound::AtMost, 1.5);
    const auto ratio = [&](const char* label, std::size_t num, std::size_t den) {
        std::printf("  %-30s %6.2f\n", label, RoundRatio(figures, steps, num, {den}));
    };
    // A resize step also resizes the client window, which lays out its
    // controls: that share is the client's own, not the frame's.
    {
        std::vector<double> ratios;
        for (std::size_t r = 0; r < figures.rounds_us[Resize].size(); ++r)
            ratios.push_back(
                (figures.rounds_us[Resize][r] - figures.rounds_us[ClientResize][r]) /
                (figures.rounds_us[MoveFloor][r] + figures.rounds_us[LayeredFloor][r]));
        std::printf("  %-30s %6.2f\n", "(resize - client resized) / floor", bench::Median(ratios));
    }
    ratio("client resized / plain resized", ClientResize, PlainResize);
    ratio("roll-up / roll-up floor", RollUp, RollFloor);
    ratio("recompose / layered floor", Recompose, LayeredFloor);
    ratio("edge images / resize step", EdgeImages, Resize);

    // Figures of a run that did not do what it says mean nothing.
    resetFrame();
    RECT now{};
    GetWindowRect(form->Handle(), &now);
    const std::pair<bool, const char*> checks[] = {{rolled, "a roll-up did not roll the frame up"},
                                                   {now.left == kLeft && now.top == kTop &&
                                                        now.right - now.left == kWidth &&
                                                        now.bottom - now.top == kHeight,
                                                    "the frame is not back at its place"},
                                                   {prompts.Shown == 0, "a prompt was shown"}};
    bool sound = true;
    for (const auto& [ok, what] : checks)
        if (!ok) {
            std::printf("CHECK FAILED: %s\n", what);
            sound = false;
        }
    form.reset();
    return sound ? 0 : 1;
}
