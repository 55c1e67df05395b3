#pragma once
// TYIniFile: the system's INI file. The whole file is read into memory when
// the object is constructed, reads and changes work on that copy, and the
// destructor writes the file back when anything changed.
//
// Dialect, line by line:
//   - a first character LF, CR or '#': skipped (empty lines and comments);
//   - "[name]", with optional white space before and inside the opening
//     bracket: starts section "name" (trailing spaces cut; text after the
//     ']' ignored); a section exists from its first stored key on;
//   - "key=value", with optional white space before the key and after the
//     '=': one key of the current section (trailing spaces of key and value
//     cut, the value ends at CR or LF and is taken literally); a key line
//     with nothing but white space after the '=' is ignored;
//   - anything else is ignored. So are key lines before the first section.
// Lines are read in pieces of at most 8191 bytes; the rest of a longer line
// is read as a line of its own. A NUL byte ends what is read of its line.
// Names are 1 to 256 bytes and match byte for byte. Written files end every
// line with CR LF; each section is its header, its key lines and one empty
// line. A value of 8192 bytes or more is written as "key=" alone, and reads
// return only values shorter than 16384 bytes.
//
// Paths are Linux paths: '/' is the folder separator.

#include <cstdint>
#include <memory>

#include "YVclUtil/Tyhashedstringlist.h"
#include "YVclUtil/Tystrtab.h"
#include "rtl/DateTime.h"
#include "rtl/System.h"

namespace YVclUtil {

class TYIniFile : public TObject {
public:
    // Loads the file, or creates it (and its last folder level) empty when it
    // is missing. An empty name is "UnknownIniFile.ini" in the working
    // folder. With a table given, every string is kept in it (null: an own
    // table). A failure shows its error box and raises EYGeneral
    // "Err: Constructor !!!".
    explicit TYIniFile(const AnsiString& AFileName) { RunConstructor(AFileName, nullptr); }
    TYIniFile(const AnsiString& AFileName, TYStrTab* AStrTab) { RunConstructor(AFileName, AStrTab); }
    // Saves when modified (a failed save has shown its box; the changes are
    // lost), then frees everything it owns.
    ~TYIniFile() override { RunDestructor(); }

    const AnsiString& FileName() const { return FFileName; }
    // The next save writes the whole content under the new name; the old
    // file is left as it is.
    void pw_FileName(const AnsiString& Value);

    bool LoadExistedIniFile();
    // Writes the file when modified; true when nothing had to be written or
    // the file was written. The file is replaced only by a complete new one:
    // on a failure the old file, the memory copy and Modified stay.
    bool SaveIniFile();
    bool UpdateFile();

    bool IsSectionExisted(const AnsiString& Section, int* Index);
    bool IsKeyExisted(const AnsiString& Section, const AnsiString& Key);
    bool IsValueExisted(const AnsiString& Section, const AnsiString& Key);
    // Copies the value out; a value of 16384 bytes or more counts as absent.
    // Value is left as it was when the result is false.
    bool IsValueExisted(const AnsiString& Section, const AnsiString& Key, AnsiString& Value);
    bool SectionExists(const AnsiString Section);
    bool KeyExists(const AnsiString Section, const AnsiString Key);
    bool ValueExists(const AnsiString Section, const AnsiString Key);

    // Sets the value, creating section and key as needed. An empty value
    // leaves the key without a value; an empty or over-long section or key
    // name writes nothing. A value ends at its first NUL byte.
    void WriteString(const AnsiString Section, const AnsiString Key, const AnsiString Value);
    void EraseSection(const AnsiString Section);
    void DeleteKey(const AnsiString Section, const AnsiString Key);
    void DeleteValue(const AnsiString Section, const AnsiString Key);

    // Typed values: written as text through WriteString, read through the
    // three-argument IsValueExisted (texts in TyinifileValues.cpp).
    void Printf(const AnsiString Section, const AnsiString Key, const char* Fmt, ...)
        __attribute__((format(printf, 4, 5)));
    void WriteInteger(const AnsiString Section, const AnsiString Key, int Value);
    void WriteUnsigned(const AnsiString Section, const AnsiString Key, unsigned Value);
    void WriteHexNum(const AnsiString Section, const AnsiString Key, unsigned Value);
    void WriteFloat(const AnsiString Section, const AnsiString Key, double Value);
    void WriteTime(const AnsiString Section, const AnsiString Key, TDateTime Value);
    void WriteDate(const AnsiString Section, const AnsiString Key, TDateTime Value);
    void WriteDateTime(const AnsiString Section, const AnsiString Key, TDateTime Value);
    void WriteCurrentTime(const AnsiString Section, const AnsiString Key);
    void WriteCurrentDate(const AnsiString Section, const AnsiString Key);
    void WriteCurrentDateTime(const AnsiString Section, const AnsiString Key);
    void WriteBool(const AnsiString Section, const AnsiString Key, bool Value, int Style);

    AnsiString ReadString(const AnsiString Section, const AnsiString Key, const AnsiString Default);
    int ReadInteger(const AnsiString Section, const AnsiString Key, int Default);
    unsigned ReadUnsigned(const AnsiString Section, const AnsiString Key, unsigned Default);
    unsigned ReadHexNum(const AnsiString Section, const AnsiString Key, unsigned Default);
    double ReadFloat(const AnsiString Section, const AnsiString Key, double Default);
    TDateTime ReadTime(const AnsiString Section, const AnsiString Key, TDateTime Default);
    TDateTime ReadDate(const AnsiString Section, const AnsiString Key, TDateTime Default);
    TDateTime ReadDateTime(const AnsiString Section, const AnsiString Key, TDateTime Default);
    bool ReadBool(const AnsiString Section, const AnsiString Key, bool Default);
    int StrCmp(const AnsiString Section, const AnsiString Key, const AnsiString Text);
    int StrICmp(const AnsiString Section, const AnsiString Key, const AnsiString Text);

    // Notifications of the hashed lists (list, index).
    void HashedStringListNotifyHandlerForDeleteSection(TObject* Sender, int Index);
    void HashedStringListNotifyHandlerForReplaceKey(TObject* Sender, int Index);
    void HashedStringListNotifyHandlerForDeleteKey(TObject* Sender, int Index);

    std::uint8_t OwnsStrTab;
    TYStrTab* StrTab;
    TYHashedStringList* Sections;
    AnsiString CachedSectionName;
    int CachedSectionIndex;
    std::uint8_t Modified;

private:
    void RunConstructor(const AnsiString& AFileName, TYStrTab* AStrTab);
    void RunDestructor();
    [[noreturn]] void FailConstruction();
    bool CreateMissingFile();
    void ParseLine(char* Line, AnsiString& Section);
    void StoreString(const AnsiString& Section, const char* Key, const char* Value);
    bool WriteFileBytes(int Handle);

    TYHashedStringList* KeyList(int SectionIndex) const;
    bool FindKey(const AnsiString& Section, const AnsiString& Key, TYHashedStringList*& Keys, int& Index);
    std::unique_ptr<TYHashedStringList> NewKeyList();

    AnsiString FFileName;
};

} // namespace YVclUtil
