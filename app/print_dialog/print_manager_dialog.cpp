#include "app/print_dialog/print_manager_dialog.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDialog>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPageLayout>
#include <QPageSize>
#include <QPrintDialog>
#include <QPrinter>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>
#include <exception>

#include "print/page_target.h"

namespace corvane {

std::string TPrintingEdit::Text() const { return edit_.text().toStdString(); }

void TPrintingEdit::SetText(const std::string& text) {
  edit_.setText(QString::fromStdString(text));
  edit_.repaint();
}

TFormPrintManagerTracks::TFormPrintManagerTracks(QWidget* parent) : QDialog(parent) {
  setWindowTitle(QStringLiteral("Print manager"));
  setWindowFlags(windowFlags() | Qt::WindowStaysOnTopHint);

  auto* tracks = new QGroupBox(QStringLiteral("Print tracks"), this);
  rbtPrintSingleTrack = new QRadioButton(QStringLiteral("Print single track"), tracks);
  rbtPrintAllTracks = new QRadioButton(QStringLiteral("Print all tracks"), tracks);
  rbtPrintSingleTrack->setChecked(true);
  auto* printingLabel = new QLabel(QStringLiteral("Printing"), tracks);
  edtPrinting = new QLineEdit(tracks);
  edtPrinting->setReadOnly(true);
  auto* tracksLayout = new QVBoxLayout(tracks);
  tracksLayout->addWidget(rbtPrintSingleTrack);
  tracksLayout->addWidget(rbtPrintAllTracks);
  auto* printingRow = new QHBoxLayout;
  printingRow->addWidget(printingLabel);
  printingRow->addWidget(edtPrinting, 1);
  tracksLayout->addLayout(printingRow);

  auto* manager = new QGroupBox(QStringLiteral("Print manager"), this);
  // It closes the dialog, not the program.
  btnQuit = new QPushButton(QStringLiteral("Close"), manager);
  btnSavePdf = new QPushButton(QStringLiteral("Save as PDF…"), manager);
  btnPrint = new QPushButton(QStringLiteral("Print"), manager);
  btnPrint->setDefault(true);
  auto* buttons = new QHBoxLayout(manager);
  buttons->addWidget(btnQuit);
  buttons->addStretch(1);
  buttons->addWidget(btnSavePdf);
  buttons->addWidget(btnPrint);

  auto* layout = new QVBoxLayout(this);
  layout->addWidget(tracks);
  layout->addWidget(manager);
  layout->setSizeConstraint(QLayout::SetFixedSize);

  connect(btnQuit, &QPushButton::clicked, this, [this] { btnQuitClick(); });
  connect(btnPrint, &QPushButton::clicked, this, [this] { btnPrintClick(); });
  connect(btnSavePdf, &QPushButton::clicked, this, [this] { btnSavePdfClick(); });
}

void TFormPrintManagerTracks::SetData(TPrintController& controller) { controller_ = &controller; }

int TFormPrintManagerTracks::Mode() const {
  return rbtPrintAllTracks->isChecked() ? kPrintAllTracks : kPrintCurrentTrack;
}

void TFormPrintManagerTracks::btnQuitClick() { reject(); }

void TFormPrintManagerTracks::btnPrintClick() {
  QPrinter printer(QPrinter::HighResolution);
  QPrintDialog dialog(&printer, this);
  dialog.setWindowTitle(QStringLiteral("Print track sheets"));
  if (dialog.exec() != QDialog::Accepted) return;
  if (!PrintOn(printer)) ShowError();
}

QString TFormPrintManagerTracks::PdfSuggestion() const {
  const QString name = QStringLiteral("Track sheets.pdf");
  return DocumentsFolder.isEmpty() ? name : QDir(DocumentsFolder).filePath(name);
}

void TFormPrintManagerTracks::btnSavePdfClick() {
  const QString fileName = QFileDialog::getSaveFileName(this, QStringLiteral("Save as PDF"), PdfSuggestion(),
                                                        QStringLiteral("PDF files (*.pdf)"));
  if (fileName.isEmpty()) return;
  if (!SaveAsPdf(fileName)) {
    ShowError();
    return;
  }
  QMessageBox::information(parentWidget(), QStringLiteral("Print manager"),
                           QStringLiteral("The track sheets are saved in %1").arg(QDir::toNativeSeparators(fileName)));
}

bool TFormPrintManagerTracks::SaveAsPdf(const QString& fileName) {
  QPrinter printer(QPrinter::HighResolution);
  printer.setOutputFormat(QPrinter::PdfFormat);
  printer.setOutputFileName(fileName);
  printer.setPageSize(QPageSize(QPageSize::A4));
  printer.setPageOrientation(QPageLayout::Portrait);
  return PrintOn(printer);
}

bool TFormPrintManagerTracks::PrintOn(QPrinter& printer) {
  LastError.clear();
  if (controller_ == nullptr) {
    LastError = "Nothing to print";
    return false;
  }
  const int mode = Mode();
  accept();
  QCoreApplication::processEvents();
  TPrintingEdit edit(*edtPrinting);
  TPrinterPageTarget target(printer);
  try {
    if (!postPress_.PrintSheet(&edit, mode, *controller_, target)) {
      LastError = "The print job could not start";
      return false;
    }
  } catch (const std::exception& error) {
    LastError = std::string("Printing failed: ") + error.what();
    return false;
  }
  return true;
}

void TFormPrintManagerTracks::ShowError() {
  QMessageBox::critical(parentWidget(), QStringLiteral("Print manager"), QString::fromStdString(LastError));
}

}  // namespace corvane
