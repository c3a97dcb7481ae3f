// The start screen's pictures are JPEG resources of the program that decode to their sizes.
#include <gtest/gtest.h>

#include "classlib/Jpeg.h"
#include "support/TestSupport.h"

namespace {

class ProgramResources {
 public:
  ProgramResources()
      : m_module(LoadLibraryExA((testsupport::ExeFolder() + "kaptorix.exe").c_str(), nullptr,
                                LOAD_LIBRARY_AS_DATAFILE)) {}
  ~ProgramResources() {
    if (m_module) FreeLibrary(m_module);
  }
  ProgramResources(const ProgramResources&) = delete;
  ProgramResources& operator=(const ProgramResources&) = delete;
  HMODULE Get() const { return m_module; }

 private:
  HMODULE m_module;
};

TEST(StartPictures, DecodeToTheirPlacesOnTheStartScreen) {
  ProgramResources program;
  ASSERT_NE(program.Get(), nullptr);
  struct Case {
    const char* name;
    int width, height;
  };
  for (const Case& c : {Case{"INTRO", 325, 210}, Case{"INTRO_EN1", 249, 50},
                        Case{"INTRO_EN2", 157, 21}}) {
    SCOPED_TRACE(c.name);
    TJPEGImage jpeg;
    jpeg.LoadFromResourceName(program.Get(), c.name);
    TBitmap bitmap;
    bitmap.Assign(&jpeg);
    EXPECT_EQ(bitmap.GetWidth(), c.width);
    EXPECT_EQ(bitmap.GetHeight(), c.height);
    EXPECT_EQ(bitmap.GetPixelFormat(), pf24bit);
  }
  TJPEGImage missing;
  EXPECT_THROW(missing.LoadFromResourceName(program.Get(), "NO_SUCH_PICTURE"), EResNotFound);
}

}  // namespace
