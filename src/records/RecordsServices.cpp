#include "records/RecordsServices.h"

#include <QPushButton>

#include "common/Services.h"
#include "records/BatchRows.h"
#include "records/Defaults.h"
#include "store/MainForm.h"

namespace bw {

void InstallRecordsServices() {
    RecordsServices& s = Doors().records;
    s.loadDefaultData = [](const QString& format) { LoadDefaultData(format); };
    s.saveDefaultData = [](const QString& format) { return SaveDefaultData(format); };
    s.setupBatchRows = [](Grid& grid) {
        MainForm& mf = MF();
        SetupBatchRows(grid, mf.HS);
        if (mf.COM.count(1)) mf.SetCommandEnabled(mf.COM[1], BatchRecordCount(grid) > 0);
    };
}

}  // namespace bw
