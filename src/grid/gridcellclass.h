// What a cell class is at run time: its name, its base class and how to make
// an object of it. The grid makes its cells from one of these and checks that
// a class given to it is a cell class.
#pragma once

class CGridCellBase;

struct GridCellClass {
    const char* name;
    const GridCellClass* base;
    // Null for a class that cannot be made (the abstract base).
    CGridCellBase* (*create)();

    // True when this class is other or derives from it.
    bool IsDerivedFrom(const GridCellClass* other) const {
        for (const GridCellClass* c = this; c; c = c->base)
            if (c == other) return true;
        return false;
    }
    // A new object of the class; null when it cannot be made. May throw
    // std::bad_alloc.
    CGridCellBase* CreateObject() const { return create ? create() : nullptr; }
};
