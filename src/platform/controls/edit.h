// A one-line edit box over QLineEdit. Its text is bytes (Latin-1 on screen);
// the limit counts bytes. The box takes the keys it uses before any window
// shortcut does (Delete, arrows, letters), and a posted WM_CHAR or
// WM_IME_CHAR types into it like a key.
#pragma once

#include "window/window.h"

class QLineEdit;

namespace platform {

class Edit : public Window {
  public:
    // Style: ES_LEFT, ES_CENTER or ES_RIGHT alignment, ES_READONLY, WS_BORDER.
    BOOL Create(DWORD style, const Rect& rect, Window* parent, UINT id);

    // At most maxBytes bytes can be typed or pasted (0: the largest limit).
    // A longer text already in the box stays.
    void LimitText(int maxBytes = 0);
    UINT GetLimitText() const;
    // Selects [start, end); end -1 means the end of the text, start -1
    // removes the selection. Selecting everything from 0 leaves the caret at
    // 0, so the start of the text stays in view.
    void SetSel(int start, int end, BOOL noScroll = FALSE);
    void GetSel(int& start, int& end) const;
    // Start in the low word, end in the high word.
    DWORD GetSel() const;
    // Inserts the clipboard's text at the caret, within the limit.
    void Paste();

    QLineEdit* LineEdit() const;

  protected:
    QWidget* CreateWidget(QWidget* parent) override;
    bool PaintsNatively() const override { return true; }
    void OnStyleChanged(DWORD oldStyle, DWORD oldExStyle) override;
    LRESULT DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

  private:
    void ApplyStyle();
    void KeepLimit();
    int m_limit = 0;
};

} // namespace platform
