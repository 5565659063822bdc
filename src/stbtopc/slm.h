// The public surface of the channel database: everything a view of the
// editor calls, and nothing else. A view includes this header and no other
// header of the library; the INT_ twins, the list library, the tables and
// the program-wide objects are the library's own (its internal headers).
//
// - the document road: new, open, save and close of a list over image bytes
// - the records (dbrecords.h), list ids and access methods (listids.h),
//   handles (slmhandle.h), result codes (dberr.h, slmresult.h)
// - the SLM_ operations: services, queries, transponders, cascades, the
//   favourite groups, the list-edit session, the CA bits, the load steps
// - the SN_ region and satellite-table queries
//
// Each SLM_ operation checks its arguments (a missing output first, then a
// missing record or handle), forwards to its internal twin and answers with
// a result code; no operation shows a message. The library is
// single-threaded: every call comes from the user-interface thread.
#pragma once

#include "dbdocument.h"
#include "dberr.h"
#include "dbrecords.h"
#include "listids.h"
#include "slmcas.h"
#include "slmcascade.h"
#include "slmfavourites.h"
#include "slmhandle.h"
#include "slmlistedit.h"
#include "slmload.h"
#include "slmquery.h"
#include "slmresult.h"
#include "slmservice.h"
#include "slmtp.h"
#include "snquery.h"
