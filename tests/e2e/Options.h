// What the run of the end-to-end test was asked for.
#pragma once

#include <string>

namespace e2e {

struct Options {
    unsigned codePage = 0;   // the system's ANSI code page this run must have
    std::string screenshot;  // where to save the window's picture, if anywhere
};
extern Options options;

}  // namespace e2e
