// The English fault-report window.
#pragma once

#include "forms/u_bugreport.h"

class Tbugreport_en : public TBugReportWindow {
  KX_COMPONENT(Tbugreport_en, TBugReportWindow)
 public:
  explicit Tbugreport_en(TComponent* owner);
};

extern Tbugreport_en* bugreport_en;
