#include "model/Root.h"

#include "model/ElementReader.h"
#include "model/ObjectBase.h"
#include "support/Conversions.h"
#include "support/TextCompare.h"
#include "texts/Language.h"

namespace kr6 {

Tdex6Dataobject::Tdex6Dataobject() = default;

Tdex6Dataobject::~Tdex6Dataobject() = default;

void Tdex6Dataobject::ClearAll(bool /*WithDefaults*/) {
    FLastOID = 1;
    FNotes.Clear();
}

void Tdex6Dataobject::Log(std::string_view Text) {
    if (OnLog)
        OnLog(*this, Text);
}

void Tdex6Dataobject::SetModified(bool Value) {
    FModified = Value;
    if (OnChange)
        OnChange(*this, nullptr);
}

void Tdex6Dataobject::ReadTag(TElementReader& Reader, TPartType PartType,
                              std::string_view Name, std::string_view Content) {
    if (IsContent(PartType)) {
        if (SameText(Name, "LOID"))
            FLastOID = TextToInt(Content);
        else if (SameText(Name, "NOTE"))
            FNotes.SetText(Content);
        return;
    }
    if (PartType != TPartType::StartTag)
        return;
    Log(GetText(285));
}

void Tdex6Dataobject::BeginRead(TElementReader& Reader, Tdex6Node* /*ReadParent*/) {
    Reader.SetHandler(this);
}

} // namespace kr6
