#pragma once
// The story's characters by name (ids 0..6; 7 means no speaker): what
// description files and spoken texts need. The full rows (portrait tooltips)
// belong to the menus' characters.h.
#include <string>

constexpr int noSpeaker = 7;

constexpr int characterCount = 7;

const std::string& characterName(int id);       // fatal for ids outside 0..6
std::string characterTagName(int id);           // "???" for Shadow Jack, else ""
std::string characterShownName(int id);         // "???" for Shadow Jack
std::string speakerTag(int id);                 // " -- " + shown name for 1..5, else ""
int characterIdByName(const std::string& name);  // case-insensitive; 7 when none
