#include "shell/slice_bar.h"

int sliceBarStrip(int screenWidth) { return screenWidth < 1153 ? screenWidth - 334 : 818; }

void SliceBar::load(SDL_Renderer* renderer) {
  left.loadChecked(renderer, name + "-Left.png");
  middle.loadChecked(renderer, name + "-Middle.png");
  right.loadChecked(renderer, name + "-Right.png");
}

void SliceBar::free() {
  left.free();
  middle.free();
  right.free();
}

void SliceBar::draw(SDL_Renderer* renderer, SDL_Rect screen) const {
  int strip = sliceBarStrip(screen.w);
  int barX = strip * start / 690;
  int barW = span * strip / 690;
  int y = screen.h - middle.height;
  int inner = barW - left.width - right.width;
  int rightX = barX + barW - right.width;
  if (middle.width > 0 && inner - middle.width > 0) {
    for (int k = 0; k * middle.width < inner - middle.width; ++k)
      middle.render(renderer, barX + left.width + k * middle.width, y);
  }
  middle.render(renderer, rightX - middle.width, y);
  left.render(renderer, barX, y);
  right.render(renderer, rightX, y);
}
