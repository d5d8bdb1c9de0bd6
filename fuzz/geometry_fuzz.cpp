// SPDX-License-Identifier: MIT
// libFuzzer target for the belt geometry: tangents, the belt path and the
// tight belt length take any wheels without undefined behaviour, and give
// finite lengths for every layout the window can hold; the search's lengths
// equal the path's bit for bit for any wheels at all, not only the window's:
// a typed coordinate or free pitch may be any finite number, and the search
// must not find a belt length the drawn path does not have.
//
// Input: one control byte, then up to nine doubles (X, Y, radius of wheels
// 1, 2, 3; missing bytes read as zero). Control bit 7 folds the doubles into
// the drawing range, so that the mutator reaches ordinary layouts often;
// the other bits, modulo 3, give the winding mode (2 is an unknown mode).
#include <algorithm>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <cstring>

#include "geometry/belt_path.h"
#include "geometry/hull.h"
#include "geometry/tangents.h"
#include "model/drive_state.h"

namespace {

using idrova::PolarVector;
using idrova::WheelCircle;

constexpr double kCoordinateLimitMm = 1e6;
constexpr double kRadiusLimitMm = 1e5;

[[noreturn]] void Fail(const char* what, const WheelCircle (&wheel)[3]) {
  std::fprintf(stderr, "geometry_fuzz: %s\n", what);
  for (const WheelCircle& w : wheel) {
    std::fprintf(stderr, "  wheel X %.17g Y %.17g R %.17g\n", w.X, w.Y, w.Radius);
  }
  std::abort();
}

// A layout the window can hold, for which every length must be finite.
bool IsOrdinary(const WheelCircle& w) {
  return std::isfinite(w.X) && std::isfinite(w.Y) && std::isfinite(w.Radius) &&
         std::fabs(w.X) <= kCoordinateLimitMm && std::fabs(w.Y) <= kCoordinateLimitMm &&
         w.Radius > 0.0 && w.Radius <= kRadiusLimitMm;
}

bool AllFinite(const PolarVector (&contact)[4], const PolarVector (&segment)[2]) {
  const auto finite = [](const PolarVector& v) {
    return std::isfinite(v.Length) && std::isfinite(v.Angle);
  };
  return std::all_of(contact, contact + 4, finite) && finite(segment[0]) && finite(segment[1]);
}

// Outer and crossed tangents agree on how the circles lie, and the ones
// that exist are finite for a layout the window can hold.
void CheckPair(const WheelCircle& a, const WheelCircle& b, bool ordinary,
               const WheelCircle (&wheel)[3]) {
  PolarVector contact[4], segment[2], crossedContact[4], crossedSegment[2];
  const int outer = idrova::OuterTangents(a.X, a.Y, a.Radius, b.X, b.Y, b.Radius, contact, segment);
  const int crossed = idrova::CrossedTangents(a.X, a.Y, a.Radius, b.X, b.Y, b.Radius,
                                              crossedContact, crossedSegment);
  if (outer < idrova::kInsideApart || outer > idrova::kApart) Fail("outer relation", wheel);
  if (crossed != outer) Fail("crossed and outer tangents disagree on the relation", wheel);
  if (ordinary && outer > idrova::kInsideTouching && !AllFinite(contact, segment))
    Fail("outer tangents not finite", wheel);
  if (ordinary && crossed == idrova::kApart && !AllFinite(crossedContact, crossedSegment))
    Fail("crossed tangents not finite", wheel);
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t control = data[0];
  double value[9] = {};
  std::memcpy(value, data + 1, std::min(size - 1, sizeof value));

  const bool fold = (control & 0x80) != 0;
  const auto folded = [fold](double v, double limit) {
    return !fold ? v : std::isfinite(v) ? std::fmod(v, limit) : 0.0;
  };
  WheelCircle wheel[3];
  for (int i = 0; i < 3; ++i)
    wheel[i] = {folded(value[3 * i], kCoordinateLimitMm),
                folded(value[3 * i + 1], kCoordinateLimitMm),
                fold ? std::fabs(folded(value[3 * i + 2], kRadiusLimitMm)) : value[3 * i + 2]};
  const int windingMode = (control & 0x7F) % 3;
  const bool ordinary = IsOrdinary(wheel[0]) && IsOrdinary(wheel[1]) && IsOrdinary(wheel[2]);

  for (int i = 0; i < 3; ++i)
    for (int j = 0; j < 3; ++j)
      if (i != j) CheckPair(wheel[i], wheel[j], ordinary, wheel);

  idrova::DriveState state;
  idrova::ApplyStartValues(state);
  for (int i = 0; i < 3; ++i) state.Wheel[i] = wheel[i];
  state.WindingMode = windingMode;
  const idrova::PathCase pathCase = idrova::ComputeBeltPath(state);
  if ((pathCase == idrova::PathCase::None) != (windingMode != 0)) Fail("path case", wheel);
  if (ordinary && !(std::isfinite(state.BeltLength) && std::isfinite(state.MinBeltLength))) {
    Fail("belt length not finite", wheel);
  }
  // The search's lengths are the path's, bit for bit (NaN for NaN).
  if (pathCase != idrova::PathCase::None) {
    const idrova::TensionerBeltLengths lengths(wheel[0], wheel[1], state.EmptySpan);
    const auto same = [](double a, double b) {
      return std::isnan(a) ? std::isnan(b) : std::memcmp(&a, &b, sizeof a) == 0;
    };
    if (!same(lengths.BeltLength(wheel[2]), state.BeltLength) ||
        !same(lengths.MinBeltLength(), state.MinBeltLength))
      Fail("search lengths differ from the path's", wheel);
  }

  const double tight = idrova::TightBeltLength(wheel);
  bool allFinite = true;
  for (const double v : value) allFinite = allFinite && std::isfinite(v);
  if (!fold && !allFinite && !std::isnan(tight)) Fail("tight length of non-finite wheels", wheel);
  if (ordinary && !std::isfinite(tight)) Fail("tight length not finite", wheel);
  if (idrova::BeltLengthFitsLayout(state.BeltLength, tight) &&
      !(std::isfinite(state.BeltLength) && std::isfinite(tight))) {
    Fail("non-finite lengths fit the layout", wheel);
  }
  return 0;
}
