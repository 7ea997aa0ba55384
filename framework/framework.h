#pragma once

// The window side's framework, over raw Win32.
#include "cstring.h"
#include "data_exchange.h"
#include "dialog.h"
#include "gdi.h"
#include "message_map.h"
#include "win_app.h"
#include "wnd.h"
