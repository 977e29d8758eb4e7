#ifndef KW_FIELD_OVERFLOW_H
#define KW_FIELD_OVERFLOW_H

#include <windows.h>

namespace KW {
namespace field {

// Hands a message to a single-line edit made without ES_AUTOHSCROLL through its own procedure `proc`.
// Such an edit (Wine's) trims what a key inserts until its text fits, and when the text was wider than
// the field before the key, as a program's text may be, it trims on past the insertion: it deletes a
// character the key never touched, or writes in front of its buffer when the key edits at the start.
// While a key or an editing message changes a field whose text is wider than it, the field is made wide
// enough for that moment, so the change touches only its selection.
LRESULT passEditing(HWND field, WNDPROC proc, UINT msg, WPARAM wParam, LPARAM lParam);

} // namespace field
} // namespace KW

#endif
