#pragma once
// The game as the harnesses run it: a fresh working folder made from the
// built one, the environment it starts with in a private X server, and the
// focus on its window once it is up.
#include <filesystem>
#include <map>
#include <string>
#include <vector>

#include "x_session.h"

// Fills workDir (made if missing) from the built working folder gameDir: the
// binary, art, fonts and music linked, the rest copied, and never what a
// player writes or the game leaves behind. "" or what failed.
std::string makeGameFolder(const std::filesystem::path& gameDir, const std::filesystem::path& workDir);
// The environment the game runs with on that display: SDL's X11 video, the
// dummy sound driver unless SDL_AUDIODRIVER says otherwise, the scripted store.
std::map<std::string, std::string> gameEnvironment(const std::string& display);
// Gives the window the focus (best effort: the window manager does this for
// a new window; a window SDL replaced meanwhile is found again).
void focusGameWindow(XSession& x, WindowInfo& window);

// A whole file as bytes ("" when it can't be read), and text split into its
// lines without their line ends.
std::string readFile(const std::filesystem::path& path);
std::vector<std::string> splitLines(const std::string& text);
