// Entry point of every test program: GoogleTest with a wide command line
// (test programs are built with -municode like the rest of the system),
// the kit's failure report and its end-of-program leftover check.
#include <gtest/gtest.h>

#include "failure_report.h"

int wmain(int argc, wchar_t** argv)
{
    ::testing::InitGoogleTest(&argc, argv);
    testkit::InstallFailureReport();
    testkit::InstallLeftoverCheck();
    return RUN_ALL_TESTS();
}
