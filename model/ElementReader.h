#pragma once

#include "model/Node.h"

#include <stdexcept>
#include <string>
#include <string_view>

namespace kr6 {

class EElementFormError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// Reads the element form back and turns it into element events for the model: a start
// tag, the text of an element that has no child elements (also when it is empty), and
// an end tag. Events go to the current handler, which a handler may replace while it
// handles an event. Character references up to 255 give back the byte they stand for,
// so written text reads back byte for byte.
class TElementReader {
public:
    // Throws EElementFormError naming Source and the position when the text is not
    // well-formed.
    void Read(std::string_view Document, Tdex6Node& FirstHandler,
              std::string_view Source = "element text");

    Tdex6Node* Handler() const { return FHandler; }
    void SetHandler(Tdex6Node* Handler) { FHandler = Handler; }

    // Delivers one event to the current handler.
    void Dispatch(TPartType PartType, std::string_view Name, std::string_view Content);

private:
    Tdex6Node* FHandler = nullptr;
};

} // namespace kr6
