// A view laid out as a form: the controls of a dialog template are children
// of the view at their places (dialog units of the view's font). Their clicks
// and notifications reach the view's command table, their values move to and
// from members by data exchange, and the colours they are drawn in are the
// view's answer to OnCtlColor, asked for the form's background and for each
// control as the controls would ask their parent.
#pragma once

#include "window/commandtarget.h"
#include "dialogs/dialogtemplate.h"
#include "dialogs/printview.h"
#include "window/window.h"

#include <memory>
#include <vector>

namespace platform {

class Brush;
class DataExchange;

// What a control asks its colours for (the nCtlColor of OnCtlColor).
inline constexpr UINT CTLCOLOR_EDIT = 1;
inline constexpr UINT CTLCOLOR_LISTBOX = 2;
inline constexpr UINT CTLCOLOR_BTN = 3;
inline constexpr UINT CTLCOLOR_DLG = 4;
inline constexpr UINT CTLCOLOR_STATIC = 6;

class FormView : public Window, public CommandTarget, public PrintView {
  public:
    // form is the view's template; it must outlive the view.
    explicit FormView(const DialogTemplate& form);
    ~FormView() override;

    // Makes the view as a child of parent (a top-level window when null) at
    // the template's size, with the template's controls, and shows the
    // colours OnCtlColor gives. FALSE, with no window left, when the view or
    // one of its controls cannot be made.
    BOOL Create(Window* parent, UINT id);

    // The first update after the view was made: members into the controls.
    virtual void OnInitialUpdate();
    // Members -> controls (FALSE) or controls -> members with validation
    // (TRUE). FALSE when validation failed (its message was shown).
    BOOL UpdateData(BOOL saveAndValidate = TRUE);

    // The template's size in pixels of the view's font.
    Size GetTemplateSize() const;
    // Shrinks the parent's client area to the template's size where it is
    // larger; never grows it. Nothing without a parent.
    void ResizeParentToFit();
    // Asks OnCtlColor for the form's background and every control's colours
    // and shows them; a control that gets no brush keeps its own look.
    // A push button draws its own face and text.
    void ApplyCtlColors();

  protected:
    // The member that holds the template's control id; null makes a control
    // that the view owns.
    virtual Window* ControlFor(UINT id);
    virtual void DoDataExchange(DataExchange* pDX);
    // The brush to fill pWnd's background with, having set the text and
    // back colours on pDC; null for the system colours (the default).
    virtual Brush* OnCtlColor(Dc* pDC, Window* pWnd, UINT nCtlColor);

    // Control notifications: the control's own reflected handling first,
    // then the command table by id and code.
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    // The form's background, then OnDraw on a paint context.
    void OnPaint() override;
    // Fills the client area with the form's background brush.
    BOOL OnEraseBkgnd(Dc* pDC) override;
    void OnNcDestroy() override;

  private:
    // Makes each template item into its control; FALSE when one fails.
    BOOL CreateControls();

    const DialogTemplate& m_form;
    std::vector<std::unique_ptr<Window>> m_owned;
};

} // namespace platform
