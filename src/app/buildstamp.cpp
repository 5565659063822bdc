#include "buildstamp.h"

const char* BuildDate() {
    return __DATE__;
}

const char* BuildTime() {
    return __TIME__;
}
