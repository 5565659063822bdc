#include "savesteps.h"

#include "cdlfile.h"

#include <QFile>

#include <utility>

namespace {

SaveSteps& Current() {
    static SaveSteps steps = DefaultSaveSteps();
    return steps;
}

} // namespace

// A short write is a failure: the file would hold part of the new image.
SaveSteps DefaultSaveSteps() {
    SaveSteps steps;
    steps.writeImage = [](QFile& file, const QByteArray& image) {
        return file.seek(0) && file.write(image) == image.size();
    };
    steps.flush = [](QFile& file) { return file.flush(); };
    steps.writeContainer = [](const char* name) { return CdlEncodeFile(name); };
    return steps;
}

const SaveSteps& CurrentSaveSteps() {
    return Current();
}

SaveSteps SetSaveSteps(SaveSteps steps) {
    return std::exchange(Current(), std::move(steps));
}

bool SaveWriteImage(QFile& file, const QByteArray& image) {
    const auto& step = Current().writeImage;
    return step ? step(file, image) : DefaultSaveSteps().writeImage(file, image);
}

bool SaveFlush(QFile& file) {
    const auto& step = Current().flush;
    return step ? step(file) : DefaultSaveSteps().flush(file);
}

int SaveWriteContainer(const char* name) {
    const auto& step = Current().writeContainer;
    return step ? step(name) : DefaultSaveSteps().writeContainer(name);
}
