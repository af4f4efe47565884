// The results table of the selected track, the shortcut memo's typing rules
// and the position readout under the mouse.

#include "analysis/package_apps.h"
#include "analysis/results_rows.h"
#include "app/window/package_forms.h"
#include "app/window/position_text.h"
#include "app/window/shortcut_memo.h"

namespace corvane {

void TPackageForms::SetDataResults(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open()) return;
  const TResultsTable table = GetResultsRows(state_);
  if (c.Label_Track != nullptr) c.Label_Track->setText(QString::fromStdString(table.LabelTrack));
  if (c.ListView_Results == nullptr) return;
  QTreeWidget& list = *c.ListView_Results;
  const int rows = std::min(list.topLevelItemCount(), static_cast<int>(table.Rows.size()));
  for (int i = 0; i < rows; ++i) {
    QTreeWidgetItem* item = list.topLevelItem(i);
    const TResultsRow& row = table.Rows[static_cast<std::size_t>(i)];
    item->setText(0, QString::fromStdString(row.Text));
    if (!row.Header) {
      item->setText(1, QString::fromStdString(row.Detail));
      item->setToolTip(1, QString::fromStdString(row.Note));
    }
  }
}

void TPackageForms::GetClearShortCuts(TWindowControls& c) {
  TMemoText memo;
  ShortCuts.Clear(memo);
  if (c.Memo_ShortCutWaypointsBox != nullptr) c.Memo_ShortCutWaypointsBox->SetMemo(memo);
}

void TPackageForms::GetValidateShortCuts(TWindowControls& c, bool isBackspace, char keyChar) {
  if (c.Memo_ShortCutWaypointsBox == nullptr) return;
  TMemoText memo = c.Memo_ShortCutWaypointsBox->Memo();
  const std::string before = memo.Text;
  const int caret = memo.Caret;
  ShortCuts.KeyDown(isBackspace, keyChar, memo);
  if (memo.Text != before || memo.Caret != caret) c.Memo_ShortCutWaypointsBox->SetMemo(memo);
}

void TPackageForms::ProcessValidateShortCuts(TWindowControls& c) {
  TEventsGate gate(EnableEvents);
  if (!gate.Open() || c.Memo_ShortCutWaypointsBox == nullptr) return;
  TMemoText memo = c.Memo_ShortCutWaypointsBox->Memo();
  if (!ShortCuts.KeyUp(memo)) return;
  c.Memo_ShortCutWaypointsBox->setFocus();
  c.Memo_ShortCutWaypointsBox->SetMemo(memo);
}

void TPackageForms::GetGotoEndTripleShortCuts(TWindowControls& c) {
  if (c.Memo_ShortCutWaypointsBox == nullptr) return;
  TMemoText memo = c.Memo_ShortCutWaypointsBox->Memo();
  ShortCuts.MouseUp(memo);
  c.Memo_ShortCutWaypointsBox->SetMemo(memo);
}

void TPackageForms::GetMoveMouseMap(TWindowControls& c, float x, float y) {
  if (c.Label_Map == nullptr) return;
  std::string text;
  if (!state_.HideCurrent) {
    const TMinutes position = graphics_.OnScreen_to_Minutes(TPointF{x, y}, state_.Offset);
    const TPolar current = apps_.PackageCurrents.GetCurrents(state_, position);
    if (current.Betrag > 0) {
      text = StringTools.ToSpeed(current.Betrag, 1) + "   " + StringTools.ToWindDirection(current.Winkel) + "   ";
    }
    text += "      " + ToDegreesAndMinutes(MathTools.MinutesToGeoPos(position.Lon, 'W', 'E')) + "  " +
            ToDegreesAndMinutes(MathTools.MinutesToGeoPos(position.Lat, 'S', 'N'));
  }
  c.Label_Map->setText(QString::fromStdString(text));
}

}  // namespace corvane
