// Action links of the control kinds that have no unit of their own here.
#include "classlib/ActnLinks.h"

void RegisterControlActionLinks() {
  RegisterActionLinkClass<TToolButtonActionLink>();
  RegisterActionLinkClass<TComboExActionLink>();
}
