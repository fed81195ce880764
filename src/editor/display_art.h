#pragma once
// Art and small drawing helpers shared by the machine view's drawing files.
#include <SDL.h>

#include <string>

#include "model/module_geometry.h"
#include "editor/view_colours.h"
#include "shell/texture.h"
#include "shell/viewport.h"

// A piece of module art at both zooms: the full-size image and its
// "-Small" half-size twin, each drawn unscaled.
struct ZoomSprite {
  Texture full;
  Texture small;

  // base + ".png" and base + "-Small.png".
  void load(SDL_Renderer* renderer, const std::string& base);
  void free();
  // Fatal for a zoom other than 1 or 2.
  const Texture& at(int zoom) const;
};

SDL_Color sdlColour(Rgba c);
// Sets colour and alpha modulation of a texture.
void modulate(const Texture& texture, Rgba colour);
// Draws the texture at its size divided by the zoom, centred on a screen point.
void renderCentred(SDL_Renderer* renderer, const Texture& texture, Point centre, int zoom, double angle = 0.0);
SDL_Rect sdlRect(const GeoRect& r);
// Copies the texture's pixels as they are (colour and alpha) into the
// current target: the first layer of a composed texture, where blending
// onto the cleared target would darken every translucent pixel.
void copyExact(SDL_Renderer* renderer, const Texture& texture, int x, int y);
// A render-target texture cleared to transparent black, ready to draw into;
// the previous target is restored by the caller with SDL_SetRenderTarget.
SDL_Texture* makeTargetTexture(SDL_Renderer* renderer, Uint32 format, int w, int h, const std::string& context);
