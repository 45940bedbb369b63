# Shared build settings and the helpers every folder's CMakeLists.txt uses.
#
#   ketra_library(NAME SOURCES ... [LINKS ...] [DEF file.def])
#       A shared library exported by name (__declspec(dllexport) or a .def).
#   ketra_applet(NAME SOURCES ... [LINKS ...] [ATTENTION] [DEF file.def])
#       An applet library: exports ordinals 240, 241 (and 243 with ATTENTION)
#       NONAME.  Made with the applet kit (framework/include/applet_module.h)
#       it needs no .def: one is generated for the kit's exports.  A library
#       of its own make gives DEF (or keeps NAME.def beside its sources).
#   ketra_program(NAME [CONSOLE] SOURCES ... [LINKS ...])
#       A program with a wWinMain (or wmain with CONSOLE) entry point.
#
# The system is written as for the device: its targets link the device's
# libraries (coredll, aygshell, ...) ahead of Wine's desktop ones, so a
# function both provide (FindFirstFileW, GlobalMemoryStatus, keybd_event,
# ...) takes the device's behaviour.  Pieces of the simulated device itself
# pass DEVICE and link only what they name.
#
# Every binary lands in ${CMAKE_BINARY_DIR}/bin, so tests find the libraries
# they link beside them, and the installation manifests name bin/<file>.

set(CMAKE_CXX_STANDARD 17)
set(CMAKE_CXX_STANDARD_REQUIRED ON)
set(CMAKE_CXX_EXTENSIONS OFF)

set(CMAKE_RUNTIME_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_LIBRARY_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/bin)
set(CMAKE_ARCHIVE_OUTPUT_DIRECTORY ${CMAKE_BINARY_DIR}/lib)
# Keep "Corvane.dll" rather than "libCorvane.dll": programs load libraries
# by the names the device uses.
set(CMAKE_SHARED_LIBRARY_PREFIX "")
set(CMAKE_IMPORT_LIBRARY_PREFIX "lib")

add_compile_definitions(UNICODE _UNICODE WIN32_LEAN_AND_MEAN NOMINMAX
                        _WIN32_WINNT=0x0601 WINVER=0x0601
                        __USE_MINGW_ANSI_STDIO=1)
add_compile_options(-Wall -Wextra)

# No MinGW runtime DLL has to be copied into the device.
add_link_options(-static -static-libgcc -static-libstdc++)

set(KETRA_DEVICE_INCLUDE ${CMAKE_SOURCE_DIR}/device/include)
# The side bar's public contract (ketra_host.h), for every program and library.
set(KETRA_HOST_INCLUDE ${CMAKE_SOURCE_DIR}/platform/include)

# Device libraries every system target links first (filled in as the device
# libraries are built; see device/CMakeLists.txt).
set(KETRA_DEVICE_LIBS "" CACHE INTERNAL "")

function(_ketra_common target device)
  target_include_directories(${target} PRIVATE ${KETRA_DEVICE_INCLUDE})
  if(NOT device)
    target_include_directories(${target} PRIVATE ${KETRA_HOST_INCLUDE})
  endif()
  # Sections aligned to whole pages in the file let the loader map an image
  # straight from it.  With the default 512-byte alignment each image is
  # copied into private memory instead, debug sections included: about
  # 3 MB of the side bar's private memory went to its libraries' copies.
  target_link_options(${target} PRIVATE -Wl,--file-alignment=0x1000)
  if(NOT device)
    target_link_libraries(${target} PRIVATE ${KETRA_DEVICE_LIBS})
  endif()
endfunction()

# Every library gives back its runtime's exception pool when it is unloaded
# (see the file).
set(KETRA_LIBRARY_SOURCES ${CMAKE_CURRENT_LIST_DIR}/runtime_pool_release.cpp)

function(ketra_library name)
  cmake_parse_arguments(A "DEVICE" "DEF" "SOURCES;LINKS;INCLUDES" ${ARGN})
  add_library(${name} SHARED ${A_SOURCES} ${A_DEF} ${KETRA_LIBRARY_SOURCES})
  _ketra_common(${name} "${A_DEVICE}")
  target_link_libraries(${name} PRIVATE ${A_LINKS})
  if(A_INCLUDES)
    target_include_directories(${name} PUBLIC ${A_INCLUDES})
  endif()
endfunction()

function(ketra_applet name)
  cmake_parse_arguments(A "DEVICE;ATTENTION" "DEF" "SOURCES;LINKS" ${ARGN})
  if(NOT A_DEF AND EXISTS ${CMAKE_CURRENT_SOURCE_DIR}/${name}.def)
    set(A_DEF ${CMAKE_CURRENT_SOURCE_DIR}/${name}.def)
  endif()
  if(NOT A_DEF)
    # The applet kit's exports (COR_APPLET, COR_APPLET_ATTENTION), by
    # ordinal only: hosts find them by these numbers.
    set(A_DEF ${CMAKE_CURRENT_BINARY_DIR}/${name}.def)
    set(exports "LIBRARY ${name}\nEXPORTS\n    CorAppletInitializeItem     @240 NONAME\n")
    string(APPEND exports "    CorAppletOptionsDialogProc  @241 NONAME\n")
    if(A_ATTENTION)
      string(APPEND exports "    CorAppletCheckNotify        @243 NONAME\n")
    endif()
    file(GENERATE OUTPUT ${A_DEF} CONTENT "${exports}")
    list(APPEND A_LINKS Corvane)  # the kit lives there
  endif()
  add_library(${name} SHARED ${A_SOURCES} ${A_DEF} ${KETRA_LIBRARY_SOURCES})
  _ketra_common(${name} "${A_DEVICE}")
  target_link_libraries(${name} PRIVATE ${A_LINKS})
endfunction()

function(ketra_program name)
  cmake_parse_arguments(A "CONSOLE;DEVICE" "" "SOURCES;LINKS" ${ARGN})
  add_executable(${name} ${A_SOURCES})
  _ketra_common(${name} "${A_DEVICE}")
  target_link_options(${name} PRIVATE -municode)
  if(NOT A_CONSOLE)
    target_link_options(${name} PRIVATE -mwindows)
  endif()
  target_link_libraries(${name} PRIVATE ${A_LINKS})
endfunction()
