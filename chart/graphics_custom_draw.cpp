#include "chart/graphics_custom_draw.h"

#include <algorithm>
#include <cctype>
#include <cmath>

#include "chart/boat_selection.h"
#include "chart/overlay_geometry.h"
#include "core/constants.h"
#include "core/date_time.h"

namespace corvane {

namespace {

// Town labels beside (0.1') or below (0.15') the square, a little above
// its centre line (0.0125').
constexpr double kTownLabelBeside = 0.1;
constexpr double kTownLabelBelow = 0.15;
constexpr double kTownLabelRise = 0.0125;
constexpr double kTownSquare = 0.05;  // minutes of latitude
constexpr double kModelNameRise = 0.05;
// An approach line needs its ends this far apart (pixels).
constexpr double kApproachMinPixels = 20;
constexpr double kBoatSpacing = 150;  // pixels per boat marker at boat scale 1
constexpr double kLegendTextSize = 12;
constexpr double kWindShiftShown = 2;  // degrees

TPointF Point(double x, double y) { return TPointF{static_cast<float>(x), static_cast<float>(y)}; }

TTextAlign AlignOf(std::uint8_t code) {
  switch (code) {
    case 0:
      return TTextAlign::Center;
    case 1:
      return TTextAlign::Leading;
    default:
      return TTextAlign::Trailing;
  }
}

std::string UpperCase(std::string text) {
  for (char& c : text) c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
  return text;
}

double DegreesOf(double radians) {
  double degrees = std::fmod(radians * kRadiansToDegrees, 360);
  if (degrees < 0) degrees += 360;
  return degrees;
}

template <typename T>
const T* At(const std::vector<T>& list, std::size_t i) {
  return i < list.size() ? &list[i] : nullptr;
}

}  // namespace

TAlphaColor HeightColor(int i) {
  if (i <= 2) return 0xFFDFA200;
  if (i <= 5) return 0xFFA87A00;
  if (i <= 7) return 0xFF775600;
  return 0xFF281E00;
}

bool TMobileGraphicsCustomDraw::ShownRouted(const TRoutingData& track,
                                            const TInterfaceApplicationMobile& state) {
  return track.RoutingEnabled && state.RoutingValid && state.DrawRouting;
}

// ------------------------------------------------------------- the chart

void TMobileGraphicsCustomDraw::DrawBackground() {
  if (Canvas != nullptr) Canvas->Clear(kColorSea);
}

void TMobileGraphicsCustomDraw::DrawCoastTiles(const TInterfaceApplicationMobile& state) {
  for (const TMapTiles& tile : state.ListMapTiles) {
    if (!tile.Draw || tile.Typ == 2) continue;
    if (tile.Typ != 1) {
      for (const TPolygon& p : tile.Lines10m) DrawScaledPolygon(kColorDeep, p);
      for (const TPolygon& p : tile.Waters) DrawScaledPolygon(kColorSea, p);
      for (const TPolygon& p : tile.Lines5m) DrawScaledPolygon(kColorLine5m, p);
      for (const TPolygon& p : tile.ShallowWaters) DrawScaledPolygon(kColorShallow, p);
    }
    for (const TPolygon& p : tile.CoastLines) DrawScaledPolygon(kColorLand, p);
    for (std::size_t i = 0; i < tile.Heights.size(); ++i) {
      DrawScaledPolygon(HeightColor(static_cast<int>(i)), tile.Heights[i]);
    }
    if (state.DrawLatLonGrid) {
      const TMinutes northWest{tile.P1.Lon, tile.P2.Lat};
      if (tile.IndexH > 1) {
        DrawLine(kColorBlack, northWest, tile.P1, 0.15, TStrokeDash::Solid);
      }
      if (tile.IndexV > 1) {
        DrawLine(kColorBlack, northWest, tile.P2, 0.15, TStrokeDash::Solid);
      }
    }
  }
}

void TMobileGraphicsCustomDraw::DrawDepthLine(const TInterfaceApplicationMobile& state) {
  if (state.IndexDepthLine < 1) return;
  const auto k = static_cast<std::size_t>(state.IndexDepthLine - 1);
  if (const TPolygon* draft = At(state.ListDrafts, k)) DrawPolyLine(kColorRed, *draft, double{1});
  if (const TListPolygon* holes = At(state.ListInvDrafts, k)) {
    for (const TPolygon& hole : *holes) DrawPolyLine(kColorRed, hole, double{1});
  }
}

void TMobileGraphicsCustomDraw::DrawCurrentArrows(const TInterfaceApplicationMobile& state) {
  if (!state.TidesValid || !state.DrawCurrents) return;
  const auto& cubes = state.CubeLoRes.ListVektorCube;
  for (std::size_t n = 0; n < cubes.size(); ++n) {
    const TVektorCubeLight& cube = cubes[n];
    const TAlphaColor fill = n == 0 || !state.AppDrawEddys ? kColorBlue : kColorCyan;
    const std::size_t count = std::min(cube.CoordM.size(), cube.VektorPIntp.size());
    for (std::size_t i = 0; i < count; ++i) {
      const TPolar& current = cube.VektorPIntp[i];
      if (!(current.Betrag > state.CurrentsMin) || !GetInOffScreen(cube.CoordM[i])) continue;
      DrawArrow(kColorBlack, current.Betrag * ScaleArrowCurrents, current.Winkel * kRadiansToDegrees,
                cube.CoordM[i], fill);
    }
  }
}

void TMobileGraphicsCustomDraw::DrawCurrentTexts(const TInterfaceApplicationMobile& state) {
  if (!state.TidesValid || !state.DrawCurrentsText || !(ScaleTextSizeTiny >= kMinTextSize)) return;
  const TListVektorCubeLight& cube = state.CubeLoRes;
  const std::size_t count = std::min(cube.CoordMText.size(), cube.ValuePText.size());
  for (std::size_t i = 0; i < count; ++i) {
    const TPolar& value = cube.ValuePText[i];
    if (!(value.Betrag > state.CurrentsMin) || !GetInOffScreen(cube.CoordMText[i])) continue;
    const TPointF p = Minutes_to_OffScreen(cube.CoordMText[i]);
    const std::string direction = StringTools.ExtendedToStr(DegreesOf(value.Winkel), 0) + "°";
    const std::string speed = StringTools.ExtendedToStr(value.Betrag, 1);
    const double h = TextHeight(direction, ScaleTextSizeTiny);
    DrawText(Point(p.X, p.Y - h / 2), direction, TTextAlign::Center, kColorBlue, ScaleTextSizeTiny);
    DrawText(Point(p.X, p.Y + h / 2), speed, TTextAlign::Center, kColorBlue, ScaleTextSizeTiny);
  }
}

void TMobileGraphicsCustomDraw::DrawSlacks(const TInterfaceApplicationMobile& state) {
  if (!state.TidesValid || !(ScaleTextSizeSmall > kMinTextSize)) return;
  const TListVektorCubeLight& cube = state.CubeLoRes;
  const std::size_t count = std::min(cube.SlackM.size(), cube.SlackB.size());
  for (std::size_t i = 0; i < count; ++i) {
    if (!cube.SlackB[i] || !GetInOffScreen(cube.SlackM[i])) continue;
    DrawText(cube.SlackM[i], "Slack", TTextAlign::Center, kColorRed, ScaleTextSizeSmall);
  }
}

void TMobileGraphicsCustomDraw::DrawTowns(const TInterfaceApplicationMobile& state) {
  const std::size_t count = std::min({state.ListTownsName.size(), state.ListTownsPosition.size(),
                                      state.ListTownsAlign.size()});
  for (std::size_t i = 0; i < count; ++i) {
    const TMinutes& p = state.ListTownsPosition[i];
    DrawSquareMark(kColorBlack, kTownSquare, p);
    const std::uint8_t align = state.ListTownsAlign[i];
    TMinutes label{p.Lon, p.Lat - kTownLabelBelow};
    if (align == 2) label = TMinutes{p.Lon - kTownLabelBeside, p.Lat + kTownLabelRise};
    if (align == 1) label = TMinutes{p.Lon + kTownLabelBeside, p.Lat + kTownLabelRise};
    DrawText(label, UpperCase(state.ListTownsName[i]), AlignOf(align), kColorBlack,
             ScaleTextSizeLarge);
  }
}

void TMobileGraphicsCustomDraw::DrawFlats(const TInterfaceApplicationMobile& state) {
  if (!(ScaleTextSizeSmall >= kMinTextSize)) return;
  const std::size_t count = std::min({state.ListFlatsName.size(), state.ListFlatsPosition.size(),
                                      state.ListFlatsAlign.size()});
  for (std::size_t i = 0; i < count; ++i) {
    if (!GetInOffScreen(state.ListFlatsPosition[i])) continue;
    DrawText(state.ListFlatsPosition[i], state.ListFlatsName[i], AlignOf(state.ListFlatsAlign[i]),
             kColorRed, ScaleTextSizeSmall);
  }
}

void TMobileGraphicsCustomDraw::DrawCourses(const TInterfaceApplicationMobile& state) {
  if (!state.DrawCourse || Canvas == nullptr) return;
  const std::size_t count =
      std::min({state.ListCoursesName.size(), state.ListCoursesPosition.size(),
                state.ListCoursesDiameter.size()});
  for (std::size_t i = 0; i < count; ++i) {
    const TMinutes& p = state.ListCoursesPosition[i];
    if (!GetInOffScreen(p)) continue;
    DrawText(p, state.ListCoursesName[i], TTextAlign::Center, kColorBlack, ScaleTextSizeLarge);
    Canvas->SetStrokeColor(kColorBlack);
    Canvas->SetStrokeThickness(1);
    DrawCircle(p, state.ListCoursesDiameter[i], TStrokeDash::Solid);
  }
}

void TMobileGraphicsCustomDraw::DrawCourseLines(const TInterfaceApplicationMobile& state) {
  if (state.DeviceGestureMovableMarkWaypoint) return;
  const TListRoutingData& tracks = state.ListRoutingData;
  for (int i = 0; i < tracks.Count(); ++i) {
    const TRoutingData& track = *tracks.GetItem(i);
    if (ShownRouted(track, state)) continue;
    DrawLine(i == tracks.IndexTrack ? kColorRed : kColorBlack, track.TrackStart, track.TrackFinish,
             ScaleSizeCourseLine, TStrokeDash::Solid);
  }
}

void TMobileGraphicsCustomDraw::DrawApproachLines(const TInterfaceApplicationMobile& state) {
  if (!state.DrawRouting) return;
  for (const auto& item : state.ListRoutingData.Items) {
    const TRoutingData& track = *item;
    if (!ShownRouted(track, state) || track.TypeOfCourse != 1) continue;
    const TPointF a = Minutes_to_OffScreen(track.FinalTack);
    const TPointF f = Minutes_to_OffScreen(track.TrackFinish);
    const double length = std::hypot(static_cast<double>(a.X) - f.X, static_cast<double>(a.Y) - f.Y);
    if (!(length > kApproachMinPixels)) continue;
    const double ux = (static_cast<double>(a.X) - f.X) / length;
    const double uy = (static_cast<double>(a.Y) - f.Y) / length;
    const double l = ScaleRoutingApproachLineLength;
    DrawLine(kColorBlack, Point(f.X - l * ux, f.Y - l * uy), Point(a.X + l * ux, a.Y + l * uy),
             ScaleLineLaylines, TStrokeDash::Dash);
    const std::string course = StringTools.ExtendedToStr(track.FinalCourse, 0) + "°";
    DrawText(Point(a.X + 1.2 * l * ux, a.Y + 1.2 * l * uy), course, TTextAlign::Center,
             kColorBlack, ScaleTextSizeCourse);
    DrawText(Point(f.X - 1.2 * l * ux, f.Y - 1.2 * l * uy), course, TTextAlign::Center,
             kColorBlack, ScaleTextSizeCourse);
  }
}

void TMobileGraphicsCustomDraw::DrawLaylines(const TInterfaceApplicationMobile& state) {
  if (!state.DrawRouting || !state.DrawLaylines) return;
  for (const auto& item : state.ListRoutingData.Items) {
    const TRoutingData& track = *item;
    if (!ShownRouted(track, state) || !track.DrawLaylines) continue;
    if (track.TypeOfCourse != 1 && track.TypeOfCourse != 3) continue;
    DrawPolyLine(track.ColorLaylines, track.ListLaylineLeft, track.StrokeDash, ScaleLineLaylines);
    DrawPolyLine(track.ColorLaylines, track.ListLaylineRight, track.StrokeDash, ScaleLineLaylines);
    if (!track.LayLinesValid) continue;
    for (const TMinutes* from : {&track.TrackStart, &track.TrackFinish}) {
      for (const TMinutes* to : {&track.LayLineCrossRight, &track.LayLineCrossLeft}) {
        DrawLine(track.ColorLaylinesNoCurrents, *from, *to, ScaleLineLaylines, track.StrokeDash);
      }
    }
  }
}

void TMobileGraphicsCustomDraw::DrawBestCourses(const TInterfaceApplicationMobile& state) {
  if (!state.DrawRouting) return;
  for (const auto& item : state.ListRoutingData.Items) {
    const TRoutingData& track = *item;
    if (!ShownRouted(track, state)) continue;
    DrawPolyLine(track.ColorTrack, track.ListBestCourse, track.StrokeDash, ScaleLineRouting);
  }
}

void TMobileGraphicsCustomDraw::DrawBuoySymbol(int type, const std::string& name,
                                               const TPointF& p, double b,
                                               const TInterfaceApplicationMobile& state) {
  switch (type) {
    case 0: DrawBuoyTarvish(p, b); break;
    case 1: DrawBuoyRacing(kColorYellow, p, b); break;
    case 2: DrawBuoyRacing(kColorOrange, p, b); break;
    case 3: DrawBuoyShipChannel(kColorGreen, p, b); break;
    case 4: DrawBuoyShipChannel(kColorRed, p, b); break;
    case 5: DrawFort(p, b); break;
    case 6: DrawOlvenFlag(p, b); break;
    case 7: DrawBuoyFlatNS(kColorYellow, p, b, kColorBlack); break;
    case 8: DrawBuoyFlatNS(kColorBlack, p, b, kColorYellow); break;
    case 9: DrawBuoyFlatEW(kColorBlack, p, b, kColorBlack, kColorYellow); break;
    case 10: DrawBuoyFlatEW(kColorYellow, p, b, kColorYellow, kColorBlack); break;
    case 11: DrawLightHouseSmall(p, b); break;
    case 12: DrawLightHouseHuge(p, b); break;
    case 13:
      if (!state.DeviceGestureMovableMarkActive) DrawMovableMark(name, p);
      break;
    case 16: DrawSmallBuoyCircleRacing(kColorYellow, p, b); break;
    case 17: DrawSmallBuoyTriangleRacing(kColorYellow, p, b); break;
    case 18: DrawSmallBuoyTriangleRacing(kColorWhite, p, b); break;
    case 19: DrawSmallBuoyCircleRacing(kColorOrange, p, b); break;
    case 20: DrawSmallBuoyZylinderRacing(kColorYellow, p, b); break;
    case 21: DrawBuoyShipChannel(kColorRed, p, b / 2); break;
    case 22: DrawBuoyTarvish(p, b / 1.6); break;
    case 23: DrawShip(p, b); break;
    case 24: DrawSmallBuoyCircleRacing(kColorWhite, p, b); break;
    default: break;  // 14, 15: a named position without a symbol
  }
}

void TMobileGraphicsCustomDraw::DrawBuoys(const TInterfaceApplicationMobile& state) {
  if (!ScaleShowBuoys) return;
  const std::size_t count =
      std::min({state.ListBuoysName.size(), state.ListBuoysPosition.size(),
                state.ListBuoysType.size(), state.ListBuoysAlign.size()});
  for (std::size_t i = 0; i < count; ++i) {
    const TMinutes& position = state.ListBuoysPosition[i];
    if (!GetInOffScreen(position)) continue;
    const int type = state.ListBuoysType[i];
    const TPointF p = Minutes_to_OffScreen(position);
    DrawBuoySymbol(type, state.ListBuoysName[i], p, ScaleSizeBuoys, state);
    double size = ScaleTextSizeSmall * state.AppScaleBuoys;
    if (type >= 16 && type <= 24) size *= 0.6;
    if (!(size > kMinTextSize) || type == 13 || type == 14) continue;
    DrawText(Point(p.X, p.Y + ScaleTextSizeSmall / 1.8), state.ListBuoysName[i],
             AlignOf(state.ListBuoysAlign[i]), kColorBlack, size);
  }
}

void TMobileGraphicsCustomDraw::DrawWindArrows(const TInterfaceApplicationMobile& state) {
  if (state.DeviceGestureMovableMarkActive) return;
  const TRoutingData* track = state.ListRoutingData.GetItem(state.ListRoutingData.IndexTrack);
  if (track == nullptr) return;
  const TPointF start = Minutes_to_OffScreen(track->TrackStart);
  const TPointF finish = Minutes_to_OffScreen(track->TrackFinish);
  const double mx = (static_cast<double>(start.X) + finish.X) / 2;
  const double my = (static_cast<double>(start.Y) + finish.Y) / 2;
  const double d = std::hypot(static_cast<double>(finish.X) - start.X,
                           static_cast<double>(finish.Y) - start.Y) / 2;
  const double r = ScaleArrowWinds;
  auto q = [&](double direction, double distance) {
    return Point(mx + distance * std::sin(direction), my - distance * std::cos(direction));
  };
  if (state.DrawRouting && state.TidesValid && !state.HideCurrent) {
    const double wind = track->CurrentsWind;
    DrawArrow(kColorBlack, r, wind * kRadiansToDegrees + 180, q(wind, d + 1.5 * r), kColorWhite);
    if (std::fabs(track->CurrentsWindShift) > kWindShiftShown) {
      DrawText(q(wind, d + 3 * r), StringTools.ToWindshift(track->CurrentsWindShift, true, false) + "°",
               TTextAlign::Center, kColorBlack, ScaleTextSizeMedium);
    }
  }
  if (!state.GRIBWindValid) {
    const double wind = state.Wind.TrueWind.Winkel;
    DrawArrow(kColorBlack, r, wind * kRadiansToDegrees + 180, q(wind, d + 1.5 * r), kColorRed);
  }
}

void TMobileGraphicsCustomDraw::DrawModelFrame(const TInterfaceApplicationMobile& state) {
  const TRectF& frame = state.CubeLoRes.ModelFrame;
  if (frame.Left == frame.Right || frame.Top == frame.Bottom) return;  // no atlas loaded
  DrawRectangle(kColorRed, TMinutes{frame.Left, frame.Bottom}, TMinutes{frame.Right, frame.Top}, 1,
                TStrokeDash::Dot);
  DrawText(TMinutes{frame.Right, frame.Bottom - kModelNameRise}, state.CubeLoRes.ModelName,
           TTextAlign::Trailing, kColorRed, ScaleTextSizeMedium);
}

void TMobileGraphicsCustomDraw::DrawBoatsAlongTracks(const TInterfaceApplicationMobile& state) {
  if (!state.DrawBoatsOnTrack || !state.DrawRouting || !ScaleShowBoats) return;
  for (const auto& item : state.ListRoutingData.Items) {
    const TRoutingData& track = *item;
    if (!ShownRouted(track, state)) continue;
    TPolygon pixels;
    pixels.reserve(track.ListBoat.Items.size());
    for (const TBoat& boat : track.ListBoat.Items) pixels.push_back(Minutes_to_OffScreen(boat.CoordM));
    for (int i : GetBoatsAlongTrack(track.ListBoat, pixels, kBoatSpacing * ScaleSizeBoats, MathTools)) {
      DrawBoat(kColorLightGreen, track.ListBoat.Items[static_cast<std::size_t>(i)],
               track.TypeOfCourse);
    }
  }
}

void TMobileGraphicsCustomDraw::DrawBoatsNow(const TInterfaceApplicationMobile& state) {
  if (!state.DrawBoatsOnTrack || !state.DrawRouting || !ScaleShowBoats) return;
  for (const auto& item : state.ListRoutingData.Items) {
    const TRoutingData& track = *item;
    if (!ShownRouted(track, state)) continue;
    if (CompareDateTime(state.DateTimeGMT, track.DateTimeStartGMT) < 0 ||
        CompareDateTime(state.DateTimeGMT, track.DateTimeFinishGMT) > 0) {
      continue;
    }
    const std::int64_t elapsedMs =
        DateTimeToMilliseconds(state.DateTimeGMT) - DateTimeToMilliseconds(track.DateTimeStartGMT);
    const double hours = static_cast<double>(elapsedMs / kMsPerSecond) / 3600;
    const int i = GetBoatAtTime(track.ListBoat, hours, track.TimeBestCourse);
    if (i >= 0) {
      DrawBoat(kColorWhite, track.ListBoat.Items[static_cast<std::size_t>(i)], track.TypeOfCourse);
    }
  }
}

void TMobileGraphicsCustomDraw::DrawGRIBWind(const TInterfaceApplicationMobile& state) {
  if (!state.GRIBWindValid) return;
  for (const TVektorCubeLight& cube : state.CubeWind.ListVektorCube) {
    const std::size_t count = std::min(cube.CoordM.size(), cube.VektorPIntp.size());
    for (std::size_t i = 0; i < count; ++i) {
      if (GetInOffScreen(cube.CoordM[i])) DrawArrowWind(cube.CoordM[i], cube.VektorPIntp[i]);
    }
  }
}

// -------------------------------------------------------------- overlays

void TMobileGraphicsCustomDraw::DrawGestureMarks(const TInterfaceApplicationMobile& state) {
  if (!state.DeviceGestureMovableMarkActive) return;
  if (state.DeviceGestureMovableMarkWaypoint) {
    for (const auto& item : state.ListRoutingData.Items) {
      if (!item->DrawGesture) continue;
      DrawLine(kColorBlack, item->GestureTrackStart, item->GestureTrackFinish, ScaleSizeCourseLine,
               TStrokeDash::Solid);
    }
  }
  if (state.Gesture == 4) DrawCircle(kColorRed, ScaleSizeCourseGesture, 3, GestureM1);
  if (state.Gesture == 5) DrawCircle(kColorRed, ScaleSizeCourseGesture, 3, GestureM2);
  if (state.Gesture == 2) {
    const double radius = std::hypot(static_cast<double>(GestureM2.X) - GestureM1.X,
                                  static_cast<double>(GestureM2.Y) - GestureM1.Y) / 2;
    DrawCircle(kColorRed, radius, 3, GestureMC);
  }
  const std::string* name1 = At(state.ListBuoysName, 0);
  const std::string* name2 = At(state.ListBuoysName, 1);
  DrawMovableMark(name1 != nullptr ? *name1 : std::string(), GestureM1);
  DrawMovableMark(name2 != nullptr ? *name2 : std::string(), GestureM2);
}

void TMobileGraphicsCustomDraw::DrawGestureLine(const TInterfaceApplicationMobile& state) {
  if (!state.DeviceGestureLinesActive || GestureLine.empty()) return;
  DrawPolygon(kColorBlack, GestureLine, double{1});
}

void TMobileGraphicsCustomDraw::DrawLegend(const TInterfaceApplicationMobile& state, double width,
                                           double height) {
  const double w = width / 8;
  const double s = ScaleArrowCurrents;
  const TCurrentScale current = GetCurrentScale(w, s, state.UnitScaleCurrents, MathTools);
  const double x = 0.6 * w;
  const double y = height - std::max(GetArrowHeight(current.NextKnots * s) / 2,
                                  TextHeight("A", kLegendTextSize));
  const double arrowLength = current.Knots * s;
  if (GetArrowWidth(arrowLength) > 7) {
    DrawArrow(kColorBlack, arrowLength, 90, Point(x, y), kColorBlack);
    DrawText(Point(x + 0.7 * GetArrowWidth(arrowLength), y), current.Label, TTextAlign::Leading,
             kColorBlack, kLegendTextSize);
  }

  const double labelWidth = TextWidth(current.Label, kLegendTextSize);
  const double labelHeight = TextHeight(current.Label, kLegendTextSize);
  const TDistanceScale distance = GetDistanceScale(width - x - 2 * labelWidth, ServiceMercator->GetPixSM());
  const double b = distance.Pixels;
  const double x0 = width - b - 5;
  const double y1 = y + labelHeight / 1.8;
  DrawLine(kColorBlack, Point(x0, y1), Point(x0 + b, y1), 1, TStrokeDash::Solid);
  DrawLine(kColorBlack, Point(x0, y1 - labelHeight / 2), Point(x0, y1), 1, TStrokeDash::Solid);
  DrawLine(kColorBlack, Point(x0 + b, y1 - labelHeight / 2), Point(x0 + b, y1), 1,
           TStrokeDash::Solid);
  DrawText(Point(x0 + b / 2, y), StringTools.ExtendedToStr(distance.Miles, distance.Decimals) + " nm",
           TTextAlign::Center, kColorBlack, kLegendTextSize);
}

void TMobileGraphicsCustomDraw::DrawTideBar(const TInterfaceApplicationMobile& state, double width,
                                            double height) {
  const double m = ScaleTidesBarMeter;
  const TTideBar bar = GetTideBar(width, height, state.TideLevel, state.TideLevelMin,
                                  state.TideLevelMax, m, ScaleTidesBarWidth);
  if (!bar.Visible || Canvas == nullptr) return;
  const double right = bar.Left + bar.Width;
  const TRectF frame{static_cast<float>(bar.Left), static_cast<float>(bar.Top),
                     static_cast<float>(right), static_cast<float>(bar.Bottom)};
  FillRectangle(kColorTideBar, frame, 0);
  DrawRectangle(kColorBlack, frame, 1, TStrokeDash::Solid);
  FillRectangle(kColorRed,
                TRectF{static_cast<float>(bar.Left + 2), static_cast<float>(bar.ColumnTop),
                       static_cast<float>(right - 2), static_cast<float>(bar.Bottom)},
                0);
  const double size = ScaleTextSizeTidesBar;
  const double labelX = right + TextWidth("A", size) / 2;
  for (int i = 0; i <= bar.Metres; ++i) {
    const double yi = GetTideBarMetreY(bar, i, m);
    DrawText(Point(labelX, yi), std::to_string(i), TTextAlign::Leading, kColorBlack, size);
    if (i == 0) continue;
    const TPointF middle = Point(bar.Left + bar.Width / 2, yi - bar.ChevronRise);
    DrawLine(kColorBlack, Point(bar.Left, yi), middle, 1, TStrokeDash::Solid);
    DrawLine(kColorBlack, middle, Point(right, yi), 1, TStrokeDash::Solid);
  }
  DrawLine(kColorRed, Point(bar.Left, bar.LineMax), Point(right, bar.LineMax), 1, TStrokeDash::Solid);
  DrawLine(kColorRed, Point(bar.Left, bar.LineMin), Point(right, bar.LineMin), 1, TStrokeDash::Solid);
  const std::string level = StringTools.ExtendedToStr(std::fabs(state.TideLevel), 1) + "m";
  DrawText(Point(bar.Left + bar.Width / 2, bar.Top - 0.6 * TextHeight(level, size)), level,
           TTextAlign::Center, kColorBlack, size);
}

}  // namespace corvane
