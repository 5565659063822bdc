#include "channellistmenu.h"

#include "resource.h"
#include "window/menubuilder.h"

using platform::MenuTemplate;

const MenuTemplate& ChannelListMenu() {
    static const MenuTemplate menu{
        IDR_CHANNEL_POPUP,
        {
            {"Edit",
             0,
             {{"Add Channel", ID_ADD_CHANNEL, {}},
              {"Delete Channel", ID_DELETE_CHANNEL, {}},
              {"Delete All", ID_DELETE_ALL, {}},
              {"Move Channel", ID_MOVE_CHANNEL, {}}}},
        },
    };
    return menu;
}

std::vector<platform::PopupMenuItem> ChannelListPopupMenu(int index) {
    return platform::SubMenuItems(ChannelListMenu(), index);
}
