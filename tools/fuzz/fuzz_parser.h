// A parser under mutation fuzzing. Each parser of files gets one fuzz
// program: a harness deriving from FuzzParser plus the shared driver
// (fuzz_driver.cpp), declared in CMake with
//
//     ketra_fuzz(theme_file LABEL themes
//       SOURCES fuzz_theme_file.cpp
//       LINKS Tessary Corvane
//       SEEDS ${CMAKE_CURRENT_SOURCE_DIR}/data/sample.tsk ...)
//
// and written as
//
//     class CThemeFileFuzz : public FuzzParser {
//     public:
//         std::string Run(const FuzzInput& input) override
//         {
//             ...parse input.bytes...
//             return loaded && !plausible ? "a broken file loaded" : "";
//         }
//     };
//     KETRA_FUZZ_PARSER(CThemeFileFuzz)
//
// `./ketra fuzz theme_file` then runs 100,000 mutated inputs under Wine's
// heap checks; CTest runs a small count of each parser. The driver runs the
// cases in a child process and watches it: a crash, a hang over one second,
// damage to the heap or a failure the harness reports keeps the input under
// build/fuzz/<parser>/ and fails. Every case is made from the seeds and its
// own number alone, so case n is the same input in every run.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "fuzz_mutator.h"

struct FuzzInput {
    std::string bytes;
    int kind = 0;  // the harness's own note of how the input was made (kept in the file name)
};

struct FuzzContext {
    std::wstring scratch;  // an empty folder of this run's own, for parsers that read files
};

class FuzzParser {
public:
    virtual ~FuzzParser() = default;

    // Once per process, before the first case. false (with why) stops the run.
    virtual bool SetUp(const FuzzContext& context, std::string* why);
    // The input of one case, from the seeds (the parser's fixtures) and the
    // case's random numbers only: the driver makes it again to keep it.
    // The default mutates a random seed: cut short, scrambled or with
    // extreme numbers written into its first 512 bytes.
    virtual FuzzInput Make(const std::vector<std::string>& seeds, FuzzRandom& random);
    // Runs the parser over the input. Empty when all is well, otherwise what
    // went wrong (a check of the harness's own: "a cut-off file loaded").
    virtual std::string Run(const FuzzInput& input) = 0;
};

// The one parser of this program (KETRA_FUZZ_PARSER).
FuzzParser* KetraFuzzParser();

#define KETRA_FUZZ_PARSER(Class)                                                                               \
    FuzzParser* KetraFuzzParser()                                                                              \
    {                                                                                                          \
        static Class parser;                                                                                   \
        return &parser;                                                                                        \
    }

// File helpers for harnesses that go through files.
bool FuzzReadFile(const std::wstring& path, std::string* bytes);
bool FuzzWriteFile(const std::wstring& path, const std::string& bytes);
// Removes a folder and everything in it.
void FuzzRemoveTree(const std::wstring& path);
