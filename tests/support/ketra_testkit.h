// The test kit: everything a Ketra test needs to drive the device, in one
// namespace, testkit.  Every test program links it (through ketra_test in
// cmake/KetraTests.cmake) and gets its main(), which adds a failure report
// (screenshot, window list, message boxes and device log of a failing test,
// under <build>\test-failures\) and an end-of-program check that no side bar,
// settings program or changed HKLM "SOFTWARE\ZARQ" is left behind.
//
// Pieces, one header each:
//   applet_host.h      AppletHost: an applet library loaded in the test's own
//                      process under a stand-in host window (export 240, the
//                      record, background/version/colour answers, height
//                      requests, painted pixels)
//   applet_on_bar.h    AppletOnBar: an applet shown by the real side bar, end
//                      to end (registration, start by name, taps and pixels in
//                      applet coordinates, everything put back)
//   bar_test.h         BarTest: the fixture of tests of the side bar itself;
//                      where the group menu lists an applet
//   side_bar.h         the bar and the settings program: paths, keys, the bar's
//                      messages, start, close, send, current applet, menu
//                      commands by applet name, temporary registrations, the
//                      probe applets of the bar's tests
//   program_driver.h   ProgramDriver: a device program driven by its controls'
//                      ids across pages, closed by OK corner, command or
//                      WM_CLOSE with a check that it ended
//   message_boxes.h    MessageBoxes: open boxes listed, waited for by caption
//                      and text, answered
//   remote_controls.h  another program's list view, tree view, combo box
//   programs.h         DeviceProgram, Execute through the device's shell,
//                      processes by name, loaded modules
//   registry.h         values read and written, SavedRegistryValue,
//                      RegistrySandbox (trees snapshotted and put back),
//                      RegistryScratchTest (a scratch key per test)
//   device_log.h       DeviceLog: the device log counted from a test's start
//   input.h            stylus taps, holds, drags and keys as hardware input
//   window_find.h      windows found, waited for, counted, described
//   screen.h           screen pixels and screenshots
//   screen_compare.h   another program's pop-up menu and texts compared with
//                      the same drawn by the test
//   pictures.h         test pictures (BMP, PNG, GIF, JPEG) and PixelSurface
//   files.h            fixtures beside the test, scratch folders, file bytes,
//                      SavedFile (a device file replaced whole and put back)
//   test_window.h      TestWindow: a window of the test recording its messages
//   pump.h             PumpMessages, PumpUntil: waiting without blocking
//   devctl.h           RunDevctl: devctl.exe as a child process (its own tests)
#pragma once

#include "testkit/applet_host.h"
#include "testkit/applet_on_bar.h"
#include "testkit/bar_test.h"
#include "testkit/device_log.h"
#include "testkit/devctl.h"
#include "testkit/files.h"
#include "testkit/input.h"
#include "testkit/message_boxes.h"
#include "testkit/pictures.h"
#include "testkit/program_driver.h"
#include "testkit/programs.h"
#include "testkit/pump.h"
#include "testkit/registry.h"
#include "testkit/remote_controls.h"
#include "testkit/screen.h"
#include "testkit/screen_compare.h"
#include "testkit/side_bar.h"
#include "testkit/test_window.h"
#include "testkit/window_find.h"
