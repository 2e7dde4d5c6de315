#include "font_files.h"
#include "posix_file.h"

#include <cstdlib>
#include <stdexcept>
#include <unistd.h>

namespace fonttest {

Props ReadProps(const std::string& path) {
    return CallWithMarkedBuffers(glyphscan::GetFontPropsPosix, path);
}

TempFile::TempFile(const std::string& bytes) {
    const char* folder = std::getenv("TMPDIR");
    std::string pattern = std::string(folder && *folder ? folder : "/tmp") + "/glyphscan-XXXXXX";
    const int fd = mkstemp(pattern.data());
    if (fd < 0)
        throw std::runtime_error("cannot make a temporary file");
    close(fd);
    path_ = pattern;
    WriteFile(path_, bytes);
}

std::string HostPath(const std::string& posix_path) {
    return posix_path;
}

bool AnsiIsWestern() {
    return true;
}

} // namespace fonttest
