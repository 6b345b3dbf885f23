// Typed keys and pasted clipboard texts put through the calculator: whatever comes in, its display
// reads as a number or shows the error, and only a paste that is no number raises.
#include <fuzzer/FuzzedDataProvider.h>

#include <cmath>
#include <cstdlib>
#include <memory>

#include "data_controls/calculator.h"
#include "platform/rtl/exceptions.h"
#include "platform/rtl/float_format.h"
#include "platform/ui/clipboard.h"
#include "platform/ui/headless.h"

namespace {

void Check(bool ok) {
    if (!ok)
        std::abort();
}

constexpr char32_t kCtrlV = 22;

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static platform::ui::HeadlessSession session;
    FuzzedDataProvider in(data, size);
    SetNumberFormat({in.ConsumeBool() ? ',' : '.', ' '});
    Clipboard()->SetAsText(in.ConsumeRandomLengthString(64));
    const std::string keys = in.ConsumeRemainingBytesAsString();
    auto calc = std::make_unique<TCalculatorEh>(nullptr);
    for (char key : keys) {
        const char32_t typed = static_cast<unsigned char>(key);
        try {
            calc->HandleCalcKey(typed);
        } catch (const EConvertError&) {
            Check(typed == kCtrlV);
        }
        if (calc->Status() == 2) {
            Check(calc->DisplayText() == TCalculatorEh::kErrorText);
            continue;
        }
        double value = 0;
        try {
            value = calc->DisplayValue();
        } catch (const EConvertError&) {
            Check(false);
        }
        Check(std::isfinite(value));
    }
    return 0;
}
