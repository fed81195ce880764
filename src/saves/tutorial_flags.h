#pragma once
// The active profile's first-time-action flags (31) and seen module kinds (14).
#include <array>
#include <string>

extern std::array<bool, 31> tutorialFlags;
extern std::array<bool, 14> seenModules;

void checkTutorialIndex(int action);  // fatal "invalid tutorial action N" outside 0..30
std::string tutorialActionDescription(int action);
void markTutorialSeen(int action);    // sets the flag and rewrites the tutorial file once
void markButtonTutorialSeen(int buttonId);
bool tutorialHintPending(int buttonId);
std::string saveTutorialProgress();
std::string loadTutorialProgress();

bool& isModuleSeen(int kind);         // fatal "invalid seen module N" outside 0..13
void markModuleSeen(int kind);
std::string saveSeenModules();
std::string loadSeenModules();
