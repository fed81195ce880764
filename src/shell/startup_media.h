#pragma once
// Art that start-up loads into globals for screens built elsewhere, and the
// release of every global texture, font and cursor before the renderer goes.
#include <SDL.h>

#include <functional>

#include "shell/slice_bar.h"
#include "shell/texture.h"

extern Texture splashTexture;         // art/fmod.png
extern Texture wireSheetTexture;      // art/wiresheet.png
extern Texture hudSupplementTexture;  // art/editor/HUD_Base_Supplement.png
extern Texture introLogoTexture;      // art/intro_logo.png
// The three bars of the editor's bottom bars.
extern SliceBar bottomBarBase;
extern SliceBar bottomBarModPanel;
extern SliceBar testBarBase;

// Screens that keep global textures of their own register their release
// here; it runs at shut-down before the renderer is destroyed.
void registerMediaRelease(std::function<void()> release);
// Frees every global texture, the text cache, the cursors and the fonts.
void releaseAllMedia();
