#pragma once
// What the polar dialog tests share: an offscreen QApplication, a documents
// folder of their own with the built-in classes loaded, and an answerer
// that replies to the dialogs' questions from a script and records what was
// asked, so no modal loop ever runs.

#include <gtest/gtest.h>

#include <QApplication>
#include <QString>
#include <QTableWidget>

#include <deque>
#include <memory>
#include <string>
#include <vector>

#include "app/polar_dialogs/polar_asker.h"
#include "core/file_tools.h"
#include "data/package_resource_loader.h"
#include "datasets/builtin_datasets.h"
#include "state/application_state.h"
#include "support/temp_folder.h"

namespace corvane {

// The QApplication of one test. The platform is set before it is created, so
// the tests need no display.
class TOffscreenApplication {
 public:
  TOffscreenApplication() {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    app_ = std::make_unique<QApplication>(argc_, argv_);
  }

 private:
  int argc_ = 1;
  char name_[20] = "polar_dialogs_tests";
  char* argv_[2] = {name_, nullptr};
  std::unique_ptr<QApplication> app_;
};

// What the dialog asked and the answers still to give.
struct TAskLog {
  std::deque<bool> Answers;  // to the Yes/No questions, in order
  std::vector<std::string> Questions;
  std::vector<std::string> Errors;
  std::vector<std::string> Informations;
  QString OpenFile;  // the file "chosen" to read; empty: cancelled
  QString SaveFile;  // the file "chosen" to write; empty: cancelled
  QString ProposedSaveFile;
};

class TScriptedAsker : public TPolarAsker {
 public:
  explicit TScriptedAsker(TAskLog& log) : log_(log) {}

  bool AskYesNo(QWidget*, const QString& question) override {
    log_.Questions.push_back(question.toStdString());
    if (log_.Answers.empty()) {
      ADD_FAILURE() << "unexpected question: " << question.toStdString();
      return false;
    }
    const bool answer = log_.Answers.front();
    log_.Answers.pop_front();
    return answer;
  }
  void ShowError(QWidget*, const QString& message) override { log_.Errors.push_back(message.toStdString()); }
  void ShowInformation(QWidget*, const QString& message) override {
    log_.Informations.push_back(message.toStdString());
  }
  QString AskOpenFile(QWidget*, const QString&, const QString&) override { return log_.OpenFile; }
  QString AskSaveFile(QWidget*, const QString&, const QString& fileName) override {
    log_.ProposedSaveFile = fileName;
    return log_.SaveFile;
  }

 private:
  TAskLog& log_;
};

// The state as the window has it after start-up: the class lists and the
// default class's polar, with the documents folder a fresh temporary one.
class TPolarDialogTest : public ::testing::Test {
 protected:
  TPolarDialogTest() : Tools(TFileTools::ForProgramFolder(Documents.path())), Loader(BuiltInResourceStore(), Tools) {
    Loader.LoadListClasses(State);
    Loader.LoadBoatPolars(State);
  }

  std::string PolarFile(const std::string& name) const { return Documents.folder() + name + ".pol"; }
  bool Exists(const std::string& name) const { return Tools.GetFileExists(PolarFile(name)); }
  static std::string Cell(const QTableWidget& grid, int row, int column) {
    return grid.item(row, column)->text().toStdString();
  }

  TOffscreenApplication App;
  TTempFolder Documents;
  TFileTools Tools;
  TPackageResourceLoader Loader;
  TInterfaceApplicationMobile State;
  TAskLog Log;
};

}  // namespace corvane
