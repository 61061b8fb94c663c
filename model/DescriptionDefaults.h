#pragma once

#include "model/FieldTable.h"

#include <array>
#include <string>
#include <string_view>

namespace kr6 {

// Captions and language codes of the ten descriptions of every glass and coating,
// numbered 1 to 10.
class Tdex6DataBezeichnungsvorgaben : public TFieldObject<Tdex6DataBezeichnungsvorgaben> {
public:
    static constexpr int DescriptionCount = 10;

    using TFieldObject::TFieldObject;
    static std::span<const TField<Tdex6DataBezeichnungsvorgaben>> Fields();

    // N is 1 to 10; the setters ignore any other N.
    const std::string& GetBez(int N) const;
    void SetBez(int N, std::string_view Text);
    const std::string& GetLang(int N) const;
    void SetLang(int N, std::string_view Text);

    std::string_view TagName() const override { return "BezVorg"; }
    std::string ProtocolPrefix(int Action, std::string_view Name) const override;

private:
    std::array<std::string, DescriptionCount> FBEZ;
    std::array<std::string, DescriptionCount> FLANG;
};

} // namespace kr6
