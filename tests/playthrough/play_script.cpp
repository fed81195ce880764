#include "play_script.h"

#include <filesystem>
#include <fstream>
#include <map>
#include <sstream>

namespace {
const std::map<std::string, int>& arities() {
  // -1: one or more words (the step reads them whole through Step::rest);
  // -3: any number, none included.
  static const std::map<std::string, int> table = {
      {"start", 0},         {"close", 0},        {"wait-exit", 0},   {"timeout", 1},
      {"wait-log", -1},     {"click", 2},        {"right-click", 2}, {"double-click", 2},
      {"move", 2},          {"drag", 4},         {"right-drag", 4},  {"press", 2},
      {"release", 2},       {"wheel", 3},        {"key", -1},        {"key-down", 1},
      {"key-up", 1},        {"type", -1},         {"resize", 2},       {"screenshot", 1},  {"switches", -3},
      {"expect-file", 1},   {"expect-no-file", 1}, {"expect-line", -1}, {"expect-no-line", -1},
      {"expect-files", -1}, {"copy", 2},         {"write", -1},      {"keep", 2},
      {"expect-same", 2},   {"expect-window", 2}, {"remove", 1},
  };
  return table;
}

// Splits a line into words; "double quotes" keep blanks inside one word and
// a "#" outside quotes starts a comment.
std::vector<std::string> words(const std::string& s) {
  std::vector<std::string> out;
  std::string word;
  bool inWord = false, quoted = false;
  for (char c : s) {
    if (quoted) {
      if (c == '"') quoted = false;
      else word += c;
    } else if (c == '"') {
      quoted = inWord = true;
    } else if (c == '#') {
      break;
    } else if (c == ' ' || c == '\t' || c == '\r') {
      if (inWord) out.push_back(word);
      word.clear();
      inWord = false;
    } else {
      word += c;
      inWord = true;
    }
  }
  if (inWord) out.push_back(word);
  return out;
}

bool parseInt(const std::string& s, int& out) {
  try {
    size_t used = 0;
    out = std::stoi(s, &used);
    return used == s.size();
  } catch (...) {
    return false;
  }
}

// "pixel X Y RRGGBB [TOLERANCE]" and "pixel-not ..."; empty on success.
std::string parseProbe(const std::vector<std::string>& w, int line, PixelProbe& p) {
  if (w.size() != 4 && w.size() != 5) return "a pixel takes X Y RRGGBB [TOLERANCE]";
  p.line = line;
  p.negate = w[0] == "pixel-not";
  if (!parseInt(w[1], p.x) || !parseInt(w[2], p.y)) return "pixel coordinates must be whole numbers";
  if (w[3].size() != 6 || w[3].find_first_not_of("0123456789abcdefABCDEF") != std::string::npos)
    return "a colour is six hex digits, RRGGBB";
  p.colour = std::uint32_t(std::stoul(w[3], nullptr, 16));
  if (w.size() == 5 && !parseInt(w[4], p.tolerance)) return "a tolerance is a whole number";
  return "";
}
}  // namespace

int stepArity(const std::string& verb) {
  auto it = arities().find(verb);
  return it == arities().end() ? -2 : it->second;
}

Script parseScript(const std::string& name, const std::string& text) {
  Script script;
  script.name = name;
  std::istringstream in(text);
  std::string raw;
  int lineNo = 0;
  auto fail = [&](const std::string& why) {
    if (script.error.empty()) script.error = "line " + std::to_string(lineNo) + " \"" + raw + "\": " + why;
  };
  while (std::getline(in, raw)) {
    ++lineNo;
    std::vector<std::string> w = words(raw);
    if (w.empty()) continue;
    if (w[0] == "pixel" || w[0] == "pixel-not") {
      if (script.steps.empty() || script.steps.back().verb != "screenshot") {
        fail("a pixel probe follows a screenshot");
        continue;
      }
      PixelProbe probe;
      std::string why = parseProbe(w, lineNo, probe);
      if (!why.empty()) fail(why);
      else script.steps.back().probes.push_back(probe);
      continue;
    }
    int arity = stepArity(w[0]);
    if (arity == -2) {
      fail("unknown step \"" + w[0] + "\"");
      continue;
    }
    Step step;
    step.line = lineNo;
    step.verb = w[0];
    step.args.assign(w.begin() + 1, w.end());
    for (const std::string& a : step.args) step.rest += (step.rest.empty() ? "" : " ") + a;
    step.text = raw.substr(raw.find_first_not_of(" \t"));
    while (!step.text.empty() && (step.text.back() == ' ' || step.text.back() == '\r')) step.text.pop_back();
    if (arity >= 0 && int(step.args.size()) != arity)
      fail("\"" + w[0] + "\" takes " + std::to_string(arity) + " argument" + (arity == 1 ? "" : "s"));
    else if (arity == -1 && step.args.empty())
      fail("\"" + w[0] + "\" needs an argument");
    else
      script.steps.push_back(std::move(step));
  }
  return script;
}

Script loadScript(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  std::stringstream text;
  text << in.rdbuf();
  Script s = parseScript(std::filesystem::path(path).stem().string(), text.str());
  if (!in && s.error.empty() && text.str().empty()) s.error = "cannot read " + path;
  return s;
}
