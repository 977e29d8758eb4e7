#ifndef PELMORA_PANE_DOCK_H
#define PELMORA_PANE_DOCK_H

#include "ShellFrame.h"
#include "logic/Settings.h"

#include <KW.h>

#include <functional>
#include <string>
#include <vector>

namespace pelmora {

// Builds the editor's window: a toolbar, a status bar and a dock whose centre is the preview's view, with
// the panes Scene at the left, Graphs below it and the view, and Elements over Properties at the right.
// Sizes are given at 96 DPI and scaled to the window's; fillToolbar adds the toolbar's buttons. The
// window is not shown.
shell::Frame buildDockedFrame(const std::string& title, shell::IconSets& icons,
                              const std::function<void(KW::KWToolBar*)>& fillToolbar, KW::KWDock*& dock);

// How the user arranges the panes: by their title bands in the dock, View > Panes to close or show each
// one, and View > Layout to save the arrangement under a name, take a saved one, go back to the built-in
// one or lock it. The named layouts and the lock are kept in the settings; the arrangement itself is the
// dock entry of the window's layout.
class PaneDock {
public:
    // Runs a change of the kept settings and writes them.
    typedef std::function<void(const std::function<void(Settings&)>&)> ChangeSettings;

    PaneDock(const shell::Frame& frame, KW::KWDock* dock, KW::KWContext* viewMenu,
             ChangeSettings changeSettings);

    // The saved layouts and the lock from the stored settings.
    void beginSession(const Settings& settings);
    // From now on the panes keep their shares of the window as it changes size.
    void keepShares() { dock->setProportional(true); }
    // Runs a command of the Panes and Layout menus; false for any other command.
    bool run(int command);

private:
    // The panes in menu order.
    std::vector<KW::KWHeader*> panes() const;
    void showChecks();
    void listLayouts();
    void saveLayoutAs();
    void takeLayout(const std::string& text);

    shell::Frame frame;
    KW::KWDock* dock;
    KW::KWContext* viewMenu;
    HMENU layoutMenu = nullptr;
    ChangeSettings changeSettings;
    std::vector<NamedLayout> layouts;
    // The arrangement the window is built with, for Reset Layout.
    std::string builtIn;
};

} // namespace pelmora

#endif
