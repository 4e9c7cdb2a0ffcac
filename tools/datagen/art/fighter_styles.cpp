#include <array>
#include <stdexcept>

#include "art/fighter.h"

namespace datagen {
namespace {

Material M(Ramp r, double dark, double light, double shine = 0.0) { return {r, dark, light, shine}; }

std::array<FighterStyle, kFighterCount> BuildStyles() {
    using namespace ramp;
    std::array<FighterStyle, kFighterCount> s{};
    // Gaia, the hero: bronze cuirass over a green tunic, long brown hair in a gold circlet,
    // a bright steel short sword.
    s[0] = {1.0,
            1.0,
            M(kSkin, 0.3, 0.78),
            M(kWood, 0.1, 0.5),
            M(kGold, 0.25, 0.92, 0.7),
            M(kGreen, 0.25, 0.72),
            M(kWood, 0.2, 0.62, 0.2),
            M(kWood, 0.08, 0.4),
            M(kGreen, 0.2, 0.6),
            M(kSteel, 0.45, 1.0),
            M(kWood, 0.15, 0.6),
            M(kGold, 0.4, 0.95, 0.4),
            Headgear::FlowingHair,
            19,
            2.6,
            0,
            false,
            false,
            false,
            1};
    // Eris, strife: slight, in a long violet gown and ragged cloak, wild dark hair, a
    // curved blade.
    s[1] = {0.97,
            0.9,
            M(kSkin, 0.45, 0.95),
            M(kViolet, 0.03, 0.35),
            M(kViolet, 0.25, 0.7, 0.2),
            M(kViolet, 0.15, 0.6),
            M(kGold, 0.3, 0.85, 0.4),
            M(kViolet, 0.05, 0.3),
            M(kViolet, 0.05, 0.35),
            M(kSteel, 0.4, 1.0),
            M(kViolet, 0.1, 0.4),
            M(kGold, 0.45, 0.95, 0.4),
            Headgear::WildHair,
            18,
            2.8,
            2.2,
            true,
            false,
            true,
            65};
    // Apollo, the sun: golden curls under laurel, white tunic, gold breastplate, a flame
    // coloured cloak and a long golden sword.
    s[2] = {1.03,
            1.0,
            M(kSkin, 0.45, 0.92),
            M(kGold, 0.5, 0.98),
            M(kGold, 0.35, 0.95, 0.7),
            M(kStone, 0.55, 1.0),
            M(kGold, 0.35, 0.9, 0.5),
            M(kGold, 0.2, 0.6),
            M(kFire, 0.3, 0.75),
            M(kGold, 0.55, 1.0),
            M(kWood, 0.2, 0.6),
            M(kGreen, 0.35, 0.75),
            Headgear::LaurelCurls,
            19,
            2.6,
            0,
            true,
            false,
            false,
            100};
    // Medousa, the gorgon: green scaled skin, a crown of serpents, bronze scale bodice over
    // a long sea-green gown, a bronze sickle sword.
    s[3] = {1.0,
            0.95,
            M(kTeal, 0.3, 0.8),
            M(kGreen, 0.2, 0.72),
            M(kGold, 0.2, 0.75, 0.4),
            M(kTeal, 0.12, 0.55),
            M(kGold, 0.25, 0.75, 0.3),
            M(kTeal, 0.05, 0.3),
            M(kTeal, 0.05, 0.3),
            M(kGold, 0.45, 0.95, 0.3),
            M(kWood, 0.1, 0.5),
            M(kGold, 0.4, 0.9, 0.4),
            Headgear::Serpents,
            17,
            2.8,
            2.6,
            false,
            false,
            true,
            47};
    // Haides, lord below: tall and broad, ash-pale skin, black armour and cloak, a horned
    // helm with burning eyes, a dark blade.
    s[4] = {1.07,
            1.15,
            M(kHaze, 0.35, 0.8),
            M(kViolet, 0.02, 0.2),
            M(kViolet, 0.05, 0.45, 0.6),
            M(kViolet, 0.03, 0.3),
            M(kSteel, 0.05, 0.45, 0.5),
            M(kViolet, 0.02, 0.2),
            M(kViolet, 0.02, 0.22),
            M(kSteel, 0.15, 0.7),
            M(kSteel, 0.05, 0.35),
            M(kTeal, 0.5, 0.95),
            Headgear::HornedHelm,
            16.5,
            3.0,
            0,
            true,
            false,
            false,
            157};
    // Aries, war: the biggest, in a red-crested bronze helm and muscled cuirass, red cloak,
    // a great round shield and a broad sword.
    s[5] = {1.08,
            1.2,
            M(kSkin, 0.25, 0.7),
            M(kRed, 0.3, 0.8),
            M(kGold, 0.15, 0.8, 0.7),
            M(kRed, 0.25, 0.7),
            M(kGold, 0.2, 0.8, 0.6),
            M(kWood, 0.05, 0.4),
            M(kRed, 0.15, 0.6),
            M(kSteel, 0.4, 1.0),
            M(kWood, 0.1, 0.5),
            M(kGold, 0.35, 0.9, 0.5),
            Headgear::CrestedHelm,
            17,
            3.4,
            0,
            true,
            true,
            false,
            1};
    return s;
}

}  // namespace

const FighterStyle& FighterStyleOf(int row) {
    static const std::array<FighterStyle, kFighterCount> styles = BuildStyles();
    if (row < 0 || row >= kFighterCount) throw std::out_of_range("no such fighter");
    return styles[row];
}

}  // namespace datagen
