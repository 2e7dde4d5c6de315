#include "file_operations.h"

#include "font_activation.h"
#include "font_catalogue.h"
#include "search_filter.h"
#include "text.h"

#include <shellapi.h>

#include <vector>

namespace {

// The shell's source buffer holds 260 characters and its two terminators;
// a longer path would be cut and could name another item.
constexpr std::size_t kMaxRecyclePath = MAX_PATH - 1;

bool Exists(const std::string& path) {
    return GetFileAttributesW(nq::WideFromUtf8(path).c_str()) != INVALID_FILE_ATTRIBUTES;
}

bool CopyNew(const std::string& source, const std::string& target) {
    return CopyFileW(nq::WideFromUtf8(source).c_str(), nq::WideFromUtf8(target).c_str(), TRUE) !=
           FALSE;
}

bool Delete(const std::string& path) {
    return DeleteFileW(nq::WideFromUtf8(path).c_str()) != FALSE;
}

// Installs the records again after an operation that did not go through.
void Reinstall(const std::vector<FontDescr*>& records, const FontScope& scope,
               bool broadcast = true) {
    for (FontDescr* record : records)
        InstallFont(*record, scope, false);
    if (broadcast && !records.empty())
        BroadcastFontChange();
}

// Why the shell must not be handed path; empty when it may.
std::string RecyclePathProblem(const std::string& path) {
    if (path.empty())
        return "There is nothing to move to the recycle bin.";
    if (nq::WideFromUtf8(path).size() > kMaxRecyclePath)
        return "The path " + path + " is too long for the recycle bin; nothing was moved.";
    if (path.find_first_of("*?") != std::string::npos)
        return "The path " + path + " holds a wildcard; nothing was moved to the recycle bin.";
    // Another program took it away: the shell would offer to erase what is not there.
    if (!Exists(path))
        return path + " is not there any more; nothing was moved to the recycle bin.";
    return {};
}

} // namespace

std::string FileNamePart(const std::string& path) {
    const std::size_t cut = path.find_last_of("\\/:");
    return cut == std::string::npos ? path : path.substr(cut + 1);
}

std::string TargetPath(const std::string& targetFolder, const std::string& source) {
    return targetFolder + FileNamePart(source);
}

bool CopyFontFile(const std::string& source, const std::string& target) {
    return CopyNew(source, target);
}

std::unique_ptr<FontDescr> AddFontFile(const std::string& path, const FontScope& scope) {
    FontNameBuffers names{};
    return ReadFontRecord(path, scope, names);
}

std::unique_ptr<FontDescr> AddDroppedFontFile(const std::string& path, const FontScope& scope) {
    return AddFontFile(path, scope);
}

MoveResult MoveFontFile(FontDescr& record, const std::string& targetFolder, const FontScope& scope,
                        bool broadcast) {
    const std::string fileName = FileNamePart(record.Path);
    const std::string sourceFolder = record.Path.substr(0, record.Path.size() - fileName.size());
    const std::string target = targetFolder + fileName;
    if (LowerAZ(sourceFolder) == LowerAZ(targetFolder))
        return {false, "The font " + record.Name + " is already in this collection."};
    if (Exists(target))
        return {false, "The collection already holds a file named " + fileName + ", so the font " +
                           record.Name + " was not moved."};

    // Windows keeps a loaded font's file open.
    const bool wasInstalled = record.Installed;
    if (wasInstalled)
        UninstallFont(record, scope, broadcast);
    MoveResult result;
    if (!CopyNew(record.Path, target)) {
        result.Message = "The font " + record.Name + " could not be copied to " + targetFolder +
                         ", so it was not moved.";
    } else if (!Delete(record.Path)) {
        Delete(target); // one file, not two
        result.Message = "The font " + record.Name + " could not be removed from " + sourceFolder +
                         ", so it was not moved.";
    } else {
        record.Path = target;
        result.Moved = true;
    }
    // Registered again at whichever path the file now has.
    if (wasInstalled) {
        std::string error = InstallFont(record, scope, broadcast);
        if (result.Message.empty())
            result.Message = std::move(error);
    }
    return result;
}

std::string SendToRecycleBin(HWND owner, const std::string& path) {
    std::string problem = RecyclePathProblem(path);
    if (!problem.empty())
        return problem;
    // The shell takes a list of paths, each ended by a zero, and a zero after the last.
    const std::wstring widePath = nq::WideFromUtf8(path);
    std::vector<wchar_t> from(widePath.begin(), widePath.end());
    from.insert(from.end(), 2, L'\0');
    SHFILEOPSTRUCTW operation{};
    operation.hwnd = owner;
    operation.wFunc = FO_DELETE;
    operation.pFrom = from.data();
    // Where the recycle bin cannot take the item (a drive without one, an
    // item too large), the shell would erase it without a word: it asks first.
    operation.fFlags = FOF_SILENT | FOF_NOCONFIRMATION | FOF_ALLOWUNDO | FOF_WANTNUKEWARNING;
    const int result = SHFileOperationW(&operation);
    if (result != 0 || operation.fAnyOperationsAborted)
        return path + " could not be moved to the recycle bin (error " + std::to_string(result) +
               ").";
    return {};
}

std::string TrashFont(HWND owner, FontDescr& record, const FontScope& scope, bool broadcast) {
    // Checked before anything changes, so that a refused path leaves the font on.
    std::string problem = RecyclePathProblem(record.Path);
    if (!problem.empty())
        return problem;
    std::vector<FontDescr*> uninstalled;
    if (record.Installed) {
        UninstallFont(record, scope, broadcast);
        uninstalled.push_back(&record);
    }
    problem = SendToRecycleBin(owner, record.Path);
    if (!problem.empty())
        Reinstall(uninstalled, scope, broadcast);
    return problem;
}

std::string TrashCollection(HWND owner, const FontList& fonts, const std::string& folder,
                            const FontScope& scope) {
    std::string shellPath = folder;
    while (!shellPath.empty() && shellPath.back() == '\\')
        shellPath.pop_back();
    const std::string lowerFolder = LowerAZ(folder);
    // "All Fonts" is the fonts root itself, and nothing outside it is a collection.
    const std::string lowerRoot = LowerAZ(scope.Root());
    if (lowerFolder.size() <= lowerRoot.size() ||
        lowerFolder.compare(0, lowerRoot.size(), lowerRoot) != 0)
        return "Only a collection can be moved to the recycle bin, not " + folder + ".";
    std::string problem = RecyclePathProblem(shellPath);
    if (!problem.empty())
        return problem;
    std::vector<FontDescr*> uninstalled;
    for (const std::unique_ptr<FontDescr>& record : fonts) {
        if (!record->Installed ||
            LowerAZ(record->Path).compare(0, lowerFolder.size(), lowerFolder) != 0)
            continue;
        UninstallFont(*record, scope, false);
        uninstalled.push_back(record.get());
    }
    if (!uninstalled.empty())
        BroadcastFontChange();
    problem = SendToRecycleBin(owner, shellPath);
    if (!problem.empty())
        Reinstall(uninstalled, scope);
    return problem;
}

bool OpenRecycleBin() {
    const HINSTANCE result =
        ShellExecuteW(nullptr, L"open", L"shell:RecycleBinFolder", nullptr, nullptr, SW_SHOW);
    return reinterpret_cast<INT_PTR>(result) > 32;
}
