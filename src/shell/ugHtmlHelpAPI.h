#pragma once

// The help of the program: the contents, or the topic of a help context.
inline constexpr int HH_DISPLAY_TOC = 1;
inline constexpr int HH_HELP_CONTEXT = 15;

void ShowHelpContents();
void ShowHelpContext(int context);
