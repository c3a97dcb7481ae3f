// Test programs that show the program's windows start as the program does: with the Unicode
// layer's registration, so that the windows' edits, memos, lists and list views are wide.
#include <gtest/gtest.h>

#include "ucode/UCodeRegistration.h"

namespace {

class UnicodeLayerSetUp : public ::testing::Environment {
 public:
  void SetUp() override { RegisterUnicodeLayer(); }
};

const auto* const setUp = ::testing::AddGlobalTestEnvironment(new UnicodeLayerSetUp);

}  // namespace
