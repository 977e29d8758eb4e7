#ifndef PELMORA_THEMED_GADGETS_H
#define PELMORA_THEMED_GADGETS_H

#include <KW.h>

namespace pelmora {

// Under any theme but light the tab control's strip (the tabs and the band they sit on) is painted in
// the theme's colours; the platform's control paints it in the system's whatever the theme. Under light
// the control paints itself as before. Lasts as long as the control.
void followTheme(KW::KWTab* tabs);

// The tree keeps its selected item marked while another gadget has the keyboard, in the theme's
// selection colours under any theme but light (the platform would put the theme's light text on its
// own pale face there).
void keepSelectionShown(KW::KWTreeView* tree);

} // namespace pelmora

#endif
