#ifndef KW_PROBE_GADGET_H
#define KW_PROBE_GADGET_H

#include <KW.h>

#include <vector>

namespace kwtest {

// A minimal client-defined gadget: a "KWWINDOW" window (top-level without a parent) running the
// library's default message handling. It records its own destruction for ownership tests.
class ProbeGadget : public KW::KWObject {
public:
    static ProbeGadget* create(KW::KWObject* parent, int x, int y, int width, int height, int id = 0,
                               KW::eGadgetType type = KW::GADGET_PANEL, const char* className = "KWWINDOW");
    ~ProbeGadget() override;

    // Ids of probe gadgets in the order they were destroyed, and whether their window still existed.
    static std::vector<int>& destructionOrder();
    static std::vector<bool>& windowAliveAtDestruction();

    using KW::KWObject::createStyle;
    using KW::KWObject::getFreeTooltipId;
    HWND tooltipControl() const { return tooltipWindow; }

private:
    ProbeGadget(KW::KWObject* parent, int x, int y, int width, int height, int id, KW::eGadgetType type,
                const char* className);
};

} // namespace kwtest

#endif
