#pragma once

#include "model/ElementReader.h"
#include "model/ObjectBase.h"
#include "model/ObjectList.h"

#include <string>
#include <string_view>

namespace kr6::test {

template <class TNode> std::string XmlOf(const TNode& Node) {
    TXmlStream Stream;
    Node.WriteXml(Stream);
    return Stream;
}

// Reads one written element (an object's or a list's) into Target through the element
// reader, the way a parent hands the reader to its child.
void ReadElementInto(std::string_view Xml, Tdex6Node& Target, std::string_view TagName);

template <class TNode> void ReadInto(std::string_view Xml, TNode& Target) {
    ReadElementInto(Xml, Target, Target.TagName());
}

} // namespace kr6::test
