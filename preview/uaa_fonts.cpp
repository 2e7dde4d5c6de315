#include "uaa_fonts.h"

#include <cwchar>

namespace nq {

UniqueGdiObject MakeFontAntialiased(HFONT font) {
    // The UTF-16 record: a face name in any language passes unchanged.
    LOGFONTW from{};
    if (!font || GetObjectW(font, sizeof from, &from) != sizeof from)
        return {};
    LOGFONTW to{};
    to.lfHeight = from.lfHeight;
    to.lfWeight = from.lfWeight >= FW_BOLD ? FW_BOLD : FW_DONTCARE;
    to.lfItalic = from.lfItalic ? 1 : 0;
    to.lfUnderline = from.lfUnderline ? 1 : 0;
    to.lfCharSet = DEFAULT_CHARSET;
    to.lfQuality = ANTIALIASED_QUALITY;
    // At most 31 characters and the terminator.
    const std::size_t length = wcsnlen(from.lfFaceName, LF_FACESIZE - 1);
    std::wmemcpy(to.lfFaceName, from.lfFaceName, length);
    return UniqueGdiObject(CreateFontIndirectW(&to));
}

} // namespace nq
