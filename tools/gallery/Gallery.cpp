// Renders each gadget class in a small window and saves the window as <folder>/<Class>.bmp.
// tools/gallery.sh runs it and turns the pictures and the snippets below into docs/gallery.
//
// Each snippet is a comment line "// <Class>: <caption>" followed by a function whose body is shown in
// docs/gallery.md as the class's usage example; keep the bodies short and self-explanatory.
#include <KW.h>

#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

using namespace KW;

namespace {

// KWButton: a push button; its handler receives EVENT_CLICKED.
void showButton(KWWindow* window) {
    KWButton* button = KWButton::create(STYLE_DEFAULT, "Apply", 10, 10, 100, 28, window, 1);
    button->setHandler([](const KWEvent&) { /* act on the click */ });
}

// KWCheckBox: a check box that can show its state as its caption.
void showCheckBox(KWWindow* window) {
    KWCheckBox::create(STYLE_DEFAULT, "Cast shadows", 10, 10, 160, 22, window, 1);
    KWCheckBox* flag = KWCheckBox::create(STYLE_DEFAULT, "", 10, 36, 160, 22, window, 2);
    flag->setAutoTextEnabled(true);
}

// KWRadio: radio buttons; clicking one clears the others of its group.
void showRadio(KWWindow* window) {
    KWRadio* linear = KWRadio::create(STYLE_DEFAULT, "Linear", 10, 10, 120, 22, window, 1);
    KWRadio::create(STYLE_DEFAULT, "Smooth", 10, 36, 120, 22, window, 2);
    linear->setSelected(true);
}

// KWText: a static label, aligned left, right or centred.
void showText(KWWindow* window) {
    KWText::create(STYLE_DEFAULT, "Left", 10, 10, 200, 20, ALIGN_LEFT, window, 1);
    KWText::create(STYLE_DEFAULT, "Centred", 10, 34, 200, 20, ALIGN_CENTER, window, 2);
    KWText::create(STYLE_DEFAULT, "Right", 10, 58, 200, 20, ALIGN_RIGHT, window, 3);
}

// KWEdit: a single-line edit field; its content is the window text.
void showEdit(KWWindow* window) {
    KWEdit::create(STYLE_DEFAULT, "particle_system_01", 10, 10, 200, 20, window, 1);
}

// KWComboBox: a drop-down list of strings tagged with ids.
void showComboBox(KWWindow* window) {
    KWComboBox* blend = KWComboBox::create(STYLE_DEFAULT, 10, 10, 160, 120, window, 1);
    blend->addItem(0, "Alpha");
    blend->addItem(1, "Additive");
    SendMessageA(blend->getHandle(), CB_SETCURSEL, 1, 0);
}

// KWListBox: a scrolling list of strings tagged with ids.
void showListBox(KWWindow* window) {
    KWListBox* list = KWListBox::create(STYLE_DEFAULT, 10, 10, 200, 90, window, 1);
    list->addItem(1, "Emitters");
    list->addItem(2, "Modifiers");
    list->addItem(3, "Renderers");
    list->selectItem(2);
}

// KWSpinBox: a float field with arrows; dragging over the arrows changes the value too.
void showSpinBox(KWWindow* window) {
    KWSpinBox::create(STYLE_DEFAULT, 2.5f, 10, 10, 140, 22, 0.0f, 10.0f, 0.1f, true, true, window, 1);
}

// KWOpenButton: a path field with a "..." button that opens the file dialog or the folder browser.
void showOpenButton(KWWindow* window) {
    const std::string filter("Bitmaps\0*.bmp\0", 15);
    KWOpenButton::create(STYLE_DEFAULT, filter, 10, 10, 240, 22, true, window, 1);
}

// KWGroupBox: the captioned group frame.
void showGroupBox(KWWindow* window) {
    KWGroupBox::create(STYLE_DEFAULT, "Emission", 10, 4, 220, 80, window, 1);
    KWCheckBox::create(STYLE_DEFAULT, "Burst", 24, 30, 120, 22, window, 2);
}

// KWPanel: a plain container with a thin frame; children follow its size through their locks.
void showPanel(KWWindow* window) {
    KWPanel* panel = KWPanel::create(STYLE_DEFAULT, 10, 10, 220, 70, window, 1);
    KWButton::create(STYLE_DEFAULT, "Inside", 10, 10, 90, 26, panel, 2);
}

// KWHeader: a titled pane with a gradient band; its children go below the band.
void showHeader(KWWindow* window) {
    KWHeader::create(STYLE_DEFAULT, 10, 10, 220, 90, "Properties", KWColor(230, 230, 230, 255),
                     KWColor(180, 180, 180, 255), KWColor(40, 40, 40, 255), window, 1);
}

// KWTab: tabs that each own a page window.
void showTab(KWWindow* window) {
    KWTab* tabs = KWTab::create(STYLE_DEFAULT, 10, 10, 260, 100, window, 1);
    KWWindow* page = tabs->addTab(0, "Colour");
    tabs->addTab(1, "Size");
    KWText::create(STYLE_DEFAULT, "First page", 10, 10, 120, 20, ALIGN_LEFT, page, 2);
}

// KWRollout: a scrolling stack of collapsible sections holding gadgets.
void showRollout(KWWindow* window) {
    KWRollout* rollout = KWRollout::create(STYLE_DEFAULT, 10, 10, 240, 140, window, 1);
    rollout->addRollout(1, "Emission");
    rollout->addRollout(2, "Motion");
    rollout->addObject(1, 10, 6, KWCheckBox::create(STYLE_DEFAULT, "Burst", 0, 0, 100, 20, rollout, 2));
}

// KWStatus: a status bar docked at the bottom of its parent.
void showStatus(KWWindow* window) {
    KWStatus* status = KWStatus::create(window, 1);
    int edges[] = {120, -1};
    status->setParts(2, edges);
    status->setText("Ready");
}

// KWToolBar: a flat toolbar docked at the top; clicks reach the window's handler.
void showToolBar(KWWindow* window) {
    KWToolBar* toolbar = KWToolBar::create(false, window, 1);
    toolbar->addButton(10, "New");
    toolbar->addButton(11, "Open");
    toolbar->addSeparator();
    toolbar->addButton(12, "Save");
}

// KWTreeView: a tree of items; a group of items can carry a context menu.
void showTreeView(KWWindow* window) {
    KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 10, 10, 200, 130, window, 1);
    const int scene = tree->addItem(-1, -1, 0, "Scene");
    const int system = tree->addItem(scene, -1, 1, "System");
    tree->addItem(system, -1, 2, "Emitter");
    tree->addItem(system, -1, 2, "Renderer");
    TreeView_Expand(tree->getHandle(), tree->getItemHandle(scene), TVE_EXPAND);
    TreeView_Expand(tree->getHandle(), tree->getItemHandle(system), TVE_EXPAND);
}

// KWProperties: a property grid of groups whose rows are edited by hosted gadgets.
void showProperties(KWWindow* window) {
    KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 10, 10, 260, 130, window, 1);
    KWGroupItem* group = grid->addGroup("Emitter");
    grid->addItem(group, "Name", 0, KWEdit::create(STYLE_DEFAULT, "sparks", 0, 0, 20, 20, grid, 2));
    grid->addItem(group, "Rate", 0,
                  KWSpinBox::create(STYLE_DEFAULT, 25, 0, 0, 20, 20, 0, 100, 1, true, true, grid, 3));
    grid->openGroup(group, true);
}

// KWFloatGraph: an editor of two piecewise-linear curves over 0 to 100; evaluate samples them.
void showFloatGraph(KWWindow* window) {
    KWFloatGraph* graph = KWFloatGraph::create(STYLE_DEFAULT, 10, 10, 200, 170, window, 1);
    graph->insertPoint(40.0f, -120.0f); // data y grows downward: this key shows the value 120
    graph->moveView(50, 140); // one pixel per unit at first: bring x 0..100, values 0..140 into view
}

// KWColorEdit: a colour gradient editor with two colours per key.
void showColorEdit(KWWindow* window) {
    KWColorEdit* ramp = KWColorEdit::create(STYLE_DEFAULT, 10, 10, 300, 80, window, window);
    ramp->setPoints({KWColorPoint(0, KWColor(255, 200, 0, 255), KWColor(255, 0, 0, 255), true),
                     KWColorPoint(50, KWColor(0, 160, 255, 128), KWColor(0, 0, 255, 255)),
                     KWColorPoint(100, KWColor(255, 255, 255, 0), KWColor(0, 0, 0, 255), true)});
}

// KWColorButton: a colour swatch that opens the system colour dialog.
void showColorButton(KWWindow* window) {
    KWColorButton::create(STYLE_DEFAULT, 10, 10, 60, 24, KWColor(30, 144, 255, 255), window, 1);
}

// KWColorButtons: two colours with alpha side by side; each opens the colour picker.
void showColorButtons(KWWindow* window) {
    KWColorButtons::create(STYLE_DEFAULT, 10, 10, 100, 24, KWColor(255, 128, 0, 255),
                           KWColor(0, 128, 255, 96), window, window, 1);
}

// KWColorPicker: the popup that picks a colour with alpha (opened by KWColorButtons and KWColorEdit).
void showColorPicker(KWWindow* window) {
    KWColorPicker* picker = new KWColorPicker(KWColor(40, 180, 90, 255), 40, 40, window);
    ShowWindow(picker->getHandle(), SW_SHOWNORMAL);
}

// KWContext: a popup menu, used in a window's menu bar or as a context menu.
void showContext(KWWindow* window) {
    KWContext* file = KWContext::create();
    file->addItem(10, -1, "Open", false);
    file->addItem(11, -1, "Save", false);
    window->addMenu("File", file);
    window->addMenu("Edit", KWContext::create());
}

// KWWindow: frames, pop-ups and panes; splitters trade space between docked gadgets.
void showWindow(KWWindow* window) {
    KWWindow* left = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 0, 0, 110, 150, "", window, 1);
    KWWindow* right = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 114, 0, 170, 150, "", window, 2);
    window->addVerticalSplitter(1, 110, 4, 40, 200, true);
    window->addFromLeft(1, left);
    window->addFromRight(1, right);
}

struct Entry {
    const char* name;
    int width;
    int height;
    void (*show)(KWWindow*);
};

const Entry entries[] = {
    {"KWButton", 220, 90, showButton},
    {"KWCheckBox", 220, 110, showCheckBox},
    {"KWRadio", 220, 110, showRadio},
    {"KWText", 240, 130, showText},
    {"KWEdit", 240, 80, showEdit},
    {"KWComboBox", 200, 90, showComboBox},
    {"KWListBox", 240, 140, showListBox},
    {"KWSpinBox", 180, 80, showSpinBox},
    {"KWOpenButton", 280, 80, showOpenButton},
    {"KWGroupBox", 260, 130, showGroupBox},
    {"KWPanel", 260, 120, showPanel},
    {"KWHeader", 260, 140, showHeader},
    {"KWTab", 300, 150, showTab},
    {"KWRollout", 270, 190, showRollout},
    {"KWStatus", 300, 110, showStatus},
    {"KWToolBar", 300, 110, showToolBar},
    {"KWTreeView", 240, 180, showTreeView},
    {"KWProperties", 300, 180, showProperties},
    {"KWFloatGraph", 240, 220, showFloatGraph},
    {"KWColorEdit", 340, 130, showColorEdit},
    {"KWColorButton", 180, 80, showColorButton},
    {"KWColorButtons", 180, 80, showColorButtons},
    {"KWColorPicker", 200, 100, showColorPicker},
    {"KWContext", 260, 110, showContext},
    {"KWWindow", 300, 190, showWindow},
};

void pump(DWORD milliseconds) {
    const DWORD start = GetTickCount();
    while (GetTickCount() - start < milliseconds) {
        MSG msg;
        while (PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
            TranslateMessage(&msg);
            DispatchMessageA(&msg);
        }
        Sleep(10);
    }
}

// The topmost visible top-level window of this thread: the host, or a pop-up the snippet opened over it.
HWND topmostOwnWindow() {
    for (HWND window = GetTopWindow(nullptr); window; window = GetWindow(window, GW_HWNDNEXT)) {
        if (IsWindowVisible(window) && GetWindowThreadProcessId(window, nullptr) == GetCurrentThreadId()) {
            return window;
        }
    }
    return nullptr;
}

// The window's pixels as on the screen, frame included, as a 24-bit bitmap file.
bool saveWindow(HWND window, const std::string& path) {
    RECT rect;
    GetWindowRect(window, &rect);
    const int width = rect.right - rect.left;
    const int height = rect.bottom - rect.top;
    const int stride = (width * 3 + 3) & ~3;
    BITMAPINFOHEADER info = {};
    info.biSize = sizeof info;
    info.biWidth = width;
    info.biHeight = height;
    info.biPlanes = 1;
    info.biBitCount = 24;
    info.biCompression = BI_RGB;
    info.biSizeImage = static_cast<DWORD>(stride * height);
    void* bits = nullptr;
    HDC screen = GetDC(nullptr);
    HBITMAP bitmap =
        CreateDIBSection(screen, reinterpret_cast<BITMAPINFO*>(&info), DIB_RGB_COLORS, &bits, nullptr, 0);
    HDC memory = CreateCompatibleDC(screen);
    HGDIOBJ old = SelectObject(memory, bitmap);
    const bool copied = BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY) != FALSE;
    GdiFlush();
    bool written = false;
    if (copied) {
        if (FILE* file = std::fopen(path.c_str(), "wb")) {
            BITMAPFILEHEADER header = {};
            header.bfType = 0x4D42; // "BM"
            header.bfOffBits = sizeof header + sizeof info;
            header.bfSize = header.bfOffBits + info.biSizeImage;
            written = std::fwrite(&header, sizeof header, 1, file) == 1 &&
                      std::fwrite(&info, sizeof info, 1, file) == 1 &&
                      std::fwrite(bits, info.biSizeImage, 1, file) == 1;
            written = std::fclose(file) == 0 && written;
        }
    }
    SelectObject(memory, old);
    DeleteDC(memory);
    DeleteObject(bitmap);
    ReleaseDC(nullptr, screen);
    return written;
}

} // namespace

// Usage: kw_gallery.exe [--dark] <folder> [Class]. Exit status 1 when a picture could not be written.
int WINAPI WinMain(HINSTANCE, HINSTANCE, LPSTR commandLine, int) {
    std::string arguments(commandLine);
    const std::string darkOption = "--dark ";
    const bool dark = arguments.compare(0, darkOption.size(), darkOption) == 0;
    if (dark) {
        arguments.erase(0, darkOption.size());
    }
    const std::string folder = arguments.substr(0, arguments.find(' '));
    const std::string only =
        arguments.find(' ') == std::string::npos ? "" : arguments.substr(arguments.find(' ') + 1);
    if (folder.empty()) {
        return 2;
    }
    Kwadro::init();
    if (dark) {
        Kwadro::setTheme(KWTheme::dark());
    }
    int failures = 0;
    for (const Entry& entry : entries) {
        if (!only.empty() && only != entry.name) {
            continue;
        }
        KWWindow* window = KWWindow::create(STYLE_DEFAULT, WINDOW_POPUP, 40, 40, entry.width, entry.height,
                                            entry.name, nullptr, 0);
        entry.show(window);
        window->doAlignment();
        pump(600);
        const std::string path = folder + "\\" + entry.name + ".bmp";
        if (!saveWindow(topmostOwnWindow(), path)) {
            std::fprintf(stderr, "gallery: could not save %s\n", path.c_str());
            ++failures;
        }
        delete window;
        pump(50);
    }
    return failures == 0 ? 0 : 1;
}
