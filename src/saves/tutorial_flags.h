#pragma once
// The active profile's first-time-action flags (31) and seen module kinds (14).
#include <array>
#include <map>
#include <string>

extern std::array<bool, 31> tutorialFlags;
extern std::array<bool, 14> seenModules;
extern const std::array<std::string, 31> tutorialActionTexts;
extern const std::map<int, int> buttonTutorialActions;  // button id -> action

void checkTutorialIndex(int action);  // fatal "invalid tutorial action N" outside 0..30
std::string tutorialActionDescription(int action);
void markTutorialSeen(int action);    // sets the flag and rewrites the tutorial file once
void markButtonTutorialSeen(int buttonId);
bool tutorialHintPending(int buttonId);
std::string tutorialFileName();  // "tutorial.mgrlt"
std::string saveTutorialProgress();
// Reads the file into tutorialFlags (cleared by the caller). A file that
// exists with a bad header is moved aside; a bad line is logged and skipped.
// Returns "" or the first error text.
std::string loadTutorialProgress();

bool& isModuleSeen(int kind);         // fatal "invalid seen module N" outside 0..13
void markModuleSeen(int kind);
std::string seenModulesFileName();  // "modules.mgrlm"
std::string saveSeenModules();
std::string loadSeenModules();
