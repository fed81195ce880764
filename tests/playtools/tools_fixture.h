#pragma once
// An Editor on a plain puzzle (from the editor tests' fixture) with a sound
// recorder, for the editing tools' rules without a window.
#include <memory>
#include <vector>

#include "editor/editor_fixture.h"
#include "services/music_manager.h"

struct ToolSounds : SoundBackend {
  std::vector<int> played;
  void playSound(int id, float) override { played.push_back(id); }
  std::vector<int> take() { return std::exchange(played, {}); }
};

class ToolsTest : public EditorTest {
 protected:
  void SetUp() override {
    EditorTest::SetUp();
    musicManager().setBackend(sounds);
  }
  void TearDown() override {
    musicManager().setBackend(nullptr);
    EditorTest::TearDown();
  }
  std::shared_ptr<Editor> emptyEditor() {
    auto editor = openEditor();
    editor->machine.clear();
    return editor;
  }

  std::shared_ptr<ToolSounds> sounds = std::make_shared<ToolSounds>();
};
