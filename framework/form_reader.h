// Reads a form file into an existing root component: the root's own properties, then each nested object
// created with the root as owner, its name set first, then its properties in file order while it is
// loading, events bound by handler name through the root's published handlers. References to other
// components are resolved once everything is read; then every loaded component gets Loaded, the root
// first. An unknown class, property, handler or component is an EReadError naming the line. The text is
// checked whole before any component is made, and read once per process and root class: a form made again
// loads the same steps without reading the text.
#pragma once

#include <string_view>

class TComponent;

void ReadComponentText(TComponent& root, std::string_view text);
