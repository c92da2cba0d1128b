#include "app/Controls.h"

#include "app/ForumPage.h"
#include "app/Painting.h"

namespace {

// Made at compile time: the fonts are constant data, never built when the program starts.
constexpr LOGFONTA FontOfHeightAndWeight(LONG height, LONG weight) {
    LOGFONTA font = {};  // every other member zero, no face name: the system chooses
    font.lfHeight = height;
    font.lfWeight = weight;
    return font;
}

constexpr LOGFONTA kIntroductionFont = FontOfHeightAndWeight(-16, FW_NORMAL);
constexpr LOGFONTA kWarningFont = FontOfHeightAndWeight(-14, FW_BOLD);

constexpr COLORREF kBlack = 0x00000000;
constexpr COLORREF kRed = 0x000000FF;

const LabelStyle kIntroductionStyle = {&kIntroductionFont,     kBlack,
                                       kSystemFaceColor,       HorizontalAlign::kLeft,
                                       VerticalAlign::kCentre, true};
const LabelStyle kWarningStyle = {
    &kWarningFont, kRed, kSystemFaceColor, HorizontalAlign::kCentre, VerticalAlign::kCentre, true};
const LabelStyle kCreditStyle = {
    nullptr, kBlack, kSystemFaceColor, HorizontalAlign::kCentre, VerticalAlign::kCentre, false};

constexpr RECT Place(LONG left, LONG top, LONG width, LONG height) {
    return RECT{left, top, left + width, top + height};
}

}  // namespace

const std::array<ControlDefinition, 5>& Controls() {
    static const std::array<ControlDefinition, 5> controls = {{
        {标签1, ControlKind::kLabel, Place(72, 24, 320, 56),
         "本工具可以一键开启/关闭Google Chrome默认拒绝flash的功能，"
         "将有flash动画的网站在Google Chrome默认允许运行。\r\n\r\n",
         &kIntroductionStyle},
        {标签2, ControlKind::kLabel, Place(0, 88, 480, 40),
         "注意：因为flash存在安全漏洞，某些网站可能通过\r\nflash传播病毒，开启前请三思。",
         &kWarningStyle},
        {按钮1, ControlKind::kPushButton, Place(88, 136, 104, 40), "一键开启", nullptr},
        {按钮2, ControlKind::kPushButton, Place(264, 136, 104, 40), "一键关闭", nullptr},
        {标签3, ControlKind::kLabel, Place(8, 200, 464, 16),
         std::string("软件由Ombrisk制作，欢迎访问Quenlo论坛") + kForumAddress + "，单击访问",
         &kCreditStyle},
    }};
    return controls;
}
