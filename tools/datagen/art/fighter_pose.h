// The poses of the shared animations, in the hero's units: the body stands on column 30,
// +x is forward (the way the fighter faces), +y is down.
#pragma once

#include "art/canvas.h"

namespace datagen {

struct Pose {
    double hipDx = 0, hipDy = 0;  // pelvis offset from standing
    double lean = 0;              // torso lean from upright, radians, positive forward
    Point nearFoot{5, 0};         // ankle: x offset from the standing body column, y lift
    Point farFoot{-5, 0};
    Point swordHand{8, 9};       // hand offset from the sword shoulder
    double swordAngle = -55;     // degrees: 0 forward, -90 straight up, 180 straight back
    Point offHand{-3, 11};       // off hand offset from its shoulder
    double offHandOnBlade = -1;  // >= 0: the off hand grips the blade this far along it
    bool bladeBehind = false;    // the blade passes behind head and body
    double cape = 0.3;           // how far the cloak streams back
};

// The pose of a used frame number (0-2, 6-8, 12-23).
const Pose& PoseOfFrame(int frame);

}  // namespace datagen
