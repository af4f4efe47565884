#pragma once
// What the polar viewer and editor share: a modal dialog around the polar
// panel (name, grid, plot) with a row of buttons below, the services both
// use, the answerer of their questions, and the naming of the user's polar
// files in the documents folder.

#include <memory>
#include <string>

#include <QDialog>

#include "app/polar_dialogs/polar_asker.h"
#include "app/polar_dialogs/polar_panel.h"
#include "core/file_tools.h"
#include "core/string_tools.h"
#include "polars/package_polars.h"
#include "state/application_state.h"

class QHBoxLayout;
class QLineEdit;
class QTableWidget;

namespace corvane {

class TPolarDialog : public QDialog {
 public:
  // Replaces the questions' answerer (tests answer without a modal loop).
  void SetAsker(std::unique_ptr<TPolarAsker> NewAsker);

  // The controls of the panel (children of the dialog).
  QLineEdit* Edit_Class = nullptr;
  QTableWidget* StringGrid_Polars = nullptr;
  TPolarPlot* Plot = nullptr;

 protected:
  // FileTools names the documents folder of the polar files.
  TPolarDialog(const QString& caption, TFileTools FileTools, QWidget* parent);

  // True when name can name a polar file of the documents folder (only
  // characters allowed in file names, not empty after trimming).
  bool ValidPolarName(const std::string& name) const;
  // The documents folder + name + ".pol".
  std::string PolarFile(const std::string& name) const;

  // Empty at first; the dialogs add their buttons.
  QHBoxLayout* ButtonRow = nullptr;

  TInterfaceApplicationMobile* InterfaceApplicationMobile = nullptr;  // not owned
  TStringTools StringTools;
  TFileTools FileTools;
  TPackagePolars PackagePolars;
  std::unique_ptr<TPolarAsker> Asker;
};

}  // namespace corvane
