// Windows benchmark (run under Wine, on a display): the client window's paints
// from the skin at 1280 x 800 at 96 DPI, beside the bare drawing steps of the
// same sizes (the floors). At another display scale (a prefix whose LogPixels
// is 144) the window is as large in pixels as that scale makes it (1920 x
// 1200 at 150 %), drawn at that scale with the skin's double-size images, and
// the floors are of that size.
//
// It opens TfrmMiddle in a program folder of its own, with the Default skin
// copied from the Skins folder beside this program and settings that make the
// window 1280 x 800 (scaled) at the screen's corner, lists a collection of copies of
// the corpus and selects its first font. In interleaved rounds it times the
// repaint of the whole window after a size change (the backgrounds are built
// again) and without one (they are kept), one repaint of the fonts bar, and
// the floors of both sizes: an off-screen 32-bit GDI+ image, the background
// copied into it and the image drawn onto the window's device context; and a
// bare BitBlt. Every timed paint happens before RedrawWindow returns
// (RDW_UPDATENOW) and ends with GdiFlush. A few passes that repaint only some
// of the windows, or make only some of the bar's calls, tell where the time
// goes.
// Usage: bench_paint CORPUS_DIR [ROUNDS] [FILES]   (a Windows path, e.g. Z:\work\corpus)
#include "bench_window.h"
#include "timing.h"
#include "wine_corpus.h"

#include "background.h"
#include "bar_rules.h"
#include "child.h"
#include "control_ids.h"
#include "dc.h"
#include "dib.h"
#include "dpi.h"
#include "dpi_scale.h"
#include "ffpbox.h"
#include "frm_middle.h"
#include "gdiplus_raii.h"
#include "handles.h"
#include "list_controls.h"
#include "offscreen.h"

#include <windows.h>

#include <cstdio>
#include <memory>
#include <optional>
#include <set>
#include <string>
#include <vector>

namespace {

using namespace Gdiplus::DllExports;

// At 96 DPI; scaled to the screen's.
constexpr int kWidth96 = 1280;
constexpr int kHeight96 = 800;
constexpr const char* kCollection = "Bench";
constexpr int kCollectionRow = 1; // row 0 is "All Fonts", the empty fonts root

// A window and every window below it, or the window alone, invalidated and
// painted before RedrawWindow returns.
constexpr UINT kRepaintAll = RDW_INVALIDATE | RDW_UPDATENOW | RDW_ALLCHILDREN;
constexpr UINT kRepaintOne = RDW_INVALIDATE | RDW_UPDATENOW | RDW_NOCHILDREN;

// One repaint, drawn through to the device before it returns; 1 when nothing
// is left to paint.
unsigned Repaint(HWND window, UINT flags) {
    RedrawWindow(window, nullptr, nullptr, flags);
    GdiFlush();
    return GetUpdateRect(window, nullptr, FALSE) ? 0 : 1;
}

void Resize(HWND window, int width, int height) {
    SetWindowPos(window, nullptr, 0, 0, width, height, SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
}

// The bare GDI+ steps of a paint of size onto dc: an off-screen 32-bit image
// of the size, the part of background at from copied into it, and the image
// drawn onto dc at (0, 0).
unsigned GdiplusFloor(HDC dc, Gdiplus::GpBitmap* background, POINT from, SIZE size) {
    Gdiplus::GpBitmap* raw = nullptr;
    if (GdipCreateBitmapFromScan0(size.cx, size.cy, 0, PixelFormat32bppARGB, nullptr, &raw) !=
        Gdiplus::Ok)
        return 0;
    const nq::GdipBitmapPtr image(raw);
    {
        Gdiplus::GpGraphics* graphics = nullptr;
        if (GdipGetImageGraphicsContext(image.get(), &graphics) != Gdiplus::Ok)
            return 0;
        const nq::GdipGraphicsPtr owned(graphics);
        GdipDrawImagePointRectI(graphics, background, 0, 0, from.x, from.y, size.cx, size.cy,
                                Gdiplus::UnitPixel);
    }
    bool drawn = false;
    if (const nq::GdipGraphicsPtr graphics = nq::GraphicsOn(dc))
        drawn = GdipDrawImageI(graphics.get(), image.get(), 0, 0) == Gdiplus::Ok;
    GdiFlush();
    return drawn;
}

unsigned BitBltFloor(HDC dc, HDC source, SIZE size) {
    const BOOL copied = BitBlt(dc, 0, 0, size.cx, size.cy, source, 0, 0, SRCCOPY);
    GdiFlush();
    return copied != FALSE;
}

BOOL CALLBACK AddWindow(HWND window, LPARAM list) {
    reinterpret_cast<std::vector<HWND>*>(list)->push_back(window);
    return TRUE;
}

// Every window below root, at any depth.
std::vector<HWND> Descendants(HWND root) {
    std::vector<HWND> windows;
    EnumChildWindows(root, AddWindow, reinterpret_cast<LPARAM>(&windows));
    return windows;
}

// The windows that received WM_PAINT while a hook of this thread was set.
std::set<HWND>* g_painted = nullptr;

LRESULT CALLBACK NotePaint(int code, WPARAM wParam, LPARAM lParam) {
    if (code == HC_ACTION && g_painted) {
        const auto* sent = reinterpret_cast<const CWPSTRUCT*>(lParam);
        if (sent->message == WM_PAINT)
            g_painted->insert(sent->hwnd);
    }
    return CallNextHookEx(nullptr, code, wParam, lParam);
}

struct HookTraits {
    using Handle = HHOOK;
    static Handle Empty() { return nullptr; }
    static void Close(Handle h) { UnhookWindowsHookEx(h); }
};

// The windows painted during one untimed run of pass.
std::set<HWND> PaintedBy(const bench::Pass& pass) {
    if (pass.prepare)
        pass.prepare();
    std::set<HWND> painted;
    g_painted = &painted;
    {
        const nq::Unique<HookTraits> hook(
            SetWindowsHookExA(WH_CALLWNDPROC, NotePaint, nullptr, GetCurrentThreadId()));
        bench::g_sink = bench::g_sink + pass.run();
    }
    g_painted = nullptr;
    return painted;
}

// The median per-round ratio of two passes, printed without a target.
void PrintRatioOnly(const char* label, const bench::Figures& figures, std::size_t num,
                    std::size_t den) {
    std::vector<double> ratios;
    for (std::size_t r = 0; r < figures.rounds_us[num].size(); ++r)
        ratios.push_back(figures.rounds_us[num][r] / figures.rounds_us[den][r]);
    std::printf("  %-30s %6.2f\n", label, bench::Median(ratios));
}

void PrintTable(const std::vector<bench::Pass>& passes, const bench::Figures& figures, int rounds) {
    std::printf("%d rounds; time per run in milliseconds\n", rounds);
    std::printf("  %-18s %8s %8s %8s   %s\n", "", "median", "min", "max", "calls");
    for (std::size_t i = 0; i < passes.size(); ++i)
        std::printf("  %-18s %8.2f %8.2f %8.2f   %s\n", passes[i].name, figures.median_us[i] / 1000,
                    figures.min_us[i] / 1000, figures.max_us[i] / 1000, passes[i].what);
}

// The rows of the passes, in the order of the table.
enum Row : std::size_t {
    FloorGdiplus,
    FloorBitBlt,
    FullCached,
    FullRebuilt,
    BarFloorGdiplus,
    BarFloorBitBlt,
    Bar,
    FirstPart,
    FirstBarPart = FirstPart + 8,
};

} // namespace

int main(int argc, char** argv) {
    // Started before any window exists and shut down as the very last step.
    const nq::GdiplusSession gdiplus;
    if (!gdiplus.Started()) {
        std::fprintf(stderr, "GDI+ did not start\n");
        return 1;
    }
    const std::optional<bench::CorpusArgs> args = bench::ParseCorpusArgs(argc, argv, 300, "FILES");
    if (!args)
        return 2;
    const int rounds = args->Rounds;
    // The scale of the screen the window opens on, and its size there.
    const int dpi = nq::MonitorDpiAt(POINT{0, 0});
    const int windowWidth = nq::Scaled(kWidth96, dpi);
    const int windowHeight = nq::Scaled(kHeight96, dpi);

    // A program folder with the Default skin beside the build's programs, and a
    // fonts root holding one collection of copies of the corpus.
    bench::ScratchFolder scratch("nq-bench-paint");
    const std::string programFolder = scratch.Path() + "program\\";
    const std::string fontsRoot = scratch.Path() + "fonts\\";
    const std::string folder = fontsRoot + kCollection + "\\";
    if (!bench::MakeProgramFolder(programFolder, 0, 0, windowWidth, windowHeight))
        return 1;
    CreateDirectoryA(fontsRoot.c_str(), nullptr);
    CreateDirectoryA(folder.c_str(), nullptr);
    for (std::size_t i = 0; i < args->Count; ++i) {
        char prefix[16];
        std::snprintf(prefix, sizeof prefix, "%04zu-", i);
        const std::string& source = args->Sources[i % args->Sources.size()];
        if (!CopyFileA((args->Corpus + source).c_str(), (folder + prefix + source).c_str(), TRUE)) {
            std::fprintf(stderr, "cannot copy %s into %s\n", source.c_str(), folder.c_str());
            return 1;
        }
    }

    bench::RefusingPrompts prompts;
    std::unique_ptr<TfrmMiddle> form = bench::OpenForm(prompts, programFolder, fontsRoot);
    if (!form)
        return 1;
    const HWND window = form->Handle();
    const auto control = [window](int id) { return nq::FindDescendant(window, id); };
    const HWND lbFolders = control(ctl::LbFolders), lbFonts = control(ctl::LbFonts);
    if (nq::ListBox(lbFolders).Text(kCollectionRow) != kCollection) {
        std::fprintf(stderr, "row %d of lbFolders is not \"%s\"\n", kCollectionRow, kCollection);
        return 1;
    }
    // The collection listed and its first font selected, as a click makes them.
    SendMessageA(lbFolders, LB_SETSEL, FALSE, -1);
    SendMessageA(lbFolders, LB_SETSEL, TRUE, kCollectionRow);
    SendMessageA(lbFolders, LB_SETCARETINDEX, kCollectionRow, FALSE);
    form->lbFoldersClick();
    form->FinishListing();
    SendMessageA(lbFonts, LB_SETSEL, TRUE, 0);
    SendMessageA(lbFonts, LB_SETCARETINDEX, 0, FALSE);
    form->lbFontsClick();
    Repaint(window, kRepaintAll);
    bench::Pump();

    const HWND bgPanel = control(ctl::BgPanel), pb2 = control(ctl::Pb2);
    const SIZE client = nq::ClientSize(window);
    const SIZE bar = nq::ClientSize(pb2);
    const POINT barAt = nq::OffsetIn(pb2, bgPanel);
    const unsigned listedRows = static_cast<unsigned>(SendMessageA(lbFonts, LB_GETCOUNT, 0, 0));
    std::printf("Wine, client window paints at %d DPI: %ld x %ld, %u fonts listed, fonts bar "
                "%ld x %ld\n",
                form->Dpi(), client.cx, client.cy, listedRows, bar.cx, bar.cy);
    if (client.cx != windowWidth || client.cy != windowHeight || bar.cx <= 0 || bar.cy <= 0 ||
        form->Dpi() != dpi) {
        std::fprintf(stderr, "the window is not %d x %d at %d DPI with a fonts bar\n", windowWidth,
                     windowHeight, dpi);
        return 1;
    }

    // The floors' backgrounds, built as the window builds its own (the texture
    // for its DPI): one of the whole window's size, and one of the pane area's
    // size for the bar.
    const nq::SkinImage texture = nq::LoadSkinImageFor(form->SkinPath(), "bg.bmp", dpi);
    const float rowScale = texture.ScaleAt(dpi);
    const COLORREF colour = static_cast<COLORREF>(form->SkinValues().Bg.Color);
    nq::StretchedBackground windowBackground, paneBackground;
    const SIZE pane = nq::ClientSize(bgPanel);
    const SIZE toolbarSize = nq::ClientSize(control(ctl::Toolbar));
    Gdiplus::GpBitmap* const wholeImage =
        windowBackground.Ensure(windowWidth, windowHeight, texture.get(), colour, rowScale);
    Gdiplus::GpBitmap* const paneImage =
        paneBackground.Ensure(pane.cx, pane.cy, texture.get(), colour, rowScale);
    // The bare BitBlt's source: a 32-bit DIB of the window's size.
    const nq::ArgbDib blitSource(windowWidth, windowHeight);
    const nq::MemoryDC blitDC(nullptr);
    const nq::SelectGuard blitSelected(blitDC.get(), blitSource.Bitmap());
    if (!texture || !wholeImage || !paneImage || !blitSource || !blitDC) {
        std::fprintf(stderr, "the floors' images could not be made\n");
        return 1;
    }

    // A paint box of the bar's size whose handler draws nothing, in a window
    // of its own below the client window: the cost of a paint box's paint
    // without the bar's drawing.
    const bench::UniqueWindow boxHolder(CreateWindowExA(
        WS_EX_NOACTIVATE, "STATIC", "", WS_POPUP | WS_CLIPCHILDREN, 0, windowHeight + 100, bar.cx,
        bar.cy, nullptr, nullptr, GetModuleHandleA(nullptr), nullptr));
    nq::TFlickerFreePaintBox emptyBox;
    if (!boxHolder || !emptyBox.Create(boxHolder.get(), 1, "empty")) {
        std::fprintf(stderr, "the empty paint box could not be made\n");
        return 1;
    }
    emptyBox.OnPaint = [](nq::TFlickerFreePaintBox&, HDC) {};
    MoveWindow(emptyBox.Handle(), 0, 0, bar.cx, bar.cy, FALSE);
    ShowWindow(boxHolder.get(), SW_SHOWNOACTIVATE);
    bench::Pump();

    // The windows of the full repaint in groups, for the passes that paint
    // each group's windows alone; the others are every remaining visible
    // window below the window (those inside the size box come with it) and
    // the window itself.
    struct {
        std::vector<HWND> Toolbar, SearchBar, PaneArea, PreviewFrame, Strips, Lists, Preview,
            Others;
    } parts;
    const auto ids = [&](std::initializer_list<int> list) {
        std::vector<HWND> windows;
        for (int id : list)
            windows.push_back(control(id));
        return windows;
    };
    parts.Toolbar = ids({ctl::Toolbar, ctl::Panel10});
    parts.SearchBar = ids({ctl::Pb5, ctl::EditSearch});
    parts.PaneArea = ids({ctl::BgPanel});
    parts.PreviewFrame = ids({ctl::PreviewPanel});
    parts.Strips = ids({ctl::Pb4, ctl::Pb2, ctl::PaintBox1});
    parts.Lists = ids({ctl::LbFolders, ctl::LbFonts});
    parts.Preview = ids({ctl::LbPreview, ctl::ComboBox1});
    {
        std::set<HWND> grouped;
        for (const std::vector<HWND>* group :
             {&parts.Toolbar, &parts.SearchBar, &parts.PaneArea, &parts.PreviewFrame, &parts.Strips,
              &parts.Lists, &parts.Preview})
            grouped.insert(group->begin(), group->end());
        const HWND sizeBox = control(ctl::ComboBox1);
        for (HWND child : Descendants(window))
            if (!grouped.count(child) && IsWindowVisible(child) && !IsChild(sizeBox, child))
                parts.Others.push_back(child);
        parts.Others.push_back(window);
    }
    // Each window of a group painted alone; for the size box, with its children.
    const auto repaintEach = [&](const std::vector<HWND>& group) {
        unsigned fold = 0;
        for (HWND w : group)
            fold += Repaint(w, w == control(ctl::ComboBox1) ? kRepaintAll : kRepaintOne);
        return fold;
    };

    // The whole window's floors draw onto its own device context without
    // clipping its children: all of the 1280 x 800 area, as its paints cover it.
    constexpr DWORD kWholeArea = DCX_CACHE;
    bool resized = true; // every size change of the rebuilt pass took effect
    // No messages are handled between the timed runs: Wine hands the drawing
    // of the window's surface to the X server when the thread next looks for
    // messages, and that work would overlap the next timed run.

    const std::vector<bench::Pass> passes = {
        {"floor GDI+",
         "the window's size: GDI+ image, background copied in, GdipDrawImageI onto its DC",
         [&] {
             const nq::ClientDC dc(window, kWholeArea);
             return GdiplusFloor(dc.get(), wholeImage, POINT{0, 0}, client);
         },
         {}},
        {"floor BitBlt",
         "the window's size: BitBlt from a memory DC onto the window's DC",
         [&] {
             const nq::ClientDC dc(window, kWholeArea);
             return BitBltFloor(dc.get(), blitDC.get(), client);
         },
         {}},
        {"full, cached",
         "RedrawWindow of the window, all children, RDW_UPDATENOW",
         [&] { return Repaint(window, kRepaintAll); },
         {}},
        {"full, rebuilt", "the same after a width one less was painted and the width set again",
         [&] { return Repaint(window, kRepaintAll); },
         [&] {
             Resize(window, windowWidth - 1, windowHeight);
             Repaint(window, kRepaintAll); // both backgrounds built one pixel narrower
             resized &= nq::ClientSize(bgPanel).cx == windowWidth - 1;
             Resize(window, windowWidth, windowHeight); // nothing paints until the timed run
             resized &= nq::ClientSize(bgPanel).cx == windowWidth;
         }},
        {"bar floor GDI+",
         "the bar's size: GDI+ image, background part, onto its DC",
         [&] {
             const nq::ClientDC dc(pb2);
             return GdiplusFloor(dc.get(), paneImage, barAt, bar);
         },
         {}},
        {"bar floor BitBlt",
         "the bar's size: BitBlt onto its DC",
         [&] {
             const nq::ClientDC dc(pb2);
             return BitBltFloor(dc.get(), blitDC.get(), bar);
         },
         {}},
        {"bar",
         "RedrawWindow of the fonts bar pb2, RDW_UPDATENOW",
         [&] { return Repaint(pb2, kRepaintOne); },
         {}},
        // Parts of the full repaint: each window painted alone.
        {"  toolbar",
         "Toolbar and Panel10: the background and the trash symbol",
         [&] { return repaintEach(parts.Toolbar); },
         {}},
        {"  search bar",
         "pb5 and the search box",
         [&] { return repaintEach(parts.SearchBar); },
         {}},
        {"  pane area",
         "bgPanel: its background and the splitters' grips",
         [&] { return repaintEach(parts.PaneArea); },
         {}},
        {"  preview frame",
         "previewPanel: the background under it and a grip",
         [&] { return repaintEach(parts.PreviewFrame); },
         {}},
        {"  strips", "pb4, pb2 and PaintBox1", [&] { return repaintEach(parts.Strips); }, {}},
        {"  lists", "lbFolders and lbFonts", [&] { return repaintEach(parts.Lists); }, {}},
        {"  preview",
         "the preview box, and the size box with its children",
         [&] { return repaintEach(parts.Preview); },
         {}},
        {"  other windows",
         "the window, headers, panels, splitters and label",
         [&] { return repaintEach(parts.Others); },
         {}},
        // Parts of the bar's paint, each alone.
        {"  paint box alone",
         "RedrawWindow of a paint box of the bar's size that draws nothing",
         [&] { return Repaint(emptyBox.Handle(), kRepaintOne); },
         {}},
        {"  bar images",
         "GdipCreateBitmapFromFile of the bar's two button images (for the DPI)",
         [&] {
             const nq::SkinImage add =
                 nq::LoadSkinImageFor(form->SkinPath(), nq::bars::kAddNorm, dpi);
             const nq::SkinImage toggle =
                 nq::LoadSkinImageFor(form->SkinPath(), nq::bars::kEnableNorm, dpi);
             return static_cast<unsigned>(add.get() != nullptr) + (toggle.get() != nullptr);
         },
         {}},
        {"  bar background",
         "a 32-bit DIB canvas as the bar's, the background's part onto it",
         [&] {
             const nq::ClientDC dc(pb2);
             const nq::MemoryDC canvas(dc.get());
             const nq::ArgbDib bitmap(bar.cx, bar.cy);
             const nq::SelectGuard selected(canvas.get(), bitmap.Bitmap());
             unsigned fold = 0;
             if (const nq::GdipGraphicsPtr graphics = nq::GraphicsOn(canvas.get()))
                 fold = GdipDrawImagePointRectI(graphics.get(), paneImage, 0, 0, barAt.x, barAt.y,
                                                bar.cx, bar.cy, Gdiplus::UnitPixel) == Gdiplus::Ok;
             GdiFlush();
             return fold;
         },
         {}},
        // What a size change adds.
        {"  backgrounds",
         "StretchedBackground::Ensure at the toolbar's and the pane area's sizes",
         [&] {
             nq::StretchedBackground toolbarBuilt, paneBuilt;
             const bool built =
                 toolbarBuilt.Ensure(toolbarSize.cx, toolbarSize.cy, texture.get(), colour,
                                     rowScale) != nullptr &&
                 paneBuilt.Ensure(pane.cx, pane.cy, texture.get(), colour, rowScale) != nullptr;
             return static_cast<unsigned>(built);
         },
         {}},
    };

    const bench::Figures figures = bench::MeasurePasses(passes, rounds);
    PrintTable(passes, figures, rounds);

    double partsMs = 0;
    for (std::size_t i = FirstPart; i < FirstBarPart; ++i)
        partsMs += figures.median_us[i] / 1000;
    std::printf("The parts of the full repaint together: %.2f ms (%zu windows painted alone)\n",
                partsMs,
                parts.Toolbar.size() + parts.SearchBar.size() + parts.PaneArea.size() +
                    parts.PreviewFrame.size() + parts.Strips.size() + parts.Lists.size() +
                    parts.Preview.size() + parts.Others.size());
    std::printf("Against the floors measured in the same rounds:\n");
    bench::PrintRatio("full cached / GDI+ floor", figures, FullCached, FloorGdiplus,
                      bench::Bound::AtMost, 1.3);
    bench::PrintRatio("bar / bar GDI+ floor", figures, Bar, BarFloorGdiplus, bench::Bound::AtMost,
                      1.3);
    PrintRatioOnly("full rebuilt / GDI+ floor", figures, FullRebuilt, FloorGdiplus);
    PrintRatioOnly("full rebuilt / full cached", figures, FullRebuilt, FullCached);
    PrintRatioOnly("full cached / BitBlt floor", figures, FullCached, FloorBitBlt);
    PrintRatioOnly("bar / bar BitBlt floor", figures, Bar, BarFloorBitBlt);

    // Figures of a run that did not do what it says mean nothing: each repaint
    // must reach the windows it names, and the bar's reach the bar alone.
    bool sound = true;
    const std::set<HWND> cached = PaintedBy(passes[FullCached]);
    const std::set<HWND> rebuilt = PaintedBy(passes[FullRebuilt]);
    const std::set<HWND> barOnly = PaintedBy(passes[Bar]);
    std::printf("Windows painted per run: full cached %zu, full rebuilt %zu, bar %zu\n",
                cached.size(), rebuilt.size(), barOnly.size());
    for (int id : {ctl::Toolbar, ctl::Pb5, ctl::EditSearch, ctl::BgPanel, ctl::LbFolders, ctl::Pb4,
                   ctl::LbFonts, ctl::Pb2, ctl::PreviewPanel, ctl::LbPreview, ctl::PaintBox1}) {
        if (!cached.count(control(id)) || !rebuilt.count(control(id))) {
            std::printf("CHECK FAILED: control %d was not painted by a full repaint\n", id);
            sound = false;
        }
    }
    if (barOnly != std::set<HWND>{pb2}) {
        std::printf("CHECK FAILED: the bar's repaint painted %zu windows\n", barOnly.size());
        sound = false;
    }
    if (!resized) {
        std::printf("CHECK FAILED: the size changes of the rebuilt pass did not take effect\n");
        sound = false;
    }
    if (listedRows == 0) {
        std::printf("CHECK FAILED: no fonts listed of %zu copies\n", args->Count);
        sound = false;
    }
    if (prompts.Shown) {
        std::printf("CHECK FAILED: %d prompts were shown\n", prompts.Shown);
        sound = false;
    }
    form.reset();
    return sound ? 0 : 1;
}
