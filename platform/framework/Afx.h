// The framework as the program's code includes it: every class, macro and
// global function of the application framework, and the platform's API
// underneath (window manager, drawing, controls, dialogs, resources).
#pragma once

#include "platform/base/Collections.h"
#include "platform/base/MessageBox.h"
#include "platform/controls/CommCtrl.h"
#include "platform/dialogs/DialogApi.h"
#include "platform/framework/AfxGlobals.h"
#include "platform/framework/CmdTarget.h"
#include "platform/framework/Dc.h"
#include "platform/framework/GdiObject.h"
#include "platform/framework/MessageMap.h"
#include "platform/framework/Object.h"
#include "platform/framework/Wnd.h"
#include "platform/resources/Resources.h"
