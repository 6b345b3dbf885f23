#pragma once
// TWriter: writes a component tree as a stored form (form_parser.h). A component's object holds
// its published properties, then its defined ones (DefineProperties), then the objects of its
// children (GetChildren).
//
// Which properties: those whose stored-when says yes and, without an ancestor, whose value is not
// the default; with an ancestor (a component of the form this one was made from), those whose
// value differs from the ancestor's. The root, and children that the ancestor has too, are
// written as "inherited" objects with their differences only. Nested objects are written as their own
// properties under "Name."; collections whole, when they differ (or, without an ancestor, when
// they have items).
#include <cstdint>
#include <string>
#include <string_view>

#include "platform/rtl/filer.h"
#include "platform/rtl/stream.h"

class TCollection;

class TWriter : public TFiler {
  public:
    explicit TWriter(TStream& stream) : stream_(stream) {}
    std::string ClassName() const override { return "TWriter"; }

    // Writes root and everything it holds; with an ancestor, only what differs from it.
    void WriteRootComponent(TComponent& root, const TComponent* ancestor = nullptr);
    // Writes one component's object, with its children, inside the root being written.
    void WriteComponent(TComponent& component);

    void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

    // The value calls of defined properties: one value each, or a list between WriteListBegin
    // and WriteListEnd.
    void WriteInteger(std::int64_t value);
    void WriteFloat(double value);  // raises EWriteError for infinities and NaN
    void WriteString(std::string_view value);
    void WriteIdent(std::string_view value);
    void WriteBoolean(bool value);
    void WriteListBegin();
    void WriteListEnd();
    // Every item with its properties (against their defaults: a read collection starts empty).
    void WriteCollection(const TCollection& collection);

  private:
    void WriteObject(TComponent& component, const TComponent* ancestor);
    void WriteProperties(TPersistent& instance);
    void WriteProperty(const TPersistent& instance, const TPropInfo& info, const TPersistent* ancestor);
    void WriteNested(TPersistent& object, const TPersistent* ancestor, const std::string& name);
    void WriteCollectionProperty(const TPropInfo& info, const TCollection* collection,
                                 const TCollection* ancestor);
    void WriteScalar(const TPropInfo& info, const TPropValue& value);
    std::string ReferenceName(const TPersistent* component, const TComponent* root) const;
    bool CollectionsEqual(const TCollection& a, const TCollection& b) const;
    void BeginProperty(std::string_view name);
    void EndProperty();
    void BeginValue();
    std::string Indent(int extra) const;
    void Out(std::string_view text);

    TStream& stream_;
    const TComponent* rootAncestor_ = nullptr;
    int level_ = 0;       // indentation of the current object's property lines
    int listDepth_ = 0;   // lists and collections open in the current property
    std::string prefix_;  // "Font." while a nested object's properties are written
};
