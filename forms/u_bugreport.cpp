#include "forms/u_bugreport.h"

#include "forms/u_prog.h"

void TBugReportWindow::BrowseToCaption(TObject* sender) {
  if (auto* label = dynamic_cast<TControl*>(sender)) OpenWebAddress(ReportLinkAddress(label->GetCaption()));
}

void TBugReportWindow::Button1Click(TObject*) { Close(); }

void TBugReportWindow::DeclareProperties(TPropertyTable& table) {
  auto p = table.For<TBugReportWindow>();
  p.Field("Label16", &TBugReportWindow::Label16);
  p.Field("StaticText19", &TBugReportWindow::StaticText19);
  p.Field("Label70", &TBugReportWindow::Label70);
  p.Field("StaticText1", &TBugReportWindow::StaticText1);
  p.Field("StaticText2", &TBugReportWindow::StaticText2);
  p.Field("Label1", &TBugReportWindow::Label1);
  p.Field("Button1", &TBugReportWindow::Button1);
  p.Handler("BrowseToCaption", &TBugReportWindow::BrowseToCaption);
  p.Handler("Button1Click", &TBugReportWindow::Button1Click);
}
