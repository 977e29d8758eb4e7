#ifndef KW_TEST_DIALOG_DRIVER_H
#define KW_TEST_DIALOG_DRIVER_H

#include <KW.h>

#include <functional>
#include <string>

namespace kwtest {

// Drives the modal dialogs that the test thread opens while the driver lives. A dialog that `claims`
// accepts when it activates is kept from the message-box catcher; once its modal loop runs, `act` fills
// it and presses its buttons. A claimed dialog still open a few seconds later is cancelled and counted
// as stuck, so a test can never hang in it.
class DialogDriver {
public:
    using Predicate = std::function<bool(HWND dialog)>;
    using Action = std::function<void(HWND dialog)>;

    DialogDriver(Predicate claims, Action act);
    ~DialogDriver();

    int dialogsClaimed() const { return claimed; }
    int dialogsStuck() const { return stuck; }
    std::string lastCaption() const { return caption; }

private:
    static LRESULT CALLBACK hookProcedure(int code, WPARAM wParam, LPARAM lParam);
    static void CALLBACK onTimer(HWND window, UINT msg, UINT_PTR id, DWORD time);

    Predicate claims;
    Action act;
    HHOOK hook;
    int claimed;
    int stuck;
    std::string caption;
};

// A child of `dialog` whose text is `text`, or null.
HWND findChildWithText(HWND dialog, const std::string& text);
// Presses a dialog button the way a click does: a BN_CLICKED command from the button.
void pressDialogButton(HWND dialog, int buttonId);

} // namespace kwtest

#endif
