// The files beside the program and the sample text's lines.
// Portable: no Windows calls.
#pragma once

#include <string>
#include <vector>

// path with its extension (the part from the last dot of the file name on)
// replaced by extension, which includes its dot; appended when there is none.
std::string ChangeFileExtension(const std::string& path, const std::string& extension);

// The folder of path without a trailing separator ("" for a bare file name).
std::string FolderOf(const std::string& path);

// The lines of a text file's content: lines end in CR LF, LF or a lone CR; a
// last line without an ending counts, an empty content has no lines.
std::vector<std::string> SplitTextLines(const std::string& content);

// A text file's content: every line followed by CR LF, the last one included.
std::string TextFileContent(const std::vector<std::string>& lines);

// The text of a multi-line edit box showing lines (CR LF between them), and
// back. An empty text has no lines.
std::string EditText(const std::vector<std::string>& lines);
std::vector<std::string> EditLines(const std::string& text);
