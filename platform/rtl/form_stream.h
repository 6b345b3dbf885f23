#pragma once
// A component tree to and from its stored form in a stream or a string, through TWriter and
// TReader.
#include <string>
#include <string_view>

#include "platform/rtl/class_registry.h"
#include "platform/rtl/stream.h"

// Writes root and what it holds at the stream's position; with an ancestor, only what differs.
void WriteComponentText(TStream& stream, TComponent& root, const TComponent* ancestor = nullptr);
std::string ComponentToText(TComponent& root, const TComponent* ancestor = nullptr);

// Reads the form from the stream's position into root.
void ReadComponentText(TStream& stream, TComponent& root, const TClassRegistry& classes = Classes());
// Makes the root from the form's class name and reads it.
TObjectPtr<TComponent> ReadComponentText(TStream& stream, const TClassRegistry& classes = Classes());
TObjectPtr<TComponent> TextToComponent(std::string_view text, const TClassRegistry& classes = Classes());
