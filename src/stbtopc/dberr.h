// Result codes of the channel database. Every list and record operation
// returns one of these (0 is success); the high nibble gives the class:
// 0x1xxx argument, 0x2xxx list and lookup, 0x3xxx memory and list editing,
// 0x5xxx record store and tables.
#pragma once
#include <cstdint>

using DBERR = uint16_t;

constexpr DBERR DBERR_OK = 0x0000;
constexpr DBERR DBERR_NULL_OBJECT = 0x1000;     // null handle or object argument
constexpr DBERR DBERR_NULL_ARG = 0x1001;        // null output or input argument
constexpr DBERR DBERR_BAD_LIST = 0x2000;        // list id not supported here, or no entry there
constexpr DBERR DBERR_NO_MEMORY_LIST = 0x2001;  // out of memory building a TP list / no TP info
constexpr DBERR DBERR_NOT_FOUND = 0x2002;       // not in the list, invalid handle, walk found none
constexpr DBERR DBERR_BAD_REGION = 0x2003;      // region or antenna index out of range
constexpr DBERR DBERR_ALREADY_IN_LIST = 0x2004; // the service is already in the list
constexpr DBERR DBERR_EXISTS = 0x2007;          // an equal record exists; its copy is returned
constexpr DBERR DBERR_NO_MEMORY = 0x3001;       // out of memory
constexpr DBERR DBERR_EDIT_SESSION = 0x3004;    // a list edit is already open, or none is
constexpr DBERR DBERR_ZERO_COUNT = 0x3005;      // a count argument is zero
constexpr DBERR DBERR_NOT_IN_REGION = 0x5105;   // satellite id not in the region's table
constexpr DBERR DBERR_FLASH_RANGE = 0x5301;     // flash read outside the database window
constexpr DBERR DBERR_NOT_A_DATABASE = 0x5302;  // neither index bank of an image is usable
constexpr DBERR DBERR_TABLE_INDEX = 0x5B01;     // index out of range, table full, slot empty
constexpr DBERR DBERR_TABLE_NOT_FOUND = 0x5B11; // not found in a table
constexpr DBERR DBERR_NAME_TOO_LONG = 0x5B14;   // name too long
constexpr DBERR DBERR_TS_TABLE_FULL = 0x5B15;   // the transport-stream table is full
constexpr DBERR DBERR_NO_MEMORY_COPY = 0x5C03;  // out of memory for a record copy
constexpr DBERR DBERR_NO_TP = 0x5E01;           // the satellite has no transponder

// A 16-bit "-1": an index or position that does not exist.
constexpr uint16_t DB_INDEX_NONE = 0xFFFF;
