#include "shell/first_state.h"

#include "shell/title_state.h"

// Until the menus exist, every run opens on the title screen.
GameState* makeFirstState(const Viewport& viewport) { return new TitleState(viewport); }
