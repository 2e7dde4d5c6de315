// One font file of the listed collection. A plain record: its creator fills it.
#pragma once

#include <string>

struct FontDescr {
    std::string Path;      // folder of the collection + file name
    std::string Name;      // display name: row text and stem of the registry value
    std::string Copyright; // naming table, name ID 0
    std::string Trademark; // naming table, name ID 7
    std::string Family;    // naming table, name ID 1
    bool Installed = false;
};
