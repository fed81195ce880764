#pragma once
// The active profile's first-time-action flags (31) and seen module kinds (14).
#include <array>
#include <map>
#include <string>

// The flags by number, with the text the tutorial file writes beside each:
// the one table every screen names them from.
enum TutorialFlag : int {
  flagWroteMemory = 0,  // "made a machine that writes to memory"
  flagLeftFirstPuzzle = 1,  // "left the first puzzle"
  flagSteppedSimulation = 2,  // "advanced the tick counter"
  flagEnteredCopyPasteTutorial = 3,  // "entered the copy-paste tutorial"
  flagClickedTest = 4,  // "clicked on the test button"
  flagClickedMemoryGoal = 5,  // "clicked on the memory goal button"
  flagClickedBackInCopyPaste = 6,  // "clicked on the back button after entering the copy-paste tutorial"
  flagClickedCopyInCopyPaste = 7,  // "clicked on the copy button after entering the copy-paste tutorial"
  flagClickedPasteInCopyPaste = 8,  // "clicked on the paste button after entering the copy-paste tutorial"
  flagClickedFastForward = 9,  // "clicked on the fast-forward button"
  flagEditedClockPeriod = 10,  // "edited the clock period"
  flagAddedToPalette = 11,  // "added something to the palette outside copy-paste tut"
  flagLeftCopyPasteTutorial = 12,  // "left the copy-paste tutorial (probably not by beating it)"
  flagEnteredFirstPuzzle = 13,  // "entered the first puzzle"
  flagWentToSecondBoard = 14,  // "went to the second board"
  flagWentToLastBoard = 15,  // "went to the last board"
  flagSawBasicEnding = 16,  // "saw the basic ending"
  flagSawFinalEnding = 17,  // "saw the final ending"
  flagClickedSimPlay = 18,  // "clicked 'play' in the sim"
  flagClickedSimFastForward = 19,  // "clicked 'fast forward' in the sim"
  flagEnteredConfigTutorial = 20,  // "entered the module configuration tutorial"
  flagBeatFauxRegIntended = 21,  // "beat faux-reg the 'intended' way"
  flagBeatFauxRegRegisterTrain = 22,  // "beat faux-reg with a register train"
  flagBeatFauxRegLatchTrain = 23,  // "beat faux-reg with a latch train"
  flagBeatFauxRegAlternators = 24,  // "beat faux-reg with an insane alternator configuration"
  flagUnlockedTrailerPuzzle = 25,  // "unlocked the trailer puzzle"
  flagViewedHistory = 26,  // "viewed the 'history' page"
  flagClickedLeaderboardModules = 27,  // "clicked on leaderboard modules"
  flagClickedLeaderboardTime = 28,  // "clicked on leaderboard time"
  flagClickedLoadSuccessful = 29,  // "clicked on load successful"
  flagClickedStory = 30,  // "clicked on pvs story"
  tutorialFlagCount = 31,
};

extern std::array<bool, tutorialFlagCount> tutorialFlags;
extern std::array<bool, 14> seenModules;
extern const std::array<std::string, tutorialFlagCount> tutorialActionTexts;
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
