#include "forms/u_frame1.h"

TFrame1::TFrame1(TComponent* owner) : TSoftwareFrame(owner, "kxfd") { InitFrame(); }
