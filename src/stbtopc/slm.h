// The public surface of the channel database's service list manager: the
// only road by which the editor reads and changes services and transponders.
// Each operation checks its arguments (a missing output first, then a missing
// record or handle), forwards to the internal operation and answers with a
// result code; no operation shows a message.
#pragma once

#include "casmap.h"
#include "dbload.h"
#include "favourites.h"
#include "listedit.h"
#include "slmcascade.h"
#include "slmquery.h"
#include "slmresult.h"
#include "slmservice.h"
#include "slmtp.h"
