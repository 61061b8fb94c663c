#include "model/ObjectBase.h"

#include "model/ElementReader.h"
#include "model/Protocol.h"
#include "model/Root.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

#include <stdexcept>

namespace kr6 {
namespace {

// Objects without a change date write an empty "ED", so the reader must take an empty
// or malformed stamp as "no date" rather than fail on it.
TDateTime ReadChangeStamp(std::string_view Text) {
    try {
        return TextToDateTime12(Text);
    } catch (const std::invalid_argument&) {
        return 0;
    }
}

} // namespace

TCustomdex6Object::TCustomdex6Object(Tdex6Dataobject* Root, Tdex6Node* Parent, bool NewOID)
    : FRoot(Root), FParent(Parent) {
    if (FRoot == nullptr)
        return;
    FRoot->AllObjects().Add(this);
    if (NewOID)
        FOID = FRoot->NewOID();
}

TCustomdex6Object::~TCustomdex6Object() {
    if (FRoot != nullptr)
        FRoot->AllObjects().Remove(this);
}

void TCustomdex6Object::SetOID(std::int32_t Value) {
    FOID = Value;
    if (FRoot != nullptr && FRoot->LastOID() < Value)
        FRoot->SetLastOID(Value);
}

void TCustomdex6Object::WriteTags(TXmlStream& Writer) const {
    WriteStrElement(Writer, "ED", DateTimeToText12(true, FED));
    WriteIntElement(Writer, "OID", FOID);
}

void TCustomdex6Object::ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                                std::string_view Content) {
    if (IsContent(PartType)) {
        if (SameText(Name, "ED"))
            SetED(ReadChangeStamp(Content));
        else if (SameText(Name, "OID"))
            SetOID(TextToInt(Content));
    } else if (PartType == TPartType::EndTag && SameText(Name, TagName())) {
        if (FReadParent != nullptr)
            FReadParent->BeginRead(Reader);
    }
}

std::string TCustomdex6Object::ProtocolPrefix(int Action, std::string_view Name) const {
    const std::string Subject(Name.empty() ? TagName() : Name);
    switch (Action) {
    case ProtocolNone:
        return Subject + ": ";
    case ProtocolAdded:
        return Subject + " " + GetText(268) + ": ";
    case ProtocolChanged:
        return Subject + " " + GetText(269) + ": ";
    case ProtocolDeleted:
        return Subject + " " + GetText(270) + ": ";
    default:
        return {};
    }
}

void TCustomdex6Object::Clear(bool /*WithDefaults*/) {}

void TCustomdex6Object::WriteXml(TXmlStream& Writer) const {
    WriteTag(Writer, TagName(), false);
    WriteTags(Writer);
    WriteTag(Writer, TagName(), true);
}

void TCustomdex6Object::BeginRead(TElementReader& Reader, Tdex6Node* ReadParent) {
    if (ReadParent != nullptr)
        FReadParent = ReadParent;
    Reader.SetHandler(this);
}

Tdex6DataProtokoll* TCustomdex6Object::AddProtocol(int Action, std::string_view Detail,
                                                   std::string_view UserName, TDateTime Date) {
    if (FRoot == nullptr)
        return nullptr;
    std::string Text = ProtocolPrefix(Action, "");
    if (!Detail.empty())
        Text.append(" ").append(Detail);
    return FRoot->Protokollliste()->AddEntry(FOID, Text, Date, UserName);
}

} // namespace kr6
