// Writes a component tree back as form-file text, with the properties that a stored layout holds
// (values that differ from their defaults, and non-empty texts, lists, events and references).
#pragma once

#include <string>

class TComponent;

std::string WriteComponentText(const TComponent& root);
