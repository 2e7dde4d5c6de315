#include "font_files.h"

#include <cstring>
#include <filesystem>
#include <fstream>
#include <stdexcept>

namespace fonttest {

std::vector<std::string> HostFiles(const std::string& posix_folder, const std::string& suffix) {
    std::vector<std::string> files;
    for (const auto& entry : std::filesystem::directory_iterator(HostPath(posix_folder))) {
        const std::string name = entry.path().string();
        if (name.size() >= suffix.size() &&
            name.compare(name.size() - suffix.size(), suffix.size(), suffix) == 0)
            files.push_back(name);
    }
    return files;
}

void WriteFile(const std::string& path, const std::string& bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path);
}

TempFile::~TempFile() {
    std::remove(path_.c_str());
}

Props CallWithMarkedBuffers(int (*get_font_props)(const char*, char*, char*, char*, char*),
                            const std::string& path) {
    constexpr char kMarker = '\x5A';
    char buffers[4][kBufferSize];
    std::memset(buffers, kMarker, sizeof buffers);
    Props props;
    props.result = get_font_props(path.c_str(), buffers[0], buffers[1], buffers[2], buffers[3]);
    props.untouched = true;
    for (const auto& buffer : buffers)
        for (char c : buffer)
            props.untouched = props.untouched && c == kMarker;
    // Strings only when they end inside their buffer.
    auto text = [](const char* buffer) {
        const void* end = std::memchr(buffer, 0, kBufferSize);
        return end ? std::string(buffer) : std::string();
    };
    props.full_name = text(buffers[0]);
    props.copyright = text(buffers[1]);
    props.trademark = text(buffers[2]);
    props.family = text(buffers[3]);
    return props;
}

} // namespace fonttest
