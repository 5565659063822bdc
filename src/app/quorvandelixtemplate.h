// The program's one single-document template (resource 128): it joins the
// document, the main window and the form view. The main window builds its
// own panes instead of the view, so a view is made only when asked for.
#pragma once

#include "base/messages.h"

#include <memory>

class CQuorvandelixDoc;
class CQuorvandelixView;

class CQuorvandelixTemplate {
  public:
    explicit CQuorvandelixTemplate(platform::UINT resourceId) : m_nIDResource(resourceId) {}

    platform::UINT GetResourceId() const { return m_nIDResource; }
    // A new document. Never null.
    std::unique_ptr<CQuorvandelixDoc> CreateNewDocument() const;
    // A form view (without a window yet) on doc, whose ADD opens the
    // "Add Channel" dialog. Never null.
    std::unique_ptr<CQuorvandelixView> CreateView(CQuorvandelixDoc* doc) const;

  private:
    platform::UINT m_nIDResource;
};
