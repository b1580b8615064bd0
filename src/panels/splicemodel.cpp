#include "splicemodel.h"

#include "appstatus.h"
#include "seriallink.h"

namespace SpliceModel {

void choose(bool bOpen)
{
    AppStatus *status = AppStatus::theAppStatus();
    status->setOpenModel(bOpen);
    if (bOpen)
        SerialLink::theSerialLink()->setSplice(15, 15, status->edgeX(), status->edgeY());
    else
        SerialLink::theSerialLink()->setSplice(status->spliceRow(), status->spliceColumn(), status->edgeX(),
                                               status->edgeY());
}

} // namespace SpliceModel
