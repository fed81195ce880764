#include "menus/puzzle_victory_state.h"

#include <climits>

#include "menus/menu_entry.h"
#include "model/simulation.h"
#include "playscreens/enter_puzzle.h"
#include "playscreens/neutral_play_state.h"
#include "playscreens/sim_play_state.h"
#include "playscreens/test_bottom_bar.h"
#include "playscreens/tick_unit.h"
#include "puzzles/puzzle_services.h"
#include "saves/tutorial_flags.h"
#include "services/music_manager.h"
#include "shell/input.h"
#include "shell/strings.h"
#include "shell/text_item.h"

namespace {
constexpr int leftFirstPuzzleFlag = 1;
constexpr int dialogWidth = 460;
constexpr int dialogHeight = 230;

std::string scoreText(int value, int best) {
  std::string text = value == INT_MAX ? "-" : std::to_string(value);
  if (best != INT_MAX) text += "   (best " + std::to_string(best) + ")";
  return text;
}
}  // namespace

PuzzleVictoryState::PuzzleVictoryState(const Viewport& viewport, std::shared_ptr<Editor> editorIn, MachineStats scoreIn,
                                       Tick start, std::shared_ptr<Simulation> run, int test)
    : GameState(std::make_shared<FixedScrollLogic>(viewport)),
      editor(editorIn),
      simulation(run),
      score(scoreIn),
      testIndex(test),
      startTime(start),
      playScreen(this->viewport(), run ? std::optional<MemorySidebar>(MemorySidebar(editorIn, run)) : std::nullopt,
                 editorIn, {}, {}, run) {
  if (auto* bar = dynamic_cast<TestBottomBar*>(playScreen.bar.get())) bar->paused = true;
  editor->stillSolved = true;
  checkTutorialIndex(leftFirstPuzzleFlag);
  hadVictoryBefore = tutorialFlags[leftFirstPuzzleFlag];
  markTutorialSeen(leftFirstPuzzleFlag);
}

SDL_Rect PuzzleVictoryState::dialogRect() const {
  const SDL_Rect& s = viewport().screen;
  return {(s.w - dialogWidth) / 2, (s.h - dialogHeight) / 2, dialogWidth, dialogHeight};
}

int PuzzleVictoryState::successorPuzzle() const {
  std::set<puzzle_id> next = getPuzzleSuccessors(editor->puzzle);
  if (next.size() == 1 && isPuzzleUnlocked(*next.begin())) return *next.begin();
  return noPuzzle;
}

StateChange PuzzleVictoryState::backToPuzzle() {
  if (simulation) return {new SimPlayState(viewport(), editor, simulation, score.ticks), Switch};
  return {new NeutralPlayState(viewport(), editor, {}, {}), Switch};
}

StateChange PuzzleVictoryState::handleEvent(const SDL_Event& event) {
  if (ticksNow() < startTime) return {};
  if (event.type == SDL_KEYDOWN) {
    switch (event.key.keysym.scancode) {
      case SDL_SCANCODE_ESCAPE:
        return backToPuzzle();
      case SDL_SCANCODE_RETURN:
      case SDL_SCANCODE_KP_ENTER:
        if (successorPuzzle() != noPuzzle) return {enterPuzzle(successorPuzzle(), editor->clipboard, viewport()), Switch};
        return {makePuzzleSelectState(viewport(), ModuleSet(), -1), FadeSwitch};
      default:
        return {};
    }
  }
  if (event.type == SDL_MOUSEBUTTONDOWN && event.button.button == SDL_BUTTON_LEFT && ticksNow() > startTime + 400) {
    const Point m = mousePosition();
    const SDL_Rect d = dialogRect();
    if (!pointInRect(d.x, d.y, d.w, d.h, m.x, m.y)) return backToPuzzle();
    return {makePuzzleSelectState(viewport(), ModuleSet(), -1), FadeSwitch};
  }
  return {};
}

void PuzzleVictoryState::update(int) {
  if (started || ticksNow() <= startTime) return;
  musicManager().musicFade = 50;
  musicManager().playSound(LevelComplete, 1.0f);
  started = true;
}

void PuzzleVictoryState::exit() { musicManager().musicFade = 100; }

void PuzzleVictoryState::render(SDL_Renderer* renderer) {
  const ConstContext context = simulation ? simulation->constContext() : editor->constContext();
  playScreen.render(renderer, &context, viewport(), noMousePoint.x, noMousePoint.y);
  if (ticksNow() < startTime) return;
  SDL_SetRenderDrawColor(renderer, 0, 0, 0, 96);
  SDL_RenderFillRect(renderer, nullptr);
  const SDL_Rect d = dialogRect();
  SDL_SetRenderDrawColor(renderer, 236, 224, 196, 240);
  SDL_RenderFillRect(renderer, &d);
  SDL_SetRenderDrawColor(renderer, 120, 84, 40, 255);
  SDL_RenderDrawRect(renderer, &d);
  const int cx = d.x + d.w / 2;
  const SDL_Color ink{48, 40, 32, 255};
  TextItem("Puzzle complete!", cx, d.y + 20, ink, 1, AlignCentre).draw(renderer);
  TextItem(getPuzzleTitle(editor->puzzle), cx, d.y + 68, SDL_Color{12, 0, 148, 255}, 3, AlignCentre).draw(renderer);
  TextItem("Modules: " + scoreText(score.modules, getBestModules(editor->puzzle)), d.x + 40, d.y + 112, ink, 7)
      .draw(renderer);
  if (score.ticks != INT_MAX)
    TextItem(capitalize(tickUnitWordForPuzzle(editor->puzzle)) + "s: " + scoreText(score.ticks, getBestTicks(editor->puzzle)),
             d.x + 40, d.y + 140, ink, 7)
        .draw(renderer);
  const std::string hint = successorPuzzle() != noPuzzle ? "Return: next puzzle.  Escape: back to the machine."
                                                        : "Return: puzzle select.  Escape: back to the machine.";
  TextItem(hint, cx, d.y + d.h - 34, SDL_Color{90, 80, 70, 255}, 5, AlignCentre).draw(renderer);
}

GameState* PuzzleVictoryState::rebuild(SDL_Rect screen) {
  Viewport v = viewport();
  v.screen = screen;
  auto* next = new PuzzleVictoryState(v, editor, score, startTime, simulation, testIndex);
  next->started = started;
  next->hadVictoryBefore = hadVictoryBefore;
  return next;
}
