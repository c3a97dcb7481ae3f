#include "support/OutputFiles.h"

#include <gtest/gtest.h>
#include <windows.h>

#include <cstdio>
#include <utility>

#include "support/TestSupport.h"

namespace testsupport {

namespace {

class ManifestWriter : public testing::Environment {
 public:
  explicit ManifestWriter(OutputFiles* files) : m_files(files) {}
  void TearDown() override { m_files->WriteManifest(); }

 private:
  OutputFiles* m_files;
};

}  // namespace

OutputFiles::OutputFiles(std::string folderName) : m_name(std::move(folderName)) {
  testing::AddGlobalTestEnvironment(new ManifestWriter(this));
}

const std::string& OutputFiles::Folder() {
  if (m_folder.empty()) {
    const std::string path = ExeFolder() + m_name;
    CreateDirectoryA(path.c_str(), nullptr);
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA((path + "\\*").c_str(), &found);
    if (search != INVALID_HANDLE_VALUE) {
      do {
        if (!(found.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) DeleteFileA((path + "\\" + found.cFileName).c_str());
      } while (FindNextFileA(search, &found));
      FindClose(search);
    }
    m_folder = path;
  }
  return m_folder;
}

void OutputFiles::AddText(const std::string& file, const std::string& iconvName, bool mark,
                          const std::string& utf8Text) {
  Add("{\"kind\": \"text\", \"file\": " + JsonString(file) + ", \"encoding\": " + JsonString(iconvName) +
      ", \"bom\": " + (mark ? "true" : "false") + ", \"text\": " + JsonString(utf8Text) + "}");
}

void OutputFiles::WriteManifest() {
  std::string json = "[\n";
  for (size_t i = 0; i < m_entries.size(); ++i) json += (i ? ",\n  " : "  ") + m_entries[i];
  WriteBytes(File("manifest.json"), json + "\n]\n");
}

std::string JsonString(const std::string& utf8) {
  std::string out = "\"";
  for (unsigned char c : utf8) {
    if (c == '"' || c == '\\') {
      out += '\\';
      out += static_cast<char>(c);
    } else if (c < 0x20) {
      char escaped[8];
      snprintf(escaped, sizeof escaped, "\\u%04x", c);
      out += escaped;
    } else {
      out += static_cast<char>(c);
    }
  }
  return out + "\"";
}

}  // namespace testsupport
