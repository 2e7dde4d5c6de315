// What the rule and real-file tests need from the platform: temporary files, host
// font paths, and GetFontProps itself (the DLL on Windows, the POSIX entry natively).
#pragma once

#include <string>
#include <vector>

namespace fonttest {

constexpr std::size_t kBufferSize = 1024;

struct Props {
    int result = 0;
    std::string full_name, copyright, trademark, family;
    bool untouched = false; // all four buffers still hold exactly what they held before
};

// Calls GetFontProps with four buffers pre-filled with a marker.
Props ReadProps(const std::string& path);

// A file with the given bytes in the temporary folder, deleted on destruction.
class TempFile {
  public:
    explicit TempFile(const std::string& bytes);
    TempFile(const TempFile&) = delete;
    TempFile& operator=(const TempFile&) = delete;
    ~TempFile();
    const std::string& path() const { return path_; }

  private:
    std::string path_;
};

// A host path such as "/usr/share/fonts/x.ttf" as this platform names it.
std::string HostPath(const std::string& posix_path);

// The files of a host folder whose names end with the suffix.
std::vector<std::string> HostFiles(const std::string& posix_folder, const std::string& suffix);

// Whether UTF-16 text becomes Latin-1 bytes here (Windows: ANSI code page 1252).
bool AnsiIsWestern();

// Shared by the platform halves.
void WriteFile(const std::string& path, const std::string& bytes);
Props CallWithMarkedBuffers(int (*get_font_props)(const char*, char*, char*, char*, char*),
                            const std::string& path);

} // namespace fonttest
