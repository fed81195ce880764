#pragma once
// A text with the character who speaks it: puzzle descriptions' speakers and
// victory texts.
#include <string>

struct Description {
  std::string text;
  int speaker = 7;  // character id 0..6; 7 means no speaker

  // The text followed by a line with the speaker's tag; an empty text stays empty.
  std::string fullText() const;
};
