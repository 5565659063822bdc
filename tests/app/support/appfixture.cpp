#include "appfixture.h"

#include "base/profile.h"
#include "cdlbytes.h"
#include "dbstate.h"
#include "imagebuilder.h"
#include "smalllist.h"
#include "mysupergrid.h"
#include "networktp.h"
#include "quorvandelixdoc.h"
#include "supervw.h"
#include "wrapper.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFile>
#include <QMimeData>
#include <QTest>

#include <algorithm>
#include <cstring>

namespace {

// The application with the recording main window.
class TestApp : public CQuorvandelixApp {
  public:
    explicit TestApp(bool recordOnly) : m_recordOnly(recordOnly) {}

  protected:
    std::unique_ptr<CMainFrame> MakeMainFrame(CQuorvandelixDoc* doc) override {
        auto frame = std::make_unique<RecordingFrame>(doc);
        frame->recordOnly = m_recordOnly;
        return frame;
    }

  private:
    bool m_recordOnly;
};

} // namespace

TpInfo AppTest::tpA{};
TpInfo AppTest::tpB{};

void AppTest::SetUp() {
    platform::ForgetFileDialogSettings();
    ASSERT_TRUE(scratch.isValid());
    start = scratch.filePath(QStringLiteral("start"));
    ASSERT_TRUE(QDir().mkpath(start));
    m_previousDir = QDir::currentPath();
    ASSERT_TRUE(QDir::setCurrent(start));
    platform::SetProfileFile(scratch.filePath(QStringLiteral("profile.ini")));
    DB_ResetAllState();
    g_bFirstShow = 1;
    CMainFrame::s_nPleaseWaitMs = 1;
    platform::SetFileDialogHook([this](const platform::FileDialogRequest& request) {
        requests.push_back(request);
        const QString answer = m_answers.empty() ? QString() : m_answers.front();
        if (!m_answers.empty()) m_answers.pop_front();
        return answer.isEmpty() ? std::nullopt : std::make_optional(answer);
    });
}

void AppTest::TearDown() {
    Stop();
    platform::SetFileDialogHook(nullptr);
    platform::SetProfileFile(QString());
    DB_ResetAllState();
    CMainFrame::s_nPleaseWaitMs = 500;
    QDir::setCurrent(m_previousDir);
    EXPECT_TRUE(m_answers.empty()) << "a file dialog answer was not used";
}

int AppTest::Start(const std::vector<std::string>& args) {
    app = std::make_unique<TestApp>(m_recordOnly);
    const int result = app->InitInstance(args);
    if (result && frame()) {
        frame()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame()));
    }
    return result;
}

void AppTest::Stop() {
    app.reset();
}

RecordingFrame* AppTest::frame() const {
    return app ? static_cast<RecordingFrame*>(app->GetMainFrame()) : nullptr;
}

// ---- images and containers -------------------------------------------------

QByteArray AppTest::ListImage(const std::vector<std::string>& services) {
    DB_ResetAllState();
    ImageSpec spec = SmallListSpec(MakeSatellite("Astra", 192, 9750000), 0, {{11000}});
    tpA = spec.transponders[0];
    AddTvServices(spec, 0, services);
    EXPECT_TRUE(BuildImage(spec));
    QByteArray image = FlashImage();
    DB_ResetAllState();
    DB_DocumentInit();
    return image;
}

QByteArray AppTest::Container(const QByteArray& image) {
    std::vector<uint8_t> container;
    EXPECT_EQ(CdlEncodeBytes(reinterpret_cast<const uint8_t*>(image.constData()),
                             static_cast<size_t>(image.size()), container),
              0);
    return QByteArray(reinterpret_cast<const char*>(container.data()),
                      static_cast<qsizetype>(container.size()));
}

void AppTest::LoadDatabase() {
    ImageSpec spec = SmallListSpec(MakeSatellite("Astra", 192, 9750000), 0,
                                   {{11000}, {12000, 27500, POL_VERTICAL}});
    tpA = spec.transponders[0];
    tpB = spec.transponders[1];
    AddTvServices(spec, 0, {"A1", "A2", "A3"});
    AddTvServices(spec, 1, {"B1", "B2"});
    ASSERT_TRUE(BuildImage(spec));
    ASSERT_EQ(frame()->GetActiveDocument()->OpenDatabase(), 1);
    frame()->SetLoaded(1);
    frame()->GetNetworkTp()->Refresh();
}

// ---- files -----------------------------------------------------------------

void AppTest::WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray AppTest::ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

std::string AppTest::MakeFile(const std::string& name) {
    const QString path = scratch.filePath(QString::fromStdString(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("image");
    return path.toStdString();
}

QByteArray AppTest::Hash(const QString& path) {
    QFile file(path);
    if (!file.exists()) return QByteArrayLiteral("missing");
    if (!file.open(QIODevice::ReadOnly)) return QByteArrayLiteral("unreadable");
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

std::vector<std::pair<QString, QByteArray>> AppTest::Tree(const QString& folder) {
    std::vector<std::pair<QString, QByteArray>> files;
    QDirIterator it(folder, QDir::Files | QDir::Hidden | QDir::NoDotAndDotDot,
                    QDirIterator::Subdirectories);
    while (it.hasNext()) {
        const QString path = it.next();
        files.emplace_back(path, Hash(path));
    }
    std::sort(files.begin(), files.end());
    return files;
}

std::optional<QByteArray> AppTest::Decoded(const QString& path) {
    const QByteArray container = ReadFile(path);
    std::vector<uint8_t> image;
    const CdlCheck check = CdlDecodeBytes(reinterpret_cast<const uint8_t*>(container.constData()),
                                          static_cast<size_t>(container.size()), image);
    if (!check.Passed()) return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(image.data()),
                      static_cast<qsizetype>(image.size()));
}

// ---- the user's hand -------------------------------------------------------

void AppTest::Command(unsigned id) {
    QAction* action = frame()->Action(id);
    ASSERT_NE(action, nullptr) << id;
    frame()->UpdateActions();
    ASSERT_TRUE(action->isEnabled()) << id;
    action->trigger();
}

void AppTest::SelectSatellite(uint8_t slot) {
    CNetworkTp* tree = frame()->GetNetworkTp();
    tree->m_select = CNetworkTp::kLevelSatellite;
    tree->m_iNet = slot;
    tree->UpdateGridList(tree->m_select, slot, 0);
}

void AppTest::SelectTp(const TpInfo& tp) {
    CNetworkTp* tree = frame()->GetNetworkTp();
    tree->m_select = CNetworkTp::kLevelTransponder;
    tree->m_iNet = 0;
    tree->m_iTp = &tp == &tpA ? 0 : 1;
    tree->UpdateGridList(tree->m_select, 0, tree->m_iTp);
    ASSERT_EQ(std::memcmp(&tree->m_tpInfo, &tp, sizeof tp), 0);
}

void AppTest::ClickRow(int row, Qt::KeyboardModifiers modifiers) {
    CMySuperGrid* grid = frame()->GetSuperVw()->GetGrid();
    platform::Rect rect;
    ASSERT_TRUE(grid->GetItemRect(row, &rect, platform::LVIR_BOUNDS));
    // Past the tree column's button and image, inside the row.
    const QPoint at(rect.left + 120, (rect.top + rect.bottom) / 2);
    QTest::mouseClick(grid->GetClientWidget(), Qt::LeftButton, modifiers, at);
}

void AppTest::Drop(const QList<QUrl>& files) {
    QMimeData data;
    data.setUrls(files);
    QWidget* pane = frame()->GetNetworkTp()->viewport();
    QDragEnterEvent enter(QPoint(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pane, &enter);
    QDropEvent drop(QPointF(20, 20), Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(pane, &drop);
}

// ---- the database and the views --------------------------------------------

std::vector<std::string> AppTest::Services(const TpInfo& tp) {
    std::vector<std::string> names;
    for (uint32_t n = 0;; ++n) {
        SvcHandle handle = SVC_HANDLE_INVALID;
        if (SLM_GetNthServiceHandleWithTpInfo(&tp, n, &handle) != 0 || handle == SVC_HANDLE_INVALID)
            break;
        SvcInfo info{};
        if (SLM_GetServiceInfo(handle, &info) != 0) break;
        const char* name = reinterpret_cast<const char*>(info.name);
        names.emplace_back(name, strnlen(name, sizeof info.name));
    }
    return names;
}

void AppTest::AddService(const char* name) {
    SvcHandle handle = SVC_HANDLE_INVALID;
    ASSERT_EQ(SLM_AddService(&tpA, name, &handle), 0) << name;
}

QByteArray AppTest::FlashImage() {
    return QByteArray(reinterpret_cast<const char*>(g_FlashImage), FLASH_DB_SIZE);
}

int AppTest::TreeItems() const {
    CNetworkTp* tree = frame()->GetNetworkTp();
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++count;
    return count;
}

int AppTest::ListRows() const {
    return frame()->GetSuperVw()->GetGrid()->GetItemCount();
}

QString AppTest::Caption() const {
    return frame()->windowTitle();
}
