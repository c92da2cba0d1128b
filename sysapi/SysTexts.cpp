// Texts of the system boundary that both of its implementations show.
#include "sysapi/SysApi.h"

namespace sys {

std::string MissingFunctionText(const char* library, const char* function) {
    return std::string("无法在 ") + library + " 中找到系统函数 " + function +
           "，程序无法继续运行。";
}

}  // namespace sys
