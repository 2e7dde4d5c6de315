// One font file of the listed collection. A plain record: its creator fills it.
// Texts and paths are UTF-8.
#pragma once

#include "font_file.h"

#include <memory>
#include <string>
#include <vector>

struct FontDescr {
    std::string Path;      // folder of the collection + file name
    std::string Name;      // display name: row text and stem of the registry value
    std::string Copyright; // naming table, name ID 0 (a collection's: its first face's)
    std::string Trademark; // naming table, name ID 7
    std::string Family;    // naming table, name ID 1
    bool Installed = false;
    nq::fontfile::FontFormat Format = nq::fontfile::FontFormat::kTrueType;
    int FaceCount = 1;        // a collection's faces; 1 for every other file
    bool CffOutlines = false; // registered with " (OpenType)" rather than " (TrueType)"
};

// The owning list of the records of the folder listed last, in enumeration order.
using FontList = std::vector<std::unique_ptr<FontDescr>>;
