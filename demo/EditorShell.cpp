#include "EditorShell.h"

#include "ShellFrame.h"

#include <string>
#include <vector>

using namespace KW;

namespace demo {

namespace {

KWColorButtons* addColorPair(KWProperties* grid, KWWindow* window) {
    KWColorButtons* pair = KWColorButtons::create(STYLE_DEFAULT, 0, 0, 10, 10, KWColor(100, 0, 0, 255),
                                                  KWColor(200, 0, 0, 255), grid, window, 1);
    pair->addTooltip("Click To Select a color...");
    return pair;
}

KWSpinBox* addSpinBox(KWProperties* grid, float minValue, float maxValue, float step) {
    return KWSpinBox::create(STYLE_DEFAULT, 1.0f, 0, 0, 50, 20, minValue, maxValue, step, true, true, grid,
                             -1);
}

struct PropertyGrid {
    KWProperties* grid;
    std::vector<KWGroupItem*> groups;
};

PropertyGrid addPropertyGrid(KWHeader* header, KWWindow* window, ShellImages& images) {
    KWProperties* grid = KWProperties::create(STYLE_DEFAULT, 0, header->scale(20), header->scale(200),
                                              header->scale(250), header, -1);
    grid->setImageList(images.propertyIcons.forDpi(header->getDpi()));
    KWGroupItem* object = grid->addGroup("Object");
    KWGroupItem* renderer = grid->addGroup("Renderer");
    KWGroupItem* interpolator = grid->addGroup("ColorInterpolator");

    KWComboBox* blendMode = KWComboBox::create(STYLE_DEFAULT, 0, 0, 20, 20, grid, -1);
    blendMode->addItem(0, "None");
    blendMode->addItem(1, "Alpha");
    blendMode->addItem(2, "Additive");
    blendMode->addItem(3, "Subtractive");
    KWCheckBox* enableBlending = KWCheckBox::create(STYLE_DEFAULT, "vasd", 20, 20, 60, 20, grid, -1);
    enableBlending->setAutoTextEnabled(true);
    KWCheckBox* shared = KWCheckBox::create(STYLE_DEFAULT, "vasd", 20, 20, 60, 20, grid, -1);
    shared->setAutoTextEnabled(true);
    KWColorButtons* startColors = addColorPair(grid, window);
    KWColorButtons* endColors = addColorPair(grid, window);

    // The open-file filter: description and pattern, each NUL-terminated, ended by an empty string.
    const std::string textureFilter("abc\0*.bmp\0\0", 11);

    grid->addItem(object, "Name  :", 1, KWEdit::create(STYLE_DEFAULT, "", 0, 0, 20, 20, grid, -1));
    grid->addItem(object, "Scale :", 1, addSpinBox(grid, 0.0f, 50.0f, 0.001f));
    grid->addItem(object, "Shared :", 1, shared);
    grid->addItem(renderer, "Texture :", 1,
                  KWOpenButton::create(STYLE_DEFAULT, textureFilter, 10, 150, 40, 20, true, grid, -1));
    grid->addItem(renderer, "Atlas X :", 1, addSpinBox(grid, 1.0f, 100.0f, 1.0f));
    grid->addItem(renderer, "Atlas Y :", 1, addSpinBox(grid, 1.0f, 100.0f, 1.0f));
    grid->addItem(renderer, "Scale X :", 1, addSpinBox(grid, 0.0f, 5000.0f, 0.01f));
    grid->addItem(renderer, "Scale Y :", 1, addSpinBox(grid, 0.0f, 5000.0f, 0.01f));
    grid->addItem(renderer, "Blend Mode", 1, blendMode);
    grid->addItem(renderer, "Enable Blending", 1, enableBlending);
    grid->addItem(interpolator, "Type : ", 1,
                  KWText::create(STYLE_DEFAULT, "Random", 0, 0, 10, 10, ALIGN_LEFT, grid, -1));
    grid->addItem(interpolator, "Start Colors : ", 1, startColors);
    grid->addItem(interpolator, "End Colors : ", 1, endColors);

    grid->lockToParent(LOCK_STRETCH_BOTH);
    header->doAlignment();
    return {grid, {object, renderer, interpolator}};
}

void addGraphEditors(KWHeader* header, KWWindow* window) {
    auto s = [header](int pixelsAt96) { return header->scale(pixelsAt96); };
    KWTab* tabs = KWTab::create(STYLE_DEFAULT, 0, s(20), s(500), s(80), header, -1);
    KWWindow* colorPage = tabs->addTab(1, "Color Graph");
    KWWindow* floatPage = tabs->addTab(2, "Float Graph");
    tabs->lockToParent(LOCK_STRETCH_BOTH);
    KWColorEdit* gradient = KWColorEdit::create(STYLE_DEFAULT, 0, 0, s(500), s(80), colorPage, window);
    gradient->lockToParent(LOCK_FILL);
    KWFloatGraph* curve = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, s(100), s(100), floatPage, -1);
    curve->lockToParent(LOCK_FILL);
    curve->moveView(s(100), s(30));
    header->doAlignment();
}

void addMenus(KWWindow* window) {
    KWContext* file = KWContext::create();
    file->addItem(10, -1, "Open", false);
    file->addItem(11, -1, "Save", true);
    file->addItem(12, -1, "Save As..", false);
    file->addItem(13, -1, "System blabla", false);
    file->addItem(15, 11, "TestItem1", false);
    file->addItem(16, 11, "TestItem2", false);
    file->addItem(17, 11, "TestItem3", false);

    KWContext* other = KWContext::create();
    other->addItem(20, -1, "TestItem1", false);
    other->addItem(21, -1, "TestItem2", false);
    other->addItem(22, -1, "TestItem3", false);
    other->addItem(23, -1, "Subitem", true);
    other->addItem(24, 23, "another item1", false);
    other->addItem(25, 23, "another item2", false);
    other->addItem(26, 23, "another item3", false);

    window->addMenu("File", file);
    for (const char* title : {"View", "Edit", "Add", "Settings", "Help"}) {
        window->addMenu(title, other);
    }
}

KWTreeView* addSceneTree(KWHeader* header, KWImageList* icons) {
    KWTreeView* tree = KWTreeView::create(STYLE_DEFAULT, 0, header->scale(20), header->scale(150),
                                          header->scale(400), header, -1);
    tree->setImageList(icons);
    tree->lockToParent(LOCK_STRETCH_BOTH);
    const int scene = tree->addItem(-1, -1, 0, "Scene :");
    const int system = tree->addItem(scene, 1, 2, "System1");
    const int group = tree->addItem(system, 1, 2, "Group1");
    tree->addItem(group, 27, 1, "Emitters");
    tree->addItem(group, 28, 1, "Zones");
    tree->addItem(group, 30, 1, "Modifiers");
    tree->addItem(group, 29, 1, "Interpolators");
    tree->addItem(group, 31, 1, "Renderer");
    header->doAlignment();
    return tree;
}

KWTab* addElementPalette(KWHeader* header, KWImageList* icons) {
    auto s = [header](int pixelsAt96) { return header->scale(pixelsAt96); };
    KWTab* tabs = KWTab::create(STYLE_DEFAULT, 0, s(20), s(150), s(250), header, -1);
    tabs->setImageList(icons);
    tabs->setTabsSize(s(18), s(18));
    std::vector<KWWindow*> pages;
    for (int k = 1; k <= 6; ++k) {
        pages.push_back(tabs->addTab(k, 25 + k, ""));
    }
    tabs->lockToParent(LOCK_STRETCH_BOTH);
    tabs->doAlignment();

    shell::addPaletteButtons(pages[0], {"System", "Group"});
    shell::addPaletteButtons(pages[2], {"Sphere", "Box", "Line", "Cylinder", "Point", "Ring"});
    shell::addPaletteButtons(pages[3], {"Constant", "Linear", "Simple Random", "Random", "Graph"});
    shell::addPaletteButtons(pages[4], {"Gravity", "Rnd Force", "Emitter", "Rnd Tank", "Point Mass", "Vortex",
                                        "Rotator", "Linear Force"});
    shell::addPaletteButtons(pages[5], {"Quad", "PointSprite", "Line", "Sprite2D"});
    shell::addPaletteButtons(pages[1], {"Spheric", "Straight", "Random", "Normal"});
    return tabs;
}

} // namespace

KWWindow* buildEditorShell(ShellImages& images) {
    const shell::Frame frame = shell::buildFrame("Pelmora ", images.icons, [](KWToolBar* toolbar) {
        for (int image = 0; image < 3; ++image) {
            toolbar->addButton(0, image, "");
        }
        for (int separator = 0; separator < 3; ++separator) {
            toolbar->addSeparator();
        }
        for (int image = 3; image < 32; ++image) {
            toolbar->addButton(0, image, "");
        }
    });
    KWWindow* window = frame.window;
    KWHeader* properties = frame.properties;
    KWHeader* graphs = frame.graphs;
    KWHeader* scene = frame.scene;
    KWHeader* elements = frame.elements;

    PropertyGrid grid = addPropertyGrid(properties, window, images);
    addGraphEditors(graphs, window);
    addMenus(window);
    KWTreeView* tree = addSceneTree(scene, frame.icons);
    KWTab* palette = addElementPalette(elements, frame.icons);

    for (KWGroupItem* group : grid.groups) {
        grid.grid->openGroup(group, true);
    }
    elements->doAlignment();

    // On a display of another DPI the gadgets have rescaled themselves; the icons come from the set
    // for that DPI.
    KWToolBar* toolbar = frame.toolbar;
    KWProperties* propertyGrid = grid.grid;
    window->setHandler([&images, toolbar, tree, palette, propertyGrid](const KWEvent& event) {
        if (event.type == EVENT_DPICHANGED) {
            KWImageList* icons = images.icons.forDpi(event.param1);
            toolbar->setImageList(icons);
            tree->setImageList(icons);
            palette->setImageList(icons);
            propertyGrid->setImageList(images.propertyIcons.forDpi(event.param1));
        }
    });
    return window;
}

} // namespace demo
