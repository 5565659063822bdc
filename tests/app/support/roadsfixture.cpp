#include "roadsfixture.h"

#include "cdlbytes.h"
#include "dbstate.h"
#include "imagebuilder.h"
#include "mysupergrid.h"
#include "networktp.h"
#include "base/profile.h"
#include "supervw.h"
#include "wrapper.h"

#include <QAction>
#include <QCryptographicHash>
#include <QDir>
#include <QDirIterator>
#include <QFile>
#include <QTest>

#include <algorithm>
#include <cstring>

TpInfo RoadsTest::tpA{};

void RoadsTest::SetUp() {
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

void RoadsTest::TearDown() {
    Stop();
    platform::SetFileDialogHook(nullptr);
    platform::SetProfileFile(QString());
    DB_ResetAllState();
    CMainFrame::s_nPleaseWaitMs = 500;
    QDir::setCurrent(m_previousDir);
    EXPECT_TRUE(m_answers.empty()) << "a file dialog answer was not used";
}

int RoadsTest::Start(const std::vector<std::string>& args) {
    app = std::make_unique<CQuorvandelixApp>();
    const int result = app->InitInstance(args);
    if (result && frame()) {
        frame()->activateWindow();
        EXPECT_TRUE(QTest::qWaitForWindowActive(frame()));
    }
    return result;
}

void RoadsTest::Stop() {
    app.reset();
}

QByteArray RoadsTest::ListImage(const std::vector<std::string>& services) {
    DB_ResetAllState();
    ImageSpec spec;
    spec.satellites[0] = MakeSatellite("Astra", 192, 9750000);
    TsInfo a = MakeTs(11000, 27500, POL_HORIZONTAL, 0);
    a.id1 = 1;
    spec.transportStreams = {a};
    spec.transponders = {a.tp};
    tpA = a.tp;
    for (const std::string& name : services)
        spec.services.push_back({MakeService(name.c_str(), SVC_TYPE_TV, 256, 257), 0});
    EXPECT_TRUE(BuildImage(spec));
    QByteArray image = FlashImage();
    DB_ResetAllState();
    DB_DocumentInit();
    return image;
}

QByteArray RoadsTest::Container(const QByteArray& image) {
    std::vector<uint8_t> container;
    EXPECT_EQ(CdlEncodeBytes(reinterpret_cast<const uint8_t*>(image.constData()),
                             static_cast<size_t>(image.size()), container),
              0);
    return QByteArray(reinterpret_cast<const char*>(container.data()),
                      static_cast<qsizetype>(container.size()));
}

void RoadsTest::WriteFile(const QString& path, const QByteArray& bytes) {
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate)) << path.toStdString();
    ASSERT_EQ(file.write(bytes), bytes.size());
}

QByteArray RoadsTest::ReadFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) return QByteArray();
    return file.readAll();
}

QByteArray RoadsTest::Hash(const QString& path) {
    QFile file(path);
    if (!file.exists()) return QByteArrayLiteral("missing");
    if (!file.open(QIODevice::ReadOnly)) return QByteArrayLiteral("unreadable");
    return QCryptographicHash::hash(file.readAll(), QCryptographicHash::Sha256).toHex();
}

std::vector<std::pair<QString, QByteArray>> RoadsTest::Tree(const QString& folder) {
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

std::optional<QByteArray> RoadsTest::Decoded(const QString& path) {
    const QByteArray container = ReadFile(path);
    std::vector<uint8_t> image;
    const CdlCheck check = CdlDecodeBytes(reinterpret_cast<const uint8_t*>(container.constData()),
                                          static_cast<size_t>(container.size()), image);
    if (!check.Passed()) return std::nullopt;
    return QByteArray(reinterpret_cast<const char*>(image.data()),
                      static_cast<qsizetype>(image.size()));
}

void RoadsTest::Command(unsigned id) {
    QAction* action = frame()->Action(id);
    ASSERT_NE(action, nullptr) << id;
    frame()->UpdateActions();
    ASSERT_TRUE(action->isEnabled()) << id;
    action->trigger();
}

std::vector<std::string> RoadsTest::Services() const {
    std::vector<std::string> names;
    for (uint32_t n = 0;; ++n) {
        SvcHandle handle = SVC_HANDLE_INVALID;
        if (SLM_GetNthServiceHandleWithTpInfo(&tpA, n, &handle) != 0 ||
            handle == SVC_HANDLE_INVALID)
            break;
        SvcInfo info{};
        if (SLM_GetServiceInfo(handle, &info) != 0) break;
        const char* name = reinterpret_cast<const char*>(info.name);
        names.emplace_back(name, strnlen(name, sizeof info.name));
    }
    return names;
}

void RoadsTest::AddService(const char* name) {
    SvcHandle handle = SVC_HANDLE_INVALID;
    ASSERT_EQ(SLM_AddService(&tpA, name, &handle), 0) << name;
}

QByteArray RoadsTest::FlashImage() {
    return QByteArray(reinterpret_cast<const char*>(g_FlashImage), FLASH_DB_SIZE);
}

int RoadsTest::TreeItems() const {
    CNetworkTp* tree = frame()->GetNetworkTp();
    int count = 0;
    for (QTreeWidgetItemIterator it(tree); *it; ++it)
        ++count;
    return count;
}

int RoadsTest::ListRows() const {
    return frame()->GetSuperVw()->GetGrid()->GetItemCount();
}

QString RoadsTest::Caption() const {
    return frame()->windowTitle();
}
