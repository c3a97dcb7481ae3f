#include "forms/u_bugreport_en.h"

Tbugreport_en* bugreport_en = nullptr;

Tbugreport_en::Tbugreport_en(TComponent* owner) : TBugReportWindow(owner) {
  bugreport_en = this;
  InitForm();
}
