// Never run: linked against the i686 import library so that its import table
// shows how a program binds glyphscan.dll.
#include "glyphscan.h"

int main(int argc, char** argv) {
    char buffer[4][1024];
    const char* path = argc > 1 ? argv[1] : "";
    const int found = GetFontProps(path, buffer[0], buffer[1], buffer[2], buffer[3]);
    HGLOBAL block = ReadIntoBuffer(path);
    if (block)
        GlobalFree(block);
    return found;
}
