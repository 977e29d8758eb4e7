#ifndef KW_EDIT_H
#define KW_EDIT_H

#include "KWObject.h"

#include <string>

namespace KW {

/// A single-line edit field without border. Its content is the window text (setText, getText).
/// The handler gets EVENT_CHANGING with the edit's id after each change the user makes to the text, and
/// EVENT_CHANGED once when the user commits those changes: Enter, or the edit losing the focus. Text set
/// by the program (setText) reports nothing and drops what the user typed before it.
class KW_API KWEdit : public KWObject {
public:
    /// style is accepted and ignored; text is the initial content.
    static KWEdit* create(eStyles style, const std::string& text, int x, int y, int width, int height,
                          KWObject* parent, int id);
    ~KWEdit() override;

protected:
    void controlNotified(int code) override;

private:
    KWEdit(const std::string& text, int x, int y, int width, int height, KWObject* parent, int id);

    static LRESULT CALLBACK KWEditCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam);
    /// The platform's edit handles its own input; no shared steps.
    unsigned routingSteps() const override;
    /// Tells the program's text from the user's typing; Enter commits what was typed.
    LRESULT handleWindowMessage(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) override;
    /// Reports EVENT_CHANGED when the user typed since the last commit.
    void commitTyping();

    int settingText;
    bool typedSinceCommit;
};

} // namespace KW

#endif
