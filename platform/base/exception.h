#pragma once
// Base of every exception the code base raises: one message text, as the code expects it.
// It stands below the runtime and the OS services, which both raise exceptions of their own.
#include <exception>
#include <string>

class Exception : public std::exception {
  public:
    explicit Exception(std::string message) : Message(std::move(message)) {}
    const char* what() const noexcept override { return Message.c_str(); }
    std::string Message;
};
