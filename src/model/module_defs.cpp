#include "model/module_defs.h"

#include "model/basic_logics.h"
#include "model/clocked_logics.h"
#include "model/module_config.h"
#include "model/opcode_table.h"
#include "model/selector_logics.h"
#include "model/value.h"
#include "puzzles/tick_unit.h"
#include "puzzles/puzzle.h"
#include "puzzles/puzzle_services.h"
#include "saves/tutorial_flags.h"
#include "base/log.h"
#include "base/strings.h"

static_assert(kNoPuzzle == noPuzzle, "the model and the puzzle table must agree on 'no puzzle'");

namespace {

std::function<int(const std::shared_ptr<Value>&)> fixedDelay(int delay) {
  return [delay](const std::shared_ptr<Value>&) { return delay; };
}

std::function<int(const std::shared_ptr<Value>&)> countDelay(int kind) {
  return [kind](const std::shared_ptr<Value>& config) { return clampedCount(kind, config); };
}

std::function<std::shared_ptr<Value>(int)> numberDefault(int n) {
  return [n](int) { return makeNumericValue(n); };
}

template <typename Logic>
std::function<std::unique_ptr<ModuleLogic>(const std::shared_ptr<Value>&)> plainLogic() {
  return [](const std::shared_ptr<Value>&) { return std::make_unique<Logic>(); };
}

template <typename Logic>
std::function<std::unique_ptr<ModuleLogic>(const std::shared_ptr<Value>&)> configuredLogic() {
  return [](const std::shared_ptr<Value>& config) { return std::make_unique<Logic>(config); };
}

std::vector<ModuleDef> buildModuleDefs() {
  std::vector<ModuleDef> defs(kModuleKindCount);
  auto row = [&](int kind, std::string name, std::string shortName, std::uint32_t colour, int in, int ctl,
                 int out, std::string description) -> ModuleDef& {
    ModuleDef& d = defs[kind];
    d.name = std::move(name);
    d.shortName = std::move(shortName);
    d.colour = colour;
    d.inputCount = in;
    d.controlCount = ctl;
    d.outputCount = out;
    d.description = std::move(description);
    return d;
  };
  auto configure = [](ModuleDef& d, std::string format, int min, int max, std::string label,
                      std::string meaning, std::string verb) {
    d.configFormat = std::move(format);
    d.config = std::make_shared<NumericConfig>(min, max);
    d.configLabel = std::move(label);
    d.configMeaning = std::move(meaning);
    d.configVerb = std::move(verb);
  };

  ModuleDef& buggy = row(0, "Buggy", "", 0xFFF5F5F5, 0, 0, 0, "If you see this, something broke!");
  buggy.makeLogic = plainLogic<BuggyModuleLogic>();
  buggy.delayFor = fixedDelay(0);

  ModuleDef& number = row(1, "Number", "Num.", 0xFF1C1C1C, 0, 0, 1, "Outputs a configurable, constant value.");
  number.makeLogic = configuredLogic<ConstModuleLogic>();
  number.defaultConfig = numberDefault(1);
  configure(number, "Outputs '%s'.", -15, 16, "Value", "what", "outputs");
  number.delayFor = fixedDelay(0);

  ModuleDef& adder = row(2, "Adder", "", 0xFF397F72, 2, 0, 1, "Adds two inputs together.");
  adder.makeLogic = plainLogic<AdderModuleLogic>();
  adder.delayFor = fixedDelay(3);

  ModuleDef& latch = row(3, "Latch", "", 0xFF787967, 1, 0, 1,
                         "Stores and outputs a value (initially '0'), which is set to its input %CLOCK_START%.");
  latch.makeLogic = plainLogic<LatchModuleLogic>();
  latch.delayFor = fixedDelay(2);

  ModuleDef& writer =
      row(4, "Writer", "Write", 0x008A6222, 1, 1, 0,
          "Takes a slot number and a value, and writes that value to that slot in memory %CLOCK_START%.");
  writer.makeLogic = plainLogic<WriterModuleLogic>();
  writer.delayFor = fixedDelay(12);

  ModuleDef& reader = row(5, "Reader", "Read", 0x008A6222, 0, 1, 1,
                          "Takes a number, and outputs the value from that numbered slot in memory.");
  reader.makeLogic = plainLogic<ReaderModuleLogic>();
  reader.delayFor = fixedDelay(12);

  ModuleDef& decoder = row(6, "Instruction Decoder", "I-Dec", 0xFFF5F5F5, 1, 0, 4,
                           "Takes an instruction and outputs its component parts.");
  decoder.makeLogic = plainLogic<DecoderModuleLogic>();
  decoder.delayFor = fixedDelay(4);

  ModuleDef& mux = row(7, "Input Selector", "I-Sel", 0x004F6596, -1, 1, 1,
                       "Takes several inputs and outputs the selected one.");
  mux.makeLogic = configuredLogic<MuxModuleLogic>();
  mux.defaultConfig = numberDefault(2);
  configure(mux, "Takes %s input(s) and outputs the selected one.", 1, 8, "Inputs", "the number of inputs",
            "selects between");
  mux.delayFor = countDelay(7);

  ModuleDef& demux = row(8, "Output Selector", "O-Sel", 0xFF447481, 1, 1, -1,
                         "Passes its input only to one of its several outputs.");
  demux.makeLogic = configuredLogic<DemuxModuleLogic>();
  demux.defaultConfig = numberDefault(2);
  configure(demux, "Passes its input only to one of its %s output(s).", 1, 8, "Outputs",
            "the number of outputs", "selects between");
  demux.delayFor = countDelay(8);

  ModuleDef& equals = row(9, "Equals", "Equal", 0x003D8755, -1, 0, 1,
                          "Outputs 1 if its first input is equal to one of the others, and 0 otherwise.");
  equals.makeLogic = configuredLogic<EqModuleLogic>();
  equals.defaultConfig = numberDefault(2);
  configure(equals, "", 2, 8, "Inputs", "the number of inputs", "compares");
  equals.delayFor = fixedDelay(1);

  ModuleDef& subtract = row(10, "Subtract", "Sub.", 0xFF397F72, 2, 0, 1, "Subtracts one input from the other.");
  subtract.makeLogic = plainLogic<SubtractModuleLogic>();
  subtract.delayFor = fixedDelay(3);

  ModuleDef& imux = row(11, "Op Selector", "OpSel", 0x004F6596, -1, 1, 1, "<SPECIAL CASE>");
  imux.makeLogic = configuredLogic<IMuxModuleLogic>();
  imux.defaultConfig = [](int puzzle) -> std::shared_ptr<Value> {
    std::set<int> ops;
    if (puzzle != kNoPuzzle) ops = getPuzzleOpcodes(puzzle);
    return std::make_shared<OpVecValue>(std::vector<int>(ops.begin(), ops.end()));
  };
  imux.delayFor = fixedDelay(1);

  ModuleDef& reg = row(12, "Register", "Reg.", 0xFF787967, -1, 0, -1,
                       "Stores and outputs values (initially '-'), which are set to their inputs %CLOCK_START%.");
  reg.makeLogic = configuredLogic<RegisterModuleLogic>();
  reg.defaultConfig = numberDefault(2);
  configure(reg, "", 1, 8, "Size", "the number of values", "stores");
  reg.delayFor = fixedDelay(2);

  ModuleDef& mult = row(13, "Multiplier", "Mult.", 0xFF397F72, 2, 0, 1, "Multiplies two inputs together.");
  mult.makeLogic = plainLogic<MultiplyModuleLogic>();
  mult.delayFor = fixedDelay(8);

  return defs;
}

}  // namespace

const std::vector<ModuleDef>& moduleDefs() {
  static const std::vector<ModuleDef> defs = buildModuleDefs();
  return defs;
}

const ModuleDef& getModuleDef(int kind) {
  if (static_cast<unsigned>(kind) >= static_cast<unsigned>(kModuleKindCount)) {
    fatalError("unknown module type for def " + std::to_string(kind));
  }
  return moduleDefs()[static_cast<std::size_t>(kind)];
}

std::string getModuleTypeName(int kind) { return getModuleDef(kind).name; }

std::string getModuleTypeDisplayName(int kind) {
  const ModuleDef& d = getModuleDef(kind);
  return d.shortName.empty() ? d.name : d.shortName;
}

std::shared_ptr<Value> defaultConfigFor(int kind, int puzzle) {
  if (static_cast<unsigned>(kind) >= static_cast<unsigned>(kModuleKindCount)) kind = kBuggyKind;
  const ModuleDef& d = getModuleDef(kind);
  return d.defaultConfig ? d.defaultConfig(puzzle) : nullptr;
}

std::shared_ptr<ModuleConfig> getModuleConfig(int kind) { return getModuleDef(kind).config; }

int moduleDelayForConfig(int kind, const std::shared_ptr<Value>& config) {
  return getModuleDef(kind).delayFor(config);
}

int moduleTypeFromName(const std::string& text) {
  // Called once per listed name of a community puzzle's metadata, which may
  // list millions: the kinds' names are upper-cased once.
  static const std::vector<std::string> upperNames = [] {
    std::vector<std::string> names;
    for (const ModuleDef& def : moduleDefs()) names.push_back(toUpperCase(def.name));
    return names;
  }();
  const std::string wanted = toUpperCase(text);
  for (int kind = 1; kind < kModuleKindCount; ++kind) {
    if (upperNames[size_t(kind)] == wanted) return kind;
  }
  return 0;
}

std::shared_ptr<Value> clampModuleConfig(int kind, const std::shared_ptr<Value>& value) {
  auto range = getModuleConfig(kind);
  if (!range) return value;
  int n = value ? value->int_value() : 0;
  int lo = range->minValue()->int_value();
  int hi = range->maxValue()->int_value();
  return makeNumericValue(std::max(lo, std::min(n, hi)));
}

std::string kindDescriptionText(int kind, int puzzle) {
  const ModuleDef& d = getModuleDef(kind);
  bool inPuzzle = puzzle != kNoPuzzle;
  if (kind == kOpSelectorKind) return opSelectorText(inPuzzle ? getPuzzleOpcodes(puzzle) : std::set<int>{});
  int flags = inPuzzle ? getPuzzle(puzzle).flags : 0;
  std::string clockWord = (flags & 4) != 0 ? "clock period" : tickUnitWord((flags & 2) != 0);
  std::string text = replaceAll(d.description, "%CLOCK_START%", "at the start of each " + clockWord);
  std::string note;
  if ((kind == kInputSelectorKind || kind == kOutputSelectorKind) && (flags & 2) != 0) {
    note = " Larger " + d.name + "s have longer delays.";
  }
  return d.name + ": " + text + note;
}

std::string opSelectorText(const std::set<int>& opcodes) {
  int count = static_cast<int>(opcodes.size());
  std::string text = "Takes " + std::to_string(count) + " inputs (for ";
  int i = 0;
  for (int op : opcodes) {
    text += opcodeMnemonic(op);
    if (i + 2 == count) {
      text += " and ";
    } else if (i + 1 < count) {
      text += ", ";
    }
    ++i;
  }
  return getModuleTypeName(kOpSelectorKind) + ": " + text + ") and outputs the selected input.";
}

const std::array<ModuleCategory, 5> moduleCategories = {{
    {0, 0, {}},
    {1, 0xFF397F72, {1, 2, 10, 13, 9}},
    {2, 0xFF787967, {5, 4, 3, 12}},
    {3, 0xFF447481, {7, 8, 6, 11}},
    {4, 0, {}},
}};

const std::map<int, int> categoryButtons = {{1, 34}, {2, 35}, {3, 33}, {4, 36}};

std::string getCategoryName(int id) {
  static const std::vector<std::string> names = {"buggy", "Arithmetic", "State", "Control", "Palette"};
  if (id < 0 || id >= static_cast<int>(names.size())) fatalError("invalid category " + std::to_string(id));
  return names[static_cast<std::size_t>(id)];
}

std::string getCategoryDescription(int id) {
  static const std::vector<std::string> descriptions = {
      "buggy",
      "Components that work with numbers.",
      "Components that deal with storage, in memory or locally.",
      "Components that control the flow of data through a machine.",
      "Groups of components saved to use elsewhere.\n \nTo add a group, drag-select modules in the main "
      "editing pane, then re-open this palette display and click the '+'.\n \nTo rename a group, click on "
      "its name. (E.g. 'Group 1'.)"};
  if (id < 0 || id >= static_cast<int>(descriptions.size())) {
    fatalError("invalid category " + std::to_string(id));
  }
  return descriptions[static_cast<std::size_t>(id)];
}

int getModuleCategory(int kind) {
  for (const auto& category : moduleCategories) {
    for (int k : category.kinds) {
      if (k == kind) return category.id;
    }
  }
  return 5;
}

int moduleHotkey(int kind) {
  for (const auto& category : moduleCategories) {
    for (std::size_t i = 0; i < category.kinds.size(); ++i) {
      if (category.kinds[i] != kind) continue;
      return i < std::size(kDrawerSlotScancodes) ? kDrawerSlotScancodes[i] : 0;
    }
  }
  fatalError("module " + std::to_string(kind) + " not in any category when looking for hotkeys!");
}

int buttonForCategory(int id) {
  auto it = categoryButtons.find(id);
  return it == categoryButtons.end() ? 81 : it->second;
}

int categoryForButton(int button) {
  for (const auto& [category, id] : categoryButtons) {
    if (id == button) return category;
  }
  return 0;
}

std::vector<int> listNewModulesInCategory(int id, const std::set<int>& allowed) {
  if (id < 1 || id > 4) {
    fatalError("invalid category " + std::to_string(id) + " when looking for new modules");
  }
  std::vector<int> kinds;
  for (int kind : moduleCategories[static_cast<std::size_t>(id)].kinds) {
    if (!isModuleSeen(kind) && allowed.count(kind) != 0) kinds.push_back(kind);
  }
  return kinds;
}

bool categoryHasNewModule(int id, const std::set<int>& allowed) {
  return !listNewModulesInCategory(id, allowed).empty();
}
