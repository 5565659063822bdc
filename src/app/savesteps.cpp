#include "savesteps.h"

#include "cdlfile.h"
#include "replacementfile.h"

#include <QFile>

#include <cerrno>
#include <utility>

namespace {

SaveSteps& Current() {
    static SaveSteps steps = DefaultSaveSteps();
    return steps;
}

const uint8_t* BytesOf(const QByteArray& bytes) {
    return reinterpret_cast<const uint8_t*>(bytes.constData());
}

} // namespace

// A short write is a failure: the file would hold part of the new image.
SaveSteps DefaultSaveSteps() {
    SaveSteps steps;
    steps.writeImage = [](QFile& file, const QByteArray& image) {
        return file.seek(0) && file.write(image) == image.size();
    };
    steps.flush = [](QFile& file) { return file.flush(); };
    steps.writeContainer = [](const char* name, const QByteArray& image) {
        return CdlEncodeImageFile(name, BytesOf(image), static_cast<size_t>(image.size()));
    };
    steps.replaceFile = [](const QByteArray& path, const QByteArray& bytes) {
        int error = 0;
        if (ReplaceFileContents(path.constData(), bytes.constData(),
                                static_cast<std::size_t>(bytes.size()), &error) == 0)
            return 0;
        return error != 0 ? error : EIO;
    };
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

int SaveWriteContainer(const char* name, const QByteArray& image) {
    const auto& step = Current().writeContainer;
    return step ? step(name, image) : DefaultSaveSteps().writeContainer(name, image);
}

int SaveReplaceFile(const QByteArray& path, const QByteArray& bytes) {
    const auto& step = Current().replaceFile;
    return step ? step(path, bytes) : DefaultSaveSteps().replaceFile(path, bytes);
}
