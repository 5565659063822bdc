// A window of the editor: one Qt widget driven through message handlers.
//
// A class derives from Window (or from a control such as Edit) and overrides
// the On... handlers it needs; every handler's default passes the message on
// to the Qt class's own behaviour (Default()). Qt events become messages in
// the widget's host (windowhost.h), keys in the key router (keyrouter.h);
// SendMessage calls WindowProc at once, PostMessage queues the call.
// Notifications travel to the owner's OnNotify / OnCommand, which first offer
// them back to the control that sent them (OnChildNotify).
//
// Calls on a window that does not exist (before Create, after DestroyWindow)
// do nothing and answer FALSE, 0, null or an empty rectangle.
#pragma once

#include "base/geometry.h"
#include "base/messages.h"

#include <QRegion>

#include <memory>
#include <string>

class QEvent;
class QImage;
class QWidget;

namespace platform {

class Font;
class HostBase;
class ScrollBar;
class TimerTable;
struct DropFiles;

class Window {
  public:
    Window();
    virtual ~Window();
    Window(const Window&) = delete;
    Window& operator=(const Window&) = delete;

    // ---- creation and destruction ----
    // Creates the widget as a child of parent's client area (a top-level
    // window when parent is null), runs PreCreateWindow and OnCreate.
    // Returns FALSE, with no widget left, when the window exists already or
    // OnCreate answers -1.
    BOOL Create(DWORD style, const Rect& rect, Window* parent, UINT id);
    BOOL CreateEx(DWORD exStyle, const char* windowName, DWORD style, const Rect& rect,
                  Window* parent, UINT id);
    // OnDestroy, then the child windows, then OnNcDestroy and PostNcDestroy;
    // the widget goes by deleteLater, with its timers, capture and posted
    // messages. FALSE when there is no window or it is already going.
    BOOL DestroyWindow();
    BOOL IsWindow() const;
    // Takes over the window of control id in parent (a combo box's field):
    // from now on this object gets its messages, and the object that made it
    // has no window. FALSE when this object has a window or there is no such
    // control.
    BOOL SubclassDlgItem(UINT id, Window* parent);
    BOOL SubclassWindow(Window* existing);
    HWND GetSafeHwnd() const { return IsWindow() ? const_cast<Window*>(this) : nullptr; }

    // The widget (the window's frame) and its client area (the same widget,
    // or the viewport of a scroll area). Null before Create and after destroy.
    QWidget* GetWidget() const { return m_widget; }
    QWidget* GetClientWidget() const;
    // True until the object is deleted: code that calls a handler which may
    // delete the window keeps a copy and looks at it afterwards.
    std::shared_ptr<const bool> AliveToken() const { return m_alive; }
    // The window a widget hosts, or null.
    static Window* FromWidget(const QWidget* widget);
    // The window hosting widget or its nearest ancestor, or null.
    static Window* FromWidgetOrAncestor(const QWidget* widget);

    // ---- identity and relations ----
    int GetDlgCtrlID() const { return static_cast<int>(m_id); }
    Window* GetParent() const { return m_parent; }
    // Notifications go to the owner: the parent unless SetOwner chose another.
    Window* GetOwner() const { return m_owner ? m_owner : m_parent; }
    void SetOwner(Window* owner) { m_owner = owner; }
    // The child window with this control id, or null.
    Window* GetDlgItem(int id) const;

    // ---- styles ----
    DWORD GetStyle() const { return m_style; }
    DWORD GetExStyle() const { return m_exStyle; }
    // Returns FALSE when nothing changed.
    BOOL ModifyStyle(DWORD remove, DWORD add, UINT flags = 0);
    BOOL ModifyStyleEx(DWORD remove, DWORD add, UINT flags = 0);

    // ---- geometry (client coordinates unless named screen) ----
    void GetClientRect(Rect* rect) const;
    void GetWindowRect(Rect* rect) const; // screen coordinates
    void ClientToScreen(Point* point) const;
    void ClientToScreen(Rect* rect) const;
    void ScreenToClient(Point* point) const;
    void ScreenToClient(Rect* rect) const;
    // From this window's client coordinates to to's (the screen when null).
    void MapWindowPoints(const Window* to, Point* points, UINT count) const;
    void MapWindowPoints(const Window* to, Rect* rect) const;
    // Position in the parent's client coordinates.
    void MoveWindow(int x, int y, int width, int height, BOOL repaint = TRUE);
    void MoveWindow(const Rect& rect, BOOL repaint = TRUE);

    // ---- visibility and state ----
    BOOL ShowWindow(int cmdShow); // returns whether it was visible before
    BOOL IsWindowVisible() const;
    BOOL EnableWindow(BOOL enable = TRUE); // returns whether it was disabled
    BOOL IsWindowEnabled() const;

    // ---- text (bytes, Latin-1 on screen) and font ----
    void SetWindowText(const char* text);
    // Copies at most maxCount - 1 bytes and a NUL; returns the bytes copied.
    int GetWindowText(char* buffer, int maxCount) const;
    std::string GetWindowText() const;
    int GetWindowTextLength() const;
    void SetFont(Font* font, BOOL redraw = TRUE);
    Font* GetFont() const;

    // ---- painting ----
    void Invalidate(BOOL erase = TRUE);
    // A null rect invalidates the whole client area.
    void InvalidateRect(const Rect* rect, BOOL erase = TRUE);
    // Paints what is invalid now, before returning.
    void UpdateWindow();
    void SetRedraw(BOOL redraw = TRUE);
    // Inside OnPaint: the retained client image to draw on, with the
    // region being painted; erases first when asked (OnEraseBkgnd).
    // Returns null outside a paint of this window.
    QImage* BeginPaint(PAINTSTRUCT* paint);
    void EndPaint(const PAINTSTRUCT* paint);
    // The region the current paint covers, in client coordinates.
    QRegion GetPaintRegion() const { return m_paint.region; }
    // Outside a paint: a context on the client area (a ClientDc), which the
    // caller gives back with ReleaseDC. Null without a window.
    Dc* GetDC();
    int ReleaseDC(Dc* dc);
    // Outside a paint: the retained client image, which stays on screen until
    // the next paint; ReleaseSurface shows what was drawn. Null without a window.
    QImage* GetSurface();
    void ReleaseSurface();

    // ---- focus ----
    // Gives this window the keyboard focus; the old focus window's OnKillFocus
    // and this one's OnSetFocus run before it returns (on an active window).
    // Returns the window that had the focus.
    Window* SetFocus();
    static Window* GetFocus();

    // ---- messages ----
    // Runs the handler now; 0 without a window.
    LRESULT SendMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    // Queues the message; the key messages pass the hooks when they arrive.
    // FALSE without a window. A message whose window is gone is dropped.
    BOOL PostMessage(UINT message, WPARAM wParam = 0, LPARAM lParam = 0);
    virtual LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam);
    // The default handling of the message being handled now.
    LRESULT Default();
    // A message hook: TRUE consumes the message. The key path asks the focus
    // window's hook first, then its parents'.
    virtual BOOL PreTranslateMessage(MSG* msg);

    // Sends a notification record to the owner: fills hwndFrom, idFrom and
    // code. Returns the owner's result, 0 without an owner.
    LRESULT SendNotify(UINT code, NMHDR* header);
    // WM_COMMAND with a control notification code to the owner, sent or posted.
    LRESULT SendCommandToOwner(UINT code);
    BOOL PostCommandToOwner(UINT code);

    // ---- timers ----
    // Arms (or re-arms, restarting the period) timer id: WM_TIMER every
    // elapse ms. Returns id, 0 without a window.
    UINT_PTR SetTimer(UINT_PTR id, UINT elapse, void* unused = nullptr);
    BOOL KillTimer(UINT_PTR id);
    // For tests: the period of an armed timer (0 when not armed), and its
    // tick delivered now (FALSE when not armed).
    UINT GetTimerPeriod(UINT_PTR id) const;
    BOOL FireTimer(UINT_PTR id);

    // ---- mouse ----
    // Takes the mouse: moves and presses go to this window until released;
    // the previous holder gets OnCaptureChanged. Returns the previous holder.
    Window* SetCapture();
    static Window* GetCapture();
    void DragAcceptFiles(BOOL accept = TRUE);

  protected:
    // ---- creation hooks ----
    // Makes the widget; a control returns its own host (WindowHost<QtClass>).
    virtual QWidget* CreateWidget(QWidget* parent);
    virtual BOOL PreCreateWindow(CREATESTRUCT& cs);
    virtual void PostNcDestroy() {}
    // Styles changed: a control shows the new ones.
    virtual void OnStyleChanged(DWORD oldStyle, DWORD oldExStyle);
    // Controls that paint with their Qt class (an edit, a combo box): the
    // default paint is the Qt class's, not an erase.
    virtual bool PaintsNatively() const { return false; }

    // ---- message handlers; each default is Default() ----
    virtual int OnCreate(CREATESTRUCT* cs);
    virtual void OnDestroy();
    virtual void OnNcDestroy();
    virtual void OnClose();
    virtual void OnPaint();
    virtual BOOL OnEraseBkgnd(Dc* dc);
    virtual void OnSize(UINT type, int cx, int cy);
    virtual void OnShowWindow(BOOL show, UINT status);
    virtual void OnSysColorChange();
    virtual void OnSetFocus(Window* oldWnd);
    virtual void OnKillFocus(Window* newWnd);
    virtual void OnKeyDown(UINT nChar, UINT repCnt, UINT flags);
    virtual void OnKeyUp(UINT nChar, UINT repCnt, UINT flags);
    virtual void OnChar(UINT nChar, UINT repCnt, UINT flags);
    virtual void OnSysKeyDown(UINT nChar, UINT repCnt, UINT flags);
    virtual void OnSysKeyUp(UINT nChar, UINT repCnt, UINT flags);
    virtual UINT OnGetDlgCode();
    // A character from an input method; the default types it like WM_CHAR.
    virtual LRESULT OnImeChar(WPARAM ch, LPARAM flags);
    // WM_SETFONT (wParam the Font*, lParam redraw) and WM_GETFONT.
    virtual LRESULT OnSetFont(WPARAM font, LPARAM redraw);
    virtual LRESULT OnGetFont(WPARAM wParam, LPARAM lParam);
    virtual void OnMouseMove(UINT flags, Point point);
    virtual void OnLButtonDown(UINT flags, Point point);
    virtual void OnLButtonUp(UINT flags, Point point);
    virtual void OnLButtonDblClk(UINT flags, Point point);
    virtual void OnRButtonDown(UINT flags, Point point);
    virtual void OnRButtonUp(UINT flags, Point point);
    virtual void OnRButtonDblClk(UINT flags, Point point);
    // point in screen coordinates; delta 120 a notch.
    virtual BOOL OnMouseWheel(UINT flags, short delta, Point point);
    virtual BOOL OnSetCursor(Window* wnd, UINT hitTest, UINT message);
    virtual void OnTimer(UINT_PTR id);
    virtual void OnCaptureChanged(Window* newHolder);
    virtual void OnHScroll(UINT code, UINT pos, ScrollBar* bar);
    virtual void OnVScroll(UINT code, UINT pos, ScrollBar* bar);
    virtual void OnDropFiles(DropFiles* drop);
    // The owner's side of notifications: the base versions first offer the
    // message to the control it names (OnChildNotify) and answer TRUE when
    // it took it. A derived owner calls them first.
    virtual BOOL OnCommand(WPARAM wParam, LPARAM lParam);
    virtual BOOL OnNotify(WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual void OnDrawItem(int id, DRAWITEMSTRUCT* dis);
    virtual void OnMeasureItem(int id, MEASUREITEMSTRUCT* mis);
    // The control's side: a notification of its own reflected by the owner.
    // The default hands WM_NOTIFY to OnNotifyReflect, WM_COMMAND to
    // OnCommandReflect, WM_DRAWITEM to DrawItem and WM_MEASUREITEM to
    // MeasureItem. TRUE: taken, the owner's own handlers do not see it.
    virtual BOOL OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* result);
    virtual BOOL OnNotifyReflect(NMHDR* header, LRESULT* result);
    virtual BOOL OnCommandReflect(UINT code);
    virtual void DrawItem(DRAWITEMSTRUCT* dis);
    virtual void MeasureItem(MEASUREITEMSTRUCT* mis);

    // The default processing of a message: the Qt class's handling of the
    // event that made it, or the platform's for messages sent by code.
    virtual LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam);

    // The keyboard left this window for gaining (null: no window of ours)
    // without Qt telling this window's widget, as when it left a pop-up of
    // the window's own: the WM_KILLFOCUS a FocusOut gives, in the same order.
    void LoseFocusTo(Window* gaining);

  private:
    friend class HostBase;
    friend class KeyRouter;
    friend class MessageQueue;

    // The Qt event being handled as a message, for Default().
    struct Current {
        QEvent* event = nullptr;
        QWidget* receiver = nullptr;
        UINT message = 0;
        WPARAM wParam = 0;
        LPARAM lParam = 0;
        bool fromClient = false;
        bool defaultDone = false;
    };
    struct PaintState {
        bool active = false;
        bool drawn = false;
        QRegion region;
        QRegion erase;
    };

    // Called by the host for each Qt event; returns true when the event was
    // handled as a message (the host then does not pass it on).
    bool HandleQtEvent(QEvent* event, bool fromClient);
    // A mouse event for another widget while a window holds the capture goes
    // to the holder instead; true when it went there.
    static bool RouteMouseToCapture(QWidget* receiver, QEvent* event);
    void HandlePaintEvent(QEvent* event);
    void HandleMouseEvent(QEvent* event);
    void HandleFocusEvent(QEvent* event);
    // Runs a message made from a Qt event, with the event as the current one.
    LRESULT DispatchQtMessage(QEvent* event, QWidget* receiver, bool fromClient, UINT message,
                              WPARAM wParam, LPARAM lParam);
    void DeliverCurrentEvent();
    void SynthesizeKey(UINT message, WPARAM wParam);
    void HostGone();
    void EnsureSurface();
    void SetTextDirect(const char* text);
    void ApplyFont();

    QWidget* m_widget = nullptr;
    HostBase* m_host = nullptr;
    Window* m_parent = nullptr;
    Window* m_owner = nullptr;
    UINT m_id = 0;
    DWORD m_style = 0;
    DWORD m_exStyle = 0;
    std::string m_text;
    Font* m_font = nullptr;
    bool m_destroying = false;
    bool m_acceptFiles = false;
    // Cleared by the destructor: handlers that may delete the window check it.
    std::shared_ptr<bool> m_alive;
    Current m_current;
    PaintState m_paint;
    QRegion m_invalid;     // invalidated, not painted yet
    QRegion m_eraseRegion; // of that, to be erased first
    QRegion m_valid;       // parts of the retained image that show the window now
    std::unique_ptr<QImage> m_surface;
    std::unique_ptr<TimerTable> m_timers;
    Size m_lastClientSize{-1, -1};
};

// The free forms of the calls the Parts make on handles.
BOOL IsWindow(const Window* window);
BOOL ReleaseCapture();
Window* GetCapture();
Window* GetFocus();
// Runs msg through its window's WindowProc now.
LRESULT DispatchMessage(const MSG* msg);
// A key-down message queues the character it makes (WM_CHAR) after it.
BOOL TranslateMessage(const MSG* msg);

} // namespace platform
