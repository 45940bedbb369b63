// The keyboard's window: draws the keys of the fixed layout and types the
// one tapped through the host's callback.  It never takes the activation,
// so the application being typed into keeps the focus.
#include "sipkbd_private.h"

namespace {

const wchar_t kClassName[] = L"SipKeyboard";
bool g_registered = false;

const COLORREF kPanel = RGB(0xC0, 0xC0, 0xC0);
const COLORREF kKeyFace = RGB(0xF4, 0xF4, 0xF4);
const COLORREF kKeyLatched = RGB(0x9C, 0xB4, 0xDC);  // Shift or CAP on
const COLORREF kKeyPressed = RGB(0x20, 0x30, 0x60);
const COLORREF kKeyEdge = RGB(0x70, 0x70, 0x70);
const COLORREF kLabel = RGB(0x00, 0x00, 0x00);
const COLORREF kPressedLabel = RGB(0xFF, 0xFF, 0xFF);

KeyboardState* StateOf(HWND wnd)
{
    return reinterpret_cast<KeyboardState*>(GetWindowLongPtrW(wnd, GWLP_USERDATA));
}

bool IsLetter(const SipKey& key)
{
    return key.normal >= L'a' && key.normal <= L'z';
}

// Shift shifts one character; CAP shifts letters (both together: lower case).
bool IsShifted(const KeyboardState& state, const SipKey& key)
{
    return state.shift != (IsLetter(key) && state.caps);
}

void TypeKey(KeyboardState* state, const SipKey& key)
{
    IIMCallback* callback = state->callback;
    switch (key.kind) {
    case SipKeyCharacter:
        if (callback) {
            UINT character = IsShifted(*state, key) ? key.shifted : key.normal;
            UINT down = KeyStateDownFlag;
            UINT up = KeyStatePrevDownFlag;
            callback->SendCharEvents(key.vk, KeyStateDownFlag, 1, &down, &character);
            callback->SendCharEvents(key.vk, KeyStatePrevDownFlag, 1, &up, &character);
        }
        state->shift = false;
        break;
    case SipKeyVirtual:
        if (callback) {
            DWORD flags = key.extended ? KEYEVENTF_EXTENDEDKEY : 0;
            callback->SendVirtualKey(key.vk, flags);
            callback->SendVirtualKey(key.vk, flags | KEYEVENTF_KEYUP);
        }
        state->shift = false;
        break;
    case SipKeyShift:
        state->shift = !state->shift;
        break;
    case SipKeyCaps:
        state->caps = !state->caps;
        break;
    }
}

void Triangle(POINT* points, POINT a, POINT b, POINT c)
{
    points[0] = a;
    points[1] = b;
    points[2] = c;
}

// Backspace, Enter and the arrows are drawn: the device font has no arrows.
void DrawArrowGlyph(HDC dc, const RECT& rc, BYTE vk, COLORREF colour)
{
    const int cx = (rc.left + rc.right) / 2;
    const int cy = (rc.top + rc.bottom) / 2;
    POINT head[3];
    POINT shaft[3] = {};
    int shaftPoints = 0;
    switch (vk) {
    case VK_UP:
        Triangle(head, {cx - 4, cy + 2}, {cx + 4, cy + 2}, {cx, cy - 3});
        break;
    case VK_DOWN:
        Triangle(head, {cx - 4, cy - 2}, {cx + 4, cy - 2}, {cx, cy + 3});
        break;
    case VK_RIGHT:
        Triangle(head, {cx - 2, cy - 4}, {cx - 2, cy + 4}, {cx + 3, cy});
        break;
    case VK_BACK:  // a long arrow to the left
        Triangle(head, {cx - 6, cy}, {cx - 2, cy - 4}, {cx - 2, cy + 4});
        shaft[0] = {cx - 2, cy};
        shaft[1] = {cx + 8, cy};
        shaftPoints = 2;
        break;
    case VK_RETURN:  // down from the right, then to the left
        Triangle(head, {cx - 7, cy + 2}, {cx - 3, cy - 2}, {cx - 3, cy + 6});
        shaft[0] = {cx + 6, cy - 4};
        shaft[1] = {cx + 6, cy + 2};
        shaft[2] = {cx - 3, cy + 2};
        shaftPoints = 3;
        break;
    default:  // VK_LEFT
        Triangle(head, {cx + 2, cy - 4}, {cx + 2, cy + 4}, {cx - 3, cy});
        break;
    }
    HBRUSH brush = CreateSolidBrush(colour);
    HPEN pen = CreatePen(PS_SOLID, 1, colour);
    HGDIOBJ oldBrush = SelectObject(dc, brush);
    HGDIOBJ oldPen = SelectObject(dc, pen);
    Polygon(dc, head, 3);
    if (shaftPoints)
        Polyline(dc, shaft, shaftPoints);
    SelectObject(dc, oldBrush);
    SelectObject(dc, oldPen);
    DeleteObject(brush);
    DeleteObject(pen);
}

void DrawKey(HDC dc, const KeyboardState& state, const SipKey& key, bool pressed)
{
    RECT rc = {key.left, key.top, key.left + key.width, key.top + kSipKeyHeight};
    bool latched = (key.kind == SipKeyShift && state.shift) || (key.kind == SipKeyCaps && state.caps);
    HBRUSH face = CreateSolidBrush(pressed ? kKeyPressed : latched ? kKeyLatched : kKeyFace);
    HBRUSH edge = CreateSolidBrush(kKeyEdge);
    FillRect(dc, &rc, face);
    FrameRect(dc, &rc, edge);
    DeleteObject(face);
    DeleteObject(edge);

    const COLORREF ink = pressed ? kPressedLabel : kLabel;
    if (!key.label && key.kind == SipKeyVirtual) {
        DrawArrowGlyph(dc, rc, key.vk, ink);
        return;
    }
    wchar_t text[2] = {};
    const wchar_t* label = key.label;
    if (!label) {
        text[0] = IsShifted(state, key) ? key.shifted : key.normal;
        label = text;
    }
    SetTextColor(dc, ink);
    DrawTextW(dc, label, -1, &rc, DT_CENTER | DT_VCENTER | DT_SINGLELINE | DT_NOPREFIX);
}

void Paint(HWND wnd, HDC target)
{
    KeyboardState* state = StateOf(wnd);
    RECT client;
    GetClientRect(wnd, &client);
    // Drawn off screen, so a tap does not flicker.
    HDC dc = CreateCompatibleDC(target);
    HBITMAP bitmap = CreateCompatibleBitmap(target, client.right, client.bottom);
    HGDIOBJ oldBitmap = SelectObject(dc, bitmap);
    HBRUSH panel = CreateSolidBrush(kPanel);
    FillRect(dc, &client, panel);
    DeleteObject(panel);
    HFONT font = CreateFontW(-10, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET, OUT_DEFAULT_PRECIS,
                             CLIP_DEFAULT_PRECIS, NONANTIALIASED_QUALITY, DEFAULT_PITCH, L"Tahoma");
    HGDIOBJ oldFont = SelectObject(dc, font);
    SetBkMode(dc, TRANSPARENT);
    if (state) {
        for (int i = 0; i < kSipKeyCount; ++i)
            DrawKey(dc, *state, kSipKeys[i], i == state->pressed);
    }
    SelectObject(dc, oldFont);
    DeleteObject(font);
    BitBlt(target, 0, 0, client.right, client.bottom, dc, 0, 0, SRCCOPY);
    SelectObject(dc, oldBitmap);
    DeleteObject(bitmap);
    DeleteDC(dc);
}

LRESULT CALLBACK KeyboardProc(HWND wnd, UINT msg, WPARAM wp, LPARAM lp)
{
    switch (msg) {
    case WM_NCCREATE: {
        auto* create = reinterpret_cast<CREATESTRUCTW*>(lp);
        SetWindowLongPtrW(wnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(create->lpCreateParams));
        break;
    }
    case WM_MOUSEACTIVATE:
        return MA_NOACTIVATE;
    case WM_LBUTTONDOWN: {
        KeyboardState* state = StateOf(wnd);
        const SipKey* key = SipKeyAt((short)LOWORD(lp), (short)HIWORD(lp));
        if (state && key) {
            state->pressed = static_cast<int>(key - kSipKeys);
            TypeKey(state, *key);
            InvalidateRect(wnd, nullptr, FALSE);
            SetCapture(wnd);
        }
        return 0;
    }
    case WM_LBUTTONUP:
    case WM_CAPTURECHANGED:
        if (KeyboardState* state = StateOf(wnd)) {
            if (state->pressed >= 0) {
                state->pressed = -1;
                InvalidateRect(wnd, nullptr, FALSE);
            }
        }
        if (msg == WM_LBUTTONUP && GetCapture() == wnd)
            ReleaseCapture();
        return 0;
    case WM_ERASEBKGND:
        return 1;
    case WM_PAINT: {
        PAINTSTRUCT ps;
        HDC dc = BeginPaint(wnd, &ps);
        Paint(wnd, dc);
        EndPaint(wnd, &ps);
        return 0;
    }
    case WM_NCDESTROY:
        SetWindowLongPtrW(wnd, GWLP_USERDATA, 0);
        break;
    }
    return DefWindowProcW(wnd, msg, wp, lp);
}

bool RegisterKeyboardClass()
{
    if (g_registered)
        return true;
    WNDCLASSW wc = {};
    wc.lpfnWndProc = KeyboardProc;
    wc.hInstance = KeyboardModule();
    wc.hCursor = LoadCursorW(nullptr, IDC_ARROW);
    wc.lpszClassName = kClassName;
    g_registered = RegisterClassW(&wc) != 0 || GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
    return g_registered;
}

}  // namespace

HWND CreateKeyboardWindow(HWND parent, KeyboardState* state)
{
    if (!RegisterKeyboardClass())
        return nullptr;
    return CreateWindowExW(0, kClassName, L"", WS_CHILD | WS_VISIBLE, 0, 0, kSipKeyboardWidth, kSipKeyboardHeight,
                           parent, nullptr, KeyboardModule(), state);
}

void UnregisterKeyboardClass()
{
    if (g_registered)
        UnregisterClassW(kClassName, KeyboardModule());
    g_registered = false;
}
