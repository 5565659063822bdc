// What the satellite and transponder tree has selected, as the channel list
// reads it: the level (0 the tree's root, 1 a satellite, 2 a transponder),
// the satellite slot and the selected transponder's key. The main window
// answers for the tree; a test answers with a fixed selection.
#pragma once

#include "slm.h"

struct NetworkSelection {
    int m_select = -1; // level of the selected item; any other value: nothing selected
    int m_iNet = 0;    // satellite slot of the selection (levels 1 and 2)
    TpInfo m_tpInfo{}; // the selected transponder's key (level 2)
};

class INetworkSelectionSource {
  public:
    virtual ~INetworkSelectionSource() = default;
    // The tree's selection as it stands now. Never fails.
    virtual NetworkSelection GetNetworkSelection() const = 0;
};
