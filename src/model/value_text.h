#pragma once
// Reading values back from text. Two forms:
// - the stored form written by Value::serialize ("3 -42", "9 SETR (1),ADDR (4)"),
//   read by valueFromString; machine files keep configurations in it;
// - the literal form of test files ("42", "?", "-", "'q'", "ADDR 0 1 2"), read by
//   parseValueLiteral.
// Unreadable texts give null. The stored-form readers also write a short
// message to standard output. Nothing here throws or ends the program on bad
// input: numbers that overflow int, opcodes outside 0..18 and characters that
// are not letters all give null. Safe to call from several threads.
#include <memory>
#include <string>

#include "model/value.h"

// The value of a stored form; null when the text is not one.
std::shared_ptr<Value> valueFromString(const std::string& text);

// Readers of one stored kind each; each takes the whole stored text, kind
// prefix included.
std::shared_ptr<Value> parseNumericValue(const std::string& text);
std::shared_ptr<Value> parseOpcodeValue(const std::string& text);
std::shared_ptr<Value> parseNumTupleValue(const std::string& text);
std::shared_ptr<Value> parseOpVecValue(const std::string& text);
// LetterValue::parse (value.h) reads the letter form.

// The value of a literal; null when the text is empty or holds no value.
std::shared_ptr<Value> parseValueLiteral(const std::string& text);

// The text the readers match their patterns against. The standard regex
// matcher recurses once per repeated character, so a line from a file with a
// digit run tens of thousands long would overflow the stack. Every run longer
// than any int can need is shortened to one that reads the same: its value
// without leading zeros when that has at most 10 digits, else eleven 9s (too
// large for an int, as the original was). Other text is unchanged.
std::string boundedDigitRuns(const std::string& text);
