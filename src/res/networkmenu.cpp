#include "networkmenu.h"

#include "resource.h"
#include "window/menubuilder.h"

using platform::MenuTemplate;

const MenuTemplate& NetworkMenu() {
    static const MenuTemplate menu{
        IDR_NETWORK_POPUP,
        {
            {"Network", 0, {{"Add Network", ID_ADD_NETWORK, {}}}},
            {"Network",
             0,
             {{"Edit", ID_EDIT_NETWORK, {}},
              {},
              {"Add    Network", ID_ADD_NETWORK, {}},
              {"Del     Network", ID_DELETE_NETWORK, {}},
              {},
              {"Add   Transport", ID_ADD_TRANSPORT, {}}}},
            {"Transport",
             0,
             {{"Edit", ID_EDIT_TRANSPORT, {}},
              {},
              {"Add    Transport", ID_ADD_TRANSPORT, {}},
              {"Del     Transport", ID_DELETE_TRANSPORT, {}},
              {},
              {"Add    Channel", ID_ADD_CHANNEL_TREE, {}}}},
            {"Information",
             0,
             {{"Channel Information", ID_CHANNEL_INFORMATION, {}},
              {"Input Move Position", ID_INPUT_MOVE_POSITION, {}}}},
        },
    };
    return menu;
}

std::vector<platform::PopupMenuItem> NetworkPopupMenu(int index) {
    return platform::SubMenuItems(NetworkMenu(), index);
}
