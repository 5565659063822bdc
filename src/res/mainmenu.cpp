#include "mainmenu.h"

#include "resource.h"

using platform::MenuTemplate;

const MenuTemplate& MainFrameMenu() {
    static const MenuTemplate menu{
        IDR_MAINFRAME,
        {
            {"&File",
             0,
             {{"New File", ID_NEW_FILE, {}, "New File"},
              {"Load Channel Data", ID_LOAD_CHANNEL_DATA, {}, "Load Channel Data"},
              {"Save Channel Data", ID_SAVE_CHANNEL_DATA, {}, "Save Channel Data"},
              {},
              {"Exit", ID_APP_EXIT, {}}}},
            {"&Edit",
             0,
             {{"Add Channel", ID_ADD_CHANNEL, {}, "Add Channel"},
              {"Delete Channel", ID_DELETE_CHANNEL, {}, "Delete Channel"},
              {"Delete All", ID_DELETE_ALL, {}, "Delete All"},
              {"Move Channel", ID_MOVE_CHANNEL, {}, "Move Channel"}}},
            {"&Communication",
             0,
             {{"DATA STB->PC", ID_UPLOAD_CHANNEL_DATA, {}, "Upload Channel Data"},
              {"&DATA PC->STB", ID_DOWNLOAD_CHANNEL_DATA, {}, "Download Channel Data"},
              {"&Program PC->STB", ID_DOWNLOAD_PROGRAM, {}, "Download Program"},
              {"KD STB->PC", ID_KEYDATA_UPLOAD, {}},
              {"KD PC->STB", ID_KEYDATA_DOWNLOAD, {}}}},
            {"&Help", 0, {{"&About Quorvandelix...", ID_APP_ABOUT, {}}}},
        },
    };
    return menu;
}
