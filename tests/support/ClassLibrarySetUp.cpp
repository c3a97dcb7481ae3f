// Every test program starts as the program does: with the class library's registration.
#include <gtest/gtest.h>

#include "classlib/Registration.h"

namespace {

class ClassLibrarySetUp : public ::testing::Environment {
 public:
  void SetUp() override { RegisterClassLibrary(); }
};

const auto* const setUp = ::testing::AddGlobalTestEnvironment(new ClassLibrarySetUp);

}  // namespace
