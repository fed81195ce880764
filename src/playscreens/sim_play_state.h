#pragma once
// The screen on which the player watches the machine run one test: step,
// step back, run, fast, run to the end of the clock period, jump through
// the tick slider; the step sounds and the latch loop; and, after a
// success, the victory screen once the success delay has passed.
#include <memory>

#include "base/ticks.h"
#include "playscreens/play_screen.h"
#include "playscreens/sim_run.h"
#include "playscreens/test_bottom_bar.h"

// The user event code that asks the simulation screen for the victory screen.
constexpr int victoryEventCode = 3;

class SimPlayState : public GameState, private SimRunAnimator {
 public:
  // From the editing screens: a new run of testIndex, opened paused.
  SimPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, int testIndex, int resultTicks,
               bool fromValidation);
  // Back from the victory screen to the run that won.
  SimPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, std::shared_ptr<Simulation> simulation,
               int resultTicks);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  int cursor() override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "sim"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return playScreen.display.scrollBounds(viewport()); }
  void enter() override;
  void exit() override;

  TestBottomBar& bar() const { return static_cast<TestBottomBar&>(*playScreen.bar); }
  StateChange pressButton(int id);
  void updateSounds(int dtMs);

  std::shared_ptr<Simulation> simulation;
  bool fromValidation;
  bool keepsView = false;  // a rebuild of this screen: enter leaves the memory view alone
  PlayScreen playScreen;
  SimRun run;

 private:
  SimPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, std::shared_ptr<Simulation> simulation,
               int resultTicks, bool fromValidation);
  void animateStep(int ms) override;
  void stopAnimations() override;
  void startRewind() override;
  void rebuildLines() override;
  void relayoutSidebar() override;

  // The moment the step sounds were last looked at, -1 before the first look
  // since the screen was entered.
  Tick soundsCheckedTo_ = -1;
};
