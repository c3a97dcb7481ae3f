// The German list of further programs on the information panel.
#pragma once

#include "forms/u_software.h"

class TFrame1 : public TSoftwareFrame {
  KX_COMPONENT(TFrame1, TSoftwareFrame)
 public:
  explicit TFrame1(TComponent* owner);
};
