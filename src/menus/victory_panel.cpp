#include "menus/victory_panel.h"

#include "puzzles/character_names.h"
#include "menus/victory_media.h"
#include "menus/victory_rules.h"
#include "puzzles/puzzle_services.h"
#include "shell/fonts.h"
#include "shell/sprites.h"

namespace {
// The portrait sits left of the story, framed by its brass corners.
constexpr int portraitX = 10;
constexpr int portraitY = 99;
constexpr int cornersX = 7;
// The leaderboard panel covers the dialog's left part; the histogram sits in it.
constexpr int leaderboardX = -164;
constexpr int histogramX = -56;
constexpr int histogramY = 95;
constexpr int histogramW = 420;
constexpr int histogramH = 416;
// The chosen column of the table is shaded while its histogram shows.
constexpr int moduleShadeX = 508;
constexpr int tickShadeX = 617;
constexpr int shadeFromBottom = 200;
constexpr int shadeW = 80;
constexpr int shadeH = 112;
constexpr int innerMargin = 12;  // the dialog frame's width inside its rectangle
// The table's band: dark headers over a brass rule, every other row tinted,
// from beside the story to the cream's right edge.
constexpr int bandX = 426;
constexpr int bandRightInset = 10;
constexpr int bandAboveHeaders = 4;
constexpr int bandH = 32;
constexpr int bandRowH = 30;
constexpr SDL_Color bandColour{58, 35, 21, 255};
constexpr SDL_Color ruleColour{122, 88, 38, 255};
constexpr SDL_Color rowTint{120, 90, 50, 30};

constexpr SDL_Color axisColour{32, 32, 32, 255};
constexpr SDL_Color ownColour{16, 101, 165, 255};
constexpr SDL_Color friendColour{0, 0, 0, 255};
constexpr int histogramFont = 4;
// The table's sparkles: a deep gold that reads on the cream, twinkling often.
constexpr int sparkleRest = 3;
constexpr Uint32 sparkleGold = 0xF0A000;
constexpr Uint8 sheetAlpha = 191;

SDL_Color sdlColour(const Rgba& c) { return {c.r, c.g, c.b, c.a}; }

void fill(SDL_Renderer* renderer, SDL_Rect r, SDL_Color c, Uint8 alpha) {
  SDL_SetRenderDrawBlendMode(renderer, SDL_BLENDMODE_BLEND);
  SDL_SetRenderDrawColor(renderer, c.r, c.g, c.b, Uint8(c.a * alpha / 255));
  SDL_RenderFillRect(renderer, &r);
}

void drawArt(SDL_Renderer* renderer, const Texture& art, int x, int y, Uint8 alpha) {
  if (!art.exists()) return;
  SDL_SetTextureAlphaMod(art.texture, alpha);
  art.render(renderer, x, y);
}

// Two glints twinkling out of step at a value's top right, drawn half as
// large again as the board's and at full strength, so one always shines.
void drawSparkles(SDL_Renderer* renderer, GeoPoint at, Uint8 alpha) {
  const Texture& sheet = sparkleSheet.texture;
  if (!sheet.exists()) return;
  const Tick now = ticksNow();
  SDL_SetTextureColorMod(sheet.texture, Uint8(sparkleGold >> 16), Uint8(sparkleGold >> 8), Uint8(sparkleGold));
  SDL_SetTextureAlphaMod(sheet.texture, alpha);
  for (const GeoPoint offset : {GeoPoint{-2, -6}, GeoPoint{8, 6}}) {
    Sparkle s;
    s.restFrames = sparkleRest;
    s.phaseMs = seededRandom(at.x * 7919 + at.y + offset.x);
    const int cell = s.cellAt(now);
    if (cell < 0) continue;
    const SDL_Rect clip = sparkleSheet.cellRect(cell);
    const SDL_Rect dst{at.x + offset.x, at.y + offset.y, clip.w * 3 / 2, clip.h * 3 / 2};
    SDL_RenderCopy(renderer, sheet.texture, &clip, &dst);
  }
  SDL_SetTextureAlphaMod(sheet.texture, sheetAlpha);
}

// The header band's corners are rounded by two pixels, each row filled once
// so the fade-in blends it evenly.
void drawTableBand(SDL_Renderer* renderer, const GeoRect& d, Uint8 alpha) {
  const int x = d.x + bandX;
  const int w = d.w - bandX - bandRightInset;
  const int headerY = victoryTableHeaderY(d);
  const int top = headerY - bandAboveHeaders;
  fill(renderer, {x + 2, top, w - 4, 1}, bandColour, alpha);
  fill(renderer, {x + 1, top + 1, w - 2, 1}, bandColour, alpha);
  fill(renderer, {x, top + 2, w, bandH - 4}, bandColour, alpha);
  fill(renderer, {x + 1, top + bandH - 2, w - 2, 1}, bandColour, alpha);
  fill(renderer, {x + 2, top + bandH - 1, w - 4, 1}, bandColour, alpha);
  fill(renderer, {x, top + bandH, w, 2}, ruleColour, alpha);
  for (int row = 1; row <= 3; row += 2) fill(renderer, {x, headerY + bandRowH * row, w, bandRowH}, rowTint, alpha);
}

TextItem histogramText(const std::string& text, int x, int y, SDL_Color colour, Uint8 alpha) {
  TextItem item(text, x, y, colour, histogramFont);
  item.alpha = alpha;
  return item;
}
}  // namespace

TextItem textItemOf(const VictoryText& text) {
  TextItem item(text.text, text.x, text.y, sdlColour(text.colour), text.font, text.alignment, text.wrapWidth);
  item.tooltip = text.tooltip;
  return item;
}

VictoryPanel VictoryPanel::centred(puzzle_id puzzle, const MachineStats& score, int view, int windowW, int windowH) {
  VictoryPanel panel;
  panel.puzzle = puzzle;
  panel.score = score;
  panel.view = view;
  panel.dialog = victoryDialogRect(windowW, windowH, victoryArt.dialog.width, victoryArt.dialog.height);
  return panel;
}

std::vector<VictoryText> VictoryPanel::texts() const {
  const GlyphSize g = fontDimensions(victoryTableFont);
  return victoryTexts(puzzle, score, dialog, TableGlyph{g.width, g.height}, view == storyView);
}

ScoreHistogram VictoryPanel::histogram() const {
  return {dialog.x + histogramX, dialog.y + histogramY, histogramW, histogramH, puzzle,
          view == tickHistogramView ? leaderboardTicks : leaderboardModules};
}

bool VictoryPanel::hasPortrait() const { return getPuzzleVictoryText(puzzle).speaker != noSpeaker; }

CharacterArt VictoryPanel::portrait() const {
  return {getPuzzleVictoryText(puzzle).speaker, dialog.x + portraitX, dialog.y + portraitY, true};
}

void VictoryPanel::drawVeil(SDL_Renderer* renderer, Uint8 alpha) {
  int w = 0, h = 0;
  SDL_GetRendererOutputSize(renderer, &w, &h);
  fill(renderer, {0, 0, w, h}, {0, 0, 0, 255}, alpha);
}

void VictoryPanel::draw(SDL_Renderer* renderer, Uint8 alpha) const {
  const GeoRect& d = dialog;
  drawArt(renderer, victoryArt.dialog, d.x - 6, d.y - 4, alpha);
  if (victoryTableHasColumn(puzzle)) drawTableBand(renderer, d, alpha);
  // The brass corners frame a picture, never an empty space.
  if (view == storyView && hasPortrait() && portrait().texture().exists()) {
    portrait().drawPortrait(renderer, alpha);
    drawArt(renderer, victoryArt.corners, d.x + cornersX, d.y + portraitY, alpha);
  }
  if (view != storyView) {
    const int shadeX = view == moduleHistogramView ? moduleShadeX : tickShadeX;
    fill(renderer, {d.x + shadeX, d.y + d.h - shadeFromBottom, shadeW, shadeH}, {0, 0, 0, 64}, alpha);
  }
  const std::vector<VictoryText> all = texts();
  for (const VictoryText& t : all) {
    TextItem item = textItemOf(t);
    item.alpha = alpha;
    item.draw(renderer);
  }
  for (const VictoryText& t : all)
    if (t.sparkle) drawSparkles(renderer, t.sparkleAt, alpha);
  if (view == storyView) return;
  drawArt(renderer, victoryArt.leaderboard, d.x + leaderboardX, d.y - 4, alpha);
  // Long names stop at the dialog's inner edge.
  const SDL_Rect inside{d.x + leaderboardX, d.y - 4, d.w - leaderboardX - innerMargin, d.h + 8};
  SDL_RenderSetClipRect(renderer, &inside);
  histogram().render(renderer);
  SDL_RenderSetClipRect(renderer, nullptr);
}

bool VictoryPanel::drawTableTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const {
  for (const VictoryText& t : texts())
    if (!t.tooltip.empty() && textItemOf(t).drawTooltipIfHovered(renderer, mouseX, mouseY)) return true;
  return false;
}

bool VictoryPanel::drawViewTooltip(SDL_Renderer* renderer, int mouseX, int mouseY) const {
  if (view != storyView) return histogram().tooltipAt(renderer, mouseX, mouseY);
  return hasPortrait() && portrait().tooltipAt(renderer, puzzle, mouseX, mouseY);
}

void ScoreHistogram::render(SDL_Renderer* renderer) const {
  for (const HistogramBar& b : bars()) {
    const SDL_Rect r{b.bar.x, b.bar.y, b.bar.w, b.bar.h};
    fill(renderer, {r.x + 2, r.y - 2, r.w, r.h}, {0, 0, 32, 192}, 255);
    fill(renderer, r, b.isPlayer ? SDL_Color{20, 125, 204, 255} : SDL_Color{0, 82, 101, 255}, 255);
  }
  for (const HistogramLabel& l : axisLabels()) histogramText(l.text, l.x, l.y, axisColour, 255).draw(renderer);
  for (const FriendLine& f : layoutFriends()) {
    const SDL_Color c = f.isPlayer ? ownColour : friendColour;
    histogramText(f.scoreText, f.scoreX, f.y, c, 255).draw(renderer);
    histogramText(f.name, f.nameX, f.y, c, 255).draw(renderer);
  }
}

bool ScoreHistogram::tooltipAt(SDL_Renderer* renderer, int px, int py) const {
  for (const FriendLine& f : layoutFriends()) {
    for (TextItem item : {histogramText(f.scoreText, f.scoreX, f.y, friendColour, 255),
                          histogramText(f.name, f.nameX, f.y, friendColour, 255)}) {
      item.tooltip = f.tooltip;
      if (item.drawTooltipIfHovered(renderer, px, py)) return true;
    }
  }
  return false;
}
