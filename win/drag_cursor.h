// The cursor a dragged list row shows over a window that accepts it: the
// arrow with a small sheet below its tip. Over anything else the row shows
// the system's "no" cursor.
#pragma once

#include <windows.h>

namespace nq {

// Made once per process and kept until it ends.
HCURSOR DragCursor();
inline HCURSOR NoDropCursor() {
    return LoadCursorA(nullptr, IDC_NO);
}

} // namespace nq
