#pragma once
// The story texts authored in data/story/, compiled in so the core needs no
// working folder to know what its characters and cutscenes say.
#include <string>

const std::string& embeddedCharactersText();  // data/story/characters.txt
const std::string& embeddedCutscenesText();   // data/story/cutscenes.txt
