#ifndef KW_SHELL_FRAME_H
#define KW_SHELL_FRAME_H

#include <KW.h>

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace shell {

// One bitmap strip's icons in the set that suits a DPI (16, 24 or 32 pixels; the larger sets are the
// 16-pixel file's name with _24 or _32 added). Each set is loaded the first time a DPI asks for it and
// lives as long as the process, so gadgets may keep showing a list after the DPI changes.
class IconSets {
public:
    explicit IconSets(std::string file16) : file16(std::move(file16)) {}
    KW::KWImageList* forDpi(int dpi);

private:
    std::string file16;
    std::map<int, KW::KWImageList*> lists;
};

// The panes of the particle-effect editor layout: a main window with status bar and toolbar, four titled
// headers (scene, graphs, elements, properties) around a sunken view, and the splitters between them.
struct Frame {
    KW::KWWindow* window = nullptr;
    KW::KWStatus* status = nullptr;
    KW::KWToolBar* toolbar = nullptr;
    KW::KWHeader* scene = nullptr;
    KW::KWHeader* graphs = nullptr;
    KW::KWHeader* elements = nullptr;
    KW::KWHeader* properties = nullptr;
    KW::KWWindow* view = nullptr;
    // The toolbar's icons, at the window's DPI.
    KW::KWImageList* icons = nullptr;
};

// The frame's main window (hidden, 800 x 600 at 96 DPI scaled to its DPI), status bar and toolbar, with
// the toolbar showing the icon set for that DPI and filled by fillToolbar; the panes are left empty for
// the caller to lay out.
Frame buildFrameWindow(const std::string& title, IconSets& icons,
                       const std::function<void(KW::KWToolBar*)>& fillToolbar);

// A pane's titled header in the shell's colours, a child of parent with the given id.
KW::KWHeader* createPaneHeader(KW::KWObject* parent, const std::string& title, int x, int y, int width,
                               int height, int id = -1);

// Builds the frame, its sizes given at 96 DPI and scaled to the window's DPI; the toolbar shows the icon
// set for that DPI and fillToolbar adds its buttons before the panes are laid out. The window is not
// shown; deleting it destroys every gadget.
Frame buildFrame(const std::string& title, IconSets& icons,
                 const std::function<void(KW::KWToolBar*)>& fillToolbar);

// Two buttons a row on a palette page, 85 x 25 each at 96 DPI, one per label, with ids firstId,
// firstId + 1, ...
void addPaletteButtons(KW::KWWindow* page, const std::vector<std::string>& labels, int firstId = -1);

} // namespace shell

#endif
