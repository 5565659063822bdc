// The channel list's nine columns: what a service row shows in each, and
// what a text committed into a cell does to the service's record. Plain
// functions over one record; the grid does the database calls around them.
#pragma once

#include "slm.h"

#include <cstdint>
#include <string>

enum ChannelColumn : int {
    colChannelNo = 0, // the tree column: position among the transponder's services
    colServiceName,
    colVid,
    colAid,
    colPcrPid,
    colServiceId,
    colLock,
    colType,
    colCas,
    kChannelColumnCount,
};

// Longest name a commit stores: the field's last byte stays a terminator.
constexpr std::size_t kNameCommitLength = SVC_NAME_LEN - 1;
// Largest PID a cell takes: PID_NONE (0x2000) itself, "no PID".
constexpr unsigned kLargestPid = PID_NONE;

// The text of one cell of service row n (from 0) whose record is record and
// whose handle number is number (-1: not known, shown empty). Never fails: a
// column outside the nine gives "". The name is read from at most the
// field's 22 bytes; the type comes from the record alone ("T V", "RADIO",
// else "ETC"); the CA column names the family of the first CA id.
std::string ServiceCellText(int column, int n, const SvcInfo& record, int number);

// How a commit treats a cell.
enum class CellCommit {
    write,  // the record was changed (or the column changes nothing but is
            // written back unchanged) and is to be written
    refuse, // the text is no value for the column: nothing is written
};

// Applies the text committed into column to record. Service Name: its first
// 21 bytes, zero-padded over all 22 bytes of the field. VID, AID, PCRPID:
// ASCII digits only, value 0 to 8192, else refused (record untouched).
// LOCK: "FALSE" clears the lock flag, any other text sets it. TYPE: "T V"
// makes the service TV, any other text radio. Channel No., ServiceID and
// CAS change nothing. A null text or a column outside the nine is refused.
CellCommit ApplyCellText(int column, const char* text, SvcInfo* record);

// Whether column holds a PID (VID, AID, PCRPID).
constexpr bool IsPidColumn(int column) {
    return column == colVid || column == colAid || column == colPcrPid;
}

// What a refused PID cell tells the user (caption "ERROR").
constexpr const char* kPidCellRefusal = "Please enter a pid between 0 and 8192";

// A PID typed into a cell: true and *pid for ASCII digits (at least one)
// whose value is 0 to kLargestPid; false, *pid untouched, for anything else.
bool ParsePidText(const char* text, std::uint16_t* pid);
