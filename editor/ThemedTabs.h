#ifndef PELMORA_THEMED_TABS_H
#define PELMORA_THEMED_TABS_H

#include <KW.h>

namespace pelmora {

// Under any theme but light the tab control's strip (the tabs and the band they sit on) is painted in
// the theme's colours; the platform's control paints it in the system's whatever the theme. Under light
// the control paints itself as before. Lasts as long as the control.
void followTheme(KW::KWTab* tabs);

} // namespace pelmora

#endif
