#include "font_files.h"
#include "glyphscan.h"

#include <stdexcept>

namespace fonttest {

namespace {
int CallDll(const char* path, char* full_name, char* copyright, char* trademark, char* family) {
    return GetFontProps(path, full_name, copyright, trademark, family);
}
} // namespace

Props ReadProps(const std::string& path) {
    return CallWithMarkedBuffers(CallDll, path);
}

TempFile::TempFile(const std::string& bytes) {
    char folder[MAX_PATH];
    char name[MAX_PATH];
    if (!GetTempPathA(MAX_PATH, folder) || !GetTempFileNameA(folder, "gsc", 0, name))
        throw std::runtime_error("cannot make a temporary file");
    path_ = name;
    WriteFile(path_, bytes);
}

std::string HostPath(const std::string& posix_path) {
    std::string path = "Z:" + posix_path;
    for (char& c : path)
        if (c == '/')
            c = '\\';
    return path;
}

bool AnsiIsWestern() {
    return GetACP() == 1252;
}

} // namespace fonttest
