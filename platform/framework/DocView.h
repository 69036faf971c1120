// The document/view half of the framework as the program's code includes
// it: application, document template, document, views, frame, splitter
// and command bar.
#pragma once

#include "platform/framework/CommandBar.h"
#include "platform/framework/DocTemplate.h"
#include "platform/framework/Document.h"
#include "platform/framework/FormView.h"
#include "platform/framework/FrameWnd.h"
#include "platform/framework/FrameworkIds.h"
#include "platform/framework/ListView.h"
#include "platform/framework/ScrollView.h"
#include "platform/framework/SplitterWnd.h"
#include "platform/framework/View.h"
#include "platform/framework/WinApp.h"
