#include "cli/Utf8Arguments.h"

#ifdef _WIN32
#include "support/WindowsText.h"

#include <windows.h>
// After windows.h, which it needs.
#include <shellapi.h>
#endif

namespace kr6 {

#ifdef _WIN32

TUtf8Arguments::TUtf8Arguments(int argc, char** argv) {
    int Count = 0;
    wchar_t** Wide = CommandLineToArgvW(GetCommandLineW(), &Count);
    if (Wide == nullptr) {
        FTexts.assign(argv, argv + argc);
    } else {
        for (int I = 0; I < Count; ++I)
            FTexts.push_back(Utf8FromWide(Wide[I]));
        LocalFree(Wide);
    }
    for (std::string& Text : FTexts)
        FPointers.push_back(Text.data());
    FPointers.push_back(nullptr);
}

#else

TUtf8Arguments::TUtf8Arguments(int argc, char** argv) : FTexts(argv, argv + argc) {
    for (std::string& Text : FTexts)
        FPointers.push_back(Text.data());
    FPointers.push_back(nullptr);
}

#endif

} // namespace kr6
