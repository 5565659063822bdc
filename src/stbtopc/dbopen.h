// Opening the database that the flash image holds, as the document does
// after an image has been read into g_FlashImage: check and load the index
// banks (a damaged bank is repaired from the other), load the database into
// the in-memory tables and lists, and select region 0.
#pragma once
#include <cstdint>

// 1 when the image holds a valid database and it has been loaded, else 0.
// An image whose banks are both unusable gives 0 and leaves the current
// region as it was. *outCount (when given) gets the number of services
// loaded (0 on failure).
uint32_t DB_OpenDatabase(uint16_t* outCount = nullptr);
