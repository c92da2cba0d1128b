// The Quenlo forum's page, opened from the bottom label.
#pragma once

// A bare host name: the shell takes it for a web address.
inline constexpr char kForumAddress[] = "www.quenlo.com";

// Modifier keys held at a press, as OpenForumPage is told them.
enum PressKeys : unsigned { kPressCtrl = 1, kPressShift = 2, kPressAlt = 4 };

// Opens the forum's page in the user's web browser; reports nothing. The press's position
// and keys are handed over but change nothing.
void OpenForumPage(unsigned x, unsigned y, unsigned keys);
