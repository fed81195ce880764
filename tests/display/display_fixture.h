#pragma once
// An Editor in a working folder with a machine of every module kind, wired:
// the display tests' common board.
#include <gtest/gtest.h>

#include <map>
#include <memory>
#include <string>
#include <vector>

#include "editor/display.h"
#include "editor/editor.h"
#include "model/module_geometry.h"
#include "model/module.h"
#include "model/module_defs.h"
#include "model/port.h"
#include "model/value.h"
#include "puzzles/puzzle.h"
#include "saves/profiles.h"
#include "saves/records.h"
#include "saves/tutorial_flags.h"

// Puzzles the boards are built in: every kind but the Multiplier allowed
// (so one module is drawn grey), without and with module delays.
inline constexpr int kPlainBoardPuzzle = 45;
inline constexpr int kDelayBoardPuzzle = 59;

inline void resetProfileTables() {
  activeProfile = 0;
  puzzleRecords.clear();
  tutorialFlags.fill(false);
  seenModules.fill(false);
}

struct BoardMachine {
  std::shared_ptr<Editor> editor;
  std::map<std::string, std::shared_ptr<Module>> byName;

  std::shared_ptr<Module> operator[](const std::string& name) const { return byName.at(name); }
  Port* port(const std::string& name, int index) const {
    return byName.at(name)->ports.at(std::size_t(index)).get();
  }
  // Index of a module's n-th port of a kind.
  int portIndex(const std::string& name, int kind, int n) const {
    const auto& ports = byName.at(name)->ports;
    for (std::size_t i = 0; i < ports.size(); ++i) {
      if (ports[i]->kind == kind && n-- == 0) return int(i);
    }
    throw std::runtime_error("no such port on " + name);
  }
  void wire(const std::string& source, int output, const std::string& destination, int input, int inputKind = 1,
            std::vector<WirePoint> nails = {}) {
    Port* from = port(source, portIndex(source, kResultPort, output));
    Port* to = port(destination, portIndex(destination, inputKind, input));
    if (!to->connect(from, editor->constContext())) throw std::runtime_error("refused wire");
    to->controlPoints = std::move(nails);
  }
};

// Modules stacked in columns 256 pixels apart, each 64 pixels below the
// one above; wired so that every kind of port and a nail appear.
inline BoardMachine buildBoardMachine(int puzzle) {
  BoardMachine board;
  board.editor = std::make_shared<Editor>(puzzle);
  board.editor->machine.clear();
  struct Entry {
    std::string name;
    int kind;
    std::shared_ptr<Value> config;
  };
  const std::vector<std::vector<Entry>> columns = {
      {{"Seven", kNumberKind, makeNumericValue(7)}, {"Two", kNumberKind, makeNumericValue(2)},
       {"Zero", kNumberKind, makeNumericValue(0)}},
      {{"Adder", kAdderKind, nullptr}, {"Subtract", kSubtractKind, nullptr}, {"Multiplier", kMultiplierKind, nullptr}},
      {{"Equals", kEqualsKind, makeNumericValue(2)}, {"Latch", kLatchKind, nullptr},
       {"Register", kRegisterKind, makeNumericValue(2)}},
      {{"Reader", kReaderKind, nullptr}, {"Writer", kWriterKind, nullptr}, {"Decoder", kDecoderKind, nullptr}},
      {{"Input Selector", kInputSelectorKind, makeNumericValue(2)},
       {"Output Selector", kOutputSelectorKind, makeNumericValue(2)},
       {"Op Selector", kOpSelectorKind, defaultConfigFor(kOpSelectorKind, puzzle)}},
  };
  const bool delays = showsDelay(puzzle);
  for (std::size_t c = 0; c < columns.size(); ++c) {
    int y = 32;
    for (const Entry& e : columns[c]) {
      auto module = Module::create(e.kind, 48 + 256 * int(c), y, e.config, e.name);
      board.editor->machine.push_back(module);
      board.byName[e.name] = module;
      y = floorToGrid(y + ModuleGeometry::of(*module, delays).height + 64 + 15);
    }
  }
  board.wire("Seven", 0, "Adder", 0);
  board.wire("Two", 0, "Adder", 1);
  board.wire("Adder", 0, "Subtract", 0);
  board.wire("Two", 0, "Subtract", 1, kInputPort, {{216, 312}});
  board.wire("Seven", 0, "Multiplier", 0);
  board.wire("Zero", 0, "Multiplier", 1);
  board.wire("Adder", 0, "Equals", 0);
  board.wire("Subtract", 0, "Equals", 1);
  board.wire("Subtract", 0, "Latch", 0);
  board.wire("Latch", 0, "Register", 0);
  board.wire("Adder", 0, "Register", 1);
  board.wire("Two", 0, "Reader", 0, kControlPort);
  board.wire("Latch", 0, "Writer", 0);
  board.wire("Two", 0, "Writer", 0, kControlPort);
  board.wire("Reader", 0, "Decoder", 0);
  board.wire("Equals", 0, "Input Selector", 0);
  board.wire("Adder", 0, "Input Selector", 1);
  board.wire("Equals", 0, "Input Selector", 0, kControlPort);
  board.wire("Adder", 0, "Output Selector", 0);
  board.wire("Seven", 0, "Output Selector", 0, kControlPort);
  board.wire("Decoder", 0, "Op Selector", 0, kControlPort);
  return board;
}
