// The tool driven end to end, as a person would: run under Wine on a virtual display.
//   zarvell_e2e --code-page=N [--screenshot=FILE.bmp] [gtest options]
#include <gtest/gtest.h>

#include <windows.h>

#include <cstdlib>
#include <cstring>
#include <string>

#include "tests/e2e/Options.h"

namespace e2e {

Options& OptionsToFill() {
    static Options filled;
    return filled;
}
const Options& options = OptionsToFill();

}  // namespace e2e

int main(int argc, char** argv) {
    ::testing::InitGoogleTest(&argc, argv);
    for (int i = 1; i < argc; ++i) {
        const std::string argument = argv[i];
        if (argument.rfind("--code-page=", 0) == 0) {
            e2e::OptionsToFill().codePage =
                static_cast<unsigned>(std::strtol(argument.c_str() + 12, nullptr, 10));
        } else if (argument.rfind("--screenshot=", 0) == 0) {
            e2e::OptionsToFill().screenshot = argument.substr(13);
        }
    }
    return RUN_ALL_TESTS();
}
