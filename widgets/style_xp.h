// TKXStyleXP, the visual-style marker: its presence in a program means the controls
// are drawn with the system's visual styles. It has no fields and no points.
#pragma once

#include "runtime/element.h"

class TKXStyleXP : public TKXObject {};
