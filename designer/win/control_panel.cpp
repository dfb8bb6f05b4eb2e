// The control panel (`Form1`): shell name, the four resizable elements'
// sizes, the two colours, the task-button orientation and "Make".
#include "designer/panel_rules.h"
#include "designer_app.h"
#include "common/win/screen.h"
#include "late_bound.h"
#include "window_text.h"
#include "resource.h"

#include <commdlg.h>
#include <new>

namespace tessel::designer::win {

namespace {
constexpr char kPictureFilter[] = "Pictures(*.bmp;*.gif;*.jpg)|*.bmp;*.gif;*.jpg";
constexpr char kListSample[] = "Lists - files and stuff!";

int textId(int n) { return IDC_TEXT_BASE + n; }
int commandId(int n) { return IDC_COMMAND_BASE + n; }

// One colour dialog for both "Set" buttons: its colour is the last one
// chosen in it during the run, black at first, and a cancel applies it too.
COLORREF g_sharedColour = RGB(0, 0, 0);
COLORREF g_customColours[16] = {};
zt::ScopedBrush g_listBrush;

int32_t askColour(HWND owner) {
    CHOOSECOLORA cc = {};
    cc.lStructSize = sizeof cc;
    cc.hwndOwner = owner;
    cc.rgbResult = g_sharedColour;
    cc.lpCustColors = g_customColours;
    cc.Flags = CC_RGBINIT | CC_FULLOPEN;
    auto choose = lateBound<BOOL(WINAPI*)(CHOOSECOLORA*)>("comdlg32.dll", "ChooseColorA");
    if (choose && choose(&cc))
        g_sharedColour = cc.rgbResult;
    return static_cast<int32_t>(g_sharedColour);
}

void setBox(HWND dlg, int n, double value) {
    // A box already showing the value is left alone: the panel refreshes its
    // boxes at every activation, and each change of text is a repaint.
    HWND box = GetDlgItem(dlg, textId(n));
    const std::string text = formatPlain(value);
    if (windowText(box) != text)
        SetWindowTextA(box, text.c_str());
}

void refreshBox(DesignerApp& app, int n) {
    if (const SizeBox* b = sizeBox(n))
        setBox(app.panel, n, sizeOf(app.model.elements[b->element], b->dimension));
}

void sizeBoxChanged(DesignerApp& app, HWND dlg, int n) {
    const SizeBox* b = sizeBox(n);
    double v = 0;
    if (!b || !parseSize(windowText(GetDlgItem(dlg, textId(n))), v))
        return; // the element keeps its size; the box keeps the text as typed
    double& size = sizeOf(app.model.elements[b->element], b->dimension);
    if (size == v)
        return;
    size = v;
    app.canvas.placeElement(b->element);
}

void arrowClicked(DesignerApp& app, const ArrowStep& s) {
    double& size = sizeOf(app.model.elements[s.element], s.dimension);
    size = steppedSize(size, s.delta);
    app.canvas.placeElement(s.element);
    for (int n : s.refresh)
        if (n)
            refreshBox(app, n);
}

void pickCanvasPicture(DesignerApp& app, HWND dlg) {
    const std::string path = askOpenPath(dlg, kPictureFilter, "");
    if (path.empty())
        return;
    app.canvasPicturePath = path;
    if (RunError e = app.canvas.setBackdrop(path); e.failed())
        MessageBoxA(dlg, e.description().c_str(), kMessageTitle, MB_OK | MB_ICONEXCLAMATION);
}

// Text that stays readable on any chosen colour.
COLORREF textOn(COLORREF back) {
    const int lum = (299 * GetRValue(back) + 587 * GetGValue(back) + 114 * GetBValue(back)) / 1000;
    return lum < 128 ? RGB(255, 255, 255) : RGB(0, 0, 0);
}

void drawColourSample(const DesignerApp& app, const DRAWITEMSTRUCT& di) {
    RECT rc = di.rcItem;
    const bool pressed = di.itemState & ODS_SELECTED;
    const COLORREF back = colourValue(app.model.buttonColour);
    zt::ScopedBrush fill(CreateSolidBrush(back));
    FillRect(di.hDC, &rc, fill.get());
    DrawEdge(di.hDC, &rc, pressed ? EDGE_SUNKEN : EDGE_RAISED, BF_RECT);
    char text[64] = {};
    GetWindowTextA(di.hwndItem, text, sizeof text);
    SetBkMode(di.hDC, TRANSPARENT);
    SetTextColor(di.hDC, textOn(back));
    if (pressed)
        OffsetRect(&rc, 1, 1);
    DrawTextA(di.hDC, text, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    if (di.itemState & ODS_FOCUS) {
        InflateRect(&rc, -3, -3);
        DrawFocusRect(di.hDC, &rc);
    }
}

void setListColour(DesignerApp& app, int32_t colour) {
    app.model.listColour = colour;
    g_listBrush.reset(CreateSolidBrush(colourValue(colour)));
    InvalidateRect(GetDlgItem(app.panel, IDC_LIST1), nullptr, TRUE);
}

bool command(DesignerApp& app, HWND dlg, int id, int code) {
    if (id >= textId(2) && id <= textId(9)) {
        if (code == EN_CHANGE)
            sizeBoxChanged(app, dlg, id - IDC_TEXT_BASE);
        return true;
    }
    if (id == textId(1)) {
        if (code == EN_CHANGE) {
            app.model.shellName = windowText(GetDlgItem(dlg, id));
            SetWindowTextA(app.canvas.wnd(), app.model.shellName.c_str());
        }
        return true;
    }
    if (code != BN_CLICKED)
        return false;
    if (const ArrowStep* s = arrowStep(id - IDC_COMMAND_BASE)) {
        arrowClicked(app, *s);
        return true;
    }
    if (id == commandId(1)) {
        pickCanvasPicture(app, dlg);
    } else if (id == commandId(19)) {
        app.model.buttonColour = askColour(dlg);
        InvalidateRect(GetDlgItem(dlg, commandId(1)), nullptr, TRUE);
    } else if (id == commandId(20)) {
        setListColour(app, askColour(dlg));
    } else if (id == commandId(18)) {
        showMakeFile(app);
    } else if (id == IDC_OPTION1 || id == IDC_OPTION2) {
        app.model.orientation =
            id == IDC_OPTION1 ? Orientation::Horizontal : Orientation::Vertical;
    } else {
        return false;
    }
    return true;
}

// Beside the canvas, in its monitor's work area, so that the model of the
// bar stays in view.
void placeBesideCanvas(DesignerApp& app, HWND dlg) {
    RECT canvas = {}, panel = {};
    if (!app.canvas.wnd() || !GetWindowRect(app.canvas.wnd(), &canvas) ||
        !GetWindowRect(dlg, &panel))
        return;
    MONITORINFO mi = {};
    mi.cbSize = sizeof mi;
    if (!GetMonitorInfoA(MonitorFromWindow(app.canvas.wnd(), MONITOR_DEFAULTTONEAREST), &mi))
        return;
    const ScreenRect r = panelPlace({canvas.left, canvas.top, canvas.right, canvas.bottom},
                                    panel.right - panel.left, panel.bottom - panel.top,
                                    {mi.rcWork.left, mi.rcWork.top, mi.rcWork.right,
                                     mi.rcWork.bottom});
    SetWindowPos(dlg, nullptr, r.left, r.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void initPanel(DesignerApp& app, HWND dlg) {
    app.panel = dlg;
    for (const ArrowStep& s : kArrowSteps)
        SetDlgItemTextA(dlg, commandId(s.commandNumber), s.caption);
    SendDlgItemMessageA(dlg, IDC_LIST1, LB_ADDSTRING, 0, reinterpret_cast<LPARAM>(kListSample));
    SetDlgItemTextA(dlg, textId(1), app.model.shellName.c_str());
    // A loaded skin has chosen an orientation; a fresh one has neither.
    if (app.model.orientation != Orientation::None)
        CheckRadioButton(dlg, IDC_OPTION1, IDC_OPTION2,
                         app.model.orientation == Orientation::Horizontal ? IDC_OPTION1
                                                                        : IDC_OPTION2);
    setListColour(app, app.model.listColour);
    placeBesideCanvas(app, dlg);
}

INT_PTR CALLBACK panelProc(HWND dlg, UINT msg, WPARAM wp, LPARAM lp) {
    DesignerApp& app = designerApp();
    switch (msg) {
    case WM_INITDIALOG:
        initPanel(app, dlg);
        return TRUE;
    case WM_ACTIVATE:
        if (LOWORD(wp) != WA_INACTIVE)
            refreshSizeBoxes(app);
        return FALSE;
    case WM_COMMAND:
        // A failed allocation ends the action that needed it, never the run.
        try {
            return command(app, dlg, LOWORD(wp), HIWORD(wp)) ? TRUE : FALSE;
        } catch (const std::bad_alloc&) {
            MessageBoxA(dlg, errorText(ErrorNumber::OutOfMemory), kMessageTitle,
                        MB_OK | MB_ICONEXCLAMATION);
            return TRUE;
        }
    case WM_DRAWITEM: {
        const auto* di = reinterpret_cast<const DRAWITEMSTRUCT*>(lp);
        if (di->CtlID != static_cast<UINT>(commandId(1)))
            return FALSE;
        drawColourSample(app, *di);
        return TRUE;
    }
    case WM_CTLCOLORLISTBOX:
        if (reinterpret_cast<HWND>(lp) == GetDlgItem(dlg, IDC_LIST1) && g_listBrush) {
            const COLORREF c = colourValue(app.model.listColour);
            SetBkColor(reinterpret_cast<HDC>(wp), c);
            SetTextColor(reinterpret_cast<HDC>(wp), textOn(c));
            return reinterpret_cast<INT_PTR>(g_listBrush.get());
        }
        return FALSE;
    case WM_CLOSE:
        endDesigner();
        return TRUE;
    }
    return FALSE;
}
} // namespace

HWND createControlPanel(DesignerApp& app) {
    return CreateDialogParamA(app.instance, MAKEINTRESOURCEA(IDD_PANEL), nullptr, panelProc, 0);
}

void refreshSizeBoxes(DesignerApp& app) {
    if (!app.panel)
        return;
    for (int n : kRefreshOrder)
        refreshBox(app, n);
}

} // namespace tessel::designer::win
