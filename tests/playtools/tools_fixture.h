#pragma once
// An Editor on a plain puzzle with the play screens' sound recorder, for the
// editing tools' rules without a window.
#include <memory>
#include <utility>
#include <vector>

#include "playscreens/playscreen_fixture.h"

class ToolsTest : public PlayScreenRulesTest {
 protected:
  std::shared_ptr<Editor> emptyEditor() {
    auto editor = openEditor();
    editor->machine.clear();
    return editor;
  }
  // The sounds played since the last call.
  std::vector<int> takeSounds() { return std::exchange(sounds->played, {}); }
};
