// Tests of polar vectors, common tangents and the belt path with its lengths.
#include <gtest/gtest.h>

#include <cmath>
#include <cstring>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "geometry/belt_path.h"
#include "geometry/polar_vector.h"
#include "geometry/tangents.h"
#include "model/drive_state.h"

namespace idrova {
namespace {

constexpr double kR20 = 25.464790894703256;  // 20 teeth at 8 mm pitch
constexpr double kR10 = 12.732395447351628;  // 10 teeth
constexpr double kR40 = 2.0 * kR20;          // 40 teeth
constexpr double kFigureMm = 5e-7;           // figures given to six decimals
constexpr double kExactMm = 1e-9;
constexpr double kUnchecked = std::numeric_limits<double>::quiet_NaN();
const PolarVector kSentinel(-99.0, -99.0);

void ExpectVector(PolarVector actual, PolarVector expected, double tolerance) {
  EXPECT_NEAR(actual.Length, expected.Length, tolerance);
  EXPECT_NEAR(actual.Angle, expected.Angle, tolerance);
}

void ExpectSame(PolarVector actual, PolarVector expected) {
  EXPECT_EQ(actual.Length, expected.Length);
  EXPECT_EQ(actual.Angle, expected.Angle);
}

double Cross(CartesianVector a, CartesianVector b) { return a.X * b.Y - a.Y * b.X; }
double Dot(CartesianVector a, CartesianVector b) { return a.X * b.X + a.Y * b.Y; }
CartesianVector Plus(CartesianVector a, CartesianVector b) { return {a.X + b.X, a.Y + b.Y}; }
CartesianVector Centre(const WheelCircle& w) { return {w.X, w.Y}; }

// A straight span from `from` to `to` that leaves `from` at `contact` must be
// tangent there, end on `to`, and touch both wheels from the same side: the
// left of the span for side +1, the right for side -1.
void ExpectOuterTangent(const WheelCircle& from, const WheelCircle& to, PolarVector contact,
                        PolarVector span, double side) {
  const CartesianVector c = ToCartesian(contact);
  const CartesianVector s = ToCartesian(span);
  const CartesianVector end = Plus(Plus(Centre(from), c), s);
  const CartesianVector expectedEnd = Plus(Centre(to), ToCartesian({to.Radius, contact.Angle}));
  EXPECT_NEAR(std::hypot(c.X, c.Y), from.Radius, kExactMm);
  EXPECT_NEAR(end.X, expectedEnd.X, kExactMm);
  EXPECT_NEAR(end.Y, expectedEnd.Y, kExactMm);
  EXPECT_NEAR(Dot(c, s), 0.0, kExactMm * span.Length);
  EXPECT_GT(side * Cross(s, c), 0.0) << "contact on the wrong side of the span";
}

// ---- Polar vectors --------------------------------------------------------

TEST(PolarVectorTest, FromCartesianAxesAndZero) {
  ExpectSame(FromCartesian(0.0, 0.0), {0.0, 0.0});
  ExpectSame(FromCartesian(0.0, 5.0), {5.0, kPi / 2});
  ExpectSame(FromCartesian(0.0, -5.0), {5.0, -kPi / 2});
  ExpectSame(FromCartesian(-1.0, 0.0), {1.0, kPi});
}

TEST(PolarVectorTest, BetweenPointsFromTailToHead) {
  ExpectSame(Between(3.0, 4.0, 3.0, 4.0), {0.0, 0.0});
  ExpectSame(Between(0.0, 0.0, 0.0, -3.0), {3.0, -kPi / 2});
  ExpectVector(Between(0.0, 0.0, 150.0, 100.0), {180.2775637731995, 0.5880026035475675}, 1e-12);
  ExpectVector(Between(150.0, 100.0, 0.0, 0.0), {180.2775637731995, 0.5880026035475675 - kPi},
               1e-12);
}

TEST(PolarVectorTest, ReversedTurnsHalfAWayWithoutReducing) {
  ExpectSame(Reversed({2.0, 0.0}), {2.0, kPi});
  ExpectSame(Reversed({2.0, kPi}), {2.0, 0.0});
  ExpectSame(Reversed({2.0, -kPi / 2}), {2.0, kPi / 2});
  ExpectSame(Reversed({0.0, 0.0}), {0.0, kPi});
  ExpectSame(Reversed({1.0, 4.0}), {1.0, 4.0 - kPi});
}

TEST(PolarVectorTest, SumDifferenceAndCartesianRounding) {
  ExpectVector(PolarVector(1.0, 0.0) + PolarVector(1.0, kPi / 2), {std::sqrt(2.0), kPi / 4}, 1e-15);
  ExpectSame(PolarVector(1.0, 0.0) - PolarVector(1.0, 0.0), {0.0, 0.0});
  const CartesianVector back = ToCartesian({2.0, kPi});
  EXPECT_EQ(back.X, -2.0);
  EXPECT_NE(back.Y, 0.0);
  EXPECT_NEAR(back.Y, 2.4493e-16, 1e-20);
}

// ---- Tangents -------------------------------------------------------------

struct TangentRow {
  const char* name;
  WheelCircle circle1, circle2;
  int outerRelation, crossedRelation;
};

void PrintTo(const TangentRow& row, std::ostream* os) { *os << row.name; }

class TangentRelationTest : public testing::TestWithParam<TangentRow> {};

TEST_P(TangentRelationTest, OuterSetsRadiiAndTouchesBothOnOneSide) {
  const auto& [name, c1, c2, expected, unused] = GetParam();
  PolarVector contact[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
  PolarVector segment[2] = {kSentinel, kSentinel};
  EXPECT_EQ(OuterTangents(c1.X, c1.Y, c1.Radius, c2.X, c2.Y, c2.Radius, contact, segment),
            expected);
  for (int i = 0; i < 4; ++i) EXPECT_EQ(contact[i].Length, i % 2 == 0 ? c1.Radius : c2.Radius);
  if (expected <= kInsideTouching) {
    for (const PolarVector& v : contact) EXPECT_EQ(v.Angle, kSentinel.Angle);
    for (const PolarVector& v : segment) ExpectSame(v, kSentinel);
    return;
  }
  const CartesianVector centreLine = {c2.X - c1.X, c2.Y - c1.Y};
  for (int k = 0; k < 2; ++k) {
    const double side = k == 0 ? 1.0 : -1.0;  // tangent 0 on the left of the centre line
    EXPECT_EQ(contact[2 * k].Angle, contact[2 * k + 1].Angle);
    EXPECT_GT(side * Cross(centreLine, ToCartesian(contact[2 * k])), 0.0);
    ExpectOuterTangent(c1, c2, contact[2 * k], segment[k], side);
  }
}

TEST_P(TangentRelationTest, CrossedWritesOnlyWhenApart) {
  const auto& [name, c1, c2, unused, expected] = GetParam();
  PolarVector contact[4] = {kSentinel, kSentinel, kSentinel, kSentinel};
  PolarVector segment[2] = {kSentinel, kSentinel};
  EXPECT_EQ(CrossedTangents(c1.X, c1.Y, c1.Radius, c2.X, c2.Y, c2.Radius, contact, segment),
            expected);
  if (expected != kApart) {
    for (const PolarVector& v : contact) ExpectSame(v, kSentinel);
    for (const PolarVector& v : segment) ExpectSame(v, kSentinel);
    return;
  }
  const CartesianVector centreLine = {c2.X - c1.X, c2.Y - c1.Y};
  for (int k = 0; k < 2; ++k) {
    const double side = k == 0 ? -1.0 : 1.0;  // tangent 0 touches circle 1 on the right
    const CartesianVector on1 = ToCartesian(contact[2 * k]);
    const CartesianVector on2 = ToCartesian(contact[2 * k + 1]);
    const CartesianVector end = Plus(Plus(Centre(c1), on1), ToCartesian(segment[k]));
    EXPECT_EQ(contact[2 * k].Length, c1.Radius);
    EXPECT_EQ(contact[2 * k + 1].Length, c2.Radius);
    EXPECT_NEAR(end.X, c2.X + on2.X, kExactMm);
    EXPECT_NEAR(end.Y, c2.Y + on2.Y, kExactMm);
    EXPECT_NEAR(Dot(on1, ToCartesian(segment[k])), 0.0, kExactMm * segment[k].Length);
    EXPECT_GT(side * Cross(centreLine, on1), 0.0);
    EXPECT_LT(side * Cross(centreLine, on2), 0.0);
  }
}

// The belt path builds its contacts in two steps; they must agree with the
// one-call construction to the last bit.
TEST_P(TangentRelationTest, TwoStepsGiveTheSameBits) {
  const auto& [name, c1, c2, expected, unused] = GetParam();
  PolarVector contact[4];
  PolarVector segment[2];
  OuterTangents(c1.X, c1.Y, c1.Radius, c2.X, c2.Y, c2.Radius, contact, segment);
  const OuterTangentPair pair = OuterTangentSegments(c1.X, c1.Y, c1.Radius, c2.X, c2.Y, c2.Radius);
  EXPECT_EQ(pair.Relation, expected);
  for (int k = 0; k < 2; ++k) {
    ExpectSame(pair.Segment[k], segment[k]);
    EXPECT_EQ(OuterContactAngle(pair, k), contact[2 * k].Angle);
  }
}

INSTANTIATE_TEST_SUITE_P(
    Layouts, TangentRelationTest,
    testing::Values(TangentRow{"SmallToLargeApart", {0, 0, 1}, {10, 0, 3}, 3, 3},
                    TangentRow{"LargeToSmallApart", {0, 0, 3}, {10, 0, 1}, 3, 3},
                    TangentRow{"EqualRadiiUpward", {0, 0, 5}, {0, 100, 5}, 3, 3},
                    TangentRow{"EqualRadiiLeftward", {0, 0, 5}, {-100, 0, 5}, 3, 3},
                    TangentRow{"SlantedApart", {3, -4, 1}, {-7, 12, 2}, 3, 3},
                    TangentRow{"Overlapping", {0, 0, 10}, {15, 0, 10}, 1, 1},
                    TangentRow{"OverlappingUnequal", {0, 0, 10}, {12, 5, 4}, 1, 1},
                    TangentRow{"TouchingOutside", {0, 0, 5}, {10, 0, 5}, 2, 2},
                    TangentRow{"InsideApart", {0, 0, 10}, {2, 0, 3}, -1, -1},
                    TangentRow{"InsideTouching", {0, 0, 10}, {7, 0, 3}, 0, 0},
                    TangentRow{"EqualOnOneCentre", {1, 1, 4}, {1, 1, 4}, 0, 0},
                    TangentRow{"DifferentOnOneCentre", {1, 1, 4}, {1, 1, 6}, -1, -1}),
    [](const auto& info) { return std::string(info.param.name); });

struct TangentFigureRow {
  const char* name;
  bool crossed;
  WheelCircle circle1, circle2;
  PolarVector segment0, segment1;
  double contact0Angle, contact2Angle;
};

TEST(TangentFigureTest, SegmentsAndContactDirections) {
  const TangentFigureRow rows[] = {
      {"small to large", false, {0, 0, 1}, {10, 0, 3}, {9.797959, 0.201358}, {9.797959, -0.201358},
       1.772154, -1.772154},
      {"large to small", false, {0, 0, 3}, {10, 0, 1}, {9.797959, -0.201358}, {9.797959, 0.201358},
       1.369438, -1.369438},
      {"equal radii upward", false, {0, 0, 5}, {0, 100, 5}, {100, kPi / 2}, {100, kPi / 2}, kPi, 0},
      // Contact directions of equal wheels are not reduced into (-pi, pi].
      {"equal radii leftward", false, {0, 0, 5}, {-100, 0, 5}, {100, kPi}, {100, kPi}, 1.5 * kPi,
       kPi / 2},
      {"crossed", true, {0, 0, 1}, {10, 0, 2}, {9.539392, 0.304693}, {9.539392, -0.304693},
       -1.266104, 1.266104},
  };
  for (const auto& [name, crossed, c1, c2, segment0, segment1, angle0, angle2] : rows) {
    SCOPED_TRACE(name);
    PolarVector contact[4];
    PolarVector segment[2];
    (crossed ? CrossedTangents : OuterTangents)(c1.X, c1.Y, c1.Radius, c2.X, c2.Y, c2.Radius,
                                                contact, segment);
    ExpectVector(segment[0], segment0, kFigureMm);
    ExpectVector(segment[1], segment1, kFigureMm);
    EXPECT_NEAR(contact[0].Angle, angle0, kFigureMm);
    EXPECT_NEAR(contact[2].Angle, angle2, kFigureMm);
  }
}

TEST(TangentFigureTest, ContactPointsOfTheUpperOuterTangent) {
  PolarVector contact[4];
  PolarVector segment[2];
  OuterTangents(0, 0, 1, 10, 0, 3, contact, segment);
  const CartesianVector on1 = ToCartesian(contact[0]);
  const CartesianVector on2 = Plus({10, 0}, ToCartesian(contact[1]));
  EXPECT_NEAR(on1.X, -0.2, kFigureMm);
  EXPECT_NEAR(on1.Y, 0.979796, kFigureMm);
  EXPECT_NEAR(on2.X, 9.4, kFigureMm);
  EXPECT_NEAR(on2.Y, 2.939388, kFigureMm);
}

// Negative radii (a negative typed pitch) can put the radius sum below minus
// the centre distance; the arc sine must not be taken outside [-1, 1] then.
TEST(TangentFigureTest, CrossedWithLargeNegativeRadiiIsNotFinite) {
  PolarVector contact[4];
  PolarVector segment[2];
  EXPECT_EQ(CrossedTangents(0, 0, -10, 5, 0, -10, contact, segment), kApart);
  EXPECT_TRUE(std::isnan(segment[0].Length));
  EXPECT_TRUE(std::isnan(segment[1].Angle));
}

// ---- Wrapped arcs -----------------------------------------------------------

TEST(WrapArcTest, CounterclockwiseTurnTimesRadius) {
  struct Row {
    const char* name;
    double in, out, radius, expected;
  };
  const Row rows[] = {
      {"equal angles give no turn", 1.0, 1.0, 5.0, 0.0},
      {"quarter turn", 0.0, kPi / 2, 2.0, kPi},
      {"across the -X direction", 3.0, -3.0, 1.0, kTwoPi - 6.0},
      {"just short of a full turn", 0.25, 0.0, 1.0, kTwoPi - 0.25},
      // One turn at most: a loop would not end on infinite angles.
      {"one turn added at most", 10.0, 0.0, 1.0, kTwoPi - 10.0},
  };
  for (const Row& row : rows) {
    SCOPED_TRACE(row.name);
    EXPECT_NEAR(WrapArc({7.0, row.in}, {3.0, row.out}, row.radius), row.expected, 1e-12);
  }
  const double kInf = std::numeric_limits<double>::infinity();
  EXPECT_FALSE(std::isfinite(WrapArc({1.0, kInf}, {1.0, 0.0}, 1.0)));
}

// ---- Belt path ----------------------------------------------------------------

using Layout = std::vector<WheelCircle>;

struct Computed {
  PathCase pathCase;
  BeltPath path;
};

Computed Compute(const Layout& layout, BeltPath path = {}) {
  const WheelCircle wheels[3] = {layout[0], layout[1], layout[2]};
  const PathCase pathCase = ComputeBeltPath(wheels, 0, PolarVector(), path);
  return {pathCase, path};
}

BeltPath Prefilled() {
  BeltPath path;
  for (PolarVector& v : path.Wheel1Tangent) v = kSentinel;
  for (PolarVector& v : path.Wheel3Tangent) v = kSentinel;
  for (PolarVector& v : path.Span) v = kSentinel;
  path.BeltLength = path.MinBeltLength = -99.0;
  return path;
}

bool BulgesLeft(PathCase c) { return c == PathCase::A || c == PathCase::D; }
bool BulgesRight(PathCase c) { return c == PathCase::C || c == PathCase::D; }

// The arcs wrapped on wheels 1, 2 and 3 (both arcs of wheel 3 together),
// following the belt round: wheel 1 -> [3 on the right] -> 2 -> [3 on the
// left] -> 1.
struct Arcs {
  double onWheel[3];
};

Arcs ArcsOf(const Computed& c, const Layout& layout) {
  const PolarVector* s = c.path.Span;
  const bool left = BulgesLeft(c.pathCase);
  const bool right = BulgesRight(c.pathCase);
  const double onWheel3 = (right ? WrapArc(s[2], s[3], layout[2].Radius) : 0.0) +
                          (left ? WrapArc(Reversed(s[1]), Reversed(s[0]), layout[2].Radius) : 0.0);
  return {{WrapArc(Reversed(s[0]), s[2], layout[0].Radius),
           WrapArc(right ? s[3] : s[2], Reversed(left ? s[1] : s[0]), layout[1].Radius), onWheel3}};
}

// Properties of a real belt: the turns add up to one full turn, arcs and spans
// add up to the length, and every span is an outer tangent with its wheels on
// the belt's left.
void ExpectRealBelt(const Computed& c, const Layout& layout) {
  const Arcs arcs = ArcsOf(c, layout);
  double turns = 0.0;
  double length = 0.0;
  for (int i = 0; i < 3; ++i) {
    turns += arcs.onWheel[i] / layout[i].Radius;
    length += arcs.onWheel[i];
  }
  for (const PolarVector& s : c.path.Span) length += s.Length;
  EXPECT_NEAR(turns, kTwoPi, 1e-9) << "the belt does not go round once";
  EXPECT_NEAR(length, c.path.BeltLength, kExactMm);

  const BeltPath& p = c.path;
  const WheelCircle& leftEnd = BulgesLeft(c.pathCase) ? layout[2] : layout[1];
  const WheelCircle& rightEnd = BulgesRight(c.pathCase) ? layout[2] : layout[1];
  ExpectOuterTangent(layout[0], leftEnd, p.Wheel1Tangent[0], p.Span[0], 1.0);
  ExpectOuterTangent(layout[0], rightEnd, p.Wheel1Tangent[1], p.Span[2], -1.0);
  if (BulgesLeft(c.pathCase))
    ExpectOuterTangent(layout[2], layout[1], p.Wheel3Tangent[0], p.Span[1], 1.0);
  if (BulgesRight(c.pathCase))
    ExpectOuterTangent(layout[2], layout[1], p.Wheel3Tangent[1], p.Span[3], -1.0);
}

struct PathRow {
  const char* name;
  Layout layout;
  PathCase expectedCase;
  double beltLength, minBeltLength;
  std::vector<PolarVector> spans;  // all four, or none
  std::vector<double> arcs;        // wheels 1, 2, 3, or none
  bool realBelt = true;
};

void PrintTo(const PathRow& row, std::ostream* os) { *os << row.name; }

class BeltPathTest : public testing::TestWithParam<PathRow> {};

TEST_P(BeltPathTest, CaseLengthsSpansAndArcs) {
  const PathRow& row = GetParam();
  const Computed c = Compute(row.layout, Prefilled());
  ASSERT_EQ(c.pathCase, row.expectedCase);
  EXPECT_NEAR(c.path.BeltLength, row.beltLength, kFigureMm);
  EXPECT_NEAR(c.path.MinBeltLength, row.minBeltLength, kFigureMm);
  for (size_t i = 0; i < row.spans.size(); ++i) {
    ExpectVector(c.path.Span[i], row.spans[i], kFigureMm);
  }
  const Arcs arcs = ArcsOf(c, row.layout);
  for (size_t i = 0; i < row.arcs.size(); ++i) {
    if (!std::isnan(row.arcs[i])) {
      EXPECT_NEAR(arcs.onWheel[i], row.arcs[i], kFigureMm);
    }
  }

  // Empty slots get the empty span; contacts a case does not use keep what
  // was there, and Wheel3Tangent[2], [3] are never written.
  const bool left = BulgesLeft(c.pathCase);
  const bool right = BulgesRight(c.pathCase);
  if (!left) ExpectSame(c.path.Span[1], PolarVector());
  if (!right) ExpectSame(c.path.Span[3], PolarVector());
  if (!left) ExpectSame(c.path.Wheel3Tangent[0], kSentinel);
  if (!right) ExpectSame(c.path.Wheel3Tangent[1], kSentinel);
  ExpectSame(c.path.Wheel3Tangent[2], kSentinel);
  ExpectSame(c.path.Wheel3Tangent[3], kSentinel);
  if (row.realBelt) ExpectRealBelt(c, row.layout);
}

const Layout kDesign = {{0, 0, kR20}, {150, 100, kR20}, {70, 10, kR10}};
const PolarVector kTwoWheelSpan(180.277564, 0.588003);  // either side of the design belt
const PolarVector kNoSpan;

// The design layout with wheel 3 elsewhere.
Layout DesignWith(WheelCircle wheel3) { return {kDesign[0], kDesign[1], wheel3}; }

INSTANTIATE_TEST_SUITE_P(
    Layouts, BeltPathTest,
    testing::Values(
        PathRow{"DesignLayout", kDesign, PathCase::C, 524.285991, 520.555128,
                {kTwoWheelSpan, kNoSpan, {69.554914, 0.322948}, {119.740912, 0.738219}},
                {73.250435, 76.174767, 5.287399}},
        PathRow{"TensionerLeft", DesignWith({60, 90, kR10}), PathCase::A, 529.540415, 520.555128,
                {{107.414553, 0.864809}, {89.654259, 0.251730}, kTwoWheelSpan, kNoSpan},
                {72.951179, 71.436901, 7.805960}},
        PathRow{"TensionerInsideTheBelt", DesignWith({75, 50, kR10}), PathCase::B, 520.555128,
                520.555128, {kTwoWheelSpan, kNoSpan, kTwoWheelSpan, kNoSpan}, {80, 80, 0}},
        // Strict comparisons: tangents that coincide with the two-wheel belt
        // do not bulge it.
        PathRow{"TensionerOnTheTangents", DesignWith({75, 50, kR20}), PathCase::B, 520.555128,
                520.555128, {kTwoWheelSpan, kNoSpan, kTwoWheelSpan, kNoSpan}, {80, 80, 0}},
        PathRow{"BigTensionerBulgesBothSides", DesignWith({75, 50, 40}), PathCase::D, 525.253077,
                520.555128,
                {{88.959135, 0.749963}, {88.959135, 0.426042}, {88.959135, 0.426042},
                 {88.959135, 0.749963}},
                {kUnchecked, kUnchecked, 25.913730}},
        PathRow{"TensionerOverlapsWheel1", DesignWith({30, -20, kR10}), PathCase::C, 531.302283,
                520.555128,
                {kTwoWheelSpan, kNoSpan, {33.732567, -0.227085}, {169.227321, 0.710301}}, {}},
        PathRow{"Wheel2With40Teeth", {kDesign[0], {150, 100, kR40}, kDesign[2]}, PathCase::C,
                605.001558, 604.158129, {}, {}},
        // Seen from wheel 1 the tensioner hides inside the two-wheel tangents.
        PathRow{"TensionerBeyondWheel2", {{0, 0, kR20}, {150, 0, kR20}, {250, 0, 20}}, PathCase::B,
                460.0, 460.0, {}, {}},
        // No outer tangent between wheels 1 and 3: no real belt, but a result.
        PathRow{"TensionerOnWheel1Centre", DesignWith({0, 0, kR10}), PathCase::C, 513.518256,
                520.555128, {}, {}, false},
        // Regression: comparing the bare tangent angles gives case C here,
        // 666.603058 mm and two full turns.
        PathRow{"Wheel2LeftOfWheel1", {{200, 0, kR20}, {0, 0, kR20}, {100, -40, kR10}},
                PathCase::A, 567.224027, 560.0, {}, {}}),
    [](const auto& info) { return std::string(info.param.name); });

// Moves and turns the whole layout through a full turn: the belt does not
// change, the case does not change, and it stays a real belt.
TEST(BeltPathPropertyTest, LengthIgnoresTranslationAndRotation) {
  const Layout layouts[] = {
      kDesign,
      DesignWith({60, 90, kR10}),
      DesignWith({75, 50, kR10}),
      DesignWith({75, 50, 40}),
      {{0, 0, kR20}, {150, 100, kR40}, {30, -20, kR10}},
      {{0, 0, kR20}, {150, 0, kR20}, {250, 0, 20}},
  };
  constexpr int kSteps = 72;
  for (const Layout& base : layouts) {
    const Computed reference = Compute(base);
    for (int step = 0; step < kSteps; ++step) {
      const double turn = kTwoPi * step / kSteps;
      const double cosTurn = std::cos(turn);
      const double sinTurn = std::sin(turn);
      Layout moved = base;
      for (WheelCircle& w : moved) {
        const double x = w.X;
        w.X = -317.25 + x * cosTurn - w.Y * sinTurn;
        w.Y = 1043.5 + x * sinTurn + w.Y * cosTurn;
      }
      SCOPED_TRACE(testing::Message() << "wheel 3 at " << base[2].X << ", " << base[2].Y
                                      << ", step " << step);
      const Computed c = Compute(moved);
      ASSERT_EQ(c.pathCase, reference.pathCase);
      EXPECT_NEAR(c.path.BeltLength, reference.path.BeltLength, 1e-9 * reference.path.BeltLength);
      EXPECT_NEAR(c.path.MinBeltLength, reference.path.MinBeltLength,
                  1e-9 * reference.path.MinBeltLength);
      if (c.pathCase == PathCase::B) {
        EXPECT_EQ(c.path.BeltLength, c.path.MinBeltLength);
      }
      ExpectRealBelt(c, moved);
    }
  }
}

// Tensioners all over the band between wheels 1 and 2, on both sides and
// across the centre line, small and large.
TEST(BeltPathPropertyTest, TensionersBetweenTheWheelsMakeARealBelt) {
  const WheelCircle wheel1 = {-40, 25, kR20};
  const WheelCircle wheel2 = {-160, -65, kR40};  // leftward, below: angles near -pi
  const double dx = wheel2.X - wheel1.X;
  const double dy = wheel2.Y - wheel1.Y;
  const double d = std::hypot(dx, dy);
  int counts[4] = {0, 0, 0, 0};
  for (double along = 0.2; along < 0.81; along += 0.05) {
    for (double across = -90.0; across < 91.0; across += 7.5) {
      for (double radius : {5.0, kR10, 40.0}) {
        const WheelCircle wheel3 = {wheel1.X + along * dx - across * dy / d,
                                    wheel1.Y + along * dy + across * dx / d, radius};
        const Layout layout = {wheel1, wheel2, wheel3};
        SCOPED_TRACE(testing::Message() << along << " along, " << across << " across, r "
                                        << radius);
        const Computed c = Compute(layout);
        ASSERT_NE(c.pathCase, PathCase::None);
        ++counts[static_cast<int>(c.pathCase)];
        ExpectRealBelt(c, layout);
        EXPECT_GE(c.path.BeltLength, c.path.MinBeltLength - kExactMm);
        if (c.pathCase == PathCase::B) {
        EXPECT_EQ(c.path.BeltLength, c.path.MinBeltLength);
      }
      }
    }
  }
  for (int count : counts) EXPECT_GT(count, 0) << "every case should occur";
}

TEST(BeltPathWindingTest, OtherWindingsWriteNothing) {
  const Computed inner = Compute(kDesign, Prefilled());
  const WheelCircle moved[3] = {kDesign[0], kDesign[1], {60, 90, kR10}};
  for (int mode : {1, 2, -1}) {
    SCOPED_TRACE(mode);
    BeltPath path = inner.path;
    EXPECT_EQ(ComputeBeltPath(moved, mode, PolarVector(5.0, 1.0), path), PathCase::None);
    EXPECT_EQ(std::memcmp(&path, &inner.path, sizeof path), 0);
  }
}

TEST(BeltPathWindingTest, DriveStateUsesItsOwnWheelsAndMode) {
  DriveState state;
  ApplyStartValues(state);
  const double r20 = StartupPulleyRadius(20, 8);
  const double r10 = StartupPulleyRadius(10, 8);
  state.Wheel[0] = {0, 0, r20};
  state.Wheel[1] = {150, 100, r20};
  state.Wheel[2] = {70, 10, r10};
  EXPECT_EQ(ComputeBeltPath(state), PathCase::C);
  EXPECT_NEAR(state.BeltLength, 524.285991, kFigureMm);
  const BeltPath before = state;
  state.WindingMode = 1;
  state.Wheel[2] = {60, 90, r10};
  EXPECT_EQ(ComputeBeltPath(state), PathCase::None);
  EXPECT_EQ(std::memcmp(static_cast<const BeltPath*>(&state), &before, sizeof before), 0);
}

// Extreme input may give non-finite lengths but must neither hang nor crash.
TEST(BeltPathRobustnessTest, ExtremeInputsFinish) {
  constexpr double kInf = std::numeric_limits<double>::infinity();
  constexpr double kNan = std::numeric_limits<double>::quiet_NaN();
  const Layout layouts[] = {
      {{0, 0, 0}, {0, 0, 0}, {0, 0, 0}},
      {{0, 0, kR20}, {1e300, -1e300, kR20}, {-1e300, 1e300, 1e300}},
      {{0, 0, 1e-300}, {1e-300, 0, 0}, {0, 1e-310, 5e-324}},
      {{kNan, 0, kR20}, {150, 100, kR20}, {70, 10, kR10}},
      {{0, 0, kR20}, {150, 100, kInf}, {70, 10, kR10}},
      {{0, 0, kR20}, {kInf, -kInf, kR20}, {70, 10, -kInf}},
      {{0, 0, -kR20}, {150, 100, -kR40}, {70, 10, -kR10}},
  };
  for (const Layout& layout : layouts) {
    const Computed c = Compute(layout);
    EXPECT_NE(c.pathCase, PathCase::None);
  }
  EXPECT_TRUE(std::isfinite(Compute(layouts[0]).path.BeltLength));
  EXPECT_TRUE(std::isfinite(Compute(layouts[2]).path.BeltLength));
}

}  // namespace
}  // namespace idrova
