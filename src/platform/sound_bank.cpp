#include "platform/sound_bank.h"

#include <algorithm>
#include <charconv>
#include <set>
#include <sstream>

namespace platform {

namespace {

std::string trim(const std::string& s) {
  size_t b = s.find_first_not_of(" \t\r");
  if (b == std::string::npos) return "";
  size_t e = s.find_last_not_of(" \t\r");
  return s.substr(b, e - b + 1);
}

std::vector<std::string> words(const std::string& s) {
  std::vector<std::string> out;
  std::istringstream in(s);
  std::string w;
  while (in >> w) out.push_back(w);
  return out;
}

bool parseFloat(const std::string& text, float& out) {
  const char* end = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(text.data(), end, out);
  return ec == std::errc() && ptr == end;
}

// "when NAME LO HI", "volume NAME" or "rate NAME LO HI"; "" or the error.
std::string parseRule(const std::string& text, const SoundEventDef& event, LayerRule& rule) {
  std::vector<std::string> w = words(text);
  if (w.empty()) return "empty layer rule";
  if (w[0] == "when") rule.type = LayerRule::When;
  else if (w[0] == "volume") rule.type = LayerRule::Volume;
  else if (w[0] == "rate") rule.type = LayerRule::Rate;
  else return "unknown layer rule '" + w[0] + "'";
  size_t want = rule.type == LayerRule::Volume ? 2 : 4;
  if (w.size() != want) return "layer rule '" + text + "' needs " + std::to_string(want - 1) + " values";
  rule.parameter = w[1];
  if (!event.parameter(rule.parameter)) return "layer rule names undeclared parameter '" + w[1] + "'";
  if (want == 4 && (!parseFloat(w[2], rule.low) || !parseFloat(w[3], rule.high)))
    return "layer rule '" + text + "' has a bad number";
  if (rule.type == LayerRule::When && rule.low > rule.high) return "empty range in '" + text + "'";
  return "";
}

// One directive inside an event block; "" or the error.
std::string parseEventLine(const std::string& key, const std::string& rest, SoundEventDef& event) {
  if (key == "kind") {
    if (rest == "music") event.kind = SoundEventKind::Music;
    else if (rest == "loop") event.kind = SoundEventKind::Loop;
    else if (rest == "one-shot") event.kind = SoundEventKind::OneShot;
    else return "unknown kind '" + rest + "'";
    return "";
  }
  if (key == "loop") {
    if (rest != "yes" && rest != "no") return "loop must be yes or no";
    event.loop = rest == "yes";
    return "";
  }
  if (key == "param") {
    std::vector<std::string> w = words(rest);
    SoundParameter p;
    if (w.size() != 3 || !parseFloat(w[1], p.minimum) || !parseFloat(w[2], p.maximum) ||
        p.minimum > p.maximum)
      return "param needs a name and a range";
    if (event.parameter(w[0])) return "parameter '" + w[0] + "' declared twice";
    p.name = w[0];
    event.parameters.push_back(p);
    return "";
  }
  if (key == "layer") {
    SoundLayer layer;
    size_t bar = rest.find('|');
    layer.file = trim(rest.substr(0, bar));
    if (layer.file.empty()) return "layer without a sound file";
    if (bar != std::string::npos) {
      std::stringstream rules(rest.substr(bar + 1));
      std::string one;
      while (std::getline(rules, one, ';')) {
        LayerRule rule;
        std::string error = parseRule(trim(one), event, rule);
        if (!error.empty()) return error;
        layer.rules.push_back(rule);
      }
    }
    event.layers.push_back(layer);
    return "";
  }
  return "unknown line '" + key + "'";
}

}  // namespace

const SoundParameter* SoundEventDef::parameter(const std::string& name) const {
  for (const SoundParameter& p : parameters)
    if (p.name == name) return &p;
  return nullptr;
}

LayerMix mixLayer(const SoundEventDef& event, const SoundLayer& layer,
                  const std::map<std::string, float>& values) {
  LayerMix mix;
  for (const LayerRule& rule : layer.rules) {
    float v = 0.0f;
    if (auto it = values.find(rule.parameter); it != values.end()) v = it->second;
    else if (const SoundParameter* p = event.parameter(rule.parameter)) v = p->minimum;
    switch (rule.type) {
      case LayerRule::When:
        if (v < rule.low || v > rule.high) mix.audible = false;
        break;
      case LayerRule::Volume:
        mix.gain *= std::clamp(v, 0.0f, 1.0f);
        break;
      case LayerRule::Rate: {
        float t = std::clamp(v, 0.0f, 1.0f);
        mix.rate = rule.low + (rule.high - rule.low) * t;
        break;
      }
    }
  }
  return mix;
}

ParsedBank parseSoundBank(std::istream& in) {
  ParsedBank bank;
  std::string line;
  int number = 0;
  auto fail = [&](const std::string& why) {
    bank.error = "line " + std::to_string(number) + ": " + why;
    bank.events.clear();
    bank.eventPaths.clear();
    return bank;
  };
  std::size_t bytes = 0;
  bool header = false;
  bool inEvent = false;
  std::set<std::string> seen;
  while (std::getline(in, line)) {
    ++number;
    bytes += line.size() + 1;
    if (bytes > maxBankFileBytes) return fail("bank file too large");
    line = trim(line);
    if (!header) {
      std::vector<std::string> w = words(line);
      if (w.size() != 2 || (w[0] != soundBankMagic && w[0] != stringsBankMagic))
        return fail("not a sound bank");
      if (w[1] != std::to_string(soundBankVersion)) return fail("unknown sound bank version " + w[1]);
      bank.isStrings = w[0] == stringsBankMagic;
      header = true;
      continue;
    }
    if (line.empty() || line[0] == '#') continue;
    if (bank.isStrings) {
      if (!seen.insert(line).second) return fail("event '" + line + "' named twice");
      bank.eventPaths.push_back(line);
      continue;
    }
    size_t space = line.find_first_of(" \t");
    std::string key = line.substr(0, space);
    std::string rest = space == std::string::npos ? "" : trim(line.substr(space + 1));
    if (!inEvent) {
      if (key != "event" || rest.empty()) return fail("expected 'event PATH'");
      if (!seen.insert(rest).second) return fail("event '" + rest + "' defined twice");
      bank.events.emplace_back();
      bank.events.back().path = rest;
      inEvent = true;
      continue;
    }
    if (key == "end") {
      inEvent = false;
      continue;
    }
    std::string error = parseEventLine(key, rest, bank.events.back());
    if (!error.empty()) return fail(error);
  }
  if (!header) return fail("empty file");
  if (inEvent) return fail("event '" + bank.events.back().path + "' has no 'end'");
  return bank;
}

}  // namespace platform
