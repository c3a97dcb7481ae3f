// The list of the maker's further programs on the information panel's "Software" page, one
// entry per program: its name, a line about it and the address of its page. German (TFrame1)
// and English (TFrame2) show the same components; each link opens its page with a referral
// code of its own entry, and the list moves 10 units per step of the mouse wheel.
#pragma once

#include <string>

#include "classlib/Forms.h"

class TSoftwareFrame : public TFrame {
  KX_CLASS(TSoftwareFrame, TFrame)
 public:
  static void DeclareProperties(TPropertyTable& table);

  TScrollBox* ScrollBox1 = nullptr;

  // Opens the address in the caption of the clicked link label (whose Tag numbers its entry).
  void BrowseToCaption(TObject* sender);
  void ScrollBox1MouseWheelDown(TObject* sender, TShiftState shift, POINT mousePos, bool& handled);
  void ScrollBox1MouseWheelUp(TObject* sender, TShiftState shift, POINT mousePos, bool& handled);
  // A click into the list gives it the focus, which the wheel's messages go to.
  void ScrollBox1MouseDown(TObject* sender, TMouseButton button, TShiftState shift, int x, int y);

 protected:
  // referralPrefix: the frame's part of its entries' referral codes.
  TSoftwareFrame(TComponent* owner, std::string referralPrefix)
      : TFrame(owner), FReferralPrefix(std::move(referralPrefix)) {}

 private:
  // The referral code that the link of entry `entry` (its Tag) carries.
  std::string EntryReferral(int entry) const;
  void ScrollList(int distance);

  std::string FReferralPrefix;
};
