#include "endtoendfixture.h"

#include "cdlbytes.h"
#include "dbstate.h"
#include "listids.h"
#include "mainfrm.h"
#include "mysupergrid.h"
#include "networktp.h"
#include "window/popupmenu.h"
#include "base/profile.h"
#include "resource.h"
#include "servicecells.h"
#include "supervw.h"

#include <QAction>
#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QMenu>
#include <QMenuBar>
#include <QTest>
#include <QTimeZone>
#include <QTimer>
#include <QToolBar>
#include <QTreeWidget>

#include <cstdlib>
#include <cstring>

namespace e2e_test {

using namespace platform;

namespace {

constexpr uint16_t kAnyNumber = 0x3FFF;
constexpr int kFavouriteGroupsShown = 2;

void Settle() {
    for (int n = 0; n < 3; ++n) {
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }
}

std::string FieldText(const uint8_t* field, size_t size) {
    const char* bytes = reinterpret_cast<const char*>(field);
    return std::string(bytes, strnlen(bytes, size));
}

std::vector<std::string> NamesIn(SvcListId listId) {
    std::vector<std::string> names;
    uint16_t count = 0;
    SLM_GetNumServicesInList(listId, kAnyNumber, SVC_TYPE_ANY, &count);
    SvcHandle handle = SVC_HANDLE_INVALID;
    for (uint16_t i = 0; i < count; ++i) {
        if (SLM_GetNextServiceHandle(handle, listId, kAnyNumber, SVC_TYPE_ANY, i == 0 ? 0 : 1,
                                     &handle) != DBERR_OK)
            break;
        SvcInfo record{};
        SLM_GetServiceInfo(handle, &record);
        names.push_back(FieldText(record.name, sizeof record.name));
    }
    return names;
}

std::vector<ServiceView> ServicesOn(const TpInfo& key) {
    std::vector<ServiceView> services;
    for (uint32_t n = 0;; ++n) {
        SvcHandle handle = SVC_HANDLE_INVALID;
        if (SLM_GetNthServiceHandleWithTpInfo(&key, n, &handle) != DBERR_OK ||
            handle == SVC_HANDLE_INVALID)
            break;
        SvcInfo record{};
        SLM_GetServiceInfo(handle, &record);
        uint16_t number = 0;
        uint8_t type = 0;
        SLM_GetServiceNumber(handle, &number, &type);
        services.push_back({number, FieldText(record.name, sizeof record.name), record.videoPid,
                            record.audioPid, record.pcrPid, record.flags});
    }
    return services;
}

} // namespace

bool SatView::operator==(const SatView& other) const {
    return slot == other.slot && std::memcmp(&record, &other.record, sizeof record) == 0 &&
           tps == other.tps;
}

void EndToEndTest::SetUp() {
    ASSERT_TRUE(scratch.isValid());
    ASSERT_TRUE(pty.IsOpen());
    // The start-up folder: the template beside the editor, as the build puts it.
    m_previousFolder = QDir::currentPath();
    ASSERT_TRUE(QFile::copy(QString::fromUtf8(QV_DEFAULT_IMAGE), scratch.filePath("Default.dat")));
    ASSERT_TRUE(QDir::setCurrent(scratch.path()));
    SetProfileFile(scratch.filePath(QStringLiteral("profile.ini")));
    ::setenv("QUORVANDELIX_PORTS", pty.SlavePath().c_str(), 1);
    const QDateTime local(QDate(2024, 3, 5), QTime(9, 7, 30), QTimeZone::utc());
    m_clock = std::make_unique<ManualClock>(local.addSecs(-3600), local);
    m_previousClock = SetClock(m_clock.get());
    DB_ResetAllState();
    g_bFirstShow = 1;
    DialogBase::SetModalHook([this](DialogBase& dialog) { OnModal(dialog); });
    SetFileDialogHook([this](const FileDialogRequest& request) -> std::optional<QString> {
        fileRequests.push_back(request);
        if (m_files.empty()) {
            ADD_FAILURE() << "a file dialog nobody expected";
            return std::nullopt;
        }
        const std::optional<std::string> answer = m_files.front();
        m_files.pop_front();
        if (!answer) return std::nullopt;
        return QString::fromStdString(*answer);
    });
    PopupMenuRunner::SetHook([this](const PopupMenuRequest&) -> unsigned {
        if (m_popupChoices.empty()) {
            ADD_FAILURE() << "a pop-up menu nobody expected";
            return 0;
        }
        const unsigned id = m_popupChoices.front();
        m_popupChoices.pop_front();
        return id;
    });
}

void EndToEndTest::TearDown() {
    m_app.reset();
    DialogBase::SetModalHook(nullptr);
    SetFileDialogHook(nullptr);
    PopupMenuRunner::SetHook(nullptr);
    SetClock(m_previousClock);
    SetProfileFile(QString());
    ::unsetenv("QUORVANDELIX_PORTS");
    QDir::setCurrent(m_previousFolder);
    DB_ResetAllState();
}

void EndToEndTest::Start() {
    m_app = std::make_unique<CQuorvandelixApp>();
    ASSERT_EQ(m_app->InitInstance({}), 1);
    frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
}

CMainFrame* EndToEndTest::frame() const {
    return m_app ? m_app->GetMainFrame() : nullptr;
}

CNetworkTp* EndToEndTest::tree() const {
    return frame()->GetNetworkTp();
}

CMySuperGrid* EndToEndTest::list() const {
    return frame()->GetSuperVw()->GetGrid();
}

// ---- the user's hand ----

// The user's hand goes back to the main window: on the offscreen platform a
// closed dialog hands the activation back to no window.
void EndToEndTest::Activate() {
    if (QApplication::activeWindow() == frame()) return;
    frame()->activateWindow();
    ASSERT_TRUE(QTest::qWaitForWindowActive(frame()));
}

void EndToEndTest::ClickMenu(unsigned id) {
    Activate();
    QAction* item = frame()->Action(id);
    ASSERT_NE(item, nullptr) << id;
    QMenuBar* bar = frame()->menuBar();
    QMenu* popup = nullptr;
    for (QAction* top : bar->actions())
        if (top->menu() && top->menu()->actions().contains(item)) popup = top->menu();
    ASSERT_NE(popup, nullptr) << id;
    QTest::mouseClick(bar, Qt::LeftButton, {}, bar->actionGeometry(popup->menuAction()).center());
    ASSERT_TRUE(QTest::qWaitFor([&] { return popup->isVisible(); }, 5000));
    ASSERT_TRUE(item->isEnabled()) << "menu item " << id << " is disabled";
    QTest::mouseClick(popup, Qt::LeftButton, {}, popup->actionGeometry(item).center());
    Settle();
}

void EndToEndTest::ClickToolButton(unsigned id) {
    Activate();
    QWidget* button = frame()->ToolBar()->widgetForAction(frame()->Action(id));
    ASSERT_NE(button, nullptr) << id;
    ASSERT_TRUE(button->isEnabled()) << "toolbar button " << id << " is disabled";
    QTest::mouseClick(button, Qt::LeftButton);
    Settle();
}

QTreeWidgetItem* EndToEndTest::RootItem() const {
    return tree()->RootItem();
}

QTreeWidgetItem* EndToEndTest::SatelliteItem(const std::string& name) const {
    QTreeWidgetItem* root = RootItem();
    for (int n = 0; root && n < root->childCount(); ++n)
        if (root->child(n)->text(0).endsWith(QString::fromLatin1(name.c_str())))
            return root->child(n);
    return nullptr;
}

void EndToEndTest::Expand(QTreeWidgetItem* item) {
    ASSERT_NE(item, nullptr);
    if (item->isExpanded()) return;
    // The item chosen with a click, then the right arrow opens its branch.
    LeftClick(item);
    QTest::keyClick(tree(), Qt::Key_Right);
    Settle();
    ASSERT_TRUE(item->isExpanded());
}

void EndToEndTest::LeftClick(QTreeWidgetItem* item) {
    Activate();
    ASSERT_NE(item, nullptr);
    tree()->scrollToItem(item);
    QTest::mouseClick(tree()->viewport(), Qt::LeftButton, {},
                      tree()->visualItemRect(item).center());
    Settle();
}

void EndToEndTest::RightClickChoosing(QTreeWidgetItem* item, unsigned id) {
    Activate();
    ASSERT_NE(item, nullptr);
    tree()->scrollToItem(item);
    m_popupChoices.push_back(id);
    QTest::mouseClick(tree()->viewport(), Qt::RightButton, {},
                      tree()->visualItemRect(item).center());
    Settle();
}

void EndToEndTest::ClickCell(int row, int column) {
    Activate();
    Rect cell;
    ASSERT_TRUE(list()->GetSubItemRect(row, column, LVIR_BOUNDS, cell)) << row << "," << column;
    // Left of the middle: a combo cell's drop button sits at its right edge.
    const QPoint at(cell.left + (cell.right - cell.left) / 3, (cell.top + cell.bottom) / 2);
    QTest::mouseClick(list()->GetClientWidget(), Qt::LeftButton, {}, at);
    Settle();
}

void EndToEndTest::EditCell(int row, int column, const std::string& text) {
    ClickCell(row, column);
    PressKeyInList(Qt::Key_F2);
    ASSERT_NE(list()->GetEditBox(), nullptr) << "no edit box on " << row << "," << column;
    QWidget* box = QApplication::focusWidget();
    ASSERT_NE(box, nullptr);
    QTest::keyClicks(box, QString::fromLatin1(text.c_str()));
    QTest::keyClick(box, Qt::Key_Return);
    Settle();
}

void EndToEndTest::PressKeyInList(Qt::Key key) {
    Activate();
    QTest::keyClick(list()->GetClientWidget(), key);
    Settle();
}

std::string EndToEndTest::Cell(int row, int column) const {
    return list()->GetItemText(row, column);
}

std::vector<std::string> EndToEndTest::ListedNames() const {
    std::vector<std::string> names;
    for (int row = 1; row < list()->GetItemCount(); ++row)
        names.push_back(Cell(row, colServiceName));
    return names;
}

// ---- the hooks ----

void EndToEndTest::ExpectDialog(unsigned templateId, std::function<void(DialogBase&)> steps) {
    m_dialogs.push_back({templateId, std::move(steps)});
}

void EndToEndTest::AnswerFile(std::optional<std::string> path) {
    m_files.push_back(std::move(path));
}

void EndToEndTest::ExpectQueuesUsed() {
    EXPECT_TRUE(m_dialogs.empty()) << m_dialogs.size() << " dialogs did not open";
    EXPECT_TRUE(m_files.empty()) << m_files.size() << " file dialogs did not open";
    EXPECT_TRUE(m_popupChoices.empty()) << m_popupChoices.size() << " pop-ups did not open";
    m_dialogs.clear();
    m_files.clear();
    m_popupChoices.clear();
}

void EndToEndTest::OnModal(DialogBase& dialog) {
    if (dialog.GetTemplateId() == IDD_DIRECT_MOVE2) {
        // "Please Wait": the main window's timer closes it.
        EXPECT_TRUE(QTest::qWaitFor([&] { return !dialog.IsWindowVisible(); }, 5000));
        return;
    }
    EXPECT_TRUE(QTest::qWaitForWindowActive(dialog.GetWidget()));
    if (m_dialogs.empty()) {
        ADD_FAILURE() << "dialog " << dialog.GetTemplateId() << " nobody expected";
        dialog.EndDialog(IDCANCEL);
        return;
    }
    const ExpectedDialog expected = std::move(m_dialogs.front());
    m_dialogs.pop_front();
    EXPECT_EQ(dialog.GetTemplateId(), expected.templateId);
    expected.steps(dialog);
    if (dialog.IsWindowVisible()) {
        ADD_FAILURE() << "the steps left dialog " << dialog.GetTemplateId() << " open";
        dialog.EndDialog(IDCANCEL);
    }
}

// ---- waiting ----

bool EndToEndTest::PumpUntil(const std::function<bool()>& done, std::chrono::milliseconds bound) {
    const QDeadlineTimer deadline(bound.count());
    QTimer tick; // wakes the wait below when nothing is posted
    tick.start(5);
    QElapsedTimer turn;
    turn.start();
    while (!done()) {
        if (deadline.hasExpired()) return false;
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
        longestStallMs = std::max<int64_t>(longestStallMs, turn.restart());
    }
    QCoreApplication::processEvents();
    return true;
}

// ---- files and the database ----

std::string EndToEndTest::Path(const std::string& name) const {
    return scratch.filePath(QString::fromStdString(name)).toStdString();
}

Bytes EndToEndTest::ReadFile(const std::string& path) {
    QFile file(QString::fromStdString(path));
    if (!file.open(QIODevice::ReadOnly)) return {};
    const QByteArray bytes = file.readAll();
    return Bytes(bytes.begin(), bytes.end());
}

void EndToEndTest::WriteFile(const std::string& path, const Bytes& bytes) {
    QFile file(QString::fromStdString(path));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    ASSERT_EQ(
        file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<qint64>(bytes.size())),
        static_cast<qint64>(bytes.size()));
}

Bytes EndToEndTest::DecodeCdl(const std::string& path) {
    const Bytes container = ReadFile(path);
    Bytes image;
    if (container.empty() || !CdlDecodeBytes(container.data(), container.size(), image).Passed())
        return {};
    return image;
}

Bytes EndToEndTest::EncodeCdl(const Bytes& image) {
    Bytes container;
    EXPECT_EQ(CdlEncodeBytes(image.data(), image.size(), container), 0);
    return container;
}

ListView EndToEndTest::CurrentList() {
    ListView view;
    for (uint32_t slot = 0; slot < SN_GetUsableSlotCount(); ++slot) {
        if (SN_IsSatUsed(slot) == 0) continue;
        SatView sat;
        sat.slot = slot;
        SN_GetSatInfo(slot, &sat.record);
        uint16_t count = 0, available = 0;
        if (SLM_LoadSatTpList(static_cast<uint8_t>(slot), 0, &count, &available) == DBERR_OK) {
            for (uint16_t n = 0; n < count; ++n) {
                TpRow row{};
                if (SLM_GetNthTp(n, &row) != DBERR_OK) break;
                const TpInfo key = SLM_TpRowToKey(row, static_cast<uint8_t>(slot));
                sat.tps.push_back({row.frequency, static_cast<uint16_t>(row.symbolRate),
                                   row.polarisation, row.modulation, row.fec, ServicesOn(key)});
            }
        }
        view.satellites.push_back(sat);
    }
    for (int group = 0; group < kFavouriteGroupsShown; ++group)
        view.favourites.push_back(NamesIn(static_cast<SvcListId>(LIST_FAV_FIRST + group)));
    return view;
}

uint16_t EndToEndTest::ServiceCount() {
    uint16_t count = 0;
    SLM_GetNumServicesInList(LIST_ALL, kAnyNumber, SVC_TYPE_ANY, &count);
    return count;
}

} // namespace e2e_test
