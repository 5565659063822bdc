// Fixture of the editor's dialog tests: the database library in its start-up
// state around each test, images built in memory by the image builder and
// opened as the document opens them, dialogs run through the modal hook with
// a user's mouse and keys, and every message box recorded instead of shown.
#pragma once

#include "imagebuilder.h"
#include "slm.h"

#include "controls/combobox.h"
#include "dialogs/dialogbase.h"
#include "controls/edit.h"
#include "controls/listcontrol.h"
#include "dialogs/messagebox.h"

#include <QTest>

#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <string>
#include <vector>

namespace app_test {

using Image = std::vector<uint8_t>;

class DialogFixture : public ::testing::Test {
  protected:
    void SetUp() override;
    void TearDown() override;

    // The image the builder makes of spec (fails the test when it cannot).
    static Image Built(const ImageSpec& spec);
    // Opens image bytes as the document does (closing what was open).
    static void Open(const Image& image);
    // The flash image as it stands now, uncommitted changes left out.
    static Image FlashImage();

    // Runs a dialog: steps play the user once it is shown and active, and
    // must end it. Returns DoModal's result.
    static int RunModal(const std::function<int()>& doModal,
                        const std::function<void(platform::DialogBase&)>& steps);

    // The user's mouse and keys.
    static void Click(platform::Window* control);
    static void Type(platform::Edit* edit, const std::string& text);
    static void ClickRow(platform::ListControl& list, int row,
                         Qt::KeyboardModifiers modifiers = Qt::NoModifier);
    static void PressKey(platform::Window* control, Qt::Key key);

    // Reads from the database, the way the views do.
    static std::string NameOf(SvcHandle handle);
    // Names of a list's services of a type, in list order (walked as the
    // views walk: the first, then each next one).
    static std::vector<std::string> NamesIn(SvcListId list, uint8_t type);
    // Number of services of every kind.
    static uint16_t ServiceCount();

    platform::MessageBoxRecorder boxes;
};

} // namespace app_test
