// The five controls of the main window, as its definition names and places them.
#pragma once

#include <windows.h>

#include <array>
#include <string>

#include "app/TextLabel.h"

// Control ids, under the names the window's definition gives the controls.
enum ControlId : int { 标签1 = 101, 标签2, 按钮1, 按钮2, 标签3 };

enum class ControlKind { kLabel, kPushButton };

struct ControlDefinition {
    ControlId id;
    ControlKind kind;
    RECT place;               // client coordinates of the main window, in pixels, never scaled
    std::string text;         // in the program's own code page
    const LabelStyle* label;  // labels only
};

// In creation order; the push buttons stand in their tab order.
const std::array<ControlDefinition, 5>& Controls();
