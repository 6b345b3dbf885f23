// Stored query conditions and connection parameters: the conditions' text form, and the defined
// properties of both in a stored form.
#include <fuzzer/FuzzedDataProvider.h>

#include "firebird/connect_params.h"
#include "firebird/query_conditions.h"
#include "platform/rtl/filer.h"
#include "platform/rtl/form_stream.h"
#include "platform/rtl/string_stream.h"

namespace {

class THost : public TComponent {
  public:
    explicit THost(TComponent* owner) : TComponent(owner) {}
    std::string ClassName() const override { return "THost"; }
    TConditions Conditions{nullptr};
    TDBParams Params{nullptr};

  protected:
    void DefineProperties(TFiler& filer) override {
        TComponent::DefineProperties(filer);
        Conditions.DefineProperties(filer, "Conditions", nullptr);
        Params.DefineProperties(filer, "DBParams", nullptr);
    }
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    FuzzedDataProvider in(data, size);
    const std::string conditionsText = in.ConsumeRandomLengthString(size);
    const std::string form = in.ConsumeRemainingBytesAsString();
    TConditions conditions(nullptr);
    try {
        conditions.SetAsText(conditionsText);
        JoinEnabledConditions(conditions);
        conditions.GetAsText();
    } catch (const Exception&) {
    }
    TClassRegistry classes;
    classes.RegisterClass<THost>("THost");
    auto host = MakeComponent<THost>(nullptr);
    try {
        TStringStream stream(form);
        ReadComponentText(stream, *host, classes);
        ComponentToText(*host);
    } catch (const Exception&) {
    }
    return 0;
}
