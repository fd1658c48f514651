// Everything an editor built on the GUI layer needs, in one include.
#pragma once

#include "lib/cbitmap.h"
#include "lib/ccolor.h"
#include "lib/cdrawcontext.h"
#include "lib/cfont.h"
#include "lib/cframe.h"
#include "lib/cpixelbuffer.h"
#include "lib/cpoint.h"
#include "lib/crect.h"
#include "lib/cresourcedescription.h"
#include "lib/cview.h"
#include "lib/cvstguitimer.h"
#include "lib/vstguibase.h"
#include "lib/vstguieditorinterface.h"
#include "lib/controls/cbuttons.h"
#include "lib/controls/ccontrol.h"
#include "lib/controls/cknob.h"
#include "lib/controls/coptionmenu.h"
#include "lib/controls/cparamdisplay.h"
#include "lib/controls/csplashscreen.h"
#include "lib/controls/cslider.h"
#include "lib/controls/ctextedit.h"
#include "lib/controls/ctextlabel.h"

#ifndef VSTGUI_NO_USING_NAMESPACE
using namespace VSTGUI;
#endif
