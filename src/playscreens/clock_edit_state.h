#pragma once
// The clock-period pop-up over the editor. The Editor holds the edited
// period while the pop-up is open; leaving records it as one Clock Set
// action (or logs that nothing changed). Anything the play screen would act
// on commits first, so the bar's Undo and Redo never meet a period the undo
// stack doesn't know, and the event is handled once.
#include <memory>

#include "playscreens/clock_period_editor.h"
#include "playscreens/play_screen.h"

class ClockEditState : public GameState {
 public:
  // The selection stays through the visit, as through every change of mode.
  ClockEditState(const Viewport& viewport, std::shared_ptr<Editor> editor, ModuleSelection modules = {},
                 WireSelection wires = {});
  // A rebuild keeps the period the pop-up opened with.
  ClockEditState(const Viewport& viewport, std::shared_ptr<Editor> editor, int openingPeriod,
                 ModuleSelection modules, WireSelection wires);

  StateChange handleEvent(const SDL_Event& event) override;
  void update(int dtMs) override;
  int cursor() override;
  void render(SDL_Renderer* renderer) override;
  std::string name() override { return "clock-edit"; }
  GameState* rebuild(SDL_Rect screen) override;
  ScrollBounds scrollBounds() override { return playScreen.scrollBounds(viewport()); }

  void commit();

  PlayScreen playScreen;
  std::unique_ptr<ClockPeriodEditor> popup;

 private:
  StateChange toNeutral();
};
