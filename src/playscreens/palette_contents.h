#pragma once
// The palette's words: what a saved group holds ("2 Adders and an Input
// Selector"), which of its kinds a puzzle won't take, and the slots' hover
// texts.
#include <string>
#include <vector>

#include "model/module_set.h"

struct CustomGroup;

// "a", "a and b", "a, b and c".
std::string joinWithAnd(const std::vector<std::string>& parts);
// The group's modules counted per kind, in kind order.
std::string paletteContentsText(const ModuleSet& set);
// Empty when the puzzle takes every kind of the group; else a blank line and
// the kinds it doesn't take.
std::string paletteUnavailableText(const ModuleSet& set, int puzzle);
bool paletteKindAllowed(int kind, int puzzle);

std::string paletteAddSlotTooltip(bool anyModuleSelected);
std::string palettePlaceTooltip(const CustomGroup& group, int puzzle);
std::string paletteRenameTooltip(const CustomGroup& group);
