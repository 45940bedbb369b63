// What a test program adds to GoogleTest: a report of the device as it was
// when a test failed, and a check at the end that the program left the
// device as it found it.
#pragma once

namespace testkit {

// At a test's first failed check: a screenshot, the window list, the open
// message boxes and the device log since the test started, saved under
// <build>\test-failures\ and named in the output.  Passing tests pay only
// for noting where the device log ends.
void InstallFailureReport();

// At the end of the program: no side bar, no settings program and an
// unchanged HKLM "SOFTWARE\ZARQ"; anything left is reported as a failure
// of the program and then cleaned up, so later programs start clean.
void InstallLeftoverCheck();

}  // namespace testkit
