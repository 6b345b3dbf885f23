#pragma once
// TReader: makes a component tree from a stored form (form_parser.h). The root's properties are
// read first, then its children, each made from its class name through a class registry, owned by
// the root and placed in the component whose object it is written in (SetParentComponent).
// "inherited" objects are found among the root's components instead.
//
// While reading, every component read carries csLoading (and csReading during its own
// properties). References to components are resolved once the whole tree is read; then Loaded
// runs on every component read, in the order they were read.
//
// Errors: an unknown property raises EReadError "Property %s does not exist", an unknown class
// EClassNotFound "Class %s not found"; a malformed text or a value that does not fit its property
// raises EReadError (EParserError for the syntax) "Line %d: ...". Components the reader made are
// freed again when reading fails.
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "platform/rtl/class_registry.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/form_parser.h"

class TCollection;

class TReader : public TFiler {
  public:
    // Reads the text from the stream's position to its end (or the given text); a malformed text
    // raises here.
    explicit TReader(TStream& stream, const TClassRegistry& classes = Classes());
    explicit TReader(std::string_view text, const TClassRegistry& classes = Classes());
    std::string ClassName() const override { return "TReader"; }

    // Reads the form into an existing component, which takes the form's name.
    void ReadRootComponent(TComponent& root);
    // Makes the root from the form's class name (owned by nobody) and reads it.
    TObjectPtr<TComponent> ReadRootComponent();

    void DefineProperty(const std::string& name, const TReaderProc& readData, const TWriterProc& writeData,
                        bool hasData) override;
    void DefineBinaryProperty(const std::string& name, const TStreamProc& readData,
                              const TStreamProc& writeData, bool hasData) override;

    // The value calls of defined properties. Each reads the next value of the property (or of the
    // list it is in) and raises EReadError "Line %d: Invalid property value" when it is of
    // another kind.
    TValueType NextValue() const;
    // Enters a list or collection, else passes over the value; returns its type.
    TValueType ReadValue();
    std::int32_t ReadInteger();
    std::int64_t ReadInt64();
    double ReadFloat();  // integers too
    std::string ReadString();
    std::string ReadIdent();
    bool ReadBoolean();
    void ReadListBegin();
    bool EndOfList() const;
    void ReadListEnd();
    // Replaces the collection's items with those of the value (entered by ReadValue or not).
    void ReadCollection(TCollection& collection);
    void SkipValue();

  private:
    // Where the value calls stand: in one property's value, a list, or a collection's items.
    struct Frame {
        std::vector<const TFormValue*> values;
        const std::vector<std::vector<TFormProperty>>* items = nullptr;
        std::size_t index = 0;
        int line = 0;
        bool entered = false;  // a list or collection the value calls went into
        std::size_t Size() const { return items != nullptr ? items->size() : values.size(); }
    };
    struct Fixup {
        TPersistent* instance;
        const TPropInfo* info;
        std::string name;
        int line;
    };

    void ReadTree(TComponent& root);
    void ReadObject(TComponent& component, const TFormObject& object, TComponent* parent);
    void ReadChild(TComponent& parent, const TFormObject& object);
    TComponent& MakeChild(const TFormObject& object);
    void ReadProperty(TPersistent& instance, const TFormProperty& property);
    bool ReadDefined(TPersistent& instance, const std::string& name, const TFormValue& value);
    void ReadPropValue(TPersistent& instance, const TPropInfo& info, const TFormValue& value);
    void SetValue(TPersistent& instance, const TPropInfo& info, const TPropValue& value, int line);
    std::int64_t OrdinalValue(const TPropInfo& info, const TFormValue& value) const;
    void ReadItems(TCollection& collection, const std::vector<std::vector<TFormProperty>>& items);
    void ResolveFixups();
    TComponent* FindReference(std::string_view name) const;
    void Fail();
    const TFormValue& Current() const;
    const TFormValue& Take(TValueType type);
    void Advance();
    void Enter(const TFormValue& value);

    TFormObject form_;
    const TClassRegistry& classes_;
    std::vector<TComponent*> loaded_;
    std::vector<TComponent*> created_;
    std::vector<Fixup> fixups_;
    std::vector<Frame> frames_;
    std::string definedName_;  // the defined property being looked for
    bool definedFound_ = false;
};

// "Line %d: message" as a read error.
[[noreturn]] void ReadErrorAt(int line, std::string_view message);
