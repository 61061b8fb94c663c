#include "helpers/ElementTestSupport.h"

#include "support/TextCompare.h"

namespace kr6::test {
namespace {

class THost : public Tdex6Node {
public:
    THost(Tdex6Node& Target, std::string_view TagName) : FTarget(Target), FTagName(TagName) {}

    void ReadTag(TElementReader& Reader, TPartType PartType, std::string_view Name,
                 std::string_view /*Content*/) override {
        if (PartType == TPartType::StartTag && SameText(Name, FTagName))
            FTarget.BeginRead(Reader, this);
    }
    void BeginRead(TElementReader& Reader, Tdex6Node* /*ReadParent*/) override {
        Reader.SetHandler(this);
    }

private:
    Tdex6Node& FTarget;
    std::string FTagName;
};

} // namespace

void ReadElementInto(std::string_view Xml, Tdex6Node& Target, std::string_view TagName) {
    THost Host(Target, TagName);
    TElementReader Reader;
    Reader.Read(Xml, Host);
}

} // namespace kr6::test
