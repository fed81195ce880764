#include "playscreens/editor_bar_texts.h"

#include "editor/editor.h"
#include "puzzles/tick_unit.h"
#include "puzzles/puzzle.h"
#include "base/log.h"
#include "base/strings.h"

std::string clockTooltip(const Editor& editor, bool editable, const std::string& keyName) {
  const std::string unit = tickUnitWordForPuzzle(editor.puzzle);
  std::string text = "The clock period. Every " + countPhrase(unit, editor.clockPeriod) +
                     ", Latches and Registers store their inputs, and Writers write.";
  if (getPuzzle(editor.puzzle).hasFlag(puzzleFlagAutoClock)) return text + "\n \n" + clockPeriodExplanation(editor);
  if (editable) return text + "\n \nClick or press " + keyName + " to edit.";
  return text;
}

std::string clockPeriodExplanation(const Editor& editor) {
  const auto& table = editor.delayPaths;
  if (table.empty()) return "No stateful modules currently have inputs, so there's no need for a clock period > 1 tick.";
  const bool plural = table.size() >= 2 || table.begin()->second.size() >= 2;
  std::string text = std::string("The longest path") + (plural ? "s" : "") + " between modules " + (plural ? "are" : "is");
  size_t entry = 0;
  for (const auto& [target, paths] : table) {
    if (entry > 0) text += entry + 1 == table.size() ? " and" : ",";
    ++entry;
    text += " to " + target->getName() + " from ";
    for (size_t i = 0; i < paths.size(); ++i) {
      if (i > 0) text += i + 1 == paths.size() ? " and " : ", ";
      if (paths[i].empty()) fatalError("Empty module delay path to " + target->getName() + " when building bottom bar description");
      text += paths[i].front() == target ? "itself" : paths[i].front()->getName();
    }
  }
  const std::string unit = tickUnitWordForPuzzle(editor.puzzle);
  const std::string those = plural ? "those paths" : "that path";
  const std::string ending = editor.clockPeriod > editor.longestDelay
                                 ? ", so writes can occur only every " + countPhrase(unit, editor.clockPeriod) + "."
                                 : ", but the maximum clock period is " + std::to_string(editor.clockPeriod) + ".";
  return text + ". It takes " + countPhrase(unit, editor.longestDelay) + " for delays to resolve along " + those +
         ending + "\nThe longest " + (plural ? "paths are" : "path is") + " shown; modules not on " + those +
         " are transparent.";
}
