#ifndef KW_BUTTON_H
#define KW_BUTTON_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A flat push button. A click reaches the parent window as WM_COMMAND (BN_CLICKED). The handler gets
/// EVENT_CLICKED with the button's id for every click by the mouse, by Space, or by Enter while the button
/// has the focus.
class KW_API KWButton : public KWObject {
public:
    /// style is accepted and ignored; text is the caption.
    static KWButton* create(eStyles style, const std::string& text, int x, int y, int width, int height,
                            KWObject* parent, int id);
    ~KWButton() override;

protected:
    void controlNotified(int code) override;
    /// Under any theme but light the button draws its face, frame and caption in the theme's colours.
    bool customDraw(NMCUSTOMDRAW* draw, LRESULT& result) override;

private:
    KWButton(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id);

    static LRESULT CALLBACK KWButtonCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The platform's button handles its own input; no shared steps.
    unsigned routingSteps() const override;
    /// Enter clicks the focused button, as Space does.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
};

} // namespace KW

#endif
