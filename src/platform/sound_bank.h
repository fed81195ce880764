#pragma once
// The game's sound bank files: a master bank of event blocks (kind, loop
// flag, parameters, layers with their rules) and a strings bank naming the
// events. See tools/README.md for the format. Parsing never throws; a bad
// file gives an error text with its line number.
#include <istream>
#include <map>
#include <string>
#include <vector>

namespace platform {

enum class SoundEventKind { Music, Loop, OneShot };

struct LayerRule {
  enum Type { When, Volume, Rate } type = When;
  std::string parameter;
  float low = 0.0f;  // When: the inclusive range; Rate: the rate at 0 and at 1
  float high = 0.0f;
};

struct SoundLayer {
  std::string file;  // relative to the working folder
  std::vector<LayerRule> rules;
};

struct SoundParameter {
  std::string name;
  float minimum = 0.0f;
  float maximum = 0.0f;
};

struct SoundEventDef {
  std::string path;
  SoundEventKind kind = SoundEventKind::OneShot;
  bool loop = false;
  std::vector<SoundParameter> parameters;
  std::vector<SoundLayer> layers;

  const SoundParameter* parameter(const std::string& name) const;
};

// How one layer sounds for the current parameter values.
struct LayerMix {
  bool audible = true;
  float gain = 1.0f;
  float rate = 1.0f;
};
// Parameters an instance never set count as their minimum.
LayerMix mixLayer(const SoundEventDef& event, const SoundLayer& layer,
                  const std::map<std::string, float>& values);

inline const std::string soundBankMagic = "BRASSWICK-SOUNDBANK";
inline const std::string stringsBankMagic = "BRASSWICK-SOUNDBANK-STRINGS";
inline constexpr int soundBankVersion = 1;
// Bank files are small text; anything larger is not one of ours.
inline constexpr std::size_t maxBankFileBytes = 4 * 1024 * 1024;

struct ParsedBank {
  bool isStrings = false;
  std::vector<SoundEventDef> events;     // master bank
  std::vector<std::string> eventPaths;   // strings bank
  std::string error;                     // "" when the file is good
};

ParsedBank parseSoundBank(std::istream& in);

}  // namespace platform
