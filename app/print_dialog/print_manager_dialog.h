#pragma once
// "Print manager": prints the track sheets of the course, the selected
// track or all of them, one page each, to a printer chosen in the
// platform's print dialog or to a PDF file ("Save as PDF...", A4).
//
// Use from the main window ("Print manager" button, while events are
// enabled):
//
//   TFormPrintManagerTracks dialog(this);
//   dialog.SetData(controller);   // a TPrintController over the window's
//                                 // state, renderer and services
//   dialog.exec();                // modal
//   ...redraw the chart for the current state
//
// The job runs on the user interface thread and routes each sheet's track
// silently; afterwards the state is as it was before. A failed job shows
// its error in a message box.

#include <QDialog>
#include <QString>
#include <string>

#include "analysis/package_controls.h"
#include "print/post_press_tracks.h"
#include "print/print_controller.h"

class QLineEdit;
class QPrinter;
class QPushButton;
class QRadioButton;

namespace corvane {

// The progress edit of the dialog as the job's edit control; each text is
// shown at once.
class TPrintingEdit : public TEditControl {
 public:
  explicit TPrintingEdit(QLineEdit& edit) : edit_(edit) {}
  std::string Text() const override;
  void SetText(const std::string& text) override;

 private:
  QLineEdit& edit_;
};

class TFormPrintManagerTracks : public QDialog {
 public:
  explicit TFormPrintManagerTracks(QWidget* parent = nullptr);

  // The controller the jobs print with; it must outlive the dialog's use.
  void SetData(TPrintController& controller);

  // "Print": the platform's print dialog; when confirmed, the dialog
  // closes, pending events run and the sheets are printed.
  void btnPrintClick();
  // "Save as PDF...": asks for a file name (PdfSuggestion first), prints
  // the sheets to that PDF file on A4 pages and says where it went.
  void btnSavePdfClick();
  // "Close": closes the dialog.
  void btnQuitClick();
  // The file the save dialog opens on: in DocumentsFolder when it is set.
  QString PdfSuggestion() const;

  // PrintSheet mode of the radio buttons: 1 the selected track, 2 all.
  int Mode() const;
  // The sheets printed on a printer already set up (also a PDF printer):
  // the dialog closes, pending events run and the job runs. False with
  // the reason in LastError when the job could not start or failed; the
  // state is as before either way.
  bool PrintOn(QPrinter& printer);
  // The sheets as a PDF file of A4 pages.
  bool SaveAsPdf(const QString& fileName);

  std::string LastError;
  // The user's documents folder of the program, where PDF files go first.
  QString DocumentsFolder;

  QRadioButton* rbtPrintSingleTrack = nullptr;
  QRadioButton* rbtPrintAllTracks = nullptr;
  QLineEdit* edtPrinting = nullptr;
  QPushButton* btnQuit = nullptr;
  QPushButton* btnPrint = nullptr;
  QPushButton* btnSavePdf = nullptr;

 private:
  // Shows LastError over the window that opened the dialog.
  void ShowError();

  TPrintController* controller_ = nullptr;  // not owned
  TPostPressTracks postPress_;
};

}  // namespace corvane
