// When a program can show its windows, from the variables that name a
// display or a window platform, and the run scripts' check, which must give
// the same answer before they build anything; the runtime folder of a login
// that names none; the hand-over of the toolkit's messages between the
// application's filter and the handlers installed before and after it.

#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <optional>
#include <string>

#include <pwd.h>
#include <sys/stat.h>
#include <sys/wait.h>
#include <unistd.h>

#include <QString>
#include <QtGlobal>
#include <gtest/gtest.h>

#include "vcl/Application.h"
#include "vcl/GraphicalSession.h"

namespace {

using std::nullopt;

const struct TSessionCase {
    const char* Name;
    TSessionEnvironment Environment;
    bool Have;
} SessionCases[] = {
    {"nothing set", {nullopt, nullopt, nullopt}, false},
    {"an X display", {":0", nullopt, nullopt}, true},
    {"a Wayland display", {nullopt, "wayland-0", nullopt}, true},
    {"empty variables", {"", "", ""}, false},
    {"X named, no display", {nullopt, nullopt, "xcb"}, false},
    {"Wayland named, no display", {nullopt, nullopt, "wayland-egl"}, false},
    {"a list of desktop platforms", {nullopt, nullopt, "wayland;xcb"}, false},
    {"X named with its display", {":1", nullopt, "xcb"}, true},
    {"offscreen", {nullopt, nullopt, "offscreen"}, true},
    {"a platform with options", {nullopt, nullopt, "vnc:size=800x600"}, true},
    // The toolkit compares names without regard to case...
    {"X in capitals", {nullopt, nullopt, "XCB"}, false},
    {"X capitalised", {nullopt, nullopt, "Xcb"}, false},
    {"Wayland capitalised", {nullopt, nullopt, "Wayland"}, false},
    {"offscreen capitalised", {nullopt, nullopt, "Offscreen"}, true},
    // ...and tries a list in order, going on past a platform that fails.
    {"X, then offscreen", {nullopt, nullopt, "xcb;offscreen"}, true},
    {"offscreen, then X", {nullopt, nullopt, "offscreen;xcb"}, true},
    {"empty entries", {nullopt, nullopt, ";;xcb;"}, false},
    {"X with options, then vnc", {nullopt, nullopt, "XCB:foo;vnc:size=800x600"}, true},
};

// " NAME='value'" for env, or "" when unset (no value holds a quote).
std::string Assignment(const char* Name, const std::optional<std::string>& Value)
{
    return Value ? std::string(" ") + Name + "='" + *Value + "'" : std::string();
}

} // namespace

TEST(GraphicalSession, ADisplayOrAPlatformThatNeedsNone)
{
    for (const auto& Case : SessionCases)
        EXPECT_EQ(HaveGraphicalSession(Case.Environment), Case.Have) << Case.Name;
}

TEST(GraphicalSession, TheRunScriptsCheckAgrees)
{
    for (const auto& Case : SessionCases) {
        const TSessionEnvironment& E = Case.Environment;
        const std::string Command = "env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM" +
                                    Assignment("DISPLAY", E.Display) + Assignment("WAYLAND_DISPLAY", E.WaylandDisplay) +
                                    Assignment("QT_QPA_PLATFORM", E.Platform) + " bash " VTX_NEED_DISPLAY_SCRIPT
                                    " PROGRAM >/dev/null 2>&1";
        const int Status = std::system(Command.c_str());
        ASSERT_TRUE(WIFEXITED(Status)) << Case.Name;
        EXPECT_EQ(WEXITSTATUS(Status) == 0, Case.Have) << Case.Name;
    }
}

// The runtime folder given to a login that names none: made or mended to be
// this user's alone, and refused where it cannot be.
class PrivateFolderTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        std::string Pattern = (std::filesystem::temp_directory_path() / "vcl-runtime-XXXXXX").string();
        ASSERT_NE(mkdtemp(Pattern.data()), nullptr);
        Root = Pattern;
    }
    void TearDown() override { std::filesystem::remove_all(Root); }

    // The mode in octal, as ls and chmod write it.
    static std::string Mode(const std::filesystem::path& Path)
    {
        struct stat Status;
        char Text[8] = "none";
        if (lstat(Path.c_str(), &Status) == 0)
            std::snprintf(Text, sizeof Text, "%04o", static_cast<unsigned>(Status.st_mode & 07777));
        return Text;
    }

    std::filesystem::path Root;
};

TEST_F(PrivateFolderTest, MadeOrFoundAtMode0700)
{
    const std::filesystem::path Private = Root / "private";
    mkdir(Private.c_str(), 0700);
    const struct {
        const char* Name;
        std::filesystem::path Folder;
        mode_t Umask;
    } Cases[] = {
        {"missing", Root / "missing", 022},
        {"missing, made under a umask that leaves less", Root / "narrow", 0277},
        {"already private", Private, 022},
    };
    for (const auto& Case : Cases) {
        const mode_t Previous = umask(Case.Umask);
        EXPECT_TRUE(MakePrivateFolder(Case.Folder)) << Case.Name;
        umask(Previous);
        EXPECT_EQ(Mode(Case.Folder), "0700") << Case.Name;
    }
}

TEST_F(PrivateFolderTest, RefusedWhereItCannotBeAFolderOfThisUsersAlone)
{
    const std::filesystem::path Own = Root / "own", Open = Root / "open", Link = Root / "link", File = Root / "file";
    mkdir(Own.c_str(), 0700);
    chmod(Own.c_str(), 0755);
    mkdir(Open.c_str(), 0700);
    chmod(Open.c_str(), 0777);
    symlink(Own.c_str(), Link.c_str());
    std::ofstream(File) << "x";
    const struct {
        const char* Name;
        std::filesystem::path Folder;
    } Cases[] = {
        {"a folder of this user's open to all", Open},
        {"a folder of this user's that others may read", Own},
        {"a link to a folder of this user's", Link},
        {"a file", File},
        {"in a folder that does not exist", Root / "missing" / "runtime"},
    };
    for (const auto& Case : Cases)
        EXPECT_FALSE(MakePrivateFolder(Case.Folder)) << Case.Name;
    // Refused as they are found: neither is made private over what may
    // already be in it.
    EXPECT_EQ(Mode(Open), "0777");
    EXPECT_EQ(Mode(Own), "0755");
}

TEST_F(PrivateFolderTest, RefusedWhenAnotherUserOwnsIt)
{
    if (geteuid() != 0)
        GTEST_SKIP() << "only the superuser can give a folder to another user";
    const std::filesystem::path Folder = Root / "theirs";
    mkdir(Folder.c_str(), 0700);
    ASSERT_EQ(chown(Folder.c_str(), 65534, 65534), 0);
    EXPECT_FALSE(MakePrivateFolder(Folder));
}

// An environment variable of the process, put back as it was at the end of
// the scope.
class TSavedVariable {
public:
    explicit TSavedVariable(const char* Name) : FName(Name)
    {
        if (const char* Value = std::getenv(Name))
            FValue = Value;
    }
    ~TSavedVariable()
    {
        if (FValue)
            setenv(FName, FValue->c_str(), 1);
        else
            unsetenv(FName);
    }
    TSavedVariable(const TSavedVariable&) = delete;
    TSavedVariable& operator=(const TSavedVariable&) = delete;

private:
    const char* FName;
    std::optional<std::string> FValue;
};

// A login that names its runtime folder keeps it; an empty name is none.
TEST_F(PrivateFolderTest, UsedOnlyWhereTheLoginNamesNone)
{
    const TSavedVariable Saved("XDG_RUNTIME_DIR");
    const std::string Named = (Root / "named").string(), Given = (Root / "given").string();
    const struct {
        const char* Name;
        std::string Variable;
        std::string Expected;
    } Cases[] = {
        {"named", Named, Named},
        {"empty", "", Given},
    };
    for (const auto& Case : Cases) {
        setenv("XDG_RUNTIME_DIR", Case.Variable.c_str(), 1);
        UsePrivateRuntimeFolder(Given);
        EXPECT_EQ(std::getenv("XDG_RUNTIME_DIR"), Case.Expected) << Case.Name;
        EXPECT_EQ(std::filesystem::exists(Given), Case.Expected == Given) << Case.Name;
    }
}

// The toolkit's own folder, runtime-<user> in its temporary folder, has one
// name however TMPDIR spells that folder: its canonical path.
TEST_F(PrivateFolderTest, NamedInTheTemporaryFolderAsTheToolkitNamesIt)
{
    const TSavedVariable SavedRuntime("XDG_RUNTIME_DIR"), SavedTemp("TMPDIR");
    const std::filesystem::path Temp = Root / "temp", Working = std::filesystem::current_path();
    std::filesystem::create_directory(Temp);
    std::filesystem::create_directory_symlink(Temp, Root / "link");
    const passwd* User = getpwuid(geteuid());
    ASSERT_NE(User, nullptr);
    const std::string Expected = (std::filesystem::canonical(Temp) / ("runtime-" + std::string(User->pw_name))).string();
    const std::string Top = Root.string();
    const struct {
        const char* Name;
        std::string Temp;
    } Cases[] = {
        {"as it is", Top + "/temp"},
        {"with a trailing slash", Top + "/temp/"},
        {"with doubled slashes", Top + "//temp//"},
        {"through ..", Top + "/temp/../temp"},
        {"relative to the working folder", "temp"},
        {"through a link", Top + "/link"},
    };
    std::filesystem::current_path(Root);
    for (const auto& Case : Cases) {
        setenv("TMPDIR", Case.Temp.c_str(), 1);
        unsetenv("XDG_RUNTIME_DIR");
        UsePrivateRuntimeFolder();
        const char* Named = std::getenv("XDG_RUNTIME_DIR");
        EXPECT_EQ(Named ? std::string(Named) : std::string("(unset)"), Expected) << Case.Name;
    }
    std::filesystem::current_path(Working);
}

// The application filters the toolkit's messages on the offscreen platform.
// Each case takes the application down and up again, so it runs in a child
// process of its own, started afresh.
class MessageFilterDeathTest : public ::testing::Test {
protected:
    void SetUp() override { GTEST_FLAG_SET(death_test_style, "threadsafe"); }
};

namespace {

// Ends the process with status 3 when the offscreen platform's size-hints
// notice reaches it.
void EndAtTheSizeHintsNotice(QtMsgType, const QMessageLogContext&, const QString& Message)
{
    if (Message == QLatin1String("This plugin does not support propagateSizeHints()"))
        std::_Exit(3);
}

void Ignore(QtMsgType, const QMessageLogContext&, const QString&) {}

} // namespace

// Where the toolkit is to end the program at a warning, the filter lets the
// size-hints notice through to the handler before it, so the line the
// program ends at is seen; elsewhere it drops it (status 4).
TEST_F(MessageFilterDeathTest, WithFatalWarningsTheSizeHintsNoticeGoesThrough)
{
    const struct {
        const char* Value;
        int Status;
    } Cases[] = {
        {"1", 3}, {"2", 3}, {"yes", 3}, {"", 4}, {"0", 4}, {"-1", 4},
    };
    for (const auto& Case : Cases)
        EXPECT_EXIT(
            {
                Application->Finalize();
                setenv("QT_FATAL_WARNINGS", Case.Value, 1);
                qInstallMessageHandler(EndAtTheSizeHintsNotice);
                Application->Initialize();
                qWarning("This plugin does not support propagateSizeHints()");
                std::_Exit(4);
            },
            ::testing::ExitedWithCode(Case.Status), "")
            << "QT_FATAL_WARNINGS=" << Case.Value;
}

TEST_F(MessageFilterDeathTest, AHandlerInstalledAfterInitializeStaysInstalledAfterFinalize)
{
    EXPECT_EXIT(
        {
            qInstallMessageHandler(Ignore);
            Application->Finalize();
            if (qInstallMessageHandler(nullptr) != Ignore) {
                std::fputs("Finalize put the handler from before Initialize back over the later one\n", stderr);
                std::_Exit(1);
            }
            std::_Exit(0);
        },
        ::testing::ExitedWithCode(0), "");
}
