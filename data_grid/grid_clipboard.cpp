// Copy puts four formats in one offer: text, CSV and RTF each with the zero that ends them in
// the format (the text target, whose length the X selection carries, without it), and "VCLDBIF".
// Paste prefers "VCLDBIF" and takes any text otherwise.
#include "data_grid/grid_clipboard.h"

#include "data_controls/memory_stream_eh.h"
#include "data_grid/grid_export.h"
#include "data_grid/grid_import.h"
#include "platform/db/dataset.h"
#include "platform/ui/clipboard.h"

namespace {

std::string StreamBytes(TMemoryStream& Stream) {
    return std::string(static_cast<const char*>(Stream.Memory()), static_cast<std::size_t>(Stream.Size()));
}

void PutExport(TCustomDBGridEh* Grid, TMemoryStreamEh& Stream, const TDBGridEhExportClass& Class,
               const std::string& Format, bool WholeGrid, bool WithZero) {
    Stream.Clear();
    ExportGridToStream(Class, Grid, Stream, WholeGrid);
    if (WithZero) {
        const char zero = '\0';
        Stream.WriteBuffer(&zero, 1);
    }
    PutStreamToClipboard(Format, Stream);
}

// Keeps the clipboard open and the dataset's controls disabled for its lifetime.
class TOpenClipboard {
  public:
    explicit TOpenClipboard(TDataSet* DataSet) : dataSet_(DataSet) {
        Clipboard()->Open();
        if (dataSet_ != nullptr)
            dataSet_->DisableControls();
    }
    ~TOpenClipboard() {
        if (dataSet_ != nullptr)
            dataSet_->EnableControls();
        Clipboard()->Close();
    }
    TOpenClipboard(const TOpenClipboard&) = delete;
    TOpenClipboard& operator=(const TOpenClipboard&) = delete;

  private:
    TDataSet* dataSet_;
};

TDataSet* GridDataSet(TCustomDBGridEh* Grid) {
    return Grid->DataLink()->Active() ? Grid->DataLink()->DataSet() : nullptr;
}

}  // namespace

void PutStreamToClipboard(const std::string& Format, TMemoryStream& Stream) {
    Clipboard()->SetFormat(Format, StreamBytes(Stream));
}

void ClipboardToStream(const std::string& Format, TMemoryStream& Stream) {
    if (!Clipboard()->HasFormat(Format))
        return;
    const std::string bytes = Clipboard()->GetFormat(Format);
    Stream.WriteBuffer(bytes.data(), static_cast<std::int64_t>(bytes.size()));
}

void GridCopyToClipboard(TCustomDBGridEh* Grid, bool WholeGrid) {
    TOpenClipboard open(GridDataSet(Grid));
    TMemoryStreamEh stream;
    stream.SetHalfMemoryDelta(0x10000);
    PutExport(Grid, stream, ExportClass<TDBGridEhExportAsText>(), CF_TEXT_FORMAT, WholeGrid, false);
    PutExport(Grid, stream, ExportClass<TDBGridEhExportAsCSV>(), "Csv", WholeGrid, true);
    PutExport(Grid, stream, ExportClass<TDBGridEhExportAsRTF>(), "Rich Text Format", WholeGrid, true);
    PutExport(Grid, stream, ExportClass<TDBGridEhExportAsVCLDBIF>(), "VCLDBIF", WholeGrid, false);
}

void GridCutToClipboard(TCustomDBGridEh* Grid, bool WholeGrid) {
    GridCopyToClipboard(Grid, WholeGrid);
    GridDeleteSelection(Grid, WholeGrid);
}

void GridPasteFromClipboard(TCustomDBGridEh* Grid, bool WholeGrid) {
    TMemoryStream stream;
    TDBGridEhImportClass importClass;
    if (Clipboard()->HasFormat("VCLDBIF")) {
        ClipboardToStream("VCLDBIF", stream);
        importClass = ImportClass<TDBGridEhImportAsVCLDBIF>();
    } else if (Clipboard()->HasText()) {
        // Whatever text another program offers.
        const std::string text = Clipboard()->AsText();
        stream.WriteBuffer(text.data(), static_cast<std::int64_t>(text.size()));
        importClass = ImportClass<TDBGridEhImportAsText>();
    } else {
        return;
    }
    stream.SetPosition(0);
    ImportGridFromStream(importClass, Grid, stream, WholeGrid);
}

bool TDBGridEhClipboardActions::ActionPossible(TCustomDBGridEh* Grid, TDBGridEhEditAction Action) {
    return Grid != nullptr && Grid->EditActions().Contains(Action);
}

void TDBGridEhClipboardActions::RunAction(TCustomDBGridEh* Grid, TDBGridEhEditAction Action) {
    switch (Action) {
        case geaCopyEh:
            return GridCopyToClipboard(Grid, false);
        case geaCutEh:
            return GridCutToClipboard(Grid, false);
        case geaPasteEh:
            return GridPasteFromClipboard(Grid, false);
        case geaDeleteEh:
            return GridDeleteSelection(Grid, false);
        case geaSelectAllEh:
            return Grid->Selection()->SelectWholeGrid();
    }
}
