// The document template's form view (form 101): a grid over the form's
// placeholder, with the buttons "ADD", "DELETE" and "FAV", the "TV" and
// "RADIO" choices, the "SORT" list and two text fields above it. The main
// window shows its own panes instead, so the view exists for the template's
// sake; its grid is never given rows or columns by the editor.
//
// Editing stays off for the view's whole life (m_bEditEnabled is 0): ADD and
// the grid's right-click menu do nothing, and what the user sees is DELETE
// and FAV following the grid's row, DELETE's message and the form's colours.
#pragma once

#include "controls/button.h"
#include "controls/combobox.h"
#include "dialogs/formview.h"
#include "gridctrl.h"
#include "titletip.h"

#include <cstdint>
#include <functional>
#include <string>

class CNetworkTp;
class CQuorvandelixDoc;

class CQuorvandelixView : public platform::FormView {
  public:
    // The form's background and its controls' text.
    static constexpr platform::COLORREF kBackColour = platform::RGB(0, 0, 0);
    static constexpr platform::COLORREF kTextColour = platform::RGB(255, 245, 0);

    // How ADD opens the "Add Channel" dialog: mode, the tree's level,
    // satellite slot and transponder row; the dialog's result. The
    // application sets it when the template makes the view.
    using EditChannelRunner =
        std::function<int(uint8_t mode, uint8_t level, uint8_t network, uint16_t tp)>;

    CQuorvandelixView();
    ~CQuorvandelixView() override;

    // The form's own update, the parent shrunk to the form, the grid over
    // the placeholder, the title tip; ADD, DELETE, SORT and FAV disabled;
    // members into the controls. Without a window nothing happens.
    void OnInitialUpdate() override;

    // The view's document; null before the template gave it one.
    CQuorvandelixDoc* GetDocument() const { return m_pDocument; }
    void SetDocument(CQuorvandelixDoc* doc) { m_pDocument = doc; }
    void SetEditChannelRunner(EditChannelRunner runner) { m_runEditChannel = std::move(runner); }

    // ---- printing: the print dialog, then nothing is printed
    bool OnPreparePrinting(platform::PrintInfo* info) override;
    void OnBeginPrinting(platform::Dc* dc, platform::PrintInfo* info) override;
    void OnPrint(platform::Dc* dc, platform::PrintInfo* info) override;
    void OnEndPrinting(platform::Dc* dc, platform::PrintInfo* info) override;
    // The controls cover the form; nothing is drawn.
    void OnDraw(platform::Dc* dc) override;

    // ---- commands
    // Only while editing is on: the "Add Channel" dialog on the selection of
    // the tree in the first pane of the splitter holding the view. Nothing
    // when the view is in no splitter or that pane is no tree.
    void OnAdd();
    // "This function is not applied" ("Infomation", OK).
    void OnDelete();

    platform::Button m_btnFav;
    platform::Button m_btnDelete;
    platform::Button m_btnAdd;
    int m_bTv = 0;
    int m_bRadio = 0;
    platform::ComboBox m_cbSort;
    std::string m_strChannelCount;
    std::string m_strChannelInfo;
    CGridCtrl m_Grid;
    CTitleTip m_TitleTip;
    int m_bEditEnabled = 0;
    // Rows as 16 bits, as the view has always kept them; decisions use the
    // notification's own row.
    uint16_t m_nSelRow = 0;
    uint16_t m_nMenuRow = 0;
    std::string m_strEditText;

  protected:
    platform::Window* ControlFor(platform::UINT id) override;
    void DoDataExchange(platform::DataExchange* pDX) override;
    // Black behind every control and the form, yellow text.
    platform::Brush* OnCtlColor(platform::Dc* pDC, platform::Window* pWnd,
                                platform::UINT nCtlColor) override;
    // The grid's notifications; others go to the base.
    platform::BOOL OnNotify(platform::WPARAM wParam, platform::LPARAM lParam,
                            platform::LRESULT* result) override;

  private:
    // DELETE and FAV follow the grid row a notification names.
    void EnableRowButtons(int row);
    // The right-click menu of a grid row (menu 132, pop-up 3) at the cursor.
    void ShowRowMenu();
    // The tree in pane (0, 0) of the splitter holding the view, or null.
    const CNetworkTp* SplitterTree() const;
    // After the "Add Channel" dialog created a service: nothing to refresh.
    void OnRefresh() {}

    CQuorvandelixDoc* m_pDocument = nullptr;
    EditChannelRunner m_runEditChannel;
};
