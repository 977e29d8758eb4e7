#include "core/GadgetAccessible.h"

#include "core/WideText.h"

#include <oleacc.h>

#include <memory>

namespace KW {

// The accessibility object's way to a gadget's protected description.
struct AccessibleAccess {
    static bool describe(const KWObject* gadget, int child, KWAccessibleElement& element) {
        return gadget->describeAccessible(child, element);
    }
    static int childCount(const KWObject* gadget) { return gadget->accessibleChildCount(); }
    static bool doDefault(KWObject* gadget, int child) { return gadget->doAccessibleDefault(child); }
    static KWObject* fromHandle(HWND window) { return KWObject::fromHandle(window); }
    static std::shared_ptr<const bool> lifeFlag(const KWObject* gadget) { return gadget->lifeFlag(); }
};

namespace accessibility {

namespace {

// An IAccessible over one gadget. The gadget may die while a client still holds the object: every call
// then fails with CO_E_OBJNOTCONNECTED (the platform does not cut pointers a client already holds).
class GadgetAccessible : public IAccessible {
public:
    GadgetAccessible(KWObject* gadget, HWND window)
        : references(1), gadget(gadget), window(window), alive(AccessibleAccess::lifeFlag(gadget)) {}

    // IUnknown
    HRESULT STDMETHODCALLTYPE QueryInterface(REFIID iid, void** object) override {
        if (!object) {
            return E_POINTER;
        }
        if (iid == __uuidof(IUnknown) || iid == __uuidof(IDispatch) || iid == __uuidof(IAccessible)) {
            *object = static_cast<IAccessible*>(this);
            AddRef();
            return S_OK;
        }
        *object = nullptr;
        return E_NOINTERFACE;
    }
    ULONG STDMETHODCALLTYPE AddRef() override {
        return static_cast<ULONG>(InterlockedIncrement(&references));
    }
    ULONG STDMETHODCALLTYPE Release() override {
        const LONG left = InterlockedDecrement(&references);
        if (left == 0) {
            delete this;
        }
        return static_cast<ULONG>(left);
    }

    // IDispatch: no type information; clients call the IAccessible methods directly.
    HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* count) override {
        if (count) {
            *count = 0;
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
    HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR*, UINT, LCID, DISPID*) override {
        return E_NOTIMPL;
    }
    HRESULT STDMETHODCALLTYPE Invoke(DISPID, REFIID, LCID, WORD, DISPPARAMS*, VARIANT*, EXCEPINFO*,
                                     UINT*) override {
        return E_NOTIMPL;
    }

    // IAccessible
    HRESULT STDMETHODCALLTYPE get_accParent(IDispatch** parent) override {
        if (!parent) {
            return E_POINTER;
        }
        *parent = nullptr;
        if (!connected()) {
            return CO_E_OBJNOTCONNECTED;
        }
        return AccessibleObjectFromWindow(window, static_cast<DWORD>(OBJID_WINDOW), __uuidof(IDispatch),
                                          reinterpret_cast<void**>(parent));
    }
    HRESULT STDMETHODCALLTYPE get_accChildCount(long* count) override {
        if (!count) {
            return E_POINTER;
        }
        if (!connected()) {
            return CO_E_OBJNOTCONNECTED;
        }
        *count = AccessibleAccess::childCount(gadget);
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accChild(VARIANT child, IDispatch** object) override {
        if (!object) {
            return E_POINTER;
        }
        *object = nullptr;
        KWAccessibleElement element;
        const HRESULT found = describe(child, element);
        // Children are simple elements: they have no object of their own.
        return found == S_OK ? S_FALSE : found;
    }
    HRESULT STDMETHODCALLTYPE get_accName(VARIANT child, BSTR* name) override {
        return textOf(
            child, name, [](const KWAccessibleElement& e) { return e.name; },
            [](const KWAccessibleElement&) { return true; });
    }
    HRESULT STDMETHODCALLTYPE get_accValue(VARIANT child, BSTR* value) override {
        return textOf(
            child, value, [](const KWAccessibleElement& e) { return e.value; }, holdsValue);
    }
    HRESULT STDMETHODCALLTYPE get_accDescription(VARIANT, BSTR* text) override { return notApplicable(text); }
    HRESULT STDMETHODCALLTYPE get_accRole(VARIANT child, VARIANT* role) override {
        return numberOf(child, role, [](const KWAccessibleElement& e) { return e.role; });
    }
    HRESULT STDMETHODCALLTYPE get_accState(VARIANT child, VARIANT* state) override {
        return numberOf(child, state, [](const KWAccessibleElement& e) { return e.state; });
    }
    HRESULT STDMETHODCALLTYPE get_accHelp(VARIANT, BSTR* text) override { return notApplicable(text); }
    HRESULT STDMETHODCALLTYPE get_accHelpTopic(BSTR* file, VARIANT, long*) override {
        return notApplicable(file);
    }
    HRESULT STDMETHODCALLTYPE get_accKeyboardShortcut(VARIANT, BSTR* text) override {
        return notApplicable(text);
    }
    HRESULT STDMETHODCALLTYPE get_accFocus(VARIANT* focus) override {
        if (!focus) {
            return E_POINTER;
        }
        VariantInit(focus);
        if (!connected()) {
            return CO_E_OBJNOTCONNECTED;
        }
        HWND focused = GetFocus();
        if (focused != window && !IsChild(window, focused)) {
            return S_FALSE;
        }
        focus->vt = VT_I4;
        focus->lVal = CHILDID_SELF;
        const long count = AccessibleAccess::childCount(gadget);
        for (long i = 1; i <= count; ++i) {
            KWAccessibleElement element;
            if (AccessibleAccess::describe(gadget, static_cast<int>(i), element) &&
                (element.state & STATE_SYSTEM_FOCUSED)) {
                focus->lVal = i;
            }
        }
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE get_accSelection(VARIANT* selection) override {
        if (selection) {
            VariantInit(selection);
        }
        return connected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE get_accDefaultAction(VARIANT child, BSTR* action) override {
        return textOf(
            child, action, [](const KWAccessibleElement& e) { return e.defaultAction; },
            [](const KWAccessibleElement&) { return false; });
    }
    HRESULT STDMETHODCALLTYPE accSelect(long, VARIANT) override {
        return connected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE accLocation(long* left, long* top, long* width, long* height,
                                          VARIANT child) override {
        if (!left || !top || !width || !height) {
            return E_POINTER;
        }
        KWAccessibleElement element;
        const HRESULT found = describe(child, element);
        if (found != S_OK) {
            return found;
        }
        *left = element.screen.left;
        *top = element.screen.top;
        *width = element.screen.right - element.screen.left;
        *height = element.screen.bottom - element.screen.top;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accNavigate(long direction, VARIANT start, VARIANT* end) override {
        if (!end) {
            return E_POINTER;
        }
        VariantInit(end);
        if (!connected()) {
            return CO_E_OBJNOTCONNECTED;
        }
        const long count = AccessibleAccess::childCount(gadget);
        const long from = start.vt == VT_I4 ? start.lVal : CHILDID_SELF;
        long to = 0;
        switch (direction) {
        case NAVDIR_FIRSTCHILD:
            to = from == CHILDID_SELF && count > 0 ? 1 : 0;
            break;
        case NAVDIR_LASTCHILD:
            to = from == CHILDID_SELF ? count : 0;
            break;
        case NAVDIR_NEXT:
            to = from != CHILDID_SELF && from < count ? from + 1 : 0;
            break;
        case NAVDIR_PREVIOUS:
            to = from > 1 ? from - 1 : 0;
            break;
        default:
            return DISP_E_MEMBERNOTFOUND;
        }
        if (to == 0) {
            return S_FALSE;
        }
        end->vt = VT_I4;
        end->lVal = to;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accHitTest(long x, long y, VARIANT* hit) override {
        if (!hit) {
            return E_POINTER;
        }
        VariantInit(hit);
        if (!connected()) {
            return CO_E_OBJNOTCONNECTED;
        }
        const POINT at = {x, y};
        const long count = AccessibleAccess::childCount(gadget);
        for (long i = 1; i <= count; ++i) {
            KWAccessibleElement element;
            if (AccessibleAccess::describe(gadget, static_cast<int>(i), element) &&
                PtInRect(&element.screen, at)) {
                hit->vt = VT_I4;
                hit->lVal = i;
                return S_OK;
            }
        }
        RECT whole = {};
        GetWindowRect(window, &whole);
        if (!PtInRect(&whole, at)) {
            return S_FALSE;
        }
        hit->vt = VT_I4;
        hit->lVal = CHILDID_SELF;
        return S_OK;
    }
    HRESULT STDMETHODCALLTYPE accDoDefaultAction(VARIANT child) override {
        KWAccessibleElement element;
        const HRESULT found = describe(child, element);
        if (found != S_OK) {
            return found;
        }
        const long id = child.vt == VT_I4 ? child.lVal : CHILDID_SELF;
        return AccessibleAccess::doDefault(gadget, static_cast<int>(id)) ? S_OK : DISP_E_MEMBERNOTFOUND;
    }
    HRESULT STDMETHODCALLTYPE put_accName(VARIANT, BSTR) override {
        return connected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }
    HRESULT STDMETHODCALLTYPE put_accValue(VARIANT, BSTR) override {
        return connected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }

private:
    virtual ~GadgetAccessible() = default;

    bool connected() const { return *alive && IsWindow(window); }

    // The element a child id names: S_OK, E_INVALIDARG for an id the gadget does not have, or
    // CO_E_OBJNOTCONNECTED once the gadget is gone.
    HRESULT describe(const VARIANT& child, KWAccessibleElement& element) const {
        if (!connected()) {
            return CO_E_OBJNOTCONNECTED;
        }
        if (child.vt != VT_I4 || child.lVal < 0 || child.lVal > AccessibleAccess::childCount(gadget)) {
            return E_INVALIDARG;
        }
        return AccessibleAccess::describe(gadget, static_cast<int>(child.lVal), element) ? S_OK
                                                                                         : E_INVALIDARG;
    }

    // Whether the element has a value at all: text fields, spin boxes and the like hold one even while
    // empty; a pane, a grouping or a diagram has none.
    static bool holdsValue(const KWAccessibleElement& element) {
        switch (element.role) {
        case ROLE_SYSTEM_TEXT:
        case ROLE_SYSTEM_SPINBUTTON:
        case ROLE_SYSTEM_COMBOBOX:
        case ROLE_SYSTEM_SLIDER:
        case ROLE_SYSTEM_PROGRESSBAR:
            return true;
        default:
            return !element.value.empty();
        }
    }

    // A text property. An empty one answers S_FALSE where the property applies to the element and
    // DISP_E_MEMBERNOTFOUND where the element has no such property.
    template <typename Field, typename Applies>
    HRESULT textOf(const VARIANT& child, BSTR* text, Field field, Applies applies) const {
        if (!text) {
            return E_POINTER;
        }
        *text = nullptr;
        KWAccessibleElement element;
        const HRESULT found = describe(child, element);
        if (found != S_OK) {
            return found;
        }
        const std::string value = field(element);
        if (value.empty()) {
            return applies(element) ? S_FALSE : DISP_E_MEMBERNOTFOUND;
        }
        *text = SysAllocString(text::wide(value).c_str());
        return *text ? S_OK : E_OUTOFMEMORY;
    }

    template <typename Field> HRESULT numberOf(const VARIANT& child, VARIANT* number, Field field) const {
        if (!number) {
            return E_POINTER;
        }
        VariantInit(number);
        KWAccessibleElement element;
        const HRESULT found = describe(child, element);
        if (found != S_OK) {
            return found;
        }
        number->vt = VT_I4;
        number->lVal = field(element);
        return S_OK;
    }

    template <typename Out> HRESULT notApplicable(Out* out) const {
        if (out) {
            *out = Out();
        }
        return connected() ? DISP_E_MEMBERNOTFOUND : CO_E_OBJNOTCONNECTED;
    }

    LONG references;
    KWObject* gadget;
    HWND window;
    std::shared_ptr<const bool> alive;
};

} // namespace

bool serve(HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_GETOBJECT) {
        return false;
    }
    return serve(AccessibleAccess::fromHandle(window), window, msg, wParam, lParam, result);
}

bool serve(KWObject* gadget, HWND window, UINT msg, WPARAM wParam, LPARAM lParam, LRESULT& result) {
    if (msg != WM_GETOBJECT || static_cast<LONG>(lParam) != static_cast<LONG>(OBJID_CLIENT)) {
        return false;
    }
    KWAccessibleElement self;
    if (!gadget || gadget->getHandle() != window || !AccessibleAccess::describe(gadget, 0, self)) {
        return false;
    }
    GadgetAccessible* object = new GadgetAccessible(gadget, window);
    result = LresultFromObject(__uuidof(IAccessible), wParam, static_cast<IAccessible*>(object));
    object->Release();
    return true;
}

} // namespace accessibility
} // namespace KW
