#include "KWTab.h"
#include "core/TabOrder.h"

#include "KWImageList.h"
#include "KWWindow.h"
#include "controls/PostedReport.h"
#include "windows/logic/TabPages.h"
#include "core/WideText.h"

#include <algorithm>
#include <commctrl.h>
#include <new>

namespace KW {

KWTab* KWTab::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWTab cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWTab(x, y, width, height, parent, id);
}

KWTab::KWTab(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_TAB, parent, id), imageList(nullptr) {
    HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, L"SysTabControl32", L"",
                                  WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | TCS_FIXEDWIDTH, x, y, width,
                                  height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (attachWindow(window, "KWTab creation failed !")) {
        setDefaultFont(handle);
        subclassWindow(routeMessage);
    }
}

// The pages are children and die with the base; the records only point to them.
KWTab::~KWTab() = default;

LRESULT CALLBACK KWTab::KWTabCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

LRESULT KWTab::handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    // Commands as well: the tab control's own procedure hears every message.
    return passOn(window, msg, wParam, lParam);
}

KWWindow* KWTab::addTab(int index, const std::string& text) {
    return insertTab(index, text, false, 0);
}

KWWindow* KWTab::addTab(int index, int imageIndex, const std::string& text) {
    return insertTab(index, text, imageList != nullptr, imageIndex);
}

KWWindow* KWTab::insertTab(int index, const std::string& text, bool withImage, int imageIndex) {
    std::wstring buffer = text::wide(text);
    TCITEMW item = {};
    item.mask = TCIF_TEXT;
    item.pszText = &buffer[0];
    if (withImage) {
        item.mask |= TCIF_IMAGE;
        item.iImage = imageIndex;
    }
    const int inserted = static_cast<int>(
        SendMessageW(handle, TCM_INSERTITEMW, static_cast<WPARAM>(index), reinterpret_cast<LPARAM>(&item)));
    // The control moved every later tab one place on: keep each page with its own tab.
    for (Page& existing : pages) {
        existing.index = tabs::indexAfterInsert(existing.index, inserted);
    }

    const KWBound bounds = tabs::newPageBounds(getGlobalBounds(), getDpi());
    KWWindow* page = KWWindow::create(STYLE_DEFAULT, WINDOW_PAGE, bounds.left, bounds.top, bounds.right,
                                      bounds.bottom, "", this, -1);
    if (!page) {
        return nullptr;
    }
    page->lockToParent(LOCK_FILL);
    watchDeletions();
    pages.push_back(Page{index, inserted, page});
    showSelectedTab();
    return page;
}

void KWTab::setImageList(KWImageList* list) {
    if (list) {
        watchDeletions();
    }
    SendMessageW(handle, TCM_SETIMAGELIST, 0, reinterpret_cast<LPARAM>(list ? list->handle : nullptr));
    imageList = list;
}

void KWTab::controlNotify(const NMHDR* header, LPARAM) {
    if (header->code == static_cast<UINT>(TCN_SELCHANGE)) {
        showSelectedTab();
        postReport(header->hwndFrom, EVENT_SELECTED,
                   static_cast<int>(SendMessageW(header->hwndFrom, TCM_GETCURSEL, 0, 0)));
    }
}

void KWTab::forgetImageList(KWImageList* list) {
    if (list == imageList) {
        setImageList(nullptr);
    }
}

void KWTab::forgetGadget(KWObject* gadget) {
    pages.erase(std::remove_if(pages.begin(), pages.end(),
                               [gadget](const Page& record) { return record.page == gadget; }),
                pages.end());
}

void KWTab::setTabsSize(int width, int height) {
    SendMessageW(handle, TCM_SETITEMSIZE, 0, MAKELPARAM(width, height));
}

void KWTab::showSelectedTab() {
    const int selected = static_cast<int>(SendMessageW(handle, TCM_GETCURSEL, 0, 0));
    // Every page is hidden and repainted before the selected one comes back, so at most one shows.
    for (const Page& record : pages) {
        record.page->setVisible(false);
        UpdateWindow(record.page->getHandle());
        if (tabs::pageShown(record.index, selected)) {
            record.page->setVisible(true);
        }
    }
}

int KWTab::getSelectedIndex() const {
    return handle ? static_cast<int>(SendMessageW(handle, TCM_GETCURSEL, 0, 0)) : -1;
}

KWBound KWTab::getGlobalBounds() {
    // Without a window there is no page area; the inset of an empty client would be negative.
    if (!handle) {
        return KWBound();
    }
    return tabs::pageArea(KWObject::getGlobalBounds(), getDpi());
}

} // namespace KW
