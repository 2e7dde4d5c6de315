// Fonts as Debian ships them. The expected names were read from the files'
// naming tables with an independent tool.
#include "font_files.h"

#include <gtest/gtest.h>

namespace {

using fonttest::HostPath;
using fonttest::Props;

struct Expected {
    const char* path;
    const char* full_name;
    const char* copyright;
    const char* trademark;
    const char* family;
};

const char kDejaVuCopyright[] =
    "Copyright (c) 2003 by Bitstream, Inc. All Rights Reserved.\nCopyright (c) 2006 by Tavmjong "
    "Bah. All Rights Reserved.\nDejaVu changes are in public domain\n";
const char kLiberationTrademark[] =
    "Liberation is a trademark of Red Hat, Inc. registered in U.S. Patent and Trademark Office and "
    "certain other jurisdictions.";

// Macintosh 8-bit records.
const Expected kEightBitFonts[] = {
    {"/usr/share/fonts/truetype/dejavu/DejaVuSans.ttf", "DejaVu Sans", kDejaVuCopyright, "",
     "DejaVu Sans"},
    {"/usr/share/fonts/truetype/dejavu/DejaVuSerif-Bold.ttf", "DejaVu Serif Bold",
     "Copyright (c) 2003 by Bitstream, Inc. All Rights Reserved.\nDejaVu changes are in public "
     "domain\n",
     "", "DejaVu Serif"},
    {"/usr/share/fonts/truetype/liberation2/LiberationSans-Regular.ttf", "Liberation Sans",
     "Digitized data copyright (c) 2010 Google Corporation. \nCopyright (c) 2012 Red Hat, Inc.",
     kLiberationTrademark, "Liberation Sans"},
    {"/usr/share/fonts/truetype/liberation2/LiberationMono-BoldItalic.ttf",
     "Liberation Mono Bold Italic",
     "Digitized data copyright (c) 2010 Google Corporation.\nCopyright (c) 2012 Red Hat, Inc.",
     kLiberationTrademark, "Liberation Mono"},
};

// Windows UTF-16 records only.
const Expected kWindowsOnlyFonts[] = {
    {"/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF/Roboto-Regular.ttf", "Roboto",
     "Copyright 2011 Google Inc. All Rights Reserved.", "Roboto is a trademark of Google.",
     "Roboto"},
    {"/usr/share/fonts/truetype/roboto/unhinted/RobotoCondensed-Bold.ttf", "Roboto Condensed Bold",
     "Copyright 2011 Google Inc. All Rights Reserved.",
     "Roboto Condensed is a trademark of Google.", "Roboto Condensed"},
    {"/usr/share/fonts/truetype/noto/NotoMono-Regular.ttf", "Noto Mono",
     "Copyright 2007 Google Inc. All Rights Reserved.", "Noto is a trademark of Google Inc.",
     "Noto Mono"},
};

void ExpectFont(const Expected& font) {
    SCOPED_TRACE(font.path);
    const Props props = fonttest::ReadProps(HostPath(font.path));
    EXPECT_EQ(props.result, 1);
    EXPECT_EQ(props.full_name, font.full_name);
    EXPECT_EQ(props.copyright, font.copyright);
    EXPECT_EQ(props.trademark, font.trademark);
    EXPECT_EQ(props.family, font.family);
}

TEST(RealFonts, EightBitNames) {
    for (const Expected& font : kEightBitFonts)
        ExpectFont(font);
}

TEST(RealFonts, WindowsOnlyNames) {
    for (const Expected& font : kWindowsOnlyFonts)
        ExpectFont(font);
}

TEST(RealFonts, EveryDebianTrueTypeFileHasAFamily) {
    for (const char* folder :
         {"/usr/share/fonts/truetype/dejavu", "/usr/share/fonts/truetype/liberation2",
          "/usr/share/fonts/truetype/roboto/unhinted/RobotoTTF"}) {
        const auto files = fonttest::HostFiles(folder, ".ttf");
        EXPECT_FALSE(files.empty()) << folder;
        for (const std::string& file : files) {
            const Props props = fonttest::ReadProps(file);
            EXPECT_EQ(props.result, 1) << file;
            EXPECT_FALSE(props.family.empty()) << file;
        }
    }
}

TEST(RealFonts, BitmapFontFilesAreRejected) {
    const auto files = fonttest::HostFiles("/usr/share/wine/fonts", ".fon");
    EXPECT_GE(files.size(), 10u);
    for (const std::string& file : files) {
        const Props props = fonttest::ReadProps(file);
        EXPECT_EQ(props.result, 0) << file;
        EXPECT_TRUE(props.untouched) << file;
    }
}

} // namespace
