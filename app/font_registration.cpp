#include "font_registration.h"

#include "font_naming.h"
#include "search_filter.h"

std::string FontValueName(const FontDescr& record) {
    return record.Name +
           (record.CffOutlines ? nq::fontfile::kOpenTypeSuffix : nq::fontfile::kTrueTypeSuffix);
}

std::string OtherFontValueName(const FontDescr& record) {
    return record.Name +
           (record.CffOutlines ? nq::fontfile::kTrueTypeSuffix : nq::fontfile::kOpenTypeSuffix);
}

std::string RegisteredFontPath(const std::string& value, const std::string& fontsRoot) {
    const bool networkPath = value.compare(0, 2, "\\\\") == 0;
    if (value.size() >= 3 && value[2] != '\\' && !networkPath)
        return fontsRoot + value;
    return value;
}

bool ValueNamesFile(const std::string& value, const std::string& path,
                    const std::string& fontsRoot) {
    return !value.empty() && LowerAZ(RegisteredFontPath(value, fontsRoot)) == LowerAZ(path);
}
