// Everything a scheme author needs from the element runtime: values, links and the
// calling rules, schemes and routing elements, global variables, memory and INI access.
#pragma once

#include "runtime/data.h"
#include "runtime/do_data.h"
#include "runtime/element.h"
#include "runtime/font_rec.h"
#include "runtime/get_data.h"
#include "runtime/global_registry.h"
#include "runtime/global_var.h"
#include "runtime/gvar_container.h"
#include "runtime/hub.h"
#include "runtime/index_to_chanel.h"
#include "runtime/ini.h"
#include "runtime/ini_path.h"
#include "runtime/lines.h"
#include "runtime/link.h"
#include "runtime/memory.h"
#include "runtime/scheme.h"
