#ifndef KW_TAB_H
#define KW_TAB_H

#include "KWObject.h"

#include <string>
#include <vector>

namespace KW {

class KWImageList;
class KWWindow;

/// A tab control whose tabs each own a page window below the strip. Only the selected tab's page is
/// shown; selection changes made by the user switch pages through the default message handling.
/// The handler gets EVENT_SELECTED with the new tab's index after the user switched the page (the new
/// page already shown).
class KW_API KWTab : public KWObject {
public:
    /// Null, after a message, without a parent.
    static KWTab* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);
    ~KWTab() override;

    /// Inserts a tab at index (appended when past the end) and returns its page, which fills the area
    /// below the strip from the tab's next alignment on.
    KWWindow* addTab(int index, const std::string& text);
    /// The same with an image of the image list; without an image list the image is ignored.
    KWWindow* addTab(int index, int imageIndex, const std::string& text);
    /// Null removes the images.
    void setImageList(KWImageList* list);
    /// The size of every tab in pixels (the strip uses fixed-width tabs).
    void setTabsSize(int width, int height);
    /// Shows the selected tab's page and hides the others.
    void showSelectedTab();
    /// The selected tab's index, -1 when there is none.
    int getSelectedIndex() const;

    /// The client area below the tab strip, as edges: top is 20 at 96 DPI, scale(20) at the tab's DPI.
    KWBound getGlobalBounds() override;

protected:
    /// The user chose another tab: its page is shown, then EVENT_SELECTED is reported.
    void controlNotify(const NMHDR* header, LPARAM lParam) override;

private:
    struct Page {
        int requestedIndex;
        int index; // the tab's current index in the control, -1 if it could not be inserted
        KWWindow* page;
    };

    KWTab(int x, int y, int width, int height, KWObject* parent, int id);
    /// The image list shown is being deleted: the control goes on without images.
    void forgetImageList(KWImageList* list) override;
    /// A page deleted on its own leaves the records; its tab stays, with no page to show.
    void forgetGadget(KWObject* gadget) override;

    static LRESULT CALLBACK KWTabCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// Passes every message on to the tab control, commands included.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    KWWindow* insertTab(int index, const std::string& text, bool withImage, int imageIndex);

    KWImageList* imageList;
    std::vector<Page> pages;
};

} // namespace KW

#endif
