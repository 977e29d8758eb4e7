#ifndef KW_GADGET_ACCESSIBLE_H
#define KW_GADGET_ACCESSIBLE_H

#include "KWObject.h"

#include <windows.h>

namespace KW {
namespace accessibility {

// WM_GETOBJECT for the client area of a gadget that describes itself (KWObject::describeAccessible):
// result is an IAccessible of the gadget, handed over with LresultFromObject. False for any other
// message or object, and for gadgets the platform describes.
bool serve(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);
// The same for a gadget whose window's procedure and user data another gadget took over.
bool serve(KWObject* gadget, HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result);

} // namespace accessibility
} // namespace KW

#endif
