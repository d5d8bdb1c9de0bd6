// SPDX-License-Identifier: MIT
// The design check through the real window: wrap angle (Label18..20) and
// teeth in mesh (Label22..24) of every wheel, the caution for the working
// wheels, and the real belt length for reference where the layout check
// finds the shown length not real; the caution keeps its own line.
#include "window_driver.h"

TEST(WindowDesignCheck, WrapAnglesTeethInMeshAndTheCaution) {
  Tell({
      {"design layout",
       "see Label18 164.8°; see Label19 171.4°; see Label20 23.8°; see Label22 9; see Label23 9; "
       "see Label24 0; see Label25 "},
      {"NO 1 at 10 teeth",
       "teeth UpDown3 10; see Label18 150.4°; see Label19 175.4°; see Label20 34.2°; see Label22 "
       "4; see Label23 9; see Label24 0; see Label25 注意! NO 1 の噛合歯数が6未満です; see "
       "Label14 "},
      {"NO 1 at 13 teeth: 5 in mesh",
       "teeth UpDown3 13; see Label22 5; see Label25 注意! NO 1 の噛合歯数が6未満です"},
      {"NO 1 at 14 teeth: 6 in mesh", "teeth UpDown3 14; see Label22 6; see Label25 "},
      {"NO 2 short of teeth, NO 1 checked first and fine",
       "teeth UpDown6 12; see Label22 9; see Label23 5; see Label24 0; see Label25 注意! NO 2 "
       "の噛合歯数が6未満です"},
      {"RS40",
       "choose RS401; see Label18 170.9°; see Label19 174.9°; see Label20 14.2°; see Label22 9; "
       "see Label23 9; see Label24 0; see Label25 "},
      {"RS40, tensioner at (70, -60)",
       "choose RS401; layout 150 100 70 -60; see Label18 118.3°; see Label19 156.7°; see Label20 "
       "85°; see Label25 注意! NO 1 の巻付角が120°未満です"},
      {"RS40, tensioner at (70, -40)",
       "choose RS401; layout 150 100 70 -40; see Label18 131°; see Label19 160.6°; see Label20 "
       "68.5°; see Label25 "},
      {"belt with teeth enough but little wrap on NO 1",
       "teeth UpDown3 60; layout 600 0 -250 -150; see Label18 48.4°; see Label19 166°; see Label20 "
       "145.6°; see Label22 8; see Label23 9; see Label24 4; see Label14 ; see Label25 注意! NO 1 "
       "の巻付角が60°未満です"},
      {"free type follows the chain rule",
       "choose N1; type Edit10 8; layout 150 100 70 -60; see Label18 113.6°; see Label19 154.3°; "
       "see Label20 92.1°; see Label25 注意! NO 1 の巻付角が120°未満です"},
      {"free type, enough wrap",
       "choose N1; type Edit10 8; layout 150 100 70 -40; see Label18 125.6°; see Label25 "},
      {"tensioner inside the two-wheel belt touches nothing",
       "layout 150 100 75 50; see Label20 0°; see Label24 0; see Label25 "},
      {"layout whose belt length is not real",
       "layout 150 0 250 0; see Label18 ---; see Label19 ---; see Label20 ---; see Label22 ---; "
       "see Label23 ---; see Label24 ---; see Label25 参考: 実際のベルト長さ 621.62"},
  });
}
