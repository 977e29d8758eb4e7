#include "ShellFrame.h"

#include "logic/IconSets.h"

using namespace KW;

namespace shell {

namespace {

KWHeader* addHeader(KWWindow* window, const std::string& title, int x, int y, int width, int height,
                    eLockType lock) {
    KWHeader* header = createPaneHeader(window, title, x, y, width, height);
    header->lockToParent(lock);
    return header;
}

void addSplitters(const Frame& frame) {
    KWWindow* window = frame.window;
    auto s = [window](int pixelsAt96) { return window->scale(pixelsAt96); };
    window->addVerticalSplitter(1, s(155), s(4), s(20), s(200), true);
    window->addFromLeft(1, frame.scene);
    window->addFromRight(1, frame.view);

    window->addVerticalSplitter(2, s(595), s(4), s(20), s(200), false);
    window->addFromLeft(2, frame.view);
    window->addFromRight(2, frame.elements);
    window->addFromRight(2, frame.properties);
    window->addFromLeft(2, frame.graphs);

    window->addHorizontalSplitter(3, s(400), s(4), s(20), s(250), false);
    window->addFromTop(3, frame.view);
    window->addFromTop(3, frame.scene);
    window->addFromBottom(3, frame.graphs);

    window->addHorizontalSplitter(4, s(160), s(4), s(50), s(170), true);
    window->addFromTop(4, frame.elements);
    window->addFromBottom(4, frame.properties);
}

} // namespace

KWImageList* IconSets::forDpi(int dpi) {
    const int size = iconSizeFor(dpi);
    KWImageList*& list = lists[size];
    if (!list) {
        list = KWImageList::create(size, size);
        if (list) {
            list->addImage(iconFileFor(file16, size));
        }
    }
    return list;
}

KWHeader* createPaneHeader(KWObject* parent, const std::string& title, int x, int y, int width, int height,
                           int id) {
    static const KWColor headerTop(230, 230, 230, 255);
    static const KWColor headerBottom(180, 180, 180, 255);
    static const KWColor headerText(40, 40, 40, 40);
    return KWHeader::create(STYLE_DEFAULT, x, y, width, height, title, headerTop, headerBottom, headerText,
                            parent, id);
}

Frame buildFrameWindow(const std::string& title, IconSets& icons,
                       const std::function<void(KWToolBar*)>& fillToolbar) {
    Frame frame;
    // Hidden until the caller shows it: no gadget is drawn or laid out on the screen before its time.
    frame.window = KWWindow::create(STYLE_HIDDEN, WINDOW_FRAME, 0, 0, 800, 600, title, nullptr, -1);
    KWWindow* window = frame.window;
    auto s = [window](int pixelsAt96) { return window->scale(pixelsAt96); };
    if (s(96) != 96) {
        KWBound size(0, s(800), 0, s(600));
        window->setBounds(size);
    }
    window->setMinDimension(s(450), s(350));
    frame.status = KWStatus::create(window, -1);
    frame.toolbar = KWToolBar::create(false, window, -1);
    frame.icons = icons.forDpi(window->getDpi());
    frame.toolbar->setImageList(frame.icons);
    fillToolbar(frame.toolbar);
    frame.toolbar->lockToParent(LOCK_STRETCH_RIGHT);
    return frame;
}

Frame buildFrame(const std::string& title, IconSets& icons,
                 const std::function<void(KWToolBar*)>& fillToolbar) {
    Frame frame = buildFrameWindow(title, icons, fillToolbar);
    KWWindow* window = frame.window;
    auto s = [window](int pixelsAt96) { return window->scale(pixelsAt96); };
    const int top = s(25);
    frame.scene = addHeader(window, "Scene :", 0, top, s(150), s(400), LOCK_NONE);
    frame.graphs = addHeader(window, "Graphs :", 0, s(174), s(500), s(120), LOCK_BOTTOM);
    frame.elements = addHeader(window, "Elements :", s(600), top, s(150), s(200), LOCK_RIGHT);
    frame.properties =
        addHeader(window, "Properties :", s(600), s(230), s(150), s(200), LOCK_RIGHT_STRETCH_BOTTOM);
    frame.view = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, s(150), top, s(600), s(400), "", window, -1);
    frame.window->doAlignment();
    addSplitters(frame);
    return frame;
}

void addPaletteButtons(KWWindow* page, const std::vector<std::string>& labels, int firstId) {
    auto s = [page](int pixelsAt96) { return page->scale(pixelsAt96); };
    for (size_t i = 0; i < labels.size(); ++i) {
        const int x = i % 2 == 0 ? s(5) : s(90);
        const int y = s(5 + 25 * static_cast<int>(i / 2));
        const int id = firstId < 0 ? -1 : firstId + static_cast<int>(i);
        KWButton::create(STYLE_DEFAULT, labels[i], x, y, s(85), s(25), page, id);
    }
}

} // namespace shell
