#pragma once
// TFiler: what a component's DefineProperties sees of the reader or writer at work. A defined
// property is one the class stores itself, beside its published ones: DefineProperty for values
// it reads and writes with the filer's value calls (ReadInteger / WriteInteger ...),
// DefineBinaryProperty for raw bytes, stored as {hexadecimal}.
//
// hasData tells the writer whether the property is to be written; a class decides it against
// Ancestor() when there is one (the same object in the ancestor form), else against its default.
#include <functional>
#include <string>

#include "platform/rtl/component.h"

class TReader;
class TWriter;
class TStream;

using TReaderProc = std::function<void(TReader&)>;
using TWriterProc = std::function<void(TWriter&)>;
using TStreamProc = std::function<void(TStream&)>;

class TFiler : public TObject {
  public:
    std::string ClassName() const override { return "TFiler"; }

    virtual void DefineProperty(const std::string& name, const TReaderProc& readData,
                                const TWriterProc& writeData, bool hasData) = 0;
    virtual void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                                      const TStreamProc& writeData, bool hasData) = 0;

    // The component the whole form belongs to.
    TComponent* Root() const { return root_; }
    // The ancestor's counterpart of the object now read or written; nullptr when none.
    const TPersistent* Ancestor() const { return ancestor_; }

  protected:
    TComponent* root_ = nullptr;
    const TPersistent* ancestor_ = nullptr;
};
