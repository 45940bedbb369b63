// Entry point of every test executable: GoogleTest with a wide command line
// (test programs are built with -municode like the rest of the system).
#include <gtest/gtest.h>

int wmain(int argc, wchar_t** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
