// The grid's place for drops: drags over the grid's own window reach the
// grid's drag operations, which decide about the data and paste it; drags
// over any other window are refused.
#pragma once

#include "dnd/droptarget.h"

class CGridCtrl;

class CGridDropTarget : public platform::DropTarget {
  public:
    CGridDropTarget() = default;
    ~CGridDropTarget() override;

    // FALSE when registered already, while another registration is under
    // way, for a null grid (assertion) or a grid without a window.
    platform::BOOL Register(CGridCtrl* pGridCtrl);
    void Revoke() override;

    platform::DROPEFFECT OnDragEnter(platform::Window* pWnd, platform::DataObject* pDataObject,
                                     platform::DWORD dwKeyState, platform::Point point) override;
    platform::DROPEFFECT OnDragOver(platform::Window* pWnd, platform::DataObject* pDataObject,
                                    platform::DWORD dwKeyState, platform::Point point) override;
    platform::BOOL OnDrop(platform::Window* pWnd, platform::DataObject* pDataObject,
                          platform::DROPEFFECT dropEffect, platform::Point point) override;
    void OnDragLeave(platform::Window* pWnd) override;
    // Copy with Ctrl, else move; the grid scrolls in its own drag-over.
    platform::DROPEFFECT OnDragScroll(platform::Window* pWnd, platform::DWORD dwKeyState,
                                      platform::Point point) override;

    CGridCtrl* GetGrid() const { return m_pGridCtrl; }
    platform::BOOL IsRegistered() const { return m_bRegistered; }

  private:
    // Whether pWnd is the registered grid's window.
    bool IsOwnWindow(platform::Window* pWnd) const;

    CGridCtrl* m_pGridCtrl = nullptr;
    platform::BOOL m_bRegistered = platform::FALSE;
};
