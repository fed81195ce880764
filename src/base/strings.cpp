#include "base/strings.h"

#include <charconv>
#include <sstream>

bool isAsciiSpace(char c) {
  return c == ' ' || c == '\t' || c == '\n' || c == '\r' || c == '\v' || c == '\f';
}
bool isAsciiDigit(char c) { return c >= '0' && c <= '9'; }
bool isAsciiAlpha(char c) { return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z'); }
char asciiUpper(char c) { return (c >= 'a' && c <= 'z') ? char(c - 'a' + 'A') : c; }
char asciiLower(char c) { return (c >= 'A' && c <= 'Z') ? char(c - 'A' + 'a') : c; }

std::string toUpperCase(std::string s) {
  for (char& c : s) c = asciiUpper(c);
  return s;
}

std::string capitalize(std::string s) {
  if (!s.empty()) s[0] = asciiUpper(s[0]);
  return s;
}

std::string plural(const std::string& word, int n) { return n == 1 ? word : word + "s"; }

std::string countPhrase(const std::string& word, int n) {
  return std::to_string(n) + " " + plural(word, n);
}

std::vector<std::string> splitString(const std::string& text, char delimiter) {
  std::vector<std::string> pieces;
  std::istringstream in(text);
  std::string piece;
  while (std::getline(in, piece, delimiter)) pieces.push_back(piece);
  return pieces;
}

std::string possessive(const std::string& name) { return name + "'s"; }

std::string padNumber(int n, int width, char fill) {
  std::string digits = std::to_string(n);
  if (int(digits.size()) >= width) return digits;
  return std::string(size_t(width) - digits.size(), fill) + digits;
}

std::string zeroPad(int n, int width) { return padNumber(n, width, '0'); }
std::string spacePad2(int n) { return padNumber(n, 2, ' '); }

std::string replaceAll(std::string text, const std::string& from, const std::string& to) {
  if (from.empty() || text.find(from) == std::string::npos) return text;
  if (to.find(from) != std::string::npos) {
    // Rescanning would never end; each occurrence of the text is replaced once.
    std::string out;
    size_t start = 0;
    for (size_t at = text.find(from); at != std::string::npos; at = text.find(from, start)) {
      out.append(text, start, at - start);
      out += to;
      start = at + from.size();
    }
    out.append(text, start, std::string::npos);
    return out;
  }
  // The same result as replacing the first occurrence and searching again
  // from the start until none is left, in one pass: the text is copied
  // character by character, and whenever what is copied so far ends in
  // `from` (which is then its first occurrence, since nothing before it
  // matched), it is replaced and the replacement is copied in turn, so that
  // text it forms with its neighbours is replaced too.
  std::string out;
  out.reserve(text.size());
  std::string pending;  // replacement characters still to copy, last first
  size_t next = 0;
  while (next < text.size() || !pending.empty()) {
    if (!pending.empty()) {
      out.push_back(pending.back());
      pending.pop_back();
    } else {
      out.push_back(text[next++]);
    }
    if (out.size() >= from.size() && out.compare(out.size() - from.size(), from.size(), from) == 0) {
      out.resize(out.size() - from.size());
      pending.append(to.rbegin(), to.rend());
    }
  }
  return out;
}

bool startsWithVowel(const std::string& word) {
  if (word.empty()) return false;
  char c = asciiLower(word[0]);
  return c == 'a' || c == 'e' || c == 'i' || c == 'o' || c == 'u';
}

std::string withArticle(const std::string& noun) {
  return (startsWithVowel(noun) ? "an " : "a ") + noun;
}

void trimLeft(std::string& s) {
  size_t i = 0;
  while (i < s.size() && isAsciiSpace(s[i])) ++i;
  s.erase(0, i);
}

void trimRight(std::string& s) {
  while (!s.empty() && isAsciiSpace(s.back())) s.pop_back();
}

std::string trimmed(std::string s) {
  trimLeft(s);
  trimRight(s);
  return s;
}

std::optional<int> parseInt(std::string_view text) {
  if (text.empty()) return std::nullopt;
  int value = 0;
  const char* first = text.data();
  const char* last = text.data() + text.size();
  auto [ptr, ec] = std::from_chars(first, last, value);
  if (ec != std::errc() || ptr != last) return std::nullopt;
  return value;
}
