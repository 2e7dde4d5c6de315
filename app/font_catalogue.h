// Reads a collection folder into FontDescr records and tells which of them
// Windows has registered.
#pragma once

#include "font_descr.h"
#include "font_scope.h"

#include <array>
#include <functional>
#include <memory>
#include <string>

// The four buffers GetFontProps fills: full name, copyright, trademark, family.
using FontNameBuffers = std::array<std::array<char, 1024>, 4>;

// The record of the font file at path with its naming strings, its display
// name and Installed; nothing when GetFontProps cannot read the file. names
// are scratch space, so that a listing can reuse one set for every file.
std::unique_ptr<FontDescr> ReadFontRecord(const std::string& path, const FontScope& scope,
                                          FontNameBuffers& names);

// Calls onFont with a filled record (Installed set) for every usable .ttf or
// .fon file directly in folder (ending in a backslash), in enumeration order.
// The four naming buffers are taken once per call.
void ScanFontFolder(const std::string& folder, const FontScope& scope,
                    const std::function<void(std::unique_ptr<FontDescr>)>& onFont);

// The platform's description of a font file (GetFontResourceInfoW, query type
// 1) in the ANSI code page; empty when there is none.
std::string FontResourceDescription(const std::string& path);

// Sets record.Installed: whether the scope's font registry (HKLM or HKCU, never
// the other one) names exactly this file; bare file names there lie in the
// scope's root.
void CheckInstalled(FontDescr& record, const FontScope& scope);
