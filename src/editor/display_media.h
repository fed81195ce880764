#pragma once
// Start-up loads the machine display's art (module bodies, ports, info boxes,
// delay meters, clock faces) here.
#include <SDL.h>

void loadDisplayMedia(SDL_Renderer* renderer);
