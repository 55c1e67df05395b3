#include "YVclUtil/Tyinifile.h"

#include <cerrno>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <new>
#include <sys/stat.h>
#include <unistd.h>

#include "YVclUtil/EYGeneral.h"
#include "YVclUtil/Standalonefunction.h"
#include "rtl/SysUtils.h"

namespace YVclUtil {

namespace {

constexpr const char* Caption = "TYIniFile";
constexpr unsigned LineBufferSize = 8192;    // pieces of at most 8191 bytes
constexpr unsigned SaveValueSize = 8192;     // values of 8192 bytes or more are not saved
constexpr unsigned ReadValueSize = 16384;    // nor read

// White space as the scanner of the line patterns skips it.
bool IsSpace(char C)
{
    return C == ' ' || C == '\t' || C == '\n' || C == '\v' || C == '\f' || C == '\r';
}

char* SkipSpace(char* P)
{
    while (IsSpace(*P))
        ++P;
    return P;
}

// Cuts trailing spaces (the space character only) of [Begin, End).
char* CutSpaces(char* Begin, char* End)
{
    while (End > Begin && End[-1] == ' ')
        --End;
    *End = '\0';
    return Begin;
}

_YSTRTABCELL* ValueCell(TObject* Object)
{
    return reinterpret_cast<_YSTRTABCELL*>(Object);
}

TObject* AsObject(_YSTRTABCELL* Cell)
{
    return reinterpret_cast<TObject*>(Cell);
}

// A name is 1 to 256 bytes up to its first NUL.
bool ValidName(const char* Name)
{
    size_t Length = std::strlen(Name);
    return Length != 0 && Length <= YHASHEDSTRINGLIST_MAXNAME;
}

struct TFileCloser {
    void operator()(std::FILE* F) const { std::fclose(F); }
};

// A file with no write permission bit is read-only. Checked besides opening
// for writing, since the superuser may open any file for writing.
bool ReadOnly(int Fd)
{
    struct stat St;
    return ::fstat(Fd, &St) == 0 && (St.st_mode & (S_IWUSR | S_IWGRP | S_IWOTH)) == 0;
}

// Buffered writes to a file descriptor; the first failed write sticks.
class TFileWriter {
public:
    explicit TFileWriter(int AFd) : Fd(AFd) {}

    void Put(const char* Bytes, size_t Count)
    {
        while (Count > 0 && !Failed) {
            size_t Room = sizeof Buffer - Used;
            size_t Part = Count < Room ? Count : Room;
            std::memcpy(Buffer + Used, Bytes, Part);
            Used += Part;
            Bytes += Part;
            Count -= Part;
            if (Used == sizeof Buffer)
                Flush();
        }
    }
    void Put(const char* Text) { Put(Text, std::strlen(Text)); }
    void Put(const AnsiString& Text) { Put(Text.data(), Text.size()); }

    // Writes what is buffered; false when any write so far has failed.
    bool Flush()
    {
        size_t Done = 0;
        while (Done < Used && !Failed) {
            ssize_t N = ::write(Fd, Buffer + Done, Used - Done);
            if (N < 0 && errno == EINTR)
                continue;
            if (N <= 0)
                Failed = true;
            else
                Done += static_cast<size_t>(N);
        }
        Used = 0;
        return !Failed;
    }

private:
    int Fd;
    bool Failed = false;
    size_t Used = 0;
    char Buffer[16384];
};

// A name for the new file in the folder of Target that no file has yet.
AnsiString TemporaryName(const AnsiString& Target, unsigned Attempt)
{
    timespec Ts{};
    clock_gettime(CLOCK_REALTIME, &Ts);
    unsigned long long Salt = static_cast<unsigned long long>(Ts.tv_nsec) ^
                              (static_cast<unsigned long long>(::getpid()) << 32) ^ (Attempt * 0x9E3779B97F4A7C15ull);
    return ExtractFilePath(Target) + Format(".YIniFile-%016llx.tmp", Salt);
}

// The file a save replaces: the target of a symbolic link, so that the link
// stays a link.
AnsiString SaveTarget(const AnsiString& FileName)
{
    struct stat St;
    if (::lstat(FileName.c_str(), &St) != 0 || !S_ISLNK(St.st_mode))
        return FileName;
    char* Real = ::realpath(FileName.c_str(), nullptr);
    if (!Real)
        return FileName;
    AnsiString Result(Real);
    std::free(Real);
    return Result;
}

} // namespace

// ---------------------------------------------------------------------------
// Construction and destruction

void TYIniFile::RunConstructor(const AnsiString& AFileName, TYStrTab* AStrTab)
{
    OwnsStrTab = 0;
    StrTab = nullptr;
    Sections = nullptr;
    CachedSectionIndex = 0;
    Modified = 0;

    if (AStrTab) {
        StrTab = AStrTab;
    } else {
        StrTab = new (std::nothrow) TYStrTab;
        if (!StrTab) {
            ShowErrMsgBox_Printf(Caption, "Err: Can not create YStrTab !!!");
            FailConstruction();
        }
        OwnsStrTab = 1;
    }

    Sections = new (std::nothrow) TYHashedStringList(StrTab);
    if (!Sections || !Sections->HashTab) {
        ShowErrMsgBox_Printf(Caption, "Err: Can not create TYHashedStringList for Sections !!!");
        FailConstruction();
    }
    Sections->OnDelete = [this](TObject* Sender, int Index) {
        HashedStringListNotifyHandlerForDeleteSection(Sender, Index);
    };

    FFileName = AFileName.empty() ? AnsiString("UnknownIniFile.ini") : AFileName;
    if (FileExists(FFileName)) {
        if (!LoadExistedIniFile())
            FailConstruction();
    } else if (!CreateMissingFile()) {
        FailConstruction();
    }
    Modified = 0;
}

void TYIniFile::RunDestructor()
{
    SaveIniFile();
    if (Sections) {
        Sections->DeleteAll();
        delete Sections;
        Sections = nullptr;
    }
    if (OwnsStrTab && StrTab)
        delete StrTab;
    StrTab = nullptr;
    OwnsStrTab = 0;
}

void TYIniFile::FailConstruction()
{
    Modified = 0;
    RunDestructor();
    throw EYGeneral(-1, "Err: Constructor !!!");
}

// Creates the missing file empty, and its folder when only the last level
// of the path is missing.
bool TYIniFile::CreateMissingFile()
{
    const AnsiString Dir = ExtractFilePath(FFileName);
    if (!Dir.empty() && !DirectoryExists(Dir) && !CreateDir(Dir)) {
        ShowErrMsgBox_Printf(Caption, "Err: Can not create directory \n \"%s\" ", Dir.c_str());
        return false;
    }
    int Handle = FileCreate(FFileName);
    if (Handle < 0) {
        ShowErrMsgBox_Printf(Caption, "Err: Can not create file \n \"%s\" ", FFileName.c_str());
        return false;
    }
    FileClose(Handle);
    return true;
}

void TYIniFile::pw_FileName(const AnsiString& Value)
{
    FFileName = Value;
    Modified = 1;
}

// ---------------------------------------------------------------------------
// Loading

// The file must open for reading and writing and must not be read-only
// (see ReadOnly). A read error fails the load too, so that a later save
// cannot replace the file by a part of it.
bool TYIniFile::LoadExistedIniFile()
{
    std::unique_ptr<std::FILE, TFileCloser> File(std::fopen(FFileName.c_str(), "r+"));
    if (!File || ReadOnly(fileno(File.get()))) {
        ShowErrMsgBox_Printf(Caption, "Err: Can not open file \n \"%s\" ", FFileName.c_str());
        return false;
    }
    char Line[LineBufferSize];
    std::setvbuf(File.get(), nullptr, _IOFBF, 65536);
    AnsiString Section;
    while (std::fgets(Line, sizeof Line, File.get()))
        ParseLine(Line, Section);
    if (std::ferror(File.get())) {
        ShowErrMsgBox_Printf(Caption, "Err: Can not open file \n \"%s\" ", FFileName.c_str());
        return false;
    }
    return true;
}

// One piece of a line, NUL-terminated (a NUL inside ends it early).
void TYIniFile::ParseLine(char* Line, AnsiString& Section)
{
    if (Line[0] == '\n' || Line[0] == '\r' || Line[0] == '#')
        return;

    // Section: white space, '[', white space, a name up to the first ']'.
    char* P = SkipSpace(Line);
    if (*P == '[') {
        char* Name = SkipSpace(P + 1);
        char* Close = std::strchr(Name, ']');
        if (Close && Close > Name) {
            Section = CutSpaces(Name, Close);
            return;
        }
    }

    // Key: white space, a key up to the first '=', white space, a value up
    // to the first CR or LF.
    char* Key = P;
    char* Equal = std::strchr(Key, '=');
    if (!Equal || Equal == Key)
        return;
    char* Value = SkipSpace(Equal + 1);
    char* ValueEnd = Value + std::strcspn(Value, "\r\n");
    if (ValueEnd == Value)
        return;
    CutSpaces(Key, Equal);
    CutSpaces(Value, ValueEnd);
    StoreString(Section, Key, Value);
}

// ---------------------------------------------------------------------------
// Saving

bool TYIniFile::SaveIniFile()
{
    if (!Modified)
        return true;
    const AnsiString Target = SaveTarget(FFileName);
    AnsiString Temporary;
    int Handle = -1;
    for (unsigned Attempt = 0; Attempt < 16 && Handle < 0; ++Attempt) {
        Temporary = TemporaryName(Target, Attempt);
        Handle = ::open(Temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (Handle < 0 && errno != EEXIST)
            break;
    }
    bool Ok = Handle >= 0;
    if (Ok) {
        struct stat St;
        if (::stat(Target.c_str(), &St) == 0)
            ::fchmod(Handle, St.st_mode & 07777);
        Ok = WriteFileBytes(Handle) && ::fsync(Handle) == 0;
        Ok = ::close(Handle) == 0 && Ok;
        Ok = Ok && ::rename(Temporary.c_str(), Target.c_str()) == 0;
        if (!Ok)
            ::unlink(Temporary.c_str());
    }
    if (!Ok) {
        ShowErrMsgBox_Printf(Caption, "Err: Can not create file \n \"%s\" ", FFileName.c_str());
        return false;
    }
    Modified = 0;
    return true;
}

bool TYIniFile::WriteFileBytes(int Handle)
{
    TFileWriter Out(Handle);
    char Value[SaveValueSize];
    for (int S = 0; S < Sections->Count; ++S) {
        TYHashedStringList* Keys = KeyList(S);
        if (!Keys)
            continue;
        Out.Put("[");
        Out.Put(Sections->Strings(S));
        Out.Put("]\r\n");
        for (int K = 0; K < Keys->Count; ++K) {
            Out.Put(Keys->Strings(K));
            Out.Put("=");
            unsigned int Length = 0;
            if (StrTab->Get(ValueCell(Keys->Objects(K)), Value, sizeof Value, &Length))
                Out.Put(Value, Length);
            Out.Put("\r\n");
        }
        Out.Put("\r\n");
    }
    return Out.Flush();
}

bool TYIniFile::UpdateFile()
{
    return SaveIniFile();
}

// ---------------------------------------------------------------------------
// Queries

TYHashedStringList* TYIniFile::KeyList(int SectionIndex) const
{
    return static_cast<TYHashedStringList*>(Sections->Objects(SectionIndex));
}

bool TYIniFile::IsSectionExisted(const AnsiString& Section, int* Index)
{
    if (Section.empty() || !Sections)
        return false;
    if (Section != CachedSectionName) {
        int Found = Sections->IndexOf(Section.c_str());
        if (Found < 0)
            return false;
        CachedSectionName = Section;
        CachedSectionIndex = Found;
    }
    if (Index)
        *Index = CachedSectionIndex;
    return true;
}

// The key list of the section and the key's index in it.
bool TYIniFile::FindKey(const AnsiString& Section, const AnsiString& Key, TYHashedStringList*& Keys, int& Index)
{
    int S;
    if (!IsSectionExisted(Section, &S))
        return false;
    Keys = KeyList(S);
    Index = Keys ? Keys->IndexOf(Key.c_str()) : -1;
    return Index >= 0;
}

bool TYIniFile::IsKeyExisted(const AnsiString& Section, const AnsiString& Key)
{
    TYHashedStringList* Keys;
    int K;
    return FindKey(Section, Key, Keys, K);
}

bool TYIniFile::IsValueExisted(const AnsiString& Section, const AnsiString& Key)
{
    TYHashedStringList* Keys;
    int K;
    return FindKey(Section, Key, Keys, K) && Keys->Objects(K) != nullptr;
}

bool TYIniFile::IsValueExisted(const AnsiString& Section, const AnsiString& Key, AnsiString& Value)
{
    TYHashedStringList* Keys;
    int K;
    if (!FindKey(Section, Key, Keys, K))
        return false;
    char Buffer[ReadValueSize];
    unsigned int Length = 0;
    if (!StrTab->Get(ValueCell(Keys->Objects(K)), Buffer, sizeof Buffer, &Length))
        return false;
    Value.assign(Buffer, Length);
    return true;
}

bool TYIniFile::SectionExists(const AnsiString Section)
{
    return IsSectionExisted(Section, nullptr);
}

bool TYIniFile::KeyExists(const AnsiString Section, const AnsiString Key)
{
    return IsKeyExisted(Section, Key);
}

bool TYIniFile::ValueExists(const AnsiString Section, const AnsiString Key)
{
    return IsValueExisted(Section, Key);
}

// ---------------------------------------------------------------------------
// Changes

std::unique_ptr<TYHashedStringList> TYIniFile::NewKeyList()
{
    std::unique_ptr<TYHashedStringList> Keys(new (std::nothrow) TYHashedStringList(StrTab));
    if (!Keys || !Keys->HashTab)
        return nullptr;
    Keys->OnReplace = [this](TObject* Sender, int Index) { HashedStringListNotifyHandlerForReplaceKey(Sender, Index); };
    Keys->OnDelete = [this](TObject* Sender, int Index) { HashedStringListNotifyHandlerForDeleteKey(Sender, Index); };
    return Keys;
}

void TYIniFile::WriteString(const AnsiString Section, const AnsiString Key, const AnsiString Value)
{
    StoreString(Section, Key.c_str(), Value.c_str());
}

// WriteString without copies of its texts, for the loader too.
void TYIniFile::StoreString(const AnsiString& Section, const char* Key, const char* Value)
{
    if (!Sections || !ValidName(Section.c_str()) || !ValidName(Key))
        return;
    // Stored first, so that a table without memory changes nothing.
    _YSTRTABCELL* Cell = StrTab->Add(Value);
    int S = -1;
    bool NewSection = false;
    // Undoes what this call made: the value, and a section it created.
    auto Undo = [&] {
        StrTab->Delete(Cell);
        if (NewSection && S >= 0)
            Sections->Delete(S);
    };
    try {
        TYHashedStringList* Keys;
        if (IsSectionExisted(Section, &S)) {
            Keys = KeyList(S);
        } else {
            NewSection = true;
            std::unique_ptr<TYHashedStringList> Created = NewKeyList();
            S = Created ? Sections->Add(Section.c_str(), Created.get()) : -1;
            Keys = S >= 0 ? Created.release() : nullptr;
        }
        if (!Keys || Keys->Add(Key, AsObject(Cell)) < 0) {
            Undo();
            return;
        }
    } catch (...) {
        Undo();
        throw;
    }
    Modified = 1;
}

void TYIniFile::EraseSection(const AnsiString Section)
{
    int S;
    if (!IsSectionExisted(Section, &S))
        return;
    if (TYHashedStringList* Keys = KeyList(S)) {
        Keys->DeleteAll();
        delete Keys;
        Sections->pw_Objects(S, nullptr);
    }
    Sections->Delete(S);
    CachedSectionName.clear();
    Modified = 1;
}

void TYIniFile::DeleteKey(const AnsiString Section, const AnsiString Key)
{
    TYHashedStringList* Keys;
    int K;
    if (!FindKey(Section, Key, Keys, K))
        return;
    Keys->Delete(K);
    Modified = 1;
}

void TYIniFile::DeleteValue(const AnsiString Section, const AnsiString Key)
{
    TYHashedStringList* Keys;
    int K;
    if (!FindKey(Section, Key, Keys, K))
        return;
    StrTab->Delete(ValueCell(Keys->Objects(K)));
    Keys->pw_Objects(K, nullptr);
    Modified = 1;
}

// ---------------------------------------------------------------------------
// Notifications

void TYIniFile::HashedStringListNotifyHandlerForDeleteSection(TObject* Sender, int Index)
{
    auto* List = static_cast<TYHashedStringList*>(Sender);
    auto* Keys = static_cast<TYHashedStringList*>(List->Objects(Index));
    if (!Keys)
        return;
    Keys->DeleteAll();
    delete Keys;
    List->pw_Objects(Index, nullptr);
}

void TYIniFile::HashedStringListNotifyHandlerForReplaceKey(TObject* Sender, int Index)
{
    StrTab->Delete(ValueCell(static_cast<TYHashedStringList*>(Sender)->Objects(Index)));
}

void TYIniFile::HashedStringListNotifyHandlerForDeleteKey(TObject* Sender, int Index)
{
    StrTab->Delete(ValueCell(static_cast<TYHashedStringList*>(Sender)->Objects(Index)));
}

} // namespace YVclUtil
