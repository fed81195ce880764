#pragma once
// The table of the 14 module kinds and the drawer categories that group them.
// Both are built before main and only read afterwards.
#include <array>
#include <cstdint>
#include <functional>
#include <map>
#include <memory>
#include <set>
#include <string>
#include <vector>

class Value;
class ModuleLogic;
class ModuleConfig;

enum ModuleKind : int {
  kBuggyKind = 0,
  kNumberKind = 1,
  kAdderKind = 2,
  kLatchKind = 3,
  kWriterKind = 4,
  kReaderKind = 5,
  kDecoderKind = 6,
  kInputSelectorKind = 7,
  kOutputSelectorKind = 8,
  kEqualsKind = 9,
  kSubtractKind = 10,
  kOpSelectorKind = 11,
  kRegisterKind = 12,
  kMultiplierKind = 13,
};
constexpr int kModuleKindCount = 14;
// The puzzle id that means "no puzzle".
constexpr int kNoPuzzle = 87;

struct ModuleDef {
  std::string name;
  std::string shortName;
  std::string description;
  std::string configFormat;
  std::uint32_t colour = 0;
  int inputCount = 0;
  int controlCount = 0;
  int outputCount = 0;
  std::function<std::unique_ptr<ModuleLogic>(const std::shared_ptr<Value>&)> makeLogic;
  std::function<std::shared_ptr<Value>(int puzzle)> defaultConfig;
  std::shared_ptr<ModuleConfig> config;
  std::string configLabel;
  std::string configMeaning;
  std::string configVerb;
  std::function<int(const std::shared_ptr<Value>&)> delayFor;
};

const std::vector<ModuleDef>& moduleDefs();

const ModuleDef& getModuleDef(int kind);
std::string getModuleTypeName(int kind);
std::string getModuleTypeDisplayName(int kind);
std::shared_ptr<Value> defaultConfigFor(int kind, int puzzle);
std::shared_ptr<ModuleConfig> getModuleConfig(int kind);
int moduleDelayForConfig(int kind, const std::shared_ptr<Value>& config);
int moduleTypeFromName(const std::string& text);
std::shared_ptr<Value> clampModuleConfig(int kind, const std::shared_ptr<Value>& value);
std::string kindDescriptionText(int kind, int puzzle);
std::string opSelectorText(const std::set<int>& opcodes);

struct ModuleCategory {
  int id = 0;
  std::uint32_t colour = 0;
  std::vector<int> kinds;
};

extern const std::array<ModuleCategory, 5> moduleCategories;
extern const std::map<int, int> categoryButtons;

// The drawer's slot keys Q W E R T A S D F G, as scancodes, in slot order.
inline constexpr int kDrawerSlotScancodes[] = {20, 26, 8, 21, 23, 4, 22, 7, 9, 10};

std::string getCategoryName(int id);
std::string getCategoryDescription(int id);
int getModuleCategory(int kind);
int moduleHotkey(int kind);
int buttonForCategory(int id);
int categoryForButton(int button);
bool categoryHasNewModule(int id, const std::set<int>& allowed);
// The category's allowed kinds that the profile has not been shown yet.
std::vector<int> listNewModulesInCategory(int id, const std::set<int>& allowed);
