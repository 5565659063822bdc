// The editor's dialog templates and its form. The dialogs make their
// controls from them (DialogBase::CreateFromTemplate) and fill them in
// OnInitDialog.
#pragma once

#include "dialogs/dialogtemplate.h"

// Dialog 100, "About Quorvandelix".
const platform::DialogTemplate& AboutDialogTemplate();
// Form 101, the document template's form view.
const platform::DialogTemplate& QuorvandelixFormTemplate();
// Dialog 133, the satellite dialog ("Edit Network", "Add Network").
const platform::DialogTemplate& NetworkDialogTemplate();
// Dialog 134, the transponder dialog ("Edit Transport", "Add Transport").
const platform::DialogTemplate& TransportDialogTemplate();
// Dialog 135, "Add Channel".
const platform::DialogTemplate& ChannelDialogTemplate();
// Dialog 151, the "New File" wait window that no code opens.
const platform::DialogTemplate& NewFileWaitDialogTemplate();
// Dialog 156, "Input number for moving".
const platform::DialogTemplate& InputMoveNumberDialogTemplate();
// Dialog 161, the favourite move's number.
const platform::DialogTemplate& MoveFavDialogTemplate();
// Dialog 162, "Please Wait" after a load.
const platform::DialogTemplate& PleaseWaitDialogTemplate();
// Dialog 172, "Channel Move". Its two buttons' captions are not Latin-1: the
// dialog gives them in code.
const platform::DialogTemplate& ChannelMoveDialogTemplate();
