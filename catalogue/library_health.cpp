#include "library_health.h"

#include "font_naming.h"
#include "font_registration.h"
#include "search_filter.h"

#include <algorithm>
#include <map>
#include <numeric>
#include <unordered_map>
#include <unordered_set>
#include <utility>

namespace nq::catalogue {

namespace {

bool EndsWith(const std::string& text, const std::string& end) {
    return text.size() >= end.size() &&
           text.compare(text.size() - end.size(), end.size(), end) == 0;
}

// The value's name without the suffix that tells the font's format.
std::string FontNameOfValue(const std::string& valueName) {
    for (const char* suffix : {fontfile::kTrueTypeSuffix, fontfile::kOpenTypeSuffix})
        if (EndsWith(FoldAZ(valueName), FoldAZ(suffix)))
            return valueName.substr(0, valueName.size() - std::string(suffix).size());
    return valueName;
}

// Joins sets of files (union-find).
class Groups {
  public:
    explicit Groups(std::size_t count) : parent_(count) {
        std::iota(parent_.begin(), parent_.end(), std::size_t{0});
    }
    std::size_t Find(std::size_t i) {
        while (parent_[i] != i)
            i = parent_[i] = parent_[parent_[i]];
        return i;
    }
    void Join(std::size_t a, std::size_t b) {
        a = Find(a);
        b = Find(b);
        if (a != b)
            parent_[std::max(a, b)] = std::min(a, b);
    }

  private:
    std::vector<std::size_t> parent_;
};

// Joins every file to the first file with the same key.
template <typename Key>
void JoinSame(Groups& groups, std::map<Key, std::size_t>& first, const Key& key, std::size_t i) {
    const auto [at, inserted] = first.emplace(key, i);
    if (!inserted)
        groups.Join(at->second, i);
}

std::string DuplicateDetail(const std::vector<HealthFile>& files,
                            const std::vector<std::size_t>& members) {
    const HealthFile& head = files[members.front()];
    bool sameName = true, sameBytes = true;
    for (std::size_t i : members) {
        const HealthFile& file = files[i];
        sameName =
            sameName && !file.Font.Name.empty() && FoldAZ(file.Font.Name) == FoldAZ(head.Font.Name);
        sameBytes = sameBytes && file.Hash && head.Hash && *file.Hash == *head.Hash &&
                    file.Size == head.Size;
    }
    if (sameName && sameBytes)
        return "same name and bytes";
    if (sameName)
        return "same name";
    if (sameBytes)
        return "same bytes";
    return "same name or bytes";
}

} // namespace

std::string FoldAZ(std::string text) {
    return LowerAZ(std::move(text));
}

std::vector<std::string> RegisteredPaths(const std::string& data, const std::string& root) {
    std::vector<std::string> paths;
    std::size_t start = 0;
    for (;;) {
        const std::size_t bar = data.find('|', start);
        const std::string part = data.substr(start, bar == std::string::npos ? bar : bar - start);
        if (!part.empty())
            paths.push_back(RegisteredFontPath(part, root));
        if (bar == std::string::npos)
            return paths;
        start = bar + 1;
    }
}

std::vector<std::size_t> FilesToHash(const std::vector<HealthFile>& files) {
    std::unordered_map<std::uint64_t, std::size_t> bySize;
    for (const HealthFile& file : files)
        ++bySize[file.Size];
    std::vector<std::size_t> wanted;
    for (std::size_t i = 0; i < files.size(); ++i)
        if (bySize[files[i].Size] > 1)
            wanted.push_back(i);
    return wanted;
}

std::vector<HealthProblem>
FindHealthProblems(const std::vector<HealthValue>& values, const std::vector<HealthFile>& files,
                   const std::string& root,
                   const std::function<bool(const std::string& path)>& fileExists) {
    std::unordered_set<std::string> found;
    for (const HealthFile& file : files)
        found.insert(FoldAZ(file.Font.Path));
    const auto exists = [&](const std::string& path) {
        return found.count(FoldAZ(path)) > 0 || (fileExists && fileExists(path));
    };

    // Which file each value names, and which files are on.
    std::unordered_map<std::string, const HealthValue*> valueByName;
    std::unordered_set<std::string> registered;
    std::vector<HealthProblem> problems;
    for (const HealthValue& value : values) {
        valueByName.emplace(FoldAZ(value.Name), &value);
        for (const std::string& path : RegisteredPaths(value.Data, root)) {
            registered.insert(FoldAZ(path));
            if (exists(path))
                continue;
            HealthProblem problem;
            problem.Kind = HealthProblemKind::MissingFile;
            problem.Font = FontNameOfValue(value.Name);
            problem.Path = path;
            problem.ValueName = value.Name;
            problem.On = true;
            problems.push_back(std::move(problem));
            break; // one problem per value
        }
    }
    const auto isOn = [&](const HealthFile& file) {
        return registered.count(FoldAZ(file.Font.Path)) > 0;
    };

    for (const HealthFile& file : files) {
        if (file.Loads)
            continue;
        HealthProblem problem;
        problem.Kind = HealthProblemKind::FailsToLoad;
        problem.Font = file.Font.Name;
        problem.Path = file.Font.Path;
        problem.On = isOn(file);
        problems.push_back(std::move(problem));
    }

    Groups groups(files.size());
    std::map<std::string, std::size_t> firstByName;
    std::map<std::pair<std::uint64_t, std::uint64_t>, std::size_t> firstByBytes;
    for (std::size_t i = 0; i < files.size(); ++i) {
        const HealthFile& file = files[i];
        if (!file.Font.Name.empty())
            JoinSame(groups, firstByName, FoldAZ(file.Font.Name), i);
        if (file.Hash)
            JoinSame(groups, firstByBytes, std::make_pair(file.Size, *file.Hash), i);
    }
    std::map<std::size_t, std::vector<std::size_t>> members;
    for (std::size_t i = 0; i < files.size(); ++i)
        members[groups.Find(i)].push_back(i);
    int groupNumber = 0;
    for (const auto& [head, copies] : members) {
        if (copies.size() < 2)
            continue;
        const std::string detail = DuplicateDetail(files, copies);
        for (std::size_t i : copies) {
            HealthProblem problem;
            problem.Kind = HealthProblemKind::Duplicate;
            problem.Font = files[i].Font.Name.empty() ? files[head].Font.Name : files[i].Font.Name;
            problem.Path = files[i].Font.Path;
            problem.On = isOn(files[i]);
            problem.Group = groupNumber;
            problem.Detail = detail;
            problems.push_back(std::move(problem));
        }
        ++groupNumber;
    }

    for (const HealthFile& file : files) {
        if (!file.InCollection || file.Font.Name.empty() || isOn(file))
            continue;
        const std::string valueName = FontValueName(file.Font);
        const auto held = valueByName.find(FoldAZ(valueName));
        if (held == valueByName.end())
            continue;
        const std::vector<std::string> holders = RegisteredPaths(held->second->Data, root);
        // A value whose file is gone is reported as such; its fix frees the name.
        if (holders.empty() || !exists(holders.front()))
            continue;
        HealthProblem problem;
        problem.Kind = HealthProblemKind::NameConflict;
        problem.Font = file.Font.Name;
        problem.Path = file.Font.Path;
        problem.ValueName = held->second->Name;
        problem.OtherPath = holders.front();
        problems.push_back(std::move(problem));
    }
    return problems;
}

std::string HealthFixLabel(const HealthProblem& problem) {
    switch (problem.Kind) {
    case HealthProblemKind::MissingFile:
        return "Remove the registration";
    case HealthProblemKind::FailsToLoad:
        return "Move the file to the trash";
    case HealthProblemKind::Duplicate:
        return problem.On ? "None: keep this copy, it is on" : "Move this copy to the trash";
    case HealthProblemKind::NameConflict:
        return "Register this file instead";
    }
    return {};
}

std::string HealthKindLabel(HealthProblemKind kind) {
    switch (kind) {
    case HealthProblemKind::MissingFile:
        return "File is gone";
    case HealthProblemKind::FailsToLoad:
        return "Does not load";
    case HealthProblemKind::Duplicate:
        return "Same font twice";
    case HealthProblemKind::NameConflict:
        return "Name held by another file";
    }
    return {};
}

} // namespace nq::catalogue
