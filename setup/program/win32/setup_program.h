// setup.exe's run: reads the command line, finds the folders, runs the
// installation or the removal and tells the user how it went (a message
// box, or standard error in silent mode). Returns the exit code.
#pragma once

#include <string>
#include <vector>

namespace tolven::setupprogram {

class SetupProgram {
 public:
  static constexpr int kDone = 0;
  static constexpr int kFailed = 1;
  static constexpr int kBadCommandLine = 2;

  int Run(const std::vector<std::wstring> &arguments);

 private:
  void Report(const std::wstring &text, bool failure);

  bool silent_ = false;
};

}  // namespace tolven::setupprogram
