#ifndef KW_STATUS_H
#define KW_STATUS_H

#include "KWObject.h"

namespace KW {

/// A status bar docked along the bottom of its parent. The parent records it: its doAlignment keeps
/// the other children clear of the bar and re-docks the bar every time.
class KW_API KWStatus : public KWObject {
public:
    /// A status bar docked at the bottom of parent. Null, after a message, without a parent.
    static KWStatus* create(KWObject* parent, int id);

    /// count parts; rightEdges holds the right edge of each in client coordinates, -1 reaching the
    /// right border.
    void setParts(int count, int* rightEdges);
    /// The bar places itself: the rectangle is ignored and the bar re-docks at the parent's bottom.
    void setBounds(const KWBound& bounds) override;

protected:
    /// Passes the theme's colours to the platform control (its own under light).
    void themeChanged() override;

private:
    KWStatus(KWObject* parent, int id);
    /// Under any theme but light the bar paints its parts itself: the platform control draws its
    /// texts in the system colour whatever its background.
    void paintThemed();
    static LRESULT CALLBACK KWStatusCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The platform's status bar handles its own input (it never takes the focus); no shared steps.
    unsigned routingSteps() const override;
    /// Paints in the theme's colours under a theme other than light.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
};

} // namespace KW

#endif
