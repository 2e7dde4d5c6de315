// Reads a collection folder into FontDescr records and tells which of them
// Windows has registered.
#pragma once

#include "font_descr.h"

#include <functional>
#include <memory>
#include <string>

// Calls onFont with a filled record (Installed set) for every usable .ttf or
// .fon file directly in folder (ending in a backslash), in enumeration order.
// The four naming buffers are taken once per call.
void ScanFontFolder(const std::string& folder, const std::string& fontsRoot,
                    const std::function<void(std::unique_ptr<FontDescr>)>& onFont);

// The platform's description of a font file (GetFontResourceInfoW, query type
// 1) in the ANSI code page; empty when there is none.
std::string FontResourceDescription(const std::string& path);

// Sets record.Installed from the HKLM font registry; bare file names in the
// registry are completed with fontsRoot.
void CheckInstalled(FontDescr& record, const std::string& fontsRoot);
