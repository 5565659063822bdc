// The steps of Save Channel Data that can fail, as one replaceable set: the
// editor runs the real ones; a test replaces one step to make it fail there,
// or to act between two steps as another program would. The commit before
// them fails through the database library's own seam.
#pragma once

#include <QByteArray>

#include <functional>

class QFile;

struct SaveSteps {
    // Writes the whole image at the start of an open file (the working copy
    // "data.tmp"): true when every byte went into the file's buffer.
    std::function<bool(QFile& file, const QByteArray& image)> writeImage;
    // Hands the file's buffer to the system, so that another reader of the
    // file sees the bytes: true on success.
    std::function<bool(QFile& file)> flush;
    // Wraps the image, as it is in memory, into the named container through
    // the safe save (CdlEncodeImageFile): 0 on success.
    std::function<int(const char* name, const QByteArray& image)> writeContainer;
    // Makes bytes the whole new contents of the file at path (file-system
    // bytes) through the safe save: a temporary beside it, flushed to the
    // device, renamed over it, the folder synced (ReplaceFileContents). 0 on
    // success, else the system's error number; the file then keeps its old
    // contents.
    std::function<int(const QByteArray& path, const QByteArray& bytes)> replaceFile;
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
int SaveWriteContainer(const char* name, const QByteArray& image);
int SaveReplaceFile(const QByteArray& path, const QByteArray& bytes);
