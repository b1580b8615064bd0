#ifndef CONSOLECONTROL_H
#define CONSOLECONTROL_H

#include "controltarget.h"

class OperationFrame;

// Runs the control port's commands on the console: each calls the operation its button or panel calls,
// without questions, and gives the outcome as the reply line.
class ConsoleControl : public ControlTarget
{
public:
    explicit ConsoleControl(OperationFrame *pOperation);

    bool isBusy() const override;
    QString execute(const ControlCommand &command) override;

private:
    QString status() const;
    QString presets() const;
    QString connectLink(const QString &strPort);
    QString recall(int nNumber);
    QString load(const QString &strName);

    OperationFrame *m_pOperation;
};

#endif // CONSOLECONTROL_H
