#include "CurvesPane.h"

#include "ThemedGadgets.h"

#include <algorithm>

using namespace KW;
using namespace pelmora::editor;

namespace pelmora {

CurvesPane::CurvesPane(KWHeader* pane, KWWindow* window, EditorDocument& document, Refuse refuse)
    : document(document), refuse(std::move(refuse)) {
    auto s = [pane](int pixelsAt96) { return pane->scale(pixelsAt96); };
    KWTab* tabs = KWTab::create(STYLE_DEFAULT, 0, s(20), s(500), s(80), pane, -1);
    KWWindow* sizePage = tabs->addTab(1, "Size over life");
    KWWindow* colorPage = tabs->addTab(2, "Colour over life");
    KWWindow* speedPage = tabs->addTab(3, "Speed over life");
    tabs->lockToParent(LOCK_STRETCH_BOTH);
    followTheme(tabs);
    sizeCurve = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, s(100), s(100), sizePage, -1);
    sizeCurve->lockToParent(LOCK_FILL);
    colorRamp = KWColorEdit::create(STYLE_DEFAULT, 0, 0, s(500), s(80), colorPage, window);
    colorRamp->lockToParent(LOCK_FILL);
    speedCurve = KWFloatGraph::create(STYLE_DEFAULT, 0, 0, s(100), s(100), speedPage, -1);
    speedCurve->lockToParent(LOCK_FILL);
    pane->doAlignment();
    sizeCurve->moveView(s(100), s(30));
    speedCurve->moveView(s(100), s(30));

    sizeCurve->setHandler([this](const KWEvent& event) {
        edit(Edit::sizeCurve(sizeKeys(sizeCurve->getPoints())), event.type == EVENT_CHANGED);
    });
    speedCurve->setHandler([this](const KWEvent& event) {
        edit(Edit::speedCurve(sizeKeys(speedCurve->getPoints())), event.type == EVENT_CHANGED);
    });
    colorRamp->setHandler([this](const KWEvent& event) {
        edit(Edit::colorCurve(colorKeys(colorRamp->getPoints())), event.type == EVENT_CHANGED);
    });
    listener = document.addListener([this](const Change& change) {
        // A sub-emitter's values change with the emitter that holds it.
        const ElementId holder = this->document.getScene().holderOf(this->document.getSelection());
        const bool ours =
            (change.parts & ChangedValues) && (change.emitter == holder || change.emitter == kNoElement);
        if (!applying && ((change.parts & ChangedSelection) || ours)) {
            show();
        }
    });
    show();
}

CurvesPane::~CurvesPane() {
    document.removeListener(listener);
}

void CurvesPane::frameKeys() {
    sizeCurve->frameKeys();
    colorRamp->frameKeys();
    speedCurve->frameKeys();
}

void CurvesPane::edit(const Edit& change, bool finished) {
    if (!document.selectedValues()) {
        return;
    }
    applying = true;
    const Applied applied = document.apply(finished ? change : change.duringDrag());
    applying = false;
    // A drag's step that the document refuses waits for the drag's end, which decides.
    if (!applied && finished) {
        refuse(applied.reason);
        show();
    }
}

void CurvesPane::show() {
    const EmitterDesc* values = document.selectedValues();
    for (KWObject* editor : std::initializer_list<KWObject*>{sizeCurve, colorRamp, speedCurve}) {
        editor->setActive(values != nullptr);
    }
    if (values) {
        sizeCurve->setPoints(graphPoints(values->size));
        colorRamp->setPoints(colorPoints(values->color));
        speedCurve->setPoints(graphPoints(values->speedOverLife));
        frameKeys();
    }
}

// Size keys are drawn with values growing upwards, which is negative data y; the end keys are fixed.
std::vector<KWGraphPoint> CurvesPane::graphPoints(const std::vector<SizeKey>& keys) {
    std::vector<KWGraphPoint> points;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        KWGraphPoint point;
        point.x = keys[i].x;
        point.y1 = -keys[i].upper;
        point.y2 = -keys[i].lower;
        point.fixed = i == 0 || i + 1 == keys.size();
        points.push_back(point);
    }
    return points;
}

// A drag can leave points out of order; the emitter takes them sorted.
std::vector<SizeKey> CurvesPane::sizeKeys(const std::vector<KWGraphPoint>& points) {
    std::vector<SizeKey> keys;
    for (const KWGraphPoint& point : points) {
        keys.push_back(SizeKey{point.x, -point.y1, -point.y2});
    }
    std::stable_sort(keys.begin(), keys.end(), [](const SizeKey& a, const SizeKey& b) { return a.x < b.x; });
    return keys;
}

std::vector<KWColorPoint> CurvesPane::colorPoints(const std::vector<ColorKey>& keys) {
    std::vector<KWColorPoint> points;
    for (std::size_t i = 0; i < keys.size(); ++i) {
        const ColorKey& key = keys[i];
        points.push_back(KWColorPoint(
            key.position, KWColor(key.upper.r, key.upper.g, key.upper.b, key.upper.a),
            KWColor(key.lower.r, key.lower.g, key.lower.b, key.lower.a), i == 0 || i + 1 == keys.size()));
    }
    return points;
}

std::vector<ColorKey> CurvesPane::colorKeys(const std::vector<KWColorPoint>& points) {
    std::vector<ColorKey> keys;
    for (const KWColorPoint& point : points) {
        const KWColor& upper = point.color1;
        const KWColor& lower = point.color2;
        keys.push_back(ColorKey{
            point.position, {upper.r, upper.g, upper.b, upper.a}, {lower.r, lower.g, lower.b, lower.a}});
    }
    std::stable_sort(keys.begin(), keys.end(),
                     [](const ColorKey& a, const ColorKey& b) { return a.position < b.position; });
    return keys;
}

} // namespace pelmora
