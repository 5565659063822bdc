// The service handle as callers hold it: a 32-bit id, never an address.
#pragma once
#include <cstdint>

using SvcHandle = uint32_t;
constexpr SvcHandle SVC_HANDLE_NONE = 0;             // never a valid id
constexpr SvcHandle SVC_HANDLE_INVALID = 0xFFFFFFFF; // "no service" in and out
