#include "analysis/grib_services.h"

#include <cmath>
#include <functional>
#include <utility>

#include "core/constants.h"
#include "core/date_time.h"

namespace corvane {

namespace {

// Nearest whole number, halves to the even neighbour: x minus its IEEE
// remainder by 1, which rounds the quotient that way whatever the rounding
// mode of the thread.
double RoundHalfToEven(double value) { return value - std::remainder(value, 1.0); }

// True when the fields of `cube` include `moment`, both ends included (to
// the millisecond, so a moment typed to the minute of the last field counts).
bool FieldsCover(const TListVektorCubeLight& cube, TDateTime moment) {
  if (cube.GetCountFields(0) == 0) return false;
  return CompareDateTime(cube.GetTimeFirstField(), moment) <= 0 &&
         CompareDateTime(moment, cube.GetTimeLastField()) <= 0;
}

}  // namespace

TGRIBServices::TGRIBServices(TFileTools fileTools) { FastGRIB2.FileTools = std::move(fileTools); }

// ------------------------------------------------------------ file lists

void TGRIBServices::LoadListGRIB(TListControl* list) const {
  if (list == nullptr) return;
  list->Clear();
  list->Add(kGRIBNoFile);
  TStringList names;
  if (FastGRIB2.FileTools.GetFileNameWithoutExtension(FastGRIB2.FileTools.GetDocumentsPath(),
                                                      kGRIBFilePattern, names)) {
    for (const std::string& name : names) list->Add(name);
  }
  list->SetItemIndex(0);
}

std::optional<std::string> TGRIBServices::SelectedGRIBFile(const TListControl* list) {
  if (list == nullptr) return std::nullopt;
  const int row = list->ItemIndex();
  if (row <= 0) return std::nullopt;
  return list->Text(row) + kGRIBFileExtension;
}

void TGRIBServices::LoadListGRIBWind(TPackageControls& controls) const {
  LoadListGRIB(controls.ComboBox_GRIB);
}

void TGRIBServices::LoadListGRIBCurrent(TPackageControls& controls) const {
  LoadListGRIB(controls.ComboBox_GRIBCurrent);
}

// ------------------------------------------------------------ GRIB wind

void TGRIBServices::ReadGRIBWind(const std::string& fileName, double offsetDegrees,
                                 TInterfaceApplicationMobile& state) {
  state.CubeWind.OffsetAngle = offsetDegrees;
  FastGRIB2.ReadGRIBWind(fileName, state.CubeWind);
  state.GRIBWindLoaded = state.CubeWind.GetCountFields(0) > 0;
}

void TGRIBServices::GetTidalCurrentsWithGRIBWind(TPackageCurrents& currents,
                                                 TInterfaceApplicationMobile& state) const {
  // The owner may have attached this object already, or another one, or none;
  // for this call the step is ours, and the owner's choice comes back after,
  // however the call ends.
  struct TRestoreHook {
    TPackageCurrents& Currents;
    std::function<void(TInterfaceApplicationMobile&)> Attached;
    ~TRestoreHook() { Currents.GRIBWindOfMoment = std::move(Attached); }
  } restore{currents, std::exchange(currents.GRIBWindOfMoment, [this](TInterfaceApplicationMobile& s) {
              GetGRIBWindOfMoment(s);
            })};
  currents.GetTidalCurrents(kCurrentsSourceDrawn, state);
}

void TGRIBServices::LoadGRIBWind(TPackageControls& controls, TPackageCurrents& currents,
                                 TInterfaceApplicationMobile& state) {
  state.GRIBWindLoaded = false;
  state.CubeWind.ClrCubes();
  if (const std::optional<std::string> file = SelectedGRIBFile(controls.ComboBox_GRIB)) {
    double offset = 0;
    if (controls.ComboBox_GRIBAngleOffset != nullptr &&
        controls.ComboBox_GRIBAngleOffset->ItemIndex() >= 0) {
      offset = kGRIBAngleOffsetStep * controls.ComboBox_GRIBAngleOffset->ItemIndex() -
               kGRIBAngleOffsetOrigin;
    }
    ReadGRIBWind(*file, offset, state);
  }
  GetTidalCurrentsWithGRIBWind(currents, state);
}

void TGRIBServices::GetGRIBWindValid(TInterfaceApplicationMobile& state) const {
  state.GRIBWindValid = state.GRIBWindLoaded && FieldsCover(state.CubeWind, state.DateTimeGMT);
}

void TGRIBServices::GetGRIBWindLocationValid(TInterfaceApplicationMobile& state) const {
  const TMinutes& p1 = state.SeaMap.P1;
  const TMinutes& p2 = state.SeaMap.P2;
  // South-west, north-east, north-west, south-east.
  const TMinutes corners[] = {p1, p2, TMinutes{p1.Lon, p2.Lat}, TMinutes{p2.Lon, p1.Lat}};
  state.GRIBWindLocationValid = false;
  for (const TMinutes& corner : corners) {
    if (FastGRIB2.GetInGRIBArea(corner)) {
      state.GRIBWindLocationValid = true;
      return;
    }
  }
}

void TGRIBServices::GetTrueGRIBWind(TInterfaceApplicationMobile& state) const {
  if (!state.GRIBWindValid) return;
  TListRoutingData& tracks = state.ListRoutingData;
  tracks.IndexTopMark = kTopMarkStraightUpwind;
  const TRoutingData* track = tracks.GetItem(tracks.IndexTrack);
  const TMinutes position = track != nullptr ? track->TrackCenter : state.SeaMap.Center;
  // The reader negated the components, so the vector points where the wind
  // comes from, as the wind panel shows it.
  const TPolar wind =
      MathTools.CartesianToPolar(state.CubeWind.GetTINVektor(false, 0, position, state.DateTimeGMT));

  // Written so that a speed that is not a number (a field of infinities
  // weighs to one) takes the lower limit rather than passing both tests.
  double speed = RoundHalfToEven(wind.Betrag);
  if (!(speed >= kGRIBWindSpeedMin)) speed = kGRIBWindSpeedMin;
  if (speed > kGRIBWindSpeedMax) speed = kGRIBWindSpeedMax;
  state.Wind.TrueWind.Betrag = speed;
  state.Wind.IndexSpeed = static_cast<int>(speed) - kGRIBWindSpeedMin;

  double degrees = RoundHalfToEven(wind.Winkel * kRadiansToDegrees);
  if (!(degrees >= 0 && degrees <= kGRIBWindDirectionMax)) degrees = 0;
  state.Wind.IndexDirection = static_cast<int>(degrees);
  state.Wind.TrueWind.Winkel = degrees * kDegreesToRadians;
}

void TGRIBServices::GetGRIBWindField(TInterfaceApplicationMobile& state) const {
  GetGRIBWindValid(state);
  if (!state.GRIBWindValid) return;
  state.CubeWind.GetFieldsIntp(false, state.DateTimeGMT);
  GetTrueGRIBWind(state);
}

void TGRIBServices::GetTrueGRIBWindCourse(TInterfaceApplicationMobile& state) const {
  if (!state.GRIBWindValid || !state.GRIBWindCourse || state.TrackType != kTrackTypeWindwardLeeward) {
    return;
  }
  TListRoutingData& tracks = state.ListRoutingData;
  TRoutingData* beat = tracks.GetItem(0);
  TRoutingData* run = tracks.GetItem(1);
  if (beat == nullptr || run == nullptr) return;
  tracks.SetRoutingDataByWind(*beat, *run, state.Wind.TrueWind.Winkel);
  tracks.SetRoutingDataByMarks();
  // The two movable marks are the beat's start and windward mark.
  if (state.ListBuoysPosition.size() >= 2) {
    state.ListBuoysPosition[0] = beat->TrackStart;
    state.ListBuoysPosition[1] = beat->TrackFinish;
  }
}

void TGRIBServices::HandleTrueWind(TPackageControls& controls, TInterfaceApplicationMobile& state) const {
  TPolar& trueWind = state.Wind.TrueWind;
  if (controls.ComboBox_WindSpeed != nullptr) {
    trueWind.Betrag = StringTools.ToWindSpeed(controls.ComboBox_WindSpeed->Text(state.Wind.IndexSpeed));
  }
  if (const TListControl* angles = controls.ComboBox_WindAngle) {
    const int row = state.Wind.IndexDirection;
    const bool hasRow = row >= 0 && row < angles->Count();
    trueWind.Winkel = StringTools.ToWindDirection(hasRow ? angles->Text(row) : std::string("0"));
  }
  if (TEditControl* edit = controls.Edit_WindAngle) {
    trueWind.Winkel = StringTools.ToWindAngle(edit->Text()) * kDegreesToRadians;
    edit->SetText(StringTools.ToAngle(trueWind.Winkel));
  }
}

void TGRIBServices::GetGRIBWindOfMoment(TInterfaceApplicationMobile& state) const {
  GetGRIBWindLocationValid(state);
  if (!state.GRIBWindLocationValid) {
    state.GRIBWindValid = false;
    return;
  }
  GetGRIBWindValid(state);
  if (state.GRIBWindValid) {
    state.CubeWind.GetFieldsIntp(false, state.DateTimeGMT);
    GetTrueGRIBWind(state);
  } else {
    // A file that does not reach the moment: the wind turns with the course,
    // its speed stays as it was.
    state.Wind.TrueWind.Winkel = state.ListRoutingData.GetTrueWindAngle();
  }
}

void TGRIBServices::AttachGRIBWind(TPackageCurrents& currents) const {
  currents.GRIBWindOfMoment = [this](TInterfaceApplicationMobile& state) { GetGRIBWindOfMoment(state); };
}

void TGRIBServices::DetachGRIBWind(TPackageCurrents& currents) { currents.GRIBWindOfMoment = nullptr; }

TGRIBWindLoad TGRIBServices::JudgeGRIBWind(TInterfaceApplicationMobile& state, TStringList& messages) {
  if (!state.GRIBWindLoaded) {
    messages.emplace_back(kMessageInvalidGRIBWind);
  }
  if (state.GRIBWindLocationValid) {
    return state.GRIBWindLoaded ? TGRIBWindLoad::Loaded : TGRIBWindLoad::Invalid;
  }
  const bool read = state.GRIBWindLoaded;
  messages.emplace_back(kMessageGRIBOutOfMap);
  state.GRIBWindLoaded = false;
  return read ? TGRIBWindLoad::OutOfMap : TGRIBWindLoad::Invalid;
}

TGRIBWindSelection TGRIBServices::SelectGRIBWind(TPackageControls& controls, TPackageCurrents& currents,
                                                 TInterfaceApplicationMobile& state) {
  LoadGRIBWind(controls, currents, state);
  TGRIBWindSelection selection;
  selection.InMap = state.GRIBWindLocationValid;
  if (SelectedGRIBFile(controls.ComboBox_GRIB)) {
    selection.Load = JudgeGRIBWind(state, selection.Messages);
  } else if (!state.GRIBWindLocationValid) {
    state.GRIBWindLoaded = false;
  }
  return selection;
}

void TGRIBServices::ClearGRIBWind(TInterfaceApplicationMobile& state) const {
  state.CubeWind.ClrCubes();
  state.GRIBWindLoaded = false;
  state.GRIBWindValid = false;
  GetGRIBWindValid(state);
}

TGRIBWindLoad TGRIBServices::LoadGRIBWindFile(const std::string& fileName, double offsetDegrees,
                                              TPackageCurrents& currents,
                                              TInterfaceApplicationMobile& state) {
  state.GRIBWindLoaded = false;
  state.CubeWind.ClrCubes();
  ReadGRIBWind(fileName, offsetDegrees, state);
  GetTidalCurrentsWithGRIBWind(currents, state);
  TStringList messages;
  return JudgeGRIBWind(state, messages);
}

// ------------------------------------------------------------ GRIB current

TListVektorCubeLight& TGRIBServices::GetGRIBCurrentCube(TInterfaceApplicationMobile& state) {
  return state.GRIBCurrentCube == 0 ? state.CubeLoRes : state.CubeTideTech;
}

const TListVektorCubeLight& TGRIBServices::GetGRIBCurrentCube(const TInterfaceApplicationMobile& state) {
  return state.GRIBCurrentCube == 0 ? state.CubeLoRes : state.CubeTideTech;
}

std::optional<std::string> TGRIBServices::LoadGRIBCurrent(TPackageControls& controls,
                                                          TPackageCurrents& currents,
                                                          TInterfaceApplicationMobile& state) {
  TListVektorCubeLight& cube = GetGRIBCurrentCube(state);
  state.GRIBCurrentLoaded = false;
  cube.ClrCubes();
  const std::optional<std::string> file = SelectedGRIBFile(controls.ComboBox_GRIBCurrent);
  if (file) {
    FastGRIB2.ReadGRIBCurrent(*file, cube);
    state.GRIBCurrentLoaded = cube.GetCountFields(0) > 0;
  }
  GetGRIBCurrentValid(state);
  GetTidalCurrentsWithGRIBWind(currents, state);
  if (file && !state.GRIBCurrentLoaded) return std::string(kMessageInvalidGRIBCurrent);
  return std::nullopt;
}

void TGRIBServices::GetGRIBCurrentValid(TInterfaceApplicationMobile& state) const {
  state.GRIBCurrentValid =
      state.GRIBCurrentLoaded && FieldsCover(GetGRIBCurrentCube(std::as_const(state)), state.DateTimeGMT);
}

}  // namespace corvane
