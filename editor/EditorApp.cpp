#include "EditorApp.h"

#include "AtomicSave.h"
#include "CodePage.h"
#include "EditorSession.h"
#include "EmitterProperties.h"
#include "ExportFlipbook.h"
#include "Preview.h"
#include "ThemedGadgets.h"
#include "Timeline.h"
#include "logic/EffectFile.h"
#include "logic/FilePaths.h"

#include <KWVersion.h>

#include <commctrl.h>
#include <commdlg.h>

#include <algorithm>

using namespace KW;
using namespace KW::effect;

namespace pelmora {

namespace {

// Images of the shared icon strip.
enum Icon {
    IconNew = 0,
    IconOpen = 1,
    IconSave = 2,
    IconUndo = 6,
    IconRedo = 7,
    IconDelete = 8,
    IconPlay = 11,
    IconPause = 12,
    IconStop = 13,
    IconGroup = 14,
    IconSystem = 26,
    IconEmitter = 27,
};

const char* const appName = "Pelmora";

struct ToolbarButton {
    int command; // 0: a separator
    int icon;
    const char* text;
};
const ToolbarButton toolbarButtons[] = {
    {CommandNew, IconNew, "New (Ctrl+N)"},      {CommandOpen, IconOpen, "Open (Ctrl+O)"},
    {CommandSave, IconSave, "Save (Ctrl+S)"},   {0, 0, nullptr},
    {CommandUndo, IconUndo, "Undo (Ctrl+Z)"},   {CommandRedo, IconRedo, "Redo (Ctrl+Y)"},
    {CommandDelete, IconDelete, "Delete"},      {0, 0, nullptr},
    {CommandPlay, IconPlay, "Play (Space)"},    {CommandPause, IconPause, "Pause (Space)"},
    {CommandRestart, IconStop, "Restart (F5)"},
};

// The window's shortcuts; the keys the editors answer while they have the focus follow in the list
// Help > Keyboard Shortcuts shows.
struct Shortcut {
    UINT key;
    UINT modifiers;
    int command;
    const char* keys;
    const char* action;
};
const Shortcut shortcuts[] = {
    {'N', MOD_CONTROL, CommandNew, "Ctrl+N", "New effect"},
    {'O', MOD_CONTROL, CommandOpen, "Ctrl+O", "Open an effect"},
    {'S', MOD_CONTROL, CommandSave, "Ctrl+S", "Save"},
    {'Z', MOD_CONTROL, CommandUndo, "Ctrl+Z", "Undo"},
    {'Y', MOD_CONTROL, CommandRedo, "Ctrl+Y", "Redo"},
    {VK_SPACE, 0, CommandTogglePlay, "Space", "Play or pause the preview"},
    {VK_F5, 0, CommandRestart, "F5", "Restart the preview"},
};
const char* const editorKeys = "\nIn the value cells:\n"
                               "Enter\tTake the typed value\n"
                               "Up, Down\tStep the value\n"
                               "\nIn the size and colour graphs:\n"
                               "Tab, Shift+Tab\tSelect the next or previous key\n"
                               "Arrow keys\tMove the selected key (Shift: ten times as far)\n"
                               "Delete\tDelete the selected key\n"
                               "F\tFrame all keys\n"
                               "Home\tSize graph: lower value to upper on every key\n"
                               "Enter, Shift+Enter\tColour graph: pick the upper or lower colour\n"
                               "+, -\tColour graph: swatch size\n"
                               "Ctrl+C, Ctrl+V\tCopy or paste the keys as text\n"
                               "Ctrl+Tab\tLeave the graph\n";
const char* const fileFilter = "Pelmora effects (*.kwfx)\0*.kwfx\0All files (*.*)\0*.*\0";
// A path of MAX_PATH UTF-16 units takes up to three bytes a unit in UTF-8.
const DWORD kPathBytes = 3 * MAX_PATH;

// The preview's background presets (0xRRGGBB) and speeds, in menu order.
const std::uint32_t backgrounds[] = {0x202028, 0x000000, 0x808080, 0xFFFFFF};
const double speeds[] = {0.25, 0.5, 1.0, 2.0, 4.0};

ElementId firstEmitter(const Scene& scene) {
    for (const System& system : scene.getSystems()) {
        for (const Group& group : system.groups) {
            if (!group.emitters.empty()) {
                return group.emitters.front().id;
            }
        }
    }
    return scene.getSystems().empty() ? kNoElement : scene.getSystems().front().id;
}

KWSpinBox* spinBox(KWProperties* grid, const Range& range, float step) {
    return KWSpinBox::create(STYLE_DEFAULT, range.min, 0, 0, 50, 20, range.min, range.max, step, true, true,
                             grid, -1);
}

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

EditorApp::EditorApp()
    : scene(Scene::makeDefault()), history(scene), selected(firstEmitter(scene)), icons("res/imgList223.bmp"),
      propertyIcons("res/properties_cross.bmp"), tree(nullptr), grid(nullptr), nameEdit(nullptr), editors(),
      sizeCurve(nullptr), colorRamp(nullptr), preview(nullptr) {
    frame = shell::buildFrame(appName, icons, [](KWToolBar* toolbar) {
        for (const ToolbarButton& button : toolbarButtons) {
            if (button.command == 0) {
                toolbar->addSeparator();
            } else {
                toolbar->addButton(button.command, button.icon, button.text);
            }
        }
    });
    buildMenus();
    buildSceneTree();
    buildPropertyGrid();
    buildGraphEditors();
    buildPalette();
    bindShortcuts();

    preview = new Preview(frame.view, scene);
    preview->setTextureListener([this] { showTextureState(); });
    frame.view->doAlignment();
    preview->frameEffect(scene);
    preview->setFrameListener([this](size_t particles, double framesPerSecond) {
        if (showingReason && GetTickCount() - reasonShownAt < kReasonShownMs) {
            return;
        }
        showingReason = false;
        const std::string text = "Particles: " + std::to_string(particles) +
                                 "    FPS: " + std::to_string(static_cast<int>(framesPerSecond + 0.5));
        SendMessageA(frame.status->getHandle(), SB_SETTEXTA, 0, reinterpret_cast<LPARAM>(text.c_str()));
    });

    frame.window->setHandler([this](const KWEvent& event) {
        if (event.type == EVENT_CLICKED) {
            onCommand(event.param1);
        } else if (event.type == EVENT_DPICHANGED) {
            showIconsFor(event.param1);
        } else if (event.type == EVENT_CHANGED && fit) {
            fit->takeShares(); // the user moved a splitter
        }
    });
    frame.window->setCloseHandler([this] { return onClose(); });
    showToolbarTips();
    fit.reset(new WindowFit(frame.window, {{1, true}, {2, true}, {3, false}, {4, false}}, [this] {
        preview->frameEffect(scene);
        sizeCurve->frameKeys();
        colorRamp->frameKeys();
    }));

    showScene();
    showSelection();
    updateTitle();
    updateMenus();
}

EditorApp::~EditorApp() {
    fit.reset();
    delete frame.window;
}

void EditorApp::buildMenus() {
    struct Entry {
        int command;
        const char* text;
    };
    struct Menu {
        const char* title;
        KWContext** context;
        std::vector<Entry> entries;
    };
    const Menu menus[] = {
        {"&File",
         &fileMenu,
         {{CommandNew, "&New\tCtrl+N"},
          {CommandOpen, "&Open...\tCtrl+O"},
          {CommandSave, "&Save\tCtrl+S"},
          {CommandSaveAs, "Save &As..."},
          {CommandExportFlipbook, "Export Flip&book..."}}},
        {"&Edit",
         &editMenu,
         {{CommandUndo, "&Undo\tCtrl+Z"}, {CommandRedo, "&Redo\tCtrl+Y"}, {CommandDelete, "&Delete"}}},
        {"&Add",
         &addMenu,
         {{CommandAddSystem, "&System"}, {CommandAddGroup, "&Group"}, {CommandAddEmitter, "&Emitter"}}},
        {"&View",
         &viewMenu,
         {{CommandPlay, "&Play\tSpace"}, {CommandPause, "P&ause\tSpace"}, {CommandRestart, "&Restart\tF5"}}},
        {"&Help", &helpMenu, {{CommandShortcuts, "&Keyboard Shortcuts"}, {CommandAbout, "&About Pelmora"}}},
    };
    for (const Menu& menu : menus) {
        *menu.context = KWContext::create();
        for (const Entry& entry : menu.entries) {
            (*menu.context)->addItem(entry.command, -1, entry.text, false);
        }
        frame.window->addMenu(menu.title, *menu.context);
    }
    fileMenu->addItem(CommandRecentMenu, -1, "Recent &Files", true);
    showRecentFiles();
    fileMenu->addItem(CommandExit, -1, "E&xit", false);
    viewMenu->addItem(CommandThemeMenu, -1, "&Theme", true);
    viewMenu->addItem(CommandThemeLight, CommandThemeMenu, "&Light", false);
    viewMenu->addItem(CommandThemeDark, CommandThemeMenu, "&Dark", false);
    viewMenu->addItem(CommandThemeSystem, CommandThemeMenu, "&System", false);
    markTheme();
    viewMenu->addItem(CommandSpeedMenu, -1, "Spee&d", true);
    const char* const speedNames[] = {"0.2&5x", "0.&5x", "&1x", "&2x", "&4x"};
    for (int i = 0; i < 5; ++i) {
        viewMenu->addItem(CommandSpeed + i, CommandSpeedMenu, speedNames[i], false);
    }
    CheckMenuRadioItem(viewMenu->getHandle(), CommandSpeed, CommandSpeed + 4, CommandSpeed + 2, MF_BYCOMMAND);
    viewMenu->addItem(CommandBackgroundMenu, -1, "&Background", true);
    viewMenu->addItem(CommandBackgroundDark, CommandBackgroundMenu, "&Dark", false);
    viewMenu->addItem(CommandBackgroundBlack, CommandBackgroundMenu, "&Black", false);
    viewMenu->addItem(CommandBackgroundGrey, CommandBackgroundMenu, "&Grey", false);
    viewMenu->addItem(CommandBackgroundWhite, CommandBackgroundMenu, "&White", false);
    viewMenu->addItem(CommandBackgroundCustom, CommandBackgroundMenu, "&Other...", false);
    viewMenu->addItem(CommandGrid, -1, "&Grid", false);
    viewMenu->addItem(CommandRestartOnChange, -1, "Restart on &Change", false);
    viewMenu->addItem(CommandFrameEffect, -1, "&Frame Effect", false);
}

// The theme in force has its entry checked.
void EditorApp::markTheme() {
    const KWTheme& current = Kwadro::getTheme();
    const int chosen = current == KWTheme::dark()     ? CommandThemeDark
                       : current == KWTheme::system() ? CommandThemeSystem
                                                      : CommandThemeLight;
    CheckMenuRadioItem(viewMenu->getHandle(), CommandThemeLight, CommandThemeSystem, chosen, MF_BYCOMMAND);
}

void EditorApp::bindShortcuts() {
    for (const Shortcut& shortcut : shortcuts) {
        frame.window->addShortcut(shortcut.key, shortcut.modifiers, shortcut.command);
    }
}

void EditorApp::showToolbarTips() {
    KWToolBar* toolbar = frame.toolbar;
    for (int id : toolbarTips) {
        toolbar->removeTooltip(id);
    }
    toolbarTips.clear();
    for (const ToolbarButton& button : toolbarButtons) {
        RECT area = {};
        const LRESULT index = SendMessageA(toolbar->getHandle(), TB_COMMANDTOINDEX, button.command, 0);
        if (button.command != 0 &&
            SendMessageA(toolbar->getHandle(), TB_GETITEMRECT, index, reinterpret_cast<LPARAM>(&area))) {
            toolbarTips.push_back(
                toolbar->addTooltip(button.text, KWBound(area.left, area.right, area.top, area.bottom)));
        }
    }
}

void EditorApp::showShortcuts() {
    std::string text = "Anywhere in the window:\n";
    for (const Shortcut& shortcut : shortcuts) {
        text += std::string(shortcut.keys) + "\t" + shortcut.action + "\n";
    }
    text += "Alt+letter\tOpen a menu (the underlined letter)\n";
    text += editorKeys;
    MessageBoxA(frame.window->getHandle(), text.c_str(), "Keyboard Shortcuts", MB_OK | MB_ICONINFORMATION);
}

void EditorApp::showAbout() {
    const std::string text = std::string("Pelmora ") + KW_VERSION_STRING +
                             "\n\nA particle-effect editor built on the Kwadro widget toolkit " +
                             KW_VERSION_STRING + ".";
    MessageBoxA(frame.window->getHandle(), text.c_str(), "About Pelmora", MB_OK | MB_ICONINFORMATION);
}

void EditorApp::buildSceneTree() {
    KWHeader* pane = frame.scene;
    tree =
        KWTreeView::create(STYLE_DEFAULT, 0, pane->scale(20), pane->scale(150), pane->scale(400), pane, -1);
    tree->setImageList(frame.icons);
    // The selected element stays marked while the keyboard is in the grid.
    keepSelectionShown(tree);
    tree->lockToParent(LOCK_STRETCH_BOTH);
    tree->setHandler([this](const KWEvent& event) {
        if (event.type == EVENT_SELECTED) {
            auto found = elementOfItem.find(event.param1);
            selected = found == elementOfItem.end() ? kNoElement : found->second;
            showSelection();
        }
    });
    frame.scene->doAlignment();
}

void EditorApp::buildPropertyGrid() {
    KWHeader* pane = frame.properties;
    grid =
        KWProperties::create(STYLE_DEFAULT, 0, pane->scale(20), pane->scale(200), pane->scale(250), pane, -1);
    grid->setImageList(propertyIcons.forDpi(pane->getDpi()));
    grid->setOneClickEditing(true);
    elementGroup = grid->addGroup("Element");
    emissionGroup = grid->addGroup("Emission");
    renderingGroup = grid->addGroup("Rendering");

    nameEdit = KWEdit::create(STYLE_DEFAULT, "", 0, 0, 20, 20, grid, -1);
    grid->addItem(elementGroup, "Name", 1, nameEdit);
    nameEdit->setHandler([this](const KWEvent& event) {
        if (event.type == EVENT_CHANGED) {
            rename();
        }
    });

    struct Field {
        const char* label;
        KWSpinBox** editor;
        Range range;
        float step;
        void (*apply)(Emitter&, float);
    };
    const Field fields[] = {
        {"Rate", &editors.rate, kRateRange, 1.0f, [](Emitter& e, float v) { e.rate = v; }},
        {"Lifetime min", &editors.lifetimeMin, kLifetimeRange, 0.1f,
         [](Emitter& e, float v) {
             e.lifetimeMin = v;
             e.lifetimeMax = std::max(e.lifetimeMax, v);
         }},
        {"Lifetime max", &editors.lifetimeMax, kLifetimeRange, 0.1f,
         [](Emitter& e, float v) {
             e.lifetimeMax = v;
             e.lifetimeMin = std::min(e.lifetimeMin, v);
         }},
        {"Speed", &editors.speed, kSpeedRange, 1.0f, [](Emitter& e, float v) { e.speed = v; }},
        {"Spread", &editors.spread, kSpreadRange, 1.0f, [](Emitter& e, float v) { e.spread = v; }},
        {"Gravity", &editors.gravity, kGravityRange, 1.0f, [](Emitter& e, float v) { e.gravity = v; }},
    };
    for (const Field& field : fields) {
        KWSpinBox* editor = spinBox(grid, field.range, field.step);
        *field.editor = editor;
        grid->addItem(emissionGroup, field.label, 1, editor);
        void (*apply)(Emitter&, float) = field.apply;
        editor->setHandler([this, apply, editor](const KWEvent& event) {
            editEmitter(event.type == EVENT_CHANGED, apply, editor);
            if (event.type == EVENT_CHANGED) {
                showNumberStart(editor);
            }
        });
    }

    editors.blend = KWComboBox::create(STYLE_DEFAULT, 0, 0, 20, 60, grid, -1);
    editors.blend->addItem(static_cast<int>(BlendMode::Alpha), "Alpha");
    editors.blend->addItem(static_cast<int>(BlendMode::Additive), "Additive");
    grid->addItem(renderingGroup, "Blend", 1, editors.blend);
    editors.blend->setHandler([this](const KWEvent& event) {
        Emitter* emitter = scene.findEmitter(selected);
        if (emitter && event.param1 >= 0) {
            emitter->blend = static_cast<BlendMode>(event.param1);
            changed(true);
        }
    });

    static const char filter[] =
        "Images (*.png;*.bmp;*.jpg;*.jpeg)\0*.png;*.bmp;*.jpg;*.jpeg\0All files (*.*)\0*.*\0";
    const std::string textureFilter(filter, sizeof(filter)); // with the closing empty string
    editors.texture = KWOpenButton::create(STYLE_DEFAULT, textureFilter, 0, 0, 40, 20, true, grid, -1);
    grid->addItem(renderingGroup, "Texture", 1, editors.texture);
    editors.texture->setHandler([this](const KWEvent&) {
        const Emitter* current = scene.findEmitter(selected);
        if (!current) {
            return;
        }
        Emitter values = *current;
        values.texture = textureReference(editors.texture->getText(), folderOf(path));
        if (scene.setEmitter(selected, values)) {
            changed(true);
        } else {
            refuse(refusalText(checkEmitter(values)));
            showSelection();
        }
    });
    // Whether the texture could be read, and if not why: the particles are then drawn round.
    editors.textureState = KWText::create(STYLE_DEFAULT, std::string(), 0, 0, 40, 20, ALIGN_LEFT, grid, -1);
    grid->addItem(renderingGroup, "Texture file", 1, editors.textureState);

    // Their groups start closed, so the rows above keep their places and the grid needs no scrolling.
    emitterProperties.reset(new EmitterProperties(
        grid, [this] { return static_cast<const Emitter*>(scene.findEmitter(selected)); },
        [this](const Emitter& values, bool finished) {
            if (!scene.setEmitter(selected, values)) {
                return false;
            }
            changed(finished);
            return true;
        },
        [this](const std::string& message) { refuse(message); }));

    grid->lockToParent(LOCK_STRETCH_BOTH);
    frame.properties->doAlignment();
    for (KWGroupItem* group : {elementGroup, emissionGroup, renderingGroup}) {
        grid->openGroup(group, true);
    }
}

void EditorApp::buildGraphEditors() {
    auto s = [this](int pixelsAt96) { return frame.graphs->scale(pixelsAt96); };
    KWTab* tabs = KWTab::create(STYLE_DEFAULT, 0, s(20), s(500), s(80), frame.graphs, -1);
    KWWindow* sizePage = tabs->addTab(1, "Size over life");
    KWWindow* colorPage = tabs->addTab(2, "Colour over life");
    tabs->lockToParent(LOCK_STRETCH_BOTH);
    followTheme(tabs);
    sizeCurve = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, s(100), s(100), sizePage, -1);
    sizeCurve->lockToParent(LOCK_FILL);
    colorRamp = KWColorEdit::create(STYLE_DEFAULT, 0, 0, s(500), s(80), colorPage, frame.window);
    colorRamp->lockToParent(LOCK_FILL);
    frame.graphs->doAlignment();
    sizeCurve->moveView(s(100), s(30));

    sizeCurve->setHandler([this](const KWEvent& event) {
        Emitter* emitter = scene.findEmitter(selected);
        if (emitter) {
            emitter->size = sizeCurve->getPoints();
            changed(event.type == EVENT_CHANGED);
        }
    });
    colorRamp->setHandler([this](const KWEvent& event) {
        Emitter* emitter = scene.findEmitter(selected);
        if (emitter) {
            emitter->color = colorRamp->getPoints();
            changed(event.type == EVENT_CHANGED);
        }
    });
}

void EditorApp::buildPalette() {
    KWHeader* pane = frame.elements;
    KWTab* tabs =
        KWTab::create(STYLE_DEFAULT, 0, pane->scale(20), pane->scale(150), pane->scale(250), pane, -1);
    KWWindow* page = tabs->addTab(1, "Add");
    tabs->lockToParent(LOCK_STRETCH_BOTH);
    followTheme(tabs);
    tabs->doAlignment();
    shell::addPaletteButtons(page, {"System", "Group", "Emitter"}, CommandAddSystem);
    for (int i = 0; i < page->getChildCount(); ++i) {
        page->getChild(i)->setHandler([this](const KWEvent& event) { onCommand(event.object->getId()); });
    }
    frame.elements->doAlignment();
}

void EditorApp::showIconsFor(int dpi) {
    frame.icons = icons.forDpi(dpi);
    frame.toolbar->setImageList(frame.icons);
    tree->setImageList(frame.icons);
    grid->setImageList(propertyIcons.forDpi(dpi));
    showToolbarTips();
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

void EditorApp::onCommand(int command) {
    switch (command) {
    case CommandNew:
        if (confirmDiscard()) {
            newEffect();
        }
        break;
    case CommandOpen:
        if (confirmDiscard()) {
            char file[kPathBytes] = {};
            OPENFILENAMEA dialog = {};
            dialog.lStructSize = sizeof(dialog);
            dialog.hwndOwner = frame.window->getHandle();
            dialog.lpstrFilter = fileFilter;
            dialog.lpstrFile = file;
            dialog.nMaxFile = sizeof(file);
            const std::string folder = dialogFolder();
            dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
            dialog.Flags = OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
            if (GetOpenFileNameA(&dialog)) {
                rememberFolder(file);
                openFile(file);
            }
        }
        break;
    case CommandSave:
        save(false);
        break;
    case CommandSaveAs:
        save(true);
        break;
    case CommandExportFlipbook: {
        const std::string written = exportFlipbook(frame.window->getHandle(), scene, path);
        if (!written.empty()) {
            showStatus("Flipbook exported to " + written);
        }
        break;
    }
    case CommandExit:
        PostMessageA(frame.window->getHandle(), WM_CLOSE, 0, 0);
        break;
    case CommandUndo:
        if (history.canUndo()) {
            restore(history.undo());
        }
        break;
    case CommandRedo:
        if (history.canRedo()) {
            restore(history.redo());
        }
        break;
    case CommandDelete:
        deleteSelected();
        break;
    case CommandAddSystem:
        addElement(ElementKind::System);
        break;
    case CommandAddGroup:
        addElement(ElementKind::Group);
        break;
    case CommandAddEmitter:
        addElement(ElementKind::Emitter);
        break;
    case CommandPlay:
        preview->setPlaying(true);
        break;
    case CommandPause:
        preview->setPlaying(false);
        break;
    case CommandTogglePlay:
        preview->setPlaying(!preview->isPlaying());
        break;
    case CommandRestart:
        preview->restart(scene);
        break;
    case CommandThemeLight:
    case CommandThemeDark:
    case CommandThemeSystem:
        Kwadro::setTheme(command == CommandThemeDark     ? KWTheme::dark()
                         : command == CommandThemeSystem ? KWTheme::system()
                                                         : KWTheme::light());
        markTheme();
        break;
    case CommandGrid:
        preview->setGridVisible(!preview->isGridVisible());
        CheckMenuItem(viewMenu->getHandle(), CommandGrid,
                      MF_BYCOMMAND | (preview->isGridVisible() ? MF_CHECKED : MF_UNCHECKED));
        break;
    case CommandRestartOnChange:
        preview->setRestartOnChange(!preview->getRestartOnChange());
        CheckMenuItem(viewMenu->getHandle(), CommandRestartOnChange,
                      MF_BYCOMMAND | (preview->getRestartOnChange() ? MF_CHECKED : MF_UNCHECKED));
        break;
    case CommandFrameEffect:
        preview->frameEffect(scene);
        break;
    case CommandBackgroundDark:
    case CommandBackgroundBlack:
    case CommandBackgroundGrey:
    case CommandBackgroundWhite:
        preview->setBackground(backgrounds[command - CommandBackgroundDark]);
        break;
    case CommandBackgroundCustom:
        chooseBackground();
        break;
    case CommandAbout:
        showAbout();
        break;
    case CommandShortcuts:
        showShortcuts();
        break;
    default:
        if (command >= CommandRecentFile && command < CommandRecentFile + static_cast<int>(kMaxRecentFiles)) {
            openRecent(command - CommandRecentFile);
        } else if (command >= CommandSpeed && command < CommandSpeed + 5) {
            preview->setSpeed(speeds[command - CommandSpeed]);
            CheckMenuRadioItem(viewMenu->getHandle(), CommandSpeed, CommandSpeed + 4, command, MF_BYCOMMAND);
        }
        break;
    }
}

bool EditorApp::onClose() {
    if (!confirmDiscard()) {
        return false;
    }
    endSession();
    return true;
}

void EditorApp::changed(bool finished) {
    preview->update(scene);
    if (finished && history.record(scene)) {
        updateTitle();
        updateMenus();
    }
}

void EditorApp::editEmitter(bool finished, void (*apply)(Emitter&, float), KWSpinBox* source) {
    const Emitter* current = scene.findEmitter(selected);
    if (!current) {
        return;
    }
    Emitter values = *current;
    apply(values, source->getValue());
    if (!scene.setEmitter(selected, values)) {
        refuse(refusalText(checkEmitter(values)));
        showSelection();
        return;
    }
    // A bound may have followed the other one.
    editors.lifetimeMin->setValue(values.lifetimeMin);
    editors.lifetimeMax->setValue(values.lifetimeMax);
    changed(finished);
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

void EditorApp::rename() {
    const std::string name = nameEdit->getText();
    const std::string* current = scene.nameOf(selected);
    if (!current || *current == name) {
        return;
    }
    if (!scene.rename(selected, name)) {
        refuse(refusalText(checkName(name)));
        nameEdit->setText(*current);
        return;
    }
    tree->setItemText(itemOfElement[selected], name);
    changed(true);
}

void EditorApp::addElement(ElementKind kind) {
    ElementId added = kNoElement;
    switch (kind) {
    case ElementKind::System:
        added = scene.addSystem();
        break;
    case ElementKind::Group:
        added = scene.addGroup(selected);
        break;
    case ElementKind::Emitter:
        added = scene.addEmitter(selected);
        break;
    default:
        break;
    }
    if (added == kNoElement) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    selected = added;
    showScene();
    showSelection();
    changed(true);
}

void EditorApp::deleteSelected() {
    if (scene.kindOf(selected) == ElementKind::None) {
        MessageBeep(MB_ICONWARNING);
        return;
    }
    const ElementId parent = scene.parentOf(selected);
    scene.remove(selected);
    selected = parent != kNoElement ? parent : firstEmitter(scene);
    showScene();
    showSelection();
    changed(true);
}

int EditorApp::itemOf(ElementId id) const {
    auto found = itemOfElement.find(id);
    return found == itemOfElement.end() ? 0 : found->second;
}

void EditorApp::showScene() {
    tree->clear();
    elementOfItem.clear();
    itemOfElement.clear();
    auto add = [this](int parent, int image, ElementId id, const std::string& name) {
        const int item = tree->addItem(parent, image, 0, name);
        elementOfItem[item] = id;
        itemOfElement[id] = item;
        return item;
    };
    const int root = tree->addItem(-1, IconSystem, 0, "Scene");
    for (const System& system : scene.getSystems()) {
        const int systemItem = add(root, IconSystem, system.id, system.name);
        for (const Group& group : system.groups) {
            const int groupItem = add(systemItem, IconGroup, group.id, group.name);
            for (const Emitter& emitter : group.emitters) {
                add(groupItem, IconEmitter, emitter.id, emitter.name);
            }
        }
    }
    // Everything unfolded, so the whole effect is in view.
    for (const auto& entry : elementOfItem) {
        SendMessageA(tree->getHandle(), TVM_EXPAND, TVE_EXPAND,
                     reinterpret_cast<LPARAM>(tree->getItemHandle(entry.first)));
    }
    SendMessageA(tree->getHandle(), TVM_EXPAND, TVE_EXPAND,
                 reinterpret_cast<LPARAM>(tree->getItemHandle(root)));
    auto item = itemOfElement.find(selected);
    tree->selectItem(item == itemOfElement.end() ? 0 : item->second);
}

void EditorApp::showSelection() {
    const std::string* name = scene.nameOf(selected);
    nameEdit->setText(name ? *name : std::string());
    nameEdit->setActive(name != nullptr);
    const Emitter* emitter = scene.findEmitter(selected);
    grid->hideGroup(emissionGroup, emitter == nullptr);
    grid->hideGroup(renderingGroup, emitter == nullptr);
    emitterProperties->show(emitter);
    sizeCurve->setActive(emitter != nullptr);
    colorRamp->setActive(emitter != nullptr);
    if (emitter) {
        editors.rate->setValue(emitter->rate);
        editors.lifetimeMin->setValue(emitter->lifetimeMin);
        editors.lifetimeMax->setValue(emitter->lifetimeMax);
        editors.speed->setValue(emitter->speed);
        editors.spread->setValue(emitter->spread);
        editors.gravity->setValue(emitter->gravity);
        editors.blend->selectItem(static_cast<int>(emitter->blend));
        editors.texture->setPath(emitter->texture);
        // A drag can leave keys out of order; the editor takes them sorted.
        SizeKeys size = emitter->size;
        std::stable_sort(size.begin(), size.end(),
                         [](const KWGraphPoint& a, const KWGraphPoint& b) { return a.x < b.x; });
        sizeCurve->setPoints(size);
        sizeCurve->frameKeys();
        colorRamp->setPoints(sortedColorKeys(emitter->color));
        colorRamp->frameKeys();
    }
    showTextureState();
    grid->updateSubitemsText();
}

void EditorApp::showTextureState() {
    const Emitter* emitter = scene.findEmitter(selected);
    const std::string state = emitter && preview ? preview->textureState(emitter->texture) : std::string();
    if (editors.textureState->getText() != state) {
        editors.textureState->setText(state);
        grid->updateSubitemsText();
    }
}

void EditorApp::restore(const Scene& state) {
    scene = state;
    if (scene.kindOf(selected) == ElementKind::None) {
        selected = firstEmitter(scene);
    }
    showScene();
    showSelection();
    preview->update(scene);
    updateTitle();
    updateMenus();
}

// The colour dialog, starting from the preview's background.
void EditorApp::chooseBackground() {
    static COLORREF custom[16] = {};
    const std::uint32_t rgb = preview->getBackground();
    CHOOSECOLORA dialog = {};
    dialog.lStructSize = sizeof(dialog);
    dialog.hwndOwner = frame.window->getHandle();
    dialog.rgbResult = RGB((rgb >> 16) & 0xFF, (rgb >> 8) & 0xFF, rgb & 0xFF);
    dialog.lpCustColors = custom;
    dialog.Flags = CC_RGBINIT | CC_FULLOPEN;
    if (ChooseColorA(&dialog)) {
        const COLORREF chosen = dialog.rgbResult;
        preview->setBackground((GetRValue(chosen) << 16) | (GetGValue(chosen) << 8) | GetBValue(chosen));
    }
}

void EditorApp::updateTitle() {
    const std::string name = path.empty() ? "Untitled" : fileNameOf(path);
    frame.window->setText(std::string(appName) + " - " + name + (history.hasUnsavedChanges() ? " *" : ""));
    unsavedStateChanged();
}

void EditorApp::updateMenus() {
    HMENU edit = editMenu->getHandle();
    EnableMenuItem(edit, CommandUndo, MF_BYCOMMAND | (history.canUndo() ? MF_ENABLED : MF_GRAYED));
    EnableMenuItem(edit, CommandRedo, MF_BYCOMMAND | (history.canRedo() ? MF_ENABLED : MF_GRAYED));
    HWND toolbar = frame.toolbar->getHandle();
    SendMessageA(toolbar, TB_ENABLEBUTTON, CommandUndo, history.canUndo());
    SendMessageA(toolbar, TB_ENABLEBUTTON, CommandRedo, history.canRedo());
}

bool EditorApp::confirmDiscard() {
    if (!history.hasUnsavedChanges()) {
        return true;
    }
    switch (
        MessageBoxA(frame.window->getHandle(), "Save changes?", appName, MB_YESNOCANCEL | MB_ICONQUESTION)) {
    case IDYES:
        return save(false);
    case IDNO:
        return true;
    default:
        return false;
    }
}

bool EditorApp::save(bool choosePath) {
    std::string target = path;
    if (choosePath || target.empty()) {
        char file[kPathBytes] = {};
        lstrcpynA(file, fileNameOf(path).c_str(), sizeof(file));
        OPENFILENAMEA dialog = {};
        dialog.lStructSize = sizeof(dialog);
        dialog.hwndOwner = frame.window->getHandle();
        dialog.lpstrFilter = fileFilter;
        dialog.lpstrFile = file;
        dialog.nMaxFile = sizeof(file);
        dialog.lpstrDefExt = "kwfx";
        // The effect's own folder, else the last one used: never the program's working folder.
        const std::string folder = path.empty() ? dialogFolder() : folderOf(path);
        dialog.lpstrInitialDir = folder.empty() ? nullptr : folder.c_str();
        dialog.Flags = OFN_OVERWRITEPROMPT | OFN_PATHMUSTEXIST | OFN_HIDEREADONLY;
        if (!GetSaveFileNameA(&dialog)) {
            return false;
        }
        target = file;
        rememberFolder(target);
    }
    // Relative texture paths are rewritten for the new folder, so every texture stays reachable.
    const std::string oldFolder = folderOf(path), newFolder = folderOf(target);
    Scene saved = scene;
    rebaseTextures(saved, oldFolder, newFolder);
    std::string error;
    if (!saveAtomically(target, effectFileText(saved), error)) {
        MessageBoxA(frame.window->getHandle(), error.c_str(), appName, MB_OK | MB_ICONERROR);
        return false;
    }
    const bool chosen = target != path;
    if (!(saved == scene)) {
        history.applyToAll([&](Scene& state) { rebaseTextures(state, oldFolder, newFolder); });
        scene = saved;
        showSelection();
        preview->update(scene);
    }
    path = target;
    preview->setTextureFolder(folderOf(path));
    history.markSaved();
    updateTitle();
    if (chosen || choosePath) {
        addRecent(path);
    }
    return true;
}

void EditorApp::openFile(const std::string& file) {
    Scene loaded = scene;
    std::string error;
    if (!readEffectFileText(file, loaded, error)) {
        const std::string text = "Cannot open " + file + "\n\n" + error;
        MessageBoxA(frame.window->getHandle(), text.c_str(), appName, MB_OK | MB_ICONERROR);
        return;
    }
    beginEditing(loaded, file);
    addRecent(file);
}

void EditorApp::openAtStart(const std::string& file) {
    openFile(file);
}

void EditorApp::frameContent() {
    preview->frameEffect(scene);
    sizeCurve->frameKeys();
    colorRamp->frameKeys();
    // The buttons have their final sizes once the window is shown.
    showToolbarTips();
    // From now on the panes keep their shares of the window as it changes size.
    fit->takeShares();
}

// Work from a recovery file: unsaved changes to the file it belongs to, which Save writes.
void EditorApp::recover(const Scene& recovered, const std::string& original) {
    beginEditing(recovered, original);
    history.forgetSaved();
    updateTitle();
    updateMenus();
}

void EditorApp::newEffect() {
    beginEditing(Scene::makeDefault(), std::string());
}

void EditorApp::beginEditing(const Scene& state, const std::string& file) {
    scene = state;
    history.reset(scene);
    path = file;
    selected = firstEmitter(scene);
    showScene();
    showSelection();
    preview->setTextureFolder(folderOf(path));
    preview->restart(scene);
    preview->getTimeline()->resetSpan();
    preview->frameEffect(scene);
    updateTitle();
    updateMenus();
}

} // namespace pelmora
