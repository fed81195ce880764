#pragma once
// A small working folder with the art and fonts start-up opens.
#include <SDL.h>

#include <string>

// Colours the fixture paints its button state images with, so tests can tell
// from the pixels which image a button drew.
inline constexpr SDL_Color baseArtColour{200, 40, 40, 255};
inline constexpr SDL_Color downArtColour{40, 200, 40, 255};
inline constexpr SDL_Color mousedArtColour{40, 40, 200, 255};
inline constexpr int fixtureButtonWidth = 60;
inline constexpr int fixtureButtonHeight = 40;
// The one button id the fixture gives "-Down" and "-Moused" art.
inline constexpr int fixtureDownArtButton = 14;

void writePng(const std::string& path, int w, int h, SDL_Color colour);
// Writes every file start-up opens into the current folder.
void writeFixtureWorkingFolder();
// Removes one file of the fixture (to make start-up fail on it).
void removeFixtureFile(const std::string& path);

