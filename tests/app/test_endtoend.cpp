// The editor end to end, the way a user drives it: a list opened from a
// ".cdl", satellites, transponders and channels added in their dialogs,
// cells edited by keys, a channel moved, saved and opened again, a channel
// deleted, a new list, and the list sent to and received from the receiver
// simulator. Only menus, toolbar buttons, mouse and keys act; what the test
// reads back comes from the database, the files on disk and the widgets.
#include "endtoendfixture.h"

#include "dbstate.h"
#include "imagebuilder.h"
#include "smalllist.h"
#include "controls/listcontrol.h"
#include "mainfrm.h"
#include "mysupergrid.h"
#include "networktp.h"
#include "resource.h"
#include "satdialogfixture.h"
#include "servicecells.h"
#include "stbdownloaddlg.h"
#include "wrapper.h"

#include <QDir>
#include <QTest>
#include <QTreeWidget>

#include <algorithm>
#include <cstring>
#include <future>

namespace e2e_test {
namespace {

using namespace platform;
using satdialog_test::Choose;
using satdialog_test::Click;
using satdialog_test::TypeInto;

const char* const kStartName = "start.cdl";
const char* const kFreshName = "fresh.cdl";
const char* const kReceivedName = "ChannlList(20240305_0907).cdl";
const char* const kSaveQuestion = "Do you wnat to save current data.";
const char* const kPidRefusal = "Please enter a pid between 1 and 8191";
const char* const kName23 = "ABCDEFGHIJKLMNOPQRSTUVW";

// Polarity and demodulation positions of the transponder dialog's lists.
constexpr int kHorizontal = 1;
constexpr int kVertical = 2;
constexpr int kDvbS2Psk8 = 2;
constexpr int kEast = 0;

uint16_t FavEntry(uint32_t number, uint32_t type) {
    return static_cast<uint16_t>((number << 3) | type);
}

void SetFavourite(FavInfo& fav, const char* name, std::vector<uint16_t> entries) {
    std::memcpy(fav.name, name, std::strlen(name));
    fav.count = static_cast<uint16_t>(entries.size());
    std::copy(entries.begin(), entries.end(), fav.entries);
}

// The list the user starts from: "Astra" in region slot 0 with two
// transponders, four TV services and a radio one, and two favourite groups.
// Numbers as a load gives them: Alpha 1, Beta 2, Gamma 3, Delta 4; radio 1.
Bytes StartImage() {
    ImageSpec spec = SmallListSpec(MakeSatellite("Astra", 192, 9750000), 0,
                                   {{11000}, {12000, 27500, POL_VERTICAL}});
    spec.services = {{MakeService("Alpha", SVC_TYPE_TV, 101, 102), 0},
                     {MakeService("Beta", SVC_TYPE_TV, 201, 202), 0},
                     {MakeService("Radio One", SVC_TYPE_RADIO, 0, 302), 0},
                     {MakeService("Gamma", SVC_TYPE_TV, 401, 402), 1},
                     {MakeService("Delta", SVC_TYPE_TV, 501, 502), 1}};
    SetFavourite(spec.favourites[0], "Sport", {FavEntry(1, SVC_TYPE_TV), FavEntry(4, SVC_TYPE_TV)});
    SetFavourite(spec.favourites[1], "News",
                 {FavEntry(2, SVC_TYPE_TV), FavEntry(1, SVC_TYPE_RADIO)});
    EXPECT_TRUE(BuildImage(spec));
    return Bytes(g_FlashImage, g_FlashImage + DB_IMAGE_SIZE);
}

// The receiver's own list: "Sim Sat" with one transponder and two services.
Bytes ReceiverImage() {
    ImageSpec spec =
        SmallListSpec(MakeSatellite("Sim Sat", 130, 9750000), 1, {{11500, 22000, POL_VERTICAL}});
    spec.transportStreams[0].id1 = 7;
    spec.services = {{MakeService("Sim One", SVC_TYPE_TV, 701, 702), 0},
                     {MakeService("Sim Two", SVC_TYPE_TV, 711, 712), 0}};
    EXPECT_TRUE(BuildImage(spec));
    return Bytes(g_FlashImage, g_FlashImage + DB_IMAGE_SIZE);
}

std::vector<std::string> ServiceNames(const TpView& tp) {
    std::vector<std::string> names;
    for (const ServiceView& service : tp.services)
        names.push_back(service.name);
    return names;
}

const SatView* FindSat(const ListView& view, const std::string& prefix) {
    for (const SatView& sat : view.satellites)
        if (std::strncmp(reinterpret_cast<const char*>(sat.record.name), prefix.c_str(),
                         prefix.size()) == 0)
            return &sat;
    return nullptr;
}

// The list without service numbers, which a delete may renumber.
ListView WithoutNumbers(ListView view) {
    for (SatView& sat : view.satellites)
        for (TpView& tp : sat.tps)
            for (ServiceView& service : tp.services)
                service.number = 0;
    return view;
}

CSTBDownloadDlg& Transfer(DialogBase& dialog) {
    return dynamic_cast<CSTBDownloadDlg&>(dialog);
}

bool Ended(CSTBDownloadDlg& dialog) {
    Window* connect = dialog.GetDlgItem(ID_COM_CONNECT);
    return connect && connect->IsWindowEnabled() && !dialog.IsBusy() &&
           !dialog.Link().IsWorkerRunning();
}

// The receiver's requests for a whole file: blocks of 4096 bytes, then the end.
std::vector<DownloadStep> WholeFileSteps(size_t size) {
    constexpr size_t kBlock = 4096;
    std::vector<DownloadStep> steps;
    for (size_t offset = 0; offset < size; offset += kBlock)
        steps.push_back({DownloadStep::Data, static_cast<uint16_t>(std::min(kBlock, size - offset)),
                         static_cast<uint32_t>(offset)});
    steps.push_back({DownloadStep::Done});
    return steps;
}

TEST_F(EndToEndTest, TheUsersWholeRoadThroughTheRealWindows) {
    const Bytes startImage = StartImage();
    const Bytes receiverContainer = EncodeCdl(ReceiverImage());
    DB_ResetAllState();
    WriteFile(Path(kStartName), EncodeCdl(startImage));
    const Bytes defaultImage = ReadFile(Path("Default.dat"));
    ASSERT_EQ(defaultImage.size(), DB_IMAGE_SIZE);

    Start();
    ASSERT_FALSE(HasFatalFailure());

    // 1. No list at start; File Open of the ".cdl".
    {
        SCOPED_TRACE("1. open");
        EXPECT_EQ(frame()->m_bLoaded, 0);
        AnswerFile(Path(kStartName));
        ClickMenu(ID_LOAD_CHANNEL_DATA);
        ExpectQueuesUsed();
        ASSERT_EQ(frame()->m_bLoaded, 1);
        ASSERT_FALSE(fileRequests.empty());
        EXPECT_TRUE(fileRequests.back().open);
        EXPECT_TRUE(fileRequests.back().nameFilters.join(";").contains("Channel List(*.cdl)"));
        EXPECT_TRUE(frame()->windowTitle().endsWith(QStringLiteral("  start.cdl")));
        const ListView opened = CurrentList();
        ASSERT_EQ(opened.satellites.size(), 1u);
        ASSERT_EQ(opened.satellites[0].tps.size(), 2u);
        EXPECT_EQ(ServiceNames(opened.satellites[0].tps[0]),
                  (std::vector<std::string>{"Alpha", "Radio One", "Beta"}));
        EXPECT_EQ(ServiceNames(opened.satellites[0].tps[1]),
                  (std::vector<std::string>{"Gamma", "Delta"}));
        EXPECT_EQ(opened.favourites[0], (std::vector<std::string>{"Alpha", "Delta"}));
        EXPECT_EQ(opened.favourites[1], (std::vector<std::string>{"Beta", "Radio One"}));
        ASSERT_NE(SatelliteItem("Astra"), nullptr);
        EXPECT_TRUE(boxes.Calls().empty());
    }
    if (HasFatalFailure()) return;

    // 2. A satellite in the first user slot, two transponders, three channels.
    const uint32_t userSlot = SN_GetCurrentNumAntenna();
    {
        SCOPED_TRACE("2. add");
        ExpectDialog(IDD_EDIT_NETWORK, [](DialogBase& d) {
            EXPECT_EQ(d.GetWindowText(), "Add Network");
            TypeInto(d, IDC_NETWORK_NAME, "Hotbird");
            TypeInto(d, IDC_NETWORK_ANGLE, "13");
            Choose(d, IDC_NETWORK_EAST_WEST, kEast);
            Click(d, IDOK);
        });
        RightClickChoosing(RootItem(), ID_ADD_NETWORK);
        ExpectQueuesUsed();
        ASSERT_EQ(SN_IsSatUsed(userSlot), 1u);
        ASSERT_NE(SatelliteItem("Hotbird"), nullptr);

        struct NewTp {
            const char* frequency;
            const char* symbolRate;
            int polarity;
            int demodulation;
        };
        for (const NewTp& tp : {NewTp{"10971", "29700", kHorizontal, 0},
                                NewTp{"11034", "27500", kVertical, kDvbS2Psk8}}) {
            ExpectDialog(IDD_EDIT_TRANSPORT, [&tp](DialogBase& d) {
                EXPECT_EQ(d.GetWindowText(), "Add Transport");
                TypeInto(d, IDC_TRANSPORT_FREQUENCY, tp.frequency);
                TypeInto(d, IDC_TRANSPORT_SYMBOLRATE, tp.symbolRate);
                Choose(d, IDC_TRANSPORT_POLARITY, tp.polarity);
                Choose(d, IDC_TRANSPORT_DEMODULATION, tp.demodulation);
                Click(d, IDOK);
            });
            RightClickChoosing(SatelliteItem("Hotbird"), ID_ADD_TRANSPORT);
            ExpectQueuesUsed();
        }
        const ListView added = CurrentList();
        const SatView* hotbird = FindSat(added, "Hotbird");
        ASSERT_NE(hotbird, nullptr);
        EXPECT_EQ(hotbird->slot, userSlot);
        ASSERT_EQ(hotbird->tps.size(), 2u);
        EXPECT_EQ(hotbird->tps[0].frequency, 10971u);
        EXPECT_EQ(hotbird->tps[0].symbolRate, 29700u);
        EXPECT_EQ(hotbird->tps[0].polarisation, POL_HORIZONTAL);
        EXPECT_EQ(hotbird->tps[1].frequency, 11034u);
        EXPECT_EQ(hotbird->tps[1].polarisation, POL_VERTICAL);
        EXPECT_EQ(hotbird->tps[1].modulation, kDvbS2Psk8);

        // The first transponder chosen in the tree; channels added to it.
        Expand(SatelliteItem("Hotbird"));
        LeftClick(SatelliteItem("Hotbird")->child(0));
        ASSERT_EQ(tree()->m_select, CNetworkTp::kLevelTransponder);
        EXPECT_EQ(Cell(0, 0), "Hotbird | 10971");

        struct NewChannel {
            const char* name;
            const char* video;
            const char* audio;
            const char* pcr;
            bool fromToolbar;
        };
        const NewChannel channels[] = {{"Rai 1", "512", "650", "512", false},
                                       {"Rai 2", "513", "651", "513", true},
                                       {kName23, "514", "652", "514", false}};
        bool refusedOnce = false;
        for (const NewChannel& c : channels) {
            ExpectDialog(IDD_EDIT_CHANNEL, [&](DialogBase& d) {
                TypeInto(d, IDC_CHANNEL_NAME, c.name);
                TypeInto(d, IDC_CHANNEL_VIDEO_PID, c.video);
                TypeInto(d, IDC_CHANNEL_AUDIO_PID, c.audio);
                if (!refusedOnce) {
                    // A PCR PID out of range is refused and the dialog stays.
                    refusedOnce = true;
                    TypeInto(d, IDC_CHANNEL_PCR_PID, "8192");
                    Click(d, IDOK);
                    EXPECT_EQ(boxes.Texts(), std::vector<QString>{kPidRefusal});
                    EXPECT_TRUE(d.IsWindowVisible());
                    boxes.Clear();
                }
                TypeInto(d, IDC_CHANNEL_PCR_PID, c.pcr);
                Click(d, IDOK);
            });
            if (c.fromToolbar)
                ClickToolButton(ID_ADD_CHANNEL);
            else
                ClickMenu(ID_ADD_CHANNEL);
            ExpectQueuesUsed();
        }
        // The dialog's name box takes 15 characters of the 23 typed.
        EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Rai 1", "Rai 2", "ABCDEFGHIJKLMNO"}));
        const TpView tp = FindSat(CurrentList(), "Hotbird")->tps[0];
        ASSERT_EQ(tp.services.size(), 3u);
        EXPECT_EQ(tp.services[1].videoPid, 513u);
        EXPECT_EQ(tp.services[1].audioPid, 651u);
        EXPECT_EQ(tp.services[1].pcrPid, 513u);
        EXPECT_EQ(ServiceCount(), 8u);
        EXPECT_TRUE(boxes.Calls().empty());
    }
    if (HasFatalFailure()) return;

    // 3. Cells edited with keys: a name, a video PID, an out-of-range PID.
    {
        SCOPED_TRACE("3. cells");
        EditCell(2, colServiceName, "Rai Due");
        EditCell(3, colServiceName, kName23);
        EditCell(1, colVid, "1234");
        const ListView before = CurrentList();
        EditCell(1, colVid, "9000");
        EXPECT_EQ(CurrentList(), before) << "an out-of-range PID stores nothing";
        EXPECT_EQ(Cell(1, colVid), "1234") << "the cell shows what the record holds";
        ASSERT_EQ(boxes.Texts(), std::vector<QString>{kPidCellRefusal}) << "and says why";
        boxes.Clear();
        EXPECT_EQ(ListedNames(),
                  (std::vector<std::string>{"Rai 1", "Rai Due", "ABCDEFGHIJKLMNOPQRSTU"}));
        const TpView tp = FindSat(before, "Hotbird")->tps[0];
        EXPECT_EQ(ServiceNames(tp),
                  (std::vector<std::string>{"Rai 1", "Rai Due", "ABCDEFGHIJKLMNOPQRSTU"}));
        EXPECT_EQ(tp.services[0].videoPid, 1234u);
        EXPECT_TRUE(boxes.Calls().empty());
    }

    // 4. "Rai Due" moved to the top of the TV list in the channel move dialog.
    {
        SCOPED_TRACE("4. move");
        std::vector<std::string> shown;
        ExpectDialog(IDD_ORDERING_CHANNEL, [&](DialogBase& d) {
            auto* rows = d.GetDlgItem<ListControl>(IDC_ORDER_LIST);
            ASSERT_NE(rows, nullptr);
            for (int row = 0; row < rows->GetItemCount(); ++row)
                shown.push_back(rows->GetItemText(row, 1));
            const auto source = std::find(shown.begin(), shown.end(), "Rai Due");
            ASSERT_NE(source, shown.end());
            const auto click = [&](int row) {
                Rect rect;
                ASSERT_TRUE(rows->GetItemRect(row, &rect, LVIR_LABEL));
                QTest::mouseClick(
                    rows->GetClientWidget(), Qt::LeftButton, {},
                    QPoint((rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2));
            };
            click(static_cast<int>(source - shown.begin()));
            click(0);
            EXPECT_EQ(rows->GetItemText(0, 1), "Rai Due");
            Click(d, IDOK);
        });
        ClickMenu(ID_MOVE_CHANNEL);
        ExpectQueuesUsed();
        EXPECT_EQ(shown, (std::vector<std::string>{"Alpha", "Beta", "Gamma", "Delta", "Rai 1",
                                                   "Rai Due", "ABCDEFGHIJKLMNOPQRSTU"}));
        const TpView tp = FindSat(CurrentList(), "Hotbird")->tps[0];
        EXPECT_EQ(ServiceNames(tp),
                  (std::vector<std::string>{"Rai Due", "Rai 1", "ABCDEFGHIJKLMNOPQRSTU"}));
        EXPECT_EQ(ListedNames(), ServiceNames(tp));
    }
    if (HasFatalFailure()) return;

    // 5. Save, close the list, open it again: everything as it was saved.
    const ListView saved = CurrentList();
    {
        SCOPED_TRACE("5. save and reopen");
        ClickToolButton(ID_SAVE_CHANNEL_DATA);
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{kSaveQuestion});
        boxes.Clear();
        const Bytes image = DecodeCdl(Path(kStartName));
        ASSERT_EQ(image.size(), DB_IMAGE_SIZE) << "the saved file decodes";
        EXPECT_TRUE(image == ReadFile(Path("data.tmp")));

        ClickMenu(ID_NEW_FILE);
        EXPECT_TRUE(CurrentList().satellites.empty()) << "the list was closed";
        AnswerFile(Path(kStartName));
        ClickToolButton(ID_LOAD_CHANNEL_DATA);
        ExpectQueuesUsed();
        ASSERT_EQ(frame()->m_bLoaded, 1) << "the saved image loads";
        EXPECT_EQ(CurrentList(), saved);
        EXPECT_EQ(saved.favourites[0], (std::vector<std::string>{"Alpha", "Delta"}));
        EXPECT_EQ(saved.favourites[1], (std::vector<std::string>{"Beta", "Radio One"}));
        EXPECT_TRUE(boxes.Calls().empty());
    }
    if (HasFatalFailure()) return;

    // 6. A channel selected and deleted with the Delete key; saved; reopened.
    {
        SCOPED_TRACE("6. delete");
        Expand(RootItem());
        Expand(SatelliteItem("Hotbird"));
        LeftClick(SatelliteItem("Hotbird")->child(0));
        ASSERT_EQ(ListedNames(),
                  (std::vector<std::string>{"Rai Due", "Rai 1", "ABCDEFGHIJKLMNOPQRSTU"}));
        ClickCell(2, colServiceName);
        PressKeyInList(Qt::Key_Delete);
        EXPECT_EQ(ListedNames(), (std::vector<std::string>{"Rai Due", "ABCDEFGHIJKLMNOPQRSTU"}));
        ClickMenu(ID_SAVE_CHANNEL_DATA);
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{kSaveQuestion});
        boxes.Clear();
        AnswerFile(Path(kStartName));
        ClickMenu(ID_LOAD_CHANNEL_DATA);
        ExpectQueuesUsed();
        ASSERT_EQ(frame()->m_bLoaded, 1);
        ListView expected = WithoutNumbers(saved);
        for (SatView& sat : expected.satellites)
            for (TpView& tp : sat.tps)
                std::erase_if(tp.services,
                              [](const ServiceView& service) { return service.name == "Rai 1"; });
        EXPECT_EQ(WithoutNumbers(CurrentList()), expected);
        EXPECT_EQ(ServiceCount(), 7u);
    }
    if (HasFatalFailure()) return;

    // 7. File New: the empty list of "Default.dat"; its first save asks for a name.
    {
        SCOPED_TRACE("7. new");
        ClickMenu(ID_NEW_FILE);
        ASSERT_EQ(frame()->m_bLoaded, 1);
        EXPECT_TRUE(CurrentList().satellites.empty());
        EXPECT_EQ(ServiceCount(), 0u);
        EXPECT_EQ(RootItem()->childCount(), 0);
        EXPECT_TRUE(frame()->windowTitle().endsWith(QStringLiteral("  NewData.cdl")));

        fileRequests.clear();
        AnswerFile(Path(kFreshName));
        ClickToolButton(ID_SAVE_CHANNEL_DATA);
        ExpectQueuesUsed();
        ASSERT_EQ(fileRequests.size(), 1u);
        EXPECT_FALSE(fileRequests[0].open);
        EXPECT_EQ(fileRequests[0].initialName, QStringLiteral("newdata"));
        EXPECT_EQ(fileRequests[0].defaultExtension, QStringLiteral("cdl"));
        EXPECT_TRUE(fileRequests[0].flags & OFN_OVERWRITEPROMPT);
        const Bytes image = DecodeCdl(Path(kFreshName));
        ASSERT_EQ(image.size(), DB_IMAGE_SIZE);
        EXPECT_TRUE(image == ReadFile(Path("data.tmp")));
        EXPECT_TRUE(ReadFile(Path("Default.dat")) == defaultImage)
            << "the template is never written";
        boxes.Clear();
    }
    if (HasFatalFailure()) return;

    // 8. The Communication menu against the receiver simulator.
    ReceiverSim sim(pty);
    {
        SCOPED_TRACE("8a. send the saved list");
        const Bytes file = ReadFile(Path(kStartName));
        DownloadReport report;
        AnswerFile(Path(kStartName));
        ExpectDialog(IDD_STBDOWNLOAD_DIALOG, [&](DialogBase& d) {
            CSTBDownloadDlg& dialog = Transfer(d);
            Click(d, ID_FILE_LOAD);
            Click(d, ID_COM_CONNECT);
            auto receiver = std::async(
                std::launch::async, [&] { return sim.RunDownload(WholeFileSteps(file.size())); });
            EXPECT_TRUE(PumpUntil([&] { return !boxes.Calls().empty() && Ended(dialog); }));
            report = receiver.get();
            QTest::keyClick(d.GetWidget(), Qt::Key_Escape);
        });
        ClickMenu(ID_DOWNLOAD_CHANNEL_DATA);
        ExpectQueuesUsed();
        EXPECT_EQ(report.error, "");
        Bytes received;
        for (const Bytes& answer : report.answers)
            received.insert(received.end(), answer.begin(), answer.end());
        EXPECT_TRUE(received == file) << "the receiver got the saved file byte for byte";
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Communication Complete"});
        boxes.Clear();
    }
    {
        SCOPED_TRACE("8b. receive the receiver's list");
        UploadReport report;
        ExpectDialog(IDD_STBDOWNLOAD_DIALOG, [&](DialogBase& d) {
            CSTBDownloadDlg& dialog = Transfer(d);
            Click(d, ID_COM_CONNECT);
            auto receiver =
                std::async(std::launch::async, [&] { return sim.RunUpload({receiverContainer}); });
            EXPECT_TRUE(PumpUntil([&] { return !boxes.Calls().empty() && Ended(dialog); }));
            report = receiver.get();
            QTest::keyClick(d.GetWidget(), Qt::Key_Return);
        });
        ClickMenu(ID_UPLOAD_CHANNEL_DATA);
        ExpectQueuesUsed();
        EXPECT_EQ(report.error, "");
        // No date file of today: the file system's reason, and the list stays.
        EXPECT_EQ(boxes.Texts(),
                  (std::vector<QString>{"Communication Complete", "No such file or directory"}));
        EXPECT_EQ(boxes.Calls().back().caption, QStringLiteral("Quorvandelix"));
        EXPECT_EQ(ServiceCount(), 0u);
        EXPECT_TRUE(CurrentList().satellites.empty());
        EXPECT_TRUE(ReadFile(Path(kReceivedName)) == receiverContainer);
        boxes.Clear();

        AnswerFile(Path(kReceivedName));
        ClickMenu(ID_LOAD_CHANNEL_DATA);
        ExpectQueuesUsed();
        ASSERT_EQ(frame()->m_bLoaded, 1);
        const ListView received = CurrentList();
        ASSERT_EQ(received.satellites.size(), 1u);
        ASSERT_EQ(received.satellites[0].tps.size(), 1u);
        EXPECT_EQ(ServiceNames(received.satellites[0].tps[0]),
                  (std::vector<std::string>{"Sim One", "Sim Two"}));
        ASSERT_NE(SatelliteItem("Sim Sat"), nullptr);
        EXPECT_TRUE(boxes.Calls().empty());
    }
    {
        SCOPED_TRACE("8c. a receiver that goes silent");
        const QStringList before = QDir(scratch.path()).entryList(QDir::Files);
        std::vector<Bytes> contents;
        for (const QString& name : before)
            contents.push_back(ReadFile(Path(name.toStdString())));
        ReceiverSim silent(pty);
        silent.SetAnswerTimeout(std::chrono::milliseconds(500));
        longestStallMs = 0;
        ExpectDialog(IDD_STBDOWNLOAD_DIALOG, [&](DialogBase& d) {
            CSTBDownloadDlg& dialog = Transfer(d);
            Click(d, ID_COM_CONNECT);
            auto receiver = std::async(std::launch::async, [&] {
                return silent.RunUpload({receiverContainer, false, BlockFault::Silent, 3});
            });
            EXPECT_TRUE(PumpUntil([&] { return !boxes.Calls().empty() && Ended(dialog); }));
            receiver.get();
            QTest::keyClick(d.GetWidget(), Qt::Key_Escape);
        });
        ClickMenu(ID_UPLOAD_CHANNEL_DATA);
        ExpectQueuesUsed();
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{"Data Receive Error"});
        EXPECT_LT(longestStallMs, 2000) << "the editor stayed responsive";
        for (size_t n = 0; n < static_cast<size_t>(before.size()); ++n)
            EXPECT_TRUE(ReadFile(Path(before[static_cast<int>(n)].toStdString())) == contents[n])
                << before[static_cast<int>(n)].toStdString() << " was clobbered";
        // What arrived before the silence is kept under a name of its own.
        QStringList added = QDir(scratch.path()).entryList(QDir::Files);
        for (const QString& name : before)
            added.removeOne(name);
        ASSERT_EQ(added.size(), 1);
        EXPECT_TRUE(added[0].endsWith(QStringLiteral(".cdl.part"))) << added[0].toStdString();
        EXPECT_EQ(ServiceNames(CurrentList().satellites[0].tps[0]),
                  (std::vector<std::string>{"Sim One", "Sim Two"}));
    }
    if (HasFatalFailure()) return;

    // 9. A change not saved: File Exit asks first; Cancel keeps the editor,
    // Yes saves the list into its file and ends.
    {
        SCOPED_TRACE("9. exit with a change");
        Expand(RootItem());
        Expand(SatelliteItem("Sim Sat"));
        LeftClick(SatelliteItem("Sim Sat")->child(0));
        ASSERT_EQ(ListedNames(), (std::vector<std::string>{"Sim One", "Sim Two"}));
        ClickCell(1, colServiceName);
        PressKeyInList(Qt::Key_Delete);
        ASSERT_EQ(ListedNames(), std::vector<std::string>{"Sim Two"});
        EXPECT_TRUE(frame()->windowTitle().endsWith(QLatin1Char('*')));
        boxes.Clear();
        const QString question = QStringLiteral("Save changes to %1?").arg(kReceivedName);
        boxes.QueueAnswer(IDCANCEL);
        ClickMenu(ID_APP_EXIT);
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{question});
        EXPECT_TRUE(frame()->isVisible()) << "Cancel keeps the editor";
        boxes.Clear();
        boxes.QueueAnswer(IDYES);
        ClickMenu(ID_APP_EXIT);
        EXPECT_EQ(boxes.Texts(), std::vector<QString>{question});
        EXPECT_FALSE(frame()->isVisible()) << "the editor ended";
        const Bytes saved = DecodeCdl(Path(kReceivedName));
        ASSERT_EQ(saved.size(), DB_IMAGE_SIZE);
        EXPECT_TRUE(saved == ReadFile(Path("data.tmp")));
        EXPECT_EQ(ServiceCount(), 1u);
    }
}

} // namespace
} // namespace e2e_test
