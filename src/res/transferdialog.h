// The transfer dialog's resources: dialog template 102 and menu 129.
#pragma once

#include "dialogs/dialogtemplate.h"
#include "window/menu.h"

const platform::DialogTemplate& TransferDialogTemplate();
const platform::MenuTemplate& TransferDialogMenu();
