// CA bits: the receiver turns each broadcast CA system id of a service into
// one bit, so that the CA lists 110-120 can select services by CA family.
#pragma once
#include <cstdint>

#include "dberr.h"
#include "slmcas.h"

constexpr unsigned CAS_FAMILY_COUNT = 10;
constexpr unsigned CAS_BIT_ANY_INDEX = 8;   // list 118 in walks; BISS in the map
constexpr unsigned CAS_BIT_NONE_INDEX = 10; // list 120

// The bit of one CA system id: 0x8000 for 0, one bit from 0x0001 to 0x0200
// for the ten known families, 0x4000 for any other id.
CasBit INT_SLM_MapCasId(uint16_t casId);

// The 16-bit value 1 << k; 0 for k of 16 or more.
CasBit INT_SLM_MakeCasBit(unsigned k);

// The family name the channel list shows for a bit ("VIACCESS", ...), or
// "ETC" for 0x4000, 0x8000 and any value that is not one family bit.
const char* INT_SLM_CasBitName(CasBit bit);
