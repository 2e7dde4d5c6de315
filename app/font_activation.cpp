#include "font_activation.h"

#include "collection_store.h"
#include "font_catalogue.h"
#include "font_registration.h"
#include "handles.h"
#include "registry.h"
#include "search_filter.h"
#include "atomic_file.h"
#include "text.h"

#include <windows.h>

#include <unordered_map>
#include <vector>

namespace {

// A list of font names; anything longer is no such list.
constexpr std::size_t kMaxListBytes = 64 << 20;

// The lines of text: they end in CR LF, CR or LF; a break at the very end
// starts no further line.
std::vector<std::string> SplitLines(const std::string& text) {
    std::vector<std::string> lines;
    std::size_t start = 0;
    while (start < text.size()) {
        const std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            lines.push_back(text.substr(start));
            break;
        }
        lines.push_back(text.substr(start, end - start));
        start = end + (text.compare(end, 2, "\r\n") == 0 ? 2 : 1);
    }
    return lines;
}

// Writes content into a new file at path; false when a file is there already.
// A file that could not be written completely is removed: a half list would
// still mark the collection off.
bool WriteNewFile(const std::string& path, const std::string& content) {
    const std::wstring widePath = nq::WideFromUtf8(path);
    bool written = false;
    {
        nq::UniqueFile file(CreateFileW(widePath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_NEW,
                                        FILE_ATTRIBUTE_NORMAL, nullptr));
        if (!file)
            return false;
        DWORD count = 0;
        written =
            content.empty() || (WriteFile(file.get(), content.data(),
                                          static_cast<DWORD>(content.size()), &count, nullptr) &&
                                count == content.size());
    }
    if (!written)
        DeleteFileW(widePath.c_str());
    return written;
}

// Whether the value of the open font key named valueName names the record's file.
bool NamesRecord(HKEY key, const std::string& valueName, const FontDescr& record,
                 const FontScope& scope) {
    return ValueNamesFile(nq::ReadKeyString(key, valueName), record.Path, scope.Root());
}

// Installed as CheckInstalled reads it, from the font key already open.
void ReadBack(HKEY key, FontDescr& record, const FontScope& scope) {
    record.Installed = RegistryNamesFile(key, record, scope);
}

// InstallFont's registry write and font resource, in the font key already open.
std::string Register(HKEY key, const FontDescr& record, const FontScope& scope) {
    const std::string valueName = FontValueName(record);
    if (!key)
        return "Failed to set data for '" + valueName + "'";
    // The value of that name belongs to another file: replacing it would take
    // that file's registration away.
    const std::string held = nq::ReadKeyString(key, valueName);
    if (!held.empty() && !ValueNamesFile(held, record.Path, scope.Root()))
        return "'" + record.Name + "' is already registered for " +
               RegisteredFontPath(held, scope.Root()) + ".";
    // Registered under the other suffix (by Windows or another installer), the
    // file is on already: a second value would register it twice.
    const bool registeredOtherwise =
        held.empty() && NamesRecord(key, OtherFontValueName(record), record, scope);
    if (!registeredOtherwise && nq::WriteKeyString(key, valueName, record.Path) != ERROR_SUCCESS)
        return "Failed to set data for '" + valueName + "'";
    AddFontResourceW(nq::WideFromUtf8(record.Path).c_str());
    return {};
}

// UninstallFont's registry deletions and font resource, in the font key already open.
void Unregister(HKEY key, const FontDescr& record, const FontScope& scope) {
    for (const std::string& valueName : {FontValueName(record), OtherFontValueName(record)}) {
        if (!key || !NamesRecord(key, valueName, record, scope))
            continue;
        nq::DeleteKeyValue(key, valueName);
        // A key name holds no backslash: with one, the name would reach into a
        // deeper key that is not this font's.
        if (valueName.find('\\') == std::string::npos)
            nq::DeleteSubKey(key, valueName);
    }
    RemoveFontResourceW(nq::WideFromUtf8(record.Path).c_str());
}

} // namespace

void BroadcastFontChange() {
    SendMessageA(HWND_BROADCAST, WM_FONTCHANGE, 0, 0);
}

std::string InstallFont(FontDescr& record, const FontScope& scope, bool broadcast) {
    nq::UniqueRegKey key = scope.OpenFontKey();
    std::string error = Register(key.get(), record, scope);
    if (!error.empty())
        return error;
    if (broadcast)
        BroadcastFontChange();
    ReadBack(key.get(), record, scope);
    return {};
}

void UninstallFont(FontDescr& record, const FontScope& scope, bool broadcast) {
    nq::UniqueRegKey key = scope.OpenFontKey();
    Unregister(key.get(), record, scope);
    if (broadcast)
        BroadcastFontChange();
    ReadBack(key.get(), record, scope);
}

std::string DisabledListName(const std::string& name) {
    const std::size_t cut = name.find_last_of("\\:");
    return cut == std::string::npos ? name : name.substr(cut + 1);
}

std::string DisabledListPath(const std::string& folder) {
    return folder + "disabled.txt";
}

std::string SwitchCollectionOff(const FontList& fonts, const std::string& folder,
                                const FontScope& scope, CollectionBroadcast broadcast) {
    // An existing list is the record of an earlier switch-off: replacing it
    // would lose the fonts it names.
    if (CollectionDisabled(folder))
        return {};
    std::vector<FontDescr*> installed;
    std::string content;
    for (const std::unique_ptr<FontDescr>& record : fonts) {
        if (!record->Installed)
            continue;
        installed.push_back(record.get());
        content += DisabledListName(record->Name) + "\r\n";
    }
    // The list first: if it cannot be written, the fonts stay on rather than
    // being switched off with no record of which ones they were.
    const std::string path = DisabledListPath(folder);
    if (!WriteNewFile(path, nq::FileBytesFromText(content)))
        return CollectionDisabled(folder) ? std::string() : "Cannot create file " + path;
    const bool perFont = broadcast == CollectionBroadcast::PerFont;
    // One key for the whole collection.
    const nq::UniqueRegKey key = scope.OpenFontKey();
    for (FontDescr* record : installed) {
        Unregister(key.get(), *record, scope);
        if (perFont)
            BroadcastFontChange();
        ReadBack(key.get(), *record, scope);
    }
    if (!perFont && !installed.empty())
        BroadcastFontChange();
    return {};
}

std::string SwitchCollectionOn(const FontList& fonts, const std::string& folder,
                               const FontScope& scope, CollectionBroadcast broadcast) {
    const std::string path = DisabledListPath(folder);
    const std::optional<std::string> bytes =
        nq::ReadWholeFile(nq::WideFromUtf8(path), kMaxListBytes);
    if (!bytes)
        return "Cannot open file " + path;
    const std::string content = nq::TextFromFileBytes(*bytes);
    // Every record counts, also those the search filter hides: a line without
    // a match is lost when the list is deleted. The first record of a name wins.
    std::unordered_map<std::string, FontDescr*> byLine;
    byLine.reserve(fonts.size());
    for (const std::unique_ptr<FontDescr>& record : fonts)
        byLine.emplace(LowerAZ(DisabledListName(record->Name)), record.get());

    const bool perFont = broadcast == CollectionBroadcast::PerFont;
    // One key for the whole collection.
    const nq::UniqueRegKey key = scope.OpenFontKey();
    bool changed = false;
    std::string error;
    for (const std::string& line : SplitLines(content)) {
        const auto found = byLine.find(LowerAZ(line));
        if (found == byLine.end())
            continue;
        FontDescr& record = *found->second;
        error = Register(key.get(), record, scope);
        if (!error.empty())
            break;
        changed = true;
        if (perFont)
            BroadcastFontChange();
        ReadBack(key.get(), record, scope);
    }
    if (!perFont && changed)
        BroadcastFontChange();
    if (!error.empty())
        return error;
    if (!DeleteFileW(nq::WideFromUtf8(path).c_str()))
        return "Cannot delete file " + path;
    return {};
}

int LoadRegisteredFonts(const FontScope& scope) {
    const nq::UniqueRegKey key = scope.OpenFontKeyToRead();
    if (!key)
        return 0;
    std::vector<std::string> paths;
    for (const std::string& name : nq::ValueNames(key.get())) {
        const std::string value = nq::ReadKeyString(key.get(), name);
        if (!value.empty())
            paths.push_back(RegisteredFontPath(value, scope.Root()));
    }
    int loaded = 0;
    for (const std::string& path : paths)
        loaded += AddFontResourceW(nq::WideFromUtf8(path).c_str()) > 0;
    if (loaded > 0)
        BroadcastFontChange();
    return loaded;
}
