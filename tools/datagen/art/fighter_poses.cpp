#include <array>
#include <stdexcept>

#include "art/fighter_pose.h"

namespace datagen {
namespace {

Pose Make(double hipDx, double hipDy, double lean, Point nearFoot, Point farFoot, Point hand, double angle,
          Point offHand, double cape) {
    Pose p;
    p.hipDx = hipDx;
    p.hipDy = hipDy;
    p.lean = lean;
    p.nearFoot = nearFoot;
    p.farFoot = farFoot;
    p.swordHand = hand;
    p.swordAngle = angle;
    p.offHand = offHand;
    p.cape = cape;
    return p;
}

Pose Parry(double hipDy, Point nearFoot, Point farFoot, Point hand, double angle, double grip) {
    Pose p = Make(0, hipDy, -0.04, nearFoot, farFoot, hand, angle, {4, 9}, 0.15);
    p.offHandOnBlade = grip;
    return p;
}

std::array<Pose, 24> BuildPoses() {
    std::array<Pose, 24> p{};
    // Advance: a guarded walk forward, contact - passing - contact (played 0, 1, 2, 1).
    p[0] = Make(0, 1.2, 0.08, {8, 0}, {-7, 0}, {8, 9}, -55, {-4, 11}, 0.25);
    p[1] = Make(0, -0.3, 0.08, {1, 0}, {-1, 2.5}, {8, 8}, -58, {-2, 12}, 0.4);
    p[2] = Make(0, 1.2, 0.08, {-7, 0}, {8, 0}, {9, 9}, -52, {-1, 11}, 0.55);
    // Retreat: backing off in a high guard, weight on the back foot (played 6, 7, 8, 7).
    p[6] = Make(-1, 1.0, -0.07, {6, 0}, {-8, 0}, {7, 5}, -78, {-5, 9}, 0.1);
    p[7] = Make(-1, -0.2, -0.07, {0, 2.5}, {-1, 0}, {7, 4}, -80, {-4, 10}, 0.05);
    p[8] = Make(-1, 1.0, -0.07, {-8, 0}, {5, 0}, {7, 5}, -74, {-3, 9}, 0.0);
    // Strike: wind up behind the head, cut down and forward, end in a full lunge (frame 17,
    // the middle of the played list 12..17..13, reaches furthest).
    p[12] = Make(-1.5, 1.0, -0.14, {7, 0}, {-8, 0}, {-5, -3}, -172, {6, 6}, 0.1);
    p[12].bladeBehind = true;
    p[13] = Make(-0.5, 0.5, -0.05, {8, 0}, {-8, 0}, {-1, -7}, -156, {5, 7}, 0.2);
    p[13].bladeBehind = true;
    p[14] = Make(0.5, 1.2, 0.06, {9, 0}, {-8, 0}, {7, -5}, -40, {-2, 10}, 0.35);
    p[15] = Make(1.0, 2.0, 0.13, {11, 0}, {-9, 0}, {11, 0}, -15, {-5, 8}, 0.5);
    p[16] = Make(1.5, 2.8, 0.18, {12, 0}, {-10, 0}, {12.5, 3}, -4, {-8, 6}, 0.6);
    p[17] = Make(2.0, 3.5, 0.22, {13, 0}, {-11, 0}, {13, 4}, 3, {-10, 4}, 0.7);
    // Block: parries with the blade raised across the body, the off hand bracing it
    // (played 19, 18, 21, 20, 21, 22, 21, 23, 18, 19).
    p[18] = Parry(2.0, {7, 0}, {-7, 0}, {8, 9}, -100, 0.45);
    p[19] = Parry(1.5, {7, 0}, {-7, 0}, {7, 10}, -115, 0.5);
    p[20] = Parry(2.5, {8, 0}, {-7, 0}, {6, 2}, -152, 0.5);
    p[21] = Parry(2.0, {7, 0}, {-8, 0}, {9, 5}, -130, 0.45);
    p[22] = Parry(3.5, {8, 0}, {-8, 0}, {8, 12}, -72, 0.5);
    p[23] = Parry(2.5, {7, 0}, {-7, 0}, {10, 8}, -140, 0.55);
    return p;
}

}  // namespace

const Pose& PoseOfFrame(int frame) {
    static const std::array<Pose, 24> poses = BuildPoses();
    if (frame < 0 || frame >= 24) throw std::out_of_range("no pose for this frame");
    return poses[frame];
}

}  // namespace datagen
