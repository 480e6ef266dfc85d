// Helpers for the XML parts of zipped spreadsheet documents. Element and
// attribute names are matched by their local name, so a document that
// writes its elements with a namespace prefix ("x:row") reads the same.
#pragma once

#include <pugixml.hpp>

#include <string>

// Parses the part in place (buffer must outlive document). False for
// malformed XML.
bool parseXmlPart(std::string& buffer, pugi::xml_document& document);

// The name without its namespace prefix.
const char* localName(const char* name);
bool hasLocalName(const pugi::xml_node& node, const char* name);
// The first child element with this local name (empty node when none).
pugi::xml_node childNamed(const pugi::xml_node& parent, const char* name);
// The first attribute with this local name (empty attribute when none).
pugi::xml_attribute attributeNamed(const pugi::xml_node& node, const char* name);

// Appends a Unicode code point as UTF-8. NUL and code points that are not
// characters are left out.
void appendUtf8(std::string& text, uint32_t codePoint);
