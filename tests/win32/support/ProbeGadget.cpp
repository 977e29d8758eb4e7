#include "ProbeGadget.h"

namespace kwtest {

ProbeGadget* ProbeGadget::create(KW::KWObject* parent, int x, int y, int width, int height, int id,
                                 KW::eGadgetType type, const char* className) {
    return new ProbeGadget(parent, x, y, width, height, id, type, className);
}

ProbeGadget::ProbeGadget(KW::KWObject* parent, int x, int y, int width, int height, int id,
                         KW::eGadgetType type, const char* className)
    : KWObject(type, parent, id) {
    const DWORD style = parent ? (WS_CHILD | WS_VISIBLE) : (WS_POPUP | WS_VISIBLE);
    HWND window = CreateWindowExA(0, className, "probe", style, x, y, width, height, parentHandle(), nullptr,
                                  GetModuleHandleA(nullptr), nullptr);
    if (attachWindow(window, "Probe creation failed !")) {
        subclassWindow(KWDefaultCallback);
    }
}

ProbeGadget::~ProbeGadget() {
    destructionOrder().push_back(getId());
    windowAliveAtDestruction().push_back(IsWindow(getHandle()) != 0);
}

std::vector<int>& ProbeGadget::destructionOrder() {
    static std::vector<int> order;
    return order;
}

std::vector<bool>& ProbeGadget::windowAliveAtDestruction() {
    static std::vector<bool> alive;
    return alive;
}

} // namespace kwtest
