#include "IniFileTestSupport.h"

#include <csignal>
#include <dirent.h>
#include <set>
#include <sys/resource.h>
#include <sys/time.h>
#include <unistd.h>

#include "YVclUtil/EYGeneral.h"

using namespace YVclUtil;

namespace {

struct TLoadCase {
    const char* What;
    std::string File;
    std::string Content;   // as Dump shows it
};

const std::string Long256(256, 'L');
const std::string Long257(257, 'L');

const TLoadCase LoadCases[] = {
    {"header with blanks and trailing text", "  [  Sec  ] trailing\nk=v\n", "[Sec]\nk=v\n"},
    {"empty, blank or unclosed brackets without '=' are ignored",
     "[A]\na=1\n[]\nb=2\n[   ]\nc=3\n[abc\nd=4\n", "[A]\na=1\nb=2\nc=3\nd=4\n"},
    {"bracket lines with '=' are key lines", "[A]\n[]=x\n[ ]=y\n[abc=z\n", "[A]\n[]=x\n[ ]=y\n[abc=z\n"},
    {"a header wins over '=' after the bracket", "[A]=x\nk=v\n", "[A]\nk=v\n"},
    {"blanks around '=' and behind the value", "[A]\n  key  =  value  \n", "[A]\nkey=value\n"},
    {"value keeps further '=' and literal characters", "[A]\nk=a=b=[c];#\"q\"\n", "[A]\nk=a=b=[c];#\"q\"\n"},
    {"lines without key or value are ignored", "[A]\n=x\n  =y\nk=\nl=   \nm= \t \nn\n", ""},
    {"a tab before '=' stays in the key", "[A]\nk\t=v\n", "[A]\nk\t=v\n"},
    {"white space after '=' is skipped, tabs behind the value stay", "[A]\nk=\t v\t\n", "[A]\nk=v\t\n"},
    {"only '#' in the first column is a comment", "[A]\n#c=1\n  #k=2\n;s=3\n", "[A]\n#k=2\n;s=3\n"},
    {"a repeated key keeps its first place and the last value", "[A]\na=1\nb=2\na=3\n", "[A]\na=3\nb=2\n"},
    {"names differing in case are two sections", "[a]\nx=1\n[A]\ny=2\n", "[a]\nx=1\n[A]\ny=2\n"},
    {"a repeated header continues its section", "[A]\na=1\n[B]\nb=1\n[A]\nc=1\n", "[A]\na=1\nc=1\n[B]\nb=1\n"},
    {"a header without keys makes no section", "[A]\n[B]\nk=v\n", "[B]\nk=v\n"},
    {"keys before the first header are ignored", "k=v\n[A]\nx=1\n", "[A]\nx=1\n"},
    {"a byte-order mark spoils the header behind it", "[B]\nx=1\n\xEF\xBB\xBF[A]\nk=v\n", "[B]\nx=1\nk=v\n"},
    {"CR LF line ends", "[A]\r\nk=v\r\n\r\nl=w\r\n", "[A]\nk=v\nl=w\n"},
    {"no line end at the end of the file", "[A]\nk=v", "[A]\nk=v\n"},
    {"a NUL ends what is read of its line", std::string("[A]\nk=v\0junk\nl\0=w\nm=x\n", 22), "[A]\nk=v\nm=x\n"},
    {"names of 256 bytes are kept, longer ones dropped",
     "[A]\n" + Long256 + "=1\n" + Long257 + "=2\n[" + Long257 + "]\nk=3\n", "[A]\n" + Long256 + "=1\n"},
    {"an empty file", "", ""},
};

// Runs Fn with writes limited to Limit bytes per file, as a full disk would.
template <typename TFn>
void WithFileSizeLimit(rlim_t Limit, TFn Fn)
{
    struct rlimit Old;
    ASSERT_EQ(getrlimit(RLIMIT_FSIZE, &Old), 0);
    auto OldHandler = std::signal(SIGXFSZ, SIG_IGN);
    struct rlimit New = Old;
    New.rlim_cur = Limit;
    ASSERT_EQ(setrlimit(RLIMIT_FSIZE, &New), 0);
    Fn();
    setrlimit(RLIMIT_FSIZE, &Old);
    std::signal(SIGXFSZ, OldHandler);
}

std::set<std::string> FilesIn(const std::string& Dir)
{
    std::set<std::string> Names;
    if (DIR* D = opendir(Dir.c_str())) {
        while (dirent* E = readdir(D))
            if (std::string(E->d_name) != "." && std::string(E->d_name) != "..")
                Names.insert(E->d_name);
        closedir(D);
    }
    return Names;
}

} // namespace

// ---------------------------------------------------------------------------
// Loading

TEST_F(IniFileFixture, LoadingFollowsTheDialect)
{
    for (const TLoadCase& C : LoadCases) {
        SCOPED_TRACE(C.What);
        const std::string Name = Path("load.ini");
        WriteFile(Name, C.File);
        TYIniFile Ini(Name);
        EXPECT_EQ(Dump(Ini), C.Content);
        EXPECT_EQ(Ini.Modified, 0);
    }
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(IniFileFixture, LongLinesAreReadInPiecesOf8191Bytes)
{
    const std::string Name = Path("long.ini");
    // The first piece holds "k=" and 8189 bytes; the rest is a line of its own.
    WriteFile(Name, "[A]\nk=" + std::string(8189, 'v') + "x=1\n" + std::string(20000, 'w') + "\nz=2\n");
    TYIniFile Ini(Name);
    EXPECT_EQ(Ini.ReadString("A", "k", "?"), std::string(8189, 'v'));
    EXPECT_EQ(Ini.ReadString("A", "x", "?"), "1");
    EXPECT_EQ(Ini.ReadString("A", "z", "?"), "2");
    EXPECT_EQ(Ini.Sections->Count, 1);
}

TEST_F(IniFileFixture, BinaryJunkLoadsWithoutHarm)
{
    std::string Junk;
    for (int I = 0; I < 70000; ++I)
        Junk += static_cast<char>((I * 7919) % 256);
    const std::string Name = Path("junk.ini");
    WriteFile(Name, Junk);
    TYIniFile Ini(Name);
    EXPECT_EQ(Ini.Modified, 0);
    EXPECT_TRUE(Boxes.Boxes.empty());
}

// ---------------------------------------------------------------------------
// Construction

TEST_F(IniFileFixture, MissingFileIsCreatedWithItsLastFolder)
{
    const std::string Name = Path("new/sched.vsh");
    {
        TYIniFile Ini(Name);
        EXPECT_EQ(Ini.Modified, 0);
        EXPECT_TRUE(Exists(Name)) << "created at once";
        EXPECT_FALSE(Ini.SectionExists(""));
    }
    EXPECT_EQ(ReadFile(Name), "") << "nothing written, nothing saved";
    EXPECT_TRUE(Boxes.Boxes.empty());
}

TEST_F(IniFileFixture, EmptyNameIsUnknownIniFileInTheWorkingFolder)
{
    char Old[4096];
    ASSERT_NE(getcwd(Old, sizeof Old), nullptr);
    ASSERT_EQ(chdir(Dir.c_str()), 0);
    {
        TYIniFile Ini("");
        EXPECT_EQ(Ini.FileName(), "UnknownIniFile.ini");
    }
    EXPECT_TRUE(Exists(Path("UnknownIniFile.ini")));
    ASSERT_EQ(chdir(Old), 0);
}

TEST_F(IniFileFixture, FailedConstructionShowsItsBoxAndRaises)
{
    WriteFile(Path("plain"), "x");
    WriteFile(Path("readonly.ini"), "[A]\nk=v\n");
    chmod(Path("readonly.ini").c_str(), 0444);
    mkdir(Path("folder.ini").c_str(), 0777);
    const struct { std::string Name; std::string Text; } Cases[] = {
        {Path("a/b/x.ini"), "Err: Can not create directory \n \"" + Path("a/b/") + "\" "},
        {Path("plain/x.ini"), "Err: Can not create directory \n \"" + Path("plain/") + "\" "},
        {Path("folder.ini"), "Err: Can not create file \n \"" + Path("folder.ini") + "\" "},
        {Path("readonly.ini"), "Err: Can not open file \n \"" + Path("readonly.ini") + "\" "},
    };
    for (const auto& C : Cases) {
        SCOPED_TRACE(C.Name);
        Boxes.Boxes.clear();
        try {
            TYIniFile Ini(C.Name);
            ADD_FAILURE() << "constructed";
        } catch (const EYGeneral& E) {
            EXPECT_EQ(E.Message, "Err: Constructor !!!");
            EXPECT_EQ(E.ErrorCode, -1);
        }
        ASSERT_EQ(Boxes.Boxes.size(), 1u);
        EXPECT_EQ(Boxes.Boxes[0].Caption, "TYIniFile");
        EXPECT_EQ(Boxes.Boxes[0].Text, C.Text);
    }
    EXPECT_FALSE(Exists(Path("a")));
    EXPECT_EQ(ReadFile(Path("readonly.ini")), "[A]\nk=v\n");
}

TEST_F(IniFileFixture, AnObjectThatWasOnlyReadLeavesItsFileAlone)
{
    const std::string Name = Path("read.ini");
    WriteFile(Name, "[A]\nk=v\n");
    struct timeval Past[2] = {{1000000000, 0}, {1000000000, 0}};
    ASSERT_EQ(utimes(Name.c_str(), Past), 0);
    {
        TYIniFile Ini(Name);
        EXPECT_EQ(Ini.ReadString("A", "k", ""), "v");
        EXPECT_TRUE(Ini.KeyExists("A", "k"));
        EXPECT_TRUE(Ini.UpdateFile());
    }
    struct stat St;
    ASSERT_EQ(stat(Name.c_str(), &St), 0);
    EXPECT_EQ(St.st_mtime, 1000000000);
    EXPECT_EQ(ReadFile(Name), "[A]\nk=v\n");
}

// ---------------------------------------------------------------------------
// Saving

TEST_F(IniFileFixture, SavedBytesAndWhatComesBack)
{
    const std::string Name = Path("save.ini");
    {
        TYIniFile Ini(Name);
        Ini.WriteString("S1", "a", "1");
        Ini.WriteString("S1", "b", "");
        Ini.WriteString("S2", "c", "3");
        EXPECT_EQ(Ini.Modified, 1);
    }
    EXPECT_EQ(ReadFile(Name), "[S1]\r\na=1\r\nb=\r\n\r\n[S2]\r\nc=3\r\n\r\n");
    TYIniFile Again(Name);
    EXPECT_EQ(Dump(Again), "[S1]\na=1\n[S2]\nc=3\n");
}

TEST_F(IniFileFixture, ALargeSectionComesBackInItsOrder)
{
    const std::string Name = Path("large.ini");
    std::string File = "[BIG]\r\n", Saved = "[BIG]\r\n";
    for (int I = 0; I < 3000; ++I) {
        const std::string Key = "SCH_KEY_" + std::to_string(I);
        File += Key + "=" + std::to_string(I) + "\r\n";
        Saved += Key + "=" + (I == 7 ? "seven" : std::to_string(I)) + "\r\n";
    }
    File += "[SMALL]\r\na=1\r\n[BIG]\r\nSCH_KEY_7=seven\r\n";
    Saved += "\r\n[SMALL]\r\na=1\r\n\r\n";
    WriteFile(Name, File);
    {
        TYIniFile Ini(Name);
        EXPECT_EQ(Ini.ReadString("BIG", "SCH_KEY_2999", ""), "2999");
        EXPECT_EQ(Ini.ReadString("BIG", "SCH_KEY_7", ""), "seven") << "a repeated key keeps its first place";
        Ini.Modified = 1;
    }
    EXPECT_EQ(ReadFile(Name), Saved);
}

TEST_F(IniFileFixture, LongValuesLiveInMemoryButNotInTheFile)
{
    const std::string Name = Path("values.ini");
    TYIniFile Ini(Name);
    const std::string V8191(8191, 'a'), V8192(8192, 'b'), V16383(16383, 'c'), V16384(16384, 'd');
    Ini.WriteString("A", "v8191", V8191);
    Ini.WriteString("A", "v8192", V8192);
    Ini.WriteString("A", "v16383", V16383);
    Ini.WriteString("A", "v16384", V16384);
    EXPECT_EQ(Ini.ReadString("A", "v8192", "?"), V8192);
    EXPECT_EQ(Ini.ReadString("A", "v16383", "?"), V16383);
    EXPECT_EQ(Ini.ReadString("A", "v16384", "?"), "?");
    EXPECT_TRUE(Ini.KeyExists("A", "v16384"));
    EXPECT_TRUE(Ini.ValueExists("A", "v16384")) << "the value exists, it is only too long to read";
    ASSERT_TRUE(Ini.UpdateFile());
    EXPECT_EQ(ReadFile(Name), "[A]\r\nv8191=" + V8191 + "\r\nv8192=\r\nv16383=\r\nv16384=\r\n\r\n");
}

TEST_F(IniFileFixture, NewFileNameSavesEverythingThereAndLeavesTheOldFile)
{
    const std::string Old = Path("old.ini"), New = Path("new.ini");
    WriteFile(Old, "[A]\nk=v\n");
    {
        TYIniFile Ini(Old);
        Ini.pw_FileName(New);
        EXPECT_EQ(Ini.Modified, 1);
        EXPECT_EQ(Ini.FileName(), New);
    }
    EXPECT_EQ(ReadFile(Old), "[A]\nk=v\n");
    EXPECT_EQ(ReadFile(New), "[A]\r\nk=v\r\n\r\n");
}

TEST_F(IniFileFixture, SaveKeepsPermissionsAndSymbolicLinks)
{
    const std::string Real = Path("real.ini"), Link = Path("link.ini");
    WriteFile(Real, "[A]\nk=v\n");
    chmod(Real.c_str(), 0640);
    ASSERT_EQ(symlink(Real.c_str(), Link.c_str()), 0);
    {
        TYIniFile Ini(Link);
        Ini.WriteString("A", "k", "w");
    }
    struct stat St;
    ASSERT_EQ(lstat(Link.c_str(), &St), 0);
    EXPECT_TRUE(S_ISLNK(St.st_mode));
    ASSERT_EQ(stat(Real.c_str(), &St), 0);
    EXPECT_EQ(St.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadFile(Real), "[A]\r\nk=w\r\n\r\n");
    EXPECT_EQ(FilesIn(Dir), (std::set<std::string>{"link.ini", "real.ini"}));
}

// A save that cannot be completed keeps the old file, the memory copy and
// Modified, removes its temporary file and says so.
TEST_F(IniFileFixture, AWriteThatFailsPartWayKeepsTheOldFile)
{
    const std::string Name = Path("full.ini");
    const std::string OldBytes = "[A]\r\nk=old\r\n\r\n";
    WriteFile(Name, OldBytes);
    TYIniFile Ini(Name);
    for (int I = 0; I < 400; ++I)
        Ini.WriteInteger("A", "key" + std::to_string(I), I);
    bool Saved = true;
    WithFileSizeLimit(1000, [&] { Saved = Ini.UpdateFile(); });
    EXPECT_FALSE(Saved);
    EXPECT_EQ(Ini.Modified, 1);
    EXPECT_EQ(ReadFile(Name), OldBytes);
    EXPECT_EQ(FilesIn(Dir), (std::set<std::string>{"full.ini"})) << "no temporary file left";
    ASSERT_EQ(Boxes.Boxes.size(), 1u);
    EXPECT_EQ(Boxes.Boxes[0].Caption, "TYIniFile");
    EXPECT_EQ(Boxes.Boxes[0].Text, "Err: Can not create file \n \"" + Name + "\" ");
    EXPECT_EQ(Ini.ReadInteger("A", "key399", -1), 399);

    EXPECT_TRUE(Ini.UpdateFile()) << "a later save succeeds";
    EXPECT_EQ(Ini.Modified, 0);
    TYIniFile Reloaded(Name);
    EXPECT_EQ(Reloaded.ReadInteger("A", "key399", -1), 399);
    EXPECT_EQ(Reloaded.ReadString("A", "k", ""), "old");
}

TEST_F(IniFileFixture, AFolderThatCannotBeWrittenFailsTheSave)
{
    const std::string Sub = Path("sub"), Name = Path("sub/x.ini");
    mkdir(Sub.c_str(), 0777);
    WriteFile(Name, "[A]\nk=v\n");
    {
        TYIniFile Ini(Name);
        Ini.WriteString("A", "k", "changed");
        // The folder is gone and a file stands in its place.
        std::system(("rm -rf '" + Sub + "'").c_str());
        WriteFile(Sub, "not a folder");
        EXPECT_FALSE(Ini.UpdateFile());
        EXPECT_EQ(Ini.Modified, 1);
        EXPECT_EQ(Ini.ReadString("A", "k", ""), "changed");
        ASSERT_EQ(Boxes.Boxes.size(), 1u);
        EXPECT_EQ(Boxes.Boxes[0].Text, "Err: Can not create file \n \"" + Name + "\" ");
    }
    EXPECT_EQ(Boxes.Boxes.size(), 2u) << "the destructor's save fails the same way";
    EXPECT_EQ(ReadFile(Sub), "not a folder");
}

TEST_F(IniFileFixture, AReadOnlyFolderFailsTheSaveAndKeepsTheOldFile)
{
    if (geteuid() == 0)
        GTEST_SKIP() << "permission bits do not stop the superuser";
    const std::string Sub = Path("ro"), Name = Path("ro/x.ini");
    mkdir(Sub.c_str(), 0777);
    WriteFile(Name, "[A]\nk=v\n");
    TYIniFile Ini(Name);
    Ini.WriteString("A", "k", "changed");
    chmod(Sub.c_str(), 0555);
    EXPECT_FALSE(Ini.UpdateFile());
    chmod(Sub.c_str(), 0777);
    EXPECT_EQ(ReadFile(Name), "[A]\nk=v\n");
    EXPECT_EQ(Ini.Modified, 1);
}

// ---------------------------------------------------------------------------
// Queries and changes

TEST_F(IniFileFixture, WritesWithEmptyOrOverlongNamesChangeNothing)
{
    TYIniFile Ini(Path("names.ini"));
    const std::string Names[][2] = {{"", "k"}, {"S", ""}, {Long257, "k"}, {"S", Long257}, {std::string("\0x", 2), "k"}};
    for (const auto& N : Names) {
        Ini.WriteString(N[0], N[1], "v");
        EXPECT_EQ(Ini.Modified, 0);
    }
    EXPECT_EQ(Ini.Sections->Count, 0) << "no empty section is left behind";
    EXPECT_EQ(Ini.StrTab->ChainCount, 0) << "no value is left behind";
    Ini.WriteString(Long256, Long256, "v");
    EXPECT_EQ(Ini.ReadString(Long256, Long256, ""), "v");
}

TEST_F(IniFileFixture, EraseSectionKeepsTheOthersFindable)
{
    TYIniFile Ini(Path("erase.ini"));
    for (const char* S : {"GLOBAL", "MON", "TUE", "WED"})
        for (const char* K : {"a", "b"})
            Ini.WriteString(S, K, std::string(S) + K);
    int Index = -1;
    ASSERT_TRUE(Ini.IsSectionExisted("WED", &Index));
    EXPECT_EQ(Index, 3);
    Ini.Modified = 0;
    Ini.EraseSection("GLOBAL");
    EXPECT_EQ(Ini.Modified, 1);
    EXPECT_TRUE(Ini.IsSectionExisted("WED", &Index));
    EXPECT_EQ(Index, 2) << "the cached index moved with the section";
    EXPECT_FALSE(Ini.SectionExists("GLOBAL"));
    EXPECT_EQ(Ini.ReadString("MON", "b", ""), "MONb");
    EXPECT_EQ(Ini.ReadString("WED", "a", ""), "WEDa");
    Ini.EraseSection("TUE");
    EXPECT_EQ(Dump(Ini), "[MON]\na=MONa\nb=MONb\n[WED]\na=WEDa\nb=WEDb\n");
    Ini.Modified = 0;
    Ini.EraseSection("none");
    EXPECT_EQ(Ini.Modified, 0);
    const int Chains = Ini.StrTab->ChainCount;
    Ini.EraseSection("MON");
    EXPECT_EQ(Ini.StrTab->ChainCount, Chains - 2 - 3 * 2) << "name, entry and the keys' names, entries and values";
}

TEST_F(IniFileFixture, DeleteKeyAndDeleteValue)
{
    const std::string Name = Path("delete.ini");
    {
        TYIniFile Ini(Name);
        Ini.WriteString("A", "gone", "1");
        Ini.WriteString("A", "empty", "2");
        Ini.WriteString("A", "kept", "3");
        Ini.DeleteKey("A", "gone");
        Ini.DeleteValue("A", "empty");
        EXPECT_FALSE(Ini.KeyExists("A", "gone"));
        EXPECT_TRUE(Ini.KeyExists("A", "empty"));
        EXPECT_FALSE(Ini.ValueExists("A", "empty"));
        EXPECT_EQ(Ini.ReadString("A", "empty", "default"), "default");
        Ini.Modified = 0;
        Ini.DeleteKey("A", "none");
        Ini.DeleteValue("B", "x");
        EXPECT_EQ(Ini.Modified, 0);
        Ini.WriteString("A", "x", "y");
    }
    TYIniFile Again(Name);
    EXPECT_EQ(Dump(Again), "[A]\nkept=3\nx=y\n");
}

TEST_F(IniFileFixture, OverwritingAValueFreesTheOldOne)
{
    TYIniFile Ini(Path("replace.ini"));
    Ini.WriteString("A", "k", std::string(100, 'x'));
    const int Chains = Ini.StrTab->ChainCount;
    for (int I = 0; I < 50; ++I)
        Ini.WriteString("A", "k", std::string(static_cast<size_t>(1 + I), 'y'));
    Ini.WriteString("A", "k", "");
    EXPECT_EQ(Ini.StrTab->ChainCount, Chains - 1);
    EXPECT_TRUE(Ini.KeyExists("A", "k"));
    EXPECT_FALSE(Ini.ValueExists("A", "k"));
}

TEST_F(IniFileFixture, FilesCanShareOneStringTable)
{
    TYStrTab Shared;
    {
        TYIniFile First(Path("one.ini"), &Shared);
        TYIniFile Second(Path("two.ini"), &Shared);
        First.WriteString("A", "k", "first");
        Second.WriteString("A", "k", "second");
        EXPECT_EQ(First.ReadString("A", "k", ""), "first");
        EXPECT_EQ(Second.ReadString("A", "k", ""), "second");
        EXPECT_EQ(First.OwnsStrTab, 0);
    }
    EXPECT_EQ(Shared.ChainCount, 0) << "each file freed what it stored";
    EXPECT_EQ(ReadFile(Path("two.ini")), "[A]\r\nk=second\r\n\r\n");
}
