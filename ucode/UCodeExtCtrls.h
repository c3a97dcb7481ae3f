// The wide image, panel and splitter: wide hints, the panel's wide caption drawn in its Unicode
// window, and the image's picture of the Unicode layer's class.
#pragma once

#include <string>

#include "classlib/ExtCtrls.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeControls.h"
#include "ucode/UCodeGraphics.h"

class TUCodeImage : public ExtCtrls::TImage {
  KX_COMPONENT(TUCodeImage, ExtCtrls::TImage)
  UCODE_WIDE_ACTION_CLIENT
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeImage(TComponent* owner);

  TUCodePicture* GetPicture() const { return static_cast<TUCodePicture*>(FPicture.get()); }
  void SetPicture(TPicture* value) { FPicture->Assign(value); }
  std::wstring GetHint() { return WideGetControlHint(this); }
  void SetHint(const std::wstring& value) { WideSetControlHint(this, value); }
  void DefineProperties(TFiler* filer) override;

 protected:
  void Dispatch(TMessage& message) override;
};

class TUCodeCustomPanel : public TCustomPanel {
  KX_COMPONENT(TUCodeCustomPanel, TCustomPanel)
  UCODE_WIDE_ACTION_CLIENT
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeCustomPanel(TComponent* owner) : TCustomPanel(owner) {}

  std::wstring GetHint() { return WideGetControlHint(this); }
  void SetHint(const std::wstring& value) { WideSetControlHint(this, value); }
  void DefineProperties(TFiler* filer) override;
  void CreateWindowHandle(const TCreateParams& params) override;

 protected:
  // Bevels and background as the library paints them, then the wide caption.
  void Paint() override;
};

class TUCodePanel : public TUCodeCustomPanel {
  KX_COMPONENT(TUCodePanel, TUCodeCustomPanel)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodePanel(TComponent* owner) : TUCodeCustomPanel(owner) {}

  std::wstring GetCaption() { return WideGetControlText(this); }
  void SetCaption(const std::wstring& value) { WideSetControlText(this, value); }
};

class TUCodeSplitter : public ExtCtrls::TSplitter {
  KX_COMPONENT(TUCodeSplitter, ExtCtrls::TSplitter)
  UCODE_WIDE_ACTION_CLIENT
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeSplitter(TComponent* owner) : ExtCtrls::TSplitter(owner) {}

  std::wstring GetHint() { return WideGetControlHint(this); }
  void SetHint(const std::wstring& value) { WideSetControlHint(this, value); }
  void DefineProperties(TFiler* filer) override;

 protected:
  void Dispatch(TMessage& message) override;
};
