// Texts are zero-terminated byte strings in which null reads as the empty text.
#pragma once

inline const char* Text(const char* text) { return text ? text : ""; }
