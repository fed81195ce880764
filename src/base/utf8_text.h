#pragma once
// Cutting stored names without splitting a UTF-8 character.
#include <string>

// The longest prefix of at most maxBytes bytes that ends on a character boundary.
std::string cutUtf8(const std::string& text, size_t maxBytes);
