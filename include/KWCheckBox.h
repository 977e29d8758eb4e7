#ifndef KW_CHECK_BOX_H
#define KW_CHECK_BOX_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A check box that toggles itself. With automatic text enabled, the parent's default handling
/// sets its caption to the checked or unchecked text after every click. The handler gets EVENT_CHANGED
/// with the check box's id after every toggle by the user, once state and caption are updated.
class KW_API KWCheckBox : public KWObject {
public:
    /// style is accepted and ignored; text is the initial caption.
    static KWCheckBox* create(eStyles style, const std::string& text, int x, int y, int width, int height,
                              KWObject* parent, int id);
    ~KWCheckBox() override;

    /// Stores the flag and refreshes the caption once, also when disabling.
    void setAutoTextEnabled(bool enabled);
    /// Whether the caption follows the state (setAutoTextEnabled).
    bool isAutoTextEnabled() const { return autoTextEnabled; }
    /// The captions for the two states ("True" and "False" at first); shown from the next refresh on.
    void setCheckedText(const std::string& text);
    /// The caption for the unchecked state ("False" at first); shown from the next refresh on.
    void setUncheckedText(const std::string& text);
    /// Whether the box is checked.
    bool isChecked() const;
    /// Checks or clears the box, and refreshes an automatic caption. A change by the program: the
    /// handler is not called.
    void setChecked(bool checked);
    /// Sets the caption that matches the current state, whatever the flag says.
    void changeAutoText();

protected:
    void controlNotified(int code) override;

private:
    KWCheckBox(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id);

    static LRESULT CALLBACK KWCheckBoxCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);

    bool autoTextEnabled;
    std::string checkedText;
    std::string uncheckedText;
};

} // namespace KW

#endif
