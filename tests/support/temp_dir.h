#pragma once
#include <string>
#include <vector>

// A fresh temporary folder that becomes the working folder for the test's
// lifetime (log.txt, error.txt and saves land there) and is deleted after.
class TempWorkingDir {
 public:
  TempWorkingDir();
  ~TempWorkingDir();
  TempWorkingDir(const TempWorkingDir&) = delete;
  TempWorkingDir& operator=(const TempWorkingDir&) = delete;
  const std::string& path() const { return path_; }

 private:
  std::string path_;
  std::string previous_;
};

std::string readWholeFile(const std::string& path);
// The lines of log.txt in the working folder, each without its time stamp.
std::vector<std::string> logMessages();
void writeWholeFile(const std::string& path, const std::string& text);
