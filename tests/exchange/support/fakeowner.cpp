#include "fakeowner.h"

TransferSettings FakeOwner::TransferSettingsSnapshot() {
    ++snapshots;
    return settings;
}

void FakeOwner::SetTransferProgress(int percent) {
    progress.push_back(percent);
    log.push_back("progress");
}

void FakeOwner::SetTransferIdle() {
    ++idles;
    log.push_back("idle");
}

void FakeOwner::HideTransferStatus() {
    ++statusHidden;
    log.push_back("hide");
}

void FakeOwner::ClearTransferPath() {
    ++pathCleared;
    log.push_back("clear");
}

void FakeOwner::ShowTransferMessage(const std::string& text, MessageIcon icon) {
    messages.push_back({text, icon});
    log.push_back("message");
}

void FakeOwner::TransferEnded(TransferOutcome endOutcome, const std::string& path) {
    ++ends;
    outcome = endOutcome;
    endPath = path;
    log.push_back("end");
}

std::vector<std::string> FakeOwner::MessageTexts() const {
    std::vector<std::string> texts;
    for (const Message& message : messages)
        texts.push_back(message.text);
    return texts;
}
