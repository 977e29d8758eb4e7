#ifndef KW_SHELL_FRAME_H
#define KW_SHELL_FRAME_H

#include <KW.h>

#include <functional>
#include <string>

namespace shell {

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
};

// Builds the frame; fillToolbar adds the buttons before the panes are laid out. The window is not shown;
// deleting it destroys every gadget.
Frame buildFrame(const std::string& title, KW::KWImageList* icons,
                 const std::function<void(KW::KWToolBar*)>& fillToolbar);

// A 16-pixel image list loaded from a bitmap strip the first time; later calls return the same list.
KW::KWImageList* loadImages(KW::KWImageList*& cached, const char* path);

// Two buttons a row on a palette page, 85 x 25 each, one per label, with ids firstId, firstId + 1, ...
void addPaletteButtons(KW::KWWindow* page, const std::vector<std::string>& labels, int firstId = -1);

} // namespace shell

#endif
