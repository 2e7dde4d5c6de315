#include "font_file_posix.h"

#include "posix_mapping.h"

#include <fcntl.h>
#include <sys/stat.h>

namespace nq::fontfile {

std::optional<FontFileInfo> ReadFontFilePosix(const char* path) {
    const glyphscan::Descriptor file(open(path, O_RDONLY | O_CLOEXEC));
    if (file.get() < 0)
        return std::nullopt;
    struct stat status;
    if (fstat(file.get(), &status) != 0 || !S_ISREG(status.st_mode) || status.st_size <= 0)
        return std::nullopt;
    const glyphscan::Mapping view(file.get(), static_cast<std::size_t>(status.st_size));
    if (!view.data())
        return std::nullopt;
    return ReadFontImage(view.data(), static_cast<std::size_t>(status.st_size));
}

} // namespace nq::fontfile
