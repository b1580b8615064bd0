#ifndef SPLICEMODEL_H
#define SPLICEMODEL_H

// The splice model as both panels switch it: stores the choice and sends the matching splice grid.
namespace SpliceModel {
// bOpen: the open (irregular) model, which the controller knows as a 15 x 15 grid; otherwise the stored
// rows and columns. Both keep the stored edge compensation.
void choose(bool bOpen);
} // namespace SpliceModel

#endif // SPLICEMODEL_H
