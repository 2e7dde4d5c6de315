#include <gtest/gtest.h>
#ifdef _WIN32
#include <windows.h>
TEST(Smoke, Windows) { EXPECT_NE(GetCurrentProcessId(), 0u); }
#else
TEST(Smoke, Native) { EXPECT_TRUE(true); }
#endif
