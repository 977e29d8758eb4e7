#include "ShellFrame.h"

using namespace KW;

namespace shell {

namespace {

const KWColor headerTop(230, 230, 230, 255);
const KWColor headerBottom(180, 180, 180, 255);
const KWColor headerText(40, 40, 40, 40);

KWHeader* addHeader(KWWindow* window, const std::string& title, int x, int y, int width, int height,
                    eLockType lock) {
    KWHeader* header = KWHeader::create(STYLE_DEFAULT, x, y, width, height, title, headerTop, headerBottom,
                                        headerText, window, -1);
    header->lockToParent(lock);
    return header;
}

void addSplitters(const Frame& frame) {
    KWWindow* window = frame.window;
    window->addVerticalSplitter(1, 155, 4, 20, 200, true);
    window->addFromLeft(1, frame.scene);
    window->addFromRight(1, frame.view);

    window->addVerticalSplitter(2, 595, 4, 20, 200, false);
    window->addFromLeft(2, frame.view);
    window->addFromRight(2, frame.elements);
    window->addFromRight(2, frame.properties);
    window->addFromLeft(2, frame.graphs);

    window->addHorizontalSplitter(3, 400, 4, 20, 250, false);
    window->addFromTop(3, frame.view);
    window->addFromTop(3, frame.scene);
    window->addFromBottom(3, frame.graphs);

    window->addHorizontalSplitter(4, 160, 4, 50, 170, true);
    window->addFromTop(4, frame.elements);
    window->addFromBottom(4, frame.properties);
}

} // namespace

KWImageList* loadImages(KWImageList*& cached, const char* path) {
    if (!cached) {
        cached = KWImageList::create(16, 16);
        cached->addImage(path);
    }
    return cached;
}

Frame buildFrame(const std::string& title, KWImageList* icons,
                 const std::function<void(KWToolBar*)>& fillToolbar) {
    Frame frame;
    frame.window = KWWindow::create(STYLE_DEFAULT, WINDOW_FRAME, 0, 0, 800, 600, title, nullptr, -1);
    frame.window->setMinDimension(450, 350);
    frame.status = KWStatus::create(frame.window, -1);
    frame.toolbar = KWToolBar::create(false, frame.window, -1);
    frame.toolbar->setImageList(icons);
    fillToolbar(frame.toolbar);
    frame.toolbar->lockToParent(LOCK_STRETCH_RIGHT);

    frame.scene = addHeader(frame.window, "Scene :", 0, 25, 150, 400, LOCK_NONE);
    frame.graphs = addHeader(frame.window, "Graphs :", 0, 174, 500, 120, LOCK_BOTTOM);
    frame.elements = addHeader(frame.window, "Elements :", 600, 25, 150, 200, LOCK_RIGHT);
    frame.properties = addHeader(frame.window, "Properties :", 600, 230, 150, 200, LOCK_RIGHT_STRETCH_BOTTOM);
    frame.view = KWWindow::create(STYLE_DEFAULT, WINDOW_SUNKEN, 150, 25, 600, 400, "", frame.window, -1);
    frame.window->doAlignment();
    addSplitters(frame);
    return frame;
}

void addPaletteButtons(KWWindow* page, const std::vector<std::string>& labels, int firstId) {
    for (size_t i = 0; i < labels.size(); ++i) {
        const int x = i % 2 == 0 ? 5 : 90;
        const int y = 5 + 25 * static_cast<int>(i / 2);
        const int id = firstId < 0 ? -1 : firstId + static_cast<int>(i);
        KWButton::create(STYLE_DEFAULT, labels[i], x, y, 85, 25, page, id);
    }
}

} // namespace shell
