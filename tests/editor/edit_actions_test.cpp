#include <gtest/gtest.h>

#include "editor/display.h"
#include "model/module_geometry.h"
#include "editor_fixture.h"
#include "playscreens/set_port_input_action.h"
#include "playscreens/wire_nail_actions.h"
#include "services/music_manager.h"

#include <algorithm>
#include <random>

namespace {

class EditActions : public EditorTest {
 protected:
  // Apply through the Editor, check the log line and the working save, then
  // undo and redo with the same checks.
  void cycle(Editor& editor, const std::shared_ptr<EditAction>& action) {
    const std::string name = action->name();
    const int performed = logCount("Performed action: " + name);
    const int undone = logCount("Undid action: " + name);
    const int redone = logCount("Redid action: " + name);
    const std::string before = current(editor);
    ASSERT_TRUE(editor.performAction(action));
    const std::string after = current(editor);
    EXPECT_NE(after, before);
    EXPECT_EQ(workingSave(editor), after);
    EXPECT_EQ(logCount("Performed action: " + name), performed + 1);
    editor.undo();
    EXPECT_EQ(current(editor), before);
    EXPECT_EQ(workingSave(editor), before);
    EXPECT_EQ(logCount("Undid action: " + name), undone + 1);
    editor.redo();
    EXPECT_EQ(current(editor), after);
    EXPECT_EQ(workingSave(editor), after);
    EXPECT_EQ(logCount("Redid action: " + name), redone + 1);
  }
};

TEST_F(EditActions, PlaceConnectsPortsThatMeet) {
  auto editor = openEditor();
  editor->machine.clear();
  auto number = add(*editor, kNumberKind, 0, 0, "Number");
  // Put an Adder where its first input's box sits on the Number's output box.
  auto adder = Module::create(kAdderKind, 0, 0, nullptr, "Adder");
  const bool delay = showsDelay(editor->puzzle);
  GeoPoint out = infoboxOrigin(kResultPort, ModuleGeometry::of(*number, delay).portPosition(*number, 0));
  GeoPoint in = infoboxOrigin(kInputPort, ModuleGeometry::of(*adder, delay).portPosition(*adder, 0));
  adder->x = out.x - in.x;
  adder->y = out.y - in.y;
  ASSERT_EQ(adder->x % 16, 0);
  ASSERT_EQ(adder->y % 16, 0);
  ModuleList withAdder = editor->machine;
  withAdder.push_back(adder);
  ConnectionChangeSet changes = Display::placeModules({adder}, withAdder, editor->puzzle);
  ASSERT_EQ(changes.size(), 1u);
  EXPECT_EQ(changes.begin()->destination, adder->ports[0].get());
  auto action = std::make_shared<PlaceModulesAction>(std::set<std::shared_ptr<Module>>{adder}, changes,
                                                     editor->constContext());
  cycle(*editor, action);
  EXPECT_EQ(adder->ports[0]->source, number->ports[0].get());
  editor->undo();
  EXPECT_EQ(editor->machine.size(), 1u);
  EXPECT_EQ(adder->ports[0]->source, nullptr);

  // Once connected, dropping it there again changes nothing; inputs never meet inputs.
  editor->redo();
  EXPECT_TRUE(Display::placeModules({adder}, editor->machine, editor->puzzle).empty());
  EXPECT_THROW(Display::placeModules({Module::create(kAdderKind, 0, 0, nullptr, "Stray")}, editor->machine,
                                     editor->puzzle),
               FatalErrorException);
}

TEST_F(EditActions, DeleteKeepsWiresInsideTheSelectionAndCutsTheRest) {
  auto editor = openEditor();
  editor->machine.clear();
  auto a = add(*editor, kNumberKind, 0, 0, "A");
  auto b = add(*editor, kAdderKind, 160, 0, "B");
  auto c = add(*editor, kAdderKind, 320, 0, "C");
  auto d = add(*editor, kAdderKind, 480, 0, "D");
  auto e = add(*editor, kAdderKind, 640, 0, "E");
  wire(*editor, b->ports[0].get(), a->ports[0].get());
  wire(*editor, c->ports[0].get(), a->ports[0].get());
  wire(*editor, d->ports[1].get(), b->ports[2].get());
  // Delete A (index 0) and D (index 3): every wire has one end staying, so
  // A-B, A-C and B-D are all cut by changes.
  Selection selection;
  selection.modules = {a, d};
  auto action = std::make_shared<DeleteAction>(selection, editor->machine, editor->puzzle, editor->constContext());
  ASSERT_EQ(action->deletedModules.size(), 2u);
  EXPECT_EQ(action->deletedModules[0].index, 0);
  EXPECT_EQ(action->deletedModules[1].index, 3);
  EXPECT_EQ(action->wireRemovals.size(), 3u);
  cycle(*editor, action);
  ASSERT_EQ(editor->machine.size(), 3u);
  editor->undo();
  EXPECT_EQ(editor->machine, (ModuleList{a, b, c, d, e}));
  EXPECT_EQ(c->ports[0]->source, a->ports[0].get());
  EXPECT_EQ(d->ports[1]->source, b->ports[2].get());

  // Both ends deleted: the wire gets no change and comes back with them.
  Selection pair;
  pair.modules = {a, b};
  auto both = std::make_shared<DeleteAction>(pair, editor->machine, editor->puzzle, editor->constContext());
  EXPECT_EQ(both->wireRemovals.size(), 2u);  // A-C and B-D only
  ASSERT_TRUE(editor->performAction(both));
  EXPECT_EQ(b->ports[0]->source, a->ports[0].get());
  editor->undo();

  // A selected wire alone.
  Selection wireOnly;
  wireOnly.wires = {{a->ports[0].get(), c->ports[0].get()}};
  EXPECT_TRUE(wireOnly.anyAllowedIn(editor->puzzle));
  cycle(*editor, std::make_shared<DeleteAction>(wireOnly, editor->machine, editor->puzzle, editor->constContext()));

  // Modules of kinds the puzzle doesn't allow stay, even when selected.
  int banned = -1;
  for (int kind = 1; kind < kModuleKindCount && banned == -1; ++kind) {
    if (!getPuzzle(editor->puzzle).allowedModules.count(kind)) banned = kind;
  }
  if (banned != -1) {
    Selection fixed;
    fixed.modules = {add(*editor, banned, 800, 0, "Fixed")};
    EXPECT_FALSE(fixed.anyAllowedIn(editor->puzzle));
    auto keep = std::make_shared<DeleteAction>(fixed, editor->machine, editor->puzzle, editor->constContext());
    EXPECT_FALSE(editor->performAction(keep));
  }

  auto nothing = std::make_shared<DeleteAction>(Selection{}, editor->machine, editor->puzzle, editor->constContext());
  const size_t undoDepth = editor->undoStack.size();
  EXPECT_FALSE(editor->performAction(nothing));
  EXPECT_EQ(logCount("Could not perform action: Delete"), banned == -1 ? 1 : 2);
  EXPECT_EQ(editor->undoStack.size(), undoDepth);
}

TEST_F(EditActions, MoveCarriesWireBends) {
  auto editor = openEditor();
  editor->machine.clear();
  auto a = add(*editor, kNumberKind, 0, 0, "A");
  auto b = add(*editor, kAdderKind, 160, 0, "B");
  wire(*editor, b->ports[0].get(), a->ports[0].get());
  b->ports[0]->controlPoints = {{110, 8}};
  editor->saveTo(saveLocationWorking);
  cycle(*editor, std::make_shared<MoveModuleAction>(std::set<std::shared_ptr<Module>>{a, b}, 32, -16,
                                                    ConnectionChangeSet{}, editor->constContext()));
  EXPECT_EQ(a->x, 32);
  EXPECT_EQ(b->ports[0]->controlPoints[0], (WirePoint{142, -8}));
}

TEST_F(EditActions, ConfigurationEditsRebuildPortsBothWays) {
  auto editor = openEditor();
  editor->machine.clear();
  auto source = add(*editor, kNumberKind, 0, 0, "N");
  auto selector = add(*editor, kInputSelectorKind, 320, 0, "S", makeNumericValue(4));
  ASSERT_EQ(selector->countPorts(kInputPort), 4);
  wire(*editor, selector->ports[3].get(), source->ports[0].get());
  wire(*editor, selector->ports[0].get(), source->ports[0].get());
  auto action = std::make_shared<ModuleEditAction>(editor->machine, editor->clockPeriod, editor->currentTest,
                                                   selector, makeNumericValue(2), editor->puzzle);
  EXPECT_EQ(selector->countPorts(kInputPort), 4);  // construction leaves the machine as it was
  cycle(*editor, action);
  EXPECT_EQ(selector->countPorts(kInputPort), 2);
  editor->undo();
  EXPECT_EQ(selector->countPorts(kInputPort), 4);
  EXPECT_EQ(selector->ports[3]->source, source->ports[0].get());

  auto same = std::make_shared<ModuleEditAction>(editor->machine, editor->clockPeriod, editor->currentTest, selector,
                                                 makeNumericValue(4), editor->puzzle);
  EXPECT_FALSE(editor->performAction(same));
  EXPECT_EQ(logCount("Could not perform action: Module Edit"), 1);
}

// Every wire of the machine starts at a port its module still has.
bool wiresStartAtLivePorts(const ModuleList& machine) {
  for (const auto& module : machine) {
    for (const auto& port : module->ports) {
      if (!port->source) continue;
      const PortList& theirs = port->source->owner->ports;
      if (std::none_of(theirs.begin(), theirs.end(), [&](const auto& p) { return p.get() == port->source; })) {
        return false;
      }
    }
  }
  return true;
}

TEST_F(EditActions, ShrinkingCutsWiresOfDroppedPortsBothWays) {
  struct Case {
    int kind;
    int portKind;  // the kind of port the shrink drops
  };
  for (const Case& c : {Case{kOutputSelectorKind, kResultPort}, Case{kInputSelectorKind, kInputPort}}) {
    SCOPED_TRACE(c.kind);
    auto editor = openEditor();
    editor->machine.clear();
    auto selector = add(*editor, c.kind, 0, 0, "S", makeNumericValue(4));
    auto other = add(*editor, kAdderKind, 640, 0, "A");
    Port* last = nullptr;
    for (const auto& port : selector->ports) {
      if (port->kind == c.portKind) last = port.get();
    }
    if (c.portKind == kResultPort) {
      wire(*editor, other->ports[0].get(), last);
    } else {
      wire(*editor, last, other->ports[2].get());
    }
    const std::string before = current(*editor);
    cycle(*editor, std::make_shared<ModuleEditAction>(editor->machine, editor->clockPeriod, editor->currentTest,
                                                      selector, makeNumericValue(2), editor->puzzle));
    EXPECT_EQ(selector->countPorts(c.portKind), 2);
    EXPECT_TRUE(wiresStartAtLivePorts(editor->machine));
    if (c.portKind == kResultPort) {
      EXPECT_EQ(other->ports[0]->source, nullptr);
    }
    editor->undo();
    EXPECT_EQ(current(*editor), before);
    EXPECT_TRUE(c.portKind == kResultPort ? other->ports[0]->source == last : last->source == other->ports[2].get());
  }
}

TEST_F(EditActions, NamesAreCutToWhatTheModuleKeeps) {
  const std::string kept = "abcdefghijklmnopqrstu";  // 21 characters
  const std::string accented = "abcdefghijklmnopqrst\xC3\xA9";  // 20 letters and an e-acute: 22 bytes
  struct Case {
    std::string from;
    std::string newName;
    bool changes;
    std::string cut;  // what the module keeps
  };
  const Case cases[] = {
      {"Adder", kept, true, kept},
      {"Adder", kept + "vwxyz", true, kept},
      {kept, kept + "vwxyz", false, kept},  // the same name once cut
      {"Adder", accented, true, accented.substr(0, 20)},  // never half a character
  };
  auto editor = openEditor();
  editor->machine.clear();
  auto m = add(*editor, kAdderKind, 0, 0, "Adder");
  for (const Case& c : cases) {
    SCOPED_TRACE(c.newName);
    m->name = c.from;
    editor->saveTo(saveLocationWorking);
    const std::string& cut = c.cut;
    ASSERT_EQ(editor->performAction(std::make_shared<ModuleNameAction>(m, c.newName)), c.changes);
    EXPECT_EQ(m->name, c.changes ? cut : c.from);
    if (!c.changes) continue;
    editor->undo();  // compares with the kept name, so never fatal
    EXPECT_EQ(m->name, c.from);
    editor->redo();
    EXPECT_EQ(m->name, cut);
  }
}

TEST_F(EditActions, RenameAndClock) {
  auto editor = openEditor();
  editor->machine.clear();
  auto m = add(*editor, kAdderKind, 0, 0, "Adder");
  cycle(*editor, std::make_shared<ModuleNameAction>(m, "Sum"));
  EXPECT_EQ(m->name, "Sum");
  EXPECT_FALSE(editor->performAction(std::make_shared<ModuleNameAction>(m, "Sum")));
  EXPECT_EQ(logCount("Could not perform action: Module Name"), 1);
  auto stale = std::make_shared<ModuleNameAction>(m, "Other");
  m->name = "Changed behind its back";
  EXPECT_THROW(stale->apply(editor->machine, editor->clockPeriod, 1), FatalErrorException);
  m->name = "Sum";

  editor->undo();
  editor->undo();
  ASSERT_FALSE(editor->redoStack.empty());
  EXPECT_FALSE(editor->performAction(std::make_shared<ClockSetAction>(1, 1)));
  EXPECT_EQ(logCount("Could not perform action: Clock Set"), 1);
  EXPECT_FALSE(editor->redoStack.empty());  // a refused action leaves the redo stack alone
  cycle(*editor, std::make_shared<ClockSetAction>(5, 1));
  EXPECT_TRUE(editor->redoStack.empty());
  EXPECT_EQ(editor->clockPeriod, 5);
  EXPECT_THROW(ClockSetAction(7, 3).apply(editor->machine, editor->clockPeriod, 1), FatalErrorException);
}

TEST_F(EditActions, ResetAndLoadSuccessful) {
  auto editor = openEditor();
  const ModuleList initial = editor->machine;
  const std::string initialText = current(*editor);
  add(*editor, kAdderKind, 1600, 1600, "Extra");
  cycle(*editor, std::make_shared<ResetAction>(editor->puzzle, editor->machine, editor->clockPeriod));
  EXPECT_EQ(current(*editor), initialText);

  EXPECT_FALSE(editor->successfulLoaded);
  auto missing = std::make_shared<LoadSuccessfulAction>(editor->puzzle, editor->machine, editor->clockPeriod);
  EXPECT_FALSE(editor->performAction(missing));  // no successful machine: nothing happens, the game goes on
  EXPECT_EQ(logCount("Could not perform action: Load Successful"), 1);

  add(*editor, kAdderKind, 1600, 1600, "Winner");
  editor->recordSuccess(12);
  EXPECT_TRUE(editor->successfulLoaded);
  EXPECT_TRUE(editor->matchesSnapshot(saveLocationSuccessful));
  const std::string winning = current(*editor);
  ASSERT_TRUE(editor->performAction(std::make_shared<ResetAction>(editor->puzzle, editor->machine, editor->clockPeriod)));
  EXPECT_FALSE(editor->matchesSnapshot(saveLocationSuccessful));
  cycle(*editor, std::make_shared<LoadSuccessfulAction>(editor->puzzle, editor->machine, editor->clockPeriod));
  EXPECT_EQ(current(*editor), winning);

  auto stale = std::make_shared<ResetAction>(editor->puzzle, ModuleList{}, 1);
  EXPECT_THROW(stale->apply(editor->machine, editor->clockPeriod, 1), FatalErrorException);
}

// Redo after Reset or Load Successful puts back the very modules the first
// apply read, so the edits recorded after it come back too: in Wiring, move
// the Adder, replace the machine, move the Adder again (or wire it), undo
// twice and redo twice.
TEST_F(EditActions, RedoAfterReplacingTheMachineKeepsTheEditsMadeAfterIt) {
  const int wiring = puzzleIdByName("Wiring");
  ASSERT_NE(wiring, 0);
  const std::string file = machineFileName(wiring);
  writeWholeFile("initial/" + file, readWholeFile(std::string(BRASSWICK_SOURCE_DIR) + "/data/initial/" + file));
  enum class Replace { Reset, LoadSuccessful };
  enum class Then { Move, Wire };
  struct Case {
    Replace replace;
    Then then;
  };
  for (const Case& c : {Case{Replace::Reset, Then::Move}, Case{Replace::Reset, Then::Wire},
                        Case{Replace::LoadSuccessful, Then::Move}, Case{Replace::LoadSuccessful, Then::Wire}}) {
    SCOPED_TRACE(int(c.replace) * 2 + int(c.then));
    std::filesystem::remove(machineFilePath(wiring, saveLocationWorking));
    std::filesystem::remove(machineFilePath(wiring, saveLocationSuccessful));
    auto editor = openEditor(wiring);
    auto module = [&](int kind) {
      for (const auto& m : editor->machine) {
        if (m->kind() == kind) return m;
      }
      ADD_FAILURE() << "no module of kind " << kind;
      return std::shared_ptr<Module>{};
    };
    auto move = [&](int dx, int dy) {
      return std::make_shared<MoveModuleAction>(std::set<std::shared_ptr<Module>>{module(kAdderKind)}, dx, dy,
                                                ConnectionChangeSet{}, editor->constContext());
    };
    if (c.replace == Replace::LoadSuccessful) {
      editor->saveTo(saveLocationSuccessful);
      ASSERT_EQ(editor->loadSnapshot(saveLocationSuccessful), "");
    }
    std::shared_ptr<EditAction> replace;
    if (c.replace == Replace::Reset) {
      replace = std::make_shared<ResetAction>(wiring, editor->machine, editor->clockPeriod);
    } else {
      replace = std::make_shared<LoadSuccessfulAction>(wiring, editor->machine, editor->clockPeriod);
    }
    ASSERT_TRUE(editor->performAction(move(16, 0)));
    const std::string moved = current(*editor);
    ASSERT_TRUE(editor->performAction(replace));
    const std::string replaced = current(*editor);
    std::shared_ptr<EditAction> then;
    if (c.then == Then::Move) {
      then = move(32, 16);
    } else {
      then = std::make_shared<SetPortInputAction>(module(kAdderKind)->ports[0].get(),
                                                  module(kNumberKind)->ports[0].get(), editor->constContext());
    }
    ASSERT_TRUE(editor->performAction(then));
    const std::string after = current(*editor);
    ASSERT_NE(after, replaced);
    const int redone = logCount("Redid action: " + then->name());
    for (int round = 0; round < 2; ++round) {
      editor->undo();
      EXPECT_EQ(workingSave(*editor), replaced);
      editor->undo();
      EXPECT_EQ(workingSave(*editor), moved);
      editor->redo();
      EXPECT_EQ(workingSave(*editor), replaced);
      editor->redo();
      EXPECT_EQ(workingSave(*editor), after);
      EXPECT_EQ(current(*editor), after);
      EXPECT_TRUE(std::find(editor->machine.begin(), editor->machine.end(), module(kAdderKind)) !=
                  editor->machine.end());
    }
    EXPECT_EQ(logCount("Redid action: " + then->name()), redone + 2);
  }
}

struct RecordingSound : SoundBackend {
  std::vector<int> played;
  void playSound(int id, float scale) override {
    EXPECT_EQ(scale, 1.0f);
    played.push_back(id);
  }
};

TEST_F(EditActions, SoundsOfEachDirection) {
  auto sounds = std::make_shared<RecordingSound>();
  musicManager().setBackend(sounds);
  auto editor = openEditor();
  editor->machine.clear();
  auto a = add(*editor, kNumberKind, 0, 0, "A");
  auto b = add(*editor, kAdderKind, 160, 0, "B");
  auto c = add(*editor, kAdderKind, 320, 0, "C");
  wire(*editor, b->ports[0].get(), a->ports[0].get());
  editor->undo();  // removes C: the delete sound
  editor->redo();
  sounds->played.clear();

  Selection modules;
  modules.modules = {c};
  ASSERT_TRUE(editor->performAction(
      std::make_shared<DeleteAction>(modules, editor->machine, editor->puzzle, editor->constContext())));
  editor->undo();
  Selection wires;
  wires.wires = {{a->ports[0].get(), b->ports[0].get()}};
  ASSERT_TRUE(editor->performAction(
      std::make_shared<DeleteAction>(wires, editor->machine, editor->puzzle, editor->constContext())));
  editor->undo();
  ASSERT_TRUE(editor->performAction(std::make_shared<ModuleNameAction>(b, "Quiet")));
  ASSERT_TRUE(editor->performAction(std::make_shared<ClockSetAction>(2, editor->clockPeriod)));
  editor->undo();
  EXPECT_EQ(sounds->played, (std::vector<int>{8, 5, 4, 3}));
  musicManager().setBackend(nullptr);
}

// One edit of a random history, naming modules and ports by their indices
// so the same edit can be made again on a fresh replay of the machine.
struct RecordedEdit {
  enum Kind { Place, Move, Delete, Rename, Configure, ClockSet, Wire, Nail, Reset, LoadSuccessful } kind = Place;
  int value = 0;  // the module kind placed, the configuration or the clock period
  int x = 0;      // where a module is placed, how far one moves, where a nail goes
  int y = 0;
  std::vector<int> modules;  // indices in the machine
  int port = -1;             // the wire's input port (of modules[0])
  int sourceModule = -1;     // -1: the wire is cut
  int sourcePort = -1;
  std::string name;
  std::string successful;  // the successful machine file a Load Successful read
};

std::shared_ptr<EditAction> makeEdit(const RecordedEdit& edit, Editor& editor) {
  ModuleList& machine = editor.machine;
  auto module = [&](int i) { return machine.at(size_t(edit.modules.at(size_t(i)))); };
  switch (edit.kind) {
    case RecordedEdit::Place: {
      auto placed = Module::create(edit.value, edit.x, edit.y, defaultConfigFor(edit.value, editor.puzzle), edit.name);
      ModuleList with = machine;
      with.push_back(placed);
      return std::make_shared<PlaceModulesAction>(std::set<std::shared_ptr<Module>>{placed},
                                                  Display::placeModules({placed}, with, editor.puzzle),
                                                  editor.constContext());
    }
    case RecordedEdit::Move:
      return std::make_shared<MoveModuleAction>(std::set<std::shared_ptr<Module>>{module(0)}, edit.x, edit.y,
                                                ConnectionChangeSet{}, editor.constContext());
    case RecordedEdit::Delete: {
      Selection selection;
      for (size_t i = 0; i < edit.modules.size(); ++i) selection.modules.insert(module(int(i)));
      return std::make_shared<DeleteAction>(selection, machine, editor.puzzle, editor.constContext());
    }
    case RecordedEdit::Rename: return std::make_shared<ModuleNameAction>(module(0), edit.name);
    case RecordedEdit::Configure:
      return std::make_shared<ModuleEditAction>(machine, editor.clockPeriod, editor.currentTest, module(0),
                                                makeNumericValue(edit.value), editor.puzzle);
    case RecordedEdit::ClockSet: return std::make_shared<ClockSetAction>(edit.value, editor.clockPeriod);
    case RecordedEdit::Wire: {
      Port* source = nullptr;
      if (edit.sourceModule != -1) {
        source = machine.at(size_t(edit.sourceModule))->ports.at(size_t(edit.sourcePort)).get();
      }
      return std::make_shared<SetPortInputAction>(module(0)->ports.at(size_t(edit.port)).get(), source,
                                                  editor.constContext());
    }
    case RecordedEdit::Nail:
      return std::make_shared<WireNailAction>(module(0)->ports.at(size_t(edit.port)).get(), edit.value,
                                              WirePoint{edit.x, edit.y});
    case RecordedEdit::Reset: return std::make_shared<ResetAction>(editor.puzzle, machine, editor.clockPeriod);
    case RecordedEdit::LoadSuccessful:
      return std::make_shared<LoadSuccessfulAction>(editor.puzzle, machine, editor.clockPeriod);
  }
  return nullptr;
}

class RandomEdits : public EditActions, public ::testing::WithParamInterface<unsigned> {
 protected:
  // The machine file a fresh Editor holds after making the history's edits
  // one by one from the start machine, each Load Successful reading the
  // successful machine it read the first time.
  std::string replay(const std::vector<RecordedEdit>& history, const std::string& startPath, int startPeriod) {
    const std::string successfulPath = machineFilePath(puzzle, saveLocationSuccessful);
    const bool hadSuccessful = fileExists(successfulPath);
    const std::string successfulNow = hadSuccessful ? readWholeFile(successfulPath) : "";
    Editor fresh(puzzle);
    fresh.clockPeriod = startPeriod;
    EXPECT_EQ(readMachineFile(fresh.machine, fresh.clockPeriod, startPath, fresh.constContext()), "");
    for (const RecordedEdit& edit : history) {
      if (edit.kind == RecordedEdit::LoadSuccessful) writeWholeFile(successfulPath, edit.successful);
      if (!makeEdit(edit, fresh)->apply(fresh.machine, fresh.clockPeriod, fresh.currentTest)) {
        ADD_FAILURE() << "replayed edit " << edit.kind << " changed nothing";
      }
    }
    if (hadSuccessful) {
      if (readWholeFile(successfulPath) != successfulNow) writeWholeFile(successfulPath, successfulNow);
    } else {
      std::filesystem::remove(successfulPath);
    }
    return machineFileText(fresh.machine, fresh.clockPeriod);
  }
};

// Random edits, Resets, Load Successfuls, new successful machines and long
// undo and redo chains: after every step the working save is what a fresh
// replay of the history gives, every wire starts at a live port, and undoing
// everything gives back the start byte for byte.
TEST_P(RandomEdits, MatchAFreshReplayAndUndoToTheStartByteForByte) {
  auto editor = openEditor();
  const std::string start = current(*editor);
  const std::string startPath = dir.path() + "/start.mgrlv";
  writeWholeFile(startPath, start);
  const int startPeriod = editor->clockPeriod;
  editor->saveTo(saveLocationWorking);
  std::mt19937 random(GetParam());
  std::vector<RecordedEdit> done;    // mirrors the undo stack
  std::vector<RecordedEdit> undone;  // mirrors the redo stack
  int performed = 0;
  int replaced = 0;
  int longestChain = 0;
  for (int step = 0; step < 400; ++step) {
    SCOPED_TRACE(step);
    const int choice = int(random() % 14);
    ModuleList& machine = editor->machine;
    auto pick = [&]() { return int(random() % machine.size()); };
    RecordedEdit edit;
    if (choice <= 1) {
      // Mostly one step, now and then a long chain or the whole stack.
      const bool undoing = choice == 0;
      auto& from = undoing ? done : undone;
      const int roll = int(random() % 8);
      int count = roll < 5 ? 1 : roll < 7 ? 5 + int(random() % 30) : int(from.size());
      count = std::min(count, int(from.size()));
      for (int i = 0; i < count; ++i) {
        if (undoing) {
          editor->undo();
          undone.push_back(done.back());
          done.pop_back();
        } else {
          editor->redo();
          done.push_back(undone.back());
          undone.pop_back();
        }
      }
      longestChain = std::max(longestChain, count);
    } else {
      switch (choice) {
        case 2:
        case 3: {
          static const int kinds[] = {kNumberKind, kAdderKind, kInputSelectorKind, kOutputSelectorKind, kLatchKind,
                                      kEqualsKind};
          edit.kind = RecordedEdit::Place;
          edit.value = kinds[random() % 6];
          edit.x = int(random() % 40) * 16 - 320;
          edit.y = int(random() % 40) * 16 - 320;
          edit.name = "M" + std::to_string(step);
          break;
        }
        case 4:
          if (machine.empty()) continue;
          edit.kind = RecordedEdit::Move;
          edit.modules = {pick()};
          edit.x = 16 * int(random() % 5);
          edit.y = -16;
          break;
        case 5:
          if (machine.size() < 2) continue;
          edit.kind = RecordedEdit::Delete;
          edit.modules = {pick(), pick()};
          break;
        case 6: {
          if (machine.empty()) continue;
          edit.modules = {pick()};
          const int kind = machine[size_t(edit.modules[0])]->kind();
          if (kind != kInputSelectorKind && kind != kOutputSelectorKind) {
            edit.kind = RecordedEdit::Rename;
            edit.name = "R" + std::to_string(step);
          } else {
            edit.kind = RecordedEdit::Configure;
            edit.value = 1 + int(random() % 8);
          }
          break;
        }
        case 7:
          edit.kind = RecordedEdit::ClockSet;
          edit.value = 1 + int(random() % 4);
          break;
        case 8:
        case 9: {
          // A wire from any result port to any input or control port, or
          // the input's wire cut when it already comes from there.
          if (machine.empty()) continue;
          edit.kind = RecordedEdit::Wire;
          edit.modules = {pick()};
          const Module& to = *machine[size_t(edit.modules[0])];
          edit.port = int(random() % to.ports.size());
          const Port& input = *to.ports[size_t(edit.port)];
          if (input.kind == kResultPort) continue;
          edit.sourceModule = pick();
          const Module& from = *machine[size_t(edit.sourceModule)];
          edit.sourcePort = int(random() % from.ports.size());
          const Port* source = from.ports[size_t(edit.sourcePort)].get();
          if (source->kind != kResultPort) continue;
          if (input.source == source) edit.sourceModule = edit.sourcePort = -1;
          break;
        }
        case 10: {
          // A bend on a wire, when the chosen input has one.
          if (machine.empty()) continue;
          edit.kind = RecordedEdit::Nail;
          edit.modules = {pick()};
          const Module& on = *machine[size_t(edit.modules[0])];
          edit.port = int(random() % on.ports.size());
          const Port& input = *on.ports[size_t(edit.port)];
          if (!input.source) continue;
          edit.value = int(random() % (input.controlPoints.size() + 1));
          edit.x = int(random() % 40) * 16 + 8;
          edit.y = int(random() % 40) * 16 + 8;
          break;
        }
        case 11: edit.kind = RecordedEdit::Reset; break;
        case 12: {
          edit.kind = RecordedEdit::LoadSuccessful;
          const std::string path = machineFilePath(puzzle, saveLocationSuccessful);
          if (fileExists(path)) edit.successful = readWholeFile(path);
          break;
        }
        default:
          // A new successful machine, which no Load Successful already made reads.
          editor->recordSuccess(10);
          break;
      }
      if (choice < 13) {
        if (editor->performAction(makeEdit(edit, *editor))) {
          ++performed;
          if (edit.kind == RecordedEdit::Reset || edit.kind == RecordedEdit::LoadSuccessful) ++replaced;
          done.push_back(edit);
          undone.clear();
        }
      }
    }
    ASSERT_EQ(editor->undoStack.size(), done.size());
    ASSERT_EQ(editor->redoStack.size(), undone.size());
    ASSERT_EQ(workingSave(*editor), current(*editor));
    ASSERT_TRUE(wiresStartAtLivePorts(editor->machine));
    ASSERT_EQ(workingSave(*editor), replay(done, startPath, startPeriod));
  }
  EXPECT_GT(performed, 100);
  EXPECT_GT(replaced, 10);
  EXPECT_GT(longestChain, 10);
  while (!editor->undoStack.empty()) editor->undo();
  EXPECT_EQ(current(*editor), start);
  EXPECT_EQ(workingSave(*editor), start);
}

INSTANTIATE_TEST_SUITE_P(Seeds, RandomEdits, ::testing::Values(1u, 7u, 12345u, 2024u, 99991u));

}  // namespace
