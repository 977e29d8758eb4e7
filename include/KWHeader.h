#ifndef KW_HEADER_H
#define KW_HEADER_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A titled pane: its top 20 pixels (at 96 DPI, scaled with the display's DPI: see KWObject::scale) show a
/// band fading from topColor to bottomColor with the title (the window text) in textColor; the rest of the
/// client area belongs to its children, which do not avoid the band on their own. Alpha components are
/// ignored.
class KW_API KWHeader : public KWObject {
public:
    /// Null, after a message, without a parent.
    static KWHeader* create(eStyles style, int x, int y, int width, int height, const std::string& title,
                            const KWColor& topColor, const KWColor& bottomColor, const KWColor& textColor,
                            KWObject* parent, int id);
    ~KWHeader() override;

protected:
    /// Described to screen readers; see KWObject::describeAccessible.
    bool describeAccessible(int child, KWAccessibleElement& element) const override;

private:
    KWHeader(int x, int y, int width, int height, const std::string& title, const KWColor& topColor,
             const KWColor& bottomColor, const KWColor& textColor, KWObject* parent, int id);

    static LRESULT CALLBACK KWHeaderCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The default handling, without answering its children's colour questions.
    unsigned routingSteps() const override;
    /// Paints the title bar.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    void drawHeader(HDC dc);

    KWColor topColor;
    KWColor bottomColor;
    KWColor textColor;
};

} // namespace KW

#endif
