// The German fault-report window.
#pragma once

#include "forms/u_bugreport.h"

class Tbugreport_de : public TBugReportWindow {
  KX_COMPONENT(Tbugreport_de, TBugReportWindow)
 public:
  explicit Tbugreport_de(TComponent* owner);
};

extern Tbugreport_de* bugreport_de;
