// What a new collection's name must be so that it becomes exactly one new
// folder directly under the fonts root. Portable: no Windows calls; whether the
// name already exists is asked by the caller.
#pragma once

#include <cstddef>
#include <string>

// Longest folder path (fonts root + name) a collection may have: room remains
// for a backslash and an 8.3 file name such as "disabled.txt" within MAX_PATH
// (260, terminator included).
constexpr std::size_t kMaxCollectionFolderLength = 260 - 1 - 1 - 12;

// Tells whether a byte opens a double-byte character of the ANSI code page,
// whose next byte then belongs to it (in code page 932 that trail byte may be
// 0x5C, a backslash on its own). On Windows: IsDBCSLeadByte.
using LeadByteTest = bool (*)(unsigned char byte);

// Empty when name is a sound folder name under fontsRoot (which ends in a
// backslash); otherwise the message the user is shown. Without isLeadByte
// every byte is a character of its own.
std::string CollectionNameRuleMessage(const std::string& fontsRoot, const std::string& name,
                                      LeadByteTest isLeadByte = nullptr);

// Whether name (without extension, any letter case) is one of the device names
// that Windows reserves in every folder (CON, PRN, AUX, NUL, COM1-9, LPT1-9).
bool IsReservedDeviceName(const std::string& name);
