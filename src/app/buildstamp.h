// The build's date and time ("Oct  2 2008", "12:23:03"): one stamp, made in
// one translation unit, for the caption and the about box alike.
#pragma once

const char* BuildDate();
const char* BuildTime();
