// Renders the main window with a small channel list loaded into a PNG file,
// for the README: offscreen, the Fusion style, DejaVu Sans 9 pt and a fixed
// window size, so that the picture changes only when the editor does.
//
//   main_window_picture <output.png> [<image>]
//
// With <image>, the list is also written there as a raw flash image, which
// the editor opens from its command line (for trying it on a desktop).
// The list is made with the database tests' image builder and opened as the
// document opens an image; the tree then shows a transponder's channels.
// Exit code 0 when the picture was written, 1 otherwise (with a line on
// standard error).
#include "imagebuilder.h"
#include "mainfrm.h"
#include "networktp.h"
#include "quorvandelix.h"
#include "quorvandelixdoc.h"
#include "dbdocument.h"
#include "wrapper.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFont>
#include <QPixmap>
#include <QStyleFactory>
#include <QTreeWidget>

#include <cstdio>
#include <cstdlib>

namespace {

constexpr int kWidth = 1095;
constexpr int kHeight = 620;

struct Channel {
    const char* name;
    uint32_t type;
    uint16_t videoPid;
    uint16_t audioPid;
    int ts;
};

// Three satellites; the second transponder of the first holds the channels
// the picture shows.
ImageSpec PictureList() {
    ImageSpec spec;
    spec.satellites[0] = MakeSatellite("North 19.2E", 192, 9750000);
    spec.satellites[1] = MakeSatellite("Central 13.0E", 130, 9750000);
    spec.satellites[2] = MakeSatellite("West 5.0W", -50, 9750000);
    const struct {
        uint32_t mhz;
        uint16_t symbolRate;
        uint8_t polarisation;
        uint8_t satellite;
    } streams[] = {{10744, 22000, POL_HORIZONTAL, 0}, {11362, 22000, POL_HORIZONTAL, 0},
                   {11538, 22000, POL_VERTICAL, 0},   {12188, 27500, POL_HORIZONTAL, 0},
                   {10992, 27500, POL_VERTICAL, 1},   {11766, 27500, POL_HORIZONTAL, 1},
                   {12597, 27500, POL_VERTICAL, 2}};
    uint16_t id = 1;
    for (const auto& s : streams) {
        TsInfo ts = MakeTs(s.mhz, s.symbolRate, s.polarisation, s.satellite);
        ts.id1 = id++;
        spec.transportStreams.push_back(ts);
        spec.transponders.push_back(ts.tp);
    }
    const Channel channels[] = {
        {"Evening News", SVC_TYPE_TV, 101, 102, 1}, {"Sport One", SVC_TYPE_TV, 201, 202, 1},
        {"Sport Two", SVC_TYPE_TV, 211, 212, 1},    {"Movie Max", SVC_TYPE_TV, 301, 302, 1},
        {"Kids Corner", SVC_TYPE_TV, 401, 402, 1},  {"Docs & Nature", SVC_TYPE_TV, 501, 502, 1},
        {"Music Hits", SVC_TYPE_TV, 601, 602, 1},   {"Radio Classic", SVC_TYPE_RADIO, 0, 702, 1},
        {"Radio Jazz", SVC_TYPE_RADIO, 0, 712, 1},  {"Weather", SVC_TYPE_TV, 801, 802, 0},
        {"Shopping", SVC_TYPE_TV, 901, 902, 2},     {"Series Plus", SVC_TYPE_TV, 1001, 1002, 4},
        {"Travel", SVC_TYPE_TV, 1101, 1102, 5},     {"Regional", SVC_TYPE_TV, 1201, 1202, 6},
    };
    for (const Channel& c : channels)
        spec.services.push_back({MakeService(c.name, c.type, c.videoPid, c.audioPid), c.ts});
    return spec;
}

int Fail(const char* what) {
    std::fprintf(stderr, "main_window_picture: %s\n", what);
    return 1;
}

} // namespace

int main(int argc, char** argv) {
    if (argc != 2 && argc != 3) return Fail("usage: main_window_picture <output.png> [<image>]");
    setenv("QT_QPA_PLATFORM", "offscreen", 1);
    QApplication application(argc, argv);
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
    QApplication::setPalette(QApplication::style()->standardPalette());
    QApplication::setFont(QFont(QStringLiteral("DejaVu Sans"), 9));
    const QString output = QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[1]));
    const QString imagePath =
        argc == 3 ? QDir::current().absoluteFilePath(QString::fromLocal8Bit(argv[2])) : QString();
    // The editor starts in a folder of its own, as beside its "Default.dat".
    QDir::setCurrent(QDir::tempPath());

    CQuorvandelixApp app;
    if (!app.InitInstance({})) return Fail("the editor did not start");
    CMainFrame* frame = app.GetMainFrame();
    frame->resize(kWidth, kHeight);

    if (!BuildImage(PictureList())) return Fail("the list could not be built");
    if (argc == 3) {
        QFile image(imagePath);
        const auto* bytes = reinterpret_cast<const char*>(g_FlashImage);
        if (!image.open(QIODevice::WriteOnly | QIODevice::Truncate) ||
            image.write(bytes, DB_IMAGE_SIZE) != DB_IMAGE_SIZE)
            return Fail("the image was not written");
    }
    if (frame->GetActiveDocument()->OpenDatabase() != 1) return Fail("the list did not open");
    frame->SetLoaded(1);
    CNetworkTp* tree = frame->GetNetworkTp();
    tree->Refresh();
    QTreeWidgetItem* root = tree->RootItem();
    if (!root || root->childCount() == 0) return Fail("the tree is empty");
    root->setExpanded(true);
    QTreeWidgetItem* satellite = root->child(0);
    satellite->setExpanded(true);
    if (satellite->childCount() < 2) return Fail("the satellite has no second transponder");
    QApplication::processEvents();
    // The tree as a click leaves it: the hit test first, then the current
    // item; the channel list follows.
    QTreeWidgetItem* transponder = satellite->child(1);
    tree->OnClick(tree->visualItemRect(transponder).center());
    tree->setCurrentItem(transponder);
    QApplication::processEvents();

    const QPixmap picture = frame->grab();
    if (picture.isNull() || !picture.save(output, "PNG"))
        return Fail("the picture was not written");
    std::printf("%s\n", output.toLocal8Bit().constData());
    return 0;
}
