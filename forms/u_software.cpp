#include "forms/u_software.h"

#include "forms/u_prog.h"

namespace {

constexpr int kWheelStep = 10;  // units the list moves per wheel step

}  // namespace

std::string TSoftwareFrame::EntryReferral(int entry) const { return FReferralPrefix + std::to_string(entry); }

void TSoftwareFrame::BrowseToCaption(TObject* sender) {
  if (auto* label = dynamic_cast<TControl*>(sender))
    OpenWebAddress(WebLabelAddress(label->GetCaption(), EntryReferral(label->GetTag())));
}

void TSoftwareFrame::ScrollList(int distance) {
  TControlScrollBar* bar = ScrollBox1->GetVertScrollBar();
  bar->SetPosition(bar->GetPosition() + distance);
}

void TSoftwareFrame::ScrollBox1MouseWheelDown(TObject*, TShiftState, POINT, bool& handled) {
  ScrollList(kWheelStep);
  handled = true;
}

void TSoftwareFrame::ScrollBox1MouseWheelUp(TObject*, TShiftState, POINT, bool& handled) {
  ScrollList(-kWheelStep);
  handled = true;
}

void TSoftwareFrame::ScrollBox1MouseDown(TObject*, TMouseButton, TShiftState, int, int) {
  if (ScrollBox1->CanFocus()) ScrollBox1->SetFocus();
}

void TSoftwareFrame::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TSoftwareFrame>();
  p.Field("ScrollBox1", &TSoftwareFrame::ScrollBox1);
  p.Handler("BrowseToCaption", &TSoftwareFrame::BrowseToCaption);
  p.Handler("ScrollBox1MouseWheelDown", &TSoftwareFrame::ScrollBox1MouseWheelDown);
  p.Handler("ScrollBox1MouseWheelUp", &TSoftwareFrame::ScrollBox1MouseWheelUp);
  p.Handler("ScrollBox1MouseDown", &TSoftwareFrame::ScrollBox1MouseDown);
}
