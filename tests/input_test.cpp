// Tests of the type catalogue, wheel sizing, coordinate steppers and standard lengths.
#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <initializer_list>
#include <limits>
#include <string>
#include <utility>
#include <vector>

#include "input/catalogue.h"
#include "input/standard_lengths.h"
#include "input/stepper.h"
#include "input/wheel_sizing.h"
#include "model/drive_state.h"

namespace idrova {
namespace {

constexpr double kExactMm = 1e-6;

// "種類" (type) spelled out in UTF-8 bytes, so that a label written in
// another encoding cannot pass.
const std::string kTypePrefix = "\xE7\xA8\xAE\xE9\xA1\x9E";

// Diameter as the labels show it: two decimals, half away from zero.
double ShownDiameter(double radius) { return std::round(2.0 * radius * 100.0) / 100.0; }

// A state with the design tooth counts; radii set by the test.
DriveState DesignTeethState() {
  DriveState state;
  ApplyStartValues(state);
  state.Pitch = 8.0;
  state.Teeth[0] = 20.0;
  state.Teeth[1] = 20.0;
  state.Teeth[2] = 10.0;
  state.Wheel[0] = {0.0, 0.0, 1.0};
  state.Wheel[1] = {150.0, 100.0, 2.0};
  state.Wheel[2] = {70.0, 10.0, 3.0};
  return state;
}

// ---------------------------------------------------------------- catalogue

struct CatalogueRow {
  const char* Name;
  const char* Caption;
  std::int32_t Tag;
  std::int32_t Code;
  double Pitch;
  const char* TypeName;  // the label is the prefix, three blanks and this
};

const CatalogueRow kCatalogueRows[] = {
    {"S45M1", "S4.5M", 1, 4, 4.5, "S4.5M"},
    {"S5M1", "S5M", 2, 5, 5.0, "S5M"},
    {"S8M1", "S8M", 3, 8, 8.0, "S8M"},
    {"S14M1", "S14M", 4, 14, 14.0, "S14M"},
    {"MXL1", "MXL", 5, 15, 2.032, "MXL"},
    {"XL1", "XL", 6, 16, 5.08, "XL"},
    {"L1", "L", 7, 17, 9.525, "L"},
    {"H1", "H", 8, 18, 12.7, "H"},
    {"XH1", "XH", 9, 19, 22.225, "XH"},
    {"XXH1", "XXH", 10, 20, 31.75, "XXH"},
    {"RS251", "RS25", 25, 25, 6.35, "RS25"},
    {"RS351", "RS35", 35, 35, 9.525, "RS35"},
    {"RS401", "RS40", 40, 40, 12.7, "RS40"},
    {"RS501", "RS50", 50, 50, 15.875, "RS50"},
    {"RS601", "RS60", 60, 60, 19.05, "RS60"},
    {"RS801", "RS80", 80, 80, 25.4, "RS80"},
    {"RS1001", "RS100", 100, 100, 31.75, "RS100"},
    {"RS1201", "RS120", 120, 120, 38.1, "RS120"},
    {"RS1401", "RS140", 140, 140, 44.45, "RS140"},
    {"RS1601", "RS160", 160, 160, 50.8, "RS160"},
    {"RS1801", "RS180", 180, 180, 57.15, "RS180"},
    {"RS2001", "RS200", 200, 200, 63.5, "RS200"},
    {"RS2401", "RS240", 240, 240, 76.2, "RS240"},
    // "その他" (other), the free entry.
    {"N1", "\xE3\x81\x9D\xE3\x81\xAE\xE4\xBB\x96", 0, 999, 0.0,
     "\xE3\x81\x9D\xE3\x81\xAE\xE4\xBB\x96"},
};

class CatalogueRowTest : public testing::TestWithParam<std::size_t> {};

TEST_P(CatalogueRowTest, EntryMatchesTheMenuTable) {
  const std::size_t index = GetParam();
  const CatalogueRow& row = kCatalogueRows[index];
  ASSERT_EQ(Catalogue().size(), std::size(kCatalogueRows));
  const CatalogueEntry& entry = Catalogue()[index];
  EXPECT_STREQ(entry.Name, row.Name);
  EXPECT_STREQ(entry.Caption, row.Caption);
  EXPECT_EQ(entry.Tag, row.Tag);
  EXPECT_EQ(entry.Code, row.Code);
  EXPECT_EQ(entry.TypeLabel, kTypePrefix + "   " + row.TypeName);
  const bool free = row.Code == kFreeTypeCode;
  EXPECT_EQ(entry.Free, free);
  if (!free) {
    EXPECT_EQ(entry.Pitch, row.Pitch);  // the nearest double of the decimal
  }
  EXPECT_EQ(FindCatalogueEntry(row.Name), &entry);
}

TEST_P(CatalogueRowTest, ChoosingTheEntrySetsCodeAndPitchAndResizesAllWheels) {
  const CatalogueRow& row = kCatalogueRows[GetParam()];
  const CatalogueEntry& entry = Catalogue()[GetParam()];
  DriveState state = DesignTeethState();
  state.Pitch = 3.0;  // a typed pitch left from the free entry
  const DriveState before = state;
  SelectType(state, entry);
  EXPECT_EQ(state.BeltType, row.Code);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(state.Wheel[i].X, before.Wheel[i].X);
    EXPECT_EQ(state.Wheel[i].Y, before.Wheel[i].Y);
    EXPECT_EQ(state.Teeth[i], before.Teeth[i]);
  }
  if (entry.Free) {
    // Only the code changes; the typed pitch and the radii wait for the
    // calculate button.
    EXPECT_EQ(state.Pitch, 3.0);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(state.Wheel[i].Radius, before.Wheel[i].Radius);
  } else {
    EXPECT_EQ(state.Pitch, row.Pitch);
    for (int i = 0; i < 3; ++i) {
      EXPECT_EQ(state.Wheel[i].Radius, WheelRadius(state.Teeth[i], row.Pitch, row.Code));
    }
  }
}

std::string CatalogueRowName(const testing::TestParamInfo<std::size_t>& info) {
  return kCatalogueRows[info.param].Name;
}

INSTANTIATE_TEST_SUITE_P(AllEntries, CatalogueRowTest,
                         testing::Range<std::size_t>(0, std::size(kCatalogueRows)),
                         CatalogueRowName);

TEST(Catalogue, HasTwentyFourEntriesWithTheFreeOneLast) {
  ASSERT_EQ(Catalogue().size(), 24u);
  EXPECT_TRUE(Catalogue().back().Free);
  EXPECT_EQ(std::count_if(Catalogue().begin(), Catalogue().end(),
                          [](const CatalogueEntry& e) { return e.Free; }),
            1);
}

TEST(Catalogue, UnknownNameFindsNothing) {
  EXPECT_EQ(FindCatalogueEntry("S8M"), nullptr);  // the caption, not the name
  EXPECT_EQ(FindCatalogueEntry(""), nullptr);
  EXPECT_EQ(FindCatalogueEntry("RS40"), nullptr);
}

TEST(Catalogue, SamePitchDifferentKindGivesDifferentWheels) {
  // L and RS35 share 9.525 mm; 20 teeth show as 60.64 and 60.89.
  DriveState state = DesignTeethState();
  SelectType(state, *FindCatalogueEntry("L1"));
  EXPECT_DOUBLE_EQ(ShownDiameter(state.Wheel[0].Radius), 60.64);
  SelectType(state, *FindCatalogueEntry("RS351"));
  EXPECT_DOUBLE_EQ(ShownDiameter(state.Wheel[0].Radius), 60.89);
  SelectType(state, *FindCatalogueEntry("MXL1"));
  EXPECT_DOUBLE_EQ(ShownDiameter(state.Wheel[0].Radius), 12.94);
}

TEST(Catalogue, FreeEntryAfterAChainKeepsThePitchButTheCodeTurnsChain) {
  DriveState state = DesignTeethState();
  SelectType(state, *FindCatalogueEntry("H1"));
  const double beltRadius = state.Wheel[1].Radius;
  SelectType(state, *FindCatalogueEntry("N1"));
  EXPECT_EQ(state.BeltType, kFreeTypeCode);
  EXPECT_EQ(state.Pitch, 12.7);
  EXPECT_EQ(state.Wheel[1].Radius, beltRadius);
  // A later tooth change resizes that wheel with the chain rule.
  SetWheelTeeth(state, 1, 20.0);
  EXPECT_NEAR(state.Wheel[1].Radius, 40.5921, 5e-5);
}

// ------------------------------------------------------------- wheel sizing

TEST(WheelSizing, BeltRuleFigures) {
  EXPECT_NEAR(BeltPulleyRadius(10.0, 8.0), 12.73239545, kExactMm);
  EXPECT_NEAR(BeltPulleyRadius(200.0, 8.0), 254.6479089, kExactMm);
  EXPECT_EQ(BeltPulleyRadius(20.0, 8.0), 25.464790894703256);
  EXPECT_NEAR(BeltPulleyRadius(20.0, 12.7), 40.4254, 5e-5);
  EXPECT_DOUBLE_EQ(ShownDiameter(BeltPulleyRadius(20.0, 12.7)), 80.85);
}

TEST(WheelSizing, BeltRuleIsEvaluatedInItsOwnOrder) {
  // z * p first, then 1/pi, then one half. Dividing by 2 pi, or multiplying
  // the pitch by 1/pi first, gives another last bit for these counts.
  EXPECT_EQ(BeltPulleyRadius(16.0, 2.032), 5.174445509803702);
  EXPECT_EQ(BeltPulleyRadius(10.0, 2.032), 3.2340284436273135);
}

TEST(WheelSizing, ChainRuleFigures) {
  EXPECT_NEAR(ChainSprocketRadius(10.0, 12.7), 20.54903166, kExactMm);
  EXPECT_NEAR(ChainSprocketRadius(20.0, 12.7), 40.5921, 5e-5);
  EXPECT_DOUBLE_EQ(ShownDiameter(ChainSprocketRadius(20.0, 12.7)), 81.18);
  EXPECT_DOUBLE_EQ(ShownDiameter(ChainSprocketRadius(10.0, 12.7)), 41.1);
}

TEST(WheelSizing, ChainWheelIsLargerThanBeltWheelOfTheSameCount) {
  for (int teeth = kMinTeeth; teeth <= kMaxTeeth; ++teeth) {
    EXPECT_GT(ChainSprocketRadius(teeth, 9.525), BeltPulleyRadius(teeth, 9.525)) << teeth;
  }
}

TEST(WheelSizing, ZeroPitchGivesZeroRadiusUnderBothRules) {
  EXPECT_EQ(BeltPulleyRadius(20.0, 0.0), 0.0);
  EXPECT_EQ(ChainSprocketRadius(20.0, 0.0), 0.0);
}

TEST(WheelSizing, CodeDecidesTheRuleAtTwentyFive) {
  struct Case {
    std::int32_t Code;
    bool Chain;
  };
  const Case cases[] = {{4, false}, {20, false}, {24, false}, {25, true}, {240, true}, {999, true}};
  for (const Case& c : cases) {
    const double expected =
        c.Chain ? ChainSprocketRadius(20.0, 12.7) : BeltPulleyRadius(20.0, 12.7);
    EXPECT_EQ(WheelRadius(20.0, 12.7, c.Code), expected) << "code " << c.Code;
  }
}

TEST(WheelSizing, UpdateWheelRadiiResizesAllThree) {
  DriveState state = DesignTeethState();
  state.BeltType = 40;
  state.Pitch = 12.7;
  UpdateWheelRadii(state);
  EXPECT_NEAR(state.Wheel[0].Radius, 40.5921, 5e-5);
  EXPECT_NEAR(state.Wheel[1].Radius, 40.5921, 5e-5);
  EXPECT_NEAR(state.Wheel[2].Radius, 20.54903166, kExactMm);
}

TEST(WheelSizing, ToothChangeResizesThatWheelOnly) {
  DriveState state = DesignTeethState();
  UpdateWheelRadii(state);  // belt rule at pitch 8
  state.BeltType = kFreeTypeCode;
  const DriveState before = state;
  SetWheelTeeth(state, 2, 11.0);
  EXPECT_EQ(state.Teeth[2], 11.0);
  EXPECT_EQ(state.Wheel[2].Radius, ChainSprocketRadius(11.0, 8.0));
  for (int i = 0; i < 2; ++i) {
    EXPECT_EQ(state.Teeth[i], before.Teeth[i]);
    EXPECT_EQ(state.Wheel[i].Radius, before.Wheel[i].Radius);
  }
}

TEST(WheelSizing, ToothChangeOfAWheelThatDoesNotExistChangesNothing) {
  DriveState state = DesignTeethState();
  const DriveState before = state;
  SetWheelTeeth(state, 3, 50.0);
  SetWheelTeeth(state, -1, 50.0);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(state.Teeth[i], before.Teeth[i]);
    EXPECT_EQ(state.Wheel[i].Radius, before.Wheel[i].Radius);
  }
}

// ----------------------------------------------------------------- steppers

DriveState StepperStartState() {
  DriveState state;
  ApplyStartValues(state);
  return state;
}

// One press held for `clicks` clicks, then released.
double HoldAndRelease(DriveState& state, double coordinate, ArrowButton button, int clicks) {
  for (int i = 0; i < clicks; ++i) coordinate = StepCoordinate(state, coordinate, button);
  StepperMouseUp(state);
  return coordinate;
}

TEST(Stepper, HeldFineStepAcceleratesFromTheFifthClick) {
  DriveState state = StepperStartState();
  const double expected[] = {0.1, 0.2, 0.30000000000000004, 0.4, 0.9, 1.4, 1.9, 2.4};
  double x = 0.0;
  for (std::size_t i = 0; i < std::size(expected); ++i) {
    x = StepCoordinate(state, x, ArrowButton::Next);
    EXPECT_EQ(x, expected[i]) << "click " << i + 1;
  }
  EXPECT_EQ(state.PressClickCount, 8);
  EXPECT_EQ(state.StepMultiplier, 5);
  EXPECT_EQ(state.PressActive, 1);
}

TEST(Stepper, ReleaseEndsThePressAndTheNextClickIsFineAgain) {
  DriveState state = StepperStartState();
  double x = HoldAndRelease(state, 0.0, ArrowButton::Next, 6);
  EXPECT_EQ(state.PressActive, 0);
  EXPECT_EQ(state.PressClickCount, 6);  // kept until the next press begins
  EXPECT_EQ(state.StepMultiplier, 5);
  const double before = x;
  x = StepCoordinate(state, x, ArrowButton::Next);
  EXPECT_EQ(x, before + 0.1);
  EXPECT_EQ(state.PressClickCount, 1);
  EXPECT_EQ(state.StepMultiplier, 1);
}

TEST(Stepper, SingleClicksNeverAccelerate) {
  DriveState state = StepperStartState();
  double x = 0.0;
  for (int i = 0; i < 10; ++i) {
    const double before = x;
    x = HoldAndRelease(state, x, ArrowButton::Next, 1);
    EXPECT_EQ(x, before + 0.1) << "click " << i + 1;
  }
}

TEST(Stepper, PreviousSubtractsBelowZero) {
  DriveState state = StepperStartState();
  EXPECT_EQ(StepCoordinate(state, 0.0, ArrowButton::Previous), -0.1);
  EXPECT_EQ(StepCoordinate(state, 1000.0, ArrowButton::Next), 1000.1);
}

TEST(Stepper, CoarseStepNeverAccelerates) {
  DriveState state = StepperStartState();
  StepperMouseDown(state, true);
  ASSERT_EQ(state.StepSize, kCoarseStepMm);
  double x = 0.0;
  for (int i = 1; i <= 8; ++i) {
    x = StepCoordinate(state, x, ArrowButton::Next);
    EXPECT_EQ(x, 10.0 * i);
  }
  EXPECT_EQ(state.StepMultiplier, 1);
}

TEST(Stepper, AccelerationIsDecidedOnTheFifthClickOnly) {
  // Coarse on the fifth click, fine from the sixth: the multiplier stays 1.
  DriveState state = StepperStartState();
  StepperMouseDown(state, true);
  double x = 0.0;
  for (int i = 0; i < 5; ++i) x = StepCoordinate(state, x, ArrowButton::Next);
  StepperMouseDown(state, true);
  ASSERT_EQ(state.StepSize, kFineStepMm);
  const double before = x;
  x = StepCoordinate(state, x, ArrowButton::Next);
  EXPECT_EQ(x, before + 0.1);
  EXPECT_EQ(state.StepMultiplier, 1);
}

TEST(Stepper, OnlyTheExactFineStepAccelerates) {
  DriveState state = StepperStartState();
  state.StepSize = std::nextafter(0.1, 1.0);
  for (int i = 0; i < 6; ++i) StepCoordinate(state, 0.0, ArrowButton::Next);
  EXPECT_EQ(state.StepMultiplier, 1);
}

TEST(Stepper, AcceleratedPressKeepsItsMultiplierAfterAToggle) {
  DriveState state = StepperStartState();
  double x = 0.0;
  for (int i = 0; i < 5; ++i) x = StepCoordinate(state, x, ArrowButton::Next);
  StepperMouseDown(state, true);  // coarse while still pressing
  const double before = x;
  x = StepCoordinate(state, x, ArrowButton::Next);
  EXPECT_EQ(x, before + 50.0);
}

TEST(Stepper, RightButtonTogglesAndLeftButtonDoesNothing) {
  DriveState state = StepperStartState();
  StepperMouseDown(state, false);
  EXPECT_EQ(state.StepSize, kFineStepMm);
  StepperMouseDown(state, true);
  EXPECT_EQ(state.StepSize, kCoarseStepMm);
  StepperMouseDown(state, false);
  EXPECT_EQ(state.StepSize, kCoarseStepMm);
  StepperMouseDown(state, true);
  EXPECT_EQ(state.StepSize, kFineStepMm);
  state.StepSize = 2.5;  // any other step goes back to fine
  StepperMouseDown(state, true);
  EXPECT_EQ(state.StepSize, kFineStepMm);
  state.StepSize = std::nextafter(0.1, 1.0);  // fine by a hair is not fine
  StepperMouseDown(state, true);
  EXPECT_EQ(state.StepSize, kFineStepMm);
}

TEST(Stepper, RightButtonDoesNotClickOrEndThePress) {
  DriveState state = StepperStartState();
  StepCoordinate(state, 0.0, ArrowButton::Next);
  StepperMouseDown(state, true);
  EXPECT_EQ(state.PressActive, 1);
  EXPECT_EQ(state.PressClickCount, 1);
}

TEST(Stepper, OnePressStateServesAllSixCoordinates) {
  // Clicks on different coordinates without a release count as one press.
  DriveState state = StepperStartState();
  double x = 0.0;
  double y = 0.0;
  for (int i = 0; i < 4; ++i) x = StepCoordinate(state, x, ArrowButton::Next);
  y = StepCoordinate(state, y, ArrowButton::Previous);
  EXPECT_EQ(y, -0.5);
  StepperMouseUp(state);
  y = StepCoordinate(state, y, ArrowButton::Next);
  EXPECT_EQ(y, -0.4);
}

TEST(Stepper, ClickCountOfAnEndlessPressStaysInRange) {
  DriveState state = StepperStartState();
  StepCoordinate(state, 0.0, ArrowButton::Next);
  state.PressClickCount = std::numeric_limits<std::int32_t>::max();
  StepCoordinate(state, 0.0, ArrowButton::Next);
  EXPECT_EQ(state.PressClickCount, std::numeric_limits<std::int32_t>::max());
}

// -------------------------------------------------------- standard lengths

struct TableShape {
  const char* Name;
  std::int32_t Code;
  std::size_t Count;
  std::int32_t First;
  std::int32_t Last;
  double Factor;
};

const TableShape kTableShapes[] = {
    {"S45M", 4, 21, 36, 178, 4.5},
    {"S5M", 5, 64, 51, 400, 5.0},
    {"S8M", 8, 55, 60, 550, 8.0},
    {"S14M", 14, 29, 72, 358, 14.0},
};

TEST(StandardLengths, TablesHaveTheirCountsEndsAndOrder) {
  for (const TableShape& shape : kTableShapes) {
    SCOPED_TRACE(shape.Name);
    const auto table = StandardTeethTable(shape.Code);
    ASSERT_EQ(table.size(), shape.Count);
    EXPECT_EQ(table.front(), shape.First);
    EXPECT_EQ(table.back(), shape.Last);
    EXPECT_TRUE(std::adjacent_find(table.begin(), table.end(), [](std::int32_t a, std::int32_t b) {
                  return a >= b;
                }) == table.end());
    EXPECT_EQ(StandardTeethFactor(shape.Code), shape.Factor);
    // The factor is the catalogue pitch of the type.
    bool found = false;
    for (const CatalogueEntry& entry : Catalogue()) {
      if (entry.Code == shape.Code) {
        EXPECT_EQ(entry.Pitch, shape.Factor);
        found = true;
      }
    }
    EXPECT_TRUE(found);
  }
}

TEST(StandardLengths, TableChecksums) {
  // Sums of the entries, so that a miscopied value inside a table shows.
  const std::pair<std::int32_t, long> sums[] = {{4, 1843}, {5, 10093}, {8, 9614}, {14, 5165}};
  for (const auto& [code, sum] : sums) {
    long total = 0;
    for (std::int32_t teeth : StandardTeethTable(code)) total += teeth;
    EXPECT_EQ(total, sum) << "code " << code;
  }
}

TEST(StandardLengths, TypesWithoutATable) {
  for (std::int32_t code : {0, 15, 16, 17, 18, 19, 20, 25, 40, 240, 999}) {
    EXPECT_TRUE(StandardTeethTable(code).empty()) << code;
    EXPECT_EQ(StandardTeethFactor(code), 0.0) << code;
  }
}

struct StepCase {
  const char* Name;
  std::int32_t Code;
  double Pitch;
  std::int32_t StartIndex;
  ArrowButton Button;
  std::int32_t Index;
  double Length;
  std::int32_t Teeth;
};

constexpr std::int32_t kInt32Max = std::numeric_limits<std::int32_t>::max();
constexpr std::int32_t kInt32Min = std::numeric_limits<std::int32_t>::min();

const StepCase kStepCases[] = {
    {"S8M_up_from_start", 8, 8.0, 0, ArrowButton::Next, 1, 560.0, 70},
    {"S8M_down_from_start_wraps", 8, 8.0, 0, ArrowButton::Previous, 54, 4400.0, 550},
    {"S8M_up_from_last_wraps", 8, 8.0, 54, ArrowButton::Next, 0, 480.0, 60},
    {"S8M_down_to_last_but_one", 8, 8.0, 54, ArrowButton::Previous, 53, 3200.0, 400},
    {"S45M_index_4", 4, 4.5, 3, ArrowButton::Next, 4, 238.5, 53},
    {"S45M_up_from_last_wraps", 4, 4.5, 20, ArrowButton::Next, 0, 162.0, 36},
    {"S45M_down_from_first_wraps", 4, 4.5, 0, ArrowButton::Previous, 20, 801.0, 178},
    {"S14M_index_1", 14, 14.0, 0, ArrowButton::Next, 1, 1120.0, 80},
    {"S14M_last", 14, 14.0, 27, ArrowButton::Next, 28, 5012.0, 358},
    {"S5M_index_63", 5, 5.0, 62, ArrowButton::Next, 63, 2000.0, 400},
    {"S5M_first", 5, 5.0, 1, ArrowButton::Previous, 0, 255.0, 51},
    {"index_from_S5M_up_on_S8M", 8, 8.0, 60, ArrowButton::Next, 0, 480.0, 60},
    {"index_from_S5M_down_on_S8M", 8, 8.0, 60, ArrowButton::Previous, 0, 480.0, 60},
    {"just_above_the_table_down", 8, 8.0, 55, ArrowButton::Previous, 54, 4400.0, 550},
    {"far_below_up", 14, 14.0, -5, ArrowButton::Next, 28, 5012.0, 358},
    {"just_below_the_table_up", 14, 14.0, -1, ArrowButton::Next, 0, 1008.0, 72},
    {"largest_index_up_on_a_table", 5, 5.0, kInt32Max, ArrowButton::Next, 0, 255.0, 51},
    {"smallest_index_down_on_a_table", 5, 5.0, kInt32Min, ArrowButton::Previous, 63, 2000.0, 400},
    {"MXL_up_from_0", 15, 2.032, 0, ArrowButton::Next, 1, 2.032, 1},
    {"MXL_down_below_0", 15, 2.032, 0, ArrowButton::Previous, -1, -2.032, -1},
    {"MXL_index_127", 15, 2.032, 126, ArrowButton::Next, 127, 258.064, 128},
    {"XH_index_3", 19, 22.225, 2, ArrowButton::Next, 3, 66.675, 4},
    {"RS40_whole_pitches", 40, 12.7, 10, ArrowButton::Next, 11, 139.7, 11},
    {"free_pitch", 999, 5.5, 99, ArrowButton::Next, 100, 550.0, 100},
    {"no_table_index_far_up", 18, 12.7, 1000, ArrowButton::Next, 1001, 12712.7, 1001},
    {"no_table_largest_index_stays", 18, 1.0, kInt32Max, ArrowButton::Next, kInt32Max, 2147483647.0,
     kInt32Max},
    {"no_table_smallest_index_stays", 18, 1.0, kInt32Min, ArrowButton::Previous, kInt32Min,
     -2147483648.0, kInt32Min},
};

class StandardLengthStep : public testing::TestWithParam<StepCase> {};

TEST_P(StandardLengthStep, SetsIndexLengthAndTeeth) {
  const StepCase& c = GetParam();
  DriveState state = DesignTeethState();
  state.BeltType = c.Code;
  state.Pitch = c.Pitch;
  state.LengthIndex = c.StartIndex;
  state.BeltTeeth = -12345;
  EXPECT_TRUE(StepStandardLength(state, c.Button));
  EXPECT_EQ(state.LengthIndex, c.Index);
  EXPECT_NEAR(state.SpecifiedLength, c.Length, kExactMm);
  EXPECT_EQ(state.BeltTeeth, c.Teeth);
}

INSTANTIATE_TEST_SUITE_P(Cases, StandardLengthStep, testing::ValuesIn(kStepCases),
                         [](const testing::TestParamInfo<StepCase>& info) {
                           return std::string(info.param.Name);
                         });

TEST(StandardLengths, TableLengthsAreExactProducts) {
  DriveState state;
  state.BeltType = 4;
  state.Pitch = 4.5;
  state.LengthIndex = 3;
  StepStandardLength(state, ArrowButton::Next);
  EXPECT_EQ(state.SpecifiedLength, 238.5);
}

TEST(StandardLengths, TableFactorIsNotThePitch) {
  // The table length stays 480 mm whatever pitch the state holds; only the
  // tooth count follows the pitch.
  DriveState state;
  state.BeltType = 8;
  state.Pitch = 5.0;
  state.LengthIndex = 54;
  EXPECT_TRUE(StepStandardLength(state, ArrowButton::Next));
  EXPECT_EQ(state.SpecifiedLength, 480.0);
  EXPECT_EQ(state.BeltTeeth, 96);
}

TEST(StandardLengths, TeethAreRoundedUpWithoutTolerance) {
  // 3 * 22.225 is stored just above 66.675, so 66.675 / 22.225 is not 3.
  DriveState state;
  state.BeltType = 19;
  state.Pitch = 22.225;
  state.LengthIndex = 2;
  StepStandardLength(state, ArrowButton::Next);
  EXPECT_GT(state.SpecifiedLength, 66.675);
  EXPECT_EQ(state.BeltTeeth, 4);
}

TEST(StandardLengths, ZeroPitchLeavesTheTeethAndReportsIt) {
  DriveState state;
  state.BeltType = kFreeTypeCode;
  state.Pitch = 0.0;
  state.LengthIndex = 7;
  state.BeltTeeth = 66;
  EXPECT_FALSE(StepStandardLength(state, ArrowButton::Next));
  EXPECT_EQ(state.LengthIndex, 8);
  EXPECT_EQ(state.SpecifiedLength, 0.0);
  EXPECT_EQ(state.BeltTeeth, 66);
}

TEST(StandardLengths, CountBeyondThirtyTwoBitsLeavesTheTeethAndReportsIt) {
  // A table type with a tiny pitch: 480 mm is far more than 2^31 pitches.
  DriveState state;
  state.BeltType = 8;
  state.Pitch = 1e-7;
  state.LengthIndex = 54;
  state.BeltTeeth = 66;
  EXPECT_FALSE(StepStandardLength(state, ArrowButton::Next));
  EXPECT_EQ(state.LengthIndex, 0);
  EXPECT_EQ(state.SpecifiedLength, 480.0);
  EXPECT_EQ(state.BeltTeeth, 66);
}

TEST(StandardLengths, StepChangesNothingButIndexLengthAndTeeth) {
  DriveState state = DesignTeethState();
  state.BeltLength = 524.0;
  state.MinBeltLength = 520.0;
  const DriveState before = state;
  StepStandardLength(state, ArrowButton::Next);
  EXPECT_EQ(state.BeltLength, before.BeltLength);
  EXPECT_EQ(state.MinBeltLength, before.MinBeltLength);
  EXPECT_EQ(state.Pitch, before.Pitch);
  EXPECT_EQ(state.BeltType, before.BeltType);
  for (int i = 0; i < 3; ++i) {
    EXPECT_EQ(state.Wheel[i].X, before.Wheel[i].X);
    EXPECT_EQ(state.Wheel[i].Radius, before.Wheel[i].Radius);
  }
}

TEST(StandardLengths, FullCircleOfUpPressesVisitsEveryEntryOnce) {
  for (const TableShape& shape : kTableShapes) {
    SCOPED_TRACE(shape.Name);
    DriveState state;
    state.BeltType = shape.Code;
    state.Pitch = shape.Factor;
    state.LengthIndex = -1;
    std::vector<std::int32_t> seen;
    for (std::size_t i = 0; i < shape.Count; ++i) {
      StepStandardLength(state, ArrowButton::Next);
      seen.push_back(state.BeltTeeth);
    }
    const auto table = StandardTeethTable(shape.Code);
    EXPECT_TRUE(std::equal(seen.begin(), seen.end(), table.begin(), table.end()));
    StepStandardLength(state, ArrowButton::Next);
    EXPECT_EQ(state.LengthIndex, 0);
  }
}

}  // namespace
}  // namespace idrova
