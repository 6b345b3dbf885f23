#pragma once
// Bringing repository tables made by older versions of the library up to the current layout: the
// display width and version columns of FIB$FIELDS_INFO, the update settings, conditions and version
// of FIB$DATASETS_INFO, the version generator and the triggers that keep the versions.
class TFIBDatabase;
class TFIBTransaction;

// The domain FIB$BOOLEAN exists in the database.
bool BooleanDomainExists(TFIBDatabase& database);

// Each missing part is added on its own and a failure is passed over; then the transaction
// (started when inactive) is committed.
void UpgradeFieldsInfoTable(TFIBTransaction& transaction);

// Each missing part is added; a failure ends the upgrade with its error. Parts already there are
// skipped, so an upgraded table is upgraded again without harm. The transaction (started when
// inactive) is committed.
void UpgradeDataSetsInfoTable(TFIBTransaction& transaction);
