#pragma once
// The editing tools in a real window: the editor walk's folder and helpers
// with puzzles of our own (selectors and adders to configure, wire and
// save as palette groups; a delay puzzle whose clock can be set), and
// screenshots kept under build/screenshots/tools/.
#include <filesystem>
#include <string>

#include "editor_road.h"

// Number 1 into inputs 0 and 3 of a four-input selector and into an Adder
// below; a second Adder beside it.
inline const std::string toolsMachine =
    "0451\n0.08\n-CLOCK PERIOD START-\n1\n-CLOCK PERIOD END-\n"
    "-MODULE 0 START-\n1 (Number)\n0,0\nNAME: Number 1\n-CONFIG START-\n3 1\n-CONFIG END-\n-MODULE 0 END-\n"
    "-MODULE 1 START-\n7 (Input Selector)\n320,0\nNAME: Input Selector 1\n-CONFIG START-\n3 4\n-CONFIG END-\n"
    "port #0 <- module #0 port #0\nport #3 <- module #0 port #0\n-MODULE 1 END-\n"
    "-MODULE 2 START-\n2 (Adder)\n0,320\nNAME: Adder 1\nport #0 <- module #0 port #0\n-MODULE 2 END-\n"
    "-MODULE 3 START-\n2 (Adder)\n320,320\nNAME: Adder 2\n-MODULE 3 END-\n";

class ToolsWindow : public EditorRoad {
 protected:
  void prepareFolder() override {
    EditorRoad::prepareFolder();
    writeCommunityPuzzle("tools", "NAME: Tools\nMODULES: Number, Adder, Input Selector, Writer\n",
                         testsExpecting({2, 3}), toolsMachine);
    writeCommunityPuzzle("delays", "NAME: Delays\nDELAY\nMODULES: Number, Adder, Writer\n", testsExpecting({2, 2}),
                         doublingMachine);
    writeCommunityPuzzle("locked", "NAME: Locked\nNO_CONFIG\nMODULES: Number, Adder, Input Selector\n",
                         testsExpecting({2, 3}), toolsMachine);
  }

  void enterNamed(const std::string& title) {
    const puzzle_id id = puzzleNamed(title);
    ASSERT_NE(id, 0) << title;
    enter(id);
    ASSERT_EQ(stateName(), "neutral");
  }

  // Saved as build/screenshots/tools/<name>.png.
  void shot(const std::string& name) {
    namespace fs = std::filesystem;
    screenshot("tools-" + name);
    const fs::path shots = fs::path(BRASSWICK_GAME_DIR).parent_path() / "screenshots";
    fs::create_directories(shots / "tools");
    fs::rename(shots / "editor" / ("tools-" + name + ".png"), shots / "tools" / (name + ".png"));
  }

  std::string machineNow() const { return machineFileText(editor()->machine, editor()->clockPeriod); }
};
