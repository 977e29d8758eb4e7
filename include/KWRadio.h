#ifndef KW_RADIO_H
#define KW_RADIO_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A radio button; the platform unchecks the other radio buttons of its group when it is clicked.
/// The handler gets EVENT_CHANGED with the button's id when a click of the user selects it; a click on
/// a button already selected reports nothing, nor do the buttons it unchecks.
class KW_API KWRadio : public KWObject {
public:
    /// style is accepted and ignored; text is the caption.
    static KWRadio* create(eStyles style, const std::string& text, int x, int y, int width, int height,
                           KWObject* parent, int id);
    ~KWRadio() override;

    /// Checks or unchecks this button; the others of its group are left as they are. Never calls the
    /// handler.
    void setSelected(bool selected);
    /// Whether this button is checked.
    bool isSelected() const;

protected:
    void controlNotified(int code) override;

private:
    KWRadio(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id);

    static LRESULT CALLBACK KWRadioCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The platform's button handles its own input; no shared steps.
    unsigned routingSteps() const override;
    /// Notes whether the button was selected before the message that may select it.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;

    int messageDepth;
    bool selectedBefore;
};

} // namespace KW

#endif
