#include "uaa_fonts.h"

#include <cstring>

namespace nq {

UniqueGdiObject MakeFontAntialiased(HFONT font) {
    LOGFONTA from{};
    if (!font || GetObjectA(font, sizeof from, &from) != sizeof from)
        return {};
    LOGFONTA to{};
    to.lfHeight = from.lfHeight;
    to.lfWeight = from.lfWeight >= FW_BOLD ? FW_BOLD : FW_DONTCARE;
    to.lfItalic = from.lfItalic ? 1 : 0;
    to.lfUnderline = from.lfUnderline ? 1 : 0;
    to.lfCharSet = DEFAULT_CHARSET;
    to.lfQuality = ANTIALIASED_QUALITY;
    // At most 31 characters and the terminator.
    const std::size_t length = strnlen(from.lfFaceName, LF_FACESIZE - 1);
    std::memcpy(to.lfFaceName, from.lfFaceName, length);
    return UniqueGdiObject(CreateFontIndirectA(&to));
}

} // namespace nq
