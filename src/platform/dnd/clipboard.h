// The clipboard that copy, cut and paste use. Everything goes through the
// current Clipboard: the system's by default, one in memory that a test
// installs so that it neither reads nor changes the desktop's.
#pragma once

#include "base/messages.h"

#include <QMimeData>

#include <memory>

namespace platform {

class Clipboard {
  public:
    virtual ~Clipboard() = default;
    // The data on the clipboard, owned by it and good until the next change;
    // null when it holds nothing.
    virtual const QMimeData* Data() const;
    // The clipboard takes data over and drops what it held; FALSE (data
    // dropped) for null data.
    virtual BOOL SetData(std::unique_ptr<QMimeData> data);
};

// A clipboard in memory: for tests.
class MemoryClipboard : public Clipboard {
  public:
    const QMimeData* Data() const override { return m_data.get(); }
    BOOL SetData(std::unique_ptr<QMimeData> data) override;

  private:
    std::unique_ptr<QMimeData> m_data;
};

// Installs a clipboard (nullptr: the system's) and returns the previous one;
// the caller keeps ownership.
Clipboard* InstallClipboard(Clipboard* clipboard);
Clipboard& CurrentClipboard();

} // namespace platform
