// Paints a fighter frame: a jointed figure posed by the frame's Pose and dressed by the
// fighter's style. All measures are in the hero's units and scaled about the soles.
#include <algorithm>
#include <cmath>
#include <numbers>

#include "art/fighter.h"
#include "art/fighter_pose.h"

namespace datagen {
namespace {

constexpr double kHipY = 35.0;
constexpr double kAnkleY = 59.3;
constexpr double kSoleBottom = 62.6;  // lowest edge of a standing foot
constexpr double kThigh = 12.8, kShin = 12.6, kUpperArm = 9.0, kForearm = 8.6;

Point Add(Point a, Point b) { return {a.x + b.x, a.y + b.y}; }
Point Sub(Point a, Point b) { return {a.x - b.x, a.y - b.y}; }
Point Mul(Point a, double k) { return {a.x * k, a.y * k}; }
double Length(Point a) { return std::hypot(a.x, a.y); }

// Two-bone reach: where the middle joint (knee, elbow) lies when the end reaches `target`.
// bend +1 turns the joint clockwise off the straight line, -1 counter-clockwise.
Point Joint(Point root, Point target, double upper, double lower, double bend) {
    const Point to = Sub(target, root);
    const double d = std::clamp(Length(to), std::fabs(upper - lower) + 0.01, upper + lower - 0.01);
    const double angle = std::acos(std::clamp((upper * upper + d * d - lower * lower) / (2 * upper * d), -1.0, 1.0));
    const double base = std::atan2(to.y, to.x) + bend * angle;
    return {root.x + std::cos(base) * upper, root.y + std::sin(base) * upper};
}

// Where the end actually lands when the target is out of reach.
Point Reach(Point root, Point target, double total) {
    const Point to = Sub(target, root);
    const double d = Length(to);
    return d <= total - 0.02 ? target : Add(root, Mul(to, (total - 0.02) / d));
}

Material Farther(Material m) {
    m.light = std::max(m.dark, m.light - 0.18);
    m.dark = std::max(0.0, m.dark - 0.04);
    return m;
}

class Figure {
public:
    Figure(const FighterStyle& style, const Pose& pose, bool lightFromLeft)
        : s_(style), p_(pose), painter_(kCellWidth, kCellHeight, lightFromLeft) {
        Rig();
    }

    IndexedImage Paint() {
        if (s_.hasCape) Cape();
        Arm(farShoulder_, farHand_, Farther(s_.skin), Farther(s_.greaves), 2);
        if (p_.bladeBehind) Sword();
        Leg(farHip_, farFoot_, p_.farFoot.y, true, 3);
        Leg(nearHip_, nearFoot_, p_.nearFoot.y, false, 4);
        Skirt();
        Torso();
        Head();
        if (s_.hasShield) Shield();
        if (!p_.bladeBehind) Sword();
        Arm(nearShoulder_, swordHand_, s_.skin, s_.greaves, 11);
        painter_.Ellipse(T(swordHand_), R(2.0), R(2.0), s_.skin, 11);
        return painter_.Finish(kOutlineBlack);
    }

private:
    // Hero units to cell pixels: scale about the soles of the body column.
    Point T(Point p) const {
        return {kBodyColumn + (p.x - kBodyColumn) * s_.scale, kSoleBottom + (p.y - kSoleBottom) * s_.scale};
    }
    double R(double r) const { return r * s_.scale; }
    double B(double r) const { return r * s_.scale * s_.bulk; }
    Point Local(Point origin, double across, double up) const {
        return Add(origin, Add(Mul(forward_, across * s_.bulk), Mul(up_, up)));
    }

    void Rig() {
        hip_ = {kBodyColumn + p_.hipDx, kHipY + p_.hipDy};
        up_ = {std::sin(p_.lean), -std::cos(p_.lean)};
        forward_ = {std::cos(p_.lean), std::sin(p_.lean)};
        neck_ = Add(hip_, Mul(up_, 15.0));
        const Point shoulder = Add(hip_, Mul(up_, 13.5));
        nearShoulder_ = Add(shoulder, Mul(forward_, 1.0));
        farShoulder_ = Add(Add(shoulder, Mul(forward_, -1.5)), {0, 0.5});
        head_ = Add(Add(neck_, Mul(up_, 5.2)), Mul(forward_, 0.6));
        nearHip_ = Add(hip_, Mul(forward_, 1.2));
        farHip_ = Add(hip_, Mul(forward_, -1.0));
        nearFoot_ = {kBodyColumn + p_.nearFoot.x, kAnkleY - p_.nearFoot.y};
        farFoot_ = {kBodyColumn + p_.farFoot.x, kAnkleY - p_.farFoot.y};
        const double armLength = kUpperArm + kForearm;
        swordHand_ = Reach(nearShoulder_, Add(nearShoulder_, p_.swordHand), armLength);
        const double a = p_.swordAngle * std::numbers::pi / 180.0;
        bladeDir_ = {std::cos(a), std::sin(a)};
        // A shield arm holds the shield up in front whatever the sword does.
        const Point offTarget = s_.hasShield ? Add(farShoulder_, Point{5.5, 7.0})
                                : p_.offHandOnBlade >= 0
                                    ? Add(swordHand_, Mul(bladeDir_, 3.0 + p_.offHandOnBlade * s_.bladeLength))
                                    : Add(farShoulder_, p_.offHand);
        farHand_ = Reach(farShoulder_, offTarget, armLength);
    }

    void Leg(Point hipJoint, Point ankle, double lift, bool far, int group) {
        const Point knee = Joint(hipJoint, ankle, kThigh, kShin, -1);
        const Material skin = far ? Farther(s_.skin) : s_.skin;
        const Material greave = far ? Farther(s_.greaves) : s_.greaves;
        const Material boot = far ? Farther(s_.boots) : s_.boots;
        painter_.Capsule(T(hipJoint), T(knee), B(3.6), B(2.7), skin, group);
        painter_.Capsule(T(knee), T(ankle), B(2.8), B(2.0), greave, group);
        // The foot points forward; a lifted foot hangs its toe down.
        const Point heel = Add(ankle, {-1.2, 1.7});
        const Point toe = Add(ankle, lift > 0.5 ? Point{3.2, 2.4} : Point{3.9, 1.7});
        painter_.Capsule(T(heel), T(toe), R(1.6), R(1.5), boot, group);
    }

    void Arm(Point shoulder, Point hand, const Material& skin, const Material& bracer, int group) {
        const Point elbow = Joint(shoulder, hand, kUpperArm, kForearm, 1);
        painter_.Capsule(T(shoulder), T(elbow), B(2.7), B(2.2), skin, group);
        painter_.Capsule(T(elbow), T(hand), B(2.3), B(1.9), bracer, group);
        painter_.Ellipse(T(hand), R(2.0), R(2.0), skin, group);
    }

    void Torso() {
        const std::vector<std::pair<double, double>> outline = {{-5.0, -0.5}, {4.6, -0.5}, {5.4, 5},
                                                                {6.4, 10},    {5.6, 13.5}, {2.2, 15.8},
                                                                {-2.6, 15.8}, {-6.0, 13},  {-5.4, 6}};
        std::vector<Point> shape;
        for (auto [across, up] : outline) shape.push_back(T(Local(hip_, across, up)));
        painter_.Polygon(shape, s_.torso, 6, 3.5 * s_.scale);
        painter_.Capsule(T(Local(hip_, -5.0, 0.6)), T(Local(hip_, 4.8, 0.6)), R(1.1), R(1.1), s_.trim, 7);
        painter_.Ellipse(T(Add(nearShoulder_, {0, 0.5})), B(3.1), B(2.7), s_.torso, 7);
    }

    void Skirt() {
        // The skirt hangs from the waist and flares with the stride.
        const double length = s_.longSkirt ? 19.0 : 9.5;
        const double stride = std::max(p_.nearFoot.x, p_.farFoot.x), back = std::min(p_.nearFoot.x, p_.farFoot.x);
        const double hemFront = std::max(5.5, 0.55 * stride + (s_.longSkirt ? 4.5 : 2.0));
        const double hemBack = std::min(-6.0, 0.55 * back - (s_.longSkirt ? 4.5 : 2.0));
        const Point waist = hip_;
        const Point hem = {hip_.x, hip_.y + length};
        std::vector<Point> shape = {T(Local(waist, -4.6, -0.2)), T(Local(waist, 4.3, -0.2)),
                                    T({hem.x + hemFront, hem.y}), T({hem.x + (hemFront + hemBack) / 2, hem.y + 1.2}),
                                    T({hem.x + hemBack, hem.y})};
        painter_.Polygon(shape, s_.skirt, 5, 2.5 * s_.scale);
    }

    void Cape() {
        const double swing = p_.cape;
        const Point top = Add(neck_, Mul(forward_, -1.5));
        const std::vector<Point> shape = {T(top),
                                          T(Add(top, {-4.0, 2.0})),
                                          T({top.x - 8 - 5 * swing, top.y + 20}),
                                          T({top.x - 9 - 8 * swing, top.y + 36}),
                                          T({top.x - 3 - 5 * swing, top.y + 38}),
                                          T({top.x - 1, top.y + 16})};
        painter_.Polygon(shape, s_.cape, 1, 2.5 * s_.scale);
    }

    void Shield() {
        painter_.Ellipse(T(farHand_), B(4.6), B(9.0), s_.trim, 2);
        painter_.Ellipse(T(Add(farHand_, {0.4, 0})), B(3.6), B(7.6), s_.torso, 2);
        painter_.Ellipse(T(Add(farHand_, {0.6, 0})), B(1.7), B(3.4), s_.hair, 2);
    }

    void Sword() {
        const Point guard = Add(swordHand_, Mul(bladeDir_, 2.2));
        const Point across = {-bladeDir_.y, bladeDir_.x};
        painter_.Capsule(T(Add(swordHand_, Mul(bladeDir_, -2.4))), T(guard), R(0.9), R(0.9), s_.hilt, 10);
        painter_.Ellipse(T(Add(swordHand_, Mul(bladeDir_, -2.8))), R(1.1), R(1.1), s_.trim, 10);
        painter_.Blade(T(Add(guard, Mul(bladeDir_, 0.3))), T(Add(guard, Mul(bladeDir_, s_.bladeLength))),
                       s_.bladeWidth * s_.scale, s_.bladeCurve * s_.scale, s_.blade, 10);
        painter_.Capsule(T(Add(guard, Mul(across, -2.6))), T(Add(guard, Mul(across, 2.6))), R(0.8), R(0.8), s_.trim,
                         10);
    }

    void Head() {
        painter_.Capsule(T(neck_), T(head_), B(1.8), B(1.8), s_.skin, 8);
        if (s_.headgear == Headgear::FlowingHair || s_.headgear == Headgear::WildHair) BackHair();
        painter_.Ellipse(T(head_), R(4.2), R(4.5), s_.skin, 8);
        switch (s_.headgear) {
            case Headgear::FlowingHair: Circlet(); break;
            case Headgear::WildHair: HairCap(); break;
            case Headgear::LaurelCurls: Curls(); break;
            case Headgear::Serpents: Serpents(); break;
            case Headgear::HornedHelm: HornedHelm(); break;
            case Headgear::CrestedHelm: CrestedHelm(); break;
        }
        const Point eye = T(Add(head_, {2.1, -0.4}));
        painter_.Dot(int(eye.x), int(eye.y), s_.eye, 9);
    }

    Point H(double dx, double dy) const { return Add(head_, {dx, dy}); }

    void HairCap() { painter_.Ellipse(T(H(-0.9, -1.4)), R(4.2), R(3.7), s_.hair, 9); }

    void BackHair() {
        const double flow = p_.cape * 2.0;
        if (s_.headgear == Headgear::FlowingHair) {
            painter_.Polygon({T(H(-1, -4.5)), T(H(-4.6, -1.5)), T(H(-6.5 - flow, 6)), T(H(-5.5 - flow, 11)),
                              T(H(-3, 9)), T(H(-1.5, 3))},
                             s_.hair, 9, 2.0);
            return;
        }
        // Wild hair: a ragged mane of spikes all round the back of the head.
        std::vector<Point> mane;
        for (int i = 0; i <= 10; ++i) {
            const double a = (100 + i * 20) * std::numbers::pi / 180.0;
            const double r = (i % 2 == 0 ? 7.6 : 4.6) + (i == 5 ? 1.0 : 0.0);
            mane.push_back(T(H(-1.0 + std::cos(a) * r * 1.05 - flow * 0.3, -0.8 + std::sin(a) * r * -1.0)));
        }
        painter_.Polygon(mane, s_.hair, 9, 2.0);
    }

    void Circlet() {
        painter_.Ellipse(T(H(-0.9, -1.6)), R(4.1), R(3.4), s_.hair, 9);
        painter_.Capsule(T(H(-3.9, -2.0)), T(H(3.7, -2.7)), R(0.75), R(0.75), s_.trim, 9);
    }

    void Curls() {
        for (int i = 0; i < 9; ++i) {
            const double a = (150 + i * 24) * std::numbers::pi / 180.0;
            painter_.Ellipse(T(H(-0.6 + std::cos(a) * 3.7, -0.9 + std::sin(a) * 3.9)), R(1.9), R(1.9), s_.hair, 9);
        }
        for (int i = 0; i < 7; ++i) {
            const double a = (200 + i * 22) * std::numbers::pi / 180.0;
            painter_.Ellipse(T(H(-0.4 + std::cos(a) * 4.6, -0.8 + std::sin(a) * 4.6)), R(1.0), R(0.8), s_.trim, 9);
        }
    }

    void Serpents() {
        HairCap();
        for (int k = 0; k < 6; ++k) {
            const double a = (160 + k * 26) * std::numbers::pi / 180.0;
            Point at = H(std::cos(a) * 3.5 - 0.5, std::sin(a) * 3.6 - 1.0);
            const Point out{std::cos(a), std::sin(a)};
            const Point side{-out.y, out.x};
            for (int seg = 1; seg <= 4; ++seg) {
                const double wave = (seg % 2 ? 1.2 : -1.2) * (k % 2 ? 1 : -1);
                const Point next = Add(at, Add(Mul(out, 1.9), Mul(side, wave)));
                painter_.Capsule(T(at), T(next), R(1.0), R(0.9), s_.hair, 9);
                at = next;
            }
            painter_.Ellipse(T(at), R(1.4), R(1.2), s_.hair, 9);
            const Point eye = T(at);
            painter_.Dot(int(eye.x), int(eye.y), Shade(ramp::kRed, 0.7), 9);
        }
    }

    void HornedHelm() {
        for (double side : {-1.0, 1.0}) {
            Point at = H(side * 1.5 - 0.5, -3.8);
            const Point path[3] = {{-3.0, -1.6}, {-3.4, 0.6}, {-2.2, 2.4}};
            double r = 1.5;
            for (const Point& step : path) {
                const Point next = Add(at, {step.x + side * 0.4, step.y - 0.8});
                painter_.Capsule(T(at), T(next), R(r), R(r - 0.35), s_.greaves, 9);
                at = next;
                r -= 0.35;
            }
        }
        painter_.Ellipse(T(H(-0.3, -0.6)), R(4.8), R(5.1), s_.greaves, 9);
        painter_.Polygon({T(H(1.2, -2.0)), T(H(4.6, -1.6)), T(H(4.4, 0.4)), T(H(1.0, 0.6))}, s_.hair, 9, 1.0);
        painter_.Capsule(T(H(-1.5, 3.6)), T(H(-4.2, 5.8)), R(1.4), R(1.2), s_.greaves, 9);
    }

    void CrestedHelm() {
        // The horsehair crest arcs from brow to nape above the bronze bowl.
        std::vector<Point> crest;
        for (int i = 0; i <= 8; ++i) {
            const double a = (-20 - i * 22.5) * std::numbers::pi / 180.0;
            crest.push_back(T(H(-1.0 + std::cos(a) * 7.6, 0.6 + std::sin(a) * 7.2)));
        }
        for (int i = 8; i >= 0; --i) {
            const double a = (-20 - i * 22.5) * std::numbers::pi / 180.0;
            crest.push_back(T(H(-1.0 + std::cos(a) * 4.4, 0.6 + std::sin(a) * 4.4)));
        }
        painter_.Polygon(crest, s_.hair, 9, 1.6);
        painter_.Ellipse(T(H(-0.3, -0.5)), R(4.8), R(5.0), s_.torso, 9);
        painter_.Polygon({T(H(0.6, 0.2)), T(H(4.6, 0.0)), T(H(4.0, 4.6)), T(H(1.6, 5.4))}, s_.torso, 9, 1.2);
        painter_.Capsule(T(H(0.8, -0.6)), T(H(4.4, -0.6)), R(0.6), R(0.6), Material{ramp::kGrey, 0.07, 0.1}, 9);
        painter_.Capsule(T(H(-1.5, 4.0)), T(H(-4.6, 6.0)), R(1.5), R(1.3), s_.torso, 9);
    }

    const FighterStyle& s_;
    const Pose& p_;
    SpritePainter painter_;
    Point hip_, up_, forward_, neck_, head_, nearShoulder_, farShoulder_, nearHip_, farHip_;
    Point nearFoot_, farFoot_, swordHand_, farHand_, bladeDir_;
};

IndexedImage Mirror(const IndexedImage& image) {
    IndexedImage out(image.width, image.height);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) out.Set(image.width - 1 - x, y, image.At(x, y));
    return out;
}

}  // namespace

bool IsLoadedFrame(int frame) {
    return (frame >= 0 && frame <= 3) || (frame >= 6 && frame <= 9) || (frame >= 12 && frame <= 23);
}

IndexedImage PaintFighterFrame(int row, int frame) {
    const bool facingRight = row == 0;
    // Frames 3 and 9 are loaded but no animation shows them; they repeat the passing step.
    const int pose = frame == 3 ? 1 : frame == 9 ? 7 : frame;
    Figure figure(FighterStyleOf(row), PoseOfFrame(pose), facingRight);
    const IndexedImage picture = figure.Paint();
    return facingRight ? picture : Mirror(picture);
}

IndexedImage PaintStatueFrame(int row, int frame, bool facingRight) {
    // The fighter's own shapes, every material turned to weathered stone.
    FighterStyle stone = FighterStyleOf(row);
    const Material rock{ramp::kStone, 0.2, 0.85}, darker{ramp::kStone, 0.12, 0.7}, paler{ramp::kStone, 0.3, 0.95};
    for (Material* m : {&stone.skin, &stone.torso, &stone.trim, &stone.blade}) *m = paler;
    for (Material* m : {&stone.hair, &stone.skirt, &stone.greaves, &stone.hilt}) *m = rock;
    for (Material* m : {&stone.boots, &stone.cape}) *m = darker;
    stone.eye = Shade(ramp::kStone, 0.25);
    Figure figure(stone, PoseOfFrame(frame), facingRight);
    const IndexedImage picture = figure.Paint();
    return facingRight ? picture : Mirror(picture);
}

}  // namespace datagen
