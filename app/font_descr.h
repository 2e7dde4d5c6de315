// One font file of the listed collection. A plain record: its creator fills it.
#pragma once

#include <memory>
#include <string>
#include <vector>

struct FontDescr {
    std::string Path;      // folder of the collection + file name
    std::string Name;      // display name: row text and stem of the registry value
    std::string Copyright; // naming table, name ID 0
    std::string Trademark; // naming table, name ID 7
    std::string Family;    // naming table, name ID 1
    bool Installed = false;
};

// The owning list of the records of the folder listed last, in enumeration order.
using FontList = std::vector<std::unique_ptr<FontDescr>>;
