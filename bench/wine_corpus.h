// The corpus arguments and file listing shared by the Wine benchmarks.
#pragma once

#include "handles.h"

#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>
#include <vector>

namespace bench {

// Names of the plain files matching pattern in folder, in enumeration order.
inline std::vector<std::string> FileNames(const std::string& folder, const char* pattern) {
    std::vector<std::string> names;
    WIN32_FIND_DATAA entry;
    nq::UniqueFind find(FindFirstFileA((folder + pattern).c_str(), &entry));
    if (find) {
        do {
            if (!(entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
                names.push_back(entry.cFileName);
        } while (FindNextFileA(find.get(), &entry));
    }
    return names;
}

// CORPUS_DIR [ROUNDS] [COUNT]: the corpus folder (ending in a backslash), its
// .ttf files sorted by name, the rounds and how many files to make of them.
struct CorpusArgs {
    std::string Corpus;
    std::vector<std::string> Sources;
    int Rounds = 15;
    std::size_t Count = 0;
};

// Nothing, after a message on stderr, when the arguments or the corpus are unusable.
inline std::optional<CorpusArgs> ParseCorpusArgs(int argc, char** argv, std::size_t defaultCount,
                                                 const char* countName) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: %s CORPUS_DIR [ROUNDS] [%s]\n", argv[0], countName);
        return std::nullopt;
    }
    CorpusArgs args;
    args.Corpus = std::string(argv[1]) + "\\";
    args.Rounds = argc > 2 ? std::max(1, std::atoi(argv[2])) : 15;
    args.Count =
        argc > 3 ? static_cast<std::size_t>(std::max(1, std::atoi(argv[3]))) : defaultCount;
    args.Sources = FileNames(args.Corpus, "*.ttf");
    std::sort(args.Sources.begin(), args.Sources.end());
    if (args.Sources.empty()) {
        std::fprintf(stderr, "%s: no .ttf files\n", args.Corpus.c_str());
        return std::nullopt;
    }
    return args;
}

} // namespace bench
