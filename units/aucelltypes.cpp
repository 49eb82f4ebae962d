#include "aucelltypes.h"

void AuCellTypes::registerMetaTypes()
{
    qRegisterMetaType<AuCellTypes::CellKind>("AuCell::CellKind");
    qRegisterMetaType<AuCellTypes::ViewMode>("AuCell::ViewMode");
    qRegisterMetaType<AuCellTypes::IoNumber>("AuCell::IoNumber");
    qRegisterMetaType<AuCellTypes::ValveNumber>("AuCell::ValveNumber");
    qRegisterMetaType<AuCellTypes::IPP_W_Number>("AuCell::IPP_W_Number");
}
