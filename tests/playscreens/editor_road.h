#pragma once
// A folder with small community puzzles whose machines are a Number, an Adder
// and a Writer: the tests that walk the editor screens share it.
#include <string>

#include "editor/editor.h"
#include "editor_window.h"
#include "model/module_defs.h"
#include "playscreens/enter_puzzle.h"
#include "puzzles/community_puzzles.h"
#include "saves/file_utils.h"
#include "saves/machine_file.h"
#include "app/startup.h"

inline const std::string oneWriter =
    "0451\n0.08\n-CLOCK PERIOD START-\n1\n-CLOCK PERIOD END-\n"
    "-MODULE 0 START-\n4 (Writer)\n320,0\nNAME: Writer 1\n-MODULE 0 END-\n";

// Number 1 into both inputs of an Adder, the sum into a Writer's value and
// the Number into its slot: 2 lands in slot 1 at the first clock edge.
inline const std::string doublingMachine =
    "0451\n0.08\n-CLOCK PERIOD START-\n1\n-CLOCK PERIOD END-\n"
    "-MODULE 0 START-\n1 (Number)\n0,0\nNAME: Number 1\n-CONFIG START-\n3 1\n-CONFIG END-\n-MODULE 0 END-\n"
    "-MODULE 1 START-\n2 (Adder)\n224,0\nNAME: Adder 1\nport #0 <- module #0 port #0\n"
    "port #1 <- module #0 port #0\n-MODULE 1 END-\n"
    "-MODULE 2 START-\n4 (Writer)\n480,0\nNAME: Writer 1\nport #0 <- module #1 port #2\n"
    "port #1 <- module #0 port #0\n-MODULE 2 END-\n";

inline std::string testsExpecting(std::initializer_list<int> values) {
  std::string text = "PUZZTEST\n0.01\n";
  for (int v : values) text += "START\nEXPECTED\n1: " + std::to_string(v) + "\nLIMIT: 3\nEND\n";
  return text;
}

class EditorRoad : public EditorWindowTest {
 protected:
  void prepareFolder() override {
    writeCommunityPuzzle("doubles", "NAME: Doubles\nMODULES: Number, Adder, Writer\nTICKS: Three ticks.\n",
                         testsExpecting({2}), oneWriter);
    writeCommunityPuzzle("twos", "NAME: Twos\nMODULES: Number, Adder, Writer\n", testsExpecting({2}),
                         doublingMachine);
    writeCommunityPuzzle("quads", "NAME: Quads\nMODULES: Number, Adder, Writer\n", testsExpecting({2, 2, 3, 2}),
                         doublingMachine);
    writeCommunityPuzzle("fours", "NAME: Fours\nMODULES: Number, Adder, Writer\n", testsExpecting({2, 2, 2, 2}),
                         doublingMachine);
  }

  puzzle_id puzzleNamed(const std::string& title) const {
    for (size_t i = 0; i < customPuzzles.size(); ++i)
      if (customPuzzles[i].title == title) return firstCommunityPuzzle + puzzle_id(i);
    return 0;
  }

  void enter(puzzle_id puzzle) { start(enterPuzzle(puzzle, ModuleSet(), firstViewport(window, renderer))); }

  std::shared_ptr<Editor> editor() const { return screen()->editor; }
  std::shared_ptr<Module> moduleOfKind(int kind, int nth = 0) const {
    for (const auto& m : editor()->machine)
      if (m->kind() == kind && nth-- == 0) return m;
    return nullptr;
  }
  std::string workingSave() const { return readWholeFile(machineFilePath(editor()->puzzle, saveLocationWorking)); }

  // Press on a port, drag to another, release: one wire.
  void drawWire(const Port* from, const Port* to) {
    const Point a = portCentre(from);
    const Point b = portCentre(to);
    press(a.x, a.y);
    frames();
    ASSERT_EQ(stateName(), "wire");
    dragTo(b.x, b.y);
    release(b.x, b.y);
    frames();
  }
};

