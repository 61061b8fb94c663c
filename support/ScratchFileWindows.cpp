#ifdef _WIN32

#include "support/ScratchFile.h"

#include "support/Utf8Path.h"
#include "support/WindowsText.h"

#include <algorithm>
#include <filesystem>
#include <windows.h>

namespace kr6 {
namespace {

HANDLE Handle(std::intptr_t Value) {
    return reinterpret_cast<HANDLE>(Value);
}

std::string LastErrorText() {
    return SystemErrorText(GetLastError());
}

} // namespace

TScratchFile::TScratchFile() {
    wchar_t Folder[MAX_PATH + 1];
    const DWORD Length = GetTempPathW(MAX_PATH + 1, Folder);
    if (Length == 0 || Length > MAX_PATH)
        throw EScratchError("cannot find the temporary folder: " + LastErrorText());
    FFolder = Utf8FromPath(std::filesystem::path(Folder));
    wchar_t Name[MAX_PATH + 1];
    if (GetTempFileNameW(Folder, L"k6", 0, Name) == 0)
        throw EScratchError("cannot create a temporary file in '" + FFolder +
                            "': " + LastErrorText());
    // Deleted by the system when the handle closes, also when the program is killed.
    const HANDLE Created =
        CreateFileW(Name, GENERIC_READ | GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                    FILE_ATTRIBUTE_TEMPORARY | FILE_FLAG_DELETE_ON_CLOSE, nullptr);
    if (Created == INVALID_HANDLE_VALUE) {
        const std::string Cause = LastErrorText();
        DeleteFileW(Name);
        throw EScratchError("cannot create a temporary file in '" + FFolder + "': " + Cause);
    }
    FHandle = reinterpret_cast<std::intptr_t>(Created);
}

TScratchFile::~TScratchFile() {
    CloseHandle(Handle(FHandle));
}

void TScratchFile::Write(std::string_view Bytes) {
    LARGE_INTEGER End{};
    SetFilePointerEx(Handle(FHandle), End, nullptr, FILE_END);
    while (!Bytes.empty()) {
        const DWORD Part = static_cast<DWORD>(std::min<std::size_t>(Bytes.size(), 1U << 30));
        DWORD Written = 0;
        if (!WriteFile(Handle(FHandle), Bytes.data(), Part, &Written, nullptr) || Written == 0)
            throw EScratchError("cannot write a temporary file in '" + FFolder +
                                "': " + LastErrorText());
        Bytes.remove_prefix(Written);
    }
}

void TScratchFile::ReadAt(std::uint64_t Offset, char* Into, std::size_t Size) const {
    std::size_t Done = 0;
    while (Done < Size) {
        OVERLAPPED At{};
        const std::uint64_t Position = Offset + Done;
        At.Offset = static_cast<DWORD>(Position);
        At.OffsetHigh = static_cast<DWORD>(Position >> 32);
        const DWORD Part = static_cast<DWORD>(std::min<std::size_t>(Size - Done, 1U << 30));
        DWORD Read = 0;
        if (!ReadFile(Handle(FHandle), Into + Done, Part, &Read, &At))
            throw EScratchError("cannot read a temporary file in '" + FFolder +
                                "': " + LastErrorText());
        if (Read == 0)
            throw EScratchError("cannot read a temporary file in '" + FFolder +
                                "': it is shorter than written");
        Done += Read;
    }
}

} // namespace kr6

#endif
