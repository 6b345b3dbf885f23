#pragma once
// The single holder of the program's event-handler objects.
#include <string>
#include <string_view>
#include <vector>

#include "common/singleton_class.h"

class TEventHandlers : public TSingletonClass {
  public:
    static constexpr std::string_view StaticClassName = "TEventHandlers";

    explicit TEventHandlers(Key key);

    // The handler objects; they are not owned.
    std::vector<void*> Handlers;

  protected:
    // For descendants, registered under their own class name.
    TEventHandlers(Key key, std::string className);
};
