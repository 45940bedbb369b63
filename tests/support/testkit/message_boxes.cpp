#include "message_boxes.h"

#include "pump.h"
#include "window_find.h"

namespace testkit {

namespace {

// MessageBox puts its text in the static control 0xFFFF, which ordinary
// dialogs lack.
const WORD kTextId = 0xFFFF;

BOOL CALLBACK FindText(HWND child, LPARAM found)
{
    if ((WORD)GetDlgCtrlID(child) != kTextId || _wcsicmp(ClassOf(child).c_str(), L"Static") != 0)
        return TRUE;
    *reinterpret_cast<HWND*>(found) = child;
    return FALSE;
}

}  // namespace

std::vector<MessageBoxInfo> MessageBoxes::Open()
{
    std::vector<MessageBoxInfo> boxes;
    for (HWND w = GetTopWindow(nullptr); w; w = GetWindow(w, GW_HWNDNEXT)) {
        if (!IsWindowVisible(w) || ClassOf(w) != L"#32770")
            continue;
        HWND text = nullptr;
        EnumChildWindows(w, FindText, reinterpret_cast<LPARAM>(&text));
        if (text)
            boxes.push_back({w, TextOf(w), TextOf(text)});
    }
    return boxes;
}

std::wstring MessageBoxes::Describe()
{
    std::wstring lines;
    for (const MessageBoxInfo& box : Open())
        lines += L"\"" + box.caption + L"\" \"" + box.text + L"\"\n";
    return lines.empty() ? L"(no message box)" : lines;
}

std::wstring MessageBoxes::WaitFor(const std::wstring& caption, const wchar_t* text, DWORD ms)
{
    std::wstring found = L"<no box>";
    PumpUntil(
        [&] {
            for (const MessageBoxInfo& box : Open())
                if (box.caption == caption && (!text || box.text == text)) {
                    found = box.text;
                    return true;
                }
            return false;
        },
        ms);
    return found;
}

bool MessageBoxes::Answer(int button, const wchar_t* caption)
{
    for (const MessageBoxInfo& box : Open()) {
        if (caption && box.caption != caption)
            continue;
        HWND control = GetDlgItem(box.window, button);
        // Posted, as a real click arrives: the box's owner may be busy.
        return control && PostMessageW(box.window, WM_COMMAND, MAKEWPARAM(button, BN_CLICKED), (LPARAM)control);
    }
    return false;
}

bool MessageBoxes::WaitNone(DWORD ms)
{
    return PumpUntil([] { return Open().empty(); }, ms);
}

void MessageBoxes::DismissAll()
{
    for (int i = 0; i < 5 && !Open().empty(); ++i) {
        if (!Answer(IDNO) && !Answer(IDCANCEL))
            Answer(IDOK);
        PumpMessages(200);
    }
}

BoxAnswerer::BoxAnswerer(const std::wstring& caption, int button, DWORD ms)
    : thread_([this, caption, button, ms] {
          for (DWORD waited = 0; waited < ms; waited += 50, Sleep(50))
              for (const MessageBoxInfo& box : MessageBoxes::Open()) {
                  DWORD pid = 0;
                  GetWindowThreadProcessId(box.window, &pid);
                  if (box.caption != caption || pid != GetCurrentProcessId())
                      continue;
                  text_ = box.text;
                  SendMessageW(box.window, WM_COMMAND, button, 0);
                  return;
              }
      })
{
}

BoxAnswerer::~BoxAnswerer()
{
    if (thread_.joinable())
        thread_.join();
}

std::wstring BoxAnswerer::Text()
{
    if (thread_.joinable())
        thread_.join();
    return text_;
}

}  // namespace testkit
