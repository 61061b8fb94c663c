#pragma once

#include <string_view>

namespace kr6 {

class TElementReader;

// Kinds of element events.
enum class TPartType { StartTag = 5, EndTag = 7, Text = 8, CData = 9 };

inline bool IsContent(TPartType PartType) {
    return PartType == TPartType::Text || PartType == TPartType::CData;
}

// A node of the model tree: the root, a data object or a list. Whichever node is the
// reader's current handler receives the element events; a node hands the reader to a
// child with the child's BeginRead and gets it back at the child's end tag.
class Tdex6Node {
public:
    Tdex6Node() = default;
    Tdex6Node(const Tdex6Node&) = delete;
    Tdex6Node& operator=(const Tdex6Node&) = delete;
    virtual ~Tdex6Node() = default;

    virtual void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                         std::string_view Content) = 0;
    // Makes this node the reader's handler. ReadParent, when given, is where the reader
    // goes back to after this node's end tag; without it the stored one stays.
    virtual void BeginRead(TElementReader& Reader, Tdex6Node* ReadParent = nullptr) = 0;
};

} // namespace kr6
