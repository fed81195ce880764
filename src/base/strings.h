#pragma once
// Small text helpers for English messages and simple line parsing.
#include <optional>
#include <string>
#include <string_view>
#include <vector>

std::string toUpperCase(std::string s);
std::string capitalize(std::string s);
std::string plural(const std::string& word, int n);
std::string countPhrase(const std::string& word, int n);
std::vector<std::string> splitString(const std::string& text, char delimiter);
std::string possessive(const std::string& name);
std::string padNumber(int n, int width, char fill);
std::string zeroPad(int n, int width);
std::string spacePad2(int n);
std::string replaceAll(std::string text, const std::string& from, const std::string& to);
bool startsWithVowel(const std::string& word);
std::string withArticle(const std::string& noun);
void trimLeft(std::string& s);
void trimRight(std::string& s);
// The text without its leading and trailing blanks.
std::string trimmed(std::string s);

// Character classes that never see a negative char (bytes above 127 are
// neither letters nor blanks here).
bool isAsciiSpace(char c);
bool isAsciiDigit(char c);
bool isAsciiAlpha(char c);
char asciiUpper(char c);
char asciiLower(char c);

// A whole decimal 32-bit integer (optional leading '-'); nullopt for anything
// else, overflow included. Never throws.
std::optional<int> parseInt(std::string_view text);
