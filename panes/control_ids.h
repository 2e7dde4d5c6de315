// Control identifiers of the client window TfrmMiddle. Unique across the whole
// window (not only among siblings), so that a tool can find any control by it.
#pragma once

namespace ctl {

enum Id : int {
    Toolbar = 100,
    Panel10,
    EditSearch,
    BgPanel,
    Panel3,
    CollectionHeader,
    LbFolders,
    Panel9,
    Button2,
    Splitter1,
    Panel1,
    FontHeader,
    LbFonts,
    Panel8,
    Button1,
    Splitter2,
    PreviewPanel,
    Panel5,
    Panel6,
    Panel7,
    Label5,
    ComboBox1,
    LbPreview,
    Splitter3,
    PaintBox1,
    Pb2,
    Pb4,
    Pb5,
    LblName,
    LblCopyright,
    LblTrademark,
    LblFamily,
};

} // namespace ctl

// Window class of the client window.
inline constexpr const char* kMiddleWindowClass = "TfrmMiddle";
