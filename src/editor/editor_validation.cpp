#include "editor/editor_validation.h"

#include "editor/editor.h"

ValidationMachineSource workingSaveMachineSource(puzzle_id puzzle) {
  return [puzzle] {
    Editor editor(puzzle);
    editor.loadWorkingSave();
    return ValidationMachine{editor.machine, editor.clockPeriod};
  };
}

Validation validationForEditor(const Editor& editor, Validation::Clock clock) {
  return Validation(editor.puzzle, ValidationMachine{editor.machine, editor.clockPeriod}, editor.currentTest,
                    workingSaveMachineSource(editor.puzzle), std::move(clock));
}
