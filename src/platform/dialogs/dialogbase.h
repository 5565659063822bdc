// A dialog: a top-level window with controls, run modally (DoModal) or
// modeless (Create). The controls come from CreateControls, which makes them
// from the dialog's template (CreateFromTemplate); OnInitDialog moves the members into them, OK
// moves them back with validation and ends the dialog, Cancel, Escape and the close box end it with
// IDCANCEL. The window is destroyed (OnDestroy runs) before DoModal returns. Commands of the
// dialog's buttons, menus and controls go to its command table: IDOK to OnOK, IDCANCEL to OnCancel,
// others as mapped.
//
// Tests never block: a modal hook, when installed, runs in place of the
// modal loop with the dialog shown, and must end the dialog.
#pragma once

#include "window/commandtarget.h"
#include "dialogs/messagebox.h"
#include "window/window.h"

#include <QPointer>
#include <QWidget>

#include <functional>
#include <initializer_list>
#include <memory>
#include <utility>
#include <vector>

class QEventLoop;

namespace platform {

class DataExchange;
struct DialogTemplate;

inline constexpr UINT WM_INITDIALOG = 0x0110;

class DialogBase : public Window, public CommandTarget {
  public:
    explicit DialogBase(UINT templateId = 0, Window* parent = nullptr);
    ~DialogBase() override;

    // Runs the dialog: creates it, OnInitDialog, the modal loop (or the
    // test's hook) until EndDialog, then destroys it. Returns the result
    // given to EndDialog, or -1 when the window could not be created.
    virtual int DoModal();
    // Creates the dialog modeless and shows it; FALSE when it exists already
    // or cannot be created.
    BOOL Create(UINT templateId, Window* parent = nullptr);

    // The parent window that the next DoModal opens the dialog over.
    void SetParentWnd(Window* parent) { m_parentWnd = parent; }

    // Ends the dialog with a result: a modal loop returns; a modeless dialog
    // is hidden (DestroyWindow removes it).
    void EndDialog(int result);

    // Members -> controls (FALSE) or controls -> members with validation
    // (TRUE, the default). FALSE when validation failed; the failing
    // control has the focus and the dialog stays open.
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    using Window::GetDlgItem;
    // The control with the id as its class, or null when it is another class.
    template <class T> T* GetDlgItem(int id) const { return dynamic_cast<T*>(GetDlgItem(id)); }
    void SetDlgItemText(int id, const char* text);

    UINT GetTemplateId() const { return m_templateId; }
    // The window the dialog belongs to while it exists: its parent's, else
    // the main window (or the modal dialog over it) it was made over; null
    // when it stands alone.
    QWidget* OwnerWidget() const;
    // Dialog units (a quarter of the font's average width, an eighth of its
    // height) to pixels, as the dialog's template measures its controls.
    Rect MapDialogRect(const Rect& dialogUnits) const;

    // Test hook: runs in place of the modal loop. Returns the previous hook.
    using ModalHook = std::function<void(DialogBase&)>;
    static ModalHook SetModalHook(ModalHook hook);

  protected:
    // The template: makes the dialog's controls (members or AddControl),
    // sets the caption and the size. Runs before OnInitDialog.
    virtual void CreateControls() {}
    // UpdateData(FALSE); TRUE lets the first control take the focus.
    virtual BOOL OnInitDialog();
    // UpdateData(TRUE), then EndDialog(IDOK); on failure the dialog stays.
    virtual void OnOK();
    virtual void OnCancel();
    virtual void DoDataExchange(DataExchange* pDX);

    // A control of the template that no member holds; the dialog owns it.
    template <class T> T* AddControl() {
        m_owned.push_back(std::make_unique<T>());
        return static_cast<T*>(m_owned.back().get());
    }
    // Sizes the dialog's client area in dialog units.
    void SetDialogSize(int cxDialogUnits, int cyDialogUnits);
    // Makes the template's controls in its order, each into the member paired
    // with its id or else into a control of its class that the dialog owns,
    // then takes the template's caption, size and frame. FALSE when a control
    // could not be made (the others are made).
    BOOL CreateFromTemplate(const DialogTemplate& dialogTemplate,
                            std::initializer_list<std::pair<UINT, Window*>> members = {});

    // Buttons, menus and control notifications: the control's own reflected
    // handling first, then the command table by id and code.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    // A dialog's close box asks for Cancel.
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    QWidget* CreateWidget(QWidget* parent) override;
    void OnNcDestroy() override;

  private:
    BOOL CreateDialogWindow();
    void ShowDialog();

    UINT m_templateId;
    Window* m_parentWnd;
    // The owner of a dialog made without a parent window.
    QPointer<QWidget> m_ownerWidget;
    std::vector<std::unique_ptr<Window>> m_owned;
    bool m_ended = false;
    int m_result = IDCANCEL;
    QEventLoop* m_loop = nullptr;
};

} // namespace platform
