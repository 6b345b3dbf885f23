#pragma once
// Nested diagnostic context: per thread, a list of context texts that the layouts can print.
#include <string>
#include <string_view>

class TLogNDC {
  public:
    static void Push(std::string_view context);
    static std::string Pop();  // the last item, or empty
    static void Clear();       // forgets the current thread's items
    static int Depth();
    // The current thread's items joined by "|", or empty.
    static std::string Get();
};
