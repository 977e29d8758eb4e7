#include "KWColorEdit.h"
#include "core/TabOrder.h"

#include "KWColorPicker.h"
#include "color/GdiPlus.h"
#include "color/PickerHost.h"
#include "graphs/EditorKeys.h"
#include "graphs/logic/ColorEditModel.h"
#include "graphs/logic/EditorMetrics.h"
#include "graphs/logic/ColorEditView.h"
#include "graphs/logic/KeyChange.h"
#include "core/GadgetAccessible.h"
#include "graphs/logic/KeyOrder.h"
#include "graphs/logic/KeyText.h"

#include <windowsx.h>

#include <new>
#include <oleacc.h>

#include <algorithm>

namespace KW {

namespace {

// The messages whose handling can change the keys.
bool mayEditKeys(UINT msg, WPARAM wParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        return (wParam & MK_LBUTTON) != 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_KEYDOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

KWColorEdit* KWColorEdit::create(eStyles, int x, int y, int width, int height, KWObject* parent,
                                 KWObject* blockedWindow) {
    if (!requireParent(parent, "KWColorEdit cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWColorEdit(x, y, width, height, parent, blockedWindow);
}

KWColorEdit::KWColorEdit(int x, int y, int width, int height, KWObject* parent, KWObject* blocked)
    : KWObject(GADGET_COLOREDIT, parent, -1), backBuffer(nullptr), backGraphics(nullptr),
      view(new coloredit::ColorEditView()), dragging(false), dirty(false), lastMouseX(0), lastMouseY(0),
      markerSize(5), pickerHost(nullptr), blockedWindow(blocked), model(new coloredit::ColorEditModel()),
      dragReported(false), dragIndex(keychange::kSeveral) {
    HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, L"KWPANEL", L"", WS_CHILD | WS_VISIBLE, x, y, width,
                                  height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (!attachWindow(window, "KWColorEdit creation failed !")) {
        return;
    }
    subclassWindow(routeMessage);
    setDefaultFont(handle);
    markerSize = editormetrics::gradient(getDpi()).markerSize;
    initColorEdit();

    if (width > 0 && height > 0) {
        backBuffer = new Gdiplus::Bitmap(width, height, PixelFormat32bppARGB);
        backGraphics = new Gdiplus::Graphics(backBuffer);
    }

    pickerHost =
        new (std::nothrow) PickerHost(this, KWColor(0, 0, 0, 0), 20, 20,
                                      [this](bool kept, const KWColor& color) { closePicker(kept, color); });
    if (blockedWindow) {
        watchDeletions();
    }
}

void KWColorEdit::forgetGadget(KWObject* gadget) {
    if (pickerHost) {
        pickerHost->forget(gadget);
    }
    if (gadget == blockedWindow) {
        blockedWindow = nullptr;
    }
}

KWColorEdit::~KWColorEdit() {
    // The base destroys the picker and the window after this object is gone: they must no longer find it.
    delete pickerHost;
    pickerHost = nullptr;
    if (handle) {
        SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
    }
    delete backGraphics;
    delete backBuffer;
}

void KWColorEdit::dpiChanged(int oldDpi, int newDpi) {
    markerSize = editormetrics::rescaledMarkerSize(markerSize, oldDpi, newDpi);
}

void KWColorEdit::initColorEdit() {
    model.reset(new coloredit::ColorEditModel());
}

void KWColorEdit::rebuildBuffer() {
    delete backGraphics;
    delete backBuffer;
    backGraphics = nullptr;
    backBuffer = nullptr;
    const KWBound client = getGlobalBounds();
    if (client.right > 0 && client.bottom > 0) {
        backBuffer = new Gdiplus::Bitmap(client.right, client.bottom, PixelFormat32bppARGB);
        backGraphics = new Gdiplus::Graphics(backBuffer);
    }
}

POINT KWColorEdit::mouseInClient() const {
    POINT point = {0, 0};
    GetCursorPos(&point);
    ScreenToClient(handle, &point);
    return point;
}

void KWColorEdit::moveView(int dx, int) {
    view->pan(dx);
    dirty = true;
}

void KWColorEdit::zoomIn() {
    const POINT mouse = mouseInClient();
    view->zoomIn(mouse.x, mouse.y);
    dirty = true;
}

void KWColorEdit::zoomOut() {
    const POINT mouse = mouseInClient();
    view->zoomOut(mouse.x, mouse.y);
    dirty = true;
}

float KWColorEdit::getCursorX() const {
    return view->getCursorX();
}

float KWColorEdit::getCursorY() const {
    return view->getCursorY();
}

void KWColorEdit::insertPoint(float position, float y) {
    if (model->insertAt(position, y)) {
        dirty = true;
    }
}

void KWColorEdit::deleteSelected() {
    if (model->deleteSelected()) {
        dirty = true;
    }
}

void KWColorEdit::selectPoint() {
    if (dragging) {
        return;
    }
    dirty = true;
    const POINT mouse = mouseInClient();
    model->selectAt({view->getCursorX(), mouse.y, markerSize, view->getScale()});
}

void KWColorEdit::movePoint(float dx, float) {
    model->moveSelected(dx, view->getScale());
    dirty = true;
}

const std::vector<KWColorPoint>& KWColorEdit::getPoints() const {
    return model->getPoints();
}

bool KWColorEdit::setPoints(const std::vector<KWColorPoint>& points) {
    if (!model->setPoints(points)) {
        return false;
    }
    InvalidateRect(handle, nullptr, TRUE);
    NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
    return true;
}

bool KWColorEdit::evaluate(float position, KWColor& color1, KWColor& color2) const {
    return model->evaluate(position, color1, color2);
}

void KWColorEdit::setColorsEqual() {
    const POINT mouse = mouseInClient();
    if (model->copyOntoHitSwatch({view->getCursorX(), mouse.y, markerSize, view->getScale()})) {
        dirty = true;
    }
}

void KWColorEdit::pickColor() {
    const POINT mouse = mouseInClient();
    const coloredit::SwatchHit hit =
        model->findSwatch({view->getCursorX(), mouse.y, markerSize, view->getScale()});
    if (hit.index < 0) {
        model->clearEdit();
        return;
    }
    openPicker(hit);
}

void KWColorEdit::openPicker(const coloredit::SwatchHit& hit) {
    if (!pickerHost || !pickerHost->picker()) {
        return;
    }
    model->beginEdit(hit);
    const KWColorPoint& key = model->getPoints()[static_cast<size_t>(hit.index)];
    // Beside the key's column of swatches.
    const int centre = static_cast<int>(view->keyCenterX(key.position));
    RECT swatch = {centre - markerSize, 0, centre + markerSize + 1, 4 * markerSize};
    MapWindowPoints(handle, nullptr, reinterpret_cast<POINT*>(&swatch), 2);
    pickerHost->open(hit.upper ? key.color1 : key.color2, swatch, blockedWindow);
}

void KWColorEdit::closePicker(bool keepColor, const KWColor& color) {
    const bool stored = keepColor && model->finishEdit(color);
    if (keepColor) {
        RedrawWindow(handle, nullptr, nullptr, RDW_INVALIDATE);
    }
    if (stored) {
        UpdateWindow(handle);
        notify(EVENT_CHANGED, model->getEditedIndex());
    }
}

LRESULT CALLBACK KWColorEdit::KWColorPickerCustomCallback(HWND window, UINT msg, WPARAM wParam,
                                                          LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

int KWColorEdit::accessibleChildCount() const {
    return static_cast<int>(model->getPoints().size());
}

bool KWColorEdit::describeAccessible(int child, KWAccessibleElement& element) const {
    if (child == 0) {
        element.role = ROLE_SYSTEM_DIAGRAM;
        element.name = getAccessibleName();
        element.screen = screenRect();
        return true;
    }
    if (child < 0 || child > accessibleChildCount()) {
        return false;
    }
    const std::vector<KWColorPoint>& keys = model->getPoints();
    // Children are numbered by position: the keys' vector order is not what the user sees.
    std::vector<float> positions;
    for (const KWColorPoint& point : keys) {
        positions.push_back(point.position);
    }
    const std::size_t index = static_cast<std::size_t>(keyorder::byPosition(positions)[child - 1]);
    const KWColorPoint& key = keys[index];
    const auto first =
        std::find_if(keys.begin(), keys.end(), [](const KWColorPoint& k) { return k.selected; });
    // The key's column of swatches.
    const int centre = static_cast<int>(view->keyCenterX(key.position));
    editorkeys::describeKey(handle, child, keytext::gradientToText({key}), key.selected,
                            first != keys.end() && static_cast<std::size_t>(first - keys.begin()) == index,
                            {centre - markerSize, 0, centre + markerSize + 1, 4 * markerSize}, element);
    return true;
}

LRESULT CALLBACK KWColorEdit::KWColorEditCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

LRESULT KWColorEdit::handleWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The handler hears of an edit once the picture shows it; what changed is found by comparison.
    std::vector<KWColorPoint> before;
    if (mayEditKeys(msg, wParam)) {
        before = model->getPoints();
    }
    eEventType report = EVENT_NONE;
    int reportIndex = keychange::kUnchanged;
    const int x = GET_X_LPARAM(lParam);
    const int y = GET_Y_LPARAM(lParam);
    switch (msg) {
    case WM_SIZE:
        rebuildBuffer();
        dirty = true;
        break;
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        SetFocus(handle);
        selectPoint();
        dragging = true;
        break;
    case WM_KEYDOWN:
        if (wParam == VK_DELETE) {
            deleteSelected();
            report = EVENT_CHANGED;
        } else if (handleKey(wParam)) {
            report = EVENT_CHANGED;
        }
        break;
    case WM_GETDLGCODE:
        return editorkeys::dialogCode();
    case WM_NCPAINT:
        return editorkeys::paintFrame(handle, wParam, lParam);
    case WM_SETFOCUS:
    case WM_KILLFOCUS:
        editorkeys::refreshFrame(handle, msg == WM_SETFOCUS);
        break;
    case WM_CHAR:
        if (wParam == '+' || wParam == '-') {
            markerSize = editormetrics::steppedMarkerSize(markerSize, wParam == '+' ? 1 : -1,
                                                          editormetrics::gradient(getDpi()));
            dirty = true;
        }
        break;
    case WM_LBUTTONUP:
        view->updateCursor(x, y);
        dragging = false;
        if (dragReported) {
            dragReported = false;
            report = EVENT_CHANGED;
            reportIndex = dragIndex;
        }
        break;
    case WM_RBUTTONUP:
        view->updateCursor(x, y);
        dragging = false;
        if (wParam & MK_SHIFT) {
            setColorsEqual();
            const int changed = keychange::changedIndex(before, model->getPoints());
            if (changed == keychange::kUnchanged) {
                // The repaint waits for the next message.
                return 0;
            }
            InvalidateRect(handle, nullptr, TRUE);
            dirty = false;
            UpdateWindow(handle);
            notify(EVENT_CHANGED, changed);
            return 0;
        }
        pickColor();
        break;
    case WM_MOUSEMOVE: {
        const int dx = x - lastMouseX;
        const int dy = y - lastMouseY;
        lastMouseX = x;
        lastMouseY = y;
        if (wParam & MK_MBUTTON) {
            moveView(dx, dy);
        }
        view->updateCursor(x, y);
        if (wParam & MK_LBUTTON) {
            movePoint(static_cast<float>(dx), 0.0f);
            report = EVENT_CHANGING;
        }
        break;
    }
    case WM_MOUSEWHEEL: {
        POINT point = {x, y};
        ScreenToClient(handle, &point);
        const int delta = GET_WHEEL_DELTA_WPARAM(wParam);
        if (delta > 0) {
            zoomIn();
        } else if (delta < 0) {
            zoomOut();
        }
        view->updateCursor(point.x, point.y);
        break;
    }
    case WM_LBUTTONDBLCLK:
        insertPoint(view->getCursorX(), view->getCursorY());
        report = EVENT_CHANGED;
        break;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC hdc = BeginPaint(handle, &ps);
        drawColors(hdc);
        drawMargins(hdc);
        editorkeys::paintClientMark(handle, hdc);
        EndPaint(handle, &ps);
        return 0;
    }
    case WM_ERASEBKGND:
        // The painted buffer covers the whole client area.
        return 0;
    default:
        break;
    }
    editorkeys::settleReport(report, reportIndex, before, model->getPoints(), dragReported, dragIndex);
    return editorkeys::endMessage(handle, msg, wParam, lParam, dirty, report != EVENT_NONE,
                                  [&] { notify(report, reportIndex); });
}

} // namespace KW
