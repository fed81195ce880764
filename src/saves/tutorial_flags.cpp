#include "saves/tutorial_flags.h"

#include "saves/file_utils.h"
#include "saves/flag_file.h"
#include "base/log.h"

std::array<bool, tutorialFlagCount> tutorialFlags{};

const std::array<std::string, tutorialFlagCount> tutorialActionTexts{
    "made a machine that writes to memory",
    "left the first puzzle",
    "advanced the tick counter",
    "entered the copy-paste tutorial",
    "clicked on the test button",
    "clicked on the memory goal button",
    "clicked on the back button after entering the copy-paste tutorial",
    "clicked on the copy button after entering the copy-paste tutorial",
    "clicked on the paste button after entering the copy-paste tutorial",
    "clicked on the fast-forward button",
    "edited the clock period",
    "added something to the palette outside copy-paste tut",
    "left the copy-paste tutorial (probably not by beating it)",
    "entered the first puzzle",
    "went to the second board",
    "went to the last board",
    "saw the basic ending",
    "saw the final ending",
    "clicked 'play' in the sim",
    "clicked 'fast forward' in the sim",
    "entered the module configuration tutorial",
    "beat faux-reg the 'intended' way",
    "beat faux-reg with a register train",
    "beat faux-reg with a latch train",
    "beat faux-reg with an insane alternator configuration",
    "unlocked the trailer puzzle",
    "viewed the 'history' page",
    "clicked on leaderboard modules",
    "clicked on leaderboard time",
    "clicked on load successful",
    "clicked on pvs story",
};

const std::map<int, int> buttonTutorialActions{
    {2, flagClickedSimPlay},         {4, flagClickedSimFastForward},     {6, flagSteppedSimulation},
    {13, flagClickedMemoryGoal},     {17, flagClickedLoadSuccessful},    {24, flagClickedTest},
    {41, flagEditedClockPeriod},     {45, flagWentToSecondBoard},        {48, flagWentToLastBoard},
    {68, flagViewedHistory},         {78, flagClickedStory},             {79, flagClickedLeaderboardModules},
    {80, flagClickedLeaderboardTime},
};

namespace {
const SaveFormat tutorialFormat{"TUTORIAL", {"BUGGY", "0.01"}};
}

void checkTutorialIndex(int action) {
  if (action < 0 || action > 30) fatalError("invalid tutorial action " + std::to_string(action));
}

std::string tutorialActionDescription(int action) {
  checkTutorialIndex(action);
  return tutorialActionTexts[size_t(action)];
}

void markTutorialSeen(int action) {
  checkTutorialIndex(action);
  if (tutorialFlags[size_t(action)]) return;
  tutorialFlags[size_t(action)] = true;
  saveTutorialProgress();
}

void markButtonTutorialSeen(int buttonId) {
  auto it = buttonTutorialActions.find(buttonId);
  if (it != buttonTutorialActions.end()) markTutorialSeen(it->second);
}

bool tutorialHintPending(int buttonId) {
  if (buttonId == 36 || buttonId == 44) return tutorialFlags[flagLeftCopyPasteTutorial] && !tutorialFlags[flagAddedToPalette];
  if (buttonId == 55) return tutorialFlags[flagSawBasicEnding] && !tutorialFlags[flagViewedHistory];
  auto it = buttonTutorialActions.find(buttonId);
  if (it == buttonTutorialActions.end()) return false;
  checkTutorialIndex(it->second);
  return !tutorialFlags[size_t(it->second)];
}

std::string tutorialFileName() { return "tutorial.mgrlt"; }

std::string saveTutorialProgress() {
  std::string text = tutorialFormat.magic + "\n" + tutorialFormat.currentVersion() + "\n";
  for (int i = 0; i < 31; ++i) {
    if (tutorialFlags[size_t(i)]) text += std::to_string(i) + " (" + tutorialActionTexts[size_t(i)] + ")\n";
  }
  return writeProfileGlobalFile(tutorialFileName(), text);
}

std::string loadTutorialProgress() {
  FlagFileRules rules{tutorialFileName(), tutorialFormat, 30, "Invalid tutorial progress line: ",
                      "invalid progress action: "};
  return loadFlagFile(rules, [](int n) { tutorialFlags[size_t(n)] = true; });
}
