// A skin's "values.ini" read from a real file through the profile functions.
#include "skin_file.h"

#include <gtest/gtest.h>

#include <windows.h>

#include <fstream>
#include <string>

namespace {

// A fresh skin folder under the temp folder, with content as its "values.ini"
// unless that is empty; removed at the end. Path() ends in a backslash.
class SkinFolder {
  public:
    explicit SkinFolder(const std::string& content) {
        char temp[MAX_PATH] = {};
        GetTempPathA(MAX_PATH, temp);
        for (unsigned n = 1; !CreateDirectoryA(path_.c_str(), nullptr); ++n)
            path_ = temp + ("nqskin-" + std::to_string(GetCurrentProcessId()) + "-" +
                            std::to_string(n) + "\\");
        if (!content.empty())
            std::ofstream(path_ + "values.ini", std::ios::binary) << content;
    }
    SkinFolder(const SkinFolder&) = delete;
    SkinFolder& operator=(const SkinFolder&) = delete;
    ~SkinFolder() {
        DeleteFileA((path_ + "values.ini").c_str());
        RemoveDirectoryA(path_.c_str());
    }
    const std::string& Path() const { return path_; }

  private:
    std::string path_;
};

TEST(SkinFile, ReadsValuesAsTheFileHoldsThem) {
    const std::string longName(3000, 'n');
    const SkinFolder skin(
        "[left]\r\nWidth=0x1F\r\nInActiveWidth=$0A\r\n[CAPTION]\r\nfontsize=$10\r\n"
        "FontName=" +
        longName + "\r\nText=\r\n[Buttons]\r\nInActiveCloseX = -30 \r\n");
    const nq::SkinValues v = nq::LoadSkinValues(skin.Path());
    EXPECT_EQ(v.Left.Width, 31);
    EXPECT_EQ(v.Left.InActiveWidth, 10);
    EXPECT_EQ(v.Caption.FontSize, 16);
    EXPECT_EQ(v.Caption.FontName, longName.substr(0, nq::kMaxSkinString));
    // Present but empty is not missing: the client window's text is cleared.
    EXPECT_EQ(v.Caption.Text, "");
    EXPECT_EQ(v.Buttons.PlaceFor(nq::TitleButton::Close, nq::FrameState::RolledUpInactive).X, -30);
    // Missing keys take their defaults.
    EXPECT_EQ(v.Caption.TextColor, 0xFFFFFFFFu);
    EXPECT_EQ(v.Right.Width, 0);
}

TEST(SkinFile, WithoutValuesIniEveryKeyIsMissing) {
    const SkinFolder skin("");
    EXPECT_FALSE(nq::ProfileSkinSource(skin.Path() + "values.ini").Get("Caption", "Text"));
    EXPECT_EQ(nq::LoadSkinValues(skin.Path()).Caption.Text, "NimbPreview");
}

} // namespace
