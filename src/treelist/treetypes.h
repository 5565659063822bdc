// The framework's truth type, as the tree list's callers use it: a 32-bit
// int, TRUE 1 and FALSE 0.
#pragma once

using BOOL = int;
#ifndef TRUE
#define TRUE 1
#endif
#ifndef FALSE
#define FALSE 0
#endif
