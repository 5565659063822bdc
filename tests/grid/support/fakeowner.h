// The owner window of a grid under test: a shown, active top-level window
// that logs each notification it receives and answers from a table.
#pragma once

#include "gridnotify.h"

#include "window/window.h"

#include <functional>
#include <map>
#include <string>
#include <utility>
#include <vector>

namespace grid_test {

// One notification as the owner saw it.
struct OwnerRecord {
    int code = 0;
    int id = 0;
    int row = -1;
    int col = -1;
    std::string text;  // NMGRIDITEM records
    LPARAM lParam = 0; // NMGRIDITEM records
    CCellSpan range;   // cache hints
};

// The display answer for one cell in virtual mode.
struct DisplayAnswer {
    std::string text;
    int image = -1;
    bool setImage = false;
    // Fills the font's face name to the end of its field, without a NUL.
    bool unterminatedFace = false;
};

class FakeOwner : public platform::Window {
  public:
    // Creates the window at (0, 0, width, height), shows and activates it.
    FakeOwner(int width = 400, int height = 300);
    ~FakeOwner() override;

    bool IsActive() const { return m_active; }
    const std::vector<OwnerRecord>& Records() const { return m_records; }
    void ClearRecords() { m_records.clear(); }
    // The records with this code.
    std::vector<OwnerRecord> RecordsOf(int code) const;

    // What to answer for a code (0 when not set).
    std::map<int, LRESULT> answers;
    // When set, answers every notification instead of the table (it may
    // also act on the grid, as an owner can).
    std::function<LRESULT(const OwnerRecord&)> answerFor;
    // Virtual mode: the contents the owner gives each cell.
    std::map<std::pair<int, int>, DisplayAnswer> display;

  protected:
    platform::BOOL OnNotify(platform::WPARAM wParam, platform::LPARAM lParam,
                            platform::LRESULT* result) override;
    // As a frame does: the child windows hear of new system colours too.
    void OnSysColorChange() override;

  private:
    std::vector<OwnerRecord> m_records;
    bool m_active = false;
};

} // namespace grid_test
