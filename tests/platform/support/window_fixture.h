// A top-level window shown and activated for the window tests, and a child
// window that writes each handler it runs into a shared log.
#pragma once

#include "activeowner.h"
#include "window/cursor.h"
#include "window/dropfiles.h"
#include "window/paintdc.h"
#include "window/window.h"

#include <QTest>
#include <QWidget>

#include <functional>
#include <string>
#include <vector>

namespace platform_test {

using namespace platform;

using Log = std::vector<std::string>;

// A window whose handlers log "<name> <handler> <argument>" and then run
// the default, unless a test overrides a step with a hook.
class LogWindow : public Window {
  public:
    LogWindow(std::string name, Log* log) : m_name(std::move(name)), m_log(log) {}

    std::function<BOOL(MSG*)> hook;            // PreTranslateMessage
    std::function<void(UINT)> onKeyDown;       // replaces the default
    std::function<void()> onKillFocus;         // runs after logging
    std::function<BOOL(NMHDR*)> reflect;       // OnNotifyReflect
    std::function<void(Window*)> onCapture;    // OnCaptureChanged
    std::function<void(Dc&)> paint;            // OnPaint through a paint context
    std::function<void(UINT, UINT)> onCommand; // (id, code) of WM_COMMAND
    UINT dlgCode = 0;
    HCURSOR cursor = nullptr;       // shown by OnSetCursor when set
    bool deleteOnNcDestroy = false; // a heap window that ends itself
    int createResult = 0;

    void Add(const std::string& what) { m_log->push_back(m_name + " " + what); }

  protected:
    BOOL PreTranslateMessage(MSG* msg) override {
        Add("hook " + MessageText(msg->message, msg->wParam));
        return hook ? hook(msg) : FALSE;
    }
    int OnCreate(CREATESTRUCT* cs) override {
        Add("OnCreate");
        Window::OnCreate(cs);
        return createResult;
    }
    void OnDestroy() override { Add("OnDestroy"); }
    void OnNcDestroy() override {
        Add("OnNcDestroy");
        if (deleteOnNcDestroy) delete this;
    }
    void OnKeyDown(UINT ch, UINT rep, UINT flags) override {
        Add("OnKeyDown " + std::to_string(ch));
        if (onKeyDown)
            onKeyDown(ch);
        else
            Window::OnKeyDown(ch, rep, flags);
    }
    void OnKeyUp(UINT ch, UINT rep, UINT flags) override {
        Add("OnKeyUp " + std::to_string(ch));
        Window::OnKeyUp(ch, rep, flags);
    }
    void OnChar(UINT ch, UINT rep, UINT flags) override {
        Add("OnChar " + std::to_string(ch));
        Window::OnChar(ch, rep, flags);
    }
    void OnSysKeyDown(UINT ch, UINT rep, UINT flags) override {
        Add("OnSysKeyDown " + std::to_string(ch));
        Window::OnSysKeyDown(ch, rep, flags);
    }
    UINT OnGetDlgCode() override { return dlgCode; }
    void DrawItem(DRAWITEMSTRUCT* dis) override { Add("DrawItem " + std::to_string(dis->itemID)); }
    void MeasureItem(MEASUREITEMSTRUCT* mis) override {
        Add("MeasureItem");
        mis->itemHeight = 17;
    }
    void OnSetFocus(Window* old) override {
        Add("OnSetFocus");
        Window::OnSetFocus(old);
    }
    void OnKillFocus(Window* next) override {
        Add("OnKillFocus");
        Window::OnKillFocus(next);
        if (onKillFocus) onKillFocus();
    }
    void OnSize(UINT type, int cx, int cy) override {
        Add("OnSize " + std::to_string(cx) + "x" + std::to_string(cy));
        Window::OnSize(type, cx, cy);
    }
    void OnShowWindow(BOOL show, UINT status) override {
        Add(std::string("OnShowWindow ") + (show ? "1" : "0"));
        Window::OnShowWindow(show, status);
    }
    void OnSysColorChange() override { Add("OnSysColorChange"); }
    BOOL OnEraseBkgnd(Dc* dc) override {
        Add("OnEraseBkgnd");
        return Window::OnEraseBkgnd(dc);
    }
    void OnDropFiles(DropFiles* drop) override {
        Add("OnDropFiles " + std::to_string(DragQueryFile(drop, kDragQueryCount, nullptr, 0)));
    }
    BOOL OnSetCursor(Window* wnd, UINT hitTest, UINT message) override {
        if (!cursor) return Window::OnSetCursor(wnd, hitTest, message);
        SetCursor(cursor);
        return TRUE;
    }
    void OnTimer(UINT_PTR id) override { Add("OnTimer " + std::to_string(id)); }
    void OnCaptureChanged(Window* next) override {
        Add("OnCaptureChanged");
        if (onCapture) onCapture(next);
    }
    void OnLButtonDown(UINT flags, Point p) override { Mouse("OnLButtonDown", flags, p); }
    void OnLButtonUp(UINT flags, Point p) override { Mouse("OnLButtonUp", flags, p); }
    void OnLButtonDblClk(UINT flags, Point p) override { Mouse("OnLButtonDblClk", flags, p); }
    BOOL OnMouseWheel(UINT flags, short delta, Point p) override {
        Mouse("OnMouseWheel", flags, Point(delta, 0));
        (void)p;
        return TRUE;
    }
    void OnPaint() override {
        if (!paint) {
            Window::OnPaint();
            return;
        }
        PaintDc dc(this);
        Add("OnPaint " + RectText(dc.m_ps.rcPaint));
        paint(dc);
    }
    BOOL OnCommand(WPARAM w, LPARAM l) override {
        if (Window::OnCommand(w, l)) return TRUE;
        if (!onCommand) return FALSE;
        onCommand(LOWORD(w), HIWORD(w));
        return TRUE;
    }
    BOOL OnNotify(WPARAM w, LPARAM l, LRESULT* result) override {
        if (Window::OnNotify(w, l, result)) return TRUE;
        Add("OnNotify " + std::to_string(static_cast<int>(reinterpret_cast<NMHDR*>(l)->code)));
        *result = 7;
        return TRUE;
    }
    BOOL OnNotifyReflect(NMHDR* header, LRESULT* result) override {
        Add("OnNotifyReflect " + std::to_string(static_cast<int>(header->code)));
        *result = 5;
        return reflect ? reflect(header) : FALSE;
    }

  public:
    static std::string RectText(const Rect& r) {
        return std::to_string(r.left) + "," + std::to_string(r.top) + "," +
               std::to_string(r.right) + "," + std::to_string(r.bottom);
    }

  private:
    static std::string MessageText(UINT message, WPARAM w) {
        switch (message) {
        case WM_KEYDOWN:
            return "WM_KEYDOWN " + std::to_string(w);
        case WM_KEYUP:
            return "WM_KEYUP " + std::to_string(w);
        case WM_CHAR:
            return "WM_CHAR " + std::to_string(w);
        default:
            return std::to_string(message);
        }
    }
    void Mouse(const char* what, UINT flags, Point p) {
        Add(std::string(what) + " " + std::to_string(flags) + " " + std::to_string(p.x) + "," +
            std::to_string(p.y));
    }

    std::string m_name;
    Log* m_log;
};

// A shown, active top-level window to hold the windows under test.
class TopWindow {
  public:
    explicit TopWindow(Log* log) : window("top", log) {
        active = CreateActiveOwner(window, 240, 160);
    }
    ~TopWindow() { window.DestroyWindow(); }
    LogWindow window;
    bool active = false;
};

} // namespace platform_test
