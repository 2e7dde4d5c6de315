// The two exports of glyphscan.dll. On i686 both are __stdcall and exported
// under their plain names.
#pragma once

#include <windows.h>

#ifdef GLYPHSCAN_BUILD
#define GLYPHSCAN_API extern "C" __declspec(dllexport)
#else
#define GLYPHSCAN_API extern "C" __declspec(dllimport)
#endif

// Reads full name, copyright, trademark and family (four caller buffers of at
// least 1024 bytes each). Returns 1 when a family name was found; on 0 the
// buffers are left as they were.
GLYPHSCAN_API int WINAPI GetFontProps(const char* path, char* fullName, char* copyright,
                                      char* trademark, char* family);

// Reads the whole file into a movable global block of exactly its size,
// returned unlocked; 0 when the file cannot be opened. The caller frees it.
GLYPHSCAN_API HGLOBAL WINAPI ReadIntoBuffer(const char* path);
