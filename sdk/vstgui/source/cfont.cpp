// The predefined fonts.
#include "vstgui/lib/cfont.h"

namespace VSTGUI {

namespace {
const CFontDesc systemFont ("Arial", 12);
const CFontDesc normalFontVeryBig ("Arial", 18);
const CFontDesc normalFontBig ("Arial", 14);
const CFontDesc normalFont ("Arial", 12);
const CFontDesc normalFontSmall ("Arial", 11);
} // namespace

const CFontRef kSystemFont = &systemFont;
const CFontRef kNormalFontVeryBig = &normalFontVeryBig;
const CFontRef kNormalFontBig = &normalFontBig;
const CFontRef kNormalFont = &normalFont;
const CFontRef kNormalFontSmall = &normalFontSmall;

} // namespace VSTGUI
