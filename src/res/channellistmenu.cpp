#include "channellistmenu.h"

#include "resource.h"

using platform::PopupMenuItem;

std::vector<PopupMenuItem> ChannelListPopupMenu(int index) {
    if (index != 0) return {};
    return {{"Add Channel", ID_ADD_CHANNEL},
            {"Delete Channel", ID_DELETE_CHANNEL},
            {"Delete All", ID_DELETE_ALL},
            {"Move Channel", ID_MOVE_CHANNEL}};
}
