// Task-bar hooks: programs that on the device would replace the task bar's
// window procedure subscribe a window instead, and the task bar asks those
// windows about its taps before acting on them itself (protocol in
// shellproto.h).  The last subscriber is asked first, as the last
// subclasser's procedure runs first on the device.
#include "shell.h"

#include <devlog.h>

#include <vector>

namespace {

struct Subscriber {
    HWND wnd;
    LPARAM flags;  // SHELL_HOOK_*
};

constexpr size_t kMaxSubscribers = 16;
// A hook may first wait out a hold (the gesture recogniser follows the pen)
// and then act on the window in front: the task bar waits for its answer
// rather than act first, as a replaced window procedure on the device would
// hold it up.  A hook that hangs still cannot stop the task bar for good.
constexpr UINT kAnswerTimeoutMs = 5000;
constexpr LPARAM kKnownFlags = SHELL_HOOK_BEFORE | SHELL_HOOK_AFTER | SHELL_HOOK_PRESSES;

UINT g_subscribeMessage = 0;
UINT g_notifyMessage = 0;
UINT g_doneMessage = 0;
// Front of the chain = the last subscriber.
std::vector<Subscriber> g_chain;

// Who took the last stylus press: the release that ends it is the task
// bar's own to act on only when the press was.  A hook that took the press
// (a tap-and-hold that opened its menu, a close it did itself) must not see
// the task bar minimise the program on the release as well.
enum class PressTaker { kNobody, kTaskBar, kHook };
PressTaker g_pressTaker = PressTaker::kNobody;

void Drop(HWND wnd)
{
    for (size_t i = 0; i < g_chain.size(); ++i) {
        if (g_chain[i].wnd == wnd) {
            g_chain.erase(g_chain.begin() + i);
            return;
        }
    }
}

void DropDead()
{
    for (size_t i = g_chain.size(); i-- > 0;) {
        if (!IsWindow(g_chain[i].wnd)) {
            DevLog(L"shell", L"task-bar hook %p dropped (window gone)", (void*)g_chain[i].wnd);
            g_chain.erase(g_chain.begin() + i);
        }
    }
}

bool Hears(const Subscriber& s, UINT msg)
{
    return msg != WM_LBUTTONDOWN || (s.flags & SHELL_HOOK_PRESSES);
}

// Sends one notification; false when the subscriber did not answer
// (timed out, or its window died meanwhile, which drops it).
bool Notify(HWND wnd, UINT message, UINT msg, WPARAM wp, LPARAM lp, DWORD_PTR* answer)
{
    *answer = 0;
    SetLastError(0);
    if (SendMessageTimeoutW(wnd, message, SHELL_HOOK_PACK(msg, wp), lp, SMTO_ABORTIFHUNG, kAnswerTimeoutMs,
                            answer))
        return true;
    if (!IsWindow(wnd)) {
        DevLog(L"shell", L"task-bar hook %p dropped (window gone)", (void*)wnd);
        Drop(wnd);
    }
    return false;
}

} // namespace

void RegisterTaskBarHookMessages()
{
    g_subscribeMessage = RegisterWindowMessageW(SHELL_HOOK_MESSAGE_NAME);
    g_notifyMessage = RegisterWindowMessageW(SHELL_HOOK_NOTIFY_NAME);
    g_doneMessage = RegisterWindowMessageW(SHELL_HOOK_DONE_NAME);
}

UINT TaskBarHookMessage()
{
    return g_subscribeMessage;
}

LRESULT HandleHookSubscription(HWND subscriber, LPARAM flags)
{
    DropDead();
    if (!IsWindow(subscriber))
        return FALSE;
    if (flags == SHELL_HOOK_OFF) {
        for (const Subscriber& s : g_chain) {
            if (s.wnd == subscriber) {
                Drop(subscriber);
                DevLog(L"shell", L"task-bar hook %p removed", (void*)subscriber);
                return TRUE;
            }
        }
        return FALSE;
    }
    if (flags & ~kKnownFlags)
        return FALSE;
    Drop(subscriber);
    if (g_chain.size() >= kMaxSubscribers)
        return FALSE;
    g_chain.insert(g_chain.begin(), Subscriber{subscriber, flags});
    DevLog(L"shell", L"task-bar hook %p added (flags %ld)", (void*)subscriber, (long)flags);
    return TRUE;
}

bool IsHookedTaskBarMessage(UINT msg, WPARAM wp)
{
    return msg == WM_LBUTTONUP || msg == WM_LBUTTONDOWN ||
           (msg == SHELL_HOOK_TASKBAR_MESSAGE && wp == SHELL_HOOK_TASKBAR_WPARAM);
}

namespace {

bool AskChain(UINT msg, WPARAM wp, LPARAM lp)
{
    DropDead();
    // A copy: a subscriber may change its subscription while it answers.
    std::vector<Subscriber> chain = g_chain;
    for (const Subscriber& s : chain) {
        if (!(s.flags & SHELL_HOOK_BEFORE) || !Hears(s, msg))
            continue;
        DWORD_PTR answer;
        if (Notify(s.wnd, g_notifyMessage, msg, wp, lp, &answer) && answer)
            return true;
    }
    return false;
}

} // namespace

bool AskTaskBarHooks(UINT msg, WPARAM wp, LPARAM lp)
{
    bool handled = AskChain(msg, wp, lp);
    if (msg == WM_LBUTTONDOWN)
        g_pressTaker = handled ? PressTaker::kHook : PressTaker::kTaskBar;
    else if (msg == WM_LBUTTONUP && handled)
        g_pressTaker = PressTaker::kNobody;
    return handled;
}

bool TaskBarOwnsMessage(UINT msg)
{
    if (msg != WM_LBUTTONUP)
        return true;
    // A release without a press the task bar saw (a program posting only
    // the release) is still the task bar's.
    bool owned = g_pressTaker != PressTaker::kHook;
    g_pressTaker = PressTaker::kNobody;
    return owned;
}

void TellTaskBarHooks(UINT msg, WPARAM wp, LPARAM lp)
{
    std::vector<Subscriber> chain = g_chain;
    for (const Subscriber& s : chain) {
        if (!(s.flags & SHELL_HOOK_AFTER) || !Hears(s, msg))
            continue;
        DWORD_PTR ignored;
        Notify(s.wnd, g_doneMessage, msg, wp, lp, &ignored);
    }
}
