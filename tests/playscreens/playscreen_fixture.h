#pragma once
// Editors on real puzzles for the headless screen rules, with a sound
// recorder so tests can check what a step or an edit played.
#include <memory>
#include <vector>

#include "editor/editor_fixture.h"
#include "model/simulation.h"
#include "recorded_sounds.h"

class PlayScreenRulesTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    musicManager().setBackend(sounds);
  }
  void TearDown() override {
    musicManager().setBackend(nullptr);
    EditorTest::TearDown();
  }

  // A puzzle whose one test asks for 2 in slot 1 within 15 ticks: Number 2
  // feeds a Writer's value, Number 1 its slot, and the machine passes at the
  // end of its first clock period. Unsolved, the slot is left unwired and the
  // run fails at the tick limit.
  std::shared_ptr<Editor> writerEditor(bool solved) {
    auto editor = openEditor(writerPuzzle);
    auto value = add(*editor, kNumberKind, 0, 0, "Number 1", makeNumericValue(2));
    auto slot = add(*editor, kNumberKind, 0, 160, "Number 2", makeNumericValue(1));
    auto writer = add(*editor, kWriterKind, 300, 0, "Writer 1");
    wire(*editor, writer->ports[0].get(), value->ports[0].get());
    if (solved) wire(*editor, writer->ports[1].get(), slot->ports[0].get());
    return editor;
  }

  static constexpr int writerPuzzle = 69;
  static constexpr int writerTickLimit = 15;
  std::shared_ptr<RecordedSounds> sounds = std::make_shared<RecordedSounds>();
};
