#include "print/pre_press_text.h"

#include <string>

#include "core/date_time.h"

namespace corvane {

namespace {

// Row steps, vertical layout units.
constexpr double kStepTitle = 40;
constexpr double kStepBlock = 74;
constexpr double kStepFirst = 56;
constexpr double kStepNext = 40;

// Text styles (kPrintFonts) and colours (kPrintColors) of the sheet.
constexpr int kFontBody = 0;
constexpr int kFontTitle = 2;
constexpr int kFontLabel = 3;
constexpr int kTextBlue = 1;
constexpr int kTextRed = 2;

// The short date and time formats of the program's texts.
constexpr const char* kShortDate = "dd.mm.yyyy";
constexpr const char* kShortTime = "hh:mm";

// Leg types of TRoutingData::TypeOfCourse.
constexpr int kBeat = 1;
constexpr int kReach = 2;
constexpr int kRun = 3;

}  // namespace

bool TPrePressText::Routed(const TRoutingData* track, const TInterfaceApplicationMobile& state) {
  return track != nullptr && track->RoutingEnabled && state.RoutingValid;
}

void TPrePressText::PrePressTextTracks(const TInterfaceApplicationMobile& state) {
  ClearPrintLines();
  const TRoutingData* track = state.ListRoutingData.GetItem(state.ListRoutingData.IndexTrack);
  const bool routed = Routed(track, state);
  const bool tides = !state.HideCurrent && !state.ListDayTides.empty();
  // A label at the label column and its value at the value column, one row.
  auto labelled = [this](double step, int font, const std::string& label, const std::string& value) {
    AddTextLine(step, font, label, kColLabel);
    AddTextLine(0, font, value, kColValue);
  };

  // Header.
  AddPictureLine(kLogoDataSet);
  AddTextLine(kStepTitle, kFontTitle, state.AppName, kColTitle, kTextBlue);
  Row += kStepBlock;

  // Boat, start and wind.
  labelled(kStepBlock, kFontLabel, "Class", state.BoatClass);
  const TDateTime start = routed ? track->DateTimeStartLOC : state.DateTimeLOC;
  labelled(kStepFirst, kFontLabel, "Start Time", FormatDateTime(kShortDate, start));
  AddTextLine(0, kFontLabel, FormatDateTime(kShortTime, start), kColTime, kTextRed);
  if (!state.HideCurrent) {
    AddTextLine(0, kFontLabel, "Time " + (routed ? track->HoursToRefTideText : state.HoursToRefTideText), kColTides);
  }
  labelled(kStepFirst, kFontLabel, "True Wind", StringTools.ToSpeed(state.Wind.TrueWind.Betrag, 0));
  AddTextLine(0, kFontLabel, StringTools.ToWindDirection(state.Wind.TrueWind.Winkel), kColTime);

  // The day's tides beside the track block. Entry 1 is the day of the
  // moment, between the day before and the day after.
  if (tides) {
    SaveRow();
    AddTextLine(kStepBlock, kFontLabel, "Tides " + state.PortName, kColTides);
    if (state.ListDayTides.size() >= 2) {
      bool first = true;
      for (const TDayTide& tide : state.ListDayTides[1].DayTide) {
        AddTextLine(first ? kStepFirst : kStepNext, kFontBody, tide.Times, kColTides);
        AddTextLine(0, kFontBody, tide.Gauge, kColGauge);
        AddTextLine(0, kFontBody, tide.Level + " m", kColHeight);
        first = false;
      }
    }
    RestoreRow();
  }

  // The selected track.
  AddTextLine(kStepBlock, kFontLabel, "Track", kColLabel);
  const bool any = track != nullptr;
  labelled(kStepFirst, kFontBody, "Start", any ? StringTools.ToExtendedNameMovableMark(track->BuoyStart) : "");
  labelled(kStepNext, kFontBody, "Finish", any ? StringTools.ToExtendedNameMovableMark(track->BuoyFinish) : "");
  labelled(kStepNext, kFontBody, "Distance", StringTools.ToDistance(any ? track->TrackDistance : 0, any));
  labelled(kStepNext, kFontBody, "Course", StringTools.ToCompass(any ? track->TrackAngle : 0, any));
  labelled(kStepNext, kFontBody, "Average VMG", StringTools.ToSpeed(routed ? track->TrackVMG : 0, routed));
  labelled(kStepNext, kFontBody, "Minimum VMG", StringTools.ToSpeed(routed ? track->TrackMinVMG : 0, routed));
  const TCartesian stream = routed ? track->StreamOnTrack : TCartesian{};
  labelled(kStepNext, kFontBody, "Currents direction",
           StringTools.ToCompass(MathTools.WinkelOfCartesian(stream), routed));
  labelled(kStepNext, kFontBody, "Currents speed",
           StringTools.ToSpeed(MathTools.BetragOfCartesian(stream), routed));

  // Its routing results.
  const int type = routed ? track->TypeOfCourse : 0;
  labelled(kStepBlock, kFontLabel, "Routing", routed ? Types.GetTypeOfCourse(type) : "");
  const bool laylines = routed && type != kReach;
  const bool windShift =
      routed && (type == kBeat || type == kReach || (type == kRun && (state.TrackType == 3 || state.TrackType == 0)));
  labelled(kStepFirst, kFontBody, "Best course", StringTools.ToTimes(routed ? track->TimeBestCourse : 0, routed));
  // A value the leg type does not have is a dash, not "not computed".
  const auto unlessMissing = [routed](bool has, const std::string& value) {
    return routed && !has ? std::string(kNotApplicable) : value;
  };
  labelled(kStepNext, kFontBody, "Losses layline left",
           unlessMissing(laylines, StringTools.ToTimes(laylines ? track->TimeLaylineLeft : 0, laylines)));
  labelled(kStepNext, kFontBody, "Losses layline right",
           unlessMissing(laylines, StringTools.ToTimes(laylines ? track->TimeLaylineRight : 0, laylines)));
  labelled(kStepNext, kFontBody, "Currents wind shift",
           StringTools.ToWindshift(windShift ? track->CurrentsWindShift : 0, windShift, true));
  const bool approach = routed && type == kBeat;
  labelled(kStepNext, kFontBody, "Topmark approach",
           unlessMissing(approach, StringTools.ToCompass(approach ? track->FinalCourse : 0, approach)));

  // The stream calibration the sheet was computed with.
  if (tides) {
    SaveRow();
    AddTextLine(kStepBlock, kFontLabel, "Stream field calibration", kColLabel);
    labelled(kStepFirst, kFontBody, "High tide time shift", StringTools.ToTideShift(state.IndexTideShift));
    labelled(kStepNext, kFontBody, "Currents speed", StringTools.ToRangeShift(state.IndexRangeShift));
    RestoreRow();
  }
}

}  // namespace corvane
