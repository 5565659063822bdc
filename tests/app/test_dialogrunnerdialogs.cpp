// The editor's own dialog runner opens the real satellite, transponder and
// channel dialogs, with the mode and slot the tree hands over.
#include "dialogrunner.h"
#include "editnetwork.h"
#include "edittransport.h"
#include "resource.h"
#include "satdialogfixture.h"

namespace satdialog_test {
namespace {

using namespace platform;

class DialogRunnerDialogsTest : public SatDialogTest {
  protected:
    void SetUp() override {
        ImageSpec spec;
        spec.satellites[0] = MakeSatellite("Astra", 192, 9750000);
        spec.transponders = {MakeTs(11000, 27500, POL_HORIZONTAL, 0).tp};
        Open(spec);
        previous = SetDialogRunner(DefaultDialogRunner());
    }
    void TearDown() override {
        SetDialogRunner(previous);
        SatDialogTest::TearDown();
    }
    DialogRunner previous;
};

TEST_F(DialogRunnerDialogsTest, TheTreesCallsOpenTheRealDialogs) {
    struct Case {
        const char* what;
        std::function<int()> run;
        UINT templateId;
        const char* caption;
    } cases[] = {
        {"edit network", [] { return RunEditNetwork(nullptr, 0, 0); }, IDD_EDIT_NETWORK,
         "Edit Network"},
        {"add network", [] { return RunEditNetwork(nullptr, 1, 53); }, IDD_EDIT_NETWORK,
         "Add Network"},
        {"edit transport", [] { return RunEditTransport(nullptr, 0, 0, 0); }, IDD_EDIT_TRANSPORT,
         "Edit Transport"},
        {"add transport", [] { return RunEditTransport(nullptr, 1, 0, 0); }, IDD_EDIT_TRANSPORT,
         "Add Transport"},
        {"add channel", [] { return RunEditChannel(nullptr, 1, 2, 0, 0); }, IDD_EDIT_CHANNEL,
         "Add Channel"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        EXPECT_EQ(RunDialog(c.run,
                            [&](DialogBase& d) {
                                EXPECT_EQ(d.GetTemplateId(), c.templateId);
                                EXPECT_EQ(d.GetWindowText(), c.caption);
                                Click(d, IDCANCEL);
                            }),
                  IDCANCEL);
    }
}

} // namespace
} // namespace satdialog_test
