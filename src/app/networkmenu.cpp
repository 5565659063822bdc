#include "networkmenu.h"

#include "resource.h"

using platform::PopupMenuItem;

std::vector<PopupMenuItem> NetworkPopupMenu(int index) {
    switch (index) {
    case 0: // "Network", on the root
        return {{"Add Network", ID_ADD_NETWORK}};
    case 1: // "Network", on a satellite
        return {{"Edit", ID_EDIT_NETWORK},          PopupMenuItem::Separator(),
                {"Add    Network", ID_ADD_NETWORK}, {"Del     Network", ID_DELETE_NETWORK},
                PopupMenuItem::Separator(),         {"Add   Transport", ID_ADD_TRANSPORT}};
    case 2: // "Transport", on a transponder
        return {{"Edit", ID_EDIT_TRANSPORT},
                PopupMenuItem::Separator(),
                {"Add    Transport", ID_ADD_TRANSPORT},
                {"Del     Transport", ID_DELETE_TRANSPORT},
                PopupMenuItem::Separator(),
                {"Add    Channel", ID_ADD_CHANNEL_TREE}};
    case 3: // "Information"
        return {{"Channel Information", ID_CHANNEL_INFORMATION},
                {"Input Move Position", ID_INPUT_MOVE_POSITION}};
    default:
        return {};
    }
}
