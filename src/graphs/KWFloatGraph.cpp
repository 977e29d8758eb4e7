#include "KWFloatGraph.h"
#include "core/TabOrder.h"

#include "graphs/EditorKeys.h"
#include "graphs/logic/EditorMetrics.h"
#include "graphs/logic/FloatGraphModel.h"
#include "graphs/logic/GraphView.h"
#include "graphs/logic/KeyChange.h"
#include "core/GadgetAccessible.h"
#include "graphs/logic/KeyOrder.h"
#include "graphs/logic/KeyText.h"

#include <new>
#include <oleacc.h>

#include <algorithm>

namespace KW {

namespace {

// Client coordinates travel as signed 16-bit words.
int lowWord(LPARAM value) {
    return static_cast<short>(LOWORD(value));
}

int highWord(LPARAM value) {
    return static_cast<short>(HIWORD(value));
}

// The messages whose handling can change the keys.
bool mayEditKeys(UINT msg, WPARAM wParam) {
    switch (msg) {
    case WM_MOUSEMOVE:
        return (wParam & (MK_LBUTTON | MK_RBUTTON)) != 0;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
    case WM_LBUTTONDBLCLK:
    case WM_RBUTTONDBLCLK:
    case WM_KEYDOWN:
        return true;
    default:
        return false;
    }
}

} // namespace

KWFloatGraph* KWFloatGraph::create(eStyles, int x, int y, int width, int height, KWObject* parent, int id) {
    if (!requireParent(parent, "KWFloatGraph cannot be created without a parent.Creation failed")) {
        return nullptr;
    }
    return new (std::nothrow) KWFloatGraph(x, y, width, height, parent, id);
}

KWFloatGraph::KWFloatGraph(int x, int y, int width, int height, KWObject* parent, int id)
    : KWObject(GADGET_FLOATGRAPH, parent, id), scale(1.0f), scaleY(1.0f), originX(0.0f), originY(0.0f),
      viewX(0), viewY(0), cursorX(0.0f), cursorY(0.0f), pickRadius(3), labelStep(50), labelStepY(50),
      dragging(false), dirty(false), lastMouseX(0), lastMouseY(0), dragReported(false),
      dragIndex(keychange::kSeveral) {
    HWND window = CreateWindowExW(WS_EX_CLIENTEDGE, L"KWPANEL", L"", WS_CHILD | WS_VISIBLE, x, y, width,
                                  height, parentHandle(), nullptr, GetModuleHandleA(nullptr), nullptr);
    taborder::markStop(window);
    if (!attachWindow(window, "KWFloatGraph creation failed !")) {
        return;
    }
    subclassWindow(routeMessage);
    setDefaultFont(handle);
    pickRadius = editormetrics::curve(getDpi()).pickRadius;
    initGraph();
}

KWFloatGraph::~KWFloatGraph() {
    // The base destroys the window after this part of the object is gone: its last messages must
    // not find the gadget any more.
    if (handle && IsWindow(handle)) {
        SetWindowLongPtrW(handle, GWLP_USERDATA, 0);
    }
}

void KWFloatGraph::dpiChanged(int, int newDpi) {
    pickRadius = editormetrics::curve(newDpi).pickRadius;
}

void KWFloatGraph::initGraph() {
    points = floatgraph::initialKeys();
}

void KWFloatGraph::moveView(int dx, int dy) {
    viewX = graphview::addPan(viewX, dx);
    viewY = graphview::addPan(viewY, dy);
    dirty = true;
}

void KWFloatGraph::zoomIn() {
    zoom(true);
}

void KWFloatGraph::zoomOut() {
    zoom(false);
}

void KWFloatGraph::zoom(bool in) {
    POINT mouse = {0, 0};
    GetCursorPos(&mouse);
    ScreenToClient(handle, &mouse);

    graphview::View view;
    view.scale = scale;
    view.scaleY = scaleY;
    view.originX = originX;
    view.originY = originY;
    const graphview::Scales next = graphview::scalesAfterZoom({scale, scaleY}, in, graphview::kMinScale);
    graphview::zoomAbout(view, next, mouse.x - viewX, mouse.y - viewY);
    scale = view.scale;
    scaleY = view.scaleY;
    originX = view.originX;
    originY = view.originY;
    labelStep = graphview::labelStepFor(scale);
    labelStepY = graphview::labelStepFor(scaleY);
    dirty = true;
}

void KWFloatGraph::insertPoint(float x, float y) {
    if (floatgraph::insertKey(points, x, y)) {
        dirty = true;
    }
}

void KWFloatGraph::deleteSelected() {
    if (floatgraph::deleteFirstSelected(points)) {
        dirty = true;
    }
}

bool KWFloatGraph::setPoints(const std::vector<KWGraphPoint>& keys) {
    if (!floatgraph::acceptableKeys(keys)) {
        return false;
    }
    points = floatgraph::withEndKeysFixed(keys);
    // Called from client code, when no message may follow to carry the repaint.
    if (handle) {
        InvalidateRect(handle, nullptr, TRUE);
        NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, handle, OBJID_CLIENT, CHILDID_SELF);
    }
    return true;
}

KWGraphSample KWFloatGraph::evaluate(float x) const {
    return floatgraph::evaluate(points, x);
}

void KWFloatGraph::selectPoint(float x, float y) {
    if (dragging) {
        return;
    }
    const float radius = static_cast<float>(pickRadius);
    dirty = floatgraph::selectAt(points, x, y, radius / scale, radius / scaleY) || dirty;
}

void KWFloatGraph::movePoints1(float dx, float dy) {
    const float ddx = dx / scale;
    const float ddy = dy / scaleY;
    dirty = floatgraph::moveSelectedKeys(points, ddx, ddy) || dirty;
}

void KWFloatGraph::movePoints2(float dx, float dy) {
    const float ddx = dx / scale;
    const float ddy = dy / scaleY;
    dirty = floatgraph::moveSelectedLowerValues(points, ddx, ddy) || dirty;
}

void KWFloatGraph::resetSelected() {
    dirty = floatgraph::equalizeSelected(points) || dirty;
}

void KWFloatGraph::resetPoints() {
    dirty = floatgraph::equalizeAll(points) || dirty;
}

void KWFloatGraph::updateCursor(int clientX, int clientY) {
    cursorX = graphview::clientToData(clientX, viewX, originX, scale);
    cursorY = graphview::clientToData(clientY, viewY, originY, scaleY);
}

int KWFloatGraph::accessibleChildCount() const {
    return static_cast<int>(points.size());
}

bool KWFloatGraph::describeAccessible(int child, KWAccessibleElement& element) const {
    if (child == 0) {
        element.role = ROLE_SYSTEM_DIAGRAM;
        element.name = getAccessibleName();
        element.screen = screenRect();
        return true;
    }
    if (child < 0 || child > accessibleChildCount()) {
        return false;
    }
    // Children are numbered by position: the keys' vector order is not what the user sees.
    std::vector<float> positions;
    for (const KWGraphPoint& point : points) {
        positions.push_back(point.x);
    }
    const std::size_t index = static_cast<std::size_t>(keyorder::byPosition(positions)[child - 1]);
    const KWGraphPoint& key = points[index];
    const auto first =
        std::find_if(points.begin(), points.end(), [](const KWGraphPoint& p) { return p.selected; });
    const int x = graphview::dataToPixel(key.x, scale, originX, viewX);
    const int y = graphview::dataToPixel(key.y1, scaleY, originY, viewY);
    editorkeys::describeKey(
        handle, child, keytext::curveToText({key}), key.selected,
        first != points.end() && static_cast<std::size_t>(first - points.begin()) == index,
        {x - pickRadius, y - pickRadius, x + pickRadius + 1, y + pickRadius + 1}, element);
    return true;
}

LRESULT CALLBACK KWFloatGraph::KWFloatGraphCallback(HWND window, UINT msg, WPARAM wParam, LPARAM lParam) {
    return routeMessage(window, msg, wParam, lParam);
}

unsigned KWFloatGraph::routingSteps() const {
    return 0;
}

LRESULT KWFloatGraph::handleWindowMessage(HWND, UINT msg, WPARAM wParam, LPARAM lParam) {
    // The handler hears of an edit once the picture shows it; what changed is found by comparison.
    std::vector<KWGraphPoint> before;
    if (mayEditKeys(msg, wParam)) {
        before = points;
    }
    eEventType report = EVENT_NONE;
    int reportIndex = keychange::kUnchanged;
    switch (msg) {
    case WM_LBUTTONDOWN:
    case WM_RBUTTONDOWN:
        SetFocus(handle);
        // The cursor of the last mouse move, not the press position.
        selectPoint(cursorX, cursorY);
        dragging = true;
        break;
    case WM_RBUTTONDBLCLK:
        resetSelected();
        report = EVENT_CHANGED;
        break;
    case WM_LBUTTONUP:
    case WM_RBUTTONUP:
        updateCursor(lowWord(lParam), highWord(lParam));
        dragging = false;
        // A drag ends with its last button; the keys already hold what its moves made of them.
        if (dragReported && !(wParam & (MK_LBUTTON | MK_RBUTTON))) {
            dragReported = false;
            report = EVENT_CHANGED;
            reportIndex = dragIndex;
        }
        break;
    case WM_KEYDOWN:
        if (wParam == VK_DELETE) {
            deleteSelected();
            report = EVENT_CHANGED;
        } else if (wParam == VK_HOME) {
            resetPoints();
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
    case WM_MOUSEWHEEL: {
        POINT point = {lowWord(lParam), highWord(lParam)};
        ScreenToClient(handle, &point);
        const short delta = static_cast<short>(HIWORD(wParam));
        if (delta > 0) {
            zoomIn();
        } else if (delta < 0) {
            zoomOut();
        }
        updateCursor(point.x, point.y);
        break;
    }
    case WM_MOUSEMOVE:
        handleMouseMove(wParam, lowWord(lParam), highWord(lParam));
        if (wParam & (MK_LBUTTON | MK_RBUTTON)) {
            report = EVENT_CHANGING;
        }
        break;
    case WM_LBUTTONDBLCLK:
        insertPoint(cursorX, cursorY);
        report = EVENT_CHANGED;
        break;
    case WM_PAINT:
        paint();
        return 0;
    default:
        break;
    }
    editorkeys::settleReport(report, reportIndex, before, points, dragReported, dragIndex);
    return editorkeys::endMessage(handle, msg, wParam, lParam, dirty, report != EVENT_NONE,
                                  [&] { notify(report, reportIndex); });
}

void KWFloatGraph::handleMouseMove(WPARAM keys, int x, int y) {
    int dx = x - lastMouseX;
    int dy = y - lastMouseY;
    lastMouseX = x;
    lastMouseY = y;
    if (keys & MK_MBUTTON) {
        moveView(dx, dy);
    }
    if (keys & MK_SHIFT) {
        dx = 0;
    }
    if (keys & MK_CONTROL) {
        dy = 0;
    }
    if (keys & MK_LBUTTON) {
        movePoints1(static_cast<float>(dx), static_cast<float>(dy));
    }
    if (keys & MK_RBUTTON) {
        movePoints2(static_cast<float>(dx), static_cast<float>(dy));
    }
    updateCursor(x, y);
}

} // namespace KW
