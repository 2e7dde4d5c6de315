#include "library_health_scan.h"

#include "collection_store.h"
#include "file_operations.h"
#include "font_activation.h"
#include "font_catalogue.h"
#include "font_registration.h"
#include "handles.h"
#include "registry.h"
#include "text.h"

#include <cstring>
#include <cwchar>
#include <optional>

using nq::catalogue::HealthFile;
using nq::catalogue::HealthProblem;
using nq::catalogue::HealthValue;

namespace {

bool FileExists(const std::string& path) {
    return GetFileAttributesW(nq::WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

// A 64-bit hash of the file's bytes, taken eight at a time (a byte at a time
// costs seconds over thousands of fonts); nothing when it cannot be read.
std::optional<std::uint64_t> HashFile(const std::string& path) {
    const nq::UniqueFile file(CreateFileW(nq::WideFromUtf8(path).c_str(), GENERIC_READ,
                                          FILE_SHARE_READ | FILE_SHARE_DELETE, nullptr,
                                          OPEN_EXISTING, FILE_FLAG_SEQUENTIAL_SCAN, nullptr));
    if (!file)
        return std::nullopt;
    std::uint64_t hash = 14695981039346656037ull;
    const auto mix = [&hash](std::uint64_t word) {
        hash ^= word;
        hash = ((hash << 29) | (hash >> 35)) * 0x9E3779B97F4A7C15ull;
    };
    std::vector<unsigned char> chunk(256 * 1024);
    DWORD count = 0;
    while (ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &count, nullptr) &&
           count > 0) {
        DWORD at = 0;
        for (; at + 8 <= count; at += 8) {
            std::uint64_t word;
            std::memcpy(&word, chunk.data() + at, 8);
            mix(word);
        }
        for (; at < count; ++at)
            mix(chunk[at] | 0x100u);
    }
    return hash;
}

// The font files directly in folder (ending in a backslash), as the catalogue
// finds them, with their sizes.
void FindFontFiles(const std::string& folder, bool inCollection, std::vector<HealthFile>& files) {
    const std::wstring wideFolder = nq::WideFromUtf8(folder);
    WIN32_FIND_DATAW entry;
    const nq::UniqueFind find(FindFirstFileW((wideFolder + L"*.*").c_str(), &entry));
    if (!find)
        return;
    do {
        if (entry.dwFileAttributes &
                (FILE_ATTRIBUTE_DIRECTORY | FILE_ATTRIBUTE_HIDDEN | FILE_ATTRIBUTE_SYSTEM) ||
            wideFolder.size() + wcslen(entry.cFileName) >= MAX_PATH)
            continue;
        const std::string name = nq::Utf8FromWide(entry.cFileName, wcslen(entry.cFileName));
        if (!IsFontFileName(name))
            continue;
        HealthFile file;
        file.Font.Path = folder + name;
        file.InCollection = inCollection;
        file.Size = (static_cast<std::uint64_t>(entry.nFileSizeHigh) << 32) | entry.nFileSizeLow;
        files.push_back(std::move(file));
    } while (FindNextFileW(find.get(), &entry));
}

// The names of the values of the scope's font key that name path.
std::vector<std::string> ValuesNaming(HKEY key, const std::string& path, const FontScope& scope) {
    std::vector<std::string> names;
    if (!key)
        return names;
    for (const std::string& name : nq::ValueNames(key))
        for (const std::string& named :
             nq::catalogue::RegisteredPaths(nq::ReadKeyString(key, name), scope.Root()))
            if (nq::catalogue::FoldAZ(named) == nq::catalogue::FoldAZ(path)) {
                names.push_back(name);
                break;
            }
    return names;
}

std::string Quoted(const std::vector<std::string>& names) {
    std::string text;
    for (std::size_t i = 0; i < names.size(); ++i)
        text += (i == 0 ? "'" : i + 1 == names.size() ? " and '" : ", '") + names[i] + "'";
    return text;
}

} // namespace

bool FontLoads(const std::string& path) {
    const std::wstring widePath = nq::WideFromUtf8(path);
    constexpr DWORD kPrivate = FR_PRIVATE | FR_NOT_ENUM;
    if (AddFontResourceExW(widePath.c_str(), kPrivate, nullptr) == 0)
        return false;
    RemoveFontResourceExW(widePath.c_str(), kPrivate, nullptr);
    return true;
}

HealthScan ScanLibraryHealth(const FontScope& scope, const LoadTest& loads) {
    HealthScan scan;
    std::vector<HealthValue> values;
    if (const nq::UniqueRegKey key = scope.OpenFontKeyToRead())
        for (std::string& name : nq::ValueNames(key.get())) {
            std::string data = nq::ReadKeyString(key.get(), name);
            values.push_back({std::move(name), std::move(data)});
        }
    scan.Values = values.size();

    std::vector<HealthFile> files;
    FindFontFiles(scope.Root(), false, files);
    for (const CollectionEntry& collection : EnumerateCollections(scope.Root()))
        FindFontFiles(scope.Root() + collection.Name + "\\", true, files);
    scan.Files = files.size();

    FontNameBuffers names{};
    for (HealthFile& file : files) {
        if (const std::unique_ptr<FontDescr> record = ReadFontRecord(file.Font.Path, scope, names))
            file.Font = *record;
        file.Loads = !loads || loads(file.Font.Path);
    }
    for (std::size_t i : nq::catalogue::FilesToHash(files))
        files[i].Hash = HashFile(files[i].Font.Path);

    scan.Problems = nq::catalogue::FindHealthProblems(values, files, scope.Root(), FileExists);
    return scan;
}

HealthFixResult RemoveStaleRegistration(const HealthProblem& problem, const FontScope& scope) {
    const nq::UniqueRegKey key = scope.OpenFontKey();
    const std::string& valueName = problem.ValueName;
    if (!key)
        return {false, "The registration '" + valueName + "' could not be opened for changes."};
    const std::vector<std::string> paths =
        nq::catalogue::RegisteredPaths(nq::ReadKeyString(key.get(), valueName), scope.Root());
    if (paths.empty())
        return {true, "The registration '" + valueName + "' was gone already."};
    bool allThere = true;
    for (const std::string& path : paths)
        allThere = allThere && FileExists(path);
    if (allThere)
        return {false, "Kept the registration '" + valueName + "': its file is there now."};
    const LONG result = nq::DeleteKeyValue(key.get(), valueName);
    if (result != ERROR_SUCCESS)
        return {false, "Could not remove the registration '" + valueName + "' (error " +
                           std::to_string(result) + ")."};
    return {true, "Removed the registration '" + valueName + "'."};
}

HealthFixResult TrashProblemFile(HWND owner, const HealthProblem& problem, const FontScope& scope) {
    const std::string& path = problem.Path;
    if (!FileExists(path))
        return {true, path + " was gone already."};
    std::vector<std::string> registrations;
    {
        const nq::UniqueRegKey key = scope.OpenFontKeyToRead();
        registrations = ValuesNaming(key.get(), path, scope);
    }
    // The record the program's trash operation takes: read as a listing reads
    // it where the file reads at all, so that its registration goes with it.
    FontNameBuffers names{};
    std::unique_ptr<FontDescr> record = ReadFontRecord(path, scope, names);
    if (!record) {
        record = std::make_unique<FontDescr>();
        record->Path = path;
    }
    const std::string error = TrashFont(owner, *record, scope);
    if (!error.empty())
        return {false, error};
    // Values under names the file's own do not give name a file that is gone now.
    if (const nq::UniqueRegKey key = scope.OpenFontKey())
        for (const std::string& name : ValuesNaming(key.get(), path, scope))
            nq::DeleteKeyValue(key.get(), name);
    std::string text = "Moved " + path + " to the recycle bin";
    if (!registrations.empty())
        text += std::string(" and removed its registration") +
                (registrations.size() > 1 ? "s " : " ") + Quoted(registrations);
    return {true, text + "."};
}

HealthFixResult TakeOverRegistration(const HealthProblem& problem, const FontScope& scope) {
    FontNameBuffers names{};
    const std::unique_ptr<FontDescr> record = ReadFontRecord(problem.Path, scope, names);
    if (!record)
        return {false, problem.Path + " cannot be read as a font any more; nothing was changed."};
    const std::string valueName = FontValueName(*record);
    const nq::UniqueRegKey key = scope.OpenFontKey();
    if (!key)
        return {false, "Failed to set data for '" + valueName + "'"};
    const std::string held = nq::ReadKeyString(key.get(), valueName);
    if (!held.empty() && !ValueNamesFile(held, problem.OtherPath, scope.Root()))
        return {false, "Kept the registration '" + valueName + "': it names " +
                           RegisteredFontPath(held, scope.Root()) + " now, not " +
                           problem.OtherPath + "."};
    if (!held.empty()) {
        nq::DeleteKeyValue(key.get(), valueName);
        RemoveFontResourceW(nq::WideFromUtf8(problem.OtherPath).c_str());
    }
    const std::string error = InstallFont(*record, scope);
    if (!error.empty()) {
        // The other file keeps the name it had.
        if (!held.empty()) {
            nq::WriteKeyString(key.get(), valueName, held);
            AddFontResourceW(nq::WideFromUtf8(problem.OtherPath).c_str());
        }
        return {false, error};
    }
    std::string text = "Registered '" + valueName + "' for " + problem.Path;
    if (!held.empty())
        text += " in place of " + problem.OtherPath;
    return {true, text + "."};
}
