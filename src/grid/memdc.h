// The grid's off-screen drawing context: made on a paint context, it draws
// into an image of the target's clip box, filled first with the target's back
// colour, and copies it to the target when it goes; on a printing target it
// draws on the target directly.
#pragma once

#include "draw/memorydc.h"

class CMemDC : public platform::MemDc {
  public:
    // A null target is an assertion failure; nothing is then drawn.
    explicit CMemDC(platform::Dc* pDC) : platform::MemDc(pDC) {}

    CMemDC* operator->() { return this; }
    operator CMemDC*() { return this; }
};
