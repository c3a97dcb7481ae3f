#include "forms/u_frame2.h"

TFrame2::TFrame2(TComponent* owner) : TSoftwareFrame(owner, "kxfe") { InitFrame(); }
