#include "EditorApp.h"

#include "PaneDock.h"

#include "Preview.h"
#include "Timeline.h"
#include "logic/FilePaths.h"

#include <commctrl.h>

using namespace KW;
using namespace pelmora::editor;

namespace pelmora {

namespace {

// The user is typing into a text field: plain keys belong to it, not to the shortcuts.
bool typingInField(const MSG& message) {
    if (message.message != WM_KEYDOWN) {
        return false;
    }
    char className[16] = {};
    GetClassNameA(GetFocus(), className, sizeof(className));
    return lstrcmpiA(className, "Edit") == 0 && GetKeyState(VK_CONTROL) >= 0 && GetKeyState(VK_MENU) >= 0;
}

} // namespace

EditorApp::EditorApp() : icons("res/imgList223.bmp"), propertyIcons("res/properties_cross.bmp") {
    frame = buildDockedFrame("Pelmora", icons, CommandsPane::fillToolbar, dock);
    auto refused = [this](const std::string& reason) { refuse(reason); };
    tree.reset(new SceneTreePane(frame.scene, frame.icons, document));
    properties.reset(new PropertiesPane(frame.properties, propertyIcons.forDpi(frame.properties->getDpi()),
                                        document, refused, [this](const std::string& texture) {
                                            return preview ? preview->textureState(texture) : std::string();
                                        }));
    curves.reset(new CurvesPane(frame.graphs, frame.window, document, refused));

    preview = new Preview(frame.view, document.getScene());
    preview->setTextureListener([this] { properties->showTextureState(); });
    frame.view->doAlignment();
    preview->frameEffect(document.getScene());
    preview->setFrameListener(
        [this](std::size_t particles, double framesPerSecond) { showReadout(particles, framesPerSecond); });
    commands.reset(new CommandsPane(frame, document, preview, refused,
                                    [this](const std::string& text) { showStatus(text); }));
    listener = document.addListener([this](const Change& change) { followDocument(change); });
    panes.reset(new PaneDock(frame, dock, commands->getViewMenu(),
                             [this](const std::function<void(Settings&)>& change) {
                                 commands->getFiles().changeSettings(change);
                             }));

    frame.window->setHandler([this](const KWEvent& event) {
        if (event.type == EVENT_CLICKED) {
            runCommand(event.param1);
        } else if (event.type == EVENT_DPICHANGED) {
            showIconsFor(event.param1);
        }
    });
    frame.window->setCloseHandler([this] {
        if (!commands->getFiles().confirmDiscard()) {
            return false;
        }
        commands->getFiles().endSession();
        return true;
    });
    commands->showToolbarTips();
    fit.reset(new WindowFit(frame.window, {}, [this] {
        preview->frameEffect(document.getScene());
        curves->frameKeys();
    }));
}

EditorApp::~EditorApp() {
    document.removeListener(listener);
    // The panes stop listening before the window and its gadgets go.
    fit.reset();
    panes.reset();
    commands.reset();
    curves.reset();
    properties.reset();
    tree.reset();
    delete frame.window;
}

EditorApp::Gadgets EditorApp::getGadgets() const {
    return {tree->getTree(),
            properties->getGrid(),
            properties->getNameEdit(),
            static_cast<KWSpinBox*>(properties->gadgetOf(Field::Rate)),
            curves->getSizeCurve(),
            curves->getColorRamp(),
            preview,
            properties.get()};
}

void EditorApp::frameContent() {
    preview->frameEffect(document.getScene());
    curves->frameKeys();
    // The buttons have their final sizes once the window is shown.
    commands->showToolbarTips();
    // From now on the panes keep their shares of the window as it changes size.
    fit->takeShares();
    panes->keepShares();
}

bool EditorApp::beginSession(const Settings& settings) {
    const bool placed = commands->getFiles().beginSession(settings);
    panes->beginSession(settings);
    return placed;
}

void EditorApp::runCommand(int command) {
    if (!panes->run(command)) {
        commands->run(command);
    }
}

void EditorApp::followDocument(const Change& change) {
    const bool newEffect = (change.parts & ChangedValues) && change.emitter == kNoElement;
    if (newEffect || folderOf(document.getPath()) != textureFolder) {
        textureFolder = folderOf(document.getPath());
        preview->setTextureFolder(textureFolder);
    }
    if (newEffect) {
        preview->restart(document.getScene());
        preview->getTimeline()->resetSpan();
        preview->frameEffect(document.getScene());
    } else if (change.parts & (ChangedValues | ChangedStructure)) {
        preview->update(document.getScene());
    }
}

void EditorApp::refuse(const std::string& reason) {
    MessageBeep(MB_ICONWARNING);
    showStatus(reason);
}

void EditorApp::showStatus(const std::string& text) {
    SendMessageA(frame.status->getHandle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    // The readout waits a while, so the text can be read.
    showingReason = true;
    reasonShownAt = GetTickCount();
}

void EditorApp::showReadout(std::size_t particles, double framesPerSecond) {
    if (showingReason && GetTickCount() - reasonShownAt < kReasonShownMs) {
        return;
    }
    showingReason = false;
    const std::string text = "Particles: " + std::to_string(particles) +
                             "    FPS: " + std::to_string(static_cast<int>(framesPerSecond + 0.5));
    SendMessageA(frame.status->getHandle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
}

void EditorApp::showIconsFor(int dpi) {
    frame.icons = icons.forDpi(dpi);
    frame.toolbar->setImageList(frame.icons);
    tree->getTree()->setImageList(frame.icons);
    properties->getGrid()->setImageList(propertyIcons.forDpi(dpi));
    commands->showToolbarTips();
}

int EditorApp::run() {
    // The wide loop: a typed character outside the keyboard's code page reaches the window whole.
    MSG message;
    while (GetMessageW(&message, nullptr, 0, 0) > 0) {
        if (!typingInField(message) && Kwadro::handleShortcut(message)) {
            continue;
        }
        TranslateMessage(&message);
        DispatchMessageW(&message);
    }
    return static_cast<int>(message.wParam);
}

} // namespace pelmora
