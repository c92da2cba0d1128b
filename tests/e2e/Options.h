// What the run of the end-to-end test was asked for.
#pragma once

#include <string>

namespace e2e {

struct Options {
    unsigned codePage = 0;   // the system's ANSI code page this run must have
    std::string screenshot;  // where to save the window's picture, if anywhere
};
// Filled in by main from the command line before any test runs.
Options& OptionsToFill();
// What the tests read.
extern const Options& options;

}  // namespace e2e
