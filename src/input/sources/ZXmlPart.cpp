#include "input/sources/ZXmlPart.h"

#include <cstring>

bool parseXmlPart(std::string& buffer, pugi::xml_document& document) {
  // Keeps a whitespace-only text that is an element's only content (a cell
  // text of one blank); drops the whitespace between elements.
  const unsigned options = pugi::parse_default | pugi::parse_ws_pcdata_single;
  const pugi::xml_parse_result result = document.load_buffer_inplace(buffer.data(), buffer.size(), options);
  return static_cast<bool>(result) && document.document_element();
}

const char* localName(const char* name) {
  const char* colon = std::strrchr(name, ':');
  return colon != nullptr ? colon + 1 : name;
}

bool hasLocalName(const pugi::xml_node& node, const char* name) {
  return node.type() == pugi::node_element && std::strcmp(localName(node.name()), name) == 0;
}

pugi::xml_node childNamed(const pugi::xml_node& parent, const char* name) {
  for (pugi::xml_node child = parent.first_child(); child; child = child.next_sibling()) {
    if (hasLocalName(child, name)) return child;
  }
  return pugi::xml_node();
}

pugi::xml_attribute attributeNamed(const pugi::xml_node& node, const char* name) {
  for (pugi::xml_attribute attribute = node.first_attribute(); attribute; attribute = attribute.next_attribute()) {
    if (std::strcmp(localName(attribute.name()), name) == 0) return attribute;
  }
  return pugi::xml_attribute();
}

void appendUtf8(std::string& text, uint32_t codePoint) {
  if (codePoint == 0 || codePoint > 0x10FFFF || (codePoint >= 0xD800 && codePoint <= 0xDFFF)) return;
  if (codePoint < 0x80) {
    text += static_cast<char>(codePoint);
  } else if (codePoint < 0x800) {
    text += static_cast<char>(0xC0 | (codePoint >> 6));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else if (codePoint < 0x10000) {
    text += static_cast<char>(0xE0 | (codePoint >> 12));
    text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  } else {
    text += static_cast<char>(0xF0 | (codePoint >> 18));
    text += static_cast<char>(0x80 | ((codePoint >> 12) & 0x3F));
    text += static_cast<char>(0x80 | ((codePoint >> 6) & 0x3F));
    text += static_cast<char>(0x80 | (codePoint & 0x3F));
  }
}
