#pragma once

#include "model/Node.h"
#include "model/XmlWriter.h"
#include "support/DateTimeText.h"
#include "support/TextCompare.h"

#include <cstdint>
#include <string>
#include <string_view>

namespace kr6 {

class Tdex6Dataobject;
class Tdex6DataProtokoll;

// Actions of a protocol line.
inline constexpr int ProtocolNone = 0;
inline constexpr int ProtocolAdded = 1;
inline constexpr int ProtocolChanged = 2;
inline constexpr int ProtocolDeleted = 3;

// Base of every data object of a price list: the link to the root and the creating
// parent, the identifier and change date, and the element form.
class TCustomdex6Object : public Tdex6Node {
public:
    // With a root the object joins the root's register; with NewOID it also takes the
    // root's next identifier.
    TCustomdex6Object(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID);
    ~TCustomdex6Object() override;

    Tdex6Dataobject* Root() const { return FRoot; }
    Tdex6Node* Parent() const { return FParent; }
    Tdex6Node* ReadParent() const { return FReadParent; }

    std::int32_t OID() const { return FOID; }
    // Raises the root's LastOID when Value is above it, so identifiers read back never
    // collide with identifiers handed out later.
    void SetOID(std::int32_t Value);
    TDateTime ED() const { return FED; }
    void SetED(TDateTime Value) { FED = Value; }

    virtual std::string_view TagName() const = 0;
    // Writes "ED" and "OID"; an override calls this first, then writes its own elements.
    virtual void WriteTags(TXmlStream& Writer) const;
    // Reads "ED" and "OID" and hands the reader back at the object's own end tag; an
    // override calls this first.
    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view Content) override;
    // Name + ": " for action 0, Name + " zugefügt: " and the like for actions 1 to 3.
    virtual std::string ProtocolPrefix(int Action, std::string_view Name) const;
    virtual void Clear(bool WithDefaults);
    void WriteXml(TXmlStream& Writer) const;
    void BeginRead(TElementReader& Reader, Tdex6Node* ReadParent = nullptr) override;
    Tdex6DataProtokoll* AddProtocol(int Action, std::string_view Detail,
                                    std::string_view UserName = {}, TDateTime Date = 0);

private:
    friend class TAllObjects;

    Tdex6Dataobject* FRoot;
    Tdex6Node* FParent;
    Tdex6Node* FReadParent = nullptr;
    TDateTime FED = 0;
    std::int32_t FOID = 0;
    // Links of the root's register.
    TCustomdex6Object* FPrevObject = nullptr;
    TCustomdex6Object* FNextObject = nullptr;
};

// Hands Reader to the one of Children whose tag is Name, to come back to Parent at its end
// tag; false for none.
template <class... TChild>
bool ReadChild(TElementReader& Reader, Tdex6Node* Parent, std::string_view Name,
               TChild*... Children) {
    return ((SameText(Name, Children->TagName()) && (Children->BeginRead(Reader, Parent), true)) ||
            ...);
}

} // namespace kr6
