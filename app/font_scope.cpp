#include "font_scope.h"

#include "registry.h"
#include "text.h"

#include <knownfolders.h>
#include <objbase.h>
#include <shlobj.h>

#include <utility>

namespace {

constexpr const char* kMachineTitle = "the fonts for everyone";

// Creates folder (ending in a backslash) and the folders above it that are missing.
bool CreateFolderTree(const std::string& folder) {
    const std::wstring wide = nq::WideFromUtf8(folder);
    for (std::size_t at = wide.find(L'\\', 3); at != std::wstring::npos;
         at = wide.find(L'\\', at + 1)) {
        const std::wstring part = wide.substr(0, at);
        if (!CreateDirectoryW(part.c_str(), nullptr) && GetLastError() != ERROR_ALREADY_EXISTS)
            return false;
    }
    const DWORD attributes = GetFileAttributesW(wide.c_str());
    return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

bool SystemWriteTest(HKEY hive, const std::string& root) {
    if (!nq::CreateKey(hive, nq::kFontsKey, KEY_SET_VALUE))
        return false;
    const std::string probe =
        root + "nq-write-test-" + std::to_string(GetCurrentProcessId()) + ".tmp";
    const nq::UniqueFile file(
        CreateFileW(nq::WideFromUtf8(probe).c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr));
    return static_cast<bool>(file);
}

FontScope::FontScope(ScopeKind kind, std::string root, WriteTest writeTest)
    : kind_(kind), root_(std::move(root)), writeTest_(std::move(writeTest)) {}

HKEY FontScope::Hive() const {
    return kind_ == ScopeKind::Machine ? HKEY_LOCAL_MACHINE : HKEY_CURRENT_USER;
}

const char* FontScope::Audience() const {
    return kind_ == ScopeKind::Machine ? "for everyone" : "for you";
}

bool FontScope::Writable() const {
    return writeTest_ && writeTest_(Hive(), root_);
}

bool FontScope::CreateRoot() const {
    return CreateFolderTree(root_);
}

nq::UniqueRegKey FontScope::OpenFontKey() const {
    return nq::CreateKey(Hive(), nq::kFontsKey, KEY_ALL_ACCESS);
}

nq::UniqueRegKey FontScope::OpenFontKeyToRead() const {
    return nq::OpenKey(Hive(), nq::kFontsKey, KEY_QUERY_VALUE);
}

std::string FontScope::FontValue(const std::string& valueName) const {
    return nq::ReadString(Hive(), nq::kFontsKey, valueName);
}

std::string SystemFontsRoot() {
    wchar_t windowsDir[MAX_PATH] = {};
    const UINT length = GetWindowsDirectoryW(windowsDir, MAX_PATH);
    // A result of MAX_PATH or more is the size the buffer would have needed.
    const std::string root =
        length > 0 && length < MAX_PATH ? nq::Utf8FromWide(windowsDir, length) : std::string();
    return root + "\\fonts\\";
}

std::string UserFontsRoot() {
    PWSTR raw = nullptr;
    const HRESULT result = SHGetKnownFolderPath(FOLDERID_LocalAppData, 0, nullptr, &raw);
    std::wstring folder = SUCCEEDED(result) && raw ? raw : L"";
    CoTaskMemFree(raw);
    if (folder.empty())
        return {};
    if (folder.back() != L'\\')
        folder += L'\\';
    folder += L"Microsoft\\Windows\\Fonts\\";
    return nq::Utf8FromWide(folder);
}

ScopePlaces SystemScopePlaces() {
    return {SystemFontsRoot(), UserFontsRoot(), SystemWriteTest, WindowsLoadsUserFonts()};
}

ScopeChoice ChooseScope(ScopeSetting setting, const ScopePlaces& places) {
    FontScope machine(ScopeKind::Machine, places.MachineRoot, places.Test);
    if (setting != ScopeSetting::User && machine.Writable())
        return {std::move(machine), {}};
    if (places.UserRoot.empty()) {
        if (setting == ScopeSetting::User)
            return {std::move(machine), "NimbQuillbox cannot find your own fonts folder, so it "
                                        "manages " +
                                            std::string(kMachineTitle) + "."};
        return {std::move(machine), {}};
    }
    FontScope user(ScopeKind::User, places.UserRoot, places.Test);
    user.CreateRoot();
    std::string notice;
    if (setting == ScopeSetting::Machine)
        notice = "NimbQuillbox may not change " + std::string(kMachineTitle) +
                 " without administrator rights, so it manages your own fonts (for you) "
                 "instead. Start it as administrator to manage the fonts for everyone.";
    return {std::move(user), std::move(notice)};
}

bool WindowsLoadsUserFonts() {
    // Documented in the driver kit and exported by ntdll on every version;
    // unlike GetVersionEx it is not bent by the manifest's compatibility list.
    using RtlGetVersionFunction = LONG(WINAPI*)(OSVERSIONINFOW*);
    const HMODULE ntdll = GetModuleHandleW(L"ntdll.dll");
    const auto getVersion = ntdll ? reinterpret_cast<RtlGetVersionFunction>(reinterpret_cast<void*>(
                                        GetProcAddress(ntdll, "RtlGetVersion")))
                                  : nullptr;
    OSVERSIONINFOW version{};
    version.dwOSVersionInfoSize = sizeof version;
    // Without the call nothing is known: loading the fonts again does no harm.
    if (!getVersion || getVersion(&version) != 0)
        return false;
    return LoadsUserFontsAtSignIn(version.dwMajorVersion, version.dwMinorVersion,
                                  version.dwBuildNumber);
}
