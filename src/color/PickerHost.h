#ifndef KW_PICKER_HOST_H
#define KW_PICKER_HOST_H

#include "KWColorPicker.h"

#include <functional>

namespace KW {

// Opens, tracks and closes the colour picker in which a gadget edits its colours. The picker is the
// opener's child gadget and keeps its own window procedure and user data; its "Ok" and "Cancel"
// buttons and its close box come back here.
class PickerHost {
public:
    // Told once the picker is hidden and the blocked window is enabled again; kept is true for "Ok".
    // It runs last, so it may report to the opener's handler, which may delete the opener and this host.
    using Closed = std::function<void(bool kept, const KWColor& color)>;

    // Creates the hidden picker at (x, y) on the screen, as the opener's child.
    PickerHost(KWObject* opener, const KWColor& color, int x, int y, Closed closed);
    PickerHost(const PickerHost&) = delete;
    PickerHost& operator=(const PickerHost&) = delete;
    ~PickerHost();

    // The picker, or null when it could not be created or was deleted.
    KWColorPicker* picker() const { return popup; }
    // Loads color, shows the picker beside swatch (screen coordinates) inside the work area of the
    // swatch's monitor, and disables blocked (nothing when null) until the picker closes.
    void open(const KWColor& color, const RECT& swatch, KWObject* blocked);
    // "Ok" (kept) or "Cancel" and the close box: hides the picker, enables the blocked window, then
    // tells the opener.
    void close(bool kept);
    // A gadget is being deleted: the picker or the blocked window is forgotten.
    void forget(KWObject* gadget);

private:
    KWColorPicker* popup;
    KWObject* blocked = nullptr;
    Closed closed;
};

} // namespace KW

#endif
