#pragma once
// Start-up loads the machine display's art (module bodies, ports, info boxes,
// delay meters, clock faces) here, and the view hooks itself to the Editor
// (forget routed wires after an edit) and to the renderer's target resets.
#include <SDL.h>

#include <cstddef>

void loadDisplayMedia(SDL_Renderer* renderer);
// Frees the display's art and every cached drawing (before the renderer goes).
void releaseDisplayMedia();
// What a render-target reset costs the display: the cached module bodies,
// outlines and wire drawings are dropped, the tinted info boxes made again.
void resetDisplayRenderTargets(SDL_Renderer* renderer);
// Textures the display has made for its caches (module bodies, outlines and
// wire drawings): a warm frame makes none.
std::size_t displayCachedTextureCount();
