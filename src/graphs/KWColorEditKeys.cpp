#include "KWColorEdit.h"

#include "KWColorPicker.h"
#include "graphs/EditorKeys.h"
#include "graphs/logic/ColorEditModel.h"
#include "graphs/logic/ColorEditView.h"
#include "graphs/logic/EditorMetrics.h"
#include "graphs/logic/KeyOrder.h"
#include "graphs/logic/KeyText.h"

#include <algorithm>

namespace KW {

bool KWColorEdit::handleKey(WPARAM key) {
    const float step = static_cast<float>(editorkeys::arrowPixels()) / view->getScale();
    const editorkeys::Command command = editorkeys::commandOf(key);
    switch (command) {
    case editorkeys::KEY_NEXT:
    case editorkeys::KEY_PREVIOUS: {
        const std::vector<KWColorPoint>& keys = model->getPoints();
        std::vector<float> positions;
        int selected = -1;
        for (size_t i = 0; i < keys.size(); ++i) {
            positions.push_back(keys[i].position);
            if (keys[i].selected && selected < 0) {
                selected = static_cast<int>(i);
            }
        }
        const int chosen = keyorder::step(positions, selected, command == editorkeys::KEY_NEXT);
        model->selectIndex(chosen);
        dirty = true;
        // The keyboard's key is the focused part for screen readers.
        if (chosen >= 0) {
            NotifyWinEvent(EVENT_OBJECT_FOCUS, handle, OBJID_CLIENT, keyorder::rankOf(positions, chosen) + 1);
        }
        return false;
    }
    case editorkeys::KEY_LEFT:
    case editorkeys::KEY_RIGHT: {
        const bool moved = model->nudgeSelected(command == editorkeys::KEY_LEFT ? -step : step);
        dirty = moved || dirty;
        return moved;
    }
    case editorkeys::KEY_FRAME:
        frameKeys();
        return false;
    case editorkeys::KEY_COPY:
        editorkeys::putText(handle, keytext::gradientToText(model->getPoints()));
        return false;
    case editorkeys::KEY_OPEN: {
        const std::vector<KWColorPoint>& keys = model->getPoints();
        const auto selected =
            std::find_if(keys.begin(), keys.end(), [](const KWColorPoint& point) { return point.selected; });
        if (selected != keys.end()) {
            openPicker({static_cast<int>(selected - keys.begin()), GetKeyState(VK_SHIFT) >= 0});
        }
        return false;
    }
    case editorkeys::KEY_PASTE: {
        std::string text;
        std::vector<KWColorPoint> keys;
        if (!editorkeys::getText(handle, text) || !keytext::gradientFromText(text, keys) ||
            !model->setPoints(keys)) {
            MessageBeep(MB_ICONWARNING);
            return false;
        }
        dirty = true;
        return true;
    }
    default:
        return false;
    }
}

void KWColorEdit::setNumericInput(bool enabled) {
    if (picker) {
        picker->setNumericInput(enabled);
    }
}

void KWColorEdit::frameKeys() {
    float first = 100.0f;
    float last = 0.0f;
    for (const KWColorPoint& point : model->getPoints()) {
        first = std::min(first, point.position);
        last = std::max(last, point.position);
    }
    // The outermost swatches stay whole.
    view->frame(first, last, getGlobalBounds().right,
                markerSize + editormetrics::gradient(getDpi()).frameRoom);
    dirty = true;
}

} // namespace KW
