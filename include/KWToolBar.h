#ifndef KW_TOOL_BAR_H
#define KW_TOOL_BAR_H

#include "KWObject.h"

#include <string>

namespace KW {

class KWImageList;

/// A flat toolbar docked at the top of its parent. A click on a button sends WM_COMMAND with the
/// button's command id to the parent window.
class KW_API KWToolBar : public KWObject {
public:
    /// flag is accepted and not used.
    static KWToolBar* create(bool flag, KWObject* parent, int id);

    /// A button that shows text and no image.
    void addButton(int commandId, const std::string& text);
    /// A button that shows image imageIndex of the image list (no image before setImageList);
    /// text is accepted and not shown.
    void addButton(int commandId, int imageIndex, const std::string& text);
    /// Appends a gap between groups of buttons.
    void addSeparator();
    /// The list is not owned.
    void setImageList(KWImageList* list);
    /// Adds the platform's small standard command images (cut, copy, paste, ... print) to the images.
    void loadStandardIcons();
    /// The toolbar sizes itself: the rectangle is ignored, the bar spans its parent's top.
    void setBounds(const KWBound& bounds) override;

protected:
    /// A click of a button: its command goes to the receiver (the window the toolbar is on).
    void controlCommand(KWObject* receiver, int commandId, int code) override;
    /// Under any theme but light the bar's background is the theme's window colour and its texts the
    /// theme's text colour.
    bool customDraw(NMCUSTOMDRAW* draw, LRESULT& result) override;

private:
    KWToolBar(KWObject* parent, int id);
    /// The image list shown is being deleted: the control goes on without images.
    void forgetImageList(KWImageList* list) override;
    void addButtonRecord(int image, int commandId, unsigned char style, const char* text);

    KWImageList* imageList;
};

} // namespace KW

#endif
