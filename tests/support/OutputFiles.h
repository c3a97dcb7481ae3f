// Files a test program writes for an independent checker that ctest runs after it.
#pragma once

#include <string>
#include <vector>

namespace testsupport {

// A folder beside the test executable, emptied when first used, and the manifest.json in it:
// one JSON object per file, written when all tests have run. Make one at namespace scope, so
// that it is there before the tests run.
class OutputFiles {
 public:
  explicit OutputFiles(std::string folderName);
  OutputFiles(const OutputFiles&) = delete;
  OutputFiles& operator=(const OutputFiles&) = delete;

  // The folder, without a trailing backslash.
  const std::string& Folder();
  std::string File(const std::string& name) { return Folder() + "\\" + name; }
  void Add(const std::string& json) { m_entries.push_back(json); }
  // A text file of the folder: its iconv encoding name, whether it starts with a byte-order
  // mark, and its text (UTF-8).
  void AddText(const std::string& file, const std::string& iconvName, bool mark, const std::string& utf8Text);
  void WriteManifest();

 private:
  std::string m_name;
  std::string m_folder;
  std::vector<std::string> m_entries;
};

// The text (UTF-8) as a JSON string, quotes included.
std::string JsonString(const std::string& utf8);

}  // namespace testsupport
