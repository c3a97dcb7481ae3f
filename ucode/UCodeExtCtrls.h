// The wide image, panel and splitter: wide hints, the panel's wide caption drawn in its Unicode
// window, and the image's picture of the Unicode layer's class.
#pragma once

#include <string>

#include "classlib/ExtCtrls.h"
#include "ucode/UCodeActnList.h"
#include "ucode/UCodeControls.h"
#include "ucode/UCodeGraphics.h"

class TUCodeImage : public TUCodeWideControl<ExtCtrls::TImage> {
  KX_COMPONENT(TUCodeImage, TUCodeWideControl<ExtCtrls::TImage>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeImage(TComponent* owner);

  TUCodePicture* GetPicture() const { return static_cast<TUCodePicture*>(FPicture.get()); }
  void SetPicture(TPicture* value) { FPicture->Assign(value); }

 protected:
  void Dispatch(TMessage& message) override;
};

class TUCodeCustomPanel : public TUCodeWideControl<TCustomPanel> {
  KX_COMPONENT(TUCodeCustomPanel, TUCodeWideControl<TCustomPanel>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeCustomPanel(TComponent* owner) : TUCodeWideControl(owner) {}

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

class TUCodeSplitter : public TUCodeWideControl<ExtCtrls::TSplitter> {
  KX_COMPONENT(TUCodeSplitter, TUCodeWideControl<ExtCtrls::TSplitter>)
 public:
  static void DeclareProperties(TPropertyTable& table);
  explicit TUCodeSplitter(TComponent* owner) : TUCodeWideControl(owner) {}


 protected:
  void Dispatch(TMessage& message) override;
};
