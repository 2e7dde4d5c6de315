// What is wrong with a font library, and what the user may do about it: the
// rules that turn what was found on disk and in the font registry into a list
// of problems. Portable: no Windows calls. Nothing here changes anything; the
// fixes are the caller's, each on the user's click.
#pragma once

#include "font_descr.h"

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

namespace nq::catalogue {

// One string value of the scope's font key.
struct HealthValue {
    std::string Name; // "Arial (TrueType)"
    std::string Data; // a full path, or a bare file name that lies in the fonts root
};

// One file with a font file's extension in the fonts root or directly in one
// of its collection folders.
struct HealthFile {
    // Path; Name as the catalogue shows it (empty when no reader reads the
    // file); CffOutlines for its value name. Installed is not looked at.
    FontDescr Font;
    bool InCollection = false; // in a collection folder rather than the root itself
    bool Loads = true;         // Windows took it as a font resource
    std::uint64_t Size = 0;
    std::optional<std::uint64_t> Hash; // of its bytes, where FilesToHash asked for it
};

enum class HealthProblemKind {
    MissingFile, // a registry value names a file that is gone
    FailsToLoad, // Windows does not load the file as a font
    Duplicate,   // the same font in more than one file
    NameConflict // a collection font's value name is held by another file
};

struct HealthProblem {
    HealthProblemKind Kind = HealthProblemKind::MissingFile;
    std::string Font;      // the font's name; a missing file's value name without its suffix
    std::string Path;      // the file the problem is about (the missing one, too)
    std::string ValueName; // MissingFile and NameConflict: the registry value concerned
    std::string OtherPath; // NameConflict: the file that holds the value
    bool On = false;       // this file is registered (any value names it)
    int Group = -1;        // Duplicate: the copies of one font share a group
    std::string Detail;    // Duplicate: "same name", "same bytes" or "same name and bytes"
};

// A-Z folded, as Windows compares paths and value names.
std::string FoldAZ(std::string text);

// The files a value's data names, bare file names taken in root: one path,
// or several where the data joins them with '|' (as some installers register
// a font made of more than one file). Empty for empty data.
std::vector<std::string> RegisteredPaths(const std::string& data, const std::string& root);

// The files whose bytes must be hashed to tell copies apart: those whose size
// another file has too (files of different sizes cannot be the same bytes).
std::vector<std::size_t> FilesToHash(const std::vector<HealthFile>& files);

// The problems of a library whose fonts root is root (ending in a backslash),
// in this order: values whose file is gone (fileExists answers for paths
// outside files), files that do not load, copies (one problem per copy,
// grouped, a group's copies side by side), value names held by another file.
// A copy is a file with the same name (A-Z folded) or the same size and hash
// as another. A name conflict is a collection font that no value names, whose
// own value name is held by another file that exists.
std::vector<HealthProblem>
FindHealthProblems(const std::vector<HealthValue>& values, const std::vector<HealthFile>& files,
                   const std::string& root,
                   const std::function<bool(const std::string& path)>& fileExists);

// What the "Fix" button does to the problem, in the user's words.
std::string HealthFixLabel(const HealthProblem& problem);
// The problem's kind in the user's words, for the list's first column.
std::string HealthKindLabel(HealthProblemKind kind);

} // namespace nq::catalogue
