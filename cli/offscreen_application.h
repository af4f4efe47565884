#pragma once
// A GUI application object for the renderer's fonts and the PDF writer
// while a command paints, when the program has none (the window has one;
// the command line has not). It uses the offscreen platform unless the
// environment names another, so no display is needed.

#include <QGuiApplication>
#include <memory>
#include <string>
#include <vector>

namespace corvane::cli {

class TOffscreenApplication {
 public:
  TOffscreenApplication();
  ~TOffscreenApplication();
  TOffscreenApplication(const TOffscreenApplication&) = delete;
  TOffscreenApplication& operator=(const TOffscreenApplication&) = delete;

 private:
  int argc_ = 1;
  std::string name_ = "corvane";
  std::vector<char*> argv_{name_.data(), nullptr};
  std::unique_ptr<QGuiApplication> app_;
  QtMessageHandler previous_ = nullptr;
};

}  // namespace corvane::cli
