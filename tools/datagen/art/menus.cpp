#include "art/menus.h"

#include <cmath>
#include <stdexcept>
#include <string>
#include <vector>

#include "art/fighter.h"
#include "art/landscapes.h"
#include "art/menu_parts.h"
#include "art/palette.h"
#include "art/quantise.h"
#include "art/scenery.h"
#include "art/structures.h"
#include "art/text.h"
#include "core/random.h"

namespace datagen {
namespace {

Colour P(Ramp r, double t) { return ToColour(ShadeRgb(r, t)); }

const Colour kGoldTop{255, 242, 170}, kGoldBottom{200, 120, 30}, kInk{36, 20, 12}, kCream{245, 232, 200};

TextStyle TitleStyle(int size) { return {Face::SerifBold, size, kGoldTop, kGoldBottom, kInk, 3, 4}; }
TextStyle BodyStyle(int size) { return {Face::Serif, size, kCream, kCream, {20, 10, 10}, 1, 0}; }
TextStyle LabelStyle(int size) { return {Face::SansBold, size, kCream, kCream, {20, 10, 10}, 1, 0}; }

// One line of the key list: key caps, then what they do.
void KeyLine(Canvas& c, TextRenderer& text, int x, int y, const std::vector<std::string>& keys,
             const std::string& action, int actionColumn) {
    for (std::size_t i = 0; i < keys.size(); ++i) {
        if (i > 0 && keys[i] == "or") {
            x += text.Draw(c, "or", x + 2, y + 5, LabelStyle(16)) + 8;
            continue;
        }
        x += PaintKeyCap(c, text, keys[i], x, y) + 6;
    }
    text.Draw(c, action, actionColumn, y + 4, LabelStyle(18));
}

void PaintTwilight(Canvas& c) {
    PaintSky(c, {{0, P(ramp::kViolet, 0.05)},
                 {160, P(ramp::kViolet, 0.3)},
                 {300, P(ramp::kDawn, 0.55)},
                 {380, P(ramp::kDawn, 0.85)}});
    Scatter(c, 0, 24, 640, 170, 70, P(ramp::kDawn, 0.95), 201);
    // The sun sets behind the hero, who stands on a rock above the far hills.
    c.FillEllipse(150, 330, 76, 76, P(ramp::kFire, 0.85));
    PaintGlow(c, 150, 330, 240, P(ramp::kFire, 0.8), 0.5);
    PaintRidge(c, RidgeLine(640, 392, 60, 110, 4, 202), P(ramp::kViolet, 0.22), P(ramp::kViolet, 0.1), 80, 0.05, 203);
    PaintTemple(c, 30, 84, 372, 44, {P(ramp::kViolet, 0.12), P(ramp::kViolet, 0.2), P(ramp::kViolet, 0.3)}, 204);
    std::vector<double> rock(640);
    for (int x = 0; x < 640; ++x)
        rock[x] = 440 - 24 * std::exp(-std::pow((x - 150) / 120.0, 2)) - 6 * Fractal1(x / 30.0, 2, 205);
    PaintRidge(c, rock, P(ramp::kViolet, 0.12), P(ramp::kViolet, 0.02), 40, 0.2, 206);
}

Canvas TitleScreen(TextRenderer& text) {
    Canvas c(640, 480);
    PaintTwilight(c);
    PaintMeanderBand(c, 0, P(ramp::kGold, 0.7), P(ramp::kViolet, 0.04));
    PaintMeanderBand(c, 456, P(ramp::kGold, 0.7), P(ramp::kViolet, 0.04));
    text.DrawCentred(c, "GAIA'S BLADE", 320, 34, TitleStyle(70));
    text.DrawCentred(c, "five lands  \u00b7  five champions  \u00b7  one blade", 320, 122, BodyStyle(20));
    StampPicture(c, PaintFighterFrame(0, 14), 28, 416 - 63 * 3, 3);
    PaintPanel(c, 286, 214, 618, 402, 0.55, P(ramp::kGold, 0.6));
    text.DrawCentred(c, "KEYS", 452, 226, LabelStyle(16));
    KeyLine(c, text, 306, 256, {"N"}, "New game", 430);
    KeyLine(c, text, 306, 302, {"Q", "or", "F2"}, "Quit", 430);
    KeyLine(c, text, 306, 348, {"Esc"}, "Quit at any time", 430);
    return c;
}

Canvas ReadyScreen(TextRenderer& text) {
    Canvas c(640, 480);
    PaintSky(c, {{0, P(ramp::kBlue, 0.05)}, {480, P(ramp::kViolet, 0.2)}});
    Scatter(c, 0, 0, 640, 480, 120, P(ramp::kBlue, 0.8), 211);
    PaintMeanderBand(c, 0, P(ramp::kGold, 0.7), P(ramp::kBlue, 0.04));
    PaintMeanderBand(c, 456, P(ramp::kGold, 0.7), P(ramp::kBlue, 0.04));
    text.DrawCentred(c, "PREPARE FOR BATTLE", 320, 32, TitleStyle(40));
    text.DrawCentred(c, "Cross the five lands and defeat their champions", 320, 86, BodyStyle(18));
    const char* names[5] = {"Eris", "Apollo", "Medousa", "Haides", "Aries"};
    for (int i = 0; i < 5; ++i) {
        const int x = 22 + i * 122;
        c.FillRect(x - 2, 118, x + 114, 206, P(ramp::kGold, 0.6));
        StampThumbnail(c, PaintLandscape(i), x, 120, 112, 84);
        StampPicture(c, PaintFighterFrame(i + 1, 0), x + 20, 156, 1);
        text.DrawCentred(c, std::to_string(i + 1) + ". " + names[i], x + 56, 212, LabelStyle(15));
    }
    PaintPanel(c, 110, 250, 530, 400, 0.55, P(ramp::kGold, 0.6));
    KeyLine(c, text, 150, 266, {"\u2190", "\u2192"}, "Walk", 300);
    KeyLine(c, text, 150, 310, {"Space"}, "Strike", 300);
    KeyLine(c, text, 150, 354, {"Ctrl"}, "Parry", 300);
    text.DrawCentred(c, "Press Space to fight", 320, 414, TitleStyle(26));
    return c;
}

void PaintFallenSword(Canvas& c) {
    // A sword driven into a dark mound, a helmet at its foot.
    std::vector<double> mound(640);
    for (int x = 0; x < 640; ++x) mound[x] = 400 - 40 * std::exp(-std::pow((x - 320) / 140.0, 2));
    PaintRidge(c, mound, P(ramp::kRed, 0.08), P(ramp::kGrey, 0.04), 60, 0.2, 221);
    const double tilt = 0.12;
    const Point tip{320, 372}, hilt{320 + std::sin(tilt) * 120, 372 - std::cos(tilt) * 120};
    FillTaper(c, tip, hilt, 1.5, 7, P(ramp::kSteel, 0.55));
    FillTaper(c, {tip.x - 1, tip.y}, {hilt.x - 2, hilt.y}, 0.6, 2.5, P(ramp::kSteel, 0.85));
    FillTaper(c, {hilt.x - 22, hilt.y - 2}, {hilt.x + 22, hilt.y + 4}, 3, 3, P(ramp::kGold, 0.5));
    FillTaper(c, hilt, {hilt.x + std::sin(tilt) * 30, hilt.y - std::cos(tilt) * 30}, 3, 3, P(ramp::kWood, 0.35));
    c.FillEllipse(hilt.x + std::sin(tilt) * 33, hilt.y - std::cos(tilt) * 33, 5, 5, P(ramp::kGold, 0.6));
    PaintShield(c, 250, 372, 16, {P(ramp::kGold, 0.2), P(ramp::kGold, 0.4), P(ramp::kGold, 0.6)}, P(ramp::kRed, 0.3));
}

Canvas GameOverScreen(TextRenderer& text) {
    Canvas c(640, 480);
    PaintSky(c, {{0, P(ramp::kGrey, 0.02)}, {250, P(ramp::kRed, 0.15)}, {380, P(ramp::kRed, 0.35)}});
    c.FillEllipse(320, 360, 90, 90, P(ramp::kRed, 0.5));
    PaintGlow(c, 320, 360, 240, P(ramp::kRed, 0.45), 0.5);
    PaintFallenSword(c);
    PaintMeanderBand(c, 0, P(ramp::kRed, 0.45), P(ramp::kGrey, 0.03));
    PaintMeanderBand(c, 456, P(ramp::kRed, 0.45), P(ramp::kGrey, 0.03));
    text.DrawCentred(c, "YOU HAVE FALLEN", 320, 56,
                     {Face::SerifBold, 56, {255, 150, 110}, {170, 24, 20}, {20, 4, 4}, 3, 4});
    text.DrawCentred(c, "The champions of the gods stand unbeaten.", 320, 138, BodyStyle(20));
    const int keyX = 320 -
                     (text.Width("Press", Face::SansBold, 18) + 80 + text.Width("to return", Face::SansBold, 18)) / 2;
    int x = keyX + text.Draw(c, "Press", keyX, 414, LabelStyle(18)) + 10;
    x += PaintKeyCap(c, text, "Space", x, 410) + 10;
    text.Draw(c, "to return", x, 414, LabelStyle(18));
    return c;
}

Canvas VictoryScreen(TextRenderer& text) {
    Canvas c(640, 480);
    PaintSky(c, {{0, P(ramp::kFire, 0.55)}, {200, P(ramp::kGold, 0.8)}, {400, P(ramp::kGold, 0.95)}});
    for (int i = 0; i < 24; ++i) {
        const double a = i * 6.2832 / 24;
        c.ForEachInPolygon({{320, 300},
                            {320 + std::cos(a - 0.06) * 600, 300 + std::sin(a - 0.06) * 600},
                            {320 + std::cos(a + 0.06) * 600, 300 + std::sin(a + 0.06) * 600}},
                           [&](int x, int y) {
                               c.Blend(x, y, {255, 250, 220}, 0.35);
                           });
    }
    PaintGlow(c, 320, 300, 200, {255, 250, 225}, 0.7);
    std::vector<double> hill(640);
    for (int x = 0; x < 640; ++x) hill[x] = 420 - 30 * std::exp(-std::pow((x - 320) / 160.0, 2));
    PaintRidge(c, hill, P(ramp::kGreen, 0.5), P(ramp::kGreen, 0.2), 50, 0.1, 231);
    Scatter(c, 160, 150, 480, 400, 60, {255, 255, 240}, 232);
    StampPicture(c, PaintFighterFrame(0, 14), 320 - 30 * 3, 392 - 63 * 3, 3);
    PaintMeanderBand(c, 0, P(ramp::kGold, 0.35), P(ramp::kGold, 0.92));
    PaintMeanderBand(c, 456, P(ramp::kGold, 0.35), P(ramp::kGold, 0.92));
    text.DrawCentred(c, "VICTORY", 320, 32, TitleStyle(72));
    text.DrawCentred(c, "The five champions are beaten. Gaia's blade may rest.", 320, 116,
                     {Face::Serif, 20, {60, 30, 10}, {60, 30, 10}, {255, 240, 200}, 1, 0});
    const int keyX = 320 -
                     (text.Width("Press", Face::SansBold, 18) + 80 + text.Width("to return", Face::SansBold, 18)) / 2;
    int x = keyX + text.Draw(c, "Press", keyX, 424, LabelStyle(18)) + 10;
    x += PaintKeyCap(c, text, "Space", x, 420) + 10;
    text.Draw(c, "to return", x, 424, LabelStyle(18));
    return c;
}

std::vector<Ramp> AllRamps() {
    std::vector<Ramp> ramps;
    for (int first = 0; first < 256; first += 16) ramps.push_back({static_cast<std::uint8_t>(first), 16});
    return ramps;
}

}  // namespace

IndexedImage PaintMenu(int number) {
    TextRenderer text;
    switch (number) {
        case 1: return Quantise(TitleScreen(text), AllRamps(), 12.0);
        case 2: return Quantise(ReadyScreen(text), AllRamps(), 12.0);
        case 3: return Quantise(GameOverScreen(text), AllRamps(), 12.0);
        case 4: return Quantise(VictoryScreen(text), AllRamps(), 12.0);
    }
    throw std::out_of_range("no such menu screen");
}

}  // namespace datagen
