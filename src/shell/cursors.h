#pragma once
// The twelve mouse cursors: their files, loading at start-up, and switching.
#include <SDL.h>

#include <array>
#include <string>

#include "shell/tooltip.h"

constexpr int cursorCount = 13;  // ids 1..12; id 0 names no cursor
extern const std::array<std::string, cursorCount> cursorFiles;

void loadCursors();
void setCursor(int id);
int currentCursorId();
bool cursorsMade();
// Size of the current cursor's image when the cursors were made, else 8x16.
BoxSize currentCursorSize();
// Frees every cursor and image (shut-down).
void releaseCursors();
// How many times setCursor actually switched SDL's cursor (for tests).
int cursorSwitchCount();
