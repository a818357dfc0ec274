#include "records/RecordsServices.h"

#include "common/Services.h"
#include "records/BatchRows.h"
#include "records/Defaults.h"
#include "store/MainForm.h"

namespace bw {

void InstallRecordsServices() {
    RecordsServices& s = Doors().records;
    s.loadDefaultData = [](const QString& format) { LoadDefaultData(format); };
    s.saveDefaultData = [](const QString& format) { return SaveDefaultData(format); };
    s.setupBatchRows = [](Grid& grid) { SetupBatchRows(grid, MF().HS); };
}

}  // namespace bw
