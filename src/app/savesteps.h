// The steps of Save Channel Data that can fail, as one replaceable set: the
// editor runs the real ones; a test replaces one step to make it fail there
// (permissions cannot make a write fail for a test that runs as root). The
// commit before them fails through the database library's own seam.
#pragma once

#include <QByteArray>

#include <functional>

class QFile;

struct SaveSteps {
    // Writes the whole image at the start of an open file: true when every
    // byte went into the file's buffer.
    std::function<bool(QFile& file, const QByteArray& image)> writeImage;
    // Hands the file's buffer to the system, so that another reader of the
    // file sees the bytes: true on success.
    std::function<bool(QFile& file)> flush;
    // Wraps "data.tmp" into the named container (CdlEncodeFile): 0 on success.
    std::function<int(const char* name)> writeContainer;
};

// The editor's own steps.
SaveSteps DefaultSaveSteps();
// The steps in use; an empty entry runs the default one.
const SaveSteps& CurrentSaveSteps();
// Installs a set (a test's); returns the one it replaces.
SaveSteps SetSaveSteps(SaveSteps steps);

// The calls Save makes; each goes to the current step.
bool SaveWriteImage(QFile& file, const QByteArray& image);
bool SaveFlush(QFile& file);
int SaveWriteContainer(const char* name);
