#include "playscreens/sim_play_state.h"

#include <algorithm>
#include <cstdio>

#include "editor/editor.h"
#include "menus/menu_entry.h"
#include "menus/puzzle_victory_state.h"
#include "model/simulation.h"
#include "playscreens/bar_rules.h"
#include "playscreens/neutral_play_state.h"
#include "puzzles/puzzle_services.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "services/steam_handler.h"
#include "shell/input.h"

namespace {
constexpr int testModeChannel = 1;
constexpr int loopChannel = 2;

int editingViewKind(int puzzle) {
  if (getPuzzle(puzzle).testCount > 1) return viewInitialOfTest;
  return puzzleHasTickLimit(puzzle) ? viewInitial : viewGoal;
}

MemorySidebar sidebarFor(const std::shared_ptr<Editor>& editor, const std::shared_ptr<Simulation>& simulation,
                         bool fromValidation) {
  MemorySidebar sidebar(editor, simulation);
  sidebar.fromValidation = fromValidation;
  return sidebar;
}
}  // namespace

SimPlayState::SimPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, std::shared_ptr<Simulation> sim,
                           int resultTicks, bool validation)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      simulation(sim),
      fromValidation(validation),
      playScreen(this->viewport(), sidebarFor(editor, sim, validation), editor, {}, {}, sim),
      run(editor, sim, resultTicks, [] { return ticksNow(); }) {
  run.animator = this;
  run.paused = &bar().paused;
  bar().paused = true;
  playScreen.display.area = playScreen.machineView(this->viewport());
  editor->dropCachedWireTextures();
}

SimPlayState::SimPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, int testIndex, int resultTicks,
                           bool validation)
    : SimPlayState(viewport, editor, makePuzzleSimulation(editor->puzzle, testIndex, editor->machine, editor->clockPeriod),
                   resultTicks, validation) {
  run.fast = getPuzzle(editor->puzzle).hasFlag(puzzleFlagAutoClock);
  run.stepAccumulatorMs = run.fast ? 0 : 500;
}

SimPlayState::SimPlayState(const Viewport& viewport, std::shared_ptr<Editor> editor, std::shared_ptr<Simulation> sim,
                           int resultTicks)
    : SimPlayState(viewport, std::move(editor), std::move(sim), resultTicks, false) {
  run.stepAccumulatorMs = 500;
}

void SimPlayState::enter() {
  soundsCheckedTo_ = -1;
  auto& editor = *playScreen.editor;
  editor.selectTest(simulation->testIndex());
  // Built anew for a chosen memory view or a new window size, the screen
  // keeps the view the player is looking at.
  if (!keepsView) {
    editor.memoryScroll = 0;
    editor.memoryViewKind = viewNow;
    playScreen.sidebar.viewKind = viewNow;
    playScreen.sidebar.scroll = 0;
  }
  playScreen.sidebar.relayout();
  musicManager().channelOn[testModeChannel] = true;
}

void SimPlayState::exit() {
  MusicManager& music = musicManager();
  music.channelOn[testModeChannel] = false;
  music.requestedLoopKind = LatchLoop;
  music.requestedLoopValue = 0;
  music.channelOn[loopChannel] = true;
}

StateChange SimPlayState::handleEvent(const SDL_Event& event) {
  auto editor = playScreen.editor;
  if (event.type == SDL_USEREVENT && event.user.code == victoryEventCode) {
    steamHandler().fetchLeaderboards(editor->puzzle);
    return {new PuzzleVictoryState(viewport(), editor, editor->machineStats(run.resultTicks), ticksNow(), simulation,
                                   simulation->testIndex()),
            Switch};
  }
  const bool typingTick = bar().tickSlider.editing;
  const int seek = bar().tickSlider.handleEvent(event);
  if (seek != -1) {
    run.pause();
    run.seekTo(seek);
    run.pause();
    return {};
  }
  // A tick being typed keeps its keys from the bar (Space, R, the arrows),
  // and the Return or Escape that closed it (Escape is also the bar's way
  // back to editing).
  const InputRecord in = inputRecordOf(event);
  if (typingTick && (textFieldKeepsKey(in) || in.isKey(scancodeReturn) || in.isKey(scancodeKeypadEnter) ||
                     in.isKey(scancodeEscape)))
    return {};
  const int viewKind = editor->memoryViewKind;
  editor->memoryViewKind = editingViewKind(editor->puzzle);
  StateChange out;
  const int id = bar().buttons.clickedId(event);
  if (id == noButton)
    playScreen.handleEventAndCheckSolved(out, event, viewport());
  else
    out = pressButton(id);
  if (!out.next && out.kind == Switch) {
    editor->memoryViewKind = viewKind;
    return {};
  }
  if ((out.next && out.kind == Switch) || out.kind == FadeSwitch) simulation->reset();
  return out;
}

StateChange SimPlayState::pressButton(int id) {
  auto editor = playScreen.editor;
  if (run.pressRunButton(id)) return {};
  const BarStep step = testBarAction(id, bar().barInputs());
  switch (step.action) {
    case BarAction::openMemory:
      editor->memoryPanelOpen = true;
      return {};
    case BarAction::closeMemory:
      editor->memoryPanelOpen = false;
      return {};
    case BarAction::home:
      if (step.marksCopyPasteLeft) markTutorialSeen(flagLeftCopyPasteTutorial);
      return {makePuzzleSelectState(viewport(), editor->clipboard, -1), FadeSwitch};
    case BarAction::backToEditing:
      simulation->reset();
      return {new NeutralPlayState(viewport(), editor, {}, {}), Switch};
    default:
      std::printf("Unhandled button type %d!\n", id);
      return {};
  }
}

void SimPlayState::update(int dtMs) {
  updateSounds(dtMs);
  if (run.victoryDue(ticksNow())) {
    SDL_Event e;
    SDL_zero(e);
    e.type = SDL_USEREVENT;
    e.user.code = victoryEventCode;
    SDL_PushEvent(&e);
    return;
  }
  const int seek = bar().tickSlider.pendingSeek();
  if (seek != -1) {
    run.seekTo(seek);
    run.pause();
    return;
  }
  if (run.targetTick != -1 || !bar().paused) run.advance(dtMs);
  if (playScreen.memoryPanelShown()) playScreen.sidebar.refire(dtMs);
  bar().buttons.refire(dtMs);
}

int SimPlayState::cursor() { return bar().tickSlider.isOverCounter() ? 11 : playScreen.cursorAt(viewport()); }

void SimPlayState::render(SDL_Renderer* renderer) {
  Point m = mousePosition();
  if (getPuzzle(playScreen.editor->puzzle).hasFlag(puzzleFlagFixedMachine)) m = noMousePoint;
  playScreen.display.wireSparks = bar().paused ? 1 : run.fast ? 10 : 2;
  const ConstContext context = simulation->constContext();
  playScreen.render(renderer, &context, viewport(), m.x, m.y);
  playScreen.renderTooltips(renderer, &context, viewport(), m.x, m.y);
}

GameState* SimPlayState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  auto* next = new SimPlayState(v, playScreen.editor, simulation, run.resultTicks, fromValidation);
  next->run.successTick = run.successTick;
  next->run.successTime = run.successTime;
  next->run.successDelay = run.successDelay;
  next->run.stepAccumulatorMs = run.stepAccumulatorMs;
  next->run.fast = run.fast;
  next->bar().paused = bar().paused;
  next->keepsView = true;
  return next;
}

void SimPlayState::animateStep(int ms) {
  const Tick now = ticksNow();
  const ConstContext context = simulation->constContext();
  for (DisplayModule& m : playScreen.display.modules) m.tickAnimationAt(now, ms, context);
  TickSlider& slider = bar().tickSlider;
  slider.shownTick = simulation->tick() + 1;
  slider.animation.startStep(now, ms);
  bar().clock.dial.animation.startStep(now, ms, simulation->tick());
  playScreen.sidebar.startHighlight(now, ms);
}

void SimPlayState::stopAnimations() {
  for (DisplayModule& m : playScreen.display.modules) m.stopAnimations();
  TickSlider& slider = bar().tickSlider;
  slider.shownTick = simulation->tick();
  slider.animation.clearStep();
  bar().clock.dial.animation.clear();
  playScreen.sidebar.clearHighlight();
}

void SimPlayState::startRewind() {
  const Tick now = ticksNow();
  const int tick = simulation->tick();
  for (DisplayModule& m : playScreen.display.modules) {
    m.stopAnimations();
    m.clock.valueAt(tick, now);
  }
  TickSlider& slider = bar().tickSlider;
  slider.animation.clearStep();
  slider.animation.startRewind(now, SimRun::rewindMs, slider.shownValue());
  bar().clock.dial.animation.valueAt(tick, now);
  playScreen.sidebar.clearHighlight();
}

void SimPlayState::rebuildLines() { playScreen.sidebar.rebuildLines(); }
void SimPlayState::relayoutSidebar() { playScreen.sidebar.relayout(); }

void SimPlayState::updateSounds(int dtMs) {
  const Tick now = ticksNow();
  // Every moment since the last look, so a frame that reaches here later
  // after its start than the frame before leaves no moment unheard.
  const Tick from = soundsCheckedTo_ >= 0 && soundsCheckedTo_ <= now ? soundsCheckedTo_ : now - dtMs;
  soundsCheckedTo_ = now;
  MusicManager& music = musicManager();
  const int tick = simulation->tick();
  const int period = run.clockPeriod();
  const ConstContext context = simulation->constContext();
  for (const DisplayModule& m : playScreen.display.modules) {
    if (m.clock.animStart == INT_MAX) continue;
    const Tick moment = m.clock.animStart + m.clock.animDuration / 2 - 100;
    if (moment <= from || moment > now) continue;
    if (tick % period == period - 1 && m.module->logic->hasPendingChange(context, m.module->ports)) {
      music.playSound(LatchFlipToStore, 1.0f);
      break;
    }
  }
  if (getPuzzle(playScreen.editor->puzzle).hasFlag(puzzleFlagDelay) && !run.delaySoundPlayed) {
    for (const DisplayModule& m : playScreen.display.modules) {
      if (!m.animationProgress(tick, now)) continue;
      const float scale = std::min(std::max(float(run.lastStepInterval) / 100.0f, 0.5f), 1.0f);
      music.playSound(DelayTick, scale);
      run.delaySoundPlayed = true;
      break;
    }
  }
  int amount = 0;
  for (const auto& m : simulation->modules()) amount += m->logic->holdsOutput() ? 1 : 0;
  const int d = bar().paused ? 100 : 0;
  if (run.rewindDuration > 0 && now < run.rewindStart + run.rewindDuration) {
    music.setReverseLoop(amount, 1.0f - float(period) / float(std::max(run.rewindTick, 1)));
  } else if (run.targetTick != -1 ||
             (run.lastStepTime != INT_MAX && now >= run.lastStepTime &&
              now < run.lastStepTime + run.lastStepInterval - d)) {
    music.requestedLoopKind = LatchLoop;
    music.requestedLoopValue = amount;
    music.channelOn[loopChannel] = true;
    if (amount != 0) {
      music.switchLoop();
      const bool playing = music.currentLoopKind == music.requestedLoopKind && music.channelOn[loopChannel];
      music.channelLevel[loopChannel] = playing ? float(music.soundVolume) / 100.0f : 0.0f;
    }
  } else {
    music.requestedLoopKind = LatchLoop;
    music.requestedLoopValue = 0;
    music.channelOn[loopChannel] = true;
  }
}
