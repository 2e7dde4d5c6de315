#include "font_naming.h"

namespace nq::fontfile {

std::string JoinFaceNames(const std::vector<std::string>& full_names) {
    std::string joined;
    for (std::size_t i = 0; i < full_names.size(); ++i) {
        if (i > 0)
            joined += " & ";
        joined += full_names[i];
    }
    return joined;
}

const char* RegistrySuffix(const FontFileInfo& info) {
    if (info.Format == FontFormat::kOpenTypeCff)
        return kOpenTypeSuffix;
    if (info.Format == FontFormat::kCollection && !info.Faces.empty()) {
        for (const FontFace& face : info.Faces)
            if (!face.CffOutlines)
                return kTrueTypeSuffix;
        return kOpenTypeSuffix;
    }
    return kTrueTypeSuffix;
}

} // namespace nq::fontfile
