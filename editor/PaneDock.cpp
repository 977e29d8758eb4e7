#include "PaneDock.h"

#include "CodePage.h"
#include "CommandsPane.h"
#include "LayoutNameDialog.h"
#include "logic/NamedLayouts.h"

#include <algorithm>

using namespace KW;

namespace pelmora {

namespace {

const char* const appName = "Pelmora";

// The gadgets' ids: the keys of the dock and its panes in the window's layout text.
enum GadgetId { DockId = 10, SceneId, ElementsId, PropertiesId, GraphsId, ViewId };

// The menu's names of the panes, in PaneDock's order.
const char* const paneItems[] = {"&Scene", "&Elements", "&Properties", "&Graphs"};

std::string menuText(const std::string& name) {
    std::string text;
    for (char c : name) {
        text += c == '&' ? std::string("&&") : std::string(1, c);
    }
    return text;
}

} // namespace

shell::Frame buildDockedFrame(const std::string& title, shell::IconSets& icons,
                              const std::function<void(KWToolBar*)>& fillToolbar, KWDock*& dock) {
    shell::Frame frame = shell::buildFrameWindow(title, icons, fillToolbar);
    KWWindow* window = frame.window;
    auto s = [window](int pixelsAt96) { return window->scale(pixelsAt96); };

    // Below the toolbar, which no pane may overlap.
    const int top = std::max(s(25), frame.toolbar->getLocalBounds().bottom);
    dock = KWDock::create(STYLE_DEFAULT, 0, top, s(784), s(480), window, DockId);
    dock->lockToParent(LOCK_STRETCH_BOTH);
    window->doAlignment();
    frame.view = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 0, 0, s(450), s(350), "", dock, ViewId);
    dock->setCenter(frame.view);
    auto pane = [&](const char* name, int id) {
        return shell::createPaneHeader(dock, name, 0, 0, s(150), s(200), id);
    };
    frame.scene = pane("Scene", SceneId);
    frame.elements = pane("Elements", ElementsId);
    frame.properties = pane("Properties", PropertiesId);
    frame.graphs = pane("Graphs", GraphsId);
    // Scene beside the view, Graphs under both, the right column over the whole height.
    dock->addPane(frame.scene, DOCK_LEFT, s(155));
    dock->addPane(frame.graphs, DOCK_BOTTOM, s(120));
    dock->addPane(frame.properties, DOCK_RIGHT, s(185));
    dock->addPane(frame.elements, DOCK_TOP, s(135), frame.properties);
    return frame;
}

PaneDock::PaneDock(const shell::Frame& frame, KWDock* dock, KWContext* viewMenu,
                   ChangeSettings changeSettings)
    : frame(frame), dock(dock), viewMenu(viewMenu), changeSettings(std::move(changeSettings)),
      builtIn(dockEntriesOf(frame.window->saveLayout())) {
    HMENU view = viewMenu->getHandle();
    AppendMenuW(view, MF_SEPARATOR, 0, nullptr);
    viewMenu->addItem(CommandPanesMenu, -1, "Pa&nes", true);
    for (int i = 0; i < 4; ++i) {
        viewMenu->addItem(CommandPane + i, CommandPanesMenu, paneItems[i], false);
    }
    viewMenu->addItem(CommandLayoutMenu, -1, "&Layout", true);
    layoutMenu = GetSubMenu(view, GetMenuItemCount(view) - 1);
    listLayouts();
    showChecks();
    dock->setHandler([this](const KWEvent& event) {
        if (event.type == EVENT_CHANGED) {
            showChecks(); // a pane closed by its band's button
        }
    });
}

std::vector<KWHeader*> PaneDock::panes() const {
    return {frame.scene, frame.elements, frame.properties, frame.graphs};
}

void PaneDock::beginSession(const Settings& settings) {
    layouts = settings.layouts;
    dock->setLocked(settings.layoutLocked);
    listLayouts();
    showChecks();
}

void PaneDock::showChecks() {
    const std::vector<KWHeader*> all = panes();
    for (std::size_t i = 0; i < all.size(); ++i) {
        CheckMenuItem(viewMenu->getHandle(), CommandPane + static_cast<UINT>(i),
                      MF_BYCOMMAND | (dock->isPaneShown(all[i]) ? MF_CHECKED : MF_UNCHECKED));
    }
    CheckMenuItem(layoutMenu, CommandLockLayout,
                  MF_BYCOMMAND | (dock->isLocked() ? MF_CHECKED : MF_UNCHECKED));
}

// Save Layout As..., the saved layouts by name, Reset Layout and Lock Layout.
void PaneDock::listLayouts() {
    while (GetMenuItemCount(layoutMenu) > 0) {
        DeleteMenu(layoutMenu, 0, MF_BYPOSITION);
    }
    AppendMenuW(layoutMenu, MF_STRING, CommandSaveLayoutAs, L"Save Layout &As...");
    AppendMenuW(layoutMenu, MF_SEPARATOR, 0, nullptr);
    for (std::size_t i = 0; i < layouts.size(); ++i) {
        AppendMenuW(layoutMenu, MF_STRING, CommandNamedLayout + i,
                    wideFromProgram(menuText(layouts[i].name)).c_str());
    }
    if (!layouts.empty()) {
        AppendMenuW(layoutMenu, MF_SEPARATOR, 0, nullptr);
    }
    AppendMenuW(layoutMenu, MF_STRING, CommandResetLayout, L"&Reset Layout");
    AppendMenuW(layoutMenu, MF_STRING, CommandLockLayout, L"&Lock Layout");
    CheckMenuItem(layoutMenu, CommandLockLayout,
                  MF_BYCOMMAND | (dock->isLocked() ? MF_CHECKED : MF_UNCHECKED));
}

bool PaneDock::run(int command) {
    const std::vector<KWHeader*> all = panes();
    if (command >= CommandPane && command < CommandPane + static_cast<int>(all.size())) {
        KWHeader* pane = all[static_cast<std::size_t>(command - CommandPane)];
        if (dock->isPaneShown(pane)) {
            dock->closePane(pane);
        } else {
            dock->showPane(pane);
        }
        showChecks();
        return true;
    }
    if (command >= CommandNamedLayout && command < CommandNamedLayout + static_cast<int>(layouts.size())) {
        takeLayout(layouts[static_cast<std::size_t>(command - CommandNamedLayout)].layout);
        return true;
    }
    switch (command) {
    case CommandSaveLayoutAs:
        saveLayoutAs();
        return true;
    case CommandResetLayout:
        takeLayout(builtIn);
        return true;
    case CommandLockLayout: {
        const bool locked = !dock->isLocked();
        dock->setLocked(locked);
        showChecks();
        changeSettings([locked](Settings& settings) { settings.layoutLocked = locked; });
        return true;
    }
    default:
        return false;
    }
}

// A saved arrangement replaces the present one; a pane it leaves out keeps its place.
void PaneDock::takeLayout(const std::string& text) {
    dock->restorePanes();
    if (!frame.window->restoreLayout(text)) {
        MessageBeep(MB_ICONWARNING);
    }
    showChecks();
}

void PaneDock::saveLayoutAs() {
    const NamedLayout present = {std::string(), dockEntriesOf(frame.window->saveLayout())};
    std::string name = "Layout " + std::to_string(layouts.size() + 1);
    while (askLayoutName(frame.window->getHandle(), name)) {
        NamedLayout named = present;
        named.name = name;
        std::vector<NamedLayout> kept = layouts;
        if (!keepLayout(kept, named)) {
            const std::string text = "At most " + std::to_string(kMaxNamedLayouts) +
                                     " layouts are kept. Save this one under the name of one to replace.";
            MessageBoxA(frame.window->getHandle(), text.c_str(), appName, MB_OK | MB_ICONWARNING);
            continue;
        }
        if (kept.size() == layouts.size()) {
            const std::string question = "A layout named \"" + name + "\" exists. Replace it?";
            if (MessageBoxA(frame.window->getHandle(), question.c_str(), appName,
                            MB_YESNO | MB_ICONQUESTION) != IDYES) {
                continue;
            }
        }
        layouts = kept;
        listLayouts();
        changeSettings([kept](Settings& settings) { settings.layouts = kept; });
        return;
    }
}

} // namespace pelmora
