// Fixture of the satellite and transponder dialog tests: a database opened
// from an image that the test builds with the database tests' image builder,
// the dialogs run through the modal hook on an active window, and the real
// key and mouse events a user makes on their controls.
#pragma once

#include "controls/combobox.h"
#include "dialogs/dialogbase.h"
#include "controls/edit.h"
#include "imagebuilder.h"
#include "dialogs/messagebox.h"
#include "slm.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

namespace satdialog_test {

using platform::DialogBase;

class SatDialogTest : public ::testing::Test {
  protected:
    void TearDown() override;

    // No box ever blocks a test: one the test does not record itself is
    // answered here.
    platform::MessageBoxRecorder unexpectedBoxes;

    // Builds the image and opens it as the document does (region 0).
    static void Open(const ImageSpec& spec);

    // Runs a dialog: run shows it (its Run), steps act as the user once it
    // is up and active, and must end it. Returns run's result.
    static int RunDialog(const std::function<int()>& run,
                         const std::function<void(DialogBase&)>& steps);
};

platform::Edit* EditOf(DialogBase& dialog, int id);
platform::ComboBox* ComboOf(DialogBase& dialog, int id);

// Types into an edit as a user does: focus, the old text selected, Delete,
// then the keys ("" just deletes).
void TypeInto(DialogBase& dialog, int id, const char* text);
// Chooses a list's entry with the keyboard: focus, Home, then Down.
void Choose(DialogBase& dialog, int id, int index);
// Clicks a button (OK is 1, Cancel 2) with the mouse.
void Click(DialogBase& dialog, int id);
// Escape on the focused control.
void PressEscape(DialogBase& dialog);

// The text of a list's selection, "" when nothing is selected.
std::string SelectedText(DialogBase& dialog, int id);
// The entries of a list in order.
std::vector<std::string> Entries(DialogBase& dialog, int id);

// The satellite record of a slot as the table holds it (zeros when empty).
SatInfo StoredSat(uint32_t slot);
// The rows of the edit list, in order.
std::vector<TpRow> EditRows();
// The stored TpInfo records of a satellite, in table order.
std::vector<TpInfo> StoredTps(uint8_t satellite);

} // namespace satdialog_test
