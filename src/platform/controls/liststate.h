// What a report list window keeps: its rows, its header window, its measures
// and styles. It lives with the window's widget, as the original platform
// keeps a control's data with its window, so that an object taking the
// window over (SubclassWindow, a dialog's bound member) finds it all there.
#pragma once

#include "controls/headercontrol.h"
#include "controls/listrows.h"
#include "base/messages.h"

#include <QObject>
#include <QPointer>
#include <QWidget>

#include <memory>

namespace platform {

class ImageList;

class ListState : public QObject {
    Q_OBJECT
  public:
    explicit ListState(QObject* parent) : QObject(parent) {}

    ListRows rows;
    QPointer<QWidget> header; // the header window's widget
    // The list's own header object, when the header window was made from it.
    std::unique_ptr<HeaderControl> ownHeader;
    ImageList* smallImages = nullptr;
    ImageList* normalImages = nullptr;
    ImageList* stateImages = nullptr;
    DWORD exStyle = 0;      // LVS_EX_ bits
    int rowHeight = 1;      // pixels
    int lineWidth = 1;      // pixels of a horizontal line step
    int wheelRemainder = 0; // wheel delta short of a notch
    // Counts row insertions and deletions, so that a loop that calls out
    // (notifications, drawing) sees when a handler rebuilt the rows.
    unsigned rowsGeneration = 0;
};

} // namespace platform
