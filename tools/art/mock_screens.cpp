// Rough 1024x768 compositions of the main menu, a puzzle-select board and the
// editor from the generated art, placed by the layout rules of the art
// manifest, so the look can be judged as a whole before the screens exist.
//
// mock_screens --game DIR --chalk FONT --mono FONT --out-prefix PATH
#include <SDL.h>
#include <SDL_image.h>
#include <SDL_ttf.h>

#include <cstdio>
#include <map>
#include <string>

#include "art/canvas.h"
#include "art/style.h"

using namespace art;

namespace {

std::string gameDir;

Canvas load(const std::string& rel) {
    std::optional<Canvas> c = Canvas::loadPng(gameDir + "/" + rel);
    if (!c) {
        std::fprintf(stderr, "mock_screens: cannot load %s\n", rel.c_str());
        return Canvas(1, 1);
    }
    return *c;
}

void put(Canvas& dst, const std::string& rel, int x, int y, float alpha = 1) { dst.draw(load(rel), x, y, alpha); }

Canvas tinted(Canvas c, Colour t) {
    c.apply([&](int, int, Colour p) { return Colour::f(p.r * t.r, p.g * t.g, p.b * t.b, p.a); });
    return c;
}

void menu(const std::string& out, TTF_Font* text) {
    Canvas s(1024, 768);
    s.clear(Colour(225, 198, 149));
    put(s, "art/main menu/Background.png", 0, 0);
    put(s, "art/main menu/Logo.png", 142, 189);
    const char* buttons[] = {"puzzle select", "profiles", "options", "extras", "usermade", "quit"};
    for (int i = 0; i < 6; ++i)
        put(s, std::string("art/main menu/") + buttons[i] + (i == 2 ? "-Selected" : "") + ".png", 228, 329 + 49 * i);
    put(s, "art/main menu/Brackets.png", 220, 329 + 49 * 2);
    for (int i = 0; i < 6; ++i) {
        put(s, "art/main menu/SideElement.png", 161, 353 + 19 * i, i % 2 ? 0.5f : 1.f);
        put(s, "art/main menu/SideElement.png", 455, 353 + 19 * i, i % 3 ? 1.f : 0.4f);
    }
    put(s, "art/main menu/InfoDisplayBox.png", 637, 202);
    put(s, "art/main menu/Circuits2.png", 433, 346);
    const char* opts[] = {"fullscreen", "windowed", "bordered", "borderless"};
    for (int i = 0; i < 4; ++i)
        put(s, std::string("art/main menu/") + opts[i] + (i == 1 ? "-Selected" : "") + ".png", 637 + 160 - 103, 240 + 55 * i);
    s.textCentred(text, "Music volume", 797, 490, Colour(0, 0, 0));
    s.textCentred(text, "50", 797, 532, Colour(0, 0, 0));
    put(s, "art/config/ModuleEditor_Number.png", 767, 520);
    s.savePng(out + "_menu.png");
}

void select(const std::string& out, TTF_Font* chalk) {
    Canvas s(1024, 768);
    s.clear(Colour(30, 24, 20));
    Canvas board(1072, 816);
    put(board, "art/puzzleselect/frame.png", 0, 0);
    put(board, "art/puzzleselect/select_bg_0.png", 24, 24);
    board.draw(tinted(load("art/puzzleselect/board_overlay_0.png"), Colour(143, 143, 143)), 24, 24);
    const char* names[] = {"First Wire", "Adding Up", "Latched", "Count to Ten", "Selector", "Memory Lane"};
    int xs[] = {150, 420, 690, 260, 560, 330}, ys[] = {170, 210, 160, 340, 380, 500};
    for (int i = 0; i < 6; ++i) {
        int w = 0, h = 0;
        textSize(chalk, names[i], w, h);
        board.text(chalk, names[i], 24 + xs[i], 24 + ys[i], Colour(236, 236, 226));
        if (i < 2) board.draw(load("art/puzzleselect/under_line.png").region(0, 0, w + 16, 38), 24 + xs[i] - 8, 24 + ys[i] + 17);
        if (i == 2) board.draw(load("art/puzzleselect/cross_line.png").region(400 - w - 16, 0, w + 16, 38), 24 + xs[i] - 8, 24 + ys[i] - 2);
        board.draw(load("art/puzzleselect/chalk_stars.png").region(0, 15 * (i % 4), 60, 15), 24 + xs[i], 24 + ys[i] + 34);
    }
    put(board, "art/puzzleselect/Placard.png", 24 + 512 - 180, 24);
    put(board, "art/puzzleselect/LevelSelect_Base.png", 24, 24 + 768 - 96);
    const char* tabs[] = {"Tab1-Selected", "Tab2", "Tab3", "Tab4", "Tab5"};
    for (int i = 0; i < 5; ++i) put(board, std::string("art/puzzleselect/") + tabs[i] + ".png", 24 + 418 + 112 * i - 112, 24 + 768 - 96);
    put(board, "art/puzzleselect/spotlight.png", 24 + 418 + 112 * 2 + 35 - 112, 24, 104 / 255.f);
    put(board, "art/puzzleselect/main_menu.png", 24, 24 + 684);
    s.draw(board.region(24, 24, 1024, 768), 0, 0);
    s.savePng(out + "_select.png");
}

void module(Canvas& s, const std::string& set, const std::string& symbol, int x, int y, int h, bool clocked,
            TTF_Font* mono) {
    int top = 40, bottom = 36;
    put(s, "art/modules/sections/Module_" + set + "-Top.png", x - 8, y - 6);
    for (int yy = y - 6 + top; yy < y + h + 6 - bottom; yy += 16)
        put(s, "art/modules/sections/Module_" + set + "-Middle.png", x - 8, yy);
    put(s, "art/modules/sections/Module_" + set + "-Bottom.png", x - 8, y + h + 6 - bottom);
    Colour cat = set == "Color1" ? Colour(57, 127, 114) : set == "Color2" ? Colour(120, 121, 103) : Colour(68, 116, 129);
    s.draw(tinted(load("art/modules/symbols/" + symbol + ".png"), cat.mixed(Colour(255, 255, 255), 0.55f)), x + 70 - 19, y + h - 2 - 32);
    // Value boxes are tinted with the module's colour; values are written in black.
    Colour boxTint = cat.mixed(Colour(255, 255, 255), 0.45f);
    for (int row = 0; row < 2; ++row) {
        s.draw(tinted(load("art/modules/infoboxes/Module_Infobox.png"), boxTint), x - 44, y + 8 + 48 * row);
        s.text(mono, row ? "7" : "12", x - 28, y + 14 + 48 * row, Colour(0, 0, 0));
    }
    s.draw(tinted(load("art/modules/infoboxes/Module_Infobox_Selected.png"), boxTint), x + 140 - 44, y + 8);
    s.text(mono, "19", x + 140 - 28, y + 14, Colour(0, 0, 0));
    if (clocked) {
        int cx = x + 140 - 37, cy = y + h - 35;
        put(s, "art/modules/clocks/State.png", cx - 40, cy - 36);
        Canvas notch = load("art/editor/ClockPeriod_White_Notch.png");
        put(s, "art/modules/clocks/State_Circle.png", cx + 13 - 15, cy + 9 - 15);
        (void)notch;
    }
}

void editor(const std::string& out, TTF_Font* mono) {
    Canvas s(1024, 768);
    Canvas tile = load("art/display/bg.png");
    for (int y = 0; y < 768; y += tile.height())
        for (int x = 0; x < 1024; x += tile.width()) s.draw(tile, x, y);
    // Wires from the wire sheet, tinted.
    Canvas sheet = load("art/wiresheet.png");
    Canvas h = tinted(sheet.region(0, 0, 16, 16), Colour(250, 200, 90));
    for (int x = 240; x < 400; x += 16) s.draw(h, x, 200 - 8);
    module(s, "Color1", "Adder", 96, 176, 96, false, mono);
    module(s, "Color2", "Register", 432, 176, 96, true, mono);
    module(s, "Color3", "Input Selector", 240, 400, 144, false, mono);
    put(s, "art/modules/sections/Module_Number.png", 640 - 8, 420 - 6);
    s.text(mono, "42", 656, 432, Colour(40, 34, 28));
    put(s, "art/modules/overlays/Outline-Top.png", 432 - 8, 176 - 6);
    // Information sheet, map, memory tab.
    Canvas paper = load("art/paper_tall_blotched.png").region(0, 0, 420, 130);
    s.draw(paper, 4, 4, 200 / 255.f);
    put(s, "art/editor/InstructionArrow-Up.png", 9, 13);
    s.text(mono, "Count to Ten", 40, 14, Colour(40, 34, 28));
    put(s, "art/characters/Fred_head.png", 420 - 40 - 36, 5);
    put(s, "art/editor/Map-Expanded.png", 1024 - 210, 10);
    // The interface strip is tiled along the bottom first; the bar stands on it.
    Canvas strip = load("art/editor/HUD_Base_Supplement.png");
    for (int x = 0; x < 1024; x += strip.width()) s.draw(strip, x, 768 - strip.height());
    // Bottom bar.
    Canvas mid = load("art/editor/BottomBar_Base-Middle.png");
    for (int x = 0; x < 1024; x += mid.width()) s.draw(mid, x, 768 - mid.height());
    put(s, "art/editor/BottomBar_Base-Left.png", 0, 768 - mid.height());
    put(s, "art/editor/BottomBar_Base-Right.png", 1024 - 24, 768 - mid.height());
    Canvas pm = load("art/editor/BottomBar_ModPanel-Middle.png");
    int px0 = 95, px1 = 95 + 330;
    for (int x = px0; x < px1; x += pm.width()) s.draw(pm, x, 768 - pm.height());
    put(s, "art/editor/BottomBar_ModPanel-Left.png", px0, 768 - pm.height());
    put(s, "art/editor/BottomBar_ModPanel-Right.png", px1 - 20, 768 - pm.height());
    int row = 768 - mid.height() + 28;
    const char* drawers[] = {"BottomBar_Arithmetic-Selected", "BottomBar_State", "BottomBar_Control", "BottomBar_Palettes", "BottomBar_Clock"};
    for (int i = 0; i < 5; ++i) put(s, std::string("art/editor/") + drawers[i] + ".png", 110 + 62 * i - 9, row - 9);
    s.textCentred(mono, "12", 110 + 62 * 4 + 20, row + 20, Colour(12, 0, 148));
    const char* tools[] = {"BottomBar_Undo", "BottomBar_Redo", "BottomBar_Delete", "BottomBar_Copy", "BottomBar_Paste", "BottomBar_Home"};
    for (int i = 0; i < 6; ++i) put(s, std::string("art/editor/") + tools[i] + ".png", 450 + 52 * i - 8, row - 8);
    put(s, "art/editor/TestButton.png", 800, 768 - mid.height() + 22);
    // The module drawer open over the bar.
    int dy = row - 23 - 130 - 4;
    put(s, "art/editor/ModDrawer-Left.png", 110 - 55 + 20, dy);
    for (int i = 0; i < 3; ++i) put(s, "art/editor/ModDrawer-Middle.png", 110 - 55 + 20 + 91 + 76 * i, dy);
    put(s, "art/editor/ModDrawer-Right.png", 110 - 55 + 20 + 91 + 76 * 3, dy);
    const char* syms[] = {"Adder", "Subtract", "Multiplier", "Equals"};
    for (int i = 0; i < 4; ++i) {
        int sx = 110 - 55 + 20 + 16 + 76 * i, sy = dy + 12;
        put(s, "art/modules/choosers/ModDrawer_Arithmetic_Blank.png", sx, sy);
        s.draw(load(std::string("art/modules/symbols/") + syms[i] + ".png"), sx + 20, sy + 10);
    }
    put(s, "art/editor/ModDrawer_Arithmetic-Title.png", 110 - 55 + 20 + 120, dy - 16);
    put(s, "art/editor/MemoryPanel-Collapsed.png", 1024 - 252, 768 - 70 - mid.height() + 20);
    s.savePng(out + "_editor.png");
}

// The simulation bar along the bottom and the victory dialog over a darkened board.
void victory(const std::string& out, TTF_Font* mono, TTF_Font* title) {
    Canvas s(1024, 768);
    Canvas tile = load("art/display/bg.png");
    for (int y = 0; y < 768; y += tile.height())
        for (int x = 0; x < 1024; x += tile.width()) s.draw(tile, x, y);
    Canvas mid = load("art/editor/TestBar_Base-Middle.png");
    int top = 768 - mid.height();
    for (int x = 0; x < 1024; x += mid.width()) s.draw(mid, x, top);
    put(s, "art/editor/TestBar_Base-Left.png", 0, top);
    put(s, "art/editor/TestBar_Base-Right.png", 1000, top);
    Canvas tm = load("art/editor/TestBar_Ticks-Middle.png");
    int tx = 150, tw = 300, ty = 768 - tm.height();
    for (int x = tx; x < tx + tw; x += tm.width()) s.draw(tm, x, ty);
    put(s, "art/editor/TestBar_Ticks-Left.png", tx, ty);
    put(s, "art/editor/TestBar_Ticks-Right.png", tx + tw - 12, ty);
    put(s, "art/editor/TestBar_TickSlider.png", tx + 120, 768 - 13 - 10);
    put(s, "art/editor/TestBar_Ticks-Label.png", tx + tw / 2 - 75, ty + 4);
    s.textCentred(mono, "TICK LIMIT: 40", tx + tw / 2, ty + 18, Colour(0, 0, 0));
    s.textCentred(mono, "17", tx + tw / 2, ty + 48, Colour(0, 0, 0));
    const char* bar[] = {"TestBar_Reset", "TestBar_Play-Active", "TestBar_FastForward"};
    for (int i = 0; i < 3; ++i) put(s, std::string("art/editor/") + bar[i] + ".png", 30 + 36 * i, top + 28);
    int cx = 560, cy = 768 - 128;
    put(s, "art/editor/TestBar_Clock-Base.png", cx, cy);
    put(s, "art/editor/ClockPeriod_White_Circle.png", cx + 8, cy + 46);
    put(s, "art/editor/ClockPeriod_Top_Circle.png", cx + 5, cy + 42);
    s.textCentred(mono, "4", cx + 34, cy + 15, Colour(239, 239, 239));
    put(s, "art/editor/TestButton-Back.png", 880, top + 22);
    s.apply([](int, int, Colour p) { return p.scaled(1 - 143 / 255.f * 0.9f); });
    int dx = 180, dy = 80;
    put(s, "art/pvs/Dialog_Base.png", dx - 6, dy - 4);
    put(s, "art/characters/Laszlo.png", dx + 10, dy + 99);
    put(s, "art/pvs/Portrait_Corners.png", dx + 7, dy + 99);
    s.textCentred(title, "Puzzle Complete!", dx + 320, dy + 24, Colour(238, 252, 255));
    s.text(mono, "Well wired. The counter ticks", dx + 320, dy + 118, Colour(1, 42, 52));
    s.text(mono, "along exactly as it should.", dx + 320, dy + 146, Colour(1, 42, 52));
    int y0 = dy + 597 - 197;
    // The game draws the table's band over the plain dialog art.
    s.fill(sdf::box(dx + 426, y0 - 4, 830 - 436, 32, 4), pal::walnutDark());
    s.fill(sdf::box(dx + 426, y0 + 28, 830 - 436, 2, 0), pal::brassDark());
    for (int row = 1; row <= 3; row += 2)
        s.fill(sdf::box(dx + 426, y0 + 30 * row, 830 - 436, 30, 0), Colour(120, 90, 50, 30));
    s.text(mono, "Modules", dx + 440 + 108, y0, Colour(182, 240, 255));
    s.text(mono, "Ticks", dx + 440 + 216, y0, Colour(182, 240, 255));
    const char* rows[] = {"Current", "Best", "Goal"};
    for (int r = 0; r < 3; ++r) {
        s.text(mono, rows[r], dx + 440, y0 + 30 * (r + 1), Colour(1, 78, 97));
        s.text(mono, r == 2 ? "5" : "6", dx + 440 + 108, y0 + 30 * (r + 1), Colour(1, 78, 97));
        s.text(mono, r == 2 ? "18" : "21", dx + 440 + 216, y0 + 30 * (r + 1), Colour(1, 78, 97));
    }
    put(s, "art/pvs/BackToPuzzle.png", dx + 20 - 3, dy + 597 - 64);
    put(s, "art/pvs/NextPuzzle.png", dx + 285 - 3, dy + 597 - 64);
    put(s, "art/pvs/PuzzleSelect.png", dx + 550 - 3, dy + 597 - 64);
    const char* toggles[] = {"Toggle_Story", "Toggle_Modules", "Toggle_Time"};
    for (int i = 0; i < 3; ++i) put(s, std::string("art/pvs/") + toggles[i] + ".png", dx + 773 - 8, dy + 60 + 55 * i);
    s.savePng(out + "_victory.png");
}

}  // namespace

int main(int argc, char** argv) {
    std::map<std::string, std::string> args;
    for (int i = 1; i + 1 < argc; i += 2) args[argv[i]] = argv[i + 1];
    if (!args.count("--game") || !args.count("--chalk") || !args.count("--mono") || !args.count("--out-prefix")) {
        std::fprintf(stderr, "usage: mock_screens --game DIR --chalk FONT --mono FONT --out-prefix PATH\n");
        return 2;
    }
    gameDir = args["--game"];
    if (TTF_Init() != 0) return 1;
    {
        TTF_Font* chalk = TTF_OpenFont(args["--chalk"].c_str(), 26);
        TTF_Font* mono = TTF_OpenFont(args["--mono"].c_str(), 18);
        TTF_Font* text = TTF_OpenFont(args["--mono"].c_str(), 16);
        if (!chalk || !mono || !text) return 1;
        menu(args["--out-prefix"], text);
        select(args["--out-prefix"], chalk);
        editor(args["--out-prefix"], mono);
        TTF_Font* title = TTF_OpenFont(args["--chalk"].c_str(), 30);
        if (title) {
            victory(args["--out-prefix"], mono, title);
            TTF_CloseFont(title);
        }
        TTF_CloseFont(chalk);
        TTF_CloseFont(mono);
        TTF_CloseFont(text);
    }
    TTF_Quit();
    return 0;
}
