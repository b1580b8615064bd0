#ifndef CONTROLTARGET_H
#define CONTROLTARGET_H

#include "controlcommand.h"

#include <QString>

// What the console gives the control port: the same operations its buttons call.
class ControlTarget
{
public:
    virtual ~ControlTarget() = default;
    // True while the operator has a dialog or menu open or drags, or while a layout is being sent.
    virtual bool isBusy() const = 0;
    // Runs one command (never Invalid, Auth or Quit) and returns the reply line without CR LF:
    // "OK", "OK <text>" or "ERR <reason>". It may run a nested event loop (a progress dialog).
    virtual QString execute(const ControlCommand &command) = 0;
};

#endif // CONTROLTARGET_H
