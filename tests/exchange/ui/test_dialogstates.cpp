// The transfer dialog without a transfer: the modes' presets, the keys and
// commands that end it, the file to send (Load, the command line), the one
// rule of the Load command, ports that do not exist, and minimising.
#include "dialogtest.h"

#include <QAction>
#include <QActionGroup>
#include <QElapsedTimer>
#include <QRegularExpression>

#include <filesystem>

#include "base/appcommandline.h"
#include "cdltest.h"

namespace {

using namespace std::chrono_literals;

// The path in double quotes, as a shell hands a path with blanks over.
std::string Quoted(const std::string& path) {
    std::string quoted(1, '"');
    quoted.append(path);
    quoted.push_back('"');
    return quoted;
}

// A filter of the Load dialog in Qt's form ("desc (p1 p2)") matches name.
bool FilterMatches(const QStringList& filters, const QString& name) {
    for (const QString& filter : filters) {
        const QString patterns = filter.section('(', -1).section(')', 0, 0);
        for (const QString& pattern : patterns.split(' ', Qt::SkipEmptyParts))
            if (QRegularExpression(QRegularExpression::wildcardToRegularExpression(pattern))
                    .match(name)
                    .hasMatch())
                return true;
    }
    return false;
}

TEST_F(TransferDialogTest, ModesPresetCaptionKindDirectionAndLoad) {
    struct Case {
        unsigned mode;
        const char* caption;
        int kind;
        int direction;
        bool load; // the Load button and File > Load
    };
    const Case cases[] = {
        {1, "Upload Channel Data Sat->Pc", XFER_KIND_CHANNEL, XFER_DIR_UPLOAD, false},
        {2, "Download Channel Data Pc->Sat", XFER_KIND_CHANNEL, XFER_DIR_DOWNLOAD, true},
        {4, "Download Program Pc->Sat", XFER_KIND_PROGRAM, XFER_DIR_DOWNLOAD, true},
        {5, "Upload Key Data Sat->PC", XFER_KIND_KEY, XFER_DIR_UPLOAD, false},
        {6, "Download Key Data Pc->Sat", XFER_KIND_KEY, XFER_DIR_DOWNLOAD, true},
        {3, "Download Program Pc->Sat", XFER_KIND_PROGRAM, XFER_DIR_DOWNLOAD, true},
        {7, "Download Program Pc->Sat", XFER_KIND_PROGRAM, XFER_DIR_DOWNLOAD, true},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.mode);
        const int result = Run(c.mode, [&](CSTBDownloadDlg& d) {
            EXPECT_EQ(d.GetWindowText(), c.caption);
            EXPECT_EQ(Selection(d, IDC_COMBO_KIND), c.kind);
            EXPECT_EQ(Selection(d, IDC_COMBO_DIRECTION), c.direction);
            EXPECT_EQ(Enabled(d, ID_FILE_LOAD), c.load);
            EXPECT_EQ(MenuEnabled(d, ID_FILE_LOAD), c.load);
            EXPECT_FALSE(Enabled(d, ID_COM_ABORT));
            EXPECT_FALSE(Enabled(d, ID_COM_DISCONNECT));
            EXPECT_TRUE(Enabled(d, ID_COM_CONNECT));
            EXPECT_EQ(d.GetDlgItem<ComboBox>(IDC_COMBO_PORT)->GetCount(), 50);
            EXPECT_EQ(Selection(d, IDC_COMBO_PORT), 0);
            EXPECT_EQ(Selection(d, IDC_COMBO_BAUD), 4);
            EXPECT_FALSE(d.GetDlgItem(IDC_STATIC_STATUS)->IsWindowVisible());
            EXPECT_FALSE(d.GetWidget()->windowIcon().isNull());
            EXPECT_TRUE(d.GetWidget()->windowFlags() & Qt::WindowMinimizeButtonHint);
            // "Keep channel list" checked as a radio item; the link's option stays 0.
            QAction* keep = d.GetMenu().Action(ID_OPTION_KEEP_CHANNEL_LIST);
            ASSERT_NE(keep, nullptr);
            EXPECT_TRUE(keep->isChecked());
            ASSERT_NE(keep->actionGroup(), nullptr);
            EXPECT_EQ(keep->actionGroup(),
                      d.GetMenu().Action(ID_OPTION_CLEAR_CHANNEL_LIST)->actionGroup());
            EXPECT_EQ(d.Link().m_nListOption, 0);
            Key(d, IDC_COMBO_PORT, Qt::Key_Escape);
        });
        EXPECT_EQ(result, IDCANCEL);
    }
}

// With no worker, every way out ends the dialog at once; Enter on a combo box
// is OK, and the Option items switch the link's option.
TEST_F(TransferDialogTest, KeysCloseBoxAndExitEndTheDialogAtOnce) {
    struct Case {
        const char* name;
        std::function<void(CSTBDownloadDlg&)> end;
        int result;
    };
    const Case cases[] = {
        {"Escape", [](CSTBDownloadDlg& d) { Key(d, IDC_COMBO_KIND, Qt::Key_Escape); }, IDCANCEL},
        {"Enter on a combo box", [](CSTBDownloadDlg& d) { Key(d, IDC_COMBO_KIND, Qt::Key_Return); },
         IDOK},
        {"close box", [](CSTBDownloadDlg& d) { d.GetWidget()->close(); }, IDCANCEL},
        {"File > Exit", [](CSTBDownloadDlg& d) { ClickMenuItem(d, IDCANCEL); }, IDCANCEL},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        QElapsedTimer took;
        const int result = Run(2, [&](CSTBDownloadDlg& d) {
            ClickMenuItem(d, ID_OPTION_CLEAR_CHANNEL_LIST);
            EXPECT_TRUE(d.GetMenu().GetMenuState(ID_OPTION_CLEAR_CHANNEL_LIST) & MF_CHECKED);
            EXPECT_FALSE(d.GetMenu().GetMenuState(ID_OPTION_KEEP_CHANNEL_LIST) & MF_CHECKED);
            ClickMenuItem(d, ID_OPTION_KEEP_CHANNEL_LIST);
            EXPECT_EQ(d.Link().m_nListOption, 1);
            EXPECT_TRUE(d.GetMenu().GetMenuState(ID_OPTION_KEEP_CHANNEL_LIST) & MF_CHECKED);
            took.start();
            c.end(d);
        });
        EXPECT_EQ(result, c.result);
        EXPECT_LT(took.elapsed(), 1000) << "no worker to wait for";
    }
}

// The file to send: from the command line (quotes removed, never cut), then
// from the Load dialog by button and by menu. A file gone clears the path and
// keeps what the info text showed.
TEST_F(TransferDialogTest, FileToSendShowsItsSizeAndAVanishedOneIsDropped) {
    WriteFileBytes(Cwd("x.cdl"), Bytes(655581, 0x11));
    WriteFileBytes(Cwd("cmd.cdl"), Bytes(1234, 0x22));
    // A path longer than 260 bytes whose first 260 name another file.
    std::string deep = dir.Path().string();
    while (deep.size() < 250)
        deep += "/folder_of_a_long_path";
    std::filesystem::create_directories(deep);
    const std::string longPath = deep + "/channels_with_a_long_name.cdl";
    ASSERT_GT(longPath.size(), 260u);
    WriteFileBytes(longPath, Bytes(777, 0x33));

    struct Case {
        const char* name;
        std::string commandLine;
        std::string path; // at open
        std::string info;
    };
    const Case cases[] = {
        {"quoted", Quoted(Cwd("cmd.cdl")), Cwd("cmd.cdl"), "cmd.cdl  1234 Bytes"},
        {"longer than 260", longPath, longPath, "channels_with_a_long_name.cdl  777 Bytes"},
        {"gone", Cwd("gone.cdl"), "", ""},
        {"none", "", "", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        SetAppCommandLine(c.commandLine);
        Run(2, [&](CSTBDownloadDlg& d) {
            EXPECT_EQ(d.TransferPath(), c.path);
            EXPECT_EQ(InfoLine(d, 0), c.info);
            Key(d, IDC_COMBO_PORT, Qt::Key_Escape);
        });
    }

    SetAppCommandLine(Quoted(Cwd("cmd.cdl")));
    AnswerLoad({Cwd("vanished.cdl"), Cwd("x.cdl"), ""});
    Run(2, [&](CSTBDownloadDlg& d) {
        Click(d, ID_FILE_LOAD);
        EXPECT_EQ(d.TransferPath(), "");
        EXPECT_EQ(InfoLine(d, 0), "cmd.cdl  1234 Bytes");
        ClickMenuItem(d, ID_FILE_LOAD);
        EXPECT_EQ(d.TransferPath(), Cwd("x.cdl"));
        EXPECT_EQ(InfoLine(d, 0), "x.cdl  655581 Bytes");
        Click(d, ID_FILE_LOAD); // cancelled: nothing changes
        EXPECT_EQ(d.TransferPath(), Cwd("x.cdl"));
        Key(d, IDC_COMBO_PORT, Qt::Key_Escape);
    });
    ASSERT_EQ(loadRequests.size(), 3u);
    EXPECT_EQ(loadRequests[0].title, "File Open");
    EXPECT_TRUE(loadRequests[0].open);
    EXPECT_TRUE(FilterMatches(loadRequests[0].nameFilters, "x.cdl"));
    EXPECT_TRUE(FilterMatches(loadRequests[0].nameFilters, "X.CDL"));
    EXPECT_FALSE(FilterMatches(loadRequests[0].nameFilters, "x.kdl"));
    EXPECT_EQ(std::filesystem::current_path(), dir.Path()) << "the current folder stays";
}

TEST_F(TransferDialogTest, LoadFollowsTheDirectionAndStaysOffWhileBusy) {
    Run(2, [&](CSTBDownloadDlg& d) {
        const struct {
            int direction;
            bool load;
        } steps[] = {{XFER_DIR_UPLOAD, false}, {XFER_DIR_DOWNLOAD, true}, {XFER_DIR_UPLOAD, false}};
        for (const auto& step : steps) {
            Choose(d, IDC_COMBO_DIRECTION, step.direction);
            EXPECT_EQ(Enabled(d, ID_FILE_LOAD), step.load) << step.direction;
            EXPECT_EQ(MenuEnabled(d, ID_FILE_LOAD), step.load) << step.direction;
        }
        Choose(d, IDC_COMBO_DIRECTION, XFER_DIR_DOWNLOAD);
        Click(d, ID_COM_CONNECT);
        ASSERT_TRUE(d.IsBusy());
        EXPECT_FALSE(Enabled(d, ID_FILE_LOAD));
        EXPECT_FALSE(MenuEnabled(d, ID_FILE_LOAD));
        EXPECT_FALSE(Enabled(d, IDC_COMBO_DIRECTION));
        Click(d, ID_COM_DISCONNECT);
        EXPECT_TRUE(PumpUntil([&] { return Idle(d); }, 10s));
        EXPECT_TRUE(Enabled(d, ID_FILE_LOAD));
        EXPECT_TRUE(MenuEnabled(d, ID_FILE_LOAD));
        Key(d, IDC_COMBO_PORT, Qt::Key_Escape);
    });
}

// Static 1003's second line names the device behind the chosen port; a port
// past the list fails with the link's message and "OPEN ERROR", still idle.
TEST_F(TransferDialogTest, PortsPastTheListFailAndTheDeviceLineFollows) {
    SetPorts("/dev/qv-test-none-a:/dev/qv-test-none-b");
    Run(2, [&](CSTBDownloadDlg& d) {
        const struct {
            int port;
            const char* line;
        } cases[] = {
            {0, "COM1: /dev/qv-test-none-a"},
            {1, "COM2: /dev/qv-test-none-b"},
            {2, "COM3: no such port"},
        };
        EXPECT_EQ(InfoLine(d, 1), cases[0].line);
        for (const auto& c : cases) {
            Choose(d, IDC_COMBO_PORT, c.port);
            EXPECT_EQ(InfoLine(d, 1), c.line);
        }
        const struct {
            std::vector<QString> boxes;
            const char* line; // the port line then says why
        } failures[] = {
            {{"CreateFile FAIL", "OPEN ERROR"}, "COM3: no such port"},
            {{"CreateFile FAIL", "OPEN ERROR"}, "COM1: /dev/qv-test-none-a - no such port"},
        };
        for (const auto& failure : failures) {
            boxes->Clear();
            Click(d, ID_COM_CONNECT);
            EXPECT_EQ(boxes->Texts(), failure.boxes);
            EXPECT_EQ(InfoLine(d, 1), failure.line);
            ASSERT_EQ(boxes->Calls().size(), 2u);
            EXPECT_EQ(boxes->Calls()[0].caption, "Quorvandelix");
            EXPECT_EQ(boxes->Calls()[1].caption, "ERROR");
            EXPECT_TRUE(Idle(d));
            EXPECT_FALSE(d.IsBusy());
            Choose(d, IDC_COMBO_PORT, 0);
        }
        Key(d, IDC_COMBO_PORT, Qt::Key_Escape);
    });
}

TEST_F(TransferDialogTest, MinimisingHidesTheMainWindowAndRestoringShowsIt) {
    Window main;
    ASSERT_TRUE(main.CreateEx(0, "Quorvandelix", WS_OVERLAPPED, Rect(0, 0, 300, 200), nullptr, 0));
    main.ShowWindow(SW_SHOW);
    Run(
        2,
        [&](CSTBDownloadDlg& d) {
            d.GetWidget()->showMinimized();
            EXPECT_TRUE(PumpUntil([&] { return !main.IsWindowVisible(); }, 5s));
            d.GetWidget()->showNormal();
            EXPECT_TRUE(PumpUntil([&] { return main.IsWindowVisible() == TRUE; }, 5s));
            d.GetWidget()->showMinimized();
            EXPECT_TRUE(PumpUntil([&] { return !main.IsWindowVisible(); }, 5s));
            d.SendMessage(WM_CLOSE);
        },
        &main);
    EXPECT_TRUE(main.IsWindowVisible()) << "shown again when the dialog goes";
    main.DestroyWindow();
}

} // namespace
