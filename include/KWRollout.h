#ifndef KW_ROLLOUT_H
#define KW_ROLLOUT_H

#include "KWObject.h"

#include <list>
#include <string>
#include <vector>

namespace KW {

namespace rollout {
struct Metrics;
struct GadgetPlacement;
} // namespace rollout

/// A gadget placed in a rollout, at x from the client's left edge and y from the top of the
/// rollout's content area. The record does not own the gadget.
struct KWRolloutObject {
    /// The placed gadget.
    KWObject* object;
    /// Distance from the client's left edge.
    int x;
    /// Distance from the top of the section's content area.
    int y;
};

/// One collapsible section: a title bar with a toggle box and the gadgets shown below it when expanded.
struct KWRolloutItem {
    /// The text of the title bar.
    std::string title;
    /// The gadgets shown while the section is expanded.
    std::list<KWRolloutObject> objects;
    /// The id given to addRollout.
    int id;
    /// True while the gadgets are shown.
    bool expanded;
    KWBound toggleBox; ///< as last painted, edges in client coordinates
};

/// A vertically scrolling stack of collapsible sections. Gadgets are created with the rollout as their
/// parent and then given to a section with addObject; they are moved, shown and hidden at every paint.
/// A Tab stop before its gadgets: Up, Down, Home and End choose a bar, shown by a dotted frame while the
/// rollout has the focus, and Space or Enter toggles it as a click on its box does.
/// The handler receives EVENT_CHANGED with the section's id after the user opened or closed a section
/// (mouse, keyboard or screen reader).
class KW_API KWRollout : public KWObject {
public:
    /// Null, after a message, without a parent.
    static KWRollout* create(eStyles style, int x, int y, int width, int height, KWObject* parent, int id);
    ~KWRollout() override;

    /// Appends a collapsed, empty section. Takes effect at the next paint.
    void addRollout(int id, const std::string& title);
    /// Adds the gadget to every section with this id and hides it while that section is collapsed.
    /// Takes effect at the next paint.
    void addObject(int rolloutId, int x, int y, KWObject* object);
    /// Whether the first section with this id is open (expanded); false when there is none.
    bool isOpen(int rolloutId) const;
    /// Opens or closes every section with this id, as the user's toggle does; the handler is not called.
    void setOpen(int rolloutId, bool open);

protected:
    /// Described to screen readers with one child per part; see KWObject::describeAccessible.
    bool describeAccessible(int child, KWAccessibleElement& element) const override;
    int accessibleChildCount() const override;
    /// Toggles a section, as a click on its bar does.
    bool doAccessibleDefault(int child) override;

private:
    friend struct LayoutWalk;
    KWRollout(int x, int y, int width, int height, KWObject* parent, int id);
    /// A gadget deleted on its own leaves every section; the sections close up at the next paint.
    void forgetGadget(KWObject* gadget) override;

    static LRESULT CALLBACK KWRolloutCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// Commands, focus and answers for the children, but no lock-to-parent alignment.
    unsigned routingSteps() const override;
    /// Scrolling, toggling, keys and paint.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void drawRollouts(HDC hdc);
    void updateScrollBar(int contentHeight, int clientHeight);
    /// Lays out every section (bars from the scroll position down, gadget placements); returns where the
    /// section after the last one would start.
    int layOut(const rollout::Metrics& metrics, int clientWidth, std::vector<int>& barTops,
               std::vector<rollout::GadgetPlacement>& placements) const;
    /// Keeps where each section's toggle box is for the mouse.
    void noteToggleBoxes(const std::vector<int>& barTops, int clientWidth, const rollout::Metrics& metrics);
    /// The bar of the section at index of rollouts as the next paint draws it, in client coordinates.
    RECT barFrame(std::size_t index) const;
    void moveKeyboardSection(std::size_t index);
    /// The keyboard's work; false for keys it leaves alone.
    bool keyPressed(WPARAM key);
    /// A click toggles the section whose box is under it; false when the handler deleted the rollout.
    bool hitTest(int x, int y);
    /// Expands or collapses the section at index of rollouts, moving what follows it on screen when the
    /// view can stay where it is.
    void toggle(KWRolloutItem& item, size_t index);
    /// The user's toggle: toggle, then EVENT_CHANGED. False when the handler deleted the rollout.
    bool userToggle(KWRolloutItem& item, size_t index);
    /// Opens or closes the section at index of rollouts, without a report.
    void setOpenAt(size_t index, bool open);
    void onScroll(int request, int thumb);
    void onWheel(int delta);
    void scrollTo(int position);
    /// Rescales the gadgets' offsets and the scroll position; the layout follows at the next paint.
    void dpiChanged(int oldDpi, int newDpi) override;

    bool layoutDirty;
    int scrollPos;
    /// The largest scroll position the content allows, as last decided; 0 while everything fits.
    int scrollRange;
    std::list<KWRolloutItem> rollouts;
    // The section whose bar the keyboard works on.
    std::size_t keyboardSection = 0;
};

} // namespace KW

#endif
