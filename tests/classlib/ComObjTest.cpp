// Automation errors, self-clearing variants and creating automation objects by ProgID.
#include <gtest/gtest.h>

#include "classlib/ComObj.h"

namespace {

TEST(Automation, ErrorsShowTheirCodeSourceAndDescription) {
  EOleException raised(L"Microsoft Word", L"Das Dokument ist gesperrt.", static_cast<HRESULT>(0x800A1436));
  EXPECT_EQ(raised.GetMessage(), "Das Dokument ist gesperrt. (Microsoft Word, error code 0x800A1436)");
  EXPECT_EQ(raised.GetErrorCode(), static_cast<HRESULT>(0x800A1436));
  EOleException bare(L"", L"", E_FAIL);
  EXPECT_EQ(bare.GetMessage(), "Automation error (error code 0x80004005)");

  EXPECT_NO_THROW(OleCheck(S_FALSE, "x"));
  try {
    OleCheck(E_NOINTERFACE, "the browser");
    ADD_FAILURE() << "no error";
  } catch (const EOleSysError& error) {
    EXPECT_EQ(error.GetErrorCode(), E_NOINTERFACE);
    EXPECT_NE(error.GetMessage().find("(the browser, error code 0x80004002)"), std::string::npos)
        << error.GetMessage();
  }
}

TEST(Automation, AnUnknownProgIdIsAnErrorWithItsCode) {
  CoInitialize(nullptr);
  ComPtr<IDispatch> object;
  try {
    CreateOleObject(L"Kaptorix.NoSuchServer", object);
    ADD_FAILURE() << "no error";
  } catch (const EOleSysError& error) {
    EXPECT_EQ(error.GetErrorCode(), CO_E_CLASSSTRING);
    EXPECT_NE(error.GetMessage().find("\"Kaptorix.NoSuchServer\""), std::string::npos) << error.GetMessage();
    EXPECT_NE(error.GetMessage().find("0x800401F3"), std::string::npos) << error.GetMessage();
  }
  EXPECT_FALSE(object);
  CoUninitialize();
}

TEST(Automation, VariantsConvertAsAutomationDoes) {
  TOleVariant number;
  number.Get()->vt = VT_BSTR;
  number.Get()->bstrVal = SysAllocString(L"42");
  EXPECT_EQ(number.AsInteger(), 42);
  EXPECT_EQ(number.AsString(), L"42");
  EXPECT_EQ(number.Type(), VT_BSTR);  // converted copies, the value stays

  TOleVariant flag;
  *flag.Out() = ByValue(false);
  EXPECT_FALSE(flag.AsBoolean());
  EXPECT_EQ(flag.AsInteger(), 0);
  *flag.Out() = ByValue(-1);
  EXPECT_TRUE(flag.AsBoolean());

  TOleVariant empty;
  EXPECT_EQ(empty.AsString(), L"");
  EXPECT_THROW(empty.AsDispatch(), EOleError);
}

}  // namespace
