// TfrmMiddle: creation, showing and destruction, with the settings file and
// the sample text file.
#include "frm_middle.h"

#include "dpi.h"
#include "font_activation.h"
#include "program_files.h"
#include "settings.h"
#include "atomic_file.h"
#include "catalogue_cache_file.h"
#include "text.h"

#include <vector>

namespace {

constexpr const char* kEveryonesFontsTip =
    "Click to manage the fonts for everyone (NimbQuillbox starts again as administrator)";
constexpr const char* kEveryonesFontsQuestion =
    "Manage the fonts for everyone?\n\nNimbQuillbox closes and starts again as administrator; "
    "Windows asks for your permission first. Your own fonts stay as they are.";

// The sample text is a handful of lines; anything past 64 MB is no sample text.
constexpr std::size_t kMaxSampleTextBytes = 64 << 20;

bool WriteWholeFile(const std::string& path, const std::string& content) {
    nq::UniqueFile file(CreateFileW(nq::WideFromUtf8(path).c_str(), GENERIC_WRITE, 0, nullptr,
                                    CREATE_ALWAYS, FILE_ATTRIBUTE_NORMAL, nullptr));
    if (!file)
        return false;
    DWORD written = 0;
    return content.empty() || (WriteFile(file.get(), content.data(),
                                         static_cast<DWORD>(content.size()), &written, nullptr) &&
                               written == content.size());
}

nq::frame::Rect AsRect(const RECT& r) {
    return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

BOOL CALLBACK AddMonitor(HMONITOR, HDC, LPRECT bounds, LPARAM monitors) {
    reinterpret_cast<std::vector<nq::frame::Rect>*>(monitors)->push_back(AsRect(*bounds));
    return TRUE;
}

// The monitors' rectangles on the virtual screen.
std::vector<nq::frame::Rect> MonitorRects() {
    std::vector<nq::frame::Rect> monitors;
    EnumDisplayMonitors(nullptr, nullptr, AddMonitor, reinterpret_cast<LPARAM>(&monitors));
    return monitors;
}

// The bounds a minimised window goes back to, in screen coordinates.
std::optional<RECT> RestoredBounds(HWND window) {
    WINDOWPLACEMENT wp{};
    wp.length = sizeof wp;
    MONITORINFO monitor{};
    monitor.cbSize = sizeof monitor;
    // For a minimised window the monitor is the one of its restored bounds.
    if (!GetWindowPlacement(window, &wp) ||
        !GetMonitorInfoA(MonitorFromWindow(window, MONITOR_DEFAULTTOPRIMARY), &monitor))
        return std::nullopt;
    const nq::frame::Rect r = nq::frame::ScreenFromWorkspace(
        AsRect(wp.rcNormalPosition), AsRect(monitor.rcMonitor), AsRect(monitor.rcWork));
    return RECT{r.Left, r.Top, r.Left + r.Width, r.Top + r.Height};
}

} // namespace

TfrmMiddle::TfrmMiddle(Prompts& prompts, std::string programPath, ScopePlaces places)
    : prompts_(prompts), programPath_(programPath), programFolder_(FolderOf(programPath)),
      places_(std::move(places)), scope_(ScopeKind::Machine, places_.MachineRoot, places_.Test),
      settingsPath_(ChangeFileExtension(programPath, ".ini")),
      sampleTextPath_(ChangeFileExtension(programPath, ".txt")) {}

void TfrmMiddle::FormCreate() {
    // No FontList yet: the search text set below must leave the fonts list alone.
    fontList_.reset();
    LoadSampleText();

    const settings::PaneValues panes = settings::ReadPaneValues(settingsPath_);
    paneSizes_ = {panes.CollectionsPane, panes.FontsPane, panes.DetailsPane};
    preview_.SetSizeText(std::to_string(panes.Size));
    previewSize_ = panes.Size;
    preview_.SetSampleFont("", previewSize_);
    search_.Restore(panes.Search);

    previewIndex_ = -1;
    fontList_ = std::make_unique<FontList>();
    // What the catalogue read before, beside the settings file.
    listing_.UseCacheFile(
        nq::WideFromUtf8(ChangeFileExtension(settingsPath_, nq::catalogue::kCacheFileExtension)));
    ChooseFontScope();
    FillCollections();
    rolledUp_ = false;
    active_ = true;

    // The default bounds lie on the primary monitor, at its scale.
    const int primaryDpi = nq::MonitorDpiAt(POINT{0, 0});
    const settings::PlacementValues placement =
        settings::ReadPlacementValues(settingsPath_, nq::frame::DefaultClientBounds(primaryDpi));
    // Bounds the window could not be seen or taken hold of at (off every
    // monitor, too small, beyond what a window can be) give the default ones.
    const nq::frame::Rect bounds = nq::frame::StartClientBounds(
        {placement.X, placement.Y, placement.Width, placement.Height}, MonitorRects(), primaryDpi);
    SetWindowPos(Handle(), nullptr, bounds.Left, bounds.Top, bounds.Width, bounds.Height,
                 SWP_NOZORDER | SWP_NOACTIVATE);
    // Saved bounds are screen pixels, kept as they are on a monitor of any
    // DPI; the window's scale is that monitor's.
    if (const int placedDpi = nq::WindowDpi(Handle()); placedDpi != dpi_) {
        dpi_ = placedDpi;
        ApplyDpi();
    }
    skinDir_ = placement.SkinDir;
    buttonsDir_ = placement.ButtonsDir;
    ApplyLayout();
    for (nq::EdgeWindow* edge :
         std::initializer_list<nq::EdgeWindow*>{&frmTop_, &frmRight_, &frmBottom_, &frmLeft_})
        edge->Create(appWindow_.Handle());
    LoadSkin();
}

void TfrmMiddle::ChooseFontScope() {
    scopeSetting_ = settings::ReadScopeSetting(settingsPath_);
    ScopeChoice choice = ChooseScope(requestedScope_.value_or(scopeSetting_), places_);
    scope_ = std::move(choice.Scope);
    collections_.SetHeading(std::string("Collections ") + scope_.Audience(),
                            scope_.Kind() == ScopeKind::User ? kEveryonesFontsTip : "");
    if (scope_.Kind() == ScopeKind::User && !places_.SystemLoadsUserFonts)
        LoadRegisteredFonts(scope_);
    if (!choice.Notice.empty())
        prompts_.Message(nullptr, kApplicationTitle, choice.Notice, MB_OK | MB_ICONINFORMATION);
}

void TfrmMiddle::CollectionHeaderClick() {
    if (scope_.Kind() != ScopeKind::User)
        return;
    if (prompts_.Message(Handle(), kApplicationTitle, kEveryonesFontsQuestion,
                         MB_YESNO | MB_ICONQUESTION) != IDYES)
        return;
    // The new run starts from what this one shows now; the files are written
    // again when this one closes.
    SaveSampleText();
    SaveSettings();
    switch (prompts_.StartElevated(Handle(), programPath_, kMachineScopeArgument)) {
    case Prompts::Elevation::Started:
        CloseProgram();
        break;
    case Prompts::Elevation::Declined:
        break;
    case Prompts::Elevation::Failed:
        prompts_.Message(Handle(), kApplicationTitle,
                         "NimbQuillbox could not be started as administrator.",
                         MB_OK | MB_ICONERROR);
        break;
    }
}

void TfrmMiddle::Show() {
    FormShow();
}

void TfrmMiddle::FormShow() {
    // The frame's windows take their places around the client window's bounds.
    if (!panelsHooked_)
        HookPanels(true);
    const nq::frame::Rect c = ClientBounds();
    ArrangeFrame(c.Left, c.Top, c.Width, c.Height);
    RenderFrame(c.Width, c.Height);
    appWindow_.ShowButton(true);
    ShowWindow(Handle(), SW_SHOW);
    UpdateWindow(Handle());
}

void TfrmMiddle::FormDestroy() {
    HookPanels(false);
    SaveSampleText();
    // A listing that still reads stops; what it read is kept for the next run.
    listing_.Cancel();
    listing_.SaveCache();
    // The rows refer to the records: they go first.
    fonts_.Clear();
    fontList_.reset();
    SaveSettings();
}

void TfrmMiddle::LoadSampleText() {
    const std::wstring path = nq::WideFromUtf8(sampleTextPath_);
    const DWORD attributes = GetFileAttributesW(path.c_str());
    if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY))
        return;
    if (const std::optional<std::string> bytes = nq::ReadWholeFile(path, kMaxSampleTextBytes)) {
        preview_.SetSampleText(EditText(SplitTextLines(nq::TextFromFileBytes(*bytes))));
        return;
    }
    // A file that is there but cannot be read keeps the user's lines: it is
    // not overwritten with the built-in ones at exit.
    sampleTextUnreadable_ = true;
    prompts_.Message(nullptr, kApplicationTitle, "Cannot open file " + sampleTextPath_,
                     MB_OK | MB_ICONERROR);
}

void TfrmMiddle::SaveSampleText() {
    if (sampleTextUnreadable_)
        return;
    // In the ANSI code page as always, unless a line needs more (text.h).
    const std::string content =
        nq::FileBytesFromText(TextFileContent(EditLines(preview_.SampleText())));
    // A failure here is told, and the settings are still saved after it.
    if (!WriteWholeFile(sampleTextPath_, content))
        prompts_.Message(nullptr, kApplicationTitle, "Cannot create file " + sampleTextPath_,
                         MB_OK | MB_ICONERROR);
}

void TfrmMiddle::SaveSettings() {
    settings::PlacementValues placement;
    RECT bounds;
    GetWindowRect(Handle(), &bounds);
    // Minimised on its own, the window lies far off screen: the bounds it
    // goes back to count.
    if (IsIconic(Handle()))
        bounds = RestoredBounds(Handle()).value_or(bounds);
    placement.X = bounds.left;
    placement.Y = bounds.top;
    placement.Width = bounds.right - bounds.left;
    // Rolled up, the client is as high as the last roll step (or nothing after
    // a drag): the height it rolls down to is the window's own.
    placement.Height = rolledUp_ ? savedHeight_ : bounds.bottom - bounds.top;
    placement.SkinDir = skinDir_;
    placement.ButtonsDir = buttonsDir_;

    settings::PaneValues panes;
    panes.CollectionsPane = paneSizes_.CollectionsPane;
    panes.FontsPane = paneSizes_.FontsPane;
    panes.DetailsPane = paneSizes_.DetailsPane;
    panes.Size = previewSize_;
    panes.Search = search_.Text();

    settings::Writer writer(settingsPath_);
    settings::WritePlacementValues(writer, placement);
    settings::WritePaneValues(writer, panes);
    settings::WriteScopeSetting(writer, scopeSetting_);
    if (writer.Failed())
        prompts_.Message(nullptr, kApplicationTitle, "Unable to write to " + settingsPath_,
                         MB_OK | MB_ICONERROR);
}
