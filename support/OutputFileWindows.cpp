#ifdef _WIN32

#include "support/OutputFile.h"

#include "support/Utf8Path.h"
#include "support/WindowsText.h"

#include <deque>
#include <fcntl.h>
#include <filesystem>
#include <io.h>
#include <mutex>
#include <random>
#include <windows.h>

namespace kr6 {
namespace {

std::string LastErrorText() {
    return SystemErrorText(GetLastError());
}

// The temporary files to remove when the console is stopped (Ctrl-C, Ctrl-Break, closing
// the window). Windows runs the handler on a thread of its own, so a mutex serves where
// POSIX needs blocked signals.
std::mutex PendingMutex;
// Indices stay valid while the list grows; an emptied entry is taken again.
std::deque<std::wstring> PendingFiles;

BOOL WINAPI RemovePendingFilesOnStop(DWORD) {
    const std::lock_guard<std::mutex> Lock(PendingMutex);
    // The files are open with delete sharing: each goes when the process ends and closes it.
    for (const std::wstring& Path : PendingFiles)
        if (!Path.empty())
            DeleteFileW(Path.c_str());
    // Not handled: the default handler ends the process as before.
    return FALSE;
}

void InstallStopHandler() {
    static std::once_flag Once;
    std::call_once(Once, [] { SetConsoleCtrlHandler(RemovePendingFilesOnStop, TRUE); });
}

int RegisterPending(const std::wstring& Path) {
    for (std::size_t I = 0; I < PendingFiles.size(); ++I)
        if (PendingFiles[I].empty()) {
            PendingFiles[I] = Path;
            return static_cast<int>(I);
        }
    PendingFiles.push_back(Path);
    return static_cast<int>(PendingFiles.size() - 1);
}

void Unregister(int Slot) {
    if (Slot < 0)
        return;
    const std::lock_guard<std::mutex> Lock(PendingMutex);
    PendingFiles[static_cast<std::size_t>(Slot)].clear();
}

std::wstring RandomSuffix() {
    static constexpr wchar_t Letters[] = L"abcdefghijklmnopqrstuvwxyz0123456789";
    static std::mt19937 Generator{std::random_device{}()};
    std::uniform_int_distribution<std::size_t> Pick(0, std::size(Letters) - 2);
    std::wstring Suffix(6, L'\0');
    for (wchar_t& Letter : Suffix)
        Letter = Letters[Pick(Generator)];
    return Suffix;
}

// A device or pipe that exists is written directly; anything else (a regular file, or no
// file) gets a temporary file. INVALID_HANDLE_VALUE for the latter.
HANDLE OpenDevice(const std::wstring& Path) {
    const HANDLE Handle =
        CreateFileW(Path.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_WRITE, nullptr,
                    OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    if (Handle == INVALID_HANDLE_VALUE || GetFileType(Handle) != FILE_TYPE_DISK)
        return Handle;
    CloseHandle(Handle);
    return INVALID_HANDLE_VALUE;
}

int DescriptorOf(HANDLE Handle) {
    const int Fd = _open_osfhandle(reinterpret_cast<intptr_t>(Handle), _O_WRONLY | _O_BINARY);
    if (Fd < 0)
        CloseHandle(Handle);
    return Fd;
}

} // namespace

TOutputFile::TOutputFile(const std::string& Path) : FName("'" + Path + "'"), FTarget(Path) {
    std::error_code Error;
    const std::filesystem::path Target = PathFromUtf8(Path);
    if (std::filesystem::is_symlink(Target, Error)) {
        const std::filesystem::path Resolved = std::filesystem::weakly_canonical(Target, Error);
        if (!Error)
            FTarget = Utf8FromPath(Resolved);
    }
    const std::wstring WideTarget = WideFromUtf8(FTarget);

    if (const HANDLE Device = OpenDevice(WideTarget); Device != INVALID_HANDLE_VALUE) {
        FFd = DescriptorOf(Device);
        if (FFd < 0)
            throw EOutputError("cannot open " + FName + ": too many open files");
        return;
    }

    const std::filesystem::path Wide(WideTarget);
    const std::wstring Stem =
        (Wide.parent_path() / (L"." + Wide.filename().wstring() + L".")).wstring();
    const std::lock_guard<std::mutex> Lock(PendingMutex);
    InstallStopHandler();
    HANDLE Handle = INVALID_HANDLE_VALUE;
    std::wstring Temporary;
    for (int Attempt = 0; Handle == INVALID_HANDLE_VALUE; ++Attempt) {
        Temporary = Stem + RandomSuffix();
        // Delete sharing lets the stop handler remove the file while it is open.
        Handle = CreateFileW(Temporary.c_str(), GENERIC_WRITE, FILE_SHARE_READ | FILE_SHARE_DELETE,
                             nullptr, CREATE_NEW, FILE_ATTRIBUTE_NORMAL, nullptr);
        if (Handle == INVALID_HANDLE_VALUE &&
            (GetLastError() != ERROR_FILE_EXISTS || Attempt == 100))
            throw EOutputError("cannot create " + FName + ": " + LastErrorText());
    }
    FFd = DescriptorOf(Handle);
    if (FFd < 0) {
        DeleteFileW(Temporary.c_str());
        throw EOutputError("cannot create " + FName + ": too many open files");
    }
    FTemporary = Utf8FromWide(Temporary);
    FSlot = RegisterPending(Temporary);
}

TOutputFile::~TOutputFile() {
    if (FFd >= 0)
        _close(FFd);
    if (!FTemporary.empty()) {
        Unregister(FSlot);
        DeleteFileW(WideFromUtf8(FTemporary).c_str());
    }
}

void TOutputFile::Commit() {
    const int Fd = FFd;
    FFd = -1;
    const bool Regular = !FTemporary.empty();
    std::string Error;
    // Without the flush a crash right after the move could leave an empty file behind.
    if (Regular && !FlushFileBuffers(reinterpret_cast<HANDLE>(_get_osfhandle(Fd))))
        Error = LastErrorText();
    if (_close(Fd) != 0 && Error.empty())
        Error = "the file could not be closed";
    if (!Error.empty())
        throw EOutputError("cannot write to " + FName + ": " + Error);
    if (!Regular)
        return;
    if (!MoveFileExW(WideFromUtf8(FTemporary).c_str(), WideFromUtf8(FTarget).c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH))
        throw EOutputError("cannot replace " + FName + ": " + LastErrorText());
    Unregister(FSlot);
    FTemporary.clear();
}

namespace {

// Volume and file index name one file, whatever path or link led to it.
bool Identify(const std::string& Path, BY_HANDLE_FILE_INFORMATION& Information) {
    const HANDLE Handle = CreateFileW(WideFromUtf8(Path).c_str(), 0,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr);
    if (Handle == INVALID_HANDLE_VALUE)
        return false;
    const bool Known = GetFileInformationByHandle(Handle, &Information) != 0;
    CloseHandle(Handle);
    return Known;
}

} // namespace

bool IsSameFile(const std::string& First, const std::string& Second) {
    BY_HANDLE_FILE_INFORMATION A{};
    BY_HANDLE_FILE_INFORMATION B{};
    return Identify(First, A) && Identify(Second, B) &&
           A.dwVolumeSerialNumber == B.dwVolumeSerialNumber &&
           A.nFileIndexHigh == B.nFileIndexHigh && A.nFileIndexLow == B.nFileIndexLow;
}

bool IsFileOfDescriptor(int Fd, const std::string& Path) {
    const auto Handle = reinterpret_cast<HANDLE>(_get_osfhandle(Fd));
    BY_HANDLE_FILE_INFORMATION A{};
    BY_HANDLE_FILE_INFORMATION B{};
    return Handle != INVALID_HANDLE_VALUE && GetFileType(Handle) == FILE_TYPE_DISK &&
           GetFileInformationByHandle(Handle, &A) != 0 && Identify(Path, B) &&
           A.dwVolumeSerialNumber == B.dwVolumeSerialNumber &&
           A.nFileIndexHigh == B.nFileIndexHigh && A.nFileIndexLow == B.nFileIndexLow;
}

} // namespace kr6

#endif
