// What the tree list asks of its open in-place editor (an edit box or a
// combo box), which registers itself with the list while it is open.
#pragma once

class CInPlaceEditor {
  public:
    virtual ~CInPlaceEditor() = default;

    // Ends the edit now as a focus loss would: one report, then the window
    // closes. Nothing when the editor has reported already.
    virtual void EndEdit() = 0;
    // Closes the window without a report (the list is going).
    virtual void AbandonEdit() = 0;
    // The edited row and list column.
    virtual int EditRow() const = 0;
    virtual int EditColumn() const = 0;
};
