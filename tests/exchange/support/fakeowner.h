// An owner of a transfer that remembers every notification, in order, as the
// transfer dialog would receive them.
#pragma once
#include <string>
#include <vector>

#include "transferowner.h"

class FakeOwner final : public ITransferOwner {
  public:
    TransferSettings TransferSettingsSnapshot() override;
    void SetTransferProgress(int percent) override;
    void SetTransferIdle() override;
    void HideTransferStatus() override;
    void ClearTransferPath() override;
    void ShowTransferMessage(const std::string& text, MessageIcon icon) override;
    void TransferEnded(TransferOutcome outcome, const std::string& path) override;

    // Texts of the messages shown, oldest first.
    std::vector<std::string> MessageTexts() const;

    TransferSettings settings;
    int snapshots = 0;
    std::vector<int> progress;
    struct Message {
        std::string text;
        MessageIcon icon;
    };
    std::vector<Message> messages;
    int idles = 0;
    int statusHidden = 0;
    int pathCleared = 0;
    int ends = 0;
    TransferOutcome outcome = TransferOutcome::None;
    std::string endPath;
    // One word per notification: "progress", "idle", "hide", "clear", "message", "end".
    std::vector<std::string> log;
};
