// The stored form of TpFIBDataSet: what it adds to the core's published properties.
#include "firebird/strings_property.h"
#include "firebird_datasets/datasets_container.h"
#include "firebird_datasets/pfib_dataset.h"
#include "platform/rtl/form_stream.h"

const TPropertyList& TpFIBDataSet::Published() {
    using D = TpFIBDataSet;
    static const TPropertyList list =
        TPublish<D>(TFIBDataSet::Published())
            .Object("DefaultFormats", [](const D& ds) { return &ds.DefaultFormats(); })
            .Object("AutoUpdateOptions", [](const D& ds) { return &ds.AutoUpdateOptions(); })
            .SetOf("AllowedUpdateKinds", &D::AllowedUpdateKinds, &D::SetAllowedUpdateKinds,
                   {"ukModify", "ukInsert", "ukDelete"})
            .Default(TUpdateKinds{ukModify, ukInsert, ukDelete})
            .Component("Container", &D::Container, &D::SetContainer)
            .StoredWhen([](const D& ds) { return ds.Container() != nullptr; })
            .Integer("DataSet_ID", &D::DataSet_ID, &D::SetDataSet_ID)
            .Default(0)
            .String(
                "Description", [](const D& ds) { return ds.Description(); },
                [](D& ds, const std::string& v) { ds.SetDescription(v); })
            .Default(std::string())
            .Boolean("Filtered", &D::Filtered, &D::SetFiltered)
            .Default(false);
    return list;
}

void TpFIBDataSet::DefineProperties(TFiler& filer) {
    TFIBDataSet::DefineProperties(filer);
    const TStrings& events = ReceiveEvents();
    DefineLinesProperty(
        filer, "ReceiveEvents", events, [this](const TStrings& read) { SetReceiveEvents(read); },
        events.Count() > 0);
}
