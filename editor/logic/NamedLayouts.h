#ifndef PELMORA_NAMED_LAYOUTS_H
#define PELMORA_NAMED_LAYOUTS_H

#include "logic/Settings.h"

#include <string>
#include <vector>

namespace pelmora {

// A window's layout text as the settings keep it: one line of printable ASCII, at most kMaxLayoutChars.
bool isLayoutText(const std::string& text);
// A name the user may give a layout: not empty, not only spaces, at most kMaxLayoutNameBytes, without
// control characters.
bool isLayoutName(const std::string& name);

// Of a window's layout text, only the panes' arrangement: the header, the dock entries and a matching
// end marker, so that restoring it leaves the window's place and size alone. Empty when the text has
// no dock entry.
std::string dockEntriesOf(const std::string& layoutText);

// Keeps the layout under its name: it replaces one of the same name (case aside) in place, or joins
// the end. False, with nothing changed, when the name or text is not valid or kMaxNamedLayouts
// other names are kept already.
bool keepLayout(std::vector<NamedLayout>& layouts, const NamedLayout& layout);

} // namespace pelmora

#endif
