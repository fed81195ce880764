#include "playscreens/stand_in_editor_state.h"

#include "playscreens/neutral_play_state.h"
#include "shell/input.h"

StandInEditorState::StandInEditorState(const Viewport& viewport, std::shared_ptr<Editor> editor,
                                       ModuleSelection modules, WireSelection wires, int openButton)
    : GameState(std::make_shared<FullScrollLogic>(viewport)),
      playScreen(this->viewport(), std::nullopt, std::move(editor), std::move(modules), std::move(wires)) {
  if (auto* bar = dynamic_cast<EditorBottomBar*>(playScreen.bar.get())) bar->buttons = bar->makeButtons(openButton);
}

StateChange StandInEditorState::handleEvent(const SDL_Event& event) {
  if (event.type == SDL_KEYDOWN && event.key.keysym.scancode == SDL_SCANCODE_ESCAPE)
    return {new NeutralPlayState(viewport(), playScreen.editor, playScreen.selectedModules, playScreen.selectedWires),
            Switch};
  StateChange out;
  playScreen.handleEventAndCheckSolved(out, event, viewport());
  if (out.next || out.kind != Switch) return out;
  if (event.type == SDL_MOUSEBUTTONDOWN) return {playScreen.pressAt(viewport()), Switch};
  return {};
}

void StandInEditorState::render(SDL_Renderer* renderer) {
  const Point m = mousePosition();
  playScreen.render(renderer, nullptr, viewport(), m.x, m.y);
  playScreen.renderTooltips(renderer, nullptr, viewport(), m.x, m.y);
}
