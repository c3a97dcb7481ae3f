#include "forms/u_bugreport_de.h"

Tbugreport_de* bugreport_de = nullptr;

Tbugreport_de::Tbugreport_de(TComponent* owner) : TBugReportWindow(owner) {
  bugreport_de = this;
  InitForm();
}
