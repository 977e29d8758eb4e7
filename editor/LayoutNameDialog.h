#ifndef PELMORA_LAYOUT_NAME_DIALOG_H
#define PELMORA_LAYOUT_NAME_DIALOG_H

#include <windows.h>

#include <string>

namespace pelmora {

// The "Save Layout As" dialog: asks for a layout's name, starting from name (in the program's code
// page). True, with the typed name, on OK; OK takes only a name isLayoutName accepts.
bool askLayoutName(HWND owner, std::string& name);

} // namespace pelmora

#endif
