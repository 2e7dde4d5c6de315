// The client window paints with GDI+, which the program starts before any
// window: so do its tests.
#include "gdiplus_raii.h"

#include <gtest/gtest.h>

int main(int argc, char** argv) {
    const nq::GdiplusSession gdiplus;
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
