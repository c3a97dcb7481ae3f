// The English list of further programs on the information panel.
#pragma once

#include "forms/u_software.h"

class TFrame2 : public TSoftwareFrame {
  KX_COMPONENT(TFrame2, TSoftwareFrame)
 public:
  explicit TFrame2(TComponent* owner);
};
