#ifndef KW_DEMO_EDITOR_SHELL_H
#define KW_DEMO_EDITOR_SHELL_H

#include "ShellFrame.h"

#include <KW.h>

namespace demo {

// Image lists outlive the gadget trees that use them. A caller that builds the shell more than once
// passes the same record each time, so the bitmaps are loaded only by the first build.
struct ShellImages {
    shell::IconSets icons{"res/imgList223.bmp"};
    shell::IconSets propertyIcons{"res/properties_cross.bmp"};
};

// Builds the particle-effect editor shell: main window, menus, toolbar, status bar, four docked panes
// around a sunken view, scene tree, property grid, graph editors and element palettes. The window is
// not shown; deleting it destroys every gadget.
KW::KWWindow* buildEditorShell(ShellImages& images);

} // namespace demo

#endif
